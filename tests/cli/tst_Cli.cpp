// The command-line interface scripts depend on: exit codes, messages, and no output
// left behind by a failed command.
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

// fileSizeLimit > 0 runs the tool as on a disk that is full after that many bytes of a file.
Run cli(const QStringList& args, const QString& workingDirectory = QString(), rlim_t fileSizeLimit = 0)
{
    QProcess p;
    p.setWorkingDirectory(workingDirectory);
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            // Ignored, a write past the limit fails with EFBIG instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.start(qEnvironmentVariable("TRK_STAGE") + "/V200/trk5120-cli", args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

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

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void roundTripThroughTheImage()
    {
        QCOMPARE(cli({"new", path("a.dat")}).code, 0);
        QCOMPARE(bytesOf(path("a.dat")).size(), 1344);
        QCOMPARE(bytesOf(path("a.fre")).size(), 7560);
        QCOMPARE(cli({"encode", path("a.dat"), path("a.img")}).code, 0);
        QCOMPARE(bytesOf(path("a.img")).size(), 16384);
        QCOMPARE(cli({"decode", path("a.img"), path("b.dat")}).code, 0);
        QCOMPARE(cli({"encode", path("b.dat"), path("b.img")}).code, 0);
        QCOMPARE(bytesOf(path("b.img")), bytesOf(path("a.img")));
        const Run show = cli({"show", path("b.dat")});
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
        QCOMPARE(cli({"new", path("in.dat")}).code, 0);
        QByteArray data = bytesOf(path("in.dat"));
        if (offset >= 0)
            data.replace(offset, patch.size(), patch);
        data += QByteArray(extra, '\0');
        writeFile(path("in.dat"), data);
        const QStringList args = command == "decode" ? QStringList{command, path("in.dat"), path("out.dat")}
                                 : command == "show" ? QStringList{command, path("in.dat")}
                                                     : QStringList{command, path("in.dat"), path("out.img")};
        const Run run = cli(args);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(QDir(own.path()).entryList(QDir::Files), QStringList({"in.dat", "in.fre"}));
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
        QTest::newRow("write --image") << QStringList{"write", "--port", "/nonexistent/port", "x.dat", "--image",
                                                      "x.img"};
        QTest::newRow("write --retries -1") << QStringList{"write", "--port", "/nonexistent/port", "x.dat",
                                                           "--retries", "-1"};
        QTest::newRow("write without a file") << QStringList{"write", "--port", "/nonexistent/port"};
    }
    void wrongArgumentsGiveUsage()
    {
        QFETCH(QStringList, args);
        QTemporaryDir own;
        const Run run = cli(args, own.path());
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains("usage:\n  trk5120-cli new OUT.dat\n"), qPrintable(run.err));
        QVERIFY(run.err.contains("  trk5120-cli read --port PORT OUT.dat [--image OUT.img] [--retries N]\n"));
        QVERIFY(run.err.contains("  trk5120-cli write --port PORT IN.dat [--retries N]\n"));
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
            const Run run = cli(command == "new" ? QStringList{"new", name} : QStringList{"decode", "sub/in.img", name},
                                own.path());
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
        QCOMPARE(cli({"new", "in.dat"}, own.path()).code, 0);
        writeFile(own.filePath("in.img"), QByteArray(16384, '\xff'));
        args.replaceInStrings("FULL", fullDevice(own.path()));
        const QStringList before = folderContents(own.path());
        const Run run = cli(args, own.path(), rlim_t(fileSizeLimit));
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
        const Run run = cli(args, own.path());
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, QString("file error.\n"));
        QCOMPARE(folderContents(own.path()), QStringList{"/pipe"});
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_Cli.moc"
