#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct OptionRecord;
struct RadioDocument;

constexpr int kAutodialCount = 16;
constexpr int kAutodialLength = 16;

// The text of code memory n: trailing blanks removed, cut at the first NUL. Empty for n outside 1..16.
QString AutodialText(const OptionRecord& opt, int n);
// empty(n): true when memory n holds no code; memories outside 1..16 count as empty.
bool IsAutodialEmpty(const OptionRecord& opt, int n);
// Stores a typed code: trailing blanks removed, cut at a NUL and at 16 characters, then the
// code, one NUL when it is shorter than the field, blanks up to 16 characters.
void StoreAutodialCode(OptionRecord& opt, int n, const QString& text);
// What a key typed into a code memory becomes: the digits, "*" and "#" as typed, "a".."d"
// upper-cased, nothing for every other printable character.
std::optional<QChar> AutodialKey(QChar typed);
// "OFF", then the number of every code memory that is not empty.
QStringList DtmfCodeListItems(const OptionRecord& opt, int language);

// SetDTMFList without the windows: every reference from a channel or the public channel to
// an empty memory (or to no memory at all: below 1, above 16) becomes 0.
void RevalidateDtmfReferences(RadioDocument& doc);

// The selectors of the "Encode" page.
enum class DtmfEncodeField { SendTime, FirstDigitTime, FirstDigitDelay, StarHashTone, DKey };
QStringList DtmfEncodeItems(DtmfEncodeField field, int language);
// The item a stored value shows: the item whose text is the stored value times the field's
// factor ("D Code Assignment": the item at the stored index); item 0 when there is none.
int DtmfEncodeItemIndex(DtmfEncodeField field, int16_t stored);
// The value the item at index stores.
int16_t DtmfEncodeStoredValue(DtmfEncodeField field, int index);
int16_t& DtmfEncodeFieldOf(OptionRecord& opt, DtmfEncodeField field);
// Opening the window stores what each selector shows, so a value without an item becomes
// the value of the first item.
void NormalizeDtmfEncode(OptionRecord& opt);
