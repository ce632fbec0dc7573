#include "session/IniFile.h"

#include "files/FileAccess.h"

#include <QFileInfo>
#include <QList>

namespace {

// A settings file is a few hundred bytes; anything near this is not one, and is left alone.
constexpr qint64 kMaxIniSize = 1 << 20;

// The file as bytes, one entry per line with its "\r" (if any) kept: lines that are not
// changed go back exactly as they came, whatever their encoding.
struct IniText {
    QList<QByteArray> lines;
    bool crlf = false;
    bool finalNewline = true;
};

enum class Loaded { Missing, Read, Unreadable };

Loaded load(const QString& path, IniText& ini)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Loaded::Missing;
    QByteArray bytes;
    qint64 size = 0;
    if (!ReadRegularFile(path, kMaxIniSize, bytes, &size) || size > kMaxIniSize)
        return Loaded::Unreadable;
    ini.crlf = bytes.contains("\r\n");
    ini.finalNewline = bytes.isEmpty() || bytes.endsWith('\n');
    ini.lines = bytes.split('\n');
    if (ini.finalNewline)
        ini.lines.removeLast();
    return Loaded::Read;
}

// Names are compared as text; the bytes around them are never decoded for writing.
QString nameOf(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes.trimmed());
}

bool isSectionLine(const QByteArray& line, QString* name)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return false;
    *name = nameOf(t.mid(1, close - 1));
    return true;
}

bool isKeyLine(const QByteArray& line, const QString& key, QByteArray* value = nullptr)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0 || nameOf(line.left(eq)).compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

// Line range [first, end) of a section's body; first == -1 when the section is absent.
std::pair<qsizetype, qsizetype> findSection(const QList<QByteArray>& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSectionLine(lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0) {
            qsizetype end = i + 1;
            QString other;
            while (end < lines.size() && !isSectionLine(lines[end], &other))
                ++end;
            return {i + 1, end};
        }
    }
    return {-1, -1};
}

} // namespace

QString ReadIniValue(const QString& path, const QString& section, const QString& key)
{
    IniText ini;
    if (load(path, ini) != Loaded::Read)
        return QString();
    const auto [first, end] = findSection(ini.lines, section);
    for (qsizetype i = first; first >= 0 && i < end; ++i) {
        QByteArray value;
        if (isKeyLine(ini.lines[i], key, &value))
            return QString::fromUtf8(value);
    }
    return QString();
}

bool WriteIniValue(const QString& path, const QString& section, const QString& key, const QString& value)
{
    IniText ini;
    // A file that is there but cannot be read is someone's settings all the same: writing
    // one key over it would throw the rest away.
    if (load(path, ini) == Loaded::Unreadable)
        return false;
    const QByteArray eol = ini.crlf ? QByteArrayLiteral("\r") : QByteArray();
    const QByteArray entry = (key + QLatin1Char('=') + value).toUtf8() + eol;
    const auto [first, end] = findSection(ini.lines, section);
    bool appended = false;
    if (first >= 0) {
        qsizetype at = -1;
        for (qsizetype i = first; i < end && at < 0; ++i) {
            if (isKeyLine(ini.lines[i], key))
                at = i;
        }
        if (at >= 0) {
            // The changed line keeps its own line end, whatever the rest of the file uses.
            const QByteArray changed = entry.chopped(eol.size()) + (ini.lines[at].endsWith('\r') ? "\r" : "");
            if (ini.lines[at] == changed)
                return true; // already so: the file is not touched at all
            ini.lines[at] = changed;
        } else {
            // after the section's last non-blank line
            qsizetype after = end;
            while (after > first && ini.lines[after - 1].trimmed().isEmpty())
                --after;
            ini.lines.insert(after, entry);
            appended = after == ini.lines.size() - 1;
        }
    } else {
        ini.lines << '[' + section.toUtf8() + ']' + eol << entry;
        appended = true;
    }
    QByteArray bytes = ini.lines.join('\n');
    if (ini.finalNewline || appended)
        bytes += '\n';
    return WriteFileAtomically(path, bytes, InPlace::WhenNoTempFile);
}
