#include "CliContext.h"
#include "Commands.h"

#include "files/FileAccess.h"
#include "i18n/SafeguardTexts.h"
#include "i18n/Texts.h"
#include "link/CloneEngine.h"
#include "link/LinkProgress.h"
#include "link/PortDirectory.h"
#include "link/QtSerialLink.h"
#include "session/RadioOperation.h"
#include "session/TransferSafeguards.h"

#include <QEventLoop>
#include <QTextStream>

#include <unistd.h>

namespace {

// The percentage on stderr, only where someone can see it change.
class TerminalProgress final : public LinkProgress {
public:
    void showProgress(int) override
    {
        visible_ = true;
        setProgressValue(0);
    }
    void hideProgress() override
    {
        if (visible_ && terminal_)
            QTextStream(stderr) << '\n';
        visible_ = false;
    }
    bool isProgressVisible() const override { return visible_; }
    void setProgressValue(int percent) override
    {
        if (visible_ && terminal_)
            QTextStream(stderr) << '\r' << percent << '%';
    }

private:
    bool visible_ = false;
    bool terminal_ = ::isatty(STDERR_FILENO) != 0;
};

struct LinkArguments {
    QString port;
    QString file;
    QString image;
    int retries = 2;
    bool verify = false;
};

// Runs the engine until it reports the end of the operation it was started on.
bool WaitForEnd(ModComm& engine)
{
    bool success = false;
    QEventLoop loop;
    const QMetaObject::Connection connection = QObject::connect(&engine, &ModComm::finished, &loop, [&](bool ok) {
        success = ok;
        loop.quit();
    });
    loop.exec();
    QObject::disconnect(connection);
    return success;
}

// Runs one read or write to its end on the event loop; true when it completed. After a read
// the image has become the document and a backup of it is kept; after a write with --verify,
// verified receives what reading it back found.
bool RunLink(CliContext& ctx, const LinkArguments& parsed, int16_t operation, VerifyOutcome* verified = nullptr)
{
    ctx.prompt.retriesLeft = parsed.retries;
    TerminalProgress progress;
    QtSerialLink link;
    QtLinkTimer waitTimer;
    ModComm engine(link, waitTimer, ctx.prompt, progress, ctx.app.Image);
    WireIdentityCheck(engine, ctx.app, ctx.prompt, ctx.launcher, link);
    PortDirectory directory(ctx.app.Paths.settingsFile());
    const QString device = ResolvePortArgument(parsed.port, directory);
    const int language = ctx.app.Settings.LanguageIndex;

    // finished() cannot come before the loop runs: the engine answers only from the event loop.
    if (!BeginRadioOperation(ctx.app, engine, ctx.prompt, operation, device))
        return false;
    if (!WaitForEnd(engine))
        return false;
    if (operation == kLinkRead) {
        const BackupResult backup = KeepReadBackup(ctx.app, engine.radioIdentity(), ctx.clock);
        if (backup.written)
            QTextStream(stderr) << SafeguardText(SafeguardMsg::BackupKept, language).arg(backup.path) << '\n';
        else
            ctx.prompt.tell(PromptId::BackupFailed, BackupFailedText(backup, language), PromptIcon::Exclamation);
        AdoptReadImage(ctx.app);
    }
    ctx.prompt.tell(PromptId::Completed, CompletedText(operation, language));
    if (operation == kLinkWrite && verified) {
        WriteVerification verification;
        // A fresh allowance of retries for the read-back.
        ctx.prompt.retriesLeft = parsed.retries;
        const bool success = verification.begin(ctx.app, engine, device) && WaitForEnd(engine);
        *verified = verification.finish(ctx.app, success);
    }
    return true;
}

LinkArguments linkArguments(const CliArguments& arguments)
{
    return {arguments.port, arguments.files[0], arguments.image, arguments.retries, arguments.verify};
}

} // namespace

int CommandRead(CliContext& ctx, const CliArguments& arguments)
{
    const LinkArguments parsed = linkArguments(arguments);
    NewDefaultDocument(ctx.app, ctx.clock);
    if (!RunLink(ctx, parsed, kLinkRead))
        return Fail(QStringLiteral("trk5120-cli: the read did not complete; nothing was written"));
    // The image and the pair are put in place together or not at all: a failure at any
    // step leaves every file as it was, a pair and an image from an earlier run included.
    AtomicFileSet image;
    if (!parsed.image.isEmpty())
        image.add(parsed.image, QByteArray(reinterpret_cast<const char*>(ctx.app.Image.data()), kImageSize));
    return SavePair(ctx, parsed.file, image) ? kExitOk : kExitFailed;
}

int CommandWrite(CliContext& ctx, const CliArguments& arguments)
{
    const LinkArguments parsed = linkArguments(arguments);
    if (!OpenForReading(ctx, parsed.file))
        return kExitFailed;
    VerifyOutcome verified;
    if (!RunLink(ctx, parsed, kLinkWrite, parsed.verify ? &verified : nullptr))
        return Fail(QStringLiteral("trk5120-cli: the write did not complete"));
    if (!parsed.verify)
        return kExitOk;
    const QString report = VerifyReport(verified, ctx.app.Settings.LanguageIndex);
    if (!verified.verified())
        return Fail(report);
    QTextStream(stdout) << report << '\n';
    return kExitOk;
}
