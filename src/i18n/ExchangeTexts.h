#pragma once

#include <QString>

// Texts of the channel list export and import, English (language 1) and Chinese (language 2).
// Texts with "%1".."%4" take values.
enum class ExchangeText {
    MenuExport,
    MenuImport,
    FileFilter,      // the file dialogs' filter name, followed by " (*.csv)"
    ColumnWorkMode,  // header of the work mode column
    ColumnGroup,     // header of the group column
    ImportOf,        // "import of %1": the change as the Edit menu names it, %1 the file name
    ImportRefused,   // the first line of the message that lists the problems
    Location,        // "line %1, column %2 (%3): %4"
    LocationUnnamed, // "line %1, column %2: %3", a column without a header
    LineOnly,        // "line %1: %2"
    NoHeader,
    NoRows,
    MissingColumn, // %1 the column name
    UnknownColumn,
    DuplicateColumn,
    UnclosedQuote,
    ExtraCells,
    BadWorkMode,       // %1 the cell
    BadGroup,          // %1 the cell, %2 the work mode
    BadChannelName,    // %1 the cell
    MemoryViewOnly,    // the memory view holds only M1..M6
    DuplicateChannel,  // %1 the channel name, %2 the line it was first given on
    NotAFrequency,     // %1 the cell
    OutOfBand,         // %1 the cell, %2 the band text
    NotInList,         // %1 the cell, %2 the entries offered
    NoNumberedChannel, // %1 the group letter, %2 the work mode
    MoreProblems,      // "... and %1 more"
    Count_
};

// language outside 1..2 reads as English.
QString Text(ExchangeText key, int language);
