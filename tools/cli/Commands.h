#pragma once

#include <QStringList>

struct CliContext;

// One entry per subcommand; main.cpp dispatches on the name.
struct CliCommand {
    const char* name;
    int argumentCount;
    const char* usage;
    int (*run)(CliContext& ctx, const QStringList& arguments);
};

int CommandNew(CliContext& ctx, const QStringList& arguments);
int CommandEncode(CliContext& ctx, const QStringList& arguments);
int CommandDecode(CliContext& ctx, const QStringList& arguments);
int CommandShow(CliContext& ctx, const QStringList& arguments);
int CommandRead(CliContext& ctx, const QStringList& arguments);  // argumentCount -1: parses its own options
int CommandWrite(CliContext& ctx, const QStringList& arguments);
int CommandTone(CliContext& ctx, const QStringList& arguments);
