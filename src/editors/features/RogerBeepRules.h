#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>

#include <cstdint>
#include <vector>

struct DataRecord;
struct RadioDocument;
struct RogerSeqEntry;

constexpr int kRogerSequences = 8;
constexpr int kRogerSteps = 14;

// defined(n): Recycle at least 1 and at least one step with a length; false outside 1..8.
bool IsSequenceDefined(const DataRecord& data, int n);
int DefinedSequenceCount(const DataRecord& data);
// "OFF", then the number of every defined sequence.
QStringList RogerListItems(const DataRecord& data, int language);
// Every channel's RogerTone and the public channel's PubRoger that names a sequence that is
// not defined becomes 0.
void RevalidateRogerReferences(RadioDocument& doc);

// The selectors of a sequence.
QStringList RecycleItems(int language);   // "Off", "1" .. "10"
QStringList TenMsItems();                 // 0, 10 .. 2550 ("Inter Time[ms]", "Tone Long[ms]")
QStringList FrequencyItems(int language); // "None", 400, 410 .. 2550
constexpr int kRecycleItems = 11;
constexpr int kTenMsItems = 256;
// Index of the item a stored value shows ("shown by index": the first item when there is none).
int ItemIndexOf(int16_t stored, int itemCount);
// Index of the frequency item a stored code shows: "None" for 0 and for codes without an item.
int FrequencyItemIndex(int16_t code);
int16_t FrequencyCodeOf(int itemIndex);

// The two refusals that keep one sequence defined once one is. Both look only at the current
// sequence: they refuse even when the single defined sequence is another one.
bool RefusesRecycle(const DataRecord& data, int current, int newIndex);
bool RefusesLength(const DataRecord& data, int current, int step, int newIndex);

// What happens to the document when a sequence is shown: each selector's shown item counts
// as a change, so values without an item are replaced (InterTime and Freq by 0; Recycle and
// Length by 0 unless a refusal keeps them). References are revalidated where a Recycle or
// Length changed. Returns true when the set of defined sequences may have changed.
bool ApplyShownSequence(RadioDocument& doc, int current);

// The chart: one rectangle per step with a length, in the surface's coordinates, red for odd
// steps, blue for even ones. Widths share the inner width (surface less a margin) in
// proportion to the lengths; heights are Freq / 256 of the inner height.
struct ChartBar {
    int step;
    QRect rect;
    bool odd;
};
std::vector<ChartBar> ChartBars(const RogerSeqEntry& seq, QSize surface, int margin);
