#include "files/SystemProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <unistd.h>

bool SystemProgramLauncher::start(const QString& path)
{
    const QFileInfo program(path);
    if (!program.isFile() || !program.isExecutable())
        return false;
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}

void SystemProgramLauncher::exitNow()
{
    // Nothing is saved and no window is asked: the other version takes over. This runs from
    // inside the event loop with windows, the port and the engine alive on the stack, so no
    // destructor and no exit handler may run under them; only what was printed goes out.
    std::fflush(nullptr);
    ::_exit(0);
}
