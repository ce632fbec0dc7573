#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct OptionRecord;
struct RadioDocument;

// Fixed text and numbers
QString TrimFixed(const QString& text);
// A number as the program writes and reads numbers everywhere: optional blanks around,
// optional sign, digits with at most one "." and at least one digit. Never locale-dependent.
std::optional<double> ParseNumber(const QString& text);
bool IsNumeric(const QString& text);
bool IsDigitsOnly(const QString& text); // non-empty, characters '0'..'9' only
int16_t ToIntOr(const QString& text, int16_t fallback);
int16_t ClampFlag(int16_t value, int16_t fallback);
QString HexByte(int value);
// Formats with a fixed number of decimals and "." (rounding half away from zero, like "#0.0000").
QString FormatFixed(double value, int decimals);
// The shortest decimal text of a value, "." as the point (25.615, not 25.6150).
QString FormatShortest(double value);
// Rounds to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

// DTMF digits
QString DtmfDigitText(int16_t value);
int16_t DtmfDigitValue(const QString& text);

// Work modes: "CB" for kModeCB, "HF" for any other.
QString WorkModeName(int mode);

// Groups
QString GroupLetter(int16_t group);
int16_t GroupNumber(const QString& text);

// Modulations
QString ModeName(int16_t value);
int16_t ModeIndex(const QString& name);
int16_t CoerceMode(const OptionRecord& opt, int16_t mode);
// The names FillModeList puts into a selector, in order.
QStringList ModeListItems(const OptionRecord& opt, bool withoutPa);
// Channel-table half of CoerceAllChannelModes; the channel window refreshes its own selector.
void CoerceAllChannelModes(RadioDocument& doc);

// Paths: both "\" and "/" separate folders.
QString FileNameOf(const QString& path);
QString ParentFolder(const QString& path);
QString InstallRoot(const QString& programFolder);

// Selection lists
QString ComboPick(const QStringList& items, const QString& text);
QString ComboItemAt(const QStringList& items, int index);
