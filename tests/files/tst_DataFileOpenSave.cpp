#include "FileBytes.h"
#include "FixedClock.h"
#include "RecordingLauncher.h"
#include "ScriptedPrompt.h"
#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"
#include "session/AppState.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray snapshot(const RadioDocument& doc)
{
    QByteArray bytes = SerializeDataRecord(doc.Data);
    for (int m = 0; m <= 1; ++m)
        for (int g = 1; g <= 10; ++g)
            for (int p = 1; p <= 46; ++p)
                bytes += SerializeChannelRecord(doc.Channels[m][p][g]);
    return bytes;
}

} // namespace

class TestDataFileOpenSave : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    AppState app;
    ScriptedPrompt prompt;
    RecordingLauncher launcher;

    QString path(const QString& name) const { return dir.filePath(name); }

    // A fresh program state over a V200 folder with a Version.ini of its own.
    void resetApp()
    {
        app = AppState{};
        app.Paths.programFolder = path("V200");
        app.Paths.programName = "trk5120";
        QDir().mkpath(app.Paths.programFolder);
        writeBytes(path("Version.ini"),
                   "[Version]\r\nCurrentVersion=V200\r\nSoftVersionCount=2\r\nFirmVersionCount=3\r\n"
                   "[Soft]\r\nVersion0=V200\r\nVersion1=V210\r\n"
                   "[Firm]\r\nFirm0=V200V200\r\nFirm1=V210V201\r\nFirm2=../xV202\r\n");
        app.Versions = LoadVersionTable(app.Paths);
        NewDocument(app, FixedClock());
        prompt = ScriptedPrompt{};
        prompt.setStandingAnswer(PromptAnswer::No);
        launcher.started.clear();
        launcher.exits = 0;
    }

    // The default document saved as good.dat/good.fre.
    void writeGoodPair()
    {
        app.DocState.DocPath = path("good.dat");
        QVERIFY(SaveDataFile(app, prompt));
        prompt.asked.clear();
    }

private slots:
    void init() { resetApp(); }

    void refusedOpenChangesNothing_data()
    {
        QTest::addColumn<int>("offset"); // into the data file; -1: no change there
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<int>("truncateChannels"); // bytes cut from the channel file
        QTest::addColumn<int>("extraBytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown version") << 0 << QByteArray("V2x0") << 0 << 0 << "Unknown version Of DataFile!";
        QTest::newRow("incompatible version") << 0 << QByteArray("V201") << 0 << 0 << "incompatible version";
        QTest::newRow("1345 bytes") << -1 << QByteArray() << 0 << 1 << "Fail to start the software";
        QTest::newRow("count 47") << 54 << QByteArray("\x2f\x00", 2) << 0 << 0 << "file error.";
        QTest::newRow("negative count") << 54 << QByteArray("\xff\xff", 2) << 0 << 0 << "file error.";
        QTest::newRow("short channel file") << -1 << QByteArray() << 10 << 0 << "file error.";
    }
    void refusedOpenChangesNothing()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, patch);
        QFETCH(int, truncateChannels);
        QFETCH(int, extraBytes);
        QFETCH(QString, message);
        writeGoodPair();
        QByteArray data = fileBytes(path("good.dat"));
        QByteArray channels = fileBytes(path("good.fre"));
        if (offset >= 0)
            data.replace(offset, patch.size(), patch);
        data += QByteArray(extraBytes, '\0');
        channels.chop(truncateChannels);
        writeBytes(path("bad.dat"), data);
        writeBytes(path("bad.fre"), channels);

        app.Doc.Data.Opt.Beep = 0; // an unsaved edit that a refused open must keep
        const QByteArray docBefore = snapshot(app.Doc);
        const QByteArray savedBefore = snapshot(app.Saved);
        app.DocState.DocPath = path("bad.dat");
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Refused);
        QCOMPARE(prompt.asked.size(), 1);
        QVERIFY2(prompt.asked.first().text.startsWith(message), qPrintable(prompt.asked.first().text));
        QCOMPARE(snapshot(app.Doc), docBefore);
        QCOMPARE(snapshot(app.Saved), savedBefore);
        QCOMPARE(fileBytes(path("bad.dat")), data);
        QCOMPARE(fileBytes(path("bad.fre")), channels);
        QVERIFY(launcher.started.isEmpty());
    }

    void badChannelNumbersAreRefused_data()
    {
        QTest::addColumn<int>("chId");
        QTest::newRow("zero") << 0;
        QTest::newRow("47") << 47;
        QTest::newRow("duplicate of the first") << 41;
    }
    void badChannelNumbersAreRefused()
    {
        QFETCH(int, chId);
        writeGoodPair();
        QByteArray channels = fileBytes(path("good.fre"));
        putInt16(channels, kChannelRecordSize * 1, chId); // second record of CB group A
        writeBytes(path("good.fre"), channels);
        const QByteArray docBefore = snapshot(app.Doc);
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Refused);
        QCOMPARE(prompt.texts(), QStringList{"file error."});
        QCOMPARE(snapshot(app.Doc), docBefore);
    }

    void viewFieldsAreClamped()
    {
        writeGoodPair();
        QByteArray data = fileBytes(path("good.dat"));
        putInt16(data, 4, 7);                     // WorkMode
        putInt16(data, 6, 12);                    // CurGroup[0]
        putInt16(data, 10 + 2 * (1 + 2 * 10), 9); // CurChannel[1][11]: the memory view has 6 rows
        putInt16(data, 10 + 2 * (0 + 2 * 2), 40); // CurChannel[0][3] = 40 is a valid row
        writeBytes(path("good.dat"), data);
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Opened);
        QVERIFY(prompt.asked.isEmpty());
        QCOMPARE(app.Doc.Data.WorkMode, int16_t(1));
        QCOMPARE(app.Doc.Data.CurGroup[0], int16_t(1));
        QCOMPARE(app.Doc.Data.CurChannel[1][11], int16_t(1));
        QCOMPARE(app.Doc.Data.CurChannel[0][3], int16_t(40));
        QCOMPARE(app.DocState.BandText, QString("28.0000 - 29.6990 MHz"));
        QCOMPARE(app.DocState.IsNewDoc, int16_t(0));
    }

    void missingFileIsAFileError()
    {
        app.DocState.DocPath = path("absent.dat");
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Refused);
        QCOMPARE(prompt.texts(), QStringList{"file error."});
        QVERIFY(!QFile::exists(path("absent.dat")));
    }

    void incompatibleFileOffersTheOtherVersion()
    {
        writeGoodPair();
        QByteArray data = fileBytes(path("good.dat"));
        data.replace(0, 4, "V201");
        writeBytes(path("good.dat"), data);
        prompt.setStandingAnswer(PromptAnswer::Yes);
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Refused);
        QCOMPARE(prompt.asked.first().text,
                 QString("incompatible version. It may cause unknown error.To start the corresponding software "
                         "version, or not?\r\nDataFile version is V2.01\r\nprogramming software is V2.00"));
        QCOMPARE(launcher.started, QStringList{path("V210/trk5120")});
        QCOMPARE(launcher.exits, 1);
    }

    void comparisonAfterOpen()
    {
        writeGoodPair();
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Opened);
        QVERIFY(IsDocumentUnchanged(app.Doc, app.Saved));
        app.Doc.Channels[0][1][1].RogerTone = 5;
        app.Doc.Data.Opt.PubRoger = 3;
        app.Doc.Data.Opt.GroupName[0][1].setRaw("A   ");
        std::swap(app.Doc.Channels[1][1][4], app.Doc.Channels[1][7][4]); // same channels, other positions
        QVERIFY(IsDocumentUnchanged(app.Doc, app.Saved));
        app.Doc.Channels[1][1][4].Modulation = 2;
        QVERIFY(IsDocumentModified(app.Doc, app.Saved));
    }

    void saveOverLongerFileAndReopen()
    {
        writeBytes(path("long.dat"), QByteArray(5000, 'x'));
        writeBytes(path("long.fre"), QByteArray(20000, 'x'));
        app.DocState.DocPath = path("long.dat");
        QVERIFY(SaveDataFile(app, prompt));
        QCOMPARE(fileBytes(path("long.dat")).size(), kDataFileSize);
        QCOMPARE(fileBytes(path("long.fre")).size(), 140 * kChannelRecordSize);
        QCOMPARE(app.DocState.IsNewDoc, int16_t(0));
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Opened);
        QVERIFY(prompt.asked.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList({"*.tmp*", "*~"}, QDir::Files), QStringList());
    }

    void failedSaveKeepsOldPairAndModifiedState()
    {
        writeGoodPair();
        const QByteArray oldData = fileBytes(path("good.dat"));
        app.Doc.Data.Opt.MicLevel = 12;
        QVERIFY(IsDocumentModified(app.Doc, app.Saved));
        writeBytes(path("plainfile"), "x");
        app.DocState.DocPath = path("plainfile/inside.dat"); // its folder is a regular file
        QVERIFY(!SaveDataFile(app, prompt));
        QCOMPARE(prompt.texts(), QStringList{"file error."});
        QVERIFY(IsDocumentModified(app.Doc, app.Saved));
        QCOMPARE(fileBytes(path("good.dat")), oldData);
    }

    void unusableDataPathIsRefused_data()
    {
        QTest::addColumn<QString>("dataPath");
        QTest::newRow("its own channel file") << "radio.fre";
        QTest::newRow("its own channel file, other case") << "radio.FRE";
        QTest::newRow("channel file in another folder") << "docs/a";
        QTest::newRow("one-character name") << "a";
        QTest::newRow("a folder") << "docs";
        QTest::newRow("a folder with a slash") << "docs/";
        QTest::newRow("empty") << "";
        QTest::newRow("current folder") << ".";
        QTest::newRow("a named pipe") << "pipe.dat";
    }
    void unusableDataPathIsRefused()
    {
        QFETCH(QString, dataPath);
        QTemporaryDir work;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        QVERIFY(QDir().mkdir("docs"));
        QCOMPARE(::mkfifo("pipe.dat", 0644), 0);
        writeBytes("docs/old.dat", "untouched");
        const QStringList contents = folderContents(work.path());

        app.Doc.Data.Opt.MicLevel = 12;
        app.DocState.DocPath = dataPath;
        const bool saved = SaveDataFile(app, prompt);
        const QStringList after = folderContents(work.path());
        QDir::setCurrent(before);
        QVERIFY(!saved);
        QCOMPARE(prompt.texts(), QStringList{"file error."});
        QCOMPARE(after, contents);
        QVERIFY(IsDocumentModified(app.Doc, app.Saved));
    }

    void failedReplaceLeavesThePreviousPair_data()
    {
        QTest::addColumn<bool>("oldPair");
        QTest::addColumn<int>("failingReplace"); // 1: the channel file, 2: the data file
        QTest::newRow("channel file fails") << true << 1;
        QTest::newRow("data file fails") << true << 2;
        QTest::newRow("data file fails, no pair before") << false << 2;
    }
    void failedReplaceLeavesThePreviousPair()
    {
        QFETCH(bool, oldPair);
        QFETCH(int, failingReplace);
        QTemporaryDir work;
        const QString dataPath = work.filePath("radio.dat");
        if (oldPair) {
            writeBytes(dataPath, "old data");
            writeBytes(work.filePath("radio.fre"), "old channels");
        }
        const QStringList contents = folderContents(work.path());
        int calls = 0;
        const ReplaceFile failing = [&](const QString& from, const QString& to) {
            return ++calls != failingReplace && RenameOver(from, to);
        };
        QVERIFY(!WriteDocumentPair(dataPath, app.Saved, failing));
        QCOMPARE(calls, failingReplace);
        QCOMPARE(folderContents(work.path()), contents);
        // The same pair goes through when nothing fails.
        QVERIFY(WriteDocumentPair(dataPath, app.Saved));
        QCOMPARE(fileBytes(dataPath).size(), kDataFileSize);
        QCOMPARE(fileBytes(work.filePath("radio.fre")).size(), 140 * kChannelRecordSize);
        QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"radio.dat", "radio.fre"}));
    }

    void pipeIsNoInputFile_data()
    {
        QTest::addColumn<QString>("pipe"); // which of the pair is a named pipe
        QTest::newRow("data file") << "good.dat";
        QTest::newRow("channel file") << "good.fre";
    }
    void pipeIsNoInputFile()
    {
        QFETCH(QString, pipe);
        writeGoodPair();
        QFile::remove(path(pipe));
        QCOMPARE(::mkfifo(qPrintable(path(pipe)), 0644), 0);
        const QByteArray docBefore = snapshot(app.Doc);
        QCOMPARE(OpenDataFile(app, prompt, launcher), OpenResult::Refused);
        QCOMPARE(prompt.texts(), QStringList{"file error."});
        QVERIFY(!LoadTemplate(app, path("good.dat")));
        QCOMPARE(snapshot(app.Doc), docBefore);
        QFile::remove(path(pipe));
    }

    void typedNameGetsTheDataExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("used");
        QTest::newRow("bare name") << "/home/u/radio"
                                   << "/home/u/radio.dat";
        QTest::newRow("dot in the folder only") << "/home/u.v2/a"
                                                << "/home/u.v2/a.dat";
        QTest::newRow("trailing dot") << "/home/u/radio."
                                      << "/home/u/radio.dat";
        QTest::newRow("hidden name") << "/home/u/.radio"
                                     << "/home/u/.radio.dat";
        QTest::newRow("has .dat") << "/home/u/radio.dat"
                                  << "/home/u/radio.dat";
        QTest::newRow("other extension kept") << "/home/u/radio.bin"
                                              << "/home/u/radio.bin";
    }
    void typedNameGetsTheDataExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, used);
        QCOMPARE(WithDataFileExtension(typed), used);
        QVERIFY(IsUsableDataPath(used));
    }

    void versionTable()
    {
        QVERIFY(IsCompatibleVersion(app.Versions, "V200", "V200"));
        QVERIFY(!IsCompatibleVersion(app.Versions, "V200", "V201"));
        QCOMPARE(SoftVersionFor(app.Versions, "V201"), QString("V210"));
        QCOMPARE(SoftVersionFor(app.Versions, "V300"), QString());
        QVERIFY(IsValidVersionCode(QString::fromLatin1("V200\0  ", 7)));
        for (const char* bad : {"v200", "V20", "V20A", "V2.0", "V-12"})
            QVERIFY2(!IsValidVersionCode(bad), bad);
        QVERIFY(LaunchVersion(app.Versions, app.Paths, "V300", prompt, 1, launcher));
        QCOMPARE(prompt.texts(), QStringList{"Fail to start the software. This version does not exist."});
        prompt.asked.clear();
        // A pair whose software part is no version code never becomes a path.
        LaunchVersion(app.Versions, app.Paths, "V202", prompt, 1, launcher);
        QVERIFY(launcher.started.isEmpty());
        QCOMPARE(launcher.exits, 0);
    }

    void templateFollowsBand()
    {
        QCOMPARE(NewTemplatePath(app), path("V200/Init/1_MH5120_New.dat"));
        app.DocState.BandText = "25.6150 - 30.1050 MHz";
        QCOMPARE(InitTemplatePath(app), path("V200/Init/0_MH5120.dat"));
        // a missing template leaves the document and snapshots it
        app.Doc.Data.Opt.Nog = 3;
        QVERIFY(!LoadInitTemplate(app));
        QCOMPARE(app.Doc.Data.Opt.Nog, int16_t(3));
        QVERIFY(IsDocumentUnchanged(app.Doc, app.Saved));
    }
};

QTEST_GUILESS_MAIN(TestDataFileOpenSave)
#include "tst_DataFileOpenSave.moc"
