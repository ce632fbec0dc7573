#pragma once

#include "files/ImageBackup.h"
#include "image/MemoryImage.h"
#include "link/CloneEngine.h"

#include <QList>
#include <QString>

#include <optional>

struct AppState;
class Clock;
class UserPrompt;

// What the main window and the command-line tool do around a transfer so that nothing on a
// radio is lost unnoticed: every read is kept as a backup, and a write can be read back.

// After a successful read: keeps the image the radio gave (app.Image) in BackupFolder(),
// named by the time and the radio's identity. A failure is for the caller to report; it
// never undoes the read.
BackupResult KeepReadBackup(const AppState& app, const RadioIdentity& radio, const Clock& clock);
// The warning for a backup that could not be written, in the current language.
QString BackupFailedText(const BackupResult& result, int language);

// The comparison of the written range (0x0000-0x3F3F) with what the radio gave back.
struct VerifyOutcome {
    bool readBack = false; // the read-back completed
    int differingBytes = 0;
    QList<int> firstDifferences; // ascending, at most kMaxReportedDifferences
    bool verified() const { return readBack && differingBytes == 0; }
};
constexpr int kMaxReportedDifferences = 8;
// The part of the image a write sends.
constexpr int kWrittenEnd = 0x3F40;

VerifyOutcome CompareWrittenRange(const MemoryImage& sent, const MemoryImage& readBack);
// The line that follows "Write Data Completed.": verified, the differences (addresses as
// 0x0000), or a read-back that did not complete.
QString VerifyReport(const VerifyOutcome& outcome, int language);

// The read-back after a write: begin() keeps the image just sent and starts reading the
// radio into app.Image over the same port, with no question first (the user already agreed
// to the write); finish() compares and puts the sent image back, so app.Image is left as
// the write left it.
class WriteVerification {
public:
    // False when the engine cannot start (the port no longer opens); finish() is then not
    // needed and the outcome is a read-back that did not complete.
    bool begin(AppState& app, ModComm& engine, const QString& device);
    // With the engine's finished() result.
    VerifyOutcome finish(AppState& app, bool success);
    bool isRunning() const { return sent_.has_value(); }

private:
    std::optional<MemoryImage> sent_;
};
