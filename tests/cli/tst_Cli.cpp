// The command-line interface scripts depend on: exit codes, messages, and no output
// left behind by a failed command.
#include "FixedClock.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/features/ToneSynthesis.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& args)
{
    QProcess p;
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

    void toneWritesTheSequenceAsWav()
    {
        QCOMPARE(cli({"new", path("t.dat")}).code, 0);
        QCOMPARE(cli({"tone", path("t.dat"), "2", path("two.wav")}).code, 0);
        RadioDocument doc;
        BuildDefaultDocument(doc, DocumentState(), FixedClock());
        const QByteArray expected = WavFile(RenderSequence(doc.Data.RogerSeq[2]));
        QCOMPARE(bytesOf(path("two.wav")), expected);
        QCOMPARE(expected.size(), 44 + 2 * 48 * 14 * 40); // seven 40 ms beeps and seven 40 ms pauses
        // A sequence that does not exist leaves nothing behind.
        const Run bad = cli({"tone", path("t.dat"), "9", path("nine.wav")});
        QCOMPARE(bad.code, 1);
        QVERIFY(!QFile::exists(path("nine.wav")));
    }

    void wrongArgumentsGiveUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("missing output") << QStringList{"encode", "x.dat"};
    }
    void wrongArgumentsGiveUsage()
    {
        QFETCH(QStringList, args);
        const Run run = cli(args);
        QCOMPARE(run.code, 2);
        QVERIFY(!run.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_Cli.moc"
