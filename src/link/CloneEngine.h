#pragma once

#include "image/MemoryImage.h"
#include "link/LinkTimer.h"
#include "link/SerialLink.h"
#include "session/UserPrompt.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class LinkProgress;

enum LinkOperationKind : int16_t { kLinkIdle = 0, kLinkRead = 1, kLinkWrite = 2 };

// A message held back until the operation has ended and the port is closed.
struct PendingMessage {
    PromptId id;
    QString text;
};

// Who the radio says it is: the model text (cut at its first NUL, trailing blanks removed)
// and the firmware version code as sent.
struct RadioIdentity {
    QString model;
    QString firmware;
};

// The caller's verdict on a radio's identity. A refusal may leave a message that is shown
// once the port is closed. A caller that closes the port while deciding (to hand it to
// another program) ends the operation as failed without the end request.
struct IdentityVerdict {
    bool passed = false;
    QList<PendingMessage> messages;
};
using IdentityCheck = std::function<IdentityVerdict(const RadioIdentity&)>;

// The state of one radio operation; names as the protocol description uses them.
struct LinkState {
    int16_t LinkOperation = kLinkIdle;
    int16_t ReadState = 0;
    int16_t WriteState = 0;
    int16_t CurrentAddress = -16;
    int16_t BlockLength = 16;
    int16_t TransferEnd = 0x3FFF;
    int16_t LastPercent = 0;
    int16_t ProgramResends = 0;
    int16_t IdentResends = 0;
    RadioIdentity Radio;
    QList<PendingMessage> PendingMessages;
};

constexpr int kMaxPendingMessages = 1001;

// The clone protocol engine ModComm: moves the memory image between the radio and `image`
// over a serial link, driven only by the link's receive event and WaitTimer. It asks whether
// to retry a silent radio, reports the radio's identity to the caller's check and shows the
// messages of the link; the confirmation before a transfer, preparing the image, decoding it
// afterwards and starting another version are the caller's.
//
// A caller runs: open() -> (its confirmation; cancel() on No) -> startLink() -> finished().
class ModComm : public QObject {
    Q_OBJECT
public:
    ModComm(SerialLink& link, LinkTimer& waitTimer, UserPrompt& prompt, LinkProgress& progress, MemoryImage& image,
            QObject* parent = nullptr);

    // Language of the engine's own messages.
    void setLanguage(int language) { language_ = language; }
    // Without a check every identity passes.
    void setIdentityCheck(IdentityCheck check) { identityCheck_ = std::move(check); }

    // OpenCommPort: sets up the transfer window for `operation` (kLinkRead or kLinkWrite) and
    // opens the port. On failure the engine is idle again and nothing was shown.
    LinkOpenResult open(int16_t operation, const QString& device);
    // After a declined confirmation: closes the port, idle again, no finished().
    void cancel();
    // Shows the progress and sends the program-mode request; finished() follows.
    void startLink();

    const LinkState& state() const { return state_; }
    bool isBusy() const { return state_.LinkOperation != kLinkIdle; }
    const RadioIdentity& radioIdentity() const { return state_.Radio; }

signals:
    // Emitted exactly once per started operation, after the port is closed, the progress
    // hidden and every held-back message shown; the engine is idle again.
    void finished(bool success);

private:
    bool sendFrame(const QByteArray& frame, int replyLength);
    void onReceive();
    bool classifyReply(const QByteArray& reply);
    void onAccepted();
    void onWaitTimeout();
    bool checkIdentity();
    void requestNextBlock();
    void sendNextBlock();
    void finishTransfer();
    void sendEndAfterFailedIdentity();
    void askRetry();
    void askRestart();
    void updateProgress();
    void onLinkLost();
    void endLink(bool success);
    void addPending(const PendingMessage& message);
    int16_t& operationState();

    SerialLink& link_;
    LinkTimer& waitTimer_; // WaitTimer
    UserPrompt& prompt_;
    LinkProgress& progress_;
    MemoryImage& image_;
    IdentityCheck identityCheck_;
    int language_ = 1;
    LinkState state_;
    bool prompting_ = false; // a question is open (the engine's, or the caller's confirmation)
    bool linkLost_ = false;  // the port was lost; acted on once the open question is answered
    bool endSent_ = false;   // "END" has actually gone out on the line
    bool ending_ = false;    // endLink is running (its messages may run a nested event loop)
};
