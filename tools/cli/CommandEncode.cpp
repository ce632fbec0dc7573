#include "CliContext.h"
#include "Commands.h"

#include "files/FileAccess.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"

int CommandEncode(CliContext& ctx, const CliArguments& arguments)
{
    if (!OpenForReading(ctx, arguments.files[0]))
        return kExitFailed;
    InitImage(ctx.app.Image);
    EncodeDocument(ctx.app.Doc, ctx.app.Image);
    const QByteArray bytes(reinterpret_cast<const char*>(ctx.app.Image.data()), kImageSize);
    if (!WriteFileAtomically(arguments.files[1], bytes))
        return Fail(Text(Msg::FileError, kEnglish));
    return kExitOk;
}
