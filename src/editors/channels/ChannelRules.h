#pragma once

#include "document/DataRecord.h"
#include "i18n/ChannelTexts.h"

#include <QString>
#include <QStringList>

#include <array>

// The channel window's rules over the document, without widgets: names, the lists its
// selectors offer and what a pick in each of them stores.

// "7" for a numbered channel, "M2" for a memory channel.
QString GetCHName(int id);
// The channel number of a name: "M2" gives 42, "7" gives 7, anything else 0.
int GetCHID(const QString& name);

// The group selector's entries: "A".."J" and "MEM" for CB, "A".."I" and "MEM" for HF.
QStringList GroupEntries(int mode);
// Groups 1..10 for CB, 1..9 for HF.
int GroupsOfMode(int mode);
// The group a stored CurGroup stands for in the selector, 1..groups or 11; others give 1.
int ShownGroup(int mode, int storedGroup);

// The grid row of the current channel of a group on show (1..40, or 1..6 in the memory view).
int RowsOfGroup(int group);

// Work group selector: letters of the valid groups and the one to select (-1 when none is
// valid). Selecting it stores its group as CBWorkGroup / HFWorkGroup.
struct WorkGroupChoice {
    QStringList letters;
    int selected = -1;
};
WorkGroupChoice InitComboWorkGroup(const RadioDocument& doc);
void StoreWorkGroup(RadioDocument& doc, const QString& letter);

// The four channel references of the group panel, in the order of its selectors.
enum class GroupReference { EmgCh1, EmgCh2, DwCh1, DwCh2 };
constexpr std::array<GroupReference, 4> kGroupReferences{GroupReference::EmgCh1, GroupReference::EmgCh2,
                                                         GroupReference::DwCh1, GroupReference::DwCh2};
int16_t& ReferenceField(RadioDocument& doc, GroupReference ref, int mode, int group);
// Names of the group's numbered channels, ascending.
QStringList InitValidComboList(const RadioDocument& doc, int mode, int group);
// The entry each reference selects: its channel's name, else the first entry, which `store`
// then writes back like a pick; "" when the list is empty.
std::array<QString, 4> ShowValidComboText(RadioDocument& doc, int mode, int group, bool store);
void StoreReference(RadioDocument& doc, GroupReference ref, int mode, int group, const QString& name);

// "Group Valid" picked at position 0 (OFF) or 1 (ON).
enum class GroupValidOutcome {
    SnappedBack, // the work mode's only valid group stays valid: the selector goes back to ON
    Stored,
    StoredWithDefaultChannel, // the emptied group got its channel 1 at its default frequency
};
GroupValidOutcome PickGroupValid(RadioDocument& doc, int mode, int group, int position);

// The detail panel's selectors and the channel fields they edit.
enum class DetailField { Tsq, HiCut, NbAnl, Echo, Add10k, Busy, Rep, Public, Scan, Roger, Mode, Bot, Eot, Call };
constexpr int kDetailFieldCount = 14;
// The caption of a field's selector in the detail panel.
ChannelText DetailCaption(DetailField field);
int16_t& DetailValue(ChannelRecord& ch, DetailField field);
// Selectors whose list is fixed show the entry at the field's position; these are the others.
bool IsNumberedList(DetailField field); // Roger, BOT, EOT, Call: entries named by number
// The entries of a selector whose list is fixed, in one language (the position is the stored
// value): "OFF"/"ON", Rep's "OFF"/"+"/"-", Scan's "Del"/"Add", Tsq's tone codes. Empty for the
// numbered lists and Mode, whose entries depend on the document.
QStringList FixedListEntries(DetailField field, int language);
// The position a fixed list shows for a stored value: the value inside 0..count-1, else 0.
int FixedListPosition(int16_t value, int count);
// The entry a numbered list shows: the entry with the field's number, else the first one.
int NumberedListPosition(const QStringList& entries, int16_t value);
// Stores the pick of entry `position` (text `entry`) into the field.
void StoreDetail(ChannelRecord& ch, DetailField field, int position, const QString& entry);
// Selectors greyed while "Public" is on.
bool IsPublicLocked(DetailField field);

// "OFF" (in the current language) and the numbers of the defined roger-beep sequences.
QStringList RogerList(const DataRecord& data, const QString& offEntry);
// "OFF" and the numbers of the non-empty DTMF codes.
QStringList CodeList(const DataRecord& data, const QString& offEntry);
// The enabled modulations, without "PA" in the memory view.
QStringList ModeList(const DataRecord& data, bool memoryView);

// The channel of a grid row: numbered groups hold it themselves, the memory view's rows are
// the memory channels of group 1. Null when the row has no channel.
ChannelRecord* RowChannel(RadioDocument& doc, int group, int row);
