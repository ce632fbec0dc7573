#include "CliContext.h"
#include "Commands.h"

#include "i18n/Texts.h"
#include "image/MemoryImage.h"

#include <QFile>

#include <cstring>

int CommandDecode(CliContext& ctx, const QStringList& arguments)
{
    QFile input(arguments[0]);
    if (!input.open(QIODevice::ReadOnly) || input.size() != kImageSize)
        return Fail(Text(Msg::FileError, kEnglish));
    const QByteArray bytes = input.read(kImageSize);
    if (bytes.size() != kImageSize)
        return Fail(Text(Msg::FileError, kEnglish));

    // A read from the radio decodes over the document that is open; here that is
    // always the start-up document, so the result does not depend on anything else.
    BuildStartupDocument(ctx);
    std::memcpy(ctx.app.Image.data(), bytes.constData(), kImageSize);
    DecodeImage(ctx.app.Image, ctx.app.Doc, ctx.app.DocState);
    return SavePair(ctx, arguments[1]) ? kExitOk : kExitFailed;
}
