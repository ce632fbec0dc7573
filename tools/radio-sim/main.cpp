#include "RadioSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_signalPipe[0], &byte, 1);
}

bool ParseCount(const QCommandLineParser& parser, const QString& name, int& value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toInt(&ok, 0);
    return ok && value >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("MH5120 radio simulator on a pseudo-terminal"));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("image"),
         QStringLiteral("Memory image file (16384 bytes): used as it is; when missing, the radio starts like "
                        "without one and a write stores what it received."),
         QStringLiteral("FILE")},
        {QStringLiteral("erased"),
         QStringLiteral("Start from erased memory (0xFF) instead of the factory configuration.")},
        {QStringLiteral("band"), QStringLiteral("Band of the factory configuration: HF (default) or CB."),
         QStringLiteral("BAND"), QStringLiteral("HF")},
        {QStringLiteral("link"), QStringLiteral("Also make PATH a symbolic link to the device."),
         QStringLiteral("PATH")},
        {QStringLiteral("model"), QStringLiteral("Model text of the identification."), QStringLiteral("TEXT"),
         QStringLiteral("MH5120")},
        {QStringLiteral("firmware"), QStringLiteral("Firmware version of the identification."), QStringLiteral("TEXT"),
         QStringLiteral("V200")},
        {QStringLiteral("ignore-program"), QStringLiteral("Leave the first N program-mode requests unanswered."),
         QStringLiteral("N")},
        {QStringLiteral("ignore-ident"), QStringLiteral("Leave the first N identification requests unanswered."),
         QStringLiteral("N")},
        {QStringLiteral("bad-checksum"), QStringLiteral("Wrong checksum on the first data block for ADDR."),
         QStringLiteral("ADDR")},
        {QStringLiteral("corrupt-block"),
         QStringLiteral("Store the written block that holds ADDR with the byte at ADDR inverted "
                        "(the write is still acknowledged)."),
         QStringLiteral("ADDR")},
        {QStringLiteral("no-end-ack"), QStringLiteral("Do not acknowledge the end request.")},
        {QStringLiteral("silent"), QStringLiteral("Answer nothing.")},
        {QStringLiteral("noise"), QStringLiteral("Send N garbage bytes before every reply."), QStringLiteral("N")},
        {QStringLiteral("paced"), QStringLiteral("Move bytes at 9600 baud 8N1 in both directions.")},
        {QStringLiteral("exit-on-stdin-eof"), QStringLiteral("Exit when standard input closes.")},
    });
    parser.process(application);

    SimulatorOptions options;
    options.imageFile = parser.value(QStringLiteral("image"));
    options.erased = parser.isSet(QStringLiteral("erased"));
    options.linkPath = parser.value(QStringLiteral("link"));
    options.model = parser.value(QStringLiteral("model"));
    options.firmware = parser.value(QStringLiteral("firmware"));
    options.noEndAck = parser.isSet(QStringLiteral("no-end-ack"));
    options.silent = parser.isSet(QStringLiteral("silent"));
    options.paced = parser.isSet(QStringLiteral("paced"));
    QTextStream err(stderr);
    const QString band = parser.value(QStringLiteral("band")).toUpper();
    if (band != QLatin1String("HF") && band != QLatin1String("CB")) {
        err << "trk5120-radio-sim: --band takes HF or CB\n";
        return 2;
    }
    options.workMode = band == QLatin1String("CB") ? kModeCB : kModeHF;
    if (!ParseCount(parser, QStringLiteral("ignore-program"), options.ignoreProgram) ||
        !ParseCount(parser, QStringLiteral("ignore-ident"), options.ignoreIdent) ||
        !ParseCount(parser, QStringLiteral("bad-checksum"), options.badChecksumAddress) ||
        !ParseCount(parser, QStringLiteral("corrupt-block"), options.corruptAddress) ||
        options.corruptAddress >= kImageSize || !ParseCount(parser, QStringLiteral("noise"), options.noise) ||
        options.noise > 4096 || options.badChecksumAddress >= kImageSize) {
        err << "trk5120-radio-sim: a numeric option is out of range\n";
        return 2;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) {
        err << "trk5120-radio-sim: cannot set up signal handling\n";
        return 1;
    }
    QSocketNotifier signalNotifier(g_signalPipe[1], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);

    RadioSimulator simulator(options);
    QString error;
    if (!simulator.start(error)) {
        err << "trk5120-radio-sim: " << error << '\n';
        return 1;
    }

    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    stdinNotifier.setEnabled(parser.isSet(QStringLiteral("exit-on-stdin-eof")));
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, &application, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });

    QTextStream out(stdout);
    out << simulator.devicePath() << Qt::endl;

    const int code = application.exec();
    if (!simulator.persist()) {
        err << "trk5120-radio-sim: cannot save the memory image\n";
        return 1;
    }
    return code;
}
