#pragma once

#include <QString>

// Texts of the safeguards around a radio transfer: the backup kept of every read and the
// read-back that verifies a write.
enum class SafeguardMsg {
    BackupFailed,    // %1: the backup file or folder
    BackupKept,      // %1: the backup file
    Verified,        // the radio gave back exactly what was written
    VerifyDifferent, // %1: number of differing bytes, %2: their first addresses
    VerifyNotRead,   // the read-back did not complete
    MenuVerifyWrite, // the Setup menu item
    Count
};

QString SafeguardText(SafeguardMsg key, int language);
