#include "files/DocumentDiff.h"

#include "document/Conversions.h"
#include "document/ToneCodes.h"
#include "editors/channels/ChannelRules.h"
#include "editors/features/DtmfRules.h"
#include "editors/features/OptionFeatureRules.h"
#include "editors/features/RogerBeepRules.h"
#include "i18n/ChannelTexts.h"
#include "i18n/DiffTexts.h"
#include "i18n/FeatureTexts.h"
#include "image/MemoryImage.h"

#include <QStringList>

#include <functional>

namespace {

using Shown = std::function<QString(int)>;

// Collects the lines "place: caption before -> after" (the caption may be empty).
class DiffLines {
public:
    DiffLines(int language, DiffScope scope) : language_(language), scope_(scope) {}

    // Texts a window shows come from that window's table, the others from the diff's own.
    template <typename Key> QString t(Key key) const { return Text(key, language_); }
    int language() const { return language_; }
    bool whole() const { return scope_ == DiffScope::WholeDocument; }
    const QStringList& lines() const { return lines_; }

    void add(const QString& place, const QString& caption, const QString& before, const QString& after)
    {
        lines_ << place + QStringLiteral(": ") + (caption.isEmpty() ? QString() : caption + QLatin1Char(' ')) + before +
                      QStringLiteral(" -> ") + after;
    }

    // Two values that differ but read the same in the window (a TOT of 7 shows as 60s like 6)
    // also name what is stored, so no line ever reads "x -> x".
    void shownWithStored(const QString& place, const QString& caption, QString before, QString after,
                         const QString& storedBefore, const QString& storedAfter)
    {
        if (before == after) {
            before += QStringLiteral(" [%1]").arg(storedBefore);
            after += QStringLiteral(" [%1]").arg(storedAfter);
        }
        add(place, caption, before, after);
    }

    void value(const QString& place, const QString& caption, int before, int after, const Shown& shown)
    {
        if (before != after)
            shownWithStored(place, caption, shown(before), shown(after), QString::number(before),
                            QString::number(after));
    }
    void number(const QString& place, const QString& caption, int before, int after)
    {
        value(place, caption, before, after, [](int v) { return QString::number(v); });
    }
    template <int N>
    void text(const QString& place, const QString& caption, const FixedText<N>& before, const FixedText<N>& after)
    {
        const QString a = TrimFixed(before.text());
        const QString b = TrimFixed(after.text());
        if (a != b)
            add(place, caption, orEmpty(a), orEmpty(b));
    }
    QString orEmpty(const QString& s) const { return s.isEmpty() ? t(DiffText::Empty) : s; }

    // Value texts as the windows show them; a value no list item stands for is shown as stored.
    Shown list(const QStringList& items) const
    {
        return [items](int v) { return v >= 0 && v < items.size() ? items[v] : QString::number(v); };
    }
    // A channel selector whose list is fixed, as the channel window lists it.
    Shown channelList(DetailField field) const { return list(FixedListEntries(field, language_)); }
    Shown onOff() const { return list({t(FeatureText::OffUpper), t(FeatureText::OnUpper)}); }
    // Roger, BOT, EOT, Call: "OFF" or the number
    Shown reference(const QString& off) const
    {
        return [off](int v) { return v == 0 ? off : QString::number(v); };
    }
    Shown scaled(int factor) const
    {
        return [factor](int v) { return QString::number(v * factor); };
    }
    Shown fixed(double divisor, int decimals, const QString& unit = {}) const
    {
        return [=](int v) {
            const QString s = FormatFixed(v / divisor, decimals);
            return unit.isEmpty() ? s : s + QLatin1Char(' ') + unit;
        };
    }

private:
    int language_;
    DiffScope scope_;
    QStringList lines_;
};

QString ModeLabel(const DiffLines& d, int mode)
{
    return d.t(mode == kModeCB ? DiffText::ModeCB : DiffText::ModeHF);
}

// GetCHName: 1..40 by number, 41..46 as M1..M6.
QString ChannelName(int id)
{
    return id > kNumberedChannels && id <= kMaxChannels ? QStringLiteral("M%1").arg(id - kNumberedChannels)
                                                        : QString::number(id);
}

QString ModulationText(int v)
{
    return v >= 0 && v <= 4 ? ModeName(static_cast<int16_t>(v)) : QString::number(v);
}
QString ToneText(int v)
{
    return v >= 0 && v < kToneCodeCount ? ToneCodeText(v) : QString::number(v);
}
QString GroupText(int v)
{
    return v >= 1 && v <= kGroupCount ? GroupLetter(static_cast<int16_t>(v)) : QString::number(v);
}

// The frequency as the channel grid shows it ("#0.0000" MHz).
QString FrequencyText(const DiffLines& d, const FixedText<8>& stored)
{
    const QString s = TrimFixed(stored.text()).trimmed();
    if (s.isEmpty() || s == QStringLiteral("FFFFFFFF"))
        return d.t(DiffText::Empty);
    if (!IsDigitsOnly(s))
        return s;
    const std::optional<double> mhz = ParseNumber(s.left(2) + QLatin1Char('.') + s.mid(2));
    return mhz ? FormatFixed(*mhz, 4) : s;
}

// What the image holds of a frequency: the first six digits of the text padded with "0"
// to eight, 100 Hz steps; empty when the encoder would write no digits.
QString ImageFrequency(const FixedText<8>& stored)
{
    const QString full = stored.text();
    if (full == QStringLiteral("FFFFFFFF"))
        return {};
    const QString digits = TrimFixed(full).leftJustified(8, QLatin1Char('0'), true);
    return IsDigitsOnly(digits) ? digits.left(6) : QString();
}

int CountOf(const RadioDocument& doc, int mode, int group)
{
    const int count = doc.Data.ChannelCount[mode][group];
    return count < 0 ? 0 : count > kMaxChannels ? kMaxChannels : count;
}

// The channel with number `id` in list (mode, group); within the radio's content only one
// whose frequency the image can hold, since any other does not come back from the radio.
const ChannelRecord* FindChannel(const RadioDocument& doc, int mode, int group, int id, bool wholeDocument)
{
    for (int pos = 1; pos <= CountOf(doc, mode, group); ++pos) {
        const ChannelRecord& c = doc.Channels[mode][pos][group];
        if (c.ChId != id)
            continue;
        if (!wholeDocument && ImageFrequency(c.RxFreq).isEmpty())
            return nullptr;
        return &c;
    }
    return nullptr;
}

void CompareChannel(DiffLines& d, const QString& place, const ChannelRecord& a, const ChannelRecord& b)
{
    // Between pairs every stored digit counts; the radio keeps 100 Hz steps.
    const QString freqA = d.whole() ? TrimFixed(a.RxFreq.text()) : ImageFrequency(a.RxFreq);
    const QString freqB = d.whole() ? TrimFixed(b.RxFreq.text()) : ImageFrequency(b.RxFreq);
    if (freqA != freqB)
        d.shownWithStored(place, d.t(DiffText::Frequency), FrequencyText(d, a.RxFreq), FrequencyText(d, b.RxFreq),
                          TrimFixed(a.RxFreq.text()), TrimFixed(b.RxFreq.text()));
    const Shown reference = d.reference(d.t(ChannelText::Off));
    d.value(place, d.t(ChannelText::Tsq), a.TsqCode, b.TsqCode, ToneText);
    d.value(place, d.t(ChannelText::HiCut), a.HiCut, b.HiCut, d.channelList(DetailField::HiCut));
    d.value(place, d.t(ChannelText::NbAnl), a.NbAnl, b.NbAnl, d.channelList(DetailField::NbAnl));
    d.value(place, d.t(ChannelText::Echo), a.Echo, b.Echo, d.channelList(DetailField::Echo));
    d.value(place, d.t(ChannelText::Add10k), a.Add10k, b.Add10k, d.channelList(DetailField::Add10k));
    d.value(place, d.t(ChannelText::Busy), a.BusyLock, b.BusyLock, d.channelList(DetailField::Busy));
    d.value(place, d.t(ChannelText::Rep), a.RptShift, b.RptShift, d.channelList(DetailField::Rep));
    d.value(place, d.t(ChannelText::Public), a.PublicCh, b.PublicCh, d.channelList(DetailField::Public));
    d.value(place, d.t(ChannelText::Scan), a.Scan, b.Scan, d.channelList(DetailField::Scan));
    d.value(place, d.t(ChannelText::Roger), a.RogerTone, b.RogerTone, reference);
    d.value(place, d.t(ChannelText::Mode), a.Modulation, b.Modulation, ModulationText);
    d.value(place, d.t(ChannelText::Bot), a.BotCode, b.BotCode, reference);
    d.value(place, d.t(ChannelText::Eot), a.EotCode, b.EotCode, reference);
    d.value(place, d.t(ChannelText::Call), a.CallCode, b.CallCode, reference);
    if (d.whole()) {
        d.number(place, d.t(DiffText::InUse), a.InUse, b.InUse);
        d.value(place, d.t(DiffText::EncCode), a.EncCode, b.EncCode, ToneText);
    }
}

void CompareGroup(DiffLines& d, const RadioDocument& before, const RadioDocument& after, int mode, int group)
{
    const OptionRecord& a = before.Data.Opt;
    const OptionRecord& b = after.Data.Opt;
    const QString place = ModeLabel(d, mode) + QLatin1Char(' ') + GroupLetter(static_cast<int16_t>(group));
    d.text(place, d.t(DiffText::GroupName), a.GroupName[mode][group], b.GroupName[mode][group]);
    d.value(place, d.t(ChannelText::GroupValid), a.GroupValid[mode][group], b.GroupValid[mode][group],
            d.list({d.t(ChannelText::Off), d.t(ChannelText::On)}));
    const QString one = QStringLiteral("1");
    const QString two = QStringLiteral("2");
    d.value(place, d.t(ChannelText::EmgChx) + one, a.EmgCh1[mode][group], b.EmgCh1[mode][group], ChannelName);
    d.value(place, d.t(ChannelText::EmgChx) + two, a.EmgCh2[mode][group], b.EmgCh2[mode][group], ChannelName);
    d.value(place, d.t(ChannelText::DwChx) + one, a.DwCh1[mode][group], b.DwCh1[mode][group], ChannelName);
    d.value(place, d.t(ChannelText::DwChx) + two, a.DwCh2[mode][group], b.DwCh2[mode][group], ChannelName);
    d.value(place, d.t(DiffText::WorkChx), a.WorkCh[mode][group], b.WorkCh[mode][group], ChannelName);
    d.value(place, d.t(DiffText::MemChx), a.MemCh[mode][group], b.MemCh[mode][group], ChannelName);

    for (int id = 1; id <= kMaxChannels; ++id) {
        if (!d.whole() && IsDtmfStorageSlot(mode, group, id))
            continue;
        const ChannelRecord* ca = FindChannel(before, mode, group, id, d.whole());
        const ChannelRecord* cb = FindChannel(after, mode, group, id, d.whole());
        const QString channelPlace = place + QLatin1Char(' ') + ChannelName(id);
        if (ca && cb)
            CompareChannel(d, channelPlace, *ca, *cb);
        else if (ca)
            d.add(channelPlace, {}, FrequencyText(d, ca->RxFreq), d.t(DiffText::ChannelNone));
        else if (cb)
            d.add(channelPlace, {}, d.t(DiffText::ChannelNone), FrequencyText(d, cb->RxFreq));
    }
}

void CompareOptions(DiffLines& d, const DataRecord& da, const DataRecord& db)
{
    const OptionRecord& a = da.Opt;
    const OptionRecord& b = db.Opt;
    const QString offMixed = d.t(FeatureText::OffMixed);
    const QString seconds = d.t(DiffText::Seconds);
    const auto cap = [&d](FeatureText key) { return d.t(key); };
    // The window's own list of a selector shown by position.
    const auto items = [&d, &da](int id) { return d.list(OptSelectorItems(id, da, d.language())); };

    // Left column of the optional-features window
    d.value(cap(FeatureText::Tot), {}, a.TotTime, b.TotTime,
            [offMixed, seconds](int v) { return v == 0 ? offMixed : seconds.arg(v * 10); });
    d.value(cap(FeatureText::Indic), {}, a.TxDisplay, b.TxDisplay, items(OptId::TxDisplay));
    d.number(cap(FeatureText::Mic), {}, a.MicLevel, b.MicLevel);
    d.number(cap(FeatureText::AsqLevel), {}, da.AsqLevel, db.AsqLevel);
    d.value(cap(FeatureText::Nog), {}, a.Nog, b.Nog, items(OptId::Nog));
    d.value(cap(FeatureText::Color), {}, a.BacklightColor, b.BacklightColor, items(OptId::Color));
    d.value(cap(FeatureText::Scm), {}, a.ScanMode, b.ScanMode, items(OptId::ScanMode));
    d.value(cap(FeatureText::Fin), {}, a.Fin, b.Fin, items(OptId::Fin));
    d.value(cap(FeatureText::FreqCh), {}, da.FreqChMode, db.FreqChMode, items(OptId::FreqCh));
    if (da.TxOffset != db.TxOffset)
        d.shownWithStored(cap(FeatureText::TxOffset), {}, d.fixed(10000.0, 4, cap(FeatureText::MHz))(da.TxOffset),
                          d.fixed(10000.0, 4, cap(FeatureText::MHz))(db.TxOffset), QString::number(da.TxOffset),
                          QString::number(db.TxOffset));
    static const char* const kRssiLabels[6] = {"1", "3", "5", "7", "9", "+30"};
    for (int i = 0; i <= 11; ++i) {
        const QString place = cap(i < 6 ? FeatureText::RssiFmAm : FeatureText::RssiUsbLsb) + QLatin1Char(' ') +
                              QLatin1String(kRssiLabels[i % 6]);
        d.value(place, {}, da.RssiLevel[i], db.RssiLevel[i], [](int v) { return QString::number(v + 1); });
    }

    // Right column
    d.value(cap(FeatureText::Beep), {}, a.Beep, b.Beep, d.onOff());
    d.value(cap(FeatureText::SwrProtect), {}, a.SwrProtect, b.SwrProtect, d.onOff());
    d.value(cap(FeatureText::SwrProtect), cap(FeatureText::SwrMax), a.SwrMax, b.SwrMax, d.fixed(10.0, 1));
    d.value(cap(FeatureText::VoltProtect), {}, a.VoltProtect, b.VoltProtect, d.onOff());
    d.value(cap(FeatureText::VoltMin), {}, a.VoltMin, b.VoltMin, d.fixed(10.0, 1));
    d.value(cap(FeatureText::VoltMax), {}, a.VoltMax, b.VoltMax, d.fixed(10.0, 1));

    // The public channel
    const QString pub = cap(FeatureText::Public);
    const Shown pubReference = d.reference(cap(FeatureText::OffUpper));
    d.value(pub, cap(FeatureText::Bot), a.PubBot, b.PubBot, pubReference);
    d.value(pub, cap(FeatureText::Eot), a.PubEot, b.PubEot, pubReference);
    d.value(pub, cap(FeatureText::Call), a.PubCall, b.PubCall, pubReference);
    d.value(pub, cap(FeatureText::HiCut), a.PubHiCut, b.PubHiCut, d.onOff());
    d.value(pub, cap(FeatureText::NbAnl), a.PubNbAnl, b.PubNbAnl, d.onOff());
    d.value(pub, cap(FeatureText::Echo), a.PubEcho, b.PubEcho, d.onOff());
    d.value(pub, cap(FeatureText::Add10k), a.PubAdd10k, b.PubAdd10k, d.onOff());
    d.value(pub, cap(FeatureText::Roger), a.PubRoger, b.PubRoger, pubReference);
    d.value(pub, cap(FeatureText::Mode), a.PubMode, b.PubMode, ModulationText);
    d.value(pub, d.t(ChannelText::Busy), a.PubBusy, b.PubBusy, d.onOff());

    for (int i = 0; i <= 4; ++i)
        d.value(d.t(DiffText::ModeEnable).arg(ModeName(static_cast<int16_t>(i))), {}, a.ModeEnable[i], b.ModeEnable[i],
                d.onOff());

    // Settings the radio holds that no window shows
    d.number(d.t(DiffText::WorkModeValid), {}, a.WorkModeValid, b.WorkModeValid);
    d.value(d.t(DiffText::Vox), {}, a.VoxFunction, b.VoxFunction, d.onOff());
    d.value(d.t(DiffText::ChannelMode), {}, a.ChannelMode, b.ChannelMode,
            d.list({QStringLiteral("CH"), QStringLiteral("MEM")}));
    d.value(d.t(DiffText::MemMenu), {}, a.MemMenu, b.MemMenu, d.onOff());
    d.number(d.t(DiffText::MenuPage), {}, a.MenuPage, b.MenuPage);
}

void CompareDtmf(DiffLines& d, const OptionRecord& a, const OptionRecord& b)
{
    d.value(d.t(FeatureText::DtmfSendTime), {}, a.DtmfSendTime, b.DtmfSendTime, d.scaled(10));
    d.value(d.t(FeatureText::DtmfFirstDigitTime), {}, a.DtmfFirstDigitTime, b.DtmfFirstDigitTime, d.scaled(100));
    d.value(d.t(FeatureText::DtmfFirstDigitDelay), {}, a.DtmfFirstDigitDelay, b.DtmfFirstDigitDelay, d.scaled(100));
    d.value(d.t(FeatureText::DtmfStarHashTone), {}, a.DtmfStarHashTone, b.DtmfStarHashTone, d.scaled(100));
    // "D Code", then 1s .. 16s as the DTMF window lists them
    d.value(d.t(FeatureText::DtmfDKeyAssignment), {}, a.DtmfDKey, b.DtmfDKey,
            d.list(DtmfEncodeItems(DtmfEncodeField::DKey, d.language())));
    d.value(d.t(FeatureText::DtmfDisplay), {}, a.DtmfDisplay, b.DtmfDisplay, d.onOff());
    for (int i = 1; i <= 16; ++i)
        d.text(d.t(DiffText::DtmfCode).arg(i), {}, a.AutodialCode[i], b.AutodialCode[i]);
}

QString StepText(const DiffLines& d, const RogerTone& tone)
{
    const QString none = RogerBeepCaption(29201, d.language());
    if (tone.Freq == 0 && tone.Length == 0)
        return none;
    const QString freq = tone.Freq == 0 ? none : QStringLiteral("%1 Hz").arg(tone.Freq * 10);
    return freq + QStringLiteral(" %1 ms").arg(tone.Length * 10);
}

void CompareRogerBeeps(DiffLines& d, const DataRecord& a, const DataRecord& b)
{
    for (int i = 1; i <= 8; ++i) {
        const RogerSeqEntry& sa = a.RogerSeq[i];
        const RogerSeqEntry& sb = b.RogerSeq[i];
        const QString place = d.t(DiffText::RogerBeep).arg(i);
        d.value(place, RogerBeepCaption(29002, d.language()), sa.Recycle, sb.Recycle,
                d.list(RecycleItems(d.language())));
        d.value(place, RogerBeepCaption(29003, d.language()), sa.InterTime, sb.InterTime, d.scaled(10));
        for (int j = 1; j <= 14; ++j) {
            if (sa.Tone[j] == sb.Tone[j])
                continue;
            d.shownWithStored(d.t(DiffText::RogerBeepStep).arg(i).arg(j), {}, StepText(d, sa.Tone[j]),
                              StepText(d, sb.Tone[j]),
                              QStringLiteral("%1/%2").arg(sa.Tone[j].Freq).arg(sa.Tone[j].Length),
                              QStringLiteral("%1/%2").arg(sb.Tone[j].Freq).arg(sb.Tone[j].Length));
        }
    }
}

// Fields a data file pair keeps and the image does not.
void CompareFileOnly(DiffLines& d, const DataRecord& a, const DataRecord& b)
{
    d.text(d.t(DiffText::ModelName), {}, a.ModelName, b.ModelName);
    d.text(d.t(DiffText::ModelShort), {}, a.ModelShort, b.ModelShort);
    d.number(d.t(DiffText::ModelCode), {}, a.ModelCode, b.ModelCode);
    d.number(d.t(DiffText::ModelKind), {}, a.ModelKind, b.ModelKind);
    d.number(d.t(DiffText::ModelBand), {}, a.ModelBand, b.ModelBand);
    d.number(d.t(DiffText::BandCode), {}, a.BandCode, b.BandCode);
    d.text(d.t(DiffText::CreateDate), {}, a.CreateDate, b.CreateDate);
    d.text(d.t(DiffText::SoftVersion), {}, a.SoftVersion, b.SoftVersion);
    d.number(d.t(DiffText::OptWorkMode), {}, a.Opt.OptWorkMode, b.Opt.OptWorkMode);
    d.number(d.t(DiffText::Rtix), {}, a.Opt.Rtix, b.Opt.Rtix);
    d.number(d.t(DiffText::Ttix), {}, a.Opt.Ttix, b.Opt.Ttix);
}

} // namespace

QStringList DocumentDifferences(const RadioDocument& before, const RadioDocument& after, DiffScope scope, int language)
{
    DiffLines d(language, scope);
    const DataRecord& a = before.Data;
    const DataRecord& b = after.Data;

    // The top of the channel window: work mode and the work group of each mode.
    d.value(d.t(DiffText::WorkMode), {}, a.WorkMode, b.WorkMode,
            d.list({d.t(DiffText::ModeCB), d.t(DiffText::ModeHF)}));
    d.value(ModeLabel(d, kModeCB), d.t(ChannelText::WorkGroupLabel), a.Opt.CBWorkGroup, b.Opt.CBWorkGroup, GroupText);
    d.value(ModeLabel(d, kModeHF), d.t(ChannelText::WorkGroupLabel), a.Opt.HFWorkGroup, b.Opt.HFWorkGroup, GroupText);

    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group)
            CompareGroup(d, before, after, mode, group);
    }
    CompareOptions(d, a, b);
    CompareDtmf(d, a.Opt, b.Opt);
    CompareRogerBeeps(d, a, b);
    if (scope == DiffScope::WholeDocument)
        CompareFileOnly(d, a, b);
    return d.lines();
}
