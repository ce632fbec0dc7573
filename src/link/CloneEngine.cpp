#include "link/CloneEngine.h"

#include "i18n/LinkTexts.h"
#include "i18n/Texts.h"
#include "link/LinkFrames.h"
#include "link/LinkProgress.h"

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

} // namespace

ModComm::ModComm(SerialLink& link, LinkTimer& waitTimer, UserPrompt& prompt, LinkProgress& progress, MemoryImage& image,
                 QObject* parent)
    : QObject(parent), link_(link), waitTimer_(waitTimer), prompt_(prompt), progress_(progress), image_(image)
{
    connect(&waitTimer_, &LinkTimer::timeout, this, &ModComm::onWaitTimeout);
    connect(&link_, &SerialLink::thresholdReached, this, &ModComm::onReceive);
    // Queued: the link may report its loss from inside one of our own calls to it.
    connect(&link_, &SerialLink::linkLost, this, &ModComm::onLinkLost, Qt::QueuedConnection);
}

int16_t& ModComm::operationState()
{
    return state_.LinkOperation == kLinkWrite ? state_.WriteState : state_.ReadState;
}

LinkOpenResult ModComm::open(int16_t operation, const QString& device)
{
    if (isBusy() || (operation != kLinkRead && operation != kLinkWrite)) {
        LinkOpenResult busy;
        busy.failure = LinkOpenFailure::InUse;
        return busy;
    }
    state_.LinkOperation = operation;
    operationState() = 0;
    state_.TransferEnd = operation == kLinkRead ? 0x3FFF : 0x3F3F;
    state_.BlockLength = 16;
    state_.CurrentAddress = -16;
    state_.ProgramResends = 0;
    state_.IdentResends = 0;
    state_.LastPercent = 0;
    state_.Radio = {};
    state_.PendingMessages.clear();
    linkLost_ = false;
    endSent_ = false;
    const LinkOpenResult result = link_.open(device);
    if (!result.opened()) {
        state_.LinkOperation = kLinkIdle;
        return result;
    }
    // The caller's confirmation comes next: until the link starts, bytes are not replies and a
    // loss of the port is only noted.
    prompting_ = true;
    return result;
}

void ModComm::cancel()
{
    if (!isBusy() || ending_)
        return;
    prompting_ = false;
    waitTimer_.stop();
    link_.close();
    state_.LinkOperation = kLinkIdle;
    state_.ReadState = 0;
    state_.WriteState = 0;
    linkLost_ = false;
}

void ModComm::startLink()
{
    if (ending_)
        return;
    // A port lost before the start shows itself when the first frame cannot go out.
    prompting_ = false;
    switch (state_.LinkOperation) {
    case kLinkRead:
        state_.ReadState = kStateProgramSent;
        state_.WriteState = 0;
        break;
    case kLinkWrite:
        state_.WriteState = kStateProgramSent;
        state_.ReadState = 0;
        break;
    default:
        state_.LinkOperation = kLinkIdle;
        state_.ReadState = 0;
        state_.WriteState = 0;
        return;
    }
    if (!progress_.isProgressVisible())
        progress_.showProgress(state_.LinkOperation);
    waitTimer_.start();
    sendFrame(LinkFrame::kProgramRequest, kProgramAckLength);
}

bool ModComm::sendFrame(const QByteArray& frame, int replyLength)
{
    if (link_.isOpen()) {
        link_.setReceiveThreshold(replyLength);
        link_.discardBuffers();
        if (link_.write(frame))
            return true;
        link_.close();
    }
    // Never wait for the answer to a frame that could not go out; the loss ends the operation.
    waitTimer_.stop();
    QMetaObject::invokeMethod(this, &ModComm::onLinkLost, Qt::QueuedConnection);
    return false;
}

void ModComm::onReceive()
{
    // While a question is open the answer decides what happens; whatever arrives meanwhile is
    // discarded with the next frame.
    if (!isBusy() || prompting_ || ending_)
        return;
    if (!classifyReply(link_.readAll()))
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
        state_.Radio.model = LinkFrame::ModelText(QString::fromLatin1(reply.mid(1, 7)));
        state_.Radio.firmware = QString::fromLatin1(reply.mid(9, 4));
        return true;
    }
    if (size >= 4 && bytes[0] == LinkFrame::kDataBlock) {
        const int address = bytes[1] * 256 + bytes[2];
        const int length = bytes[3];
        if (address != state_.CurrentAddress || length != state_.BlockLength)
            return false;
        if (size != length + LinkFrame::kBlockOverhead || bytes[size - 1] != LinkFrame::kAck)
            return false;
        if (LinkFrame::Checksum(address, length, bytes + 4) != bytes[4 + length])
            return false;
        if (address < 0 || address + length > kImageSize)
            return false;
        std::memcpy(image_.data() + address, bytes + 4, size_t(length));
        updateProgress();
        return true;
    }
    return false;
}

void ModComm::onAccepted()
{
    waitTimer_.stop();
    const int16_t operation = state_.LinkOperation;
    if (operation != kLinkRead && operation != kLinkWrite) {
        endLink(false);
        return;
    }
    int16_t& state = operationState();
    const int16_t blockState = operation == kLinkRead ? kStateReadBlocks : kStateWriteBlocks;
    switch (state) {
    case kStateProgramSent:
        state = kStateIdentSent;
        waitTimer_.start();
        sendFrame(QByteArray(1, char(LinkFrame::kIdentRequest)), LinkFrame::kIdentLength);
        break;
    case kStateIdentSent: {
        const bool passed = checkIdentity();
        if (linkLost_) {
            onLinkLost();
            return;
        }
        if (!link_.isOpen()) {
            // The check handed the port to another program: nothing more goes out.
            endLink(false);
            return;
        }
        if (!passed) {
            state = kStateEndAfterRefusal;
            sendEndAfterFailedIdentity();
        } else {
            state = blockState;
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
    waitTimer_.stop();
    if (!identityCheck_)
        return true;
    prompting_ = true;
    const IdentityVerdict verdict = identityCheck_(state_.Radio);
    prompting_ = false;
    for (const PendingMessage& message : verdict.messages)
        addPending(message);
    return verdict.passed;
}

void ModComm::addPending(const PendingMessage& message)
{
    if (state_.PendingMessages.size() < kMaxPendingMessages)
        state_.PendingMessages.append(message);
}

void ModComm::requestNextBlock()
{
    state_.CurrentAddress = int16_t(state_.CurrentAddress + state_.BlockLength);
    if (state_.CurrentAddress >= state_.TransferEnd) {
        finishTransfer();
        return;
    }
    waitTimer_.start();
    sendFrame(LinkFrame::ReadRequest(state_.CurrentAddress, state_.BlockLength),
              state_.BlockLength + LinkFrame::kBlockOverhead);
}

void ModComm::sendNextBlock()
{
    state_.CurrentAddress = int16_t(state_.CurrentAddress + state_.BlockLength);
    if (state_.CurrentAddress >= state_.TransferEnd) {
        finishTransfer();
        return;
    }
    const QByteArray block = LinkFrame::DataBlock(image_, state_.CurrentAddress, state_.BlockLength);
    if (block.isEmpty()) {
        endLink(false);
        return;
    }
    updateProgress();
    waitTimer_.start();
    sendFrame(block, kAckLength);
}

void ModComm::finishTransfer()
{
    operationState() = kStateEndSent;
    waitTimer_.start();
    // Only an end request that actually went out makes a later silence or loss a success.
    endSent_ = sendFrame(LinkFrame::kEndRequest, kAckLength);
}

void ModComm::sendEndAfterFailedIdentity()
{
    waitTimer_.start();
    sendFrame(LinkFrame::kEndRequest, kAckLength);
}

void ModComm::onWaitTimeout()
{
    waitTimer_.stop();
    if (!isBusy() || prompting_ || ending_)
        return;
    switch (operationState()) {
    case kStateProgramSent:
        if (state_.ProgramResends == 0) {
            state_.ProgramResends = 1;
            startLink();
        } else {
            state_.ProgramResends = 0;
            askRetry();
        }
        break;
    case kStateIdentSent:
        if (state_.IdentResends == 0) {
            state_.IdentResends = 1;
            waitTimer_.start();
            sendFrame(QByteArray(1, char(LinkFrame::kIdentRequest)), LinkFrame::kIdentLength);
        } else {
            state_.IdentResends = 0;
            askRetry();
        }
        break;
    case kStateReadBlocks:
    case kStateWriteBlocks:
        askRestart();
        break;
    case kStateEndSent:
        endLink(endSent_); // the end request needs no acknowledgement
        break;
    default:
        endLink(false);
        break;
    }
}

void ModComm::askRetry()
{
    prompting_ = true;
    const PromptAnswer answer = prompt_.ask(PromptId::CheckConnection, Text(Msg::CheckConnection, language_),
                                            PromptButtons::RetryCancel, PromptIcon::None);
    prompting_ = false;
    if (linkLost_) {
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
    prompting_ = true;
    const PromptAnswer answer = prompt_.ask(PromptId::CheckConnection, Text(Msg::CheckConnection, language_),
                                            PromptButtons::OkCancel, PromptIcon::Question);
    prompting_ = false;
    if (linkLost_) {
        onLinkLost();
        return;
    }
    if (answer != PromptAnswer::Ok) {
        endLink(false);
        return;
    }
    state_.ProgramResends = 0;
    state_.IdentResends = 0;
    startLink();
    state_.CurrentAddress = int16_t(-state_.BlockLength);
    progress_.setProgressValue(0);
    state_.LastPercent = 0;
}

void ModComm::updateProgress()
{
    const int percent = LinkFrame::ProgressPercent(state_.CurrentAddress, state_.TransferEnd);
    if (percent - state_.LastPercent < 1)
        return;
    state_.LastPercent = int16_t(percent);
    if (progress_.isProgressVisible())
        progress_.setProgressValue(percent);
}

void ModComm::onLinkLost()
{
    // A failing port may report its loss more than once; only the first notice of a running
    // operation counts, and none while its end is being shown.
    if (!isBusy() || ending_)
        return;
    linkLost_ = true;
    if (prompting_)
        return; // taken up once the question is answered
    // After the end request went out the transfer is complete; its acknowledgement is not needed.
    const bool transferDone = operationState() == kStateEndSent && endSent_;
    if (transferDone)
        linkLost_ = false;
    endLink(transferDone);
}

void ModComm::endLink(bool success)
{
    if (!isBusy() || ending_)
        return;
    ending_ = true;
    progress_.hideProgress();
    waitTimer_.stop();
    link_.close();

    const QList<PendingMessage> pending = state_.PendingMessages;
    state_.PendingMessages.clear();
    for (const PendingMessage& message : pending)
        prompt_.tell(message.id, message.text);
    if (linkLost_ && !success)
        prompt_.tell(PromptId::PortLost, LinkText(LinkMsg::PortLost, language_), PromptIcon::Critical);

    state_.LinkOperation = kLinkIdle;
    state_.ReadState = 0;
    state_.WriteState = 0;
    linkLost_ = false;
    endSent_ = false;
    ending_ = false;
    emit finished(success);
}
