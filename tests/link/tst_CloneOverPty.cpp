#include "RadioSimulator.h"
#include "RecordingLauncher.h"
#include "RecordingProgress.h"
#include "ScriptedPrompt.h"

#include "i18n/LinkTexts.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"
#include "link/CloneEngine.h"
#include "link/QtSerialLink.h"
#include "session/AppState.h"
#include "session/RadioOperation.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The engine against trk5120-radio-sim over a real pseudo-terminal.
class TestCloneOverPty : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fullRead();
    void fullWrite();
    void failures_data();
    void failures();

private:
    bool startSimulator(const QStringList& options);
    bool run(int16_t operation);
    void writeSimImage(const MemoryImage& image);
    MemoryImage readSimImage();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> sim_;
    QString device_;
    QString imageFile_;
    AppState app_;
    ScriptedPrompt prompt_;
    RecordingProgress progress_;
    RecordingLauncher launcher_;
};

void TestCloneOverPty::initTestCase()
{
    QVERIFY2(QFile::exists(radioSimulatorProgram()), "the simulator is built into the staging tree");
}

void TestCloneOverPty::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    qputenv("HOME", dir_->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dir_->path().toUtf8());
    imageFile_ = dir_->filePath(QStringLiteral("radio.img"));
    app_ = AppState{};
    app_.Settings.LanguageIndex = kEnglish;
    app_.Versions.FirmPairs = QStringList{QStringLiteral("V200"), QStringLiteral("V200")};
    app_.DocState.DocPath = QStringLiteral("mine.dat");
    app_.DocState.IsNewDoc = 0;
    prompt_ = ScriptedPrompt{};
    progress_.values.clear();
    progress_.visible = false;
    progress_.onValue = nullptr;
    launcher_.started.clear();
}

void TestCloneOverPty::cleanup()
{
    if (sim_) {
        sim_->terminate();
        sim_->waitForFinished(5000);
        sim_.reset();
    }
}

bool TestCloneOverPty::startSimulator(const QStringList& options)
{
    sim_ = std::make_unique<QProcess>();
    sim_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    device_ = startRadioSimulator(*sim_, imageFile_, options);
    return device_.startsWith(QStringLiteral("/dev/"));
}

bool TestCloneOverPty::run(int16_t operation)
{
    // Wired as the main window and the command-line tool wire it.
    QtSerialLink link;
    QtLinkTimer waitTimer;
    ModComm engine(link, waitTimer, prompt_, progress_, app_.Image);
    WireIdentityCheck(engine, app_, prompt_, launcher_, link);
    QSignalSpy finished(&engine, &ModComm::finished);
    if (!BeginRadioOperation(app_, engine, prompt_, operation, device_))
        return false;
    // A guard against a hang, not a measure of speed.
    if (!finished.wait(60000))
        return false;
    [&] { QCOMPARE(finished.size(), 1); }();
    [&] { QCOMPARE(engine.state().LinkOperation, int16_t(kLinkIdle)); }();
    [&] { QVERIFY(!link.isOpen()); }();
    const bool success = finished.first().first().toBool();
    if (success) {
        if (operation == kLinkRead)
            AdoptReadImage(app_);
        prompt_.tell(PromptId::Completed, CompletedText(operation, kEnglish));
    }
    return success;
}

void TestCloneOverPty::writeSimImage(const MemoryImage& image)
{
    QVERIFY(writeImageFile(imageFile_, image));
}

MemoryImage TestCloneOverPty::readSimImage()
{
    MemoryImage image{};
    QFile file(imageFile_);
    if (file.open(QIODevice::ReadOnly) && file.size() == kImageSize)
        file.read(reinterpret_cast<char*>(image.data()), kImageSize);
    return image;
}

namespace {

MemoryImage RadioContents()
{
    RadioDocument doc;
    MemoryImage image;
    InitImage(image);
    EncodeDocument(doc, image);
    for (int address = 0x3F3C; address < 0x3FF8; ++address)
        image[size_t(address)] = uint8_t(address * 7);
    return image;
}

} // namespace

void TestCloneOverPty::fullRead()
{
    const MemoryImage radio = RadioContents();
    writeSimImage(radio);
    QVERIFY(startSimulator({}));
    prompt_.answers = {PromptAnswer::Ok};
    QVERIFY(run(kLinkRead));
    QVERIFY(app_.Image == radio);
    QCOMPARE(app_.DocState.DocPath, QStringLiteral("new.dat"));
    QCOMPARE(app_.DocState.IsNewDoc, int16_t(-1));
    QCOMPARE(prompt_.asked.size(), 2);
    QCOMPARE(prompt_.asked[0].text, Text(Msg::ReadConfirm, kEnglish));
    QCOMPARE(prompt_.asked[0].icon, PromptIcon::Question);
    QCOMPARE(prompt_.asked[1].text, Text(Msg::ReadCompleted, kEnglish));
    QCOMPARE(progress_.values.last(), 100);
    QVERIFY(std::is_sorted(progress_.values.begin(), progress_.values.end()));
}

void TestCloneOverPty::fullWrite()
{
    MemoryImage before;
    before.fill(0x5A);
    writeSimImage(before);
    QVERIFY(startSimulator({}));
    prompt_.answers = {PromptAnswer::Ok};
    QVERIFY(run(kLinkWrite));
    MemoryImage expected;
    InitImage(expected);
    EncodeDocument(app_.Doc, expected);
    const MemoryImage after = readSimImage();
    QVERIFY(std::equal(after.begin(), after.begin() + 0x3F40, expected.begin()));
    QVERIFY(std::all_of(after.begin() + 0x3F40, after.end(), [](uint8_t b) { return b == 0x5A; }));
    QCOMPARE(prompt_.asked.last().text, Text(Msg::WriteCompleted, kEnglish));
    QCOMPARE(progress_.values.last(), 100);
    QCOMPARE(app_.DocState.DocPath, QStringLiteral("mine.dat"));
}

void TestCloneOverPty::failures_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<PromptAnswer>>("answers");
    QTest::addColumn<bool>("killMidway");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QStringList>("expectedPrompts"); // after the confirmation

    const QString check = Text(Msg::CheckConnection, kEnglish);
    const QString done = Text(Msg::ReadCompleted, kEnglish);
    QTest::newRow("program mode on the second request")
        << QStringList{"--ignore-program", "1"} << QList<PromptAnswer>{} << false << true << QStringList{done};
    QTest::newRow("identification on the second request")
        << QStringList{"--ignore-ident", "1"} << QList<PromptAnswer>{} << false << true << QStringList{done};
    QTest::newRow("never answered, retry then cancel")
        << QStringList{"--silent"} << QList<PromptAnswer>{PromptAnswer::Retry, PromptAnswer::Cancel} << false << false
        << QStringList{check, check};
    QTest::newRow("bad checksum, restart")
        << QStringList{"--bad-checksum", "0x0800"} << QList<PromptAnswer>{PromptAnswer::Ok} << false << true
        << QStringList{check, done};
    QTest::newRow("bad checksum, cancel")
        << QStringList{"--bad-checksum", "0x0800"} << QList<PromptAnswer>{PromptAnswer::Cancel} << false << false
        << QStringList{check};
    QTest::newRow("another model") << QStringList{"--model", "MH9999"} << QList<PromptAnswer>{} << false << false
                                   << QStringList{Text(Msg::ModelWrong, kEnglish)};
    QTest::newRow("incompatible firmware")
        << QStringList{"--firmware", "V201"} << QList<PromptAnswer>{PromptAnswer::No} << false << false
        << QStringList{BuildVersionMessage(QStringLiteral("V200"), QStringLiteral("V201"), 0, kEnglish)};
    QTest::newRow("no end acknowledgement")
        << QStringList{"--no-end-ack"} << QList<PromptAnswer>{} << false << true << QStringList{done};
    QTest::newRow("noise before every reply")
        << QStringList{"--noise", "2"} << QList<PromptAnswer>{PromptAnswer::Cancel} << false << false
        << QStringList{check};
    QTest::newRow("port lost midway") << QStringList{"--paced"} << QList<PromptAnswer>{} << true << false
                                      << QStringList{LinkText(LinkMsg::PortLost, kEnglish)};
}

void TestCloneOverPty::failures()
{
    QFETCH(QStringList, options);
    QFETCH(QList<PromptAnswer>, answers);
    QFETCH(bool, killMidway);
    QFETCH(bool, success);
    QFETCH(QStringList, expectedPrompts);

    writeSimImage(RadioContents());
    QVERIFY(startSimulator(options));
    prompt_.answers = QList<PromptAnswer>{PromptAnswer::Ok} + answers;
    if (killMidway)
        progress_.onValue = [this](int percent) {
            if (percent >= 1 && sim_->state() == QProcess::Running)
                sim_->kill();
        };
    const RadioDocument before = app_.Doc;

    QCOMPARE(run(kLinkRead), success);

    QStringList shown;
    for (qsizetype i = 1; i < prompt_.asked.size(); ++i)
        shown.append(prompt_.asked[i].text);
    QCOMPARE(shown, expectedPrompts);
    for (const AskedPrompt& prompt : prompt_.asked) {
        if (prompt.text != Text(Msg::CheckConnection, kEnglish))
            continue;
        // Before any block: Retry/Cancel without an icon; during the blocks: OK/Cancel with a question.
        const bool duringBlocks = options.contains(QStringLiteral("--bad-checksum"));
        QCOMPARE(prompt.buttons, duringBlocks ? PromptButtons::OkCancel : PromptButtons::RetryCancel);
        QCOMPARE(prompt.icon, duringBlocks ? PromptIcon::Question : PromptIcon::None);
    }
    if (options.contains(QStringLiteral("--bad-checksum")) && success) {
        const qsizetype restart = progress_.values.lastIndexOf(0);
        QVERIFY(restart > 1); // back to 0% after some progress
        QCOMPARE(progress_.values.last(), 100);
    }
    if (success) {
        QCOMPARE(app_.DocState.DocPath, QStringLiteral("new.dat"));
    } else {
        QCOMPARE(app_.DocState.DocPath, QStringLiteral("mine.dat"));
        QCOMPARE(app_.DocState.IsNewDoc, int16_t(0));
        QVERIFY(app_.Doc.Data == before.Data);
        QVERIFY(app_.Doc.Channels == before.Channels);
    }
    QVERIFY(launcher_.started.isEmpty());
}

QTEST_GUILESS_MAIN(TestCloneOverPty)
#include "tst_CloneOverPty.moc"
