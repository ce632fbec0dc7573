#include "document/Conversions.h"

#include "document/DataRecord.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

QString TrimFixed(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    QString trimmed = text.left(end);
    const qsizetype nul = trimmed.indexOf(QChar(0));
    return nul < 0 ? trimmed : trimmed.left(nul);
}

std::optional<double> ParseNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    int points = 0;
    for (qsizetype k = i; k < t.size(); ++k) {
        const QChar c = t[k];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    // The C locale parses "." whatever the user's locale is.
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool IsNumeric(const QString& text)
{
    return ParseNumber(text).has_value();
}

bool IsDigitsOnly(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

double RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
}

int16_t ToIntOr(const QString& text, int16_t fallback)
{
    const auto value = ParseNumber(text);
    if (!value)
        return fallback;
    const double rounded = RoundHalfEven(*value);
    if (rounded < std::numeric_limits<int16_t>::min() || rounded > std::numeric_limits<int16_t>::max())
        return fallback;
    return static_cast<int16_t>(rounded);
}

int16_t ClampFlag(int16_t value, int16_t fallback)
{
    return (value == 0 || value == 1) ? value : fallback;
}

QString HexByte(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString FormatFixed(double value, int decimals)
{
    // Round half away from zero on the decimal value, then print with the C locale.
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::round(value * scale + (value >= 0 ? 1e-9 : -1e-9));
    return QLocale::c().toString(scaled / scale, 'f', decimals);
}

QString FormatShortest(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QString DtmfDigitText(int16_t value)
{
    const QString hex = QString::number(static_cast<uint16_t>(value), 16).toUpper();
    if (hex == QLatin1String("E"))
        return QStringLiteral("#");
    if (hex == QLatin1String("F"))
        return QStringLiteral("*");
    return hex;
}

int16_t DtmfDigitValue(const QString& text)
{
    if (text.isEmpty())
        return 16;
    const QChar c = text.at(0);
    if (c == QLatin1Char('#'))
        return 14;
    if (c == QLatin1Char('*'))
        return 15;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return static_cast<int16_t>(c.unicode() - '0');
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return static_cast<int16_t>(c.unicode() - 'A' + 10);
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return static_cast<int16_t>(c.unicode() - 'a' + 10);
    return 16;
}

QString GroupLetter(int16_t group)
{
    if (group >= 2 && group <= 10)
        return QString(QChar('A' + group - 1));
    if (group == 11)
        return QStringLiteral("MEM");
    return QStringLiteral("A");
}

int16_t GroupNumber(const QString& text)
{
    if (text == QLatin1String("MEM"))
        return 11;
    if (text.size() == 1 && text[0] >= QLatin1Char('A') && text[0] <= QLatin1Char('J'))
        return static_cast<int16_t>(text[0].unicode() - 'A' + 1);
    return 0;
}

namespace {
const char* const kModeNames[] = {"FM", "AM", "USB", "LSB", "PA"};
}

QString WorkModeName(int mode)
{
    return mode == kModeCB ? QStringLiteral("CB") : QStringLiteral("HF");
}

QString ModeName(int16_t value)
{
    if (value >= 1 && value <= 4)
        return QString::fromLatin1(kModeNames[value]);
    return QStringLiteral("FM");
}

int16_t ModeIndex(const QString& name)
{
    for (int16_t i = 0; i < 5; ++i)
        if (name == QLatin1String(kModeNames[i]))
            return i;
    return 0;
}

int16_t CoerceMode(const OptionRecord& opt, int16_t mode)
{
    int16_t first = 0;
    for (int16_t i = 0; i <= 4; ++i) {
        if (opt.ModeEnable[i] > 0) {
            first = i;
            break;
        }
    }
    if (mode >= 0 && mode <= 4 && opt.ModeEnable[mode] > 0)
        return mode;
    return first;
}

QStringList ModeListItems(const OptionRecord& opt, bool withoutPa)
{
    QStringList items;
    for (int i = 0; i <= 3; ++i)
        if (opt.ModeEnable[i] > 0)
            items << QString::fromLatin1(kModeNames[i]);
    if (!withoutPa && opt.ModeEnable[4] > 0)
        items << QStringLiteral("PA");
    return items;
}

void CoerceAllChannelModes(RadioDocument& doc)
{
    for (int mode = 0; mode <= 1; ++mode)
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = std::clamp<int>(doc.Data.ChannelCount[mode][group], 0, kMaxChannels);
            for (int pos = 1; pos <= count; ++pos) {
                ChannelRecord& ch = doc.Channels[mode][pos][group];
                ch.Modulation = CoerceMode(doc.Data.Opt, ch.Modulation);
            }
        }
}

namespace {
qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}
} // namespace

QString FileNameOf(const QString& path)
{
    const qsizetype sep = lastSeparator(path);
    return sep < 0 ? path : path.mid(sep + 1);
}

QString ParentFolder(const QString& path)
{
    const qsizetype sep = lastSeparator(path);
    // position counted from 1 must be 2 or later, i.e. index 1 or later
    if (sep >= 1)
        return path.left(sep);
    return path;
}

QString InstallRoot(const QString& programFolder)
{
    QString folder = programFolder;
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return ParentFolder(folder);
}

QString ComboPick(const QStringList& items, const QString& text)
{
    if (items.isEmpty())
        return QString();
    return items.contains(text) ? text : items.first();
}

QString ComboItemAt(const QStringList& items, int index)
{
    if (items.isEmpty())
        return QString();
    if (index >= 0 && index < items.size())
        return items.at(index);
    return items.first();
}
