#include "CliContext.h"

#include "files/DataFile.h"

#include <QTextStream>

PromptAnswer CliPrompt::ask(PromptId id, const QString& text, PromptButtons buttons, PromptIcon)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextStream(id == PromptId::Completed ? stdout : stderr) << shown << '\n';
    switch (id) {
    case PromptId::StartOtherVersion:
        return PromptAnswer::No;
    case PromptId::CheckConnection:
        if (!takeRetry())
            return PromptAnswer::Cancel;
        return buttons == PromptButtons::RetryCancel ? PromptAnswer::Retry : PromptAnswer::Ok;
    default:
        break;
    }
    switch (buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::Yes;
    default:
        return PromptAnswer::Ok;
    }
}

bool CliPrompt::takeRetry()
{
    if (retriesLeft <= 0) {
        QTextStream(stderr) << "trk5120-cli: no retries left, cancelled" << '\n';
        return false;
    }
    --retriesLeft;
    QTextStream(stderr) << "trk5120-cli: retrying" << '\n';
    return true;
}

int Fail(const QString& message)
{
    QTextStream(stderr) << message << '\n';
    return kExitFailed;
}

bool OpenForReading(CliContext& ctx, const QString& path)
{
    ctx.app.DocState.DocPath = path;
    return OpenDataFile(ctx.app, ctx.prompt, ctx.launcher) == OpenResult::Opened;
}

bool SavePair(CliContext& ctx, const QString& path, AtomicFileSet& alongside)
{
    ctx.app.DocState.DocPath = path;
    return SaveDataFile(ctx.app, ctx.prompt, alongside);
}

bool SavePair(CliContext& ctx, const QString& path)
{
    AtomicFileSet nothingElse;
    return SavePair(ctx, path, nothingElse);
}
