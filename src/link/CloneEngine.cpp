#include "link/CloneEngine.h"

#include "session/AppState.h"
#include "session/UserPrompt.h"
#include "files/VersionTable.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"
#include "link/LinkFrames.h"
#include "link/LinkProgress.h"
#include "link/LinkTexts.h"
#include "link/PortDirectory.h"
#include "link/SerialLink.h"

#include <cstring>

namespace {

constexpr int16_t kStateProgramSent = 1;
constexpr int16_t kStateIdentSent = 3;
constexpr int16_t kStateWriteBlocks = 4;
constexpr int16_t kStateReadBlocks = 5;
constexpr int16_t kStateEndSent = 69;
constexpr int16_t kStateEndAfterRefusal = 70;

constexpr int kProgramAckLength = 3;
constexpr int kAckLength = 1;

// The model text as the radio and the document compare it: up to the first NUL, without trailing blanks.
QString ModelText(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// Starting another version closes our port first, as that version will want it.
class PortClosingLauncher final : public ProgramLauncher {
public:
    PortClosingLauncher(SerialLink& link, ProgramLauncher& inner, bool& attempted)
        : m_link(link), m_inner(inner), m_attempted(attempted)
    {
    }
    bool start(const QString& path) override
    {
        m_attempted = true;
        m_link.close();
        return m_inner.start(path);
    }
    void exitNow() override { m_inner.exitNow(); }

private:
    SerialLink& m_link;
    ProgramLauncher& m_inner;
    bool& m_attempted;
};

} // namespace

ModComm::ModComm(AppState& app, SerialLink& link, UserPrompt& prompt, LinkProgress& progress,
                 ProgramLauncher& launcher, QObject* parent)
    : QObject(parent), m_app(app), m_link(link), m_prompt(prompt), m_progress(progress), m_launcher(launcher)
{
    m_waitTimer.setSingleShot(true);
    m_waitTimer.setTimerType(Qt::PreciseTimer);
    m_waitTimer.setInterval(kWaitTimerInterval);
    connect(&m_waitTimer, &QTimer::timeout, this, &ModComm::onWaitTimeout);
    connect(&m_link, &SerialLink::thresholdReached, this, &ModComm::onReceive);
    // Queued: the link may report its loss from inside one of our own calls to it.
    connect(&m_link, &SerialLink::linkLost, this, &ModComm::onLinkLost, Qt::QueuedConnection);
}

void ModComm::setPortDevice(const QString& device)
{
    m_portDevice = device;
    m_portDeviceSet = true;
}

bool ModComm::startRead()
{
    return startOperation(kLinkRead);
}

bool ModComm::startWrite()
{
    return startOperation(kLinkWrite);
}

int16_t& ModComm::operationState()
{
    return m_state.LinkOperation == kLinkWrite ? m_state.WriteState : m_state.ReadState;
}

bool ModComm::startOperation(int16_t operation)
{
    if (isBusy())
        return false;
    const int language = m_app.Settings.LanguageIndex;
    m_state.LinkOperation = operation;
    operationState() = 0;
    m_linkLost = false;
    m_launchAttempted = false;
    if (!openCommPort()) {
        m_state.LinkOperation = kLinkIdle;
        return false;
    }
    m_prompting = true;
    const PromptAnswer answer = m_prompt.ask(operation == kLinkRead ? PromptId::ReadConfirm : PromptId::WriteConfirm,
                         Text(operation == kLinkRead ? Msg::ReadConfirm : Msg::WriteConfirm, language),
                                             PromptButtons::OkCancel, PromptIcon::Question);
    m_prompting = false;
    if (answer != PromptAnswer::Ok) {
        m_link.close();
        m_state.LinkOperation = kLinkIdle;
        m_linkLost = false;
        return false;
    }
    InitImage(m_app.Image);
    if (operation == kLinkWrite)
        EncodeDocument(m_app.Doc, m_app.Image);
    m_progress.showProgress(operation);
    startLink();
    return true;
}

QString ModComm::portDevice() const
{
    if (m_portDeviceSet)
        return m_portDevice;
    if (m_app.Settings.comPort < 1)
        return {};
    PortDirectory directory(m_app.Paths.settingsFile());
    return ResolvePortArgument(QStringLiteral("COM") + QString::number(m_app.Settings.comPort), directory);
}

bool ModComm::openCommPort()
{
    m_state.TransferEnd = m_state.LinkOperation == kLinkRead ? 0x3FFF : 0x3F3F;
    m_state.BlockLength = 16;
    m_state.CurrentAddress = -16;
    m_state.ProgramResends = 0;
    m_state.IdentResends = 0;
    m_state.LastPercent = 0;
    const LinkOpenResult result = m_link.open(portDevice());
    if (result.opened())
        return true;
    m_prompt.ask(PromptId::PortOpenFailed, OpenFailureText(result, m_app.Settings.LanguageIndex), PromptButtons::Ok, PromptIcon::Critical);
    return false;
}

void ModComm::startLink()
{
    switch (m_state.LinkOperation) {
    case kLinkRead:
        m_state.ReadState = kStateProgramSent;
        m_state.WriteState = 0;
        break;
    case kLinkWrite:
        m_state.WriteState = kStateProgramSent;
        m_state.ReadState = 0;
        break;
    default:
        m_state.LinkOperation = kLinkIdle;
        m_state.ReadState = 0;
        m_state.WriteState = 0;
        return;
    }
    m_waitTimer.start();
    sendFrame(LinkFrame::kProgramRequest, kProgramAckLength);
}

void ModComm::sendFrame(const QByteArray& frame, int replyLength)
{
    if (m_link.isOpen()) {
        m_link.setReceiveThreshold(replyLength);
        m_link.discardBuffers();
        if (m_link.write(frame))
            return;
        m_link.close();
    }
    // Never wait for the answer to a frame that could not go out; the loss ends the operation.
    m_waitTimer.stop();
    QMetaObject::invokeMethod(this, &ModComm::onLinkLost, Qt::QueuedConnection);
}

void ModComm::onReceive()
{
    // While a question is open the answer decides what happens; whatever arrives meanwhile is
    // discarded with the next frame.
    if (!isBusy() || m_prompting)
        return;
    if (!classifyReply(m_link.readAll()))
        return;
    onAccepted();
}

bool ModComm::classifyReply(const QByteArray& reply)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(reply.constData());
    const int size = int(reply.size());
    if (size == 1 && bytes[0] == LinkFrame::kAck)
        return true;
    if (reply == LinkFrame::kProgramAck)
        return true;
    if (size == LinkFrame::kIdentLength && bytes[0] == LinkFrame::kIdentReply) {
        m_state.RadioModel = ModelText(QString::fromLatin1(reply.mid(1, 7)));
        m_app.DocState.RadioFwVersion = QString::fromLatin1(reply.mid(9, 4));
        return true;
    }
    if (size >= 4 && bytes[0] == LinkFrame::kDataBlock) {
        const int address = bytes[1] * 256 + bytes[2];
        const int length = bytes[3];
        if (address != m_state.CurrentAddress || length != m_state.BlockLength)
            return false;
        if (size != length + LinkFrame::kBlockOverhead || bytes[size - 1] != LinkFrame::kAck)
            return false;
        if (LinkFrame::Checksum(address, length, bytes + 4) != bytes[4 + length])
            return false;
        if (address < 0 || address + length > kImageSize)
            return false;
        std::memcpy(m_app.Image.data() + address, bytes + 4, size_t(length));
        updateProgress();
        return true;
    }
    return false;
}

void ModComm::onAccepted()
{
    m_waitTimer.stop();
    const int16_t operation = m_state.LinkOperation;
    if (operation != kLinkRead && operation != kLinkWrite) {
        endLink(false);
        return;
    }
    int16_t& state = operationState();
    const int16_t blockState = operation == kLinkRead ? kStateReadBlocks : kStateWriteBlocks;
    switch (state) {
    case kStateProgramSent:
        state = kStateIdentSent;
        m_waitTimer.start();
        sendFrame(QByteArray(1, char(LinkFrame::kIdentRequest)), LinkFrame::kIdentLength);
        break;
    case kStateIdentSent: {
        const bool passed = checkIdentity();
        if (m_launchAttempted) {
            endLink(false);
            return;
        }
        if (m_linkLost) {
            onLinkLost();
            return;
        }
        if (!passed) {
            operationState() = kStateEndAfterRefusal;
            sendEndAfterFailedIdentity();
        } else {
            operationState() = blockState;
            operation == kLinkRead ? requestNextBlock() : sendNextBlock();
        }
        break;
    }
    case kStateReadBlocks:
    case kStateWriteBlocks:
        if (state != blockState) {
            endLink(false);
            return;
        }
        operation == kLinkRead ? requestNextBlock() : sendNextBlock();
        break;
    case kStateEndSent:
        endLink(true);
        break;
    default:
        endLink(false);
        break;
    }
}

bool ModComm::checkIdentity()
{
    m_waitTimer.stop();
    const int language = m_app.Settings.LanguageIndex;
    const QString& firmware = m_app.DocState.RadioFwVersion;
    const bool modelMatches = ModelText(m_app.DocState.CurModel) == m_state.RadioModel;
    const bool versionMatches = IsCompatibleVersion(m_app.Versions, kProgVersion, firmware);
    if (modelMatches && versionMatches)
        return true;
    if (!modelMatches) {
        if (m_state.PendingMessages.size() < kMaxPendingMessages)
            m_state.PendingMessages.append({PromptId::WrongModel, Text(Msg::ModelWrong, language)});
        return false;
    }
    m_prompting = true;
    const PromptAnswer answer =
        m_prompt.ask(PromptId::StartOtherVersion, BuildVersionMessage(kProgVersion, firmware, 0, language), PromptButtons::YesNo, PromptIcon::None);
    if (answer == PromptAnswer::Yes) {
        PortClosingLauncher launcher(m_link, m_launcher, m_launchAttempted);
        if (!LaunchVersion(m_app.Versions, m_app.Paths, firmware, m_prompt, language, launcher)
            && m_state.PendingMessages.size() < kMaxPendingMessages)
            m_state.PendingMessages.append({PromptId::StartFailed, LinkText(LinkMsg::LaunchFailed, language)});
    }
    m_prompting = false;
    return false;
}

void ModComm::requestNextBlock()
{
    m_state.CurrentAddress = int16_t(m_state.CurrentAddress + m_state.BlockLength);
    if (m_state.CurrentAddress >= m_state.TransferEnd) {
        finishTransfer();
        return;
    }
    m_waitTimer.start();
    sendFrame(LinkFrame::ReadRequest(m_state.CurrentAddress, m_state.BlockLength),
              m_state.BlockLength + LinkFrame::kBlockOverhead);
}

void ModComm::sendNextBlock()
{
    m_state.CurrentAddress = int16_t(m_state.CurrentAddress + m_state.BlockLength);
    if (m_state.CurrentAddress >= m_state.TransferEnd) {
        finishTransfer();
        return;
    }
    const QByteArray block = LinkFrame::DataBlock(m_app.Image, m_state.CurrentAddress, m_state.BlockLength);
    if (block.isEmpty()) {
        endLink(false);
        return;
    }
    updateProgress();
    m_waitTimer.start();
    sendFrame(block, kAckLength);
}

void ModComm::finishTransfer()
{
    operationState() = kStateEndSent;
    m_waitTimer.start();
    sendFrame(LinkFrame::kEndRequest, kAckLength);
}

void ModComm::sendEndAfterFailedIdentity()
{
    m_waitTimer.start();
    sendFrame(LinkFrame::kEndRequest, kAckLength);
}

void ModComm::onWaitTimeout()
{
    m_waitTimer.stop();
    if (!isBusy())
        return;
    const int16_t state = operationState();
    switch (state) {
    case kStateProgramSent:
        if (m_state.ProgramResends == 0) {
            m_state.ProgramResends = 1;
            startLink();
        } else {
            m_state.ProgramResends = 0;
            askRetry();
        }
        break;
    case kStateIdentSent:
        if (m_state.IdentResends == 0) {
            m_state.IdentResends = 1;
            m_waitTimer.start();
            sendFrame(QByteArray(1, char(LinkFrame::kIdentRequest)), LinkFrame::kIdentLength);
        } else {
            m_state.IdentResends = 0;
            askRetry();
        }
        break;
    case kStateReadBlocks:
    case kStateWriteBlocks:
        askRestart();
        break;
    case kStateEndSent:
        endLink(true); // the end request needs no acknowledgement
        break;
    default:
        endLink(false);
        break;
    }
}

void ModComm::askRetry()
{
    m_prompting = true;
    const PromptAnswer answer = m_prompt.ask(PromptId::CheckConnection, Text(Msg::CheckConnection, m_app.Settings.LanguageIndex),
                                             PromptButtons::RetryCancel, PromptIcon::None);
    m_prompting = false;
    if (m_linkLost) {
        onLinkLost();
        return;
    }
    if (answer == PromptAnswer::Retry)
        startLink();
    else
        endLink(false);
}

void ModComm::askRestart()
{
    m_prompting = true;
    const PromptAnswer answer = m_prompt.ask(PromptId::CheckConnection, Text(Msg::CheckConnection, m_app.Settings.LanguageIndex),
                                             PromptButtons::OkCancel, PromptIcon::Question);
    m_prompting = false;
    if (m_linkLost) {
        onLinkLost();
        return;
    }
    if (answer != PromptAnswer::Ok) {
        endLink(false);
        return;
    }
    m_state.ProgramResends = 0;
    m_state.IdentResends = 0;
    startLink();
    m_state.CurrentAddress = int16_t(-m_state.BlockLength);
    m_progress.setProgressValue(0);
    m_state.LastPercent = 0;
}

void ModComm::updateProgress()
{
    const int percent = LinkFrame::ProgressPercent(m_state.CurrentAddress, m_state.TransferEnd);
    if (percent - m_state.LastPercent < 1)
        return;
    m_state.LastPercent = int16_t(percent);
    if (m_progress.isProgressVisible())
        m_progress.setProgressValue(percent);
}

void ModComm::onLinkLost()
{
    if (!isBusy())
        return;
    m_linkLost = true;
    if (m_prompting)
        return; // taken up once the question is answered
    // After the end request the transfer is complete; its acknowledgement is not needed.
    const bool transferDone = operationState() == kStateEndSent;
    if (transferDone)
        m_linkLost = false;
    endLink(transferDone);
}

void ModComm::endLink(bool success)
{
    if (!isBusy())
        return;
    const int language = m_app.Settings.LanguageIndex;
    const int16_t operation = m_state.LinkOperation;
    m_progress.hideProgress();
    m_waitTimer.stop();
    m_link.close();

    const QList<PendingMessage> pending = m_state.PendingMessages;
    m_state.PendingMessages.clear();
    for (const PendingMessage& message : pending)
        m_prompt.tell(message.id, message.text);
    if (m_linkLost && !success)
        m_prompt.tell(PromptId::PortLost, LinkText(LinkMsg::PortLost, language), PromptIcon::Critical);

    if (success && operation == kLinkRead) {
        emit documentAboutToBeReplaced();
        DecodeImage(m_app.Image, m_app.Doc, m_app.DocState);
        m_app.DocState.DocPath = kNewDocPath;
        m_app.DocState.IsNewDoc = -1;
        emit documentReplaced();
    }
    if (success)
        m_prompt.tell(PromptId::Completed, CompletedText(operation, language));

    m_state.LinkOperation = kLinkIdle;
    m_state.ReadState = 0;
    m_state.WriteState = 0;
    m_linkLost = false;
    emit finished(success);
}
