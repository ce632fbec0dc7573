#pragma once

#include "app/AppState.h"
#include "app/UserPrompt.h"
#include "document/Clock.h"
#include "files/SystemProgramLauncher.h"

#include <QString>
#include <QStringList>

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Nobody sits in front of the tool: every message goes to stderr, confirmations
// are answered Yes, and the version question of an open is answered with
// versionAnswer (No: starting another program from a batch job would surprise).
class CliPrompt final : public UserPrompt {
public:
    PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    PromptAnswer versionAnswer = PromptAnswer::No;
    bool answeringVersionQuestion = false;
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
// Writes bytes to path through a temporary file: a failure leaves no file behind.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);
// The built-in start-up document (defaults, no template), band text HF.
void BuildStartupDocument(CliContext& ctx);
// Opens a data file with all the tests of File Open; false after a message.
bool OpenForReading(CliContext& ctx, const QString& path);
// Saves the document as the pair at path; false after a message.
bool SavePair(CliContext& ctx, const QString& path);
