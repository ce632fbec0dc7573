#include "CliContext.h"

#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

#include <QSaveFile>
#include <QTextStream>

PromptAnswer CliPrompt::ask(const QString& text, PromptButtons buttons, PromptIcon)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextStream(stderr) << shown << '\n';
    switch (buttons) {
    case PromptButtons::Ok:
    case PromptButtons::OkCancel:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return answeringVersionQuestion ? versionAnswer : PromptAnswer::Yes;
    case PromptButtons::RetryCancel:
        return PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
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
    ctx.prompt.answeringVersionQuestion = true;
    const OpenResult result = OpenDataFile(ctx.app, ctx.prompt, ctx.launcher);
    ctx.prompt.answeringVersionQuestion = false;
    return result == OpenResult::Opened;
}

bool SavePair(CliContext& ctx, const QString& path)
{
    ctx.app.DocState.DocPath = path;
    return SaveDataFile(ctx.app, ctx.prompt);
}
