#pragma once

#include <QString>

// Captions and value texts of the list of differences between two documents that no window
// shows, English (language 1) and Chinese (language 2). Texts with "%1"/"%2" take numbers.
// What a window shows comes from that window's own table (ChannelTexts, FeatureTexts).
enum class DiffText {
    // Places and general values
    ModeCB,
    ModeHF,
    ChannelNone, // a channel that one side does not have
    Empty,       // an empty text field
    WorkMode,
    // Channel settings
    Frequency,
    InUse,
    EncCode,
    // Group settings
    GroupName,
    WorkChx,
    MemChx,
    // Optional features
    ModeEnable, // "%1 Enable", %1 the modulation name
    Seconds,    // "%1s"
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
    // Roger beep
    RogerBeep,     // "Roger beep %1"
    RogerBeepStep, // "Roger beep %1 step %2"
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
