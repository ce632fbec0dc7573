#include "FakeLink.h"
#include "FakeLinkTimer.h"
#include "FakeRadio.h"
#include "RecordingLauncher.h"
#include "RecordingProgress.h"
#include "ScriptedPrompt.h"

#include "i18n/Texts.h"
#include "image/MemoryImage.h"
#include "link/CloneEngine.h"
#include "link/LinkFrames.h"
#include "session/AppState.h"
#include "session/RadioOperation.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

namespace {

// Frame indices of a read: "PROGRAM", identification, 1,024 read requests, "END".
constexpr int kReadFirstBlock = 2;
constexpr int kReadEnd = kReadFirstBlock + 1024;
// Of a write: 1,012 blocks.
constexpr int kWriteFirstBlock = 2;
constexpr int kWriteEnd = kWriteFirstBlock + 1012;

// How a test reshapes the radio's reply to one frame.
enum class Shape {
    Silent,        // no reply at all
    OtherAddress,  // a correct data block, but for the next address
    OneShort,      // the last byte missing
    OneLong,       // one byte more
    NotAcked,      // the trailing 0x06 replaced
    BadChecksum,   // one data byte changed
    Noise,         // two stray bytes in front, arriving with the reply
    Split,         // the reply in two pieces, the first below the threshold
    OtherModel,    // identification of an MH9999
    OtherFirmware, // identification of firmware V201
};

} // namespace

Q_DECLARE_METATYPE(Shape)

namespace {

// The radio, with each reply reshaped as a test row asks.
struct ScriptedRadio {
    FakeRadio radio;
    QList<QByteArray> outbox; // pieces not yet on the line
    QHash<int, Shape> shapes; // by frame index
    int frames = 0;

    void receive(const QByteArray& frame)
    {
        const int index = frames++;
        if (!shapes.contains(index)) {
            outbox.append(radio.answer(frame));
            return;
        }
        const Shape shape = shapes[index];
        QByteArray reply = radio.answer(frame);
        switch (shape) {
        case Shape::Silent:
            return;
        case Shape::OtherAddress:
            reply = LinkFrame::DataBlock(radio.memory, (uint8_t(frame[1]) * 256 + uint8_t(frame[2])) + 16, 16);
            break;
        case Shape::OneShort:
            reply.chop(1);
            break;
        case Shape::OneLong:
            reply.append(char(LinkFrame::kAck));
            break;
        case Shape::NotAcked:
            reply[reply.size() - 1] = char(0x15);
            break;
        case Shape::BadChecksum:
            reply[4] = char(reply[4] ^ 0x01);
            break;
        case Shape::Noise:
            reply.prepend(QByteArray("\x00\x55", 2));
            break;
        case Shape::Split:
            outbox.append(reply.left(2));
            reply.remove(0, 2);
            break;
        case Shape::OtherModel:
            reply.replace(1, 7, QByteArray("MH9999 "));
            break;
        case Shape::OtherFirmware:
            reply.replace(9, 4, QByteArray("V201"));
            break;
        }
        outbox.append(reply);
    }
};

MemoryImage RadioMemory()
{
    MemoryImage image;
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 13 + (i >> 8));
    return image;
}

} // namespace

// The engine in-process against a scripted radio over a fake line; WaitTimer runs out only
// when the test says so. Message boxes run a nested event loop in the program, so every
// question here delivers the events posted before it, as one would.
class TestCloneEngine : public QObject {
    Q_OBJECT
private slots:
    void init();
    void replies_data();
    void replies();
    void replyWhileQuestionOpen_data();
    void replyWhileQuestionOpen();
    void portLost_data();
    void portLost();
    void notStarted_data();
    void notStarted();
    void lostDuringConfirmation();

private:
    bool begin(int16_t operation, const QList<PromptAnswer>& answers);
    // Runs the operation to its end: the radio's pieces go on the line one by one, and when
    // nothing more comes WaitTimer runs out. False when the engine would hang.
    bool drive();
    QList<PromptId> shownAfterConfirmation() const;

    std::unique_ptr<AppState> app_;
    std::unique_ptr<FakeLink> link_;
    std::unique_ptr<FakeLinkTimer> timer_;
    std::unique_ptr<ModComm> engine_;
    ScriptedPrompt prompt_;
    RecordingProgress progress_;
    RecordingLauncher launcher_;
    ScriptedRadio radio_;
    QList<bool> finished_;
    int loseAfterFrame_ = -1;
};

void TestCloneEngine::init()
{
    engine_.reset();
    app_ = std::make_unique<AppState>();
    app_->Settings.LanguageIndex = kEnglish;
    app_->Versions.FirmPairs = QStringList{QStringLiteral("V200"), QStringLiteral("V200")};
    link_ = std::make_unique<FakeLink>();
    timer_ = std::make_unique<FakeLinkTimer>();
    prompt_ = ScriptedPrompt{};
    prompt_.onAsk = [](const AskedPrompt&) { QCoreApplication::sendPostedEvents(); };
    progress_ = RecordingProgress{};
    launcher_ = RecordingLauncher{};
    radio_ = ScriptedRadio{};
    radio_.radio.memory = RadioMemory();
    finished_.clear();
    loseAfterFrame_ = -1;
    engine_ = std::make_unique<ModComm>(*link_, *timer_, prompt_, progress_, app_->Image);
    WireIdentityCheck(*engine_, *app_, prompt_, launcher_, *link_);
    connect(engine_.get(), &ModComm::finished, this, [this](bool success) { finished_.append(success); });
    link_->onWrite = [this](const QByteArray& frame) { radio_.receive(frame); };
}

bool TestCloneEngine::begin(int16_t operation, const QList<PromptAnswer>& answers)
{
    prompt_.answers = QList<PromptAnswer>{PromptAnswer::Ok} + answers;
    return BeginRadioOperation(*app_, *engine_, prompt_, operation, QStringLiteral("fake"));
}

bool TestCloneEngine::drive()
{
    for (int step = 0; step < 100000; ++step) {
        QCoreApplication::sendPostedEvents();
        if (!engine_->isBusy())
            return true;
        if (loseAfterFrame_ >= 0 && link_->sent.size() > loseAfterFrame_) {
            loseAfterFrame_ = -1;
            link_->lose();
            continue;
        }
        if (!radio_.outbox.isEmpty())
            link_->feed(radio_.outbox.takeFirst());
        else if (!timer_->fire())
            return false;
    }
    return false;
}

QList<PromptId> TestCloneEngine::shownAfterConfirmation() const
{
    QList<PromptId> ids = prompt_.ids();
    if (!ids.isEmpty())
        ids.removeFirst();
    return ids;
}

void TestCloneEngine::replies_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QList<int>>("frames");
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<QList<PromptAnswer>>("answers");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QList<PromptId>>("shown");

    using Ids = QList<PromptId>;
    using Answers = QList<PromptAnswer>;
    const Ids none;
    const Ids check{PromptId::CheckConnection};
    const QList<int> block{kReadFirstBlock + 5};

    // Block replies the engine must not take: each leaves a silence, then the restart question.
    QTest::newRow("block for another address")
        << int(kLinkRead) << block << Shape::OtherAddress << Answers{PromptAnswer::Cancel} << false << check;
    QTest::newRow("block one byte short, then restart")
        << int(kLinkRead) << block << Shape::OneShort << Answers{PromptAnswer::Ok} << true << check;
    QTest::newRow("block one byte long") << int(kLinkRead) << block << Shape::OneLong << Answers{PromptAnswer::Cancel}
                                         << false << check;
    QTest::newRow("block without trailing acknowledge")
        << int(kLinkRead) << block << Shape::NotAcked << Answers{PromptAnswer::Cancel} << false << check;
    QTest::newRow("block with bad checksum, then restart")
        << int(kLinkRead) << block << Shape::BadChecksum << Answers{PromptAnswer::Ok} << true << check;
    QTest::newRow("noise before a block")
        << int(kLinkRead) << block << Shape::Noise << Answers{PromptAnswer::Cancel} << false << check;
    // Before the blocks a missing reply is resent once without a question.
    QTest::newRow("noise before the program-mode reply")
        << int(kLinkRead) << QList<int>{0} << Shape::Noise << Answers{} << true << none;
    QTest::newRow("identification unanswered twice, retry")
        << int(kLinkRead) << QList<int>{1, 2} << Shape::Silent << Answers{PromptAnswer::Retry} << true << check;
    QTest::newRow("program mode never answered, cancel")
        << int(kLinkRead) << QList<int>{0, 1} << Shape::Silent << Answers{PromptAnswer::Cancel} << false << check;
    // Pieces are gathered until the expected length has arrived.
    QTest::newRow("every reply in pieces")
        << int(kLinkRead) << QList<int>{0, 1, kReadFirstBlock, kReadFirstBlock + 1, kReadEnd} << Shape::Split
        << Answers{} << true << none;
    QTest::newRow("end request unanswered")
        << int(kLinkRead) << QList<int>{kReadEnd} << Shape::Silent << Answers{} << true << none;
    QTest::newRow("another model") << int(kLinkRead) << QList<int>{1} << Shape::OtherModel << Answers{} << false
                                   << Ids{PromptId::WrongModel};
    QTest::newRow("other firmware, do not start it")
        << int(kLinkRead) << QList<int>{1} << Shape::OtherFirmware << Answers{PromptAnswer::No} << false
        << Ids{PromptId::StartOtherVersion};
    QTest::newRow("write, a block not acknowledged")
        << int(kLinkWrite) << QList<int>{kWriteFirstBlock + 3} << Shape::OneLong << Answers{PromptAnswer::Cancel}
        << false << check;
    QTest::newRow("write, acknowledgements in pieces")
        << int(kLinkWrite) << QList<int>{0, 1} << Shape::Split << Answers{} << true << none;
}

void TestCloneEngine::replies()
{
    QFETCH(int, operation);
    QFETCH(QList<int>, frames);
    QFETCH(Shape, shape);
    QFETCH(QList<PromptAnswer>, answers);
    QFETCH(bool, success);
    QFETCH(QList<PromptId>, shown);

    for (const int frame : frames)
        radio_.shapes.insert(frame, shape);
    const MemoryImage radioBefore = radio_.radio.memory;
    QVERIFY(begin(int16_t(operation), answers));
    QVERIFY(drive());

    QCOMPARE(finished_, QList<bool>{success});
    QCOMPARE(shownAfterConfirmation(), shown);
    QVERIFY(prompt_.unexpected.isEmpty());
    QVERIFY(!link_->isOpen());
    QVERIFY(!progress_.visible);
    for (const AskedPrompt& asked : prompt_.asked) {
        if (asked.id != PromptId::CheckConnection)
            continue;
        // Before any block Retry/Cancel without an icon; during the blocks OK/Cancel with a question.
        const bool duringBlocks = frames.first() >= kReadFirstBlock;
        QCOMPARE(asked.buttons, duringBlocks ? PromptButtons::OkCancel : PromptButtons::RetryCancel);
        QCOMPARE(asked.icon, duringBlocks ? PromptIcon::Question : PromptIcon::None);
    }
    if (!success) {
        if (shape == Shape::OtherModel || shape == Shape::OtherFirmware)
            QCOMPARE(link_->sent.last(), LinkFrame::kEndRequest);
        if (operation == kLinkWrite)
            QCOMPARE(radio_.radio.memory[size_t(kImageSize - 1)], radioBefore[size_t(kImageSize - 1)]);
        return;
    }
    QCOMPARE(progress_.values.last(), 100);
    if (operation == kLinkRead) {
        QVERIFY(app_->Image == radio_.radio.memory);
    } else {
        MemoryImage expected;
        InitImage(expected);
        EncodeDocument(app_->Doc, expected);
        QVERIFY(std::equal(expected.begin(), expected.begin() + 0x3F40, radio_.radio.memory.begin()));
        QVERIFY(std::equal(radioBefore.begin() + 0x3F40, radioBefore.end(), radio_.radio.memory.begin() + 0x3F40));
    }
    if (shown.isEmpty()) {
        QVERIFY(std::is_sorted(progress_.values.begin(), progress_.values.end()));
    } else if (shown == QList<PromptId>{PromptId::CheckConnection} && frames.first() >= kReadFirstBlock) {
        // The restart begins again with the handshake, and the display with 0 %.
        QCOMPARE(link_->sent.count(LinkFrame::kProgramRequest), 2);
        QVERIFY(progress_.values.lastIndexOf(0) > 0);
    }
}

void TestCloneEngine::replyWhileQuestionOpen_data()
{
    QTest::addColumn<QList<int>>("silentFrames");
    QTest::addColumn<QByteArray>("lateReply");
    QTest::addColumn<int>("framesSent");
    QTest::addColumn<bool>("lost"); // the port vanishes as well, and the user answers Retry/OK

    QTest::newRow("program-mode reply during the retry question")
        << QList<int>{0, 1} << LinkFrame::kProgramAck << 2 << false;
    QTest::newRow("data block during the restart question")
        << QList<int>{kReadFirstBlock} << LinkFrame::DataBlock(RadioMemory(), 0, 16) << 3 << false;
    QTest::newRow("port lost during the retry question") << QList<int>{0, 1} << QByteArray() << 2 << true;
    QTest::newRow("port lost during the restart question") << QList<int>{kReadFirstBlock} << QByteArray() << 3 << true;
}

void TestCloneEngine::replyWhileQuestionOpen()
{
    QFETCH(QList<int>, silentFrames);
    QFETCH(QByteArray, lateReply);
    QFETCH(int, framesSent);
    QFETCH(bool, lost);

    for (const int frame : silentFrames)
        radio_.shapes.insert(frame, Shape::Silent);
    const bool beforeBlocks = silentFrames.first() < kReadFirstBlock;
    const PromptAnswer goOn = beforeBlocks ? PromptAnswer::Retry : PromptAnswer::Ok;
    QVERIFY(begin(kLinkRead, {lost ? goOn : PromptAnswer::Cancel}));
    prompt_.onAsk = [this, lateReply, lost](const AskedPrompt& asked) {
        if (asked.id == PromptId::CheckConnection) {
            link_->feed(lateReply);
            if (lost)
                link_->lose();
        }
        QCoreApplication::sendPostedEvents();
    };
    QVERIFY(drive());

    // A reply to the question's frame came too late, and a lost port cannot be retried: the
    // operation ends as failed without another frame.
    QCOMPARE(finished_, QList<bool>{false});
    QCOMPARE(int(link_->sent.size()), framesSent);
    QCOMPARE(prompt_.count(PromptId::PortLost), lost ? 1 : 0);
    QVERIFY(app_->Image[0] == 0xFF);
}

void TestCloneEngine::portLost_data()
{
    QTest::addColumn<int>("loseAfterFrame"); // the port vanishes once this frame has gone out
    QTest::addColumn<int>("failWriteAt");    // the port dies while this frame goes out
    QTest::addColumn<Shape>("identShape");
    QTest::addColumn<bool>("success");

    QTest::newRow("program mode requested") << 0 << -1 << Shape::Split << false;
    QTest::newRow("identification requested") << 1 << -1 << Shape::Split << false;
    QTest::newRow("blocks") << kReadFirstBlock + 100 << -1 << Shape::Split << false;
    QTest::newRow("end request sent") << kReadEnd << -1 << Shape::Split << true;
    QTest::newRow("end request after another model") << 2 << -1 << Shape::OtherModel << false;
    QTest::newRow("while sending program mode") << -1 << 0 << Shape::Split << false;
    QTest::newRow("while sending a block") << -1 << kReadFirstBlock + 7 << Shape::Split << false;
    // The end request never reached the radio: the read did not complete.
    QTest::newRow("while sending the end request") << -1 << kReadEnd << Shape::Split << false;
}

void TestCloneEngine::portLost()
{
    QFETCH(int, loseAfterFrame);
    QFETCH(int, failWriteAt);
    QFETCH(Shape, identShape);
    QFETCH(bool, success);

    radio_.shapes.insert(1, identShape);
    loseAfterFrame_ = loseAfterFrame;
    link_->failWriteAt = failWriteAt;
    QVERIFY(begin(kLinkRead, {}));
    QVERIFY(drive());
    // Anything still posted would be a second loss notice.
    QCoreApplication::sendPostedEvents();

    QCOMPARE(finished_, QList<bool>{success});
    QCOMPARE(prompt_.count(PromptId::PortLost), success ? 0 : 1);
    QCOMPARE(prompt_.count(PromptId::WrongModel), identShape == Shape::OtherModel ? 1 : 0);
    QVERIFY(!link_->isOpen());
    QVERIFY(!engine_->isBusy());
    for (const AskedPrompt& asked : prompt_.asked) {
        if (asked.id == PromptId::PortLost)
            QCOMPARE(asked.icon, PromptIcon::Critical);
    }
}

void TestCloneEngine::notStarted_data()
{
    QTest::addColumn<LinkOpenFailure>("openFailure");
    QTest::addColumn<PromptAnswer>("confirmation");
    QTest::addColumn<QList<PromptId>>("shown");

    QTest::newRow("port cannot be opened")
        << LinkOpenFailure::NotFound << PromptAnswer::Ok << QList<PromptId>{PromptId::PortOpenFailed};
    QTest::newRow("confirmation declined")
        << LinkOpenFailure::None << PromptAnswer::Cancel << QList<PromptId>{PromptId::ReadConfirm};
}

void TestCloneEngine::notStarted()
{
    QFETCH(LinkOpenFailure, openFailure);
    QFETCH(PromptAnswer, confirmation);
    QFETCH(QList<PromptId>, shown);

    link_->openFailure = openFailure;
    prompt_.answers = {confirmation};
    QVERIFY(!BeginRadioOperation(*app_, *engine_, prompt_, kLinkRead, QStringLiteral("fake")));
    QCOMPARE(prompt_.ids(), shown);
    QVERIFY(link_->sent.isEmpty());
    QVERIFY(!link_->isOpen());
    QVERIFY(!engine_->isBusy());
    QVERIFY(progress_.values.isEmpty());
    QCoreApplication::sendPostedEvents();
    QVERIFY(finished_.isEmpty());
}

void TestCloneEngine::lostDuringConfirmation()
{
    // Stray bytes and the loss arrive while the user still reads the confirmation.
    prompt_.onAsk = [this](const AskedPrompt& asked) {
        if (asked.id == PromptId::ReadConfirm) {
            link_->feed(LinkFrame::kProgramAck);
            link_->lose();
        }
        QCoreApplication::sendPostedEvents();
    };
    QVERIFY(begin(kLinkRead, {}));
    QVERIFY(drive());

    QCOMPARE(finished_, QList<bool>{false});
    QCOMPARE(prompt_.ids(), (QList<PromptId>{PromptId::ReadConfirm, PromptId::PortLost}));
    QVERIFY(link_->sent.isEmpty());
}

QTEST_GUILESS_MAIN(TestCloneEngine)
#include "tst_CloneEngine.moc"
