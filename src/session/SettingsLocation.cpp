#include "session/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A plain copy of the bytes: the installed file may be read-only, and the user's copy must
// not inherit that.
bool seedFrom(const QString& installedFile, const QString& userFile)
{
    if (!QDir().mkpath(QFileInfo(userFile).absolutePath()))
        return false;
    QByteArray bytes;
    QFile installed(installedFile);
    if (installed.open(QIODevice::ReadOnly))
        bytes = installed.readAll();
    // A missing installed file still gives an empty copy: start-up then writes its defaults.
    QSaveFile copy(userFile);
    if (!copy.open(QIODevice::WriteOnly))
        return false;
    if (copy.write(bytes) != bytes.size()) {
        copy.cancelWriting();
        return false;
    }
    return copy.commit();
}

} // namespace

bool IsWritableSettingsFile(const QString& installedFile)
{
    const QFileInfo file(installedFile);
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable() && (!file.exists() || file.isWritable());
}

QString UserSettingsFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/TRK5120/mysetup.ini");
}

QString ChooseSettingsFile(const QString& installedFile, bool installedWritable, const QString& userFile)
{
    if (installedWritable || userFile.isEmpty())
        return installedFile;
    if (QFileInfo::exists(userFile) || seedFrom(installedFile, userFile))
        return userFile;
    return installedFile;
}

QString LocateSettingsFile(const QString& installedFile)
{
    return ChooseSettingsFile(installedFile, IsWritableSettingsFile(installedFile), UserSettingsFile());
}
