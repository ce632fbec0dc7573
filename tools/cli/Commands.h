#pragma once

#include <QString>
#include <QStringList>

struct CliContext;

// What a command gets from its command line, already checked.
struct CliArguments {
    QStringList files; // the file names, in the order of the command's synopsis
    QString port;
    QString image; // empty when --image was not given
    int retries = 2;
    bool json = false;   // --json: the whole document as JSON instead of the channel list
    bool verify = false; // --verify: read a write back and compare
};

// The options a command takes; a command that takes --port requires it.
enum CliOption : unsigned {
    kNoOptions = 0,
    kOptionPort = 1u << 0,
    kOptionImage = 1u << 1,
    kOptionRetries = 1u << 2,
    kOptionJson = 1u << 3,
    kOptionVerify = 1u << 4,
};

// One entry per command in main.cpp's table; the usage text is made from the table.
struct CliCommand {
    const char* name;
    const char* files; // the file arguments as the usage shows them, "IN.dat OUT.img"
    unsigned options;  // CliOption bits
    int (*run)(CliContext& ctx, const CliArguments& arguments);
};

int CommandNew(CliContext& ctx, const CliArguments& arguments);
int CommandEncode(CliContext& ctx, const CliArguments& arguments);
int CommandDecode(CliContext& ctx, const CliArguments& arguments);
int CommandShow(CliContext& ctx, const CliArguments& arguments);
int CommandDiff(CliContext& ctx, const CliArguments& arguments); // exits 0 same, 1 different, 2 trouble
int CommandRead(CliContext& ctx, const CliArguments& arguments);
int CommandWrite(CliContext& ctx, const CliArguments& arguments);
int CommandTone(CliContext& ctx, const CliArguments& arguments);
int CommandExport(CliContext& ctx, const CliArguments& arguments);
int CommandImport(CliContext& ctx, const CliArguments& arguments);
