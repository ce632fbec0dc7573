#include "RecordingLauncher.h"
#include "RecordingProgress.h"
#include "ScriptedPrompt.h"

#include "session/AppState.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"
#include "link/CloneEngine.h"
#include "i18n/LinkTexts.h"
#include "session/RadioOperation.h"
#include "link/QtSerialLink.h"

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

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_sim;
    QString m_device;
    QString m_imageFile;
    AppState m_app;
    ScriptedPrompt m_prompt;
    RecordingProgress m_progress;
    RecordingLauncher m_launcher;
};

void TestCloneOverPty::initTestCase()
{
    QVERIFY2(QFile::exists(qEnvironmentVariable("TRK_STAGE") + QStringLiteral("/V200/trk5120-radio-sim")),
             "the simulator is built into the staging tree");
}

void TestCloneOverPty::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("HOME", m_dir->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir->path().toUtf8());
    m_imageFile = m_dir->filePath(QStringLiteral("radio.img"));
    m_app = AppState{};
    m_app.Settings.LanguageIndex = kEnglish;
    m_app.Versions.FirmPairs = QStringList{QStringLiteral("V200"), QStringLiteral("V200")};
    m_app.DocState.DocPath = QStringLiteral("mine.dat");
    m_app.DocState.IsNewDoc = 0;
    m_prompt = ScriptedPrompt{};
    m_progress.values.clear();
    m_progress.visible = false;
    m_progress.onValue = nullptr;
    m_launcher.started.clear();
}

void TestCloneOverPty::cleanup()
{
    if (m_sim) {
        m_sim->terminate();
        m_sim->waitForFinished(5000);
        m_sim.reset();
    }
}

bool TestCloneOverPty::startSimulator(const QStringList& options)
{
    m_sim = std::make_unique<QProcess>();
    m_sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim->start(qEnvironmentVariable("TRK_STAGE") + QStringLiteral("/V200/trk5120-radio-sim"),
                 QStringList{QStringLiteral("--image"), m_imageFile, QStringLiteral("--exit-on-stdin-eof")} + options);
    if (!m_sim->waitForStarted(5000))
        return false;
    while (!m_sim->canReadLine()) {
        if (!m_sim->waitForReadyRead(5000))
            return false;
    }
    m_device = QString::fromLocal8Bit(m_sim->readLine()).trimmed();
    return m_device.startsWith(QStringLiteral("/dev/"));
}

bool TestCloneOverPty::run(int16_t operation)
{
    // Wired as the main window and the command-line tool wire it.
    QtSerialLink link;
    QtLinkTimer waitTimer;
    ModComm engine(link, waitTimer, m_prompt, m_progress, m_app.Image);
    engine.setIdentityCheck([&](const RadioIdentity& radio) {
        return CheckRadioIdentity(m_app, m_prompt, m_launcher, link, radio);
    });
    QSignalSpy finished(&engine, &ModComm::finished);
    if (!BeginRadioOperation(m_app, engine, m_prompt, operation, m_device))
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
            AdoptReadImage(m_app);
        m_prompt.tell(PromptId::Completed, CompletedText(operation, kEnglish));
    }
    return success;
}

void TestCloneOverPty::writeSimImage(const MemoryImage& image)
{
    QFile file(m_imageFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.data()), kImageSize);
}

MemoryImage TestCloneOverPty::readSimImage()
{
    MemoryImage image{};
    QFile file(m_imageFile);
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
    m_prompt.answers = {PromptAnswer::Ok};
    QVERIFY(run(kLinkRead));
    QVERIFY(m_app.Image == radio);
    QCOMPARE(m_app.DocState.DocPath, QStringLiteral("new.dat"));
    QCOMPARE(m_app.DocState.IsNewDoc, int16_t(-1));
    QCOMPARE(m_prompt.asked.size(), 2);
    QCOMPARE(m_prompt.asked[0].text, Text(Msg::ReadConfirm, kEnglish));
    QCOMPARE(m_prompt.asked[0].icon, PromptIcon::Question);
    QCOMPARE(m_prompt.asked[1].text, Text(Msg::ReadCompleted, kEnglish));
    QCOMPARE(m_progress.values.last(), 100);
    QVERIFY(std::is_sorted(m_progress.values.begin(), m_progress.values.end()));
}

void TestCloneOverPty::fullWrite()
{
    MemoryImage before;
    before.fill(0x5A);
    writeSimImage(before);
    QVERIFY(startSimulator({}));
    m_prompt.answers = {PromptAnswer::Ok};
    QVERIFY(run(kLinkWrite));
    MemoryImage expected;
    InitImage(expected);
    EncodeDocument(m_app.Doc, expected);
    const MemoryImage after = readSimImage();
    QVERIFY(std::equal(after.begin(), after.begin() + 0x3F40, expected.begin()));
    QVERIFY(std::all_of(after.begin() + 0x3F40, after.end(), [](uint8_t b) { return b == 0x5A; }));
    QCOMPARE(m_prompt.asked.last().text, Text(Msg::WriteCompleted, kEnglish));
    QCOMPARE(m_progress.values.last(), 100);
    QCOMPARE(m_app.DocState.DocPath, QStringLiteral("mine.dat"));
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
    QTest::newRow("another model")
        << QStringList{"--model", "MH9999"} << QList<PromptAnswer>{} << false << false
        << QStringList{Text(Msg::ModelWrong, kEnglish)};
    QTest::newRow("incompatible firmware")
        << QStringList{"--firmware", "V201"} << QList<PromptAnswer>{PromptAnswer::No} << false << false
        << QStringList{BuildVersionMessage(QStringLiteral("V200"), QStringLiteral("V201"), 0, kEnglish)};
    QTest::newRow("no end acknowledgement")
        << QStringList{"--no-end-ack"} << QList<PromptAnswer>{} << false << true << QStringList{done};
    QTest::newRow("noise before every reply")
        << QStringList{"--noise", "2"} << QList<PromptAnswer>{PromptAnswer::Cancel} << false << false << QStringList{check};
    QTest::newRow("port lost midway")
        << QStringList{"--paced"} << QList<PromptAnswer>{} << true << false
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
    m_prompt.answers = QList<PromptAnswer>{PromptAnswer::Ok} + answers;
    if (killMidway)
        m_progress.onValue = [this](int percent) {
            if (percent >= 1 && m_sim->state() == QProcess::Running)
                m_sim->kill();
        };
    const RadioDocument before = m_app.Doc;

    QCOMPARE(run(kLinkRead), success);

    QStringList shown;
    for (qsizetype i = 1; i < m_prompt.asked.size(); ++i)
        shown.append(m_prompt.asked[i].text);
    QCOMPARE(shown, expectedPrompts);
    for (const AskedPrompt& prompt : m_prompt.asked) {
        if (prompt.text != Text(Msg::CheckConnection, kEnglish))
            continue;
        // Before any block: Retry/Cancel without an icon; during the blocks: OK/Cancel with a question.
        const bool duringBlocks = options.contains(QStringLiteral("--bad-checksum"));
        QCOMPARE(prompt.buttons, duringBlocks ? PromptButtons::OkCancel : PromptButtons::RetryCancel);
        QCOMPARE(prompt.icon, duringBlocks ? PromptIcon::Question : PromptIcon::None);
    }
    if (options.contains(QStringLiteral("--bad-checksum")) && success) {
        const qsizetype restart = m_progress.values.lastIndexOf(0);
        QVERIFY(restart > 1); // back to 0% after some progress
        QCOMPARE(m_progress.values.last(), 100);
    }
    if (success) {
        QCOMPARE(m_app.DocState.DocPath, QStringLiteral("new.dat"));
    } else {
        QCOMPARE(m_app.DocState.DocPath, QStringLiteral("mine.dat"));
        QCOMPARE(m_app.DocState.IsNewDoc, int16_t(0));
        QVERIFY(m_app.Doc.Data == before.Data);
        QVERIFY(m_app.Doc.Channels == before.Channels);
    }
    QVERIFY(m_launcher.started.isEmpty());
}

QTEST_GUILESS_MAIN(TestCloneOverPty)
#include "tst_CloneOverPty.moc"
