#include "CliContext.h"
#include "Commands.h"

#include "files/ChannelCsv.h"
#include "files/FileAccess.h"
#include "i18n/Texts.h"

namespace {

// Far more than the 920 channels a document holds, written out by any spreadsheet.
constexpr qint64 kMaxChannelListBytes = 4 * 1024 * 1024;

} // namespace

int CommandImport(CliContext& ctx, const CliArguments& arguments)
{
    QByteArray csv;
    qint64 size = 0;
    if (!ReadRegularFile(arguments.files[0], kMaxChannelListBytes, csv, &size) || size > kMaxChannelListBytes)
        return Fail(Text(Msg::FileError, kEnglish));
    if (!OpenForReading(ctx, arguments.files[1]))
        return kExitFailed;
    const ChannelCsvImport result = ImportChannelsFromCsv(csv, ctx.app.Doc, kEnglish);
    if (!result.imported)
        return Fail(ImportRefusedText(result, kEnglish, int(result.problems.size())));
    return SavePair(ctx, arguments.files[2]) ? kExitOk : kExitFailed;
}
