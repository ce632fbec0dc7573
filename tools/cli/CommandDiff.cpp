#include "CliContext.h"
#include "Commands.h"

#include "files/DocumentDiff.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {

// Like diff(1): 0 the same, 1 different, 2 trouble (an input that cannot be read).
constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

// Reads one input into ctx.app.Doc: a 16,384-byte file is a memory image, decoded over the
// start-up document as `decode` does; anything else is opened as a data file pair with all
// the tests of File Open. False after a message on stderr.
bool LoadInput(CliContext& ctx, const QString& path, bool& isImage)
{
    isImage = QFileInfo(path).isFile() && QFileInfo(path).size() == kImageSize;
    if (!isImage)
        return OpenForReading(ctx, path);

    QFile input(path);
    const QByteArray bytes = input.open(QIODevice::ReadOnly) ? input.read(kImageSize) : QByteArray();
    if (bytes.size() != kImageSize) {
        QTextStream(stderr) << Text(Msg::FileError, kEnglish) << '\n';
        return false;
    }
    NewDefaultDocument(ctx.app, ctx.clock);
    std::memcpy(ctx.app.Image.data(), bytes.constData(), kImageSize);
    DecodeImage(ctx.app.Image, ctx.app.Doc, ctx.app.DocState);
    return true;
}

} // namespace

int CommandDiff(CliContext& ctx, const CliArguments& arguments)
{
    // The second input needs a document of its own, opened with the same program setup.
    auto other = std::make_unique<CliContext>();
    other->app.Paths = ctx.app.Paths;
    other->app.Versions = ctx.app.Versions;
    other->app.Settings = ctx.app.Settings;

    bool firstIsImage = false;
    bool secondIsImage = false;
    if (!LoadInput(ctx, arguments.files[0], firstIsImage) || !LoadInput(*other, arguments.files[1], secondIsImage))
        return kExitTrouble;

    // What an image does not carry is the start-up document's, so it is compared only
    // between two pairs.
    const DiffScope scope = firstIsImage || secondIsImage ? DiffScope::RadioContent : DiffScope::WholeDocument;
    const QStringList lines = DocumentDifferences(ctx.app.Doc, other->app.Doc, scope, kEnglish);
    QTextStream out(stdout);
    for (const QString& line : lines)
        out << line << '\n';
    return lines.isEmpty() ? kExitSame : kExitDifferent;
}
