#include "CliContext.h"
#include "Commands.h"

int CommandNew(CliContext& ctx, const QStringList& arguments)
{
    BuildStartupDocument(ctx);
    return SavePair(ctx, arguments[0]) ? kExitOk : kExitFailed;
}
