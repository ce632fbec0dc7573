#include "image/MemoryImage.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"

#include <QByteArray>
#include <QString>

#include <iterator>

// Every document value is treated as untrusted here: it may come from a file or from a
// radio that was never programmed. Indexes are range-checked before they touch an array,
// and each value is cut to the width of the byte or bit field that carries it, so a bad
// value can never spill into a neighbouring field.

namespace {

// The address map of the radio's memory. Per (mode, group) tables are indexed by the
// running pair number n = mode x 10 + group - 1.
namespace Addr {
constexpr int ModeBlock = 0x1E00; // HF channel slots start one block after the CB ones
constexpr int GroupBlock = 0x300; // 48 slots of 16 bytes per group
constexpr int SlotSize = 16;
constexpr int DtmfCodes1To8 = 0x3880;  // over HF group 9, slots 41..48
constexpr int DtmfCodes9To16 = 0x3B80; // over HF group 10, slots 41..48
constexpr int DtmfCodeSize = 16;
constexpr int GroupValid = 0x3C00;  // two bytes per mode
constexpr int GroupName = 0x3C04;   // 4 bytes per pair
constexpr int EmergencyCh = 0x3C54; // EmgCh1 - 1, EmgCh2 - 1 per pair
constexpr int ModeByte = 0x3C7C;    // high nibble WorkModeValid + 1, low nibble WorkMode
constexpr int CBWorkGroup = 0x3C7D;
constexpr int HFWorkGroup = 0x3C7E;
constexpr int ModeSwitches = 0x3C7F; // bit 0 Vox, bit 1 ChannelMode, bit 2 MemMenu
constexpr int ScanBitmap[2] = {0x3C80, 0x3CC0};
constexpr int PresenceBitmap[2] = {0x3D80, 0x3DC0};
constexpr int BitmapBytesPerGroup = 6;
constexpr int BitmapAreaSize = 0x80; // each pair of bitmaps, spare bytes included
constexpr int WorkCh = 0x3D00;
constexpr int DualWatchCh = 0x3D14; // DwCh1 - 1, DwCh2 - 1 per pair
constexpr int MemCh = 0x3D40;       // MemCh - 41
constexpr int RogerSeqs = 0x3E00;   // two sequences of 30 bytes per 64-byte block
constexpr int RogerSeqBlock = 64;
constexpr int RogerSeqSize = 30;
constexpr int VoltMax = 0x3F00; // ADC code, low byte then high byte
constexpr int VoltMin = 0x3F02;
constexpr int SwrMax = 0x3F04;
constexpr int PubMode = 0x3F05;
constexpr int ModeEnable = 0x3F06;  // bits 0..4
constexpr int PubSwitches = 0x3F07; // bits 0..4 HiCut, NbAnl, Echo, Add10k, Busy
constexpr int PubRoger = 0x3F08;
constexpr int PubBot = 0x3F09;
constexpr int PubEot = 0x3F0A;
constexpr int PubCall = 0x3F0B;
constexpr int Beep = 0x3F0C; // then nine more settings, one byte each
constexpr int Spare = 0x3F16;
constexpr int TxOffset = 0x3F17; // low byte, high byte
constexpr int FreqChMode = 0x3F19;
constexpr int AsqLevel = 0x3F1A;
constexpr int DtmfTimes = 0x3F1B; // six DTMF settings, one byte each
constexpr int MenuPage = 0x3F21;
constexpr int RssiLevel = 0x3F30;
constexpr int Tail = 0x3FF8; // eight 0x55 bytes up to the end
} // namespace Addr

// Offsets inside a 16-byte channel slot.
namespace Slot {
constexpr int Freq = 0; // 3 bytes packed decimal, lowest digit pair first
constexpr int Zero1 = 3;
constexpr int Zero2 = 4;
constexpr int ToneNumber = 5;
constexpr int Modulation = 6;
constexpr int Switches = 9; // bits 0..4 HiCut, NbAnl, Echo, Add10k, BusyLock
constexpr int RogerTone = 10;
constexpr int Flags = 11; // bits 0-1 RptShift, 4-5 tone type, 7 PublicCh
constexpr int BotCode = 12;
constexpr int EotCode = 13;
constexpr int CallCode = 14;
} // namespace Slot

constexpr int kDualWatchSlot1 = 47;
constexpr int kDualWatchSlot2 = 48;
constexpr int kSlotsPerGroup = 48;
constexpr int kDtmfFiller = 16; // marks "no digit"
constexpr double kVoltScale = 1024.0 / 261.5;
constexpr const char* kErasedFreq = "FFFFFFFF";

bool IsMode(int mode)
{
    return mode == kModeCB || mode == kModeHF;
}
bool IsGroup(int group)
{
    return group >= 1 && group <= kGroupCount;
}

int PairNumber(int mode, int group)
{
    return mode * kGroupCount + group - 1;
}

int SlotAddress(int mode, int group, int slot)
{
    return mode * Addr::ModeBlock + (group - 1) * Addr::GroupBlock + (slot - 1) * Addr::SlotSize;
}

uint8_t Byte(int value)
{
    return static_cast<uint8_t>(value & 0xFF);
}
uint8_t Bit(int value, int bit)
{
    return static_cast<uint8_t>((value & 1) << bit);
}
int16_t BitOf(uint8_t byte, int bit)
{
    return static_cast<int16_t>((byte >> bit) & 1);
}

// The byte and bit of a slot in a scan or presence bitmap.
struct BitmapPosition {
    int address;
    uint8_t mask;
};
BitmapPosition BitmapBit(int base, int group, int slot)
{
    return {base + (group - 1) * Addr::BitmapBytesPerGroup + (slot - 1) / 8,
            static_cast<uint8_t>(1u << ((slot - 1) % 8))};
}

int DtmfCodeAddress(int code)
{
    return code <= 8 ? Addr::DtmfCodes1To8 + Addr::DtmfCodeSize * (code - 1)
                     : Addr::DtmfCodes9To16 + Addr::DtmfCodeSize * (code - 9);
}

int RogerSeqAddress(int seq)
{
    return Addr::RogerSeqs + ((seq - 1) / 2) * Addr::RogerSeqBlock + ((seq - 1) % 2) * Addr::RogerSeqSize;
}

int ClampCount(int count)
{
    return count < 0 ? 0 : (count > kMaxChannels ? kMaxChannels : count);
}

// The 8-digit frequency the radio stores: blanks and anything after a NUL dropped, the
// digits right-padded with "0" (so 285000 and 28500000 are the same frequency).
QString ImageFrequencyText(const FixedText<8>& rxFreq)
{
    const QString full = rxFreq.text();
    if (full == QLatin1String(kErasedFreq))
        return full;
    return TrimFixed(full).leftJustified(8, QLatin1Char('0'));
}

void WriteVolt(MemoryImage& image, int address, int tenthsOfVolt)
{
    const int code = static_cast<int>(RoundHalfEven(tenthsOfVolt * kVoltScale));
    image[address] = Byte(code);
    image[address + 1] = Byte(code >> 8);
}

int16_t ReadVolt(const MemoryImage& image, int address)
{
    const int code = image[address + 1] * 256 + image[address];
    return static_cast<int16_t>(RoundHalfEven(code / kVoltScale));
}

// The fields from Beep to BacklightColor lie one byte each in this order.
constexpr int16_t OptionRecord::*kByteSettings[] = {
    &OptionRecord::Beep,    &OptionRecord::TxDisplay,      &OptionRecord::MicLevel,    &OptionRecord::Nog,
    &OptionRecord::TotTime, &OptionRecord::SwrProtect,     &OptionRecord::VoltProtect, &OptionRecord::ScanMode,
    &OptionRecord::Fin,     &OptionRecord::BacklightColor,
};
constexpr int16_t OptionRecord::*kDtmfSettings[] = {
    &OptionRecord::DtmfSendTime,     &OptionRecord::DtmfFirstDigitTime, &OptionRecord::DtmfFirstDigitDelay,
    &OptionRecord::DtmfStarHashTone, &OptionRecord::DtmfDKey,           &OptionRecord::DtmfDisplay,
};

} // namespace

// A memory channel or dual-watch copy placed in a DTMF slot would be overwritten by the codes,
// and its presence bit would make the codes' bytes come back as channels on the next read.
bool IsDtmfStorageSlot(int mode, int group, int slot)
{
    return mode == kModeHF && group >= 9 && slot >= kFirstMemoryChannel;
}

void InitImage(MemoryImage& image)
{
    image.fill(0xFF);
    for (int i = 0; i < Addr::BitmapAreaSize; ++i) {
        image[Addr::ScanBitmap[kModeCB] + i] = 0;
        image[Addr::PresenceBitmap[kModeCB] + i] = 0;
    }
}

void EncodeDocument(const RadioDocument& doc, MemoryImage& image)
{
    const OptionRecord& opt = doc.Data.Opt;
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = ClampCount(doc.Data.ChannelCount[mode][group]);
            for (int pos = 1; pos <= count; ++pos) {
                const ChannelRecord& record = doc.Channels[mode][pos][group];
                if (record.ChId < 1 || record.ChId > kMaxChannels)
                    continue;
                EncodeChannel(record, record.ChId, group, mode, image);
                if (record.ChId == opt.DwCh1[mode][group])
                    EncodeChannel(record, kDualWatchSlot1, group, mode, image);
                else if (record.ChId == opt.DwCh2[mode][group])
                    EncodeChannel(record, kDualWatchSlot2, group, mode, image);
            }
        }
    }
    // The DTMF codes lie over channel slots of HF groups 9 and 10, so they go in last.
    EncodeOptions(doc.Data, image);
    EncodeRogerSeqs(doc.Data, image);
}

void DecodeImage(const MemoryImage& image, RadioDocument& doc, DocumentState& state)
{
    DecodeOptions(image, doc.Data, state);
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            doc.Data.ChannelCount[mode][group] = 0;
            for (int ch = 1; ch <= kMaxChannels; ++ch)
                DecodeChannel(image, mode, ch, group, doc);
        }
    }
    DecodeRogerSeqs(image, doc.Data);
}

void EncodeChannel(const ChannelRecord& record, int slot, int group, int mode, MemoryImage& image)
{
    if (!IsMode(mode) || !IsGroup(group) || slot < 1 || slot > kSlotsPerGroup || IsDtmfStorageSlot(mode, group, slot))
        return;
    const int c = SlotAddress(mode, group, slot);

    const QString freq = ImageFrequencyText(record.RxFreq);
    if (IsDigitsOnly(freq)) {
        for (int i = 0; i < 3; ++i)
            image[c + Slot::Freq + 2 - i] = static_cast<uint8_t>(freq.mid(2 * i, 2).toInt(nullptr, 16));
    } else {
        for (int i = 0; i < 3; ++i)
            image[c + Slot::Freq + i] = 0xFF;
    }
    image[c + Slot::Zero1] = 0;
    image[c + Slot::Zero2] = 0;

    const ToneImageCode tone = ToneCodeToImage(record.TsqCode);
    image[c + Slot::ToneNumber] = Byte(tone.number);
    image[c + Slot::Modulation] = Byte(record.Modulation);
    image[c + Slot::Switches] = Bit(record.HiCut, 0) | Bit(record.NbAnl, 1) | Bit(record.Echo, 2) |
                                Bit(record.Add10k, 3) | Bit(record.BusyLock, 4);
    image[c + Slot::RogerTone] = Byte(record.RogerTone);
    image[c + Slot::Flags] =
        static_cast<uint8_t>(((tone.type & 3) << 4) | (record.RptShift & 3)) | Bit(record.PublicCh, 7);
    image[c + Slot::BotCode] = Byte(record.BotCode);
    image[c + Slot::EotCode] = Byte(record.EotCode);
    image[c + Slot::CallCode] = Byte(record.CallCode);

    // The dual-watch copies in slots 47 and 48 have no presence bit, but do have a scan bit.
    if (slot <= kMaxChannels) {
        const BitmapPosition present = BitmapBit(Addr::PresenceBitmap[mode], group, slot);
        image[present.address] |= present.mask;
    }
    if (record.Scan & 1) {
        const BitmapPosition scan = BitmapBit(Addr::ScanBitmap[mode], group, slot);
        image[scan.address] |= scan.mask;
    }
}

void DecodeChannel(const MemoryImage& image, int mode, int channel, int group, RadioDocument& doc)
{
    if (!IsMode(mode) || !IsGroup(group) || channel < 1 || channel > kMaxChannels ||
        IsDtmfStorageSlot(mode, group, channel))
        return;
    const BitmapPosition present = BitmapBit(Addr::PresenceBitmap[mode], group, channel);
    if ((image[present.address] & present.mask) == 0)
        return;
    int16_t& count = doc.Data.ChannelCount[mode][group];
    const int pos = count + 1;
    if (pos < 1 || pos > kMaxChannels)
        return;

    const int c = SlotAddress(mode, group, channel);
    const QString freq = HexByte(image[c + Slot::Freq + 2]) + HexByte(image[c + Slot::Freq + 1]) +
                         HexByte(image[c + Slot::Freq]) + QStringLiteral("00");
    // A slot that does not hold packed decimal (an erased one, say) is no channel.
    if (!IsDigitsOnly(freq))
        return;

    // TxFreq, EncCode and the reserved fields are not in the image: the table position keeps them.
    ChannelRecord& record = doc.Channels[mode][pos][group];
    const BitmapPosition scan = BitmapBit(Addr::ScanBitmap[mode], group, channel);
    record.InUse = 1;
    record.ChId = static_cast<int16_t>(channel);
    record.Scan = (image[scan.address] & scan.mask) ? 1 : 0;
    record.RxFreq.set(freq);
    record.Modulation = image[c + Slot::Modulation];
    const uint8_t switches = image[c + Slot::Switches];
    record.HiCut = BitOf(switches, 0);
    record.NbAnl = BitOf(switches, 1);
    record.Echo = BitOf(switches, 2);
    record.Add10k = BitOf(switches, 3);
    record.BusyLock = BitOf(switches, 4);
    record.RogerTone = image[c + Slot::RogerTone];
    const uint8_t flags = image[c + Slot::Flags];
    record.RptShift = static_cast<int16_t>(flags & 3);
    record.PublicCh = BitOf(flags, 7);
    record.BotCode = image[c + Slot::BotCode];
    record.EotCode = image[c + Slot::EotCode];
    record.CallCode = image[c + Slot::CallCode];
    record.TsqCode = static_cast<int16_t>(ToneCodeFromImage((flags >> 4) & 3, image[c + Slot::ToneNumber]));
    count = static_cast<int16_t>(pos);
}

void EncodeOptions(const DataRecord& data, MemoryImage& image)
{
    const OptionRecord& opt = data.Opt;
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        image[Addr::GroupValid + 2 * mode] = 0;
        image[Addr::GroupValid + 2 * mode + 1] = 0;
        for (int group = 1; group <= kGroupCount; ++group) {
            const int n = PairNumber(mode, group);
            image[Addr::GroupValid + 2 * mode + (group - 1) / 8] |= Bit(opt.GroupValid[mode][group], (group - 1) % 8);

            const QByteArray name = TrimFixed(opt.GroupName[mode][group].text()).toLatin1();
            for (int i = 0; i < 4; ++i)
                image[Addr::GroupName + 4 * n + i] = i < name.size() ? static_cast<uint8_t>(name[i]) : 0;

            image[Addr::EmergencyCh + 2 * n] = Byte(opt.EmgCh1[mode][group] - 1);
            image[Addr::EmergencyCh + 2 * n + 1] = Byte(opt.EmgCh2[mode][group] - 1);
            image[Addr::WorkCh + n] = Byte(opt.WorkCh[mode][group] - 1);
            image[Addr::DualWatchCh + 2 * n] = Byte(opt.DwCh1[mode][group] - 1);
            image[Addr::DualWatchCh + 2 * n + 1] = Byte(opt.DwCh2[mode][group] - 1);
            image[Addr::MemCh + n] = Byte(opt.MemCh[mode][group] - kFirstMemoryChannel);
        }
    }
    image[Addr::ModeByte] = static_cast<uint8_t>((((opt.WorkModeValid + 1) & 0x0F) << 4) | (data.WorkMode & 0x0F));
    image[Addr::CBWorkGroup] = Byte(opt.CBWorkGroup - 1);
    image[Addr::HFWorkGroup] = Byte(opt.HFWorkGroup - 1);
    image[Addr::ModeSwitches] = Bit(opt.VoxFunction, 0) | Bit(opt.ChannelMode, 1) | Bit(opt.MemMenu, 2);

    WriteVolt(image, Addr::VoltMax, opt.VoltMax);
    WriteVolt(image, Addr::VoltMin, opt.VoltMin);
    image[Addr::SwrMax] = Byte(opt.SwrMax);
    image[Addr::PubMode] = Byte(opt.PubMode);
    uint8_t modes = 0;
    for (int i = 0; i <= 4; ++i)
        modes |= Bit(opt.ModeEnable[i], i);
    image[Addr::ModeEnable] = modes;
    image[Addr::PubSwitches] =
        Bit(opt.PubHiCut, 0) | Bit(opt.PubNbAnl, 1) | Bit(opt.PubEcho, 2) | Bit(opt.PubAdd10k, 3) | Bit(opt.PubBusy, 4);
    image[Addr::PubRoger] = Byte(opt.PubRoger);
    image[Addr::PubBot] = Byte(opt.PubBot);
    image[Addr::PubEot] = Byte(opt.PubEot);
    image[Addr::PubCall] = Byte(opt.PubCall);
    for (int i = 0; i < static_cast<int>(std::size(kByteSettings)); ++i)
        image[Addr::Beep + i] = Byte(opt.*kByteSettings[i]);
    image[Addr::Spare] = 0;
    image[Addr::TxOffset] = Byte(data.TxOffset);
    image[Addr::TxOffset + 1] = Byte(data.TxOffset >> 8);
    image[Addr::FreqChMode] = Bit(data.FreqChMode, 0);
    image[Addr::AsqLevel] = Byte(data.AsqLevel);
    for (int i = 0; i < static_cast<int>(std::size(kDtmfSettings)); ++i)
        image[Addr::DtmfTimes + i] = Byte(opt.*kDtmfSettings[i]);
    image[Addr::MenuPage] = Byte(opt.MenuPage);
    for (int i = 0; i <= 11; ++i)
        image[Addr::RssiLevel + i] = Byte(data.RssiLevel[i]);

    for (int code = 1; code <= 16; ++code) {
        const QString digits = TrimFixed(opt.AutodialCode[code].text());
        const int base = DtmfCodeAddress(code);
        for (int k = 0; k < Addr::DtmfCodeSize; ++k)
            image[base + k] = k < digits.size() ? Byte(DtmfDigitValue(digits.mid(k, 1))) : kDtmfFiller;
    }

    for (int a = Addr::Tail; a < kImageSize; ++a)
        image[a] = 0x55;
}

void DecodeOptions(const MemoryImage& image, DataRecord& data, DocumentState& state)
{
    OptionRecord& opt = data.Opt;
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            const int n = PairNumber(mode, group);
            opt.GroupValid[mode][group] = BitOf(image[Addr::GroupValid + 2 * mode + (group - 1) / 8], (group - 1) % 8);

            QByteArray name;
            bool stopped = false;
            for (int i = 0; i < 4 && !stopped; ++i) {
                const uint8_t b = image[Addr::GroupName + 4 * n + i];
                if (b == 0xFF || b == 0)
                    stopped = true;
                else
                    name.append(static_cast<char>(b));
            }
            if (stopped)
                name.append('\0');
            opt.GroupName[mode][group].setRaw(name);

            opt.EmgCh1[mode][group] = static_cast<int16_t>(image[Addr::EmergencyCh + 2 * n] + 1);
            opt.EmgCh2[mode][group] = static_cast<int16_t>(image[Addr::EmergencyCh + 2 * n + 1] + 1);
            opt.WorkCh[mode][group] = static_cast<int16_t>(image[Addr::WorkCh + n] + 1);
            opt.DwCh1[mode][group] = static_cast<int16_t>(image[Addr::DualWatchCh + 2 * n] + 1);
            opt.DwCh2[mode][group] = static_cast<int16_t>(image[Addr::DualWatchCh + 2 * n + 1] + 1);
            opt.MemCh[mode][group] = static_cast<int16_t>(image[Addr::MemCh + n] + kFirstMemoryChannel);
        }
    }

    // An erased radio yields 15 here; the value is kept as read, users index through ActiveMode().
    data.WorkMode = static_cast<int16_t>(image[Addr::ModeByte] & 0x0F);
    state.BandText = BandTextOf(data.WorkMode);
    ParseBandLimits(state);
    opt.WorkModeValid = static_cast<int16_t>(image[Addr::ModeByte] / 16 - 1);
    opt.CBWorkGroup = static_cast<int16_t>(image[Addr::CBWorkGroup] + 1);
    opt.HFWorkGroup = static_cast<int16_t>(image[Addr::HFWorkGroup] + 1);
    opt.VoxFunction = BitOf(image[Addr::ModeSwitches], 0);
    opt.ChannelMode = BitOf(image[Addr::ModeSwitches], 1);
    opt.MemMenu = BitOf(image[Addr::ModeSwitches], 2);

    opt.VoltMax = ReadVolt(image, Addr::VoltMax);
    opt.VoltMin = ReadVolt(image, Addr::VoltMin);
    opt.SwrMax = image[Addr::SwrMax];
    opt.PubMode = image[Addr::PubMode];
    for (int i = 0; i <= 4; ++i)
        opt.ModeEnable[i] = BitOf(image[Addr::ModeEnable], i);
    const uint8_t pub = image[Addr::PubSwitches];
    opt.PubHiCut = BitOf(pub, 0);
    opt.PubNbAnl = BitOf(pub, 1);
    opt.PubEcho = BitOf(pub, 2);
    opt.PubAdd10k = BitOf(pub, 3);
    opt.PubBusy = BitOf(pub, 4);
    opt.PubRoger = image[Addr::PubRoger];
    opt.PubBot = image[Addr::PubBot];
    opt.PubEot = image[Addr::PubEot];
    opt.PubCall = image[Addr::PubCall];
    for (int i = 0; i < static_cast<int>(std::size(kByteSettings)); ++i)
        opt.*kByteSettings[i] = image[Addr::Beep + i];
    data.TxOffset = image[Addr::TxOffset + 1] * 256 + image[Addr::TxOffset];
    data.FreqChMode = BitOf(image[Addr::FreqChMode], 0);
    data.AsqLevel = image[Addr::AsqLevel];
    for (int i = 0; i < static_cast<int>(std::size(kDtmfSettings)); ++i)
        opt.*kDtmfSettings[i] = image[Addr::DtmfTimes + i];
    opt.MenuPage = image[Addr::MenuPage];
    for (int i = 0; i <= 11; ++i)
        data.RssiLevel[i] = image[Addr::RssiLevel + i];

    for (int code = 1; code <= 16; ++code) {
        const int base = DtmfCodeAddress(code);
        QString digits;
        bool stopped = false;
        for (int k = 0; k < Addr::DtmfCodeSize && !stopped; ++k) {
            const uint8_t b = image[base + k];
            if (b > 15)
                stopped = true;
            else
                digits += DtmfDigitText(b);
        }
        if (stopped)
            digits += QChar(0);
        opt.AutodialCode[code].set(digits);
    }
}

void EncodeRogerSeqs(const DataRecord& data, MemoryImage& image)
{
    for (int seq = 1; seq <= 8; ++seq) {
        const RogerSeqEntry& entry = data.RogerSeq[seq];
        const int b = RogerSeqAddress(seq);
        image[b] = Byte(entry.Recycle);
        image[b + 1] = Byte(entry.InterTime);
        for (int j = 1; j <= 14; ++j) {
            image[b + 1 + j] = Byte(entry.Tone[j].Freq);
            image[b + 15 + j] = Byte(entry.Tone[j].Length);
        }
    }
}

void DecodeRogerSeqs(const MemoryImage& image, DataRecord& data)
{
    for (int seq = 1; seq <= 8; ++seq) {
        RogerSeqEntry& entry = data.RogerSeq[seq];
        const int b = RogerSeqAddress(seq);
        entry.Recycle = image[b];
        entry.InterTime = image[b + 1];
        for (int j = 1; j <= 14; ++j) {
            entry.Tone[j].Freq = image[b + 1 + j];
            entry.Tone[j].Length = image[b + 15 + j];
        }
    }
}

ToneImageCode ToneCodeToImage(int toneCode)
{
    if (toneCode <= 0)
        return {0, 0};
    if (toneCode <= 38)
        return {1, toneCode};
    return {2, toneCode - 38};
}

int ToneCodeFromImage(int type, int number)
{
    switch (type) {
    case 1:
        return number;
    case 2:
        return number + 38;
    default:
        return 0;
    }
}
