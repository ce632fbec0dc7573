#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Reads at most maxBytes from the start of a regular file. Anything else (a folder, a named
// pipe, a device) is refused at once, without waiting for a writer that may never come.
// fileSize, when given, receives the whole file's size.
bool ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, qint64* fileSize = nullptr);

// Puts a finished file over its target; tests hand in one that fails.
using ReplaceFile = std::function<bool(const QString& from, const QString& to)>;
bool RenameOver(const QString& from, const QString& to);

// Files that are put in place together or not at all. Each content is written, flushed and
// synced to a temporary file beside its target first; then the targets are replaced in the
// order they were added, each old file kept aside until every new one is in place. A failure
// at any step puts the old files back and removes what the set created, so the targets are
// left exactly as they were.
// A target that exists but is not a regular file (a device, a pipe) cannot be replaced: it is
// written in place, before any other target is touched, and checked to the last byte.
class AtomicFileSet {
public:
    explicit AtomicFileSet(ReplaceFile replace = RenameOver);
    void add(const QString& target, const QByteArray& bytes);
    bool commit();

private:
    struct Entry {
        QString target;
        QByteArray bytes;
    };
    ReplaceFile replace_;
    QList<Entry> entries_;
};

// Where a temporary file cannot be created beside an existing file (its folder is not
// writable but the file is), InPlace::WhenNoTempFile writes the file itself instead.
enum class InPlace { Never, WhenNoTempFile };
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, InPlace fallback = InPlace::Never);
