#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QList>
#include <QTimer>

#include <cstdint>

struct AppState;
class LinkProgress;
class ProgramLauncher;
class SerialLink;
class UserPrompt;
enum class PromptId;

enum LinkOperationKind : int16_t { kLinkIdle = 0, kLinkRead = 1, kLinkWrite = 2 };

// A message held back until the operation has ended and the progress window is gone.
struct PendingMessage {
    PromptId id;
    QString text;
};

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
    QString RadioModel;
    QList<PendingMessage> PendingMessages;
};

constexpr int kWaitTimerInterval = 300; // ms, for every frame
constexpr int kMaxPendingMessages = 1001;

// The clone protocol engine: copies the radio's memory image between the radio and
// app.Image over a serial link, driven only by the link's receive event and WaitTimer.
// Every question goes through the UserPrompt, the progress through LinkProgress.
class ModComm : public QObject {
    Q_OBJECT
public:
    ModComm(AppState& app, SerialLink& link, UserPrompt& prompt, LinkProgress& progress,
            ProgramLauncher& launcher, QObject* parent = nullptr);

    // The device to open; by default the device mapped to app.Settings.comPort.
    void setPortDevice(const QString& device);

    // Both return true when the operation is under way (finished() follows), false when the
    // port could not be opened or the user declined.
    bool startRead();
    bool startWrite();

    const LinkState& state() const { return m_state; }
    bool isBusy() const { return m_state.LinkOperation != kLinkIdle; }

signals:
    // Around the decode of a successful read into app.Doc: windows showing the old document close
    // before it, the channel window reopens after it.
    void documentAboutToBeReplaced();
    void documentReplaced();
    // Emitted last, after every message of the operation has been shown.
    void finished(bool success);

private:
    bool startOperation(int16_t operation);
    bool openCommPort();
    QString portDevice() const;
    void startLink();
    void sendFrame(const QByteArray& frame, int replyLength);
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
    int16_t& operationState();

    AppState& m_app;
    SerialLink& m_link;
    UserPrompt& m_prompt;
    LinkProgress& m_progress;
    ProgramLauncher& m_launcher;
    LinkState m_state;
    QTimer m_waitTimer; // WaitTimer
    QString m_portDevice;
    bool m_portDeviceSet = false;
    bool m_prompting = false;
    bool m_linkLost = false;
    bool m_launchAttempted = false;
};
