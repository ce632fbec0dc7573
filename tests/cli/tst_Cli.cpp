// The command-line interface scripts depend on: exit codes, messages, and no output
// left behind by a failed command.
#include "CliRunner.h"
#include "FileBytes.h"
#include "FixedClock.h"

#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/features/ToneSynthesis.h"
#include "files/DataFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A device that refuses every write, like /dev/full. As root the tests make their own, so a
// tool that wrongly replaced its output file could never replace the system's device.
QString fullDevice(const QString& folder)
{
    const QString own = folder + "/full";
    if (::mknod(qPrintable(own), S_IFCHR | 0666, makedev(1, 7)) == 0)
        return own;
    return "/dev/full";
}

// The built-in start-up document as a saved copy, ready to be written as a pair.
std::unique_ptr<RadioDocument> defaultSaved()
{
    auto doc = std::make_unique<RadioDocument>();
    auto saved = std::make_unique<RadioDocument>();
    DocumentState state;
    BuildDefaultDocument(*doc, state, FixedClock());
    DocumentToSaved(*doc, *saved, state);
    return saved;
}

QStringList linesOf(const QString& text)
{
    return text.split('\n', Qt::SkipEmptyParts);
}

using Change = std::function<void(RadioDocument&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void roundTripThroughTheImage()
    {
        QCOMPARE(runCli({"new", path("a.dat")}).code, 0);
        QCOMPARE(bytesOf(path("a.dat")).size(), 1344);
        QCOMPARE(bytesOf(path("a.fre")).size(), 7560);
        QCOMPARE(runCli({"encode", path("a.dat"), path("a.img")}).code, 0);
        QCOMPARE(bytesOf(path("a.img")).size(), 16384);
        QCOMPARE(runCli({"decode", path("a.img"), path("b.dat")}).code, 0);
        QCOMPARE(runCli({"encode", path("b.dat"), path("b.img")}).code, 0);
        QCOMPARE(bytesOf(path("b.img")), bytesOf(path("a.img")));
        const CliRun show = runCli({"show", path("b.dat")});
        QCOMPARE(show.code, 0);
        QVERIFY(show.out.contains("28.0150"));
        QVERIFY(show.out.contains("C_008(88.5Hz)"));
    }

    void badInputFailsCleanly_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown version") << "encode" << 0 << QByteArray("V2x0") << 0 << "Unknown version Of DataFile!";
        QTest::newRow("incompatible version") << "encode" << 0 << QByteArray("V201") << 0 << "incompatible version";
        QTest::newRow("1345 bytes") << "encode" << -1 << QByteArray() << 1
                                    << "Fail to start the software. This version does not exist.";
        QTest::newRow("bad count") << "encode" << 54 << QByteArray("\x30\x00", 2) << 0 << "file error.";
        QTest::newRow("short image") << "decode" << -1 << QByteArray() << 0 << "file error.";
        QTest::newRow("show bad version") << "show" << 0 << QByteArray("V2x0") << 0 << "Unknown version Of DataFile!";
    }
    void badInputFailsCleanly()
    {
        QFETCH(QString, command);
        QFETCH(int, offset);
        QFETCH(QByteArray, patch);
        QFETCH(int, extra);
        QFETCH(QString, message);
        QTemporaryDir own;
        const auto path = [&own](const QString& name) { return own.filePath(name); };
        QCOMPARE(runCli({"new", path("in.dat")}).code, 0);
        QByteArray data = bytesOf(path("in.dat"));
        if (offset >= 0)
            data.replace(offset, patch.size(), patch);
        data += QByteArray(extra, '\0');
        writeFile(path("in.dat"), data);
        const QStringList args = command == "decode" ? QStringList{command, path("in.dat"), path("out.dat")}
                                 : command == "show" ? QStringList{command, path("in.dat")}
                                                     : QStringList{command, path("in.dat"), path("out.img")};
        const CliRun run = runCli(args);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(QDir(own.path()).entryList(QDir::Files), QStringList({"in.dat", "in.fre"}));
    }

    // Each row changes one field of the start-up document; `diff` between the two pairs must
    // name exactly that change. Through the image of the changed pair the same lines appear
    // when the radio holds the field, and none when only the pair keeps it.
    void diffNamesASingleChange_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("imageCarriesIt");
        const auto row = [](const char* name, Change change, QStringList expected, bool carried = true) {
            QTest::newRow(name) << change << expected << carried;
        };
        // Lists hold channels 41..46 then 1, so channel 1 sits in position 7.
        row("frequency", [](RadioDocument& d) { StoreChannelFrequency(d.Channels[0][7][1], "28.025"); },
            {"CB A 1: frequency 28.0150 -> 28.0250"});
        row("memory channel", [](RadioDocument& d) { StoreChannelFrequency(d.Channels[0][2][1], "28.1"); },
            {"CB A M2: frequency 28.1450 -> 28.1000"});
        row("added channel", [](RadioDocument& d) { AddChannel(d, 7, 0, 1, "28.025"); }, {"CB A 7: (none) -> 28.0250"});
        row("removed channel", [](RadioDocument& d) { DeleteChannelSlot(d, 1, 1, 2); }, {"HF B M1: 28.0150 -> (none)"});
        row("same channels, other order", [](RadioDocument& d) { std::swap(d.Channels[0][1][1], d.Channels[0][7][1]); },
            {});
        row("tone", [](RadioDocument& d) { d.Channels[1][7][3].TsqCode = 0; }, {"HF C 1: TSQ C_008(88.5Hz) -> Off"});
        row("tone no list holds", [](RadioDocument& d) { d.Channels[1][7][3].TsqCode = 200; },
            {"HF C 1: TSQ C_008(88.5Hz) -> 200"});
        row("switch", [](RadioDocument& d) { d.Channels[0][7][1].HiCut = 1; }, {"CB A 1: HI-CUT OFF -> ON"});
        row("repeater shift", [](RadioDocument& d) { d.Channels[0][7][1].RptShift = 2; }, {"CB A 1: REP OFF -> -"});
        row("public", [](RadioDocument& d) { d.Channels[0][7][1].PublicCh = 1; }, {"CB A 1: Public OFF -> ON"});
        row("scan", [](RadioDocument& d) { d.Channels[0][7][1].Scan = 0; }, {"CB A 1: Scan Add -> Del"});
        row("roger", [](RadioDocument& d) { d.Channels[0][7][1].RogerTone = 3; }, {"CB A 1: Roger OFF -> 3"});
        row("modulation", [](RadioDocument& d) { d.Channels[0][7][1].Modulation = 2; }, {"CB A 1: Mode FM -> USB"});
        row("call code", [](RadioDocument& d) { d.Channels[1][7][10].CallCode = 5; }, {"HF J 1: Call OFF -> 5"});
        row("group name", [](RadioDocument& d) { d.Data.Opt.GroupName[0][3].set("XY"); }, {"CB C: name C -> XY"});
        row("group valid", [](RadioDocument& d) { d.Data.Opt.GroupValid[1][3] = 0; }, {"HF C: Group Valid ON -> OFF"});
        row("dual watch", [](RadioDocument& d) { d.Data.Opt.DwCh1[0][2] = 5; }, {"CB B: DW CHX1 1 -> 5"});
        row("memory channel reference", [](RadioDocument& d) { d.Data.Opt.MemCh[0][1] = 43; },
            {"CB A: MEM CHX M1 -> M3"});
        row("work mode", [](RadioDocument& d) { d.Data.WorkMode = 1; }, {"Work mode: CB -> HF"});
        row("work group", [](RadioDocument& d) { d.Data.Opt.HFWorkGroup = 3; }, {"HF: Work Group A -> C"});
        row("TOT", [](RadioDocument& d) { d.Data.Opt.TotTime = 9; }, {"TOT: Off -> 90s"});
        row("INDIC", [](RadioDocument& d) { d.Data.Opt.TxDisplay = 2; },
            {"INDIC: Tx Frequency Display -> TOT Remain Time Display"});
        row("color", [](RadioDocument& d) { d.Data.Opt.BacklightColor = 6; }, {"Color: White -> Cyan"});
        row("tx offset", [](RadioDocument& d) { d.Data.TxOffset = 250; }, {"Tx Offset: 0.0100 MHz -> 0.0250 MHz"});
        row("RSSI", [](RadioDocument& d) { d.Data.RssiLevel[8] = 9; }, {"USB/LSB RSSI 5: 9 -> 10"});
        row("SWR limit", [](RadioDocument& d) { d.Data.Opt.SwrMax = 120; }, {"SWR Protect: Max 16.0 -> 12.0"});
        row("voltage", [](RadioDocument& d) { d.Data.Opt.VoltMin = 100; }, {"Min[V]: 9.7 -> 10.0"});
        row("public mode", [](RadioDocument& d) { d.Data.Opt.PubMode = 4; }, {"Public: Mode AM -> PA"});
        row("public roger", [](RadioDocument& d) { d.Data.Opt.PubRoger = 2; }, {"Public: Roger OFF -> 2"});
        row("mode enable", [](RadioDocument& d) { d.Data.Opt.ModeEnable[4] = 0; }, {"PA Enable: ON -> OFF"});
        row("VOX", [](RadioDocument& d) { d.Data.Opt.VoxFunction = 1; }, {"VOX: OFF -> ON"});
        row("DTMF code", [](RadioDocument& d) { d.Data.Opt.AutodialCode[3].set(QString("1A2B") + QChar(0)); },
            {"DTMF 3: (empty) -> 1A2B"});
        row("DTMF timing", [](RadioDocument& d) { d.Data.Opt.DtmfSendTime = 5; }, {"DTMF Send Time[ms]: 10 -> 50"});
        row("D key", [](RadioDocument& d) { d.Data.Opt.DtmfDKey = 4; }, {"D Code Assignment: D Code -> 4s"});
        row("roger step", [](RadioDocument& d) { d.Data.RogerSeq[2].Tone[1] = {}; },
            {"Roger beep 2 step 1: 800 Hz 40 ms -> None"});
        row("roger recycle", [](RadioDocument& d) { d.Data.RogerSeq[1].Recycle = 0; },
            {"Roger beep 1: Recycle Times 1 -> Off"});
        row("roger pause", [](RadioDocument& d) { d.Data.RogerSeq[6].InterTime = 25; },
            {"Roger beep 6: Inter Time[ms] 0 -> 250"});
        // Kept by the pair only
        row(
            "memory channel in a DTMF slot",
            [](RadioDocument& d) { StoreChannelFrequency(d.Channels[1][1][9], "28.1"); },
            {"HF I M1: frequency 28.0150 -> 28.1000"}, false);
        row(
            "digits below 100 Hz", [](RadioDocument& d) { d.Channels[0][7][1].RxFreq.set("28015040"); },
            {"CB A 1: frequency 28.0150 [28015000] -> 28.0150 [28015040]"}, false);
        row(
            "encode tone", [](RadioDocument& d) { d.Channels[0][7][1].EncCode = 0; },
            {"CB A 1: encode tone C_008(88.5Hz) -> Off"}, false);
        row(
            "option work mode", [](RadioDocument& d) { d.Data.Opt.OptWorkMode = 0; }, {"Option work mode: 1 -> 0"},
            false);
        row(
            "model kind", [](RadioDocument& d) { d.Data.ModelKind = 68; }, {"Model kind: 67 -> 68"}, false);
    }
    void diffNamesASingleChange()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, expected);
        QFETCH(bool, imageCarriesIt);
        QTemporaryDir own;
        const auto path = [&own](const QString& name) { return own.filePath(name); };
        const std::unique_ptr<RadioDocument> before = defaultSaved();
        auto after = std::make_unique<RadioDocument>(*before);
        change(*after);
        QVERIFY(WriteDocumentPair(path("a.dat"), *before));
        QVERIFY(WriteDocumentPair(path("b.dat"), *after));

        const CliRun pairs = runCli({"diff", path("a.dat"), path("b.dat")});
        QVERIFY2(pairs.err.isEmpty(), qPrintable(pairs.err));
        QCOMPARE(linesOf(pairs.out), expected);
        QCOMPARE(pairs.code, expected.isEmpty() ? 0 : 1);

        QCOMPARE(runCli({"encode", path("b.dat"), path("b.img")}).code, 0);
        const CliRun image = runCli({"diff", path("a.dat"), path("b.img")});
        const QStringList throughImage = imageCarriesIt ? expected : QStringList();
        QCOMPARE(linesOf(image.out), throughImage);
        QCOMPARE(image.code, throughImage.isEmpty() ? 0 : 1);
    }

    void diffOfAPairAndItsImageIsEmpty()
    {
        QCOMPARE(runCli({"new", path("same.dat")}).code, 0);
        QCOMPARE(runCli({"encode", path("same.dat"), path("same.img")}).code, 0);
        for (const QStringList& args : {QStringList{"diff", path("same.dat"), path("same.img")},
                                        QStringList{"diff", path("same.img"), path("same.dat")},
                                        QStringList{"diff", path("same.img"), path("same.img")}}) {
            const CliRun run = runCli(args);
            QCOMPARE(run.code, 0);
            QCOMPARE(run.out, QString());
        }
    }

    void diffOfUnreadableInputIsTrouble_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing.dat" << true << "file error.";
        QTest::newRow("unknown version") << "bad.dat" << false << "Unknown version Of DataFile!";
        QTest::newRow("neither image nor data file") << "short.img" << true << "Unknown version Of DataFile!";
    }
    void diffOfUnreadableInputIsTrouble()
    {
        QFETCH(QString, input);
        QFETCH(bool, first);
        QFETCH(QString, message);
        QTemporaryDir own;
        const auto path = [&own](const QString& name) { return own.filePath(name); };
        QCOMPARE(runCli({"new", path("good.dat")}).code, 0);
        QByteArray bad = bytesOf(path("good.dat"));
        bad.replace(0, 4, "V2x0");
        writeFile(path("bad.dat"), bad);
        QFile::copy(path("good.fre"), path("bad.fre"));
        writeFile(path("short.img"), QByteArray(kDataFileSize, '\xff'));
        const QStringList args = first ? QStringList{"diff", path(input), path("good.dat")}
                                       : QStringList{"diff", path("good.dat"), path(input)};
        const CliRun run = runCli(args);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void toneWritesTheSequenceAsWav()
    {
        QCOMPARE(runCli({"new", path("t.dat")}).code, 0);
        QCOMPARE(runCli({"tone", path("t.dat"), "2", path("two.wav")}).code, 0);
        RadioDocument doc;
        BuildDefaultDocument(doc, DocumentState(), FixedClock());
        const QByteArray expected = WavFile(RenderSequence(doc.Data.RogerSeq[2]));
        QCOMPARE(bytesOf(path("two.wav")), expected);
        QCOMPARE(expected.size(), 44 + 2 * 48 * 14 * 40); // seven 40 ms beeps and seven 40 ms pauses
        // A sequence that does not exist leaves nothing behind.
        const CliRun bad = runCli({"tone", path("t.dat"), "9", path("nine.wav")});
        QCOMPARE(bad.code, 1);
        QVERIFY(!QFile::exists(path("nine.wav")));
    }

    void wrongArgumentsGiveUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("missing output") << QStringList{"encode", "x.dat"};
        QTest::newRow("extra file") << QStringList{"new", "x.dat", "y.dat"};
        QTest::newRow("option the command does not take") << QStringList{"new", "--port", "COM1", "x.dat"};
        const QStringList read{"read", "--port", "/nonexistent/port", "x.dat"};
        for (const char* retries : {"-1", "abc", "2x", "1000000", "", "+3"})
            QTest::addRow("read --retries '%s'", retries) << read + QStringList{"--retries", retries};
        QTest::newRow("read --retries without a value") << read + QStringList{"--retries"};
        QTest::newRow("read --retries twice") << read + QStringList{"--retries", "1", "--retries", "2"};
        QTest::newRow("read --port empty") << QStringList{"read", "--port", "", "x.dat"};
        QTest::newRow("read without --port") << QStringList{"read", "x.dat"};
        QTest::newRow("read --image empty") << read + QStringList{"--image", ""};
        QTest::newRow("read unknown option") << read + QStringList{"--speed", "9600"};
        QTest::newRow("read extra file") << read + QStringList{"y.dat"};
        QTest::newRow("write --image") << QStringList{"write", "--port",  "/nonexistent/port",
                                                      "x.dat", "--image", "x.img"};
        QTest::newRow("write --retries -1")
            << QStringList{"write", "--port", "/nonexistent/port", "x.dat", "--retries", "-1"};
        QTest::newRow("write without a file") << QStringList{"write", "--port", "/nonexistent/port"};
        QTest::newRow("diff of one input") << QStringList{"diff", "x.dat"};
    }
    void wrongArgumentsGiveUsage()
    {
        QFETCH(QStringList, args);
        QTemporaryDir own;
        const CliRun run = runCli(args, own.path());
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains("usage:\n  trk5120-cli new OUT.dat\n"), qPrintable(run.err));
        QVERIFY(run.err.contains("  trk5120-cli read --port PORT OUT.dat [--image OUT.img] [--retries N]\n"));
        QVERIFY(run.err.contains("  trk5120-cli write --port PORT IN.dat [--retries N] [--verify]\n"));
        QCOMPARE(folderContents(own.path()), QStringList());
    }

    void refusedSaveWritesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("its own channel file") << "x.fre";
        QTest::newRow("channel file in another folder") << "sub/a";
        QTest::newRow("a folder") << "sub";
        QTest::newRow("a folder with a slash") << "sub/";
        QTest::newRow("empty") << "";
        QTest::newRow("current folder") << ".";
    }
    void refusedSaveWritesNothing()
    {
        QFETCH(QString, name);
        QTemporaryDir own;
        QVERIFY(QDir(own.path()).mkdir("sub"));
        for (const QString command : {"new", "decode"}) {
            if (command == "decode") {
                writeFile(own.filePath("sub/in.img"), QByteArray(16384, '\xff'));
                writeFile(own.filePath("sub/a.img"), QByteArray(16384, '\xff')); // sub/a's channel file
            }
            const QStringList before = folderContents(own.path());
            const CliRun run = runCli(
                command == "new" ? QStringList{"new", name} : QStringList{"decode", "sub/in.img", name}, own.path());
            QCOMPARE(run.code, 1);
            QCOMPARE(run.err, QString("file error.\n"));
            QCOMPARE(folderContents(own.path()), before);
        }
    }

    void failedWriteLeavesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("fileSizeLimit"); // 0: none
        QTest::newRow("encode to a full device") << QStringList{"encode", "in.dat", "FULL"} << 0;
        QTest::newRow("encode on a full disk") << QStringList{"encode", "in.dat", "out.img"} << 8192;
        QTest::newRow("new on a full disk") << QStringList{"new", "out.dat"} << 4096;
        QTest::newRow("new over a pair on a full disk") << QStringList{"new", "in.dat"} << 4096;
        QTest::newRow("decode on a full disk") << QStringList{"decode", "in.img", "out.dat"} << 1024;
    }
    void failedWriteLeavesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, fileSizeLimit);
        QTemporaryDir own;
        QCOMPARE(runCli({"new", "in.dat"}, own.path()).code, 0);
        writeFile(own.filePath("in.img"), QByteArray(16384, '\xff'));
        args.replaceInStrings("FULL", fullDevice(own.path()));
        const QStringList before = folderContents(own.path());
        const CliRun run = runCli(args, own.path(), rlim_t(fileSizeLimit));
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, QString("file error.\n"));
        QCOMPARE(folderContents(own.path()), before);
    }

    void pipeIsNoInputFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("decode") << QStringList{"decode", "pipe", "out.dat"};
        QTest::newRow("show") << QStringList{"show", "pipe"};
        QTest::newRow("encode") << QStringList{"encode", "pipe", "out.img"};
        QTest::newRow("write") << QStringList{"write", "--port", "/nonexistent/port", "pipe"};
    }
    void pipeIsNoInputFile()
    {
        QFETCH(QStringList, args);
        QTemporaryDir own;
        QCOMPARE(::mkfifo(qPrintable(own.filePath("pipe")), 0644), 0);
        const CliRun run = runCli(args, own.path());
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, QString("file error.\n"));
        QCOMPARE(folderContents(own.path()), QStringList{"/pipe"});
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_Cli.moc"
