#pragma once

#include "document/DataRecord.h"

#include <QByteArray>

// The whole document as indented JSON with the record's own field names, for scripts and
// version control: "header", "options", "groups" (each with its settings and its channels,
// ascending by channel number), "dtmf" and "rogerBeeps". Text fields are given by their value
// (blanks and what follows a NUL removed); frequencies also as the channel window shows them.
QByteArray DocumentToJson(const RadioDocument& doc);
