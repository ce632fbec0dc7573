#pragma once

#include "document/DataRecord.h"

#include <QStringList>

// How much of two documents is compared. A document decoded from a memory image holds only
// what the radio holds; everything else in it is the start-up document's and means nothing.
enum class DiffScope {
    RadioContent,  // what the memory image carries
    WholeDocument, // also what only a data file pair keeps (model fields, OptWorkMode, ...)
};

// The differences from `before` to `after`, one line each, in the captions and value texts
// of the editor windows in the given language, for example "CB A 7: frequency 28.0150 ->
// 28.0250", "TOT: Off -> 90s" or "DTMF 3: 1A2B -> (empty)". Channels are matched by work
// mode, group and channel number. Empty when the documents agree within the scope.
QStringList DocumentDifferences(const RadioDocument& before, const RadioDocument& after, DiffScope scope, int language);
