#include "CliContext.h"
#include "Commands.h"

#include "files/FileAccess.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"

#include <cstring>

int CommandDecode(CliContext& ctx, const CliArguments& arguments)
{
    QByteArray bytes;
    qint64 size = 0;
    if (!ReadRegularFile(arguments.files[0], kImageSize, bytes, &size) || size != kImageSize ||
        bytes.size() != kImageSize)
        return Fail(Text(Msg::FileError, kEnglish));

    // A read from the radio decodes over the document that is open; here that is
    // always the start-up document, so the result does not depend on anything else.
    NewDefaultDocument(ctx.app, ctx.clock);
    std::memcpy(ctx.app.Image.data(), bytes.constData(), kImageSize);
    DecodeImage(ctx.app.Image, ctx.app.Doc, ctx.app.DocState);
    return SavePair(ctx, arguments.files[1]) ? kExitOk : kExitFailed;
}
