#include "files/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString besideTemplate(const QString& target, const QString& tag)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + tag + QStringLiteral("XXXXXX");
}

bool moveOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()),
                            error);
    return !error;
}

bool syncToDisk([[maybe_unused]] QFileDevice& file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

// A write counts only when every byte reached the file: a short write, a failed flush or a
// failed close (where some file systems report a full disk) is a failure.
bool finishWriting(QFileDevice& file, const QByteArray& bytes, bool sync)
{
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    if (sync && !syncToDisk(file))
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

// A regular file is overwritten from its start and cut to length only after the new bytes are
// all written; a device or a pipe simply takes the bytes.
bool writeInPlace(const QString& target, const QByteArray& bytes, bool regular)
{
    QFile file(target);
    if (!file.open(regular ? QIODevice::ReadWrite : QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    if (regular && (!file.resize(bytes.size()) || !syncToDisk(file)))
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

bool isExistingNonRegular(const QFileInfo& info)
{
    return info.exists() && !info.isFile();
}

// One regular target on its way: the new content beside it, the old file kept aside.
struct Pending {
    QString target;
    std::unique_ptr<QTemporaryFile> temp;
    QString backup; // empty while the old file (if any) is still in place
    bool replaced = false;
};

enum class Prepared { Ok, NoTempFile, Failed };

Prepared prepare(Pending& pending, const QByteArray& bytes)
{
    pending.temp = std::make_unique<QTemporaryFile>(besideTemplate(pending.target, QStringLiteral(".")));
    if (!pending.temp->open())
        return Prepared::NoTempFile;
    // An existing target keeps its permissions; a new file gets the usual ones instead of
    // the private ones of a temporary file.
    const QFileInfo info(pending.target);
    pending.temp->setPermissions(info.exists()
                                     ? info.permissions()
                                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return finishWriting(*pending.temp, bytes, true) ? Prepared::Ok : Prepared::Failed;
}

bool moveAside(Pending& pending)
{
    if (!QFileInfo::exists(pending.target))
        return true;
    QTemporaryFile placeholder(besideTemplate(pending.target, QStringLiteral(".old-")));
    if (!placeholder.open())
        return false;
    const QString name = placeholder.fileName();
    placeholder.close();
    if (!moveOver(pending.target, name))
        return false; // the placeholder goes with its QTemporaryFile
    placeholder.setAutoRemove(false);
    pending.backup = name;
    return true;
}

// Undoes everything done to the targets, newest first.
void rollBack(std::vector<Pending>& pendings)
{
    for (auto it = pendings.rbegin(); it != pendings.rend(); ++it) {
        if (it->replaced && it->backup.isEmpty())
            QFile::remove(it->target);
        if (!it->backup.isEmpty())
            moveOver(it->backup, it->target);
    }
}

} // namespace

bool ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, qint64* fileSize)
{
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without blocking, so a named pipe without a writer cannot hold the program;
    // its type is then taken from the open file itself, not from its name.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
#else
    if (!QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
#endif
    if (fileSize)
        *fileSize = file.size();
    bytes = file.read(maxBytes);
    return file.error() == QFileDevice::NoError;
}

bool RenameOver(const QString& from, const QString& to)
{
    return moveOver(from, to);
}

AtomicFileSet::AtomicFileSet(ReplaceFile replace) : replace_(std::move(replace)) {}

void AtomicFileSet::add(const QString& target, const QByteArray& bytes)
{
    entries_.append({target, bytes});
}

bool AtomicFileSet::commit()
{
    std::vector<Pending> pendings;
    QList<const Entry*> inPlace;
    QStringList seen;
    for (const Entry& entry : std::as_const(entries_)) {
        const QFileInfo info(entry.target);
        if (entry.target.isEmpty() || info.isDir())
            return false;
        // Two contents for one file (an image named like its data file) would leave only the
        // last one, with nothing said: the set is refused instead.
        const QString name = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        if (seen.contains(name))
            return false;
        seen.append(name);
        if (isExistingNonRegular(info)) {
            inPlace.append(&entry);
            continue;
        }
        pendings.push_back({entry.target, nullptr, QString(), false});
        if (prepare(pendings.back(), entry.bytes) != Prepared::Ok)
            return false;
    }
    // Nothing can be taken back from a device or a pipe, so they go before any file is replaced.
    for (const Entry* entry : std::as_const(inPlace)) {
        if (!writeInPlace(entry->target, entry->bytes, false))
            return false;
    }
    for (Pending& pending : pendings) {
        if (!moveAside(pending) || !replace_(pending.temp->fileName(), pending.target)) {
            rollBack(pendings);
            return false;
        }
        pending.temp->setAutoRemove(false);
        pending.replaced = true;
    }
    for (const Pending& pending : pendings) {
        if (!pending.backup.isEmpty())
            QFile::remove(pending.backup);
    }
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, InPlace fallback)
{
    if (fallback == InPlace::WhenNoTempFile && QFileInfo(path).isFile()) {
        Pending pending{path, nullptr, QString(), false};
        switch (prepare(pending, bytes)) {
        case Prepared::NoTempFile:
            return writeInPlace(path, bytes, true);
        case Prepared::Failed:
            return false;
        case Prepared::Ok:
            break;
        }
        if (!moveOver(pending.temp->fileName(), path))
            return false;
        pending.temp->setAutoRemove(false);
        return true;
    }
    AtomicFileSet set;
    set.add(path, bytes);
    return set.commit();
}
