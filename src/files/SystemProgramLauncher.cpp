#include "files/SystemProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>

#include <cstdlib>

bool SystemProgramLauncher::start(const QString& path)
{
    const QFileInfo program(path);
    if (!program.isFile() || !program.isExecutable())
        return false;
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}

void SystemProgramLauncher::exitNow()
{
    // Nothing is saved and no window is asked: the other version takes over.
    std::exit(0);
}
