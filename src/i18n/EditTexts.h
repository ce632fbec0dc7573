#pragma once

#include <QString>

// The Edit menu's Undo and Redo items and the names of the steps they take back, in English
// (language 1) and Chinese (language 2). Any other language index reads as English. Texts
// with "%1" and "%2" are templates filled in by StepName.
enum class EditText {
    Undo,     // "&Undo": the item when there is nothing to undo
    Redo,     // "&Redo"
    UndoStep, // the item naming its step: "&Undo frequency of CB A 7"
    RedoStep,
    Frequency, // %1 the channel: "frequency of CB A 7"
    FieldOf,   // %1 a setting, %2 what it belongs to: "TSQ of CB A 7", "Group Valid of CB A"
    WorkMode,
    WorkGroup,    // %1 the work mode: "Work Group of CB"
    DtmfCode,     // %1 the code memory: "DTMF 3"
    RogerStep,    // %1 the sequence, %2 the step: "roger beep 2 step 4"
    RogerSetting, // %1 a setting, %2 the sequence: "Recycle Times of roger beep 2"
    Count_
};

QString Text(EditText key, int language);
QString StepName(EditText key, int language, const QString& first, const QString& second = QString());
// The place of a channel in step names: work mode, group letter (or "MEM") and channel name,
// "CB A 7", "HF MEM M2".
QString ChannelPlaceText(int mode, const QString& groupLetter, const QString& channelName);
QString GroupPlaceText(int mode, const QString& groupLetter);
QString WorkModeText(int mode); // "CB", "HF"
