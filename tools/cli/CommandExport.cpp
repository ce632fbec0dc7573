#include "CliContext.h"
#include "Commands.h"

#include "files/ChannelCsv.h"
#include "files/DocumentJson.h"
#include "files/FileAccess.h"
#include "i18n/Texts.h"

int CommandExport(CliContext& ctx, const CliArguments& arguments)
{
    if (!OpenForReading(ctx, arguments.files[0]))
        return kExitFailed;
    const QByteArray bytes = arguments.json ? DocumentToJson(ctx.app.Doc) : ChannelsToCsv(ctx.app.Doc);
    if (!WriteFileAtomically(arguments.files[1], bytes))
        return Fail(Text(Msg::FileError, kEnglish));
    return kExitOk;
}
