#pragma once

#include "PacedLine.h"
#include "image/MemoryImage.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

struct SimulatorOptions {
    QString imageFile;      // memory kept between runs; a missing file starts like no file
    bool erased = false;    // start from erased memory instead of the factory configuration
    int workMode = kModeHF; // the band whose factory configuration the radio starts with
    QString linkPath;
    QString model = QStringLiteral("MH5120");
    QString firmware = QStringLiteral("V200");
    int ignoreProgram = 0;       // program-mode requests left unanswered first
    int ignoreIdent = 0;         // identification requests left unanswered first
    int badChecksumAddress = -1; // the first data block for this address carries a wrong checksum
    int corruptAddress = -1;     // a written block holding this address is stored with this byte changed
    bool noEndAck = false;
    bool silent = false;
    int noise = 0;      // garbage bytes sent before every reply
    bool paced = false; // both directions at 9600 baud
};

// The memory of a radio fresh from the factory: the initial-setting template of its band
// (work mode), built by the same code that writes the template files.
MemoryImage FactoryMemory(int workMode);

// A radio on the master side of a pseudo-terminal: answers the clone protocol from a 16 KiB memory.
class RadioSimulator final : public QObject {
    Q_OBJECT
public:
    explicit RadioSimulator(SimulatorOptions options, QObject* parent = nullptr);
    ~RadioSimulator() override;

    // Opens the pseudo-terminal and loads the memory; false with a reason.
    bool start(QString& error);
    QString devicePath() const { return slavePath_; }
    // Writes the memory back to its file when a write changed it.
    bool persist();

private:
    void onMasterReadable();
    void onPaceTick();
    void armPaceTimer();
    int64_t nextDueNs() const; // the next byte due on either line
    void process(const QByteArray& bytes);
    bool handleOne(); // false when the buffer holds no complete frame
    void reply(const QByteArray& bytes);
    void sendNow(const QByteArray& bytes);
    static int64_t nowNs();

    SimulatorOptions options_;
    MemoryImage memory_{};
    bool dirty_ = false;
    bool badChecksumSent_ = false;
    int masterFd_ = -1;
    int slaveFd_ = -1;
    QString slavePath_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray received_;
    PacedLine inbound_;
    PacedLine outbound_;
    // Qt timers tick in whole milliseconds, a byte lasts 1.04 ms: a timerfd wakes at the
    // due time of each byte instead, so pacing adds no rounding of its own.
    int paceFd_ = -1;
    QSocketNotifier* paceNotifier_ = nullptr;
    int64_t armedForNs_ = PacedLine::kNever;
    // While a paced request is handled: when its last byte reached the radio.
    int64_t replyStartNs_ = -1;
};
