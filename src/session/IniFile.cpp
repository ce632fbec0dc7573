#include "session/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

struct IniText {
    QStringList lines;
    bool crlf = false;
};

IniText load(const QString& path)
{
    IniText ini;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    const QByteArray bytes = file.readAll();
    ini.crlf = bytes.contains("\r\n");
    QString text = QString::fromUtf8(bytes);
    text.remove(QLatin1Char('\r'));
    ini.lines = text.split(QLatin1Char('\n'));
    if (!ini.lines.isEmpty() && ini.lines.last().isEmpty())
        ini.lines.removeLast();
    return ini;
}

bool isSectionLine(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool keyOf(const QString& line, QString* key, QString* value)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

// Line range [first, end) of a section's body; first == -1 when the section is absent.
std::pair<qsizetype, qsizetype> findSection(const QStringList& lines, const QString& section)
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
    const IniText ini = load(path);
    const auto [first, end] = findSection(ini.lines, section);
    for (qsizetype i = first; first >= 0 && i < end; ++i) {
        QString k, v;
        if (keyOf(ini.lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return QString();
}

bool WriteIniValue(const QString& path, const QString& section, const QString& key, const QString& value)
{
    IniText ini = load(path);
    const QString entry = key + QLatin1Char('=') + value;
    const auto [first, end] = findSection(ini.lines, section);
    bool written = false;
    if (first >= 0) {
        for (qsizetype i = first; i < end; ++i) {
            QString k, v;
            if (keyOf(ini.lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
                ini.lines[i] = entry;
                written = true;
                break;
            }
        }
        if (!written) {
            // after the section's last non-blank line
            qsizetype at = end;
            while (at > first && ini.lines[at - 1].trimmed().isEmpty())
                --at;
            ini.lines.insert(at, entry);
        }
    } else {
        ini.lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
    const QString eol = ini.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((ini.lines.join(eol) + eol).toUtf8());
    return file.commit();
}
