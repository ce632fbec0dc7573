#include "CliContext.h"
#include "Commands.h"

#include "files/DataFile.h"
#include "i18n/Texts.h"
#include "link/CloneEngine.h"
#include "link/LinkProgress.h"
#include "link/PortDirectory.h"
#include "link/QtSerialLink.h"
#include "session/RadioOperation.h"

#include <QEventLoop>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <unistd.h>

namespace {

// The percentage on stderr, only where someone can see it change.
class TerminalProgress final : public LinkProgress {
public:
    void showProgress(int) override
    {
        m_visible = true;
        setProgressValue(0);
    }
    void hideProgress() override
    {
        if (m_visible && m_terminal)
            QTextStream(stderr) << '\n';
        m_visible = false;
    }
    bool isProgressVisible() const override { return m_visible; }
    void setProgressValue(int percent) override
    {
        if (m_visible && m_terminal)
            QTextStream(stderr) << '\r' << percent << '%';
    }

private:
    bool m_visible = false;
    bool m_terminal = ::isatty(STDERR_FILENO) != 0;
};

struct LinkArguments {
    QString port;
    QString file;
    QString image;
    int retries = 2;
};

bool ParseLinkArguments(const QStringList& arguments, bool allowImage, LinkArguments& parsed)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--port") && hasValue) {
            parsed.port = arguments[++i];
        } else if (argument == QLatin1String("--image") && allowImage && hasValue) {
            parsed.image = arguments[++i];
        } else if (argument == QLatin1String("--retries") && hasValue) {
            bool ok = false;
            parsed.retries = arguments[++i].toInt(&ok);
            if (!ok || parsed.retries < 0 || parsed.retries > 1000)
                return false;
        } else if (!argument.startsWith(QLatin1String("--")) && parsed.file.isEmpty()) {
            parsed.file = argument;
        } else {
            return false;
        }
    }
    return !parsed.port.isEmpty() && !parsed.file.isEmpty();
}

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

} // namespace

int CommandRead(CliContext& ctx, const QStringList& arguments)
{
    LinkArguments parsed;
    if (!ParseLinkArguments(arguments, true, parsed))
        return Fail(QStringLiteral("usage: trk5120-cli read --port PORT OUT.dat [--image OUT.img] [--retries N]"));
    BuildStartupDocument(ctx);
    if (!RunLink(ctx, parsed, kLinkRead))
        return Fail(QStringLiteral("trk5120-cli: the read did not complete; nothing was written"));
    // The image waits, written but not yet in place, until the pair is saved: a failed save
    // then leaves every file as it was, a pair from an earlier run included.
    QSaveFile image(parsed.image);
    if (!parsed.image.isEmpty()) {
        const QByteArray bytes(reinterpret_cast<const char*>(ctx.app.Image.data()), kImageSize);
        if (!image.open(QIODevice::WriteOnly) || image.write(bytes) != bytes.size())
            return Fail(Text(Msg::FileError, kEnglish));
    }
    if (!SavePair(ctx, parsed.file))
        return kExitFailed;
    if (!parsed.image.isEmpty() && !image.commit()) {
        // The pair just written belongs to this failed run; nothing of it may stay behind.
        QFile::remove(parsed.file);
        QFile::remove(ChannelFilePath(parsed.file));
        return Fail(Text(Msg::FileError, kEnglish));
    }
    return kExitOk;
}

int CommandWrite(CliContext& ctx, const QStringList& arguments)
{
    LinkArguments parsed;
    if (!ParseLinkArguments(arguments, false, parsed))
        return Fail(QStringLiteral("usage: trk5120-cli write --port PORT IN.dat [--retries N]"));
    if (!OpenForReading(ctx, parsed.file))
        return kExitFailed;
    if (!RunLink(ctx, parsed, kLinkWrite))
        return Fail(QStringLiteral("trk5120-cli: the write did not complete"));
    return kExitOk;
}
