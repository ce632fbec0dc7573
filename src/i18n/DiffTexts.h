#pragma once

#include <QString>

// Captions and value texts of the list of differences between two documents, English
// (language 1) and Chinese (language 2). Texts with "%1"/"%2" take numbers.
enum class DiffText {
    // Places and general values
    ModeCB,
    ModeHF,
    ChannelNone, // a channel that one side does not have
    Empty,       // an empty text field
    WorkMode,
    WorkGroup,
    // Channel settings
    Frequency,
    Tsq,
    HiCut,
    NbAnl,
    Echo,
    Add10k,
    Busy,
    Rep,
    Public,
    Scan,
    Roger,
    Mode,
    Bot,
    Eot,
    Call,
    InUse,
    EncCode,
    Off,
    On,
    ScanDel,
    ScanAdd,
    // Group settings
    GroupName,
    GroupValid,
    EmgChx,
    DwChx,
    WorkChx,
    MemChx,
    // Optional features
    Tot,
    Indic,
    Mic,
    AsqLevel,
    Nog,
    Color,
    Scm,
    Fin,
    FreqCh,
    TxOffset,
    MHz,
    RssiFmAm,
    RssiUsbLsb,
    Beep,
    SwrProtect,
    SwrMax,
    VoltProtect,
    VoltMin,
    VoltMax,
    PublicGroup,
    PublicCall,
    ModeEnable, // "%1 Enable", %1 the modulation name
    OffMixed,   // "Off" of the TOT, NOG and Fin lists
    Seconds,    // "%1s"
    IndicTxFrequency,
    IndicSwr,
    IndicTotRemain,
    IndicBattery,
    ColorWhite,
    ColorBlue,
    ColorGreen,
    ColorRed,
    ColorYellow,
    ColorPurple,
    ColorCyan,
    ScanSquelch,
    ScanTime,
    FreqChChannel,
    FreqChFrequency,
    // Settings the windows do not show
    WorkModeValid,
    OptWorkMode,
    Vox,
    ChannelMode,
    MemMenu,
    MenuPage,
    Rtix,
    Ttix,
    // DTMF
    DtmfCode, // "DTMF %1"
    DtmfSendTime,
    DtmfFirstDigitTime,
    DtmfFirstDigitDelay,
    DtmfStarHashTone,
    DtmfDKey,
    DtmfDCode,
    DtmfSeconds, // "%1s"
    DtmfDisplay,
    // Roger beep
    RogerBeep,     // "Roger beep %1"
    RogerBeepStep, // "Roger beep %1 step %2"
    RecycleTimes,
    InterTime,
    RogerNone,
    RogerOff,
    // Model fields of the data file
    ModelName,
    ModelShort,
    ModelCode,
    ModelKind,
    ModelBand,
    BandCode,
    CreateDate,
    SoftVersion,
    Count_
};

// language outside 1..2 reads as English.
QString Text(DiffText key, int language);
