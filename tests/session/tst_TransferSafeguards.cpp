#include "FakeLink.h"
#include "FakeLinkTimer.h"
#include "FakeRadio.h"
#include "FileBytes.h"
#include "FixedClock.h"
#include "RecordingProgress.h"
#include "ScriptedPrompt.h"

#include "files/ImageBackup.h"
#include "i18n/Texts.h"
#include "link/CloneEngine.h"
#include "session/AppState.h"
#include "session/TransferSafeguards.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

MemoryImage Pattern(int seed)
{
    MemoryImage image;
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7 + size_t(seed) + (i >> 8));
    return image;
}

QByteArray Bytes(const MemoryImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize);
}

} // namespace

// The backup kept of every read and the read-back that verifies a write.
class TestTransferSafeguards : public QObject {
    Q_OBJECT
private slots:
    void backupFileName_data();
    void backupFileName();
    void backupIsKeptInTheDataFolder();
    void sameSecondGetsACounter();
    void unwritableFolderIsReported();
    void compare_data();
    void compare();
    void readBack_data();
    void readBack();
};

void TestTransferSafeguards::backupFileName_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "MH5120"
                           << "V200"
                           << "20261211-093005_MH5120_V200.img";
    QTest::newRow("path characters") << "../x/y"
                                     << "V2\\0"
                                     << "20261211-093005_.._x_y_V2_0.img";
    QTest::newRow("blanks and NUL") << "MH 51" << QStringLiteral("V2") + QChar(0) + QStringLiteral("0")
                                    << "20261211-093005_MH_51_V2_0.img";
    QTest::newRow("not ASCII") << QStringLiteral("MH\u00e9\u4e2d") << "V200"
                               << "20261211-093005_MH___V200.img";
    QTest::newRow("nothing") << ""
                             << ""
                             << "20261211-093005_unknown_unknown.img";
}

void TestTransferSafeguards::backupFileName()
{
    QFETCH(QString, model);
    QFETCH(QString, firmware);
    QFETCH(QString, name);
    QCOMPARE(BackupFileName(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 5)), model, firmware), name);
}

// The program and the command-line tool share the folder below the user's data folder.
void TestTransferSafeguards::backupIsKeptInTheDataFolder()
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    AppState app;
    app.Image = Pattern(3);
    const BackupResult result = KeepReadBackup(app, RadioIdentity{QStringLiteral("MH5120"), QStringLiteral("V200")},
                                               FixedClock(QDate(2026, 1, 15), QTime(8, 5, 9)));
    QVERIFY(result.written);
    QCOMPARE(result.path, home.path() + QStringLiteral("/TRK5120/backups/20260115-080509_MH5120_V200.img"));
    QCOMPARE(fileBytes(result.path), Bytes(app.Image));
    QCOMPARE(QDir(home.path() + QStringLiteral("/TRK5120/backups")).entryList(QDir::Files).size(), 1);
}

void TestTransferSafeguards::sameSecondGetsACounter()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("backups"));
    const QDateTime when(QDate(2026, 1, 15), QTime(12, 0));
    QStringList paths;
    for (int seed = 0; seed < 3; ++seed) {
        const BackupResult result =
            WriteImageBackup(folder, Pattern(seed), QStringLiteral("MH5120"), QStringLiteral("V200"), when);
        QVERIFY(result.written);
        QCOMPARE(fileBytes(result.path), Bytes(Pattern(seed)));
        paths.append(QFileInfo(result.path).fileName());
    }
    QCOMPARE(paths, QStringList({"20260115-120000_MH5120_V200.img", "20260115-120000_MH5120_V200-2.img",
                                 "20260115-120000_MH5120_V200-3.img"}));
}

void TestTransferSafeguards::unwritableFolderIsReported()
{
    QTemporaryDir dir;
    // A regular file where the folder should be: no user rights can help here, root included.
    const QString blocked = dir.filePath(QStringLiteral("backups"));
    {
        QFile f(blocked);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    const QDateTime when(QDate(2026, 1, 15), QTime(12, 0));
    const BackupResult result =
        WriteImageBackup(blocked, Pattern(1), QStringLiteral("MH5120"), QStringLiteral("V200"), when);
    QVERIFY(!result.written);
    QCOMPARE(fileBytes(blocked), QByteArray("x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"backups"});
    QVERIFY(BackupFailedText(result, kEnglish).contains(blocked));
}

void TestTransferSafeguards::compare_data()
{
    QTest::addColumn<QList<int>>("changed");
    QTest::addColumn<int>("differing");
    QTest::addColumn<QList<int>>("reported");
    QTest::addColumn<QString>("report");
    QTest::newRow("same") << QList<int>{} << 0 << QList<int>{} << "Verified: the radio holds exactly what was written.";
    QTest::newRow("above the written range")
        << QList<int>{0x3F40, 0x3FFF} << 0 << QList<int>{} << "Verified: the radio holds exactly what was written.";
    QTest::newRow("first and last written") << QList<int>{0x3F3F, 0x0000} << 2 << QList<int>{0x0000, 0x3F3F}
                                            << "Verify failed: 2 byte(s) in the radio differ from what was "
                                               "written, first at 0x0000, 0x3F3F.";
    QList<int> many;
    for (int i = 0; i < 10; ++i)
        many.append(0x0120 + i * 3);
    QTest::newRow("more than are reported")
        << many << 10 << many.mid(0, kMaxReportedDifferences)
        << "Verify failed: 10 byte(s) in the radio differ from what was written, first at 0x0120, 0x0123, "
           "0x0126, 0x0129, 0x012C, 0x012F, 0x0132, 0x0135, ....";
}

void TestTransferSafeguards::compare()
{
    QFETCH(QList<int>, changed);
    QFETCH(int, differing);
    QFETCH(QList<int>, reported);
    QFETCH(QString, report);
    const MemoryImage sent = Pattern(5);
    MemoryImage back = sent;
    for (const int address : changed)
        back[size_t(address)] ^= 0x40;
    const VerifyOutcome outcome = CompareWrittenRange(sent, back);
    QCOMPARE(outcome.differingBytes, differing);
    QCOMPARE(outcome.firstDifferences, reported);
    QCOMPARE(outcome.verified(), differing == 0);
    QCOMPARE(VerifyReport(outcome, kEnglish), report);
}

// A write and its read-back through the engine against a radio that may lose a byte.
void TestTransferSafeguards::readBack_data()
{
    QTest::addColumn<int>("corrupt");    // the address the radio fails to keep; -1 none
    QTest::addColumn<bool>("answering"); // the radio still answers for the read-back
    QTest::addColumn<bool>("verified");
    QTest::addColumn<QList<int>>("reported");
    QTest::newRow("kept") << -1 << true << true << QList<int>{};
    QTest::newRow("one byte lost") << 0x0A35 << true << false << QList<int>{0x0A35};
    QTest::newRow("no read-back") << -1 << false << false << QList<int>{};
}

void TestTransferSafeguards::readBack()
{
    QFETCH(int, corrupt);
    QFETCH(bool, answering);
    QFETCH(bool, verified);
    QFETCH(QList<int>, reported);

    AppState app;
    app.Settings.LanguageIndex = kEnglish;
    FakeLink link;
    FakeLinkTimer timer;
    ScriptedPrompt prompt;
    RecordingProgress progress;
    FakeRadio radio;
    radio.memory.fill(0x5A);
    QList<QByteArray> outbox;
    bool silent = false;
    link.onWrite = [&](const QByteArray& frame) {
        if (silent)
            return;
        outbox.append(radio.answer(frame));
        if (corrupt >= 0 && uint8_t(frame[0]) == LinkFrame::kDataBlock)
            radio.memory[size_t(corrupt)] = 0xA5;
    };
    ModComm engine(link, timer, prompt, progress, app.Image);
    QList<bool> finished;
    connect(&engine, &ModComm::finished, this, [&](bool success) { finished.append(success); });
    auto drive = [&] {
        for (int step = 0; step < 100000 && engine.isBusy(); ++step) {
            QCoreApplication::sendPostedEvents();
            if (!outbox.isEmpty())
                link.feed(outbox.takeFirst());
            else if (!timer.fire())
                return false;
        }
        return !engine.isBusy();
    };

    const MemoryImage sent = Pattern(9);
    app.Image = sent;
    QVERIFY(engine.open(kLinkWrite, QStringLiteral("fake")).opened());
    engine.startLink();
    QVERIFY(drive());
    QCOMPARE(finished, QList<bool>{true});

    silent = !answering;
    prompt.setStandingAnswer(PromptAnswer::Cancel);
    WriteVerification verification;
    QVERIFY(verification.begin(app, engine, QStringLiteral("fake")));
    QVERIFY(verification.isRunning());
    QVERIFY(drive());
    QCOMPARE(finished.size(), 2);
    const VerifyOutcome outcome = verification.finish(app, finished.last());
    QVERIFY(!verification.isRunning());
    QCOMPARE(outcome.verified(), verified);
    QCOMPARE(outcome.readBack, answering);
    QCOMPARE(outcome.firstDifferences, reported);
    // The read-back asked nothing before it started, and the image is the one written.
    QVERIFY(!prompt.ids().contains(PromptId::ReadConfirm));
    QCOMPARE(Bytes(app.Image), Bytes(sent));
}

QTEST_GUILESS_MAIN(TestTransferSafeguards)
#include "tst_TransferSafeguards.moc"
