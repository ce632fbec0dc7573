#include "editors/features/OptionFeatureRules.h"

#include "document/Conversions.h"
#include "document/DataRecord.h"
#include "editors/features/DtmfRules.h"
#include "editors/features/RogerBeepRules.h"
#include "i18n/FeatureTexts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kClarifierLimit = 1000;
constexpr int kRssiTop = 35;

QStringList texts(std::initializer_list<FeatureText> keys, int language)
{
    QStringList items;
    for (FeatureText key : keys)
        items << Text(key, language);
    return items;
}

QStringList numbers(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
}

QStringList offOnItems(int language)
{
    return texts({FeatureText::OffUpper, FeatureText::OnUpper}, language);
}

enum class ShownBy { Index, Text, Tot, Mode };

ShownBy shownBy(int id)
{
    switch (id) {
    case OptId::Mic:
    case OptId::AsqLevel:
    case OptId::PubRoger:
    case OptId::PubBot:
    case OptId::PubEot:
    case OptId::PubCall:
        return ShownBy::Text;
    case OptId::Tot:
        return ShownBy::Tot;
    case OptId::PubMode:
        return ShownBy::Mode;
    default:
        return ShownBy::Index;
    }
}

int indexOr0(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

// A number written with the fixed decimals the field shows, clamped to its range; the
// fallback text when it is not a number.
QString correctedText(const QString& text, double low, double high, int decimals, const QString& fallback)
{
    const std::optional<double> value = ParseNumber(text);
    if (!value)
        return fallback;
    return FormatFixed(std::clamp(*value, low, high), decimals);
}

long scaled(const QString& text, double factor)
{
    return std::lround(ParseNumber(text).value_or(0.0) * factor);
}

} // namespace

int16_t* OptFeatField(DataRecord& data, int id)
{
    OptionRecord& o = data.Opt;
    switch (id) {
    case OptId::TxDisplay:
        return &o.TxDisplay;
    case OptId::Mic:
        return &o.MicLevel;
    case OptId::Nog:
        return &o.Nog;
    case OptId::Tot:
        return &o.TotTime;
    case OptId::ScanMode:
        return &o.ScanMode;
    case OptId::Fin:
        return &o.Fin;
    case OptId::Color:
        return &o.BacklightColor;
    case OptId::PubMode:
        return &o.PubMode;
    case OptId::FreqCh:
        return &data.FreqChMode;
    case OptId::AsqLevel:
        return &data.AsqLevel;
    case OptId::Beep:
        return &o.Beep;
    case OptId::SwrProtect:
        return &o.SwrProtect;
    case OptId::VoltProtect:
        return &o.VoltProtect;
    case OptId::PubHiCut:
        return &o.PubHiCut;
    case OptId::PubNbAnl:
        return &o.PubNbAnl;
    case OptId::PubEcho:
        return &o.PubEcho;
    case OptId::PubAdd10k:
        return &o.PubAdd10k;
    case OptId::PubRoger:
        return &o.PubRoger;
    case OptId::PubBot:
        return &o.PubBot;
    case OptId::PubEot:
        return &o.PubEot;
    case OptId::PubCall:
        return &o.PubCall;
    default:
        if (id >= OptId::FmEnable && id <= OptId::PaEnable)
            return &o.ModeEnable[id - OptId::FmEnable];
        return nullptr;
    }
}

const int16_t* OptFeatField(const DataRecord& data, int id)
{
    // One table of ids serves reading and writing.
    return OptFeatField(const_cast<DataRecord&>(data), id);
}

QStringList OptSelectorItems(int id, const DataRecord& data, int language)
{
    switch (id) {
    case OptId::Tot: {
        QStringList items{Text(FeatureText::OffMixed, language)};
        for (int s = 30; s <= 600; s += 30)
            items << QString::number(s) + QStringLiteral("s");
        return items;
    }
    case OptId::TxDisplay:
        return texts({FeatureText::TxDisplayFrequency, FeatureText::TxDisplaySwr, FeatureText::TxDisplayTot,
                      FeatureText::TxDisplayBattery},
                     language);
    case OptId::Mic:
        return numbers(1, 36);
    case OptId::AsqLevel:
        return numbers(1, 9);
    case OptId::Nog:
        return QStringList{Text(FeatureText::OffMixed, language)} + numbers(1, 32);
    case OptId::Color:
        return texts({FeatureText::ColorWhite, FeatureText::ColorBlue, FeatureText::ColorGreen, FeatureText::ColorRed,
                      FeatureText::ColorYellow, FeatureText::ColorPurple, FeatureText::ColorCyan},
                     language);
    case OptId::ScanMode:
        return texts({FeatureText::ScanSquelch, FeatureText::ScanTime}, language);
    case OptId::Fin:
        return {Text(FeatureText::OffMixed, language), QStringLiteral("R"), QStringLiteral("T"), QStringLiteral("RT")};
    case OptId::FreqCh:
        return texts({FeatureText::FreqChChannel, FeatureText::FreqChFrequency}, language);
    case OptId::PubBot:
    case OptId::PubEot:
    case OptId::PubCall:
        return DtmfCodeListItems(data.Opt, language);
    case OptId::PubHiCut:
    case OptId::PubNbAnl:
    case OptId::PubEcho:
    case OptId::PubAdd10k:
        return offOnItems(language);
    case OptId::PubRoger:
        return RogerListItems(data, language);
    case OptId::PubMode:
        return ModeListItems(data.Opt, false);
    default:
        return {};
    }
}

int OptShownIndex(int id, const DataRecord& data, const QStringList& items)
{
    const int16_t* field = OptFeatField(data, id);
    if (!field || items.isEmpty())
        return 0;
    const int count = int(items.size());
    switch (shownBy(id)) {
    case ShownBy::Index:
        return indexOr0(*field, count);
    case ShownBy::Tot:
        // Integer division drops the remainder: a stored 7 shows the item of 60 s.
        return indexOr0(*field / 3, count);
    case ShownBy::Text:
        return std::max(0, int(items.indexOf(QString::number(*field))));
    case ShownBy::Mode: {
        const QString name = (*field >= 0 && *field <= 4) ? ModeName(*field) : QStringLiteral("FM");
        return std::max(0, int(items.indexOf(name)));
    }
    }
    return 0;
}

bool SaveOptFeat(DataRecord& data, int id, int index, const QString& text)
{
    int16_t* field = OptFeatField(data, id);
    if (!field)
        return false;
    switch (shownBy(id)) {
    case ShownBy::Index:
        *field = int16_t(index);
        break;
    case ShownBy::Tot:
        *field = int16_t(index * 3);
        break;
    case ShownBy::Text:
        *field = ToIntOr(text, 0);
        break;
    case ShownBy::Mode:
        *field = ModeIndex(text);
        break;
    }
    return true;
}

void LimitClarifiers(OptionRecord& opt)
{
    opt.Rtix = int16_t(std::clamp<int>(opt.Rtix, -kClarifierLimit, kClarifierLimit));
    opt.Ttix = int16_t(std::clamp<int>(opt.Ttix, -kClarifierLimit, kClarifierLimit));
}

SwrMaxResult LeaveSwrMax(const QString& text)
{
    const QString shown = correctedText(text, 1.2, 20.0, 1, QStringLiteral("20.0"));
    return {shown, int16_t(scaled(shown, 10))};
}

VoltResult LeaveVolt(const QString& minText, const QString& maxText, bool leftMin)
{
    QString minShown = minText;
    QString maxShown = maxText;
    QString& left = leftMin ? minShown : maxShown;
    left = correctedText(left, 9.0, 17.0, 1, QStringLiteral("9.0"));
    if (ParseNumber(maxShown).value_or(0.0) < ParseNumber(minShown).value_or(0.0))
        std::swap(minShown, maxShown);
    return {minShown, maxShown, int16_t(scaled(minShown, 10)), int16_t(scaled(maxShown, 10))};
}

TxOffsetResult LeaveTxOffset(const QString& text)
{
    const QString shown = correctedText(text, 0.0001, 5.0, 4, QStringLiteral("5.0000"));
    return {shown, int32_t(scaled(shown, 10000))};
}

QString LeaveRssi(DataRecord& data, int field, const QString& text)
{
    if (field < 0 || field > 11)
        return QString();
    BasedArray<int16_t, 0, 11>& levels = data.RssiLevel;
    if (IsDigitsOnly(text.trimmed())) {
        const int v = std::clamp(ToIntOr(text, 0) - 1, 0, kRssiTop);
        const bool first = field == 0 || field == 6;
        const bool last = field == 5 || field == 11;
        const bool aboveLeft = first || levels[field - 1] < v;
        const bool belowRight = last || v < levels[field + 1];
        if (aboveLeft && belowRight)
            levels[field] = int16_t(v);
    }
    return QString::number(levels[field] + 1);
}

QString SwrMaxText(int16_t stored)
{
    return FormatFixed(stored / 10.0, 1);
}
QString VoltText(int16_t stored)
{
    return FormatFixed(stored / 10.0, 1);
}
QString TxOffsetText(int32_t stored)
{
    return FormatFixed(stored / 10000.0, 4);
}

bool ApplyModeEnable(RadioDocument& doc, int mode, bool checked)
{
    if (mode < 0 || mode > 4)
        return checked;
    OptionRecord& opt = doc.Data.Opt;
    if (!checked && mode <= 3) {
        bool otherChecked = false;
        for (int i = 0; i <= 3; ++i)
            otherChecked = otherChecked || (i != mode && opt.ModeEnable[i] != 0);
        if (!otherChecked)
            checked = true;
    }
    opt.ModeEnable[mode] = checked ? 1 : 0;
    CoerceAllChannelModes(doc);
    return checked;
}

int ReselectPublicMode(DataRecord& data, const QStringList& items, const QString& remembered)
{
    const int index = std::max(0, int(items.indexOf(remembered)));
    if (!items.isEmpty())
        data.Opt.PubMode = ModeIndex(items.at(index));
    return index;
}
