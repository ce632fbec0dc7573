#include "GuiTestSupport.h"
#include "RadioSimulator.h"

#include "files/DataFile.h"
#include "image/MemoryImage.h"
#include "link/CloneEngine.h"
#include "app/ProgressWindow.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/ChannelWindow.h"

#include <QTableWidget>

#include <QAction>
#include <QProcess>

// A full read and a full write through the main window against the radio simulator on a
// pseudo-terminal; never a real port of the machine.
class RadioTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readThenWrite();
    void readReopensChannelWindow();

private:
    // The simulator starts with the image of onRadio, saved to imageFile.
    bool startSimulator(const RadioDocument& onRadio, const QString& imageFile);
    QProcess* sim_ = nullptr;
    QString device_;
};

void RadioTest::init()
{
    if (!QFile::exists(radioSimulatorProgram()))
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

bool RadioTest::startSimulator(const RadioDocument& onRadio, const QString& imageFile)
{
    MemoryImage image;
    InitImage(image);
    EncodeDocument(onRadio, image);
    if (!writeImageFile(imageFile, image))
        return false;
    sim_ = new QProcess;
    device_ = startRadioSimulator(*sim_, imageFile);
    return device_.startsWith(QLatin1Char('/'));
}

void RadioTest::readThenWrite()
{
    TestInstall install;
    TestProgram program(install);
    program.showAndActivate();
    MainWindow& w = *program.window;

    // The radio holds the current document with one setting changed.
    RadioDocument onRadio = program.app.Doc;
    onRadio.Data.Opt.VoxFunction = program.app.Doc.Data.Opt.VoxFunction ? 0 : 1;
    const QString imageFile = install.filePath(QStringLiteral("radio.img"));
    QVERIFY(startSimulator(onRadio, imageFile));
    w.setPortDevice(device_);

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

    // Write it back with another change; the radio keeps what it receives.
    program.app.Doc.Data.Opt.VoxFunction = onRadio.Data.Opt.VoxFunction ? 0 : 1;
    program.prompt.asked.clear();
    program.prompt.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("WriteRadio"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(program.prompt.asked.size(), size_t(2), 60000);
    QTRY_VERIFY(!w.radioLink().isBusy());
    QCOMPARE(program.prompt.texts(),
             QStringList({"Write data to radio.\r\nDo you wish continue?", "Write Data Completed."}));
    MemoryImage expected;
    InitImage(expected);
    EncodeDocument(program.app.Doc, expected);
    cleanup(); // the simulator saves its memory when it ends
    QFile f(imageFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    QCOMPARE(written.size(), kImageSize);
    QCOMPARE(written.left(0x3F40), QByteArray(reinterpret_cast<const char*>(expected.data()), 0x3F40));
    QVERIFY(program.prompt.unexpected.isEmpty());
}

// After a read the channel window is a new one, showing the radio's channels.
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
    const QString imageFile = install.filePath(QStringLiteral("radio.img"));
    QVERIFY(startSimulator(onRadio, imageFile));
    w.setPortDevice(device_);
    program.prompt.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
    w.findChild<QAction*>(QStringLiteral("mnuReadFromRadio"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!w.radioLink().isBusy(), 60000);
    QVERIFY(before.isNull());
    auto* channels = qobject_cast<ChannelWindow*>(w.childWindow(ChildKind::ChannelInfo));
    QVERIFY(channels);
    QCOMPARE(channels->shownGroup(), group);
    QCOMPARE(channels->grid()->item(16, 1)->text(), QStringLiteral("28.1234"));
}

TRK_GUI_TEST_MAIN(RadioTest)
#include "test_radio.moc"
