#pragma once

#include "document/DataRecord.h"
#include "document/DocumentState.h"

#include <QString>

class UserPrompt;

// What the frequency rules work on: the document, the band limits of its work mode, and
// the questions through which they warn in the current language.
struct ChannelEditContext {
    RadioDocument& doc;
    const DocumentState& state;
    UserPrompt& prompt;
    int language;
};

// A stored frequency as the grid shows it ("#0.0000" MHz), "" for no frequency. A stored
// text that is not a number is reported ("Not IsNumeric") and shows the lower band limit.
QString StoredToFreqText(const QString& stored, const ChannelEditContext& ctx);
// Down onto the 10 Hz raster anchored at the lower band limit.
double SnapToRaster(double frequency, double bandLow);
// The rastered frequency inside the band (limits included), or 0 after the warning.
double LimitFrequency(double frequency, const ChannelEditContext& ctx);
// A typed text as a checked frequency text with four decimals, or "" after the warning.
QString NormalizeFrequencyText(const QString& value, const ChannelEditContext& ctx);

struct FrequencyCommit {
    bool referencesChecked = false; // the group's channel references were re-validated
    bool groupInvalidated = false;  // the last numbered channel went and its group with it
    bool refused = false;           // clearing the work mode's last numbered channel was refused
    int referenceGroup = 0;         // the group whose references were checked
};

// Commits the text typed into row `row` (1..40, or 1..6 in the memory view `group` 11)
// of the group shown: creates, changes or deletes the row's channel.
FrequencyCommit SetChannelFrequency(const ChannelEditContext& ctx, int group, int row, const QString& value);

// Keeps EmgCh1, EmgCh2, WorkCh, DwCh1 and DwCh2 of the group naming channels it holds.
void RevalidateGroupReferences(RadioDocument& doc, int mode, int group);

// Slot of the channel with number `id` in list (mode, group), 0 when there is none.
int FindChannelSlot(const RadioDocument& doc, int mode, int group, int id);
// The list's count, limited to the slots that exist.
int ChannelCountOf(const RadioDocument& doc, int mode, int group);
