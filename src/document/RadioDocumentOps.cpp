#include "document/RadioDocumentOps.h"

#include "document/Clock.h"
#include "document/Conversions.h"

#include <algorithm>
#include <vector>

QString BandTextOf(int workMode)
{
    return workMode == kModeCB ? kBandTextCB : kBandTextHF;
}

int16_t BandCodeOf(const QString& bandText)
{
    return bandText == kBandTextCB ? 0 : 1;
}

void ParseBandLimits(DocumentState& state)
{
    const QString& text = state.BandText;
    const qsizetype dash = text.indexOf(QLatin1String(" - "));
    if (dash < 0) {
        state.BandLow = 100.0;
        state.BandHigh = 500.0;
        return;
    }
    state.BandLow = ParseNumber(text.left(dash)).value_or(100.0);
    const qsizetype upperStart = dash + 3;
    const qsizetype mhz = text.indexOf(QLatin1String(" MHz"), dash);
    const QString upper = mhz < 0 ? QString() : text.mid(upperStart, mhz - upperStart);
    state.BandHigh = ParseNumber(upper).value_or(500.0);
}

QString FreqToStored(const QString& text)
{
    if (text.isEmpty())
        return QString();
    QString s = text;
    qsizetype point = s.indexOf(QLatin1Char('.'));
    if (point < 0)
        return s;
    // Two whole-MHz digits, then the fraction's digits as typed.
    while (point < 2) {
        s.prepend(QLatin1Char('0'));
        ++point;
    }
    return s.left(2) + s.mid(point + 1);
}

void StoreChannelFrequency(ChannelRecord& record, const QString& text)
{
    record.RxFreq.set(FreqToStored(text));
}

void AddChannel(RadioDocument& doc, int number, int mode, int group, const QString& frequency)
{
    int16_t& count = doc.Data.ChannelCount[mode][group];
    if (count < 0 || count >= kMaxChannels)
        return; // a full (or corrupt) list takes no more channels
    ++count;
    ChannelRecord& ch = doc.Channels[mode][count][group];
    ch.ChId = static_cast<int16_t>(number);
    ch.InUse = 1;
    ch.Scan = 1;
    ch.Modulation = 0;
    ch.RxFreq.set(FreqToStored(frequency));
    ch.TxFreq = ch.RxFreq;
    ch.TsqCode = 8;
    ch.EncCode = 8;
    ch.HiCut = 0;
    ch.NbAnl = 1;
    ch.Echo = 0;
    ch.Add10k = 0;
    ch.BusyLock = 0;
    ch.RogerTone = 0;
    ch.RptShift = 0;
    ch.PublicCh = 0;
    ch.BotCode = 0;
    ch.EotCode = 0;
    ch.CallCode = 0;
}

void DeleteChannelSlot(RadioDocument& doc, int slot, int mode, int group)
{
    int16_t& count = doc.Data.ChannelCount[mode][group];
    if (slot < 1 || slot > count || count > kMaxChannels)
        return;
    --count;
    for (int i = slot; i <= count; ++i)
        doc.Channels[mode][i][group] = doc.Channels[mode][i + 1][group];
}

QString DefaultGroupFrequency(int group)
{
    static const char* const kFrequencies[] = {"28.015000", "28.145000", "28.115000", "28.085000", "28.055000",
                                               "28.025000", "28.015000", "28.145000", "28.115000", "28.085000"};
    if (group < 1 || group > kGroupCount)
        return QString();
    return QString::fromLatin1(kFrequencies[group - 1]);
}

bool AddGroupDefaultChannel(RadioDocument& doc, int mode, int group)
{
    if (mode < 0 || mode > 1 || group < 1 || group > kGroupCount)
        return false;
    const int16_t before = doc.Data.ChannelCount[mode][group];
    AddChannel(doc, 1, mode, group, DefaultGroupFrequency(group));
    return doc.Data.ChannelCount[mode][group] != before;
}

namespace {

using RogerTones = std::vector<std::pair<int, int>>; // frequency, length

// `count` tones of one length, alternating between two frequencies, the first one first.
RogerTones alternatingTones(int first, int second, int length, int count)
{
    RogerTones tones;
    for (int i = 0; i < count; ++i)
        tones.emplace_back(i % 2 == 0 ? first : second, length);
    return tones;
}

void setRoger(RogerSeqEntry& entry, const RogerTones& tones, int recycle)
{
    entry = RogerSeqEntry{};
    int j = 1;
    for (const auto& [freq, length] : tones) {
        entry.Tone[j].Freq = static_cast<int16_t>(freq);
        entry.Tone[j].Length = static_cast<int16_t>(length);
        ++j;
    }
    entry.Recycle = static_cast<int16_t>(recycle);
    entry.InterTime = 0;
}

void setOptionDefaults(OptionRecord& o)
{
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g) {
            o.GroupValid[mode][g] = 1;
            o.GroupName[mode][g].setRaw(QByteArray(1, char('A' + g - 1)) + QByteArray(1, '\0'));
            o.EmgCh1[mode][g] = 1;
            o.EmgCh2[mode][g] = 1;
            o.WorkCh[mode][g] = 1;
            o.DwCh1[mode][g] = 1;
            o.DwCh2[mode][g] = 1;
            o.MemCh[mode][g] = 41;
        }
    o.WorkModeValid = 2;
    o.OptWorkMode = 1;
    o.CBWorkGroup = 1;
    o.HFWorkGroup = 1;
    o.VoxFunction = 0;
    o.ChannelMode = 0;
    o.MemMenu = 0;
    o.PubBot = o.PubEot = o.PubCall = o.Rtix = o.Ttix = 0;
    o.PubHiCut = 0;
    o.PubNbAnl = 1;
    o.PubEcho = o.PubAdd10k = o.PubBusy = o.PubRoger = 0;
    o.Beep = 1;
    o.TxDisplay = 0;
    o.MicLevel = 30;
    o.Nog = 0;
    o.TotTime = 0;
    o.SwrProtect = 1;
    o.VoltProtect = 1;
    o.ScanMode = 0;
    o.Fin = 0;
    o.BacklightColor = 0;
    o.MenuPage = 1;
    o.VoltMin = 97;
    o.VoltMax = 168;
    o.SwrMax = 160;
    o.PubMode = 1;
    for (int i = 0; i <= 4; ++i)
        o.ModeEnable[i] = 1;
    o.DtmfSendTime = 1;
    o.DtmfFirstDigitTime = 1;
    o.DtmfFirstDigitDelay = 1;
    o.DtmfStarHashTone = 0;
    o.DtmfDKey = 0;
    o.DtmfDisplay = 0;
    for (int i = 1; i <= 16; ++i)
        o.AutodialCode[i].setRaw(QByteArray(1, '\0'));
}

} // namespace

void BuildDefaultDocument(RadioDocument& doc, const DocumentState& state, const Clock& clock)
{
    DataRecord& d = doc.Data;
    d.DataVersion.set(kProgVersion);
    d.WorkMode = 0;
    d.CurGroup[0] = d.CurGroup[1] = 1;
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= 11; ++g)
            d.CurChannel[mode][g] = 1;

    static const char* const kMemoryFrequencies[] = {"28.015000", "28.145000", "28.115000",
                                                     "28.085000", "28.055000", "28.025000"};
    for (int mode = 0; mode <= 1; ++mode) {
        for (int g = 1; g <= kGroupCount; ++g) {
            d.ChannelCount[mode][g] = 0;
            for (int m = 0; m < 6; ++m)
                AddChannel(doc, kFirstMemoryChannel + m, mode, g, QString::fromLatin1(kMemoryFrequencies[m]));
        }
        for (int g = 1; g <= kGroupCount; ++g)
            AddChannel(doc, 1, mode, g, DefaultGroupFrequency(g));
    }

    setOptionDefaults(d.Opt);
    d.TxOffset = 100;
    d.FreqChMode = 0;
    d.AsqLevel = 5;
    const int16_t rssi[12] = {0, 3, 10, 14, 24, 35, 0, 5, 8, 12, 23, 35};
    for (int i = 0; i <= 11; ++i)
        d.RssiLevel[i] = rssi[i];

    d.ModelBand = BandCodeOf(state.BandText);
    d.ModelShort.setRaw((state.CurModel.toLatin1() + QByteArray(1, '\0')).left(6));
    d.ModelKind = 67;
    d.CreateDate.set(clock.today().toString(QStringLiteral("yyyyMMdd")));
    d.SoftVersion.set(QStringLiteral("V2.00"));

    setRoger(d.RogerSeq[1], alternatingTones(210, 0, 10, 7), 1);
    setRoger(d.RogerSeq[2], alternatingTones(80, 0, 4, 14), 1);
    setRoger(d.RogerSeq[3], alternatingTones(170, 90, 3, 7), 1);
    setRoger(d.RogerSeq[4], {{64, 6}, {94, 6}, {134, 6}, {163, 6}, {192, 6}}, 1);
    setRoger(d.RogerSeq[5], alternatingTones(150, 70, 20, 6), 1);
    for (int i = 6; i <= 8; ++i)
        setRoger(d.RogerSeq[i], {}, 0);
}

void DocumentToSaved(RadioDocument& doc, RadioDocument& saved, DocumentState& state)
{
    DataRecord& d = doc.Data;
    d.ModelName.setRaw(state.CurModel.toLatin1() + QByteArray(1, '\0'));
    state.CurModel = state.CurModel.trimmed();
    d.BandCode = BandCodeOf(state.BandText);
    d.ModelCode = 248;
    d.ModelShort.setRaw((state.CurModel.toLatin1() + QByteArray(1, '\0')).left(6));
    d.DataVersion.set(kProgVersion);
    saved.Data = d;
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g) {
            const int count = std::clamp<int>(d.ChannelCount[mode][g], 0, kMaxChannels);
            for (int pos = 1; pos <= count; ++pos)
                saved.Channels[mode][pos][g] = doc.Channels[mode][pos][g];
        }
}

void SavedToDocument(RadioDocument& doc, const RadioDocument& saved, DocumentState& state)
{
    doc.Data = saved.Data;
    state.RadioFwVersion = doc.Data.DataVersion.text();
    state.CurModel = TrimFixed(doc.Data.ModelName.text());
    state.BandText = BandTextOf(doc.Data.WorkMode);
    ParseBandLimits(state);
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g) {
            const int count = std::clamp<int>(doc.Data.ChannelCount[mode][g], 0, kMaxChannels);
            for (int pos = 1; pos <= count; ++pos)
                doc.Channels[mode][pos][g] = saved.Channels[mode][pos][g];
        }
}
