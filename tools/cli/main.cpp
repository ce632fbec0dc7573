#include "CliContext.h"
#include "Commands.h"

#include "files/VersionTable.h"
#include "session/SettingsLocation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <array>
#include <optional>

namespace {

constexpr std::array kCommands{
    CliCommand{"new", "OUT.dat", kNoOptions, CommandNew},
    CliCommand{"encode", "IN.dat OUT.img", kNoOptions, CommandEncode},
    CliCommand{"decode", "IN.img OUT.dat", kNoOptions, CommandDecode},
    CliCommand{"show", "IN.dat", kNoOptions, CommandShow},
    CliCommand{"diff", "A B", kNoOptions, CommandDiff},
    CliCommand{"read", "OUT.dat", kOptionPort | kOptionImage | kOptionRetries, CommandRead},
    CliCommand{"write", "IN.dat", kOptionPort | kOptionRetries | kOptionVerify, CommandWrite},
    CliCommand{"tone", "IN.dat N OUT.wav", kNoOptions, CommandTone},
    CliCommand{"export", "IN.dat OUT.csv", kOptionJson, CommandExport},
    CliCommand{"import", "IN.csv BASE.dat OUT.dat", kNoOptions, CommandImport},
};

constexpr int kMaxRetries = 1000;

QString synopsis(const CliCommand& command)
{
    QString line = QLatin1String(command.name);
    if (command.options & kOptionPort)
        line += QStringLiteral(" --port PORT");
    if (command.options & kOptionJson)
        line += QStringLiteral(" [--json]");
    line += QLatin1Char(' ') + QLatin1String(command.files);
    if (command.options & kOptionImage)
        line += QStringLiteral(" [--image OUT.img]");
    if (command.options & kOptionRetries)
        line += QStringLiteral(" [--retries N]");
    if (command.options & kOptionVerify)
        line += QStringLiteral(" [--verify]");
    return line;
}

int usage(const QString& problem = QString())
{
    QTextStream err(stderr);
    if (!problem.isEmpty())
        err << "trk5120-cli: " << problem << '\n';
    err << "usage:\n";
    for (const CliCommand& command : kCommands)
        err << "  trk5120-cli " << synopsis(command) << '\n';
    return kExitUsage;
}

// The single value of an option given at most once; nullopt when it was given twice or empty.
std::optional<QString> singleValue(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const QStringList values = parser.values(option);
    if (values.size() > 1 || (values.size() == 1 && values.first().isEmpty()))
        return std::nullopt;
    return values.value(0);
}

// The command's arguments, or the reason they are wrong.
std::optional<CliArguments> parseArguments(const CliCommand& command, const QStringList& rest, QString& problem)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("PORT"));
    const QCommandLineOption image(QStringLiteral("image"), QString(), QStringLiteral("OUT.img"));
    const QCommandLineOption retries(QStringLiteral("retries"), QString(), QStringLiteral("N"));
    if (command.options & kOptionPort)
        parser.addOption(port);
    if (command.options & kOptionImage)
        parser.addOption(image);
    const QCommandLineOption verify(QStringLiteral("verify"));
    if (command.options & kOptionRetries)
        parser.addOption(retries);
    const QCommandLineOption json(QStringLiteral("json"));
    if (command.options & kOptionJson)
        parser.addOption(json);
    if (command.options & kOptionVerify)
        parser.addOption(verify);
    if (!parser.parse(QStringList{QStringLiteral("trk5120-cli")} + rest)) {
        problem = parser.errorText();
        return std::nullopt;
    }

    CliArguments arguments;
    arguments.files = parser.positionalArguments();
    if (arguments.files.size() != QString::fromLatin1(command.files).split(QLatin1Char(' ')).size()) {
        problem = QStringLiteral("wrong number of file names");
        return std::nullopt;
    }
    if (command.options & kOptionPort) {
        const std::optional<QString> value = singleValue(parser, port);
        if (!value || value->isEmpty()) {
            problem = QStringLiteral("--port needs one port");
            return std::nullopt;
        }
        arguments.port = *value;
    }
    if (command.options & kOptionImage) {
        const std::optional<QString> value = singleValue(parser, image);
        if (!value) {
            problem = QStringLiteral("--image needs one file name");
            return std::nullopt;
        }
        arguments.image = *value;
    }
    if (command.options & kOptionRetries) {
        const std::optional<QString> value = singleValue(parser, retries);
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
        if (!value || (!value->isEmpty() && (!digits.match(*value).hasMatch() || value->toInt() > kMaxRetries))) {
            problem = QStringLiteral("--retries needs a number from 0 to %1").arg(kMaxRetries);
            return std::nullopt;
        }
        if (!value->isEmpty())
            arguments.retries = value->toInt();
    }
    arguments.json = (command.options & kOptionJson) && parser.isSet(json);
    if (command.options & kOptionVerify)
        arguments.verify = parser.isSet(verify);
    return arguments;
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
        QString problem;
        const std::optional<CliArguments> parsed = parseArguments(command, arguments, problem);
        if (!parsed)
            return usage(problem);
        CliContext ctx;
        // Found like the program finds it: Version.ini sits in the installation root
        // above the program's own folder.
        ctx.app.Paths.programFolder = QCoreApplication::applicationDirPath();
        ctx.app.Paths.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        // The [ports] map is shared with the program, so the same file is used.
        ctx.app.Paths.settingsPath = LocateSettingsFile(ctx.app.Paths.installedSettingsFile());
        ctx.app.Versions = LoadVersionTable(ctx.app.Paths);
        ctx.app.Settings.LanguageIndex = 1;
        return command.run(ctx, *parsed);
    }
    return usage(QStringLiteral("unknown command ") + name);
}
