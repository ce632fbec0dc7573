#pragma once

#include "document/DataRecord.h"

#include <QByteArray>
#include <QStringList>

// Channel lists as CSV for spreadsheets: one row per channel with named columns, the values
// in the texts of the channel window (English), the frequency in MHz with four decimals.

// Every channel of both work modes, by work mode, group and channel number (1..40, M1..M6).
// Memory channels are written under the group that holds them.
QByteArray ChannelsToCsv(const RadioDocument& doc);

struct ChannelCsvImport {
    bool imported = false;
    int channels = 0;     // rows taken
    QStringList problems; // one per refused cell or row, naming line and column
};

// Replaces in `doc` the channels of every work mode and group the CSV names, through the
// rules of the channel window: band and raster of the row's work mode, the lists of its
// selectors, channel names unique in a group, a valid group keeps a numbered channel, and
// the group's channel references re-validated afterwards. The group "MEM" stands for the
// memory channels of group A. Columns are found by their header (English or Chinese, any
// case, any order); a column left out keeps the value of a channel the group already had,
// else the value of a new channel. When any row cannot be taken, `doc` is left unchanged
// and the problems say why, in the given language.
ChannelCsvImport ImportChannelsFromCsv(const QByteArray& csv, RadioDocument& doc, int language);

// The message that refuses an import: a first line and at most `maxProblems` problems.
QString ImportRefusedText(const ChannelCsvImport& result, int language, int maxProblems = 12);
