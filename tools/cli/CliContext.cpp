#include "CliContext.h"

#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

#include <QSaveFile>
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

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void BuildStartupDocument(CliContext& ctx)
{
    ctx.app.DocState.BandText = kBandTextHF;
    ParseBandLimits(ctx.app.DocState);
    ctx.app.DocState.DocPath = kNewDocPath;
    ctx.app.DocState.IsNewDoc = -1;
    BuildDefaultDocument(ctx.app.Doc, ctx.app.DocState, ctx.clock);
    DocumentToSaved(ctx.app.Doc, ctx.app.Saved, ctx.app.DocState);
}

bool OpenForReading(CliContext& ctx, const QString& path)
{
    ctx.app.DocState.DocPath = path;
    return OpenDataFile(ctx.app, ctx.prompt, ctx.launcher) == OpenResult::Opened;
}

bool SavePair(CliContext& ctx, const QString& path)
{
    ctx.app.DocState.DocPath = path;
    return SaveDataFile(ctx.app, ctx.prompt);
}
