#include "CliContext.h"
#include "Commands.h"

int CommandNew(CliContext& ctx, const CliArguments& arguments)
{
    NewDefaultDocument(ctx.app, ctx.clock);
    return SavePair(ctx, arguments.files[0]) ? kExitOk : kExitFailed;
}
