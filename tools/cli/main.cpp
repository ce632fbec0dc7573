#include "CliContext.h"
#include "Commands.h"

#include "files/VersionTable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <array>

namespace {

constexpr std::array<CliCommand, 7> kCommands{{
    {"new", 1, "new OUT.dat", CommandNew},
    {"encode", 2, "encode IN.dat OUT.img", CommandEncode},
    {"decode", 2, "decode IN.img OUT.dat", CommandDecode},
    {"show", 1, "show IN.dat", CommandShow},
    {"read", -1, "read --port PORT OUT.dat [--image OUT.img] [--retries N]", CommandRead},
    {"write", -1, "write --port PORT IN.dat [--retries N]", CommandWrite},
    {"tone", 3, "tone IN.dat N OUT.wav", CommandTone},
}};

int usage()
{
    QTextStream err(stderr);
    err << "usage:\n";
    for (const CliCommand& command : kCommands)
        err << "  trk5120-cli " << command.usage << '\n';
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return usage();
    const QString name = arguments.takeFirst();

    for (const CliCommand& command : kCommands) {
        if (name != QLatin1String(command.name))
            continue;
        if (command.argumentCount >= 0 && arguments.size() != command.argumentCount)
            return usage();
        CliContext ctx;
        // Found like the program finds it: Version.ini sits in the installation root
        // above the program's own folder.
        ctx.app.Paths.programFolder = QCoreApplication::applicationDirPath();
        ctx.app.Paths.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        ctx.app.Versions = LoadVersionTable(ctx.app.Paths);
        ctx.app.Settings.LanguageIndex = 1;
        return command.run(ctx, arguments);
    }
    return usage();
}
