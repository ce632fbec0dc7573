#pragma once

// Reading, writing and patching test files byte by byte.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline void putInt16(QByteArray& bytes, int offset, int value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// Every entry below root, hidden ones, pipes and devices included, each file with its bytes:
// two calls compare equal only when nothing below root was added, removed or changed.
inline QStringList folderContents(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        const QFileInfo info(name);
        entries << name.mid(root.size()) + (info.isFile() ? QLatin1Char(' ') + fileBytes(name).toHex() : QString());
    }
    entries.sort();
    return entries;
}
