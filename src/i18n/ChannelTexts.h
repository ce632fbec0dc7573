#pragma once

#include <QString>

// Captions and messages of the channel window, English (language 1) and Chinese (language 2).
enum class ChannelText {
    WindowTitle,
    WorkModeLabel,
    WorkModeCB,
    WorkModeHF,
    GroupLabel,
    WorkGroupLabel,
    HeaderChannel,
    HeaderFrequency,
    DetailTitle, // followed by the channel name
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
    Off,
    On,
    ScanDel,
    ScanAdd,
    RepPlus,
    RepMinus,
    EmgChx, // followed by "1" or "2"
    DwChx,  // followed by "1" or "2"
    GroupValid,
    NotIsNumeric,
    Count_
};

// The fixed texts shown when an operation of the channel window meets data it cannot
// work with and abandons what it was doing.
enum class ChannelFault {
    InitShowGrid,
    ChangShowByLanguage,
    ShowChIfoData,
    ShowChIfoDataOther,
    SetGridData,
    ReShowGrid,
    GridDoubleClick,
    SaveShowGridData,
    EnterGridEdit,
    FormLoad,
    FormUnload,
    GridNextLine,
    GridNextCol,
    EditorKeyFilter,
    Count_
};

// language outside 1..2 reads as English.
QString Text(ChannelText key, int language);
QString FaultText(ChannelFault key);
