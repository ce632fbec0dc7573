#include "CliContext.h"
#include "Commands.h"

#include "files/FileAccess.h"
#include "i18n/Texts.h"
#include "link/CloneEngine.h"
#include "link/LinkProgress.h"
#include "link/PortDirectory.h"
#include "link/QtSerialLink.h"
#include "session/RadioOperation.h"

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
};

// Runs one read or write to its end on the event loop; true when it completed. After a read
// the image has become the document.
bool RunLink(CliContext& ctx, const LinkArguments& parsed, int16_t operation)
{
    ctx.prompt.retriesLeft = parsed.retries;
    TerminalProgress progress;
    QtSerialLink link;
    QtLinkTimer waitTimer;
    ModComm engine(link, waitTimer, ctx.prompt, progress, ctx.app.Image);
    engine.setIdentityCheck([&](const RadioIdentity& radio) {
        return CheckRadioIdentity(ctx.app, ctx.prompt, ctx.launcher, link, radio);
    });
    PortDirectory directory(ctx.app.Paths.settingsFile());
    const QString device = ResolvePortArgument(parsed.port, directory);

    bool success = false;
    QEventLoop loop;
    QObject::connect(&engine, &ModComm::finished, &loop, [&](bool ok) {
        success = ok;
        loop.quit();
    });
    if (!BeginRadioOperation(ctx.app, engine, ctx.prompt, operation, device))
        return false;
    loop.exec();
    if (!success)
        return false;
    if (operation == kLinkRead)
        AdoptReadImage(ctx.app);
    ctx.prompt.tell(PromptId::Completed, CompletedText(operation, ctx.app.Settings.LanguageIndex));
    return true;
}

LinkArguments linkArguments(const CliArguments& arguments)
{
    return {arguments.port, arguments.files[0], arguments.image, arguments.retries};
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
    if (!RunLink(ctx, parsed, kLinkWrite))
        return Fail(QStringLiteral("trk5120-cli: the write did not complete"));
    return kExitOk;
}
