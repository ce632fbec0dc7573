#include "files/ImageBackup.h"

#include "files/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// More backups of one second would mean a loop gone wrong, not a user at work.
constexpr int kMaxSameNameBackups = 1000;

QString SafeNamePart(const QString& text)
{
    QString part;
    for (const QChar c : text) {
        const bool allowed = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                             (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                             (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                             c == QLatin1Char('_') || c == QLatin1Char('-');
        part += allowed ? c : QLatin1Char('_');
    }
    return part.isEmpty() ? QStringLiteral("unknown") : part;
}

} // namespace

QString BackupFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/TRK5120/backups");
}

QString BackupFileName(const QDateTime& when, const QString& model, const QString& firmware)
{
    return when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QLatin1Char('_') + SafeNamePart(model) +
           QLatin1Char('_') + SafeNamePart(firmware) + QStringLiteral(".img");
}

BackupResult WriteImageBackup(const QString& folder, const MemoryImage& image, const QString& model,
                              const QString& firmware, const QDateTime& when)
{
    BackupResult result;
    result.path = folder;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return result;
    const QString name = BackupFileName(when, model, firmware);
    const QString stem = name.chopped(4); // without ".img"
    QString path = folder + QLatin1Char('/') + name;
    for (int counter = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++counter) {
        if (counter > kMaxSameNameBackups)
            return result;
        path = folder + QLatin1Char('/') + stem + QLatin1Char('-') + QString::number(counter) + QStringLiteral(".img");
    }
    result.path = path;
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), kImageSize);
    result.written = WriteFileAtomically(path, bytes);
    return result;
}
