#pragma once

#include <QString>
#include <QStringList>

// Captions and list texts of the optional-features, DTMF and roger-beep windows, in English
// (language 1) and Chinese (language 2). Any other language index reads as English.
enum class FeatureText {
    // Optional features
    OptFeaturesCaption,
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
    Public,
    Bot,
    Eot,
    Call,
    HiCut,
    NbAnl,
    Echo,
    Add10k,
    Roger,
    Mode,
    ModeEnable,
    FmEnable,
    AmEnable,
    UsbEnable,
    LsbEnable,
    PaEnable,
    OffMixed, // "Off" of TOT, NOG, Fin
    OffUpper, // "OFF" of the public channel's switches and lists
    OnUpper,
    TxDisplayFrequency,
    TxDisplaySwr,
    TxDisplayTot,
    TxDisplayBattery,
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
    // DTMF
    DtmfCaption,
    DtmfEncode,
    DtmfDecode,
    DtmfAutodialMemory,
    DtmfSendTime,
    DtmfFirstDigitTime,
    DtmfFirstDigitDelay,
    DtmfStarHashTone,
    DtmfDKeyAssignment,
    DtmfDisplay,
    DtmfDCode,
    DtmfSecondsSuffix,
    DtmfNumber,
    // Roger beep: the preview without a sound device
    NoSoundDevice,
    Count_
};

QString Text(FeatureText key, int language);

// The roger-beep window's numbered caption table (also the main window's "&Roger Beep" menu
// item, 10221, and tree node, 12014). An id without an entry gives an empty text.
QString RogerBeepCaption(int id, int language);
