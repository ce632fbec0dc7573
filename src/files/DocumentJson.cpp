#include "files/DocumentJson.h"

#include "document/Conversions.h"
#include "document/ToneCodes.h"
#include "editors/channels/ChannelRules.h"
#include "editors/channels/FrequencyRules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <vector>

namespace {

template <int N> QString value(const FixedText<N>& field)
{
    return TrimFixed(field.text());
}

template <typename T, int Lo, int Hi> QJsonArray numbers(const BasedArray<T, Lo, Hi>& array)
{
    QJsonArray list;
    for (int i = Lo; i <= Hi; ++i)
        list.append(array[i]);
    return list;
}

// The stored digits as MHz with four decimals, without asking anyone about a damaged field.
QString shownFrequency(const FixedText<8>& stored)
{
    const QString digits = TrimFixed(stored.text()).trimmed();
    if (!IsDigitsOnly(digits))
        return QString();
    return FormatFixed(ParseNumber(digits.left(2) + QLatin1Char('.') + digits.mid(2)).value_or(0), 4);
}

QJsonObject header(const DataRecord& d)
{
    QJsonObject curChannel;
    for (int mode = kModeCB; mode <= kModeHF; ++mode)
        curChannel.insert(WorkModeName(mode), numbers(d.CurChannel[mode]));
    return QJsonObject{
        {"DataVersion", value(d.DataVersion)},
        {"WorkMode", d.WorkMode},
        {"CurGroup", numbers(d.CurGroup)},
        {"CurChannel", curChannel},
        {"ModelName", value(d.ModelName)},
        {"ModelCode", d.ModelCode},
        {"BandCode", d.BandCode},
        {"CreateDate", value(d.CreateDate)},
        {"SoftVersion", value(d.SoftVersion)},
        {"ModelShort", value(d.ModelShort)},
        {"ModelBand", d.ModelBand},
        {"ModelKind", d.ModelKind},
        {"TxOffset", static_cast<qint64>(d.TxOffset)},
        {"FreqChMode", d.FreqChMode},
        {"AsqLevel", d.AsqLevel},
        {"RssiLevel", numbers(d.RssiLevel)},
    };
}

QJsonObject options(const OptionRecord& o)
{
    return QJsonObject{
        {"WorkModeValid", o.WorkModeValid},
        {"OptWorkMode", o.OptWorkMode},
        {"CBWorkGroup", o.CBWorkGroup},
        {"HFWorkGroup", o.HFWorkGroup},
        {"VoxFunction", o.VoxFunction},
        {"ChannelMode", o.ChannelMode},
        {"MemMenu", o.MemMenu},
        {"PubBot", o.PubBot},
        {"PubEot", o.PubEot},
        {"PubCall", o.PubCall},
        {"Rtix", o.Rtix},
        {"Ttix", o.Ttix},
        {"PubHiCut", o.PubHiCut},
        {"PubNbAnl", o.PubNbAnl},
        {"PubEcho", o.PubEcho},
        {"PubAdd10k", o.PubAdd10k},
        {"PubBusy", o.PubBusy},
        {"PubRoger", o.PubRoger},
        {"Beep", o.Beep},
        {"TxDisplay", o.TxDisplay},
        {"MicLevel", o.MicLevel},
        {"Nog", o.Nog},
        {"TotTime", o.TotTime},
        {"SwrProtect", o.SwrProtect},
        {"VoltProtect", o.VoltProtect},
        {"ScanMode", o.ScanMode},
        {"Fin", o.Fin},
        {"BacklightColor", o.BacklightColor},
        {"MenuPage", o.MenuPage},
        {"VoltMin", o.VoltMin},
        {"VoltMax", o.VoltMax},
        {"SwrMax", o.SwrMax},
        {"PubMode", o.PubMode},
        {"ModeEnable", numbers(o.ModeEnable)},
    };
}

QJsonObject channel(const ChannelRecord& c)
{
    return QJsonObject{
        {"ChId", c.ChId},
        {"name", GetCHName(c.ChId)},
        {"InUse", c.InUse},
        {"Scan", c.Scan},
        {"RxFreq", value(c.RxFreq)},
        {"frequency", shownFrequency(c.RxFreq)},
        {"TxFreq", value(c.TxFreq)},
        {"Reserved1", c.Reserved1},
        {"Reserved2", c.Reserved2},
        {"TsqCode", c.TsqCode},
        {"tone", ToneCodeText(c.TsqCode)},
        {"EncCode", c.EncCode},
        {"Modulation", c.Modulation},
        {"HiCut", c.HiCut},
        {"NbAnl", c.NbAnl},
        {"Echo", c.Echo},
        {"Add10k", c.Add10k},
        {"BusyLock", c.BusyLock},
        {"RogerTone", c.RogerTone},
        {"RptShift", c.RptShift},
        {"PublicCh", c.PublicCh},
        {"BotCode", c.BotCode},
        {"EotCode", c.EotCode},
        {"CallCode", c.CallCode},
    };
}

QJsonArray groups(const RadioDocument& doc)
{
    const OptionRecord& o = doc.Data.Opt;
    QJsonArray list;
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            std::vector<const ChannelRecord*> sorted;
            const int count = ChannelCountOf(doc, mode, group);
            for (int slot = 1; slot <= count; ++slot)
                sorted.push_back(&doc.Channels[mode][slot][group]);
            std::stable_sort(sorted.begin(), sorted.end(),
                             [](const ChannelRecord* a, const ChannelRecord* b) { return a->ChId < b->ChId; });
            QJsonArray channels;
            for (const ChannelRecord* c : sorted)
                channels.append(channel(*c));
            list.append(QJsonObject{
                {"mode", WorkModeName(mode)},
                {"group", GroupLetter(static_cast<int16_t>(group))},
                {"GroupValid", o.GroupValid[mode][group]},
                {"GroupName", value(o.GroupName[mode][group])},
                {"EmgCh1", o.EmgCh1[mode][group]},
                {"EmgCh2", o.EmgCh2[mode][group]},
                {"WorkCh", o.WorkCh[mode][group]},
                {"DwCh1", o.DwCh1[mode][group]},
                {"DwCh2", o.DwCh2[mode][group]},
                {"MemCh", o.MemCh[mode][group]},
                {"ChannelCount", doc.Data.ChannelCount[mode][group]},
                {"channels", channels},
            });
        }
    }
    return list;
}

QJsonObject dtmf(const OptionRecord& o)
{
    QJsonArray codes;
    for (int i = 1; i <= 16; ++i)
        codes.append(value(o.AutodialCode[i]));
    return QJsonObject{
        {"DtmfSendTime", o.DtmfSendTime},
        {"DtmfFirstDigitTime", o.DtmfFirstDigitTime},
        {"DtmfFirstDigitDelay", o.DtmfFirstDigitDelay},
        {"DtmfStarHashTone", o.DtmfStarHashTone},
        {"DtmfDKey", o.DtmfDKey},
        {"DtmfDisplay", o.DtmfDisplay},
        {"AutodialCode", codes},
    };
}

QJsonArray rogerBeeps(const DataRecord& d)
{
    QJsonArray list;
    for (int i = 1; i <= 8; ++i) {
        const RogerSeqEntry& seq = d.RogerSeq[i];
        QJsonArray tones;
        for (int j = 1; j <= 14; ++j)
            tones.append(QJsonObject{{"Freq", seq.Tone[j].Freq}, {"Length", seq.Tone[j].Length}});
        list.append(QJsonObject{{"Tone", tones}, {"Recycle", seq.Recycle}, {"InterTime", seq.InterTime}});
    }
    return list;
}

} // namespace

QByteArray DocumentToJson(const RadioDocument& doc)
{
    const QJsonObject root{
        {"header", header(doc.Data)}, {"options", options(doc.Data.Opt)},   {"groups", groups(doc)},
        {"dtmf", dtmf(doc.Data.Opt)}, {"rogerBeeps", rogerBeeps(doc.Data)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
