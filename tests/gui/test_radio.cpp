#include "FileBytes.h"
#include "GuiTestSupport.h"
#include "RadioSimulator.h"

#include "app/ProgressWindow.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/ChannelWindow.h"
#include "files/DataFile.h"
#include "files/ImageBackup.h"
#include "image/MemoryImage.h"
#include "link/CloneEngine.h"
#include "session/Settings.h"

#include <QTableWidget>

#include <QAction>
#include <QProcess>

Q_DECLARE_METATYPE(PromptId)

namespace {
// Where the simulator keeps the radio's memory; it saves it there when it ends.
QString RadioImageFile(const TestInstall& install)
{
    return install.filePath(QStringLiteral("radio.img"));
}

// The image of a radio that holds `doc`.
MemoryImage ImageOf(const RadioDocument& doc)
{
    MemoryImage image;
    InitImage(image);
    EncodeDocument(doc, image);
    return image;
}
} // namespace

// A full read and a full write through the main window against the radio simulator on a
// pseudo-terminal; never a real port of the machine.
class RadioTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readThenWrite();
    void readReopensChannelWindow();
    void backupThatCannotBeWritten();
    void verifyAfterWrite_data();
    void verifyAfterWrite();

private:
    bool startSimulator(const QString& imageFile, const QStringList& faults = {});
    bool startSimulator(TestInstall& install, const MemoryImage& image, const QStringList& faults = {});
    bool connectRadioWithVoxSwitched(TestInstall& install, TestProgram& program, RadioDocument& onRadio);
    QProcess* sim_ = nullptr;
    QString device_;
};

void RadioTest::init()
{
    if (!QFile::exists(qEnvironmentVariable("TRK_STAGE") + QStringLiteral("/V200/trk5120-radio-sim")))
        QSKIP("the radio simulator is not built");
}

void RadioTest::cleanup()
{
    if (sim_) {
        sim_->closeWriteChannel();
        if (!sim_->waitForFinished(5000))
            sim_->kill();
        delete sim_;
        sim_ = nullptr;
    }
}

bool RadioTest::startSimulator(const QString& imageFile, const QStringList& faults)
{
    sim_ = new QProcess;
    device_ = startRadioSimulator(*sim_, imageFile, faults);
    return device_.startsWith(QLatin1Char('/'));
}

bool RadioTest::startSimulator(TestInstall& install, const MemoryImage& image, const QStringList& faults)
{
    const QString imageFile = RadioImageFile(install);
    return writeImageFile(imageFile, image) && startSimulator(imageFile, faults);
}

// Starts a radio that holds the program's document with one setting changed and points the
// main window at it; `onRadio` receives what the radio holds.
bool RadioTest::connectRadioWithVoxSwitched(TestInstall& install, TestProgram& program, RadioDocument& onRadio)
{
    onRadio = program.app.Doc;
    onRadio.Data.Opt.VoxFunction = program.app.Doc.Data.Opt.VoxFunction ? 0 : 1;
    if (!startSimulator(install, ImageOf(onRadio)))
        return false;
    program.window->setPortDevice(device_);
    return true;
}

void RadioTest::readThenWrite()
{
    TestInstall install;
    TestProgram program(install);
    program.showAndActivate();
    MainWindow& w = *program.window;

    RadioDocument onRadio;
    QVERIFY(connectRadioWithVoxSwitched(install, program, onRadio));

    const int windowsBefore = program.editors.created;
    program.prompt.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("mnuReadFromRadio"))->trigger();
    QVERIFY(w.progressHost().isProgressVisible());
    QCOMPARE(w.progressHost().window()->windowTitle(), QStringLiteral("Read data from radio"));
    QTRY_VERIFY_WITH_TIMEOUT(!w.radioLink().isBusy(), 60000);
    QCOMPARE(program.prompt.texts(),
             QStringList({"Read data from radio.\r\nDo you wish continue?", "Read Data Completed."}));
    QVERIFY(!w.progressHost().isProgressVisible());
    QCOMPARE(program.app.Doc.Data.Opt.VoxFunction, onRadio.Data.Opt.VoxFunction);
    QCOMPARE(program.app.DocState.DocPath, QStringLiteral("new.dat"));
    QCOMPARE(program.app.DocState.IsNewDoc, int16_t(-1));
    QCOMPARE(program.editors.created, windowsBefore + 1);
    QVERIFY(w.windowTitle().endsWith(QStringLiteral("[File Name:new.dat]")));
    // The radio's image is kept, named by the time and the radio's identity.
    QCOMPARE(fileBytes(BackupFolder() + QStringLiteral("/20260115-120000_MH5120_V200.img")),
             QByteArray(reinterpret_cast<const char*>(ImageOf(onRadio).data()), kImageSize));

    // Write it back with another change; the radio keeps what it receives.
    program.app.Doc.Data.Opt.VoxFunction = onRadio.Data.Opt.VoxFunction ? 0 : 1;
    program.prompt.asked.clear();
    program.prompt.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("WriteRadio"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(program.prompt.asked.size(), size_t(2), 60000);
    QTRY_VERIFY(!w.radioLink().isBusy());
    QCOMPARE(program.prompt.texts(),
             QStringList({"Write data to radio.\r\nDo you wish continue?", "Write Data Completed."}));
    const MemoryImage expected = ImageOf(program.app.Doc);
    cleanup(); // the simulator saves its memory when it ends
    QFile f(RadioImageFile(install));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    QCOMPARE(written.size(), kImageSize);
    QCOMPARE(written.left(0x3F40), QByteArray(reinterpret_cast<const char*>(expected.data()), 0x3F40));
    QVERIFY(program.prompt.unexpected.isEmpty());
}

// After a read the channel window is a new one, showing the radio's channels, and the
// history of the replaced document is gone.
void RadioTest::readReopensChannelWindow()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.showAndActivate();
    MainWindow& w = *program.window;
    QPointer<QWidget> before = w.childWindow(ChildKind::ChannelInfo);
    QVERIFY(before);

    RadioDocument onRadio = program.app.Doc;
    const int mode = ActiveMode(onRadio.Data);
    const int group = onRadio.Data.CurGroup[mode];
    QVERIFY(group >= 1 && group <= 9);
    AddChannel(onRadio, 17, mode, group, QStringLiteral("28.1234"));
    // An edit that Undo could take back until the read replaces the document.
    program.app.Doc.Data.Opt.TotTime = int16_t(program.app.Doc.Data.Opt.TotTime == 3 ? 6 : 3);
    emit w.documentEvents().documentEdited(QStringLiteral("TOT"));
    QVERIFY(w.history().canUndo());
    QVERIFY(startSimulator(install, ImageOf(onRadio)));
    w.setPortDevice(device_);
    program.prompt.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("mnuReadFromRadio"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!w.radioLink().isBusy(), 60000);
    QVERIFY(before.isNull());
    QVERIFY(!w.history().canUndo());
    auto* channels = qobject_cast<ChannelWindow*>(w.childWindow(ChildKind::ChannelInfo));
    QVERIFY(channels);
    QCOMPARE(channels->shownGroup(), group);
    QCOMPARE(channels->grid()->item(16, 1)->text(), QStringLiteral("28.1234"));
}

// A backup that cannot be written is reported after the completion; the read still counts.
void RadioTest::backupThatCannotBeWritten()
{
    TestInstall install;
    TestProgram program(install);
    program.showAndActivate();
    MainWindow& w = *program.window;
    RadioDocument onRadio;
    QVERIFY(connectRadioWithVoxSwitched(install, program, onRadio));

    // A file where the folder belongs: no rights make it writable, root's included.
    const QString folder = BackupFolder();
    QDir(folder).removeRecursively();
    QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
    {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    program.prompt.answers = {PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("mnuReadFromRadio"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!w.radioLink().isBusy(), 60000);
    QFile::remove(folder);
    QCOMPARE(program.prompt.ids(),
             QList<PromptId>({PromptId::ReadConfirm, PromptId::Completed, PromptId::BackupFailed}));
    QVERIFY(program.prompt.texts().last().contains(folder));
    QCOMPARE(program.prompt.asked.last().icon, PromptIcon::Exclamation);
    QCOMPARE(program.app.Doc.Data.Opt.VoxFunction, onRadio.Data.Opt.VoxFunction);
}

// Setup > Verify after Write: remembered in mysetup.ini; when on, a write is read back and the
// completion message says what the read-back found.
void RadioTest::verifyAfterWrite_data()
{
    QTest::addColumn<bool>("verify");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<PromptId>("reported");
    QTest::addColumn<QString>("message");
    QTest::newRow("off") << false << QStringList() << PromptId::Completed << "Write Data Completed.";
    QTest::newRow("on") << true << QStringList() << PromptId::Completed
                        << "Write Data Completed.\r\nVerified: the radio holds exactly what was written.";
    QTest::newRow("on, the radio loses a byte")
        << true << QStringList({"--corrupt-block", "0x0A35"}) << PromptId::VerifyFailed
        << "Write Data Completed.\r\nVerify failed: 1 byte(s) in the radio differ from what was "
           "written, first at 0x0A35.";
}

void RadioTest::verifyAfterWrite()
{
    QFETCH(bool, verify);
    QFETCH(QStringList, faults);
    QFETCH(PromptId, reported);
    QFETCH(QString, message);

    TestInstall install;
    TestProgram program(install);
    program.showAndActivate();
    MainWindow& w = *program.window;
    auto* item = w.findChild<QAction*>(QStringLiteral("mnuVerifyWrite"));
    QVERIFY(item && item->isCheckable() && !item->isChecked());
    QCOMPARE(item->text(), QStringLiteral("Verify after &Write"));
    item->setChecked(verify);
    QCOMPARE(ReadSettings(install.settingsFile(), QStringLiteral("en_US")).VerifyWrite, int16_t(verify ? 1 : 0));

    MemoryImage blank;
    blank.fill(0x5A);
    QVERIFY(startSimulator(install, blank, faults));
    w.setPortDevice(device_);
    const MemoryImage sent = ImageOf(program.app.Doc);
    program.prompt.answers = {PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("mnuWriteToRadio"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(program.prompt.asked.size(), size_t(2), 60000);
    QVERIFY(!w.radioLink().isBusy());
    QCOMPARE(program.prompt.ids(), QList<PromptId>({PromptId::WriteConfirm, reported}));
    QCOMPARE(program.prompt.texts().last(), message);
    QVERIFY(program.prompt.unexpected.isEmpty());
    // The read-back leaves the image as the write sent it.
    QCOMPARE(program.app.Image, sent);

    // The next start reads the setting back.
    TestProgram next(install);
    QCOMPARE(next.window->findChild<QAction*>(QStringLiteral("mnuVerifyWrite"))->isChecked(), verify);
}

TRK_GUI_TEST_MAIN(RadioTest)
#include "test_radio.moc"
