#pragma once

#include "document/Clock.h"
#include "files/FileAccess.h"
#include "files/SystemProgramLauncher.h"
#include "session/AppState.h"
#include "session/UserPrompt.h"

#include <QString>
#include <QStringList>

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Nobody sits in front of the tool: messages go to stderr (the completion message to
// stdout), confirmations are answered OK, "start the other version?" No (starting another
// program from a batch job would surprise), and a radio that does not answer is retried
// retriesLeft times in all before the operation is cancelled.
class CliPrompt final : public UserPrompt {
public:
    PromptAnswer ask(PromptId id, const QString& text, PromptButtons buttons, PromptIcon icon) override;
    int retriesLeft = 0;

private:
    bool takeRetry();
};

// What every command gets: the program state as the windows would hold it.
struct CliContext {
    AppState app;
    CliPrompt prompt;
    SystemProgramLauncher launcher;
    SystemClock clock;
};

// Prints an English message on stderr; always returns kExitFailed.
int Fail(const QString& message);
// Opens a data file with all the tests of File Open; false after a message.
bool OpenForReading(CliContext& ctx, const QString& path);
// Saves the document as the pair at path; false after a message.
bool SavePair(CliContext& ctx, const QString& path);
// The same together with the files in alongside: all are put in place or none.
bool SavePair(CliContext& ctx, const QString& path, AtomicFileSet& alongside);
