#include "GuiTestSupport.h"

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
    bool startSimulator(const QString& imageFile);
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

bool RadioTest::startSimulator(const QString& imageFile)
{
    sim_ = new QProcess;
    sim_->start(qEnvironmentVariable("TRK_STAGE") + QStringLiteral("/V200/trk5120-radio-sim"),
                {QStringLiteral("--image"), imageFile, QStringLiteral("--exit-on-stdin-eof")});
    if (!sim_->waitForStarted(5000))
        return false;
    while (!sim_->canReadLine())
        if (!sim_->waitForReadyRead(5000))
            return false;
    device_ = QString::fromLocal8Bit(sim_->readLine()).trimmed();
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
    MemoryImage image;
    InitImage(image);
    EncodeDocument(onRadio, image);
    const QString imageFile = install.filePath(QStringLiteral("radio.img"));
    {
        QFile f(imageFile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(image.data()), kImageSize);
    }
    QVERIFY(startSimulator(imageFile));
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
    MemoryImage image;
    InitImage(image);
    EncodeDocument(onRadio, image);
    const QString imageFile = install.filePath(QStringLiteral("radio.img"));
    {
        QFile f(imageFile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(image.data()), kImageSize);
    }
    // An edit that Undo could take back until the read replaces the document.
    program.app.Doc.Data.Opt.TotTime = int16_t(program.app.Doc.Data.Opt.TotTime == 3 ? 6 : 3);
    emit w.documentEvents().documentEdited(QStringLiteral("TOT"));
    QVERIFY(w.history().canUndo());
    QVERIFY(startSimulator(imageFile));
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

TRK_GUI_TEST_MAIN(RadioTest)
#include "test_radio.moc"
