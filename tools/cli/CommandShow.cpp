#include "CliContext.h"
#include "Commands.h"

#include "document/Conversions.h"
#include "document/ToneCodes.h"
#include "editors/channels/ChannelRules.h"

#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

// The frequency as the channel grid shows it: MHz with four decimals.
QString frequencyText(const FixedText<8>& stored)
{
    const QString digits = TrimFixed(stored.text()).trimmed();
    if (digits.isEmpty() || digits == QStringLiteral("FFFFFFFF"))
        return QStringLiteral("-");
    const std::optional<double> mhz =
        IsDigitsOnly(digits) ? ParseNumber(digits.left(2) + QLatin1Char('.') + digits.mid(2)) : std::nullopt;
    if (!mhz)
        return QStringLiteral("?") + digits;
    return FormatFixed(*mhz, 4);
}

QString reference(int value)
{
    return value == 0 ? QStringLiteral("off") : QString::number(value);
}

QString repeaterShift(int value)
{
    switch (value) {
    case 0:
        return QStringLiteral("off");
    case 1:
        return QStringLiteral("+");
    case 2:
        return QStringLiteral("-");
    default:
        return QString::number(value);
    }
}

void printHeader(QTextStream& out, const AppState& app)
{
    const DataRecord& d = app.Doc.Data;
    out << "File: " << app.DocState.DocPath << '\n';
    out << "DataVersion: " << TrimFixed(d.DataVersion.text()) << '\n';
    out << "Model: " << TrimFixed(d.ModelName.text()) << " (ModelShort " << TrimFixed(d.ModelShort.text())
        << ", ModelCode " << d.ModelCode << ", ModelKind " << d.ModelKind << ")\n";
    out << "CreateDate: " << TrimFixed(d.CreateDate.text()) << '\n';
    out << "SoftVersion: " << TrimFixed(d.SoftVersion.text()) << '\n';
    out << "WorkMode: " << d.WorkMode << " (" << WorkModeName(ActiveMode(d)) << "), band " << app.DocState.BandText
        << ", BandCode " << d.BandCode << ", ModelBand " << d.ModelBand << '\n';
    out << "CurGroup: CB " << GroupLetter(d.CurGroup[0]) << ", HF " << GroupLetter(d.CurGroup[1]) << '\n';
}

void printOptions(QTextStream& out, const DataRecord& d)
{
    const OptionRecord& o = d.Opt;
    out << "\nOptions:\n";
    out << "  WorkModeValid " << o.WorkModeValid << ", OptWorkMode " << o.OptWorkMode << ", CBWorkGroup "
        << GroupLetter(o.CBWorkGroup) << ", HFWorkGroup " << GroupLetter(o.HFWorkGroup) << '\n';
    out << "  VOX " << o.VoxFunction << ", ChannelMode " << (o.ChannelMode == 1 ? "MEM" : "CH") << ", MemMenu "
        << o.MemMenu << ", Beep " << o.Beep << ", TxDisplay " << o.TxDisplay << ", MicLevel " << o.MicLevel << ", NOG "
        << o.Nog << ", TOT " << o.TotTime << '\n';
    out << "  SwrProtect " << o.SwrProtect << ", VoltProtect " << o.VoltProtect << ", ScanMode " << o.ScanMode
        << ", Fin " << o.Fin << ", Backlight " << o.BacklightColor << ", MenuPage " << o.MenuPage << '\n';
    out << "  VoltMin " << FormatFixed(o.VoltMin / 10.0, 1) << " V, VoltMax " << FormatFixed(o.VoltMax / 10.0, 1)
        << " V, SwrMax " << FormatFixed(o.SwrMax / 10.0, 1) << ", Rtix " << o.Rtix << ", Ttix " << o.Ttix << '\n';
    out << "  Modes enabled:";
    for (int i = 0; i <= 4; ++i)
        out << ' ' << ModeName(static_cast<int16_t>(i)) << '=' << o.ModeEnable[i];
    out << '\n';
    out << "  Public: " << ModeName(o.PubMode) << ", HI-CUT " << o.PubHiCut << ", NB/ANL " << o.PubNbAnl << ", ECHO "
        << o.PubEcho << ", +10KHz " << o.PubAdd10k << ", BUSY " << o.PubBusy << ", roger " << reference(o.PubRoger)
        << ", BOT " << reference(o.PubBot) << ", EOT " << reference(o.PubEot) << ", call " << reference(o.PubCall)
        << ", TxOffset " << FormatFixed(d.TxOffset / 10000.0, 4) << " MHz\n";
    out << "  FreqChMode " << (d.FreqChMode == 1 ? "Frequency" : "Channel") << ", ASQ " << d.AsqLevel << ", RSSI";
    for (int i = 0; i <= 11; ++i)
        out << ' ' << d.RssiLevel[i];
    out << '\n';
}

void printChannels(QTextStream& out, const RadioDocument& doc)
{
    const DataRecord& d = doc.Data;
    for (int mode = 0; mode <= 1; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = d.ChannelCount[mode][group];
            if (count < 1 || count > kMaxChannels)
                continue;
            out << '\n'
                << WorkModeName(mode) << " group " << GroupLetter(static_cast<int16_t>(group)) << " \""
                << TrimFixed(d.Opt.GroupName[mode][group].text()) << "\": valid " << d.Opt.GroupValid[mode][group]
                << ", " << count << " channels, work " << d.Opt.WorkCh[mode][group] << ", EMG "
                << d.Opt.EmgCh1[mode][group] << '/' << d.Opt.EmgCh2[mode][group] << ", DW " << d.Opt.DwCh1[mode][group]
                << '/' << d.Opt.DwCh2[mode][group] << ", MEM " << d.Opt.MemCh[mode][group] << '\n';
            std::vector<const ChannelRecord*> channels;
            for (int pos = 1; pos <= count; ++pos)
                channels.push_back(&doc.Channels[mode][pos][group]);
            std::stable_sort(channels.begin(), channels.end(),
                             [](const ChannelRecord* a, const ChannelRecord* b) { return a->ChId < b->ChId; });
            for (const ChannelRecord* c : channels) {
                out << "  " << GetCHName(c->ChId).leftJustified(4) << frequencyText(c->RxFreq).rightJustified(8) << "  "
                    << ToneCodeText(c->TsqCode).leftJustified(14) << ' ' << ModeName(c->Modulation).leftJustified(4)
                    << (c->Scan == 1 ? "Add" : "Del") << " HI-CUT " << c->HiCut << " NB/ANL " << c->NbAnl << " ECHO "
                    << c->Echo << " +10KHz " << c->Add10k << " BUSY " << c->BusyLock << " REP "
                    << repeaterShift(c->RptShift) << " Public " << c->PublicCh << " roger " << reference(c->RogerTone)
                    << " BOT " << reference(c->BotCode) << " EOT " << reference(c->EotCode) << " call "
                    << reference(c->CallCode) << '\n';
            }
        }
    }
}

void printDtmf(QTextStream& out, const OptionRecord& o)
{
    out << "\nDTMF: send time " << o.DtmfSendTime << ", first digit time " << o.DtmfFirstDigitTime
        << ", first digit delay " << o.DtmfFirstDigitDelay << ", */# tone " << o.DtmfStarHashTone << ", D key "
        << o.DtmfDKey << ", display " << o.DtmfDisplay << '\n';
    for (int i = 1; i <= 16; ++i) {
        const QString code = TrimFixed(o.AutodialCode[i].text());
        if (!code.isEmpty())
            out << "  code " << i << ": " << code << '\n';
    }
}

void printRogerBeeps(QTextStream& out, const DataRecord& d)
{
    out << "\nRoger beep:\n";
    for (int i = 1; i <= 8; ++i) {
        const RogerSeqEntry& seq = d.RogerSeq[i];
        int last = 0;
        for (int j = 1; j <= 14; ++j) {
            if (seq.Tone[j].Freq != 0 || seq.Tone[j].Length != 0)
                last = j;
        }
        out << "  " << i << ": recycle " << seq.Recycle << ", inter time " << seq.InterTime * 10 << " ms,";
        if (last == 0)
            out << " no tones";
        for (int j = 1; j <= last; ++j)
            out << ' ' << seq.Tone[j].Freq * 10 << "Hz/" << seq.Tone[j].Length * 10 << "ms";
        out << '\n';
    }
}

} // namespace

int CommandShow(CliContext& ctx, const CliArguments& arguments)
{
    if (!OpenForReading(ctx, arguments.files[0]))
        return kExitFailed;
    QTextStream out(stdout);
    printHeader(out, ctx.app);
    printOptions(out, ctx.app.Doc.Data);
    printChannels(out, ctx.app.Doc);
    printDtmf(out, ctx.app.Doc.Data.Opt);
    printRogerBeeps(out, ctx.app.Doc.Data);
    return kExitOk;
}
