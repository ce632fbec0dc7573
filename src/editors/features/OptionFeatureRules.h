#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

struct DataRecord;
struct OptionRecord;
struct RadioDocument;

// Editor ids of the optional-features window, as SaveOptFeat takes them: selectors of the
// main list by their own number, check boxes 100 + their number, selectors of the public
// channel 200 + their number.
namespace OptId {
constexpr int TxDisplay = 2, Mic = 3, Nog = 8, Tot = 9, ScanMode = 10, Fin = 11, Color = 17, PubMode = 18, FreqCh = 23,
              AsqLevel = 24;
constexpr int Beep = 102, SwrProtect = 103, VoltProtect = 104, FmEnable = 105, PaEnable = 109;
constexpr int PubHiCut = 200, PubNbAnl = 201, PubEcho = 202, PubAdd10k = 203, PubRoger = 205, PubBot = 206,
              PubEot = 207, PubCall = 208;
} // namespace OptId

// The field an editor id stores into; nullptr for an id that changes nothing.
int16_t* OptFeatField(DataRecord& data, int id);
const int16_t* OptFeatField(const DataRecord& data, int id);
// The items of a selector in the given language ("Mode": the enabled modes; "BOT", "EOT",
// "CALL" and "Roger": "OFF" and the numbers of non-empty codes / defined sequences).
QStringList OptSelectorItems(int id, const DataRecord& data, int language);
// The item a stored value shows (never writes the document): by index, by text, TOT by a
// third of the stored value, "Mode" by the name at the stored position. Item 0 when the
// value has no item.
int OptShownIndex(int id, const DataRecord& data, const QStringList& items);
// SaveOptFeat: stores the picked item (or a check box state, 0 or 1, as index) into the
// field of the id. False for an id that changes nothing.
bool SaveOptFeat(DataRecord& data, int id, int index, const QString& text);

// Opening the window keeps the clarifier offsets within -1000..1000.
void LimitClarifiers(OptionRecord& opt);

// Text fields, when they lose the focus: the corrected text and what is stored.
struct SwrMaxResult {
    QString text;
    int16_t swrMax;
};
SwrMaxResult LeaveSwrMax(const QString& text);
struct VoltResult {
    QString minText;
    QString maxText;
    int16_t voltMin;
    int16_t voltMax;
};
// leftMin: "Min[V]" lost the focus (otherwise "Max[V]"); the other text is taken as it is.
VoltResult LeaveVolt(const QString& minText, const QString& maxText, bool leftMin);
struct TxOffsetResult {
    QString text;
    int32_t txOffset;
};
TxOffsetResult LeaveTxOffset(const QString& text);
// RSSI field 0..11: stores the value when the six thresholds of its group stay strictly
// increasing; gives the text the field then shows (the stored value + 1).
QString LeaveRssi(DataRecord& data, int field, const QString& text);
QString SwrMaxText(int16_t stored);
QString VoltText(int16_t stored);
QString TxOffsetText(int32_t stored);

// Mode enable: clearing the last of FM, AM, USB, LSB is refused. Stores the box, then puts
// every channel on an enabled mode. Returns whether the box is checked afterwards.
bool ApplyModeEnable(RadioDocument& doc, int mode, bool checked);
// The public "Mode" after the list was rebuilt: the remembered mode when still offered,
// else the first item; PubMode is stored from it. Returns the selected index.
int ReselectPublicMode(DataRecord& data, const QStringList& items, const QString& remembered);
