#pragma once

#include "document/BasedArray.h"
#include "document/FixedText.h"

#include <cstdint>

// The records of the radio document. Field order matches the data file layout.

constexpr int kModeCB = 0;
constexpr int kModeHF = 1;
constexpr int kGroupCount = 10;  // groups 1..10 per work mode
constexpr int kMemoryView = 11;  // the memory-channel view "MEM"
constexpr int kMaxChannels = 46; // positions 1..46 of a list
constexpr int kFirstMemoryChannel = 41;
constexpr int kNumberedChannels = 40;

template <typename T> using ModeGroupTable = BasedArray<BasedArray<T, 1, kGroupCount>, 0, 1>; // [mode][group]

struct ChannelRecord {
    int16_t ChId = 0;
    int16_t InUse = 0;
    int16_t Scan = 0;
    FixedText<8> RxFreq;
    FixedText<8> TxFreq;
    int16_t Reserved1 = 0;
    int16_t Reserved2 = 0;
    int16_t TsqCode = 0;
    int16_t EncCode = 0;
    int16_t Modulation = 0;
    int16_t HiCut = 0;
    int16_t NbAnl = 0;
    int16_t Echo = 0;
    int16_t Add10k = 0;
    int16_t BusyLock = 0;
    int16_t RogerTone = 0;
    int16_t RptShift = 0;
    int16_t PublicCh = 0;
    int16_t BotCode = 0;
    int16_t EotCode = 0;
    int16_t CallCode = 0;
    bool operator==(const ChannelRecord&) const = default;
};

struct OptionRecord {
    ModeGroupTable<int16_t> GroupValid;
    ModeGroupTable<FixedText<4>> GroupName;
    ModeGroupTable<int16_t> EmgCh1;
    ModeGroupTable<int16_t> EmgCh2;
    int16_t WorkModeValid = 0;
    int16_t OptWorkMode = 0;
    int16_t CBWorkGroup = 0;
    int16_t HFWorkGroup = 0;
    int16_t VoxFunction = 0;
    int16_t ChannelMode = 0;
    int16_t MemMenu = 0;
    ModeGroupTable<int16_t> WorkCh;
    ModeGroupTable<int16_t> DwCh1;
    ModeGroupTable<int16_t> DwCh2;
    ModeGroupTable<int16_t> MemCh;
    int16_t PubBot = 0, PubEot = 0, PubCall = 0;
    int16_t Rtix = 0, Ttix = 0;
    int16_t PubHiCut = 0, PubNbAnl = 0, PubEcho = 0, PubAdd10k = 0, PubBusy = 0;
    int16_t PubRoger = 0;
    int16_t Beep = 0;
    int16_t TxDisplay = 0;
    int16_t MicLevel = 0;
    int16_t Nog = 0;
    int16_t TotTime = 0;
    int16_t SwrProtect = 0;
    int16_t VoltProtect = 0;
    int16_t ScanMode = 0;
    int16_t Fin = 0;
    int16_t BacklightColor = 0;
    int16_t MenuPage = 0;
    int16_t VoltMin = 0;
    int16_t VoltMax = 0;
    int16_t SwrMax = 0;
    int16_t PubMode = 0;
    BasedArray<int16_t, 0, 4> ModeEnable;
    int16_t DtmfSendTime = 0, DtmfFirstDigitTime = 0, DtmfFirstDigitDelay = 0;
    int16_t DtmfStarHashTone = 0, DtmfDKey = 0, DtmfDisplay = 0;
    BasedArray<FixedText<16>, 1, 16> AutodialCode;
    bool operator==(const OptionRecord&) const = default;
};

struct RogerTone {
    int16_t Freq = 0;   // 10 Hz units, 0 = none
    int16_t Length = 0; // 10 ms units
    bool operator==(const RogerTone&) const = default;
};

struct RogerSeqEntry {
    BasedArray<RogerTone, 1, 14> Tone;
    int16_t Recycle = 0;
    int16_t InterTime = 0;
    bool operator==(const RogerSeqEntry&) const = default;
};

struct DataRecord {
    FixedText<4> DataVersion;
    int16_t WorkMode = 0;
    BasedArray<int16_t, 0, 1> CurGroup;
    BasedArray<BasedArray<int16_t, 1, 11>, 0, 1> CurChannel;
    ModeGroupTable<int16_t> ChannelCount;
    FixedText<7> ModelName;
    int16_t ModelCode = 0;
    int16_t BandCode = 0;
    FixedText<8> CreateDate;
    FixedText<5> SoftVersion;
    FixedText<6> ModelShort;
    int16_t ModelBand = 0;
    int16_t ModelKind = 0;
    OptionRecord Opt;
    BasedArray<RogerSeqEntry, 1, 8> RogerSeq;
    int32_t TxOffset = 0;
    int16_t FreqChMode = 0;
    int16_t AsqLevel = 0;
    BasedArray<int16_t, 0, 11> RssiLevel;
    bool operator==(const DataRecord&) const = default;
};

// Channels[mode 0..1][position 1..46][group 1..10]
using ChannelTable = BasedArray<BasedArray<BasedArray<ChannelRecord, 1, kGroupCount>, 1, kMaxChannels>, 0, 1>;

// One whole configuration: the data record and its channel table. The program keeps
// two: the live document and the saved copy it is compared with.
struct RadioDocument {
    DataRecord Data;
    ChannelTable Channels;
};

// The work mode used for indexing: the stored value may be anything an image or a
// file held (an erased radio decodes 15); like the band text, everything but 0 is HF.
inline int ActiveMode(const DataRecord& data)
{
    return data.WorkMode == kModeCB ? kModeCB : kModeHF;
}
