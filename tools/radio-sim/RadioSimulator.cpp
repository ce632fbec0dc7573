#include "RadioSimulator.h"

#include "document/Clock.h"
#include "document/RadioDocumentOps.h"
#include "link/LinkFrames.h"

#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

MemoryImage FactoryMemory(int workMode)
{
    // As the template files are made: the default document in the band's work mode, taken
    // through the saved copy as loading the template would give it.
    DocumentState state;
    state.BandText = BandTextOf(workMode);
    ParseBandLimits(state);
    auto doc = std::make_unique<RadioDocument>();
    auto saved = std::make_unique<RadioDocument>();
    BuildDefaultDocument(*doc, state, SystemClock());
    doc->Data.WorkMode = static_cast<int16_t>(workMode);
    DocumentToSaved(*doc, *saved, state);

    MemoryImage memory;
    InitImage(memory);
    EncodeDocument(*saved, memory);
    return memory;
}

RadioSimulator::RadioSimulator(SimulatorOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options))
{
    if (options_.erased)
        memory_.fill(0xFF);
    else
        memory_ = FactoryMemory(options_.workMode);
}

namespace {
constexpr int64_t kWakeEarlyNs = 300000;
} // namespace

int64_t RadioSimulator::nowNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

RadioSimulator::~RadioSimulator()
{
    if (paceFd_ >= 0)
        ::close(paceFd_);
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
    if (masterFd_ >= 0)
        ::close(masterFd_);
    if (!options_.linkPath.isEmpty())
        QFile::remove(options_.linkPath);
}

bool RadioSimulator::start(QString& error)
{
    if (!options_.imageFile.isEmpty() && QFile::exists(options_.imageFile)) {
        QFile file(options_.imageFile);
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1").arg(options_.imageFile);
            return false;
        }
        const QByteArray bytes = file.read(kImageSize + 1);
        if (bytes.size() != kImageSize) {
            error = QStringLiteral("%1 is not a %2-byte memory image").arg(options_.imageFile).arg(kImageSize);
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(memory_.data()));
    }

    masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (masterFd_ < 0 || ::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0) {
        error = QStringLiteral("cannot create a pseudo-terminal");
        return false;
    }
    const char* name = ::ptsname(masterFd_);
    if (!name) {
        error = QStringLiteral("cannot name the pseudo-terminal");
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    // Holding the slave open keeps the master from reporting a hang-up each time the
    // programming side closes its port; raw mode keeps the line from echoing before it opens.
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slaveFd_ >= 0) {
        termios settings{};
        if (::tcgetattr(slaveFd_, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(slaveFd_, TCSANOW, &settings);
        }
    }
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);

    if (!options_.linkPath.isEmpty()) {
        QFile::remove(options_.linkPath);
        if (!QFile::link(slavePath_, options_.linkPath)) {
            error = QStringLiteral("cannot create the link %1").arg(options_.linkPath);
            return false;
        }
    }
    if (options_.paced) {
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL); // the kernel's default slack is 50 us
        paceFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (paceFd_ < 0) {
            error = QStringLiteral("cannot create a timer for pacing");
            return false;
        }
        paceNotifier_ = new QSocketNotifier(paceFd_, QSocketNotifier::Read, this);
        connect(paceNotifier_, &QSocketNotifier::activated, this, &RadioSimulator::onPaceTick);
    }
    notifier_ = new QSocketNotifier(masterFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &RadioSimulator::onMasterReadable);
    return true;
}

bool RadioSimulator::persist()
{
    if (!dirty_ || options_.imageFile.isEmpty())
        return true;
    QSaveFile file(options_.imageFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(reinterpret_cast<const char*>(memory_.data()), kImageSize);
    if (!file.commit())
        return false;
    dirty_ = false;
    return true;
}

void RadioSimulator::onMasterReadable()
{
    char buffer[4096];
    const ssize_t count = ::read(masterFd_, buffer, sizeof buffer);
    if (count <= 0)
        return;
    const QByteArray bytes(buffer, count);
    if (options_.silent)
        return;
    if (options_.paced) {
        inbound_.push(nowNs(), bytes);
        armPaceTimer();
        return;
    }
    process(bytes);
}

void RadioSimulator::onPaceTick()
{
    uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t drained = ::read(paceFd_, &expirations, sizeof expirations);
    armedForNs_ = PacedLine::kNever;
    // The timer goes off a little early, and the last stretch is waited out awake: waking
    // from sleep takes a varying fraction of a millisecond, and a late final byte would
    // count against the program under test.
    const int64_t due = nextDueNs();
    if (due != PacedLine::kNever) {
        while (nowNs() < due) {
        }
    }
    const int64_t now = nowNs();
    int64_t arrivedAt = now;
    const QByteArray arrived = inbound_.takeDue(now, &arrivedAt);
    if (!arrived.isEmpty()) {
        replyStartNs_ = arrivedAt;
        process(arrived);
        replyStartNs_ = -1;
    }
    const QByteArray leaving = outbound_.takeDue(nowNs());
    if (!leaving.isEmpty())
        sendNow(leaving);
    armPaceTimer();
}

int64_t RadioSimulator::nextDueNs() const
{
    return std::min(inbound_.nextDueNs(), outbound_.nextDueNs());
}

void RadioSimulator::armPaceTimer()
{
    const int64_t next = nextDueNs();
    if (next == armedForNs_)
        return;
    itimerspec when{};
    if (next != PacedLine::kNever) {
        const int64_t wake = std::max<int64_t>(next - kWakeEarlyNs, 1);
        when.it_value.tv_sec = time_t(wake / 1000000000LL);
        when.it_value.tv_nsec = long(wake % 1000000000LL);
    }
    // A zero value disarms; an absolute time already past fires at once.
    ::timerfd_settime(paceFd_, TFD_TIMER_ABSTIME, &when, nullptr);
    armedForNs_ = next;
}

void RadioSimulator::process(const QByteArray& bytes)
{
    received_.append(bytes);
    while (!received_.isEmpty() && handleOne()) {
    }
}

namespace {

// Whether `buffer` starts with `word`, could still become it, or cannot.
enum class Prefix { Complete, Partial, Mismatch };
Prefix MatchWord(const QByteArray& buffer, const QByteArray& word)
{
    if (buffer.startsWith(word))
        return Prefix::Complete;
    return word.startsWith(buffer) ? Prefix::Partial : Prefix::Mismatch;
}

} // namespace

bool RadioSimulator::handleOne()
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(received_.constData());
    const int size = int(received_.size());
    switch (bytes[0]) {
    case 'P':
    case 'E': {
        const bool program = bytes[0] == 'P';
        const QByteArray& word = program ? LinkFrame::kProgramRequest : LinkFrame::kEndRequest;
        const Prefix match = MatchWord(received_, word);
        if (match == Prefix::Partial)
            return false;
        if (match == Prefix::Mismatch)
            break;
        received_.remove(0, word.size());
        if (program) {
            if (options_.ignoreProgram > 0)
                --options_.ignoreProgram;
            else
                reply(LinkFrame::kProgramAck);
        } else {
            persist();
            if (!options_.noEndAck)
                reply(QByteArray(1, char(LinkFrame::kAck)));
        }
        return true;
    }
    case LinkFrame::kIdentRequest: {
        received_.remove(0, 1);
        if (options_.ignoreIdent > 0) {
            --options_.ignoreIdent;
            return true;
        }
        QByteArray ident(LinkFrame::kIdentLength, '\0');
        ident[0] = char(LinkFrame::kIdentReply);
        const QByteArray model = options_.model.toLatin1().left(7).leftJustified(7, ' ');
        const QByteArray firmware = options_.firmware.toLatin1().left(4).leftJustified(4, ' ');
        ident.replace(1, 7, model);
        ident.replace(9, 4, firmware);
        reply(ident);
        return true;
    }
    case LinkFrame::kReadRequest: {
        if (size < 4)
            return false;
        const int address = bytes[1] * 256 + bytes[2];
        const int length = bytes[3];
        received_.remove(0, 4);
        QByteArray block = LinkFrame::DataBlock(memory_, address, length);
        if (block.isEmpty())
            return true;
        if (address == options_.badChecksumAddress && !badChecksumSent_) {
            badChecksumSent_ = true;
            block[4 + length] = char(uint8_t(block[4 + length]) + 1);
        }
        reply(block);
        return true;
    }
    case LinkFrame::kDataBlock: {
        if (size < 4)
            return false;
        const int length = bytes[3];
        const int total = length + LinkFrame::kBlockOverhead;
        if (size < total)
            return false;
        const int address = bytes[1] * 256 + bytes[2];
        const bool intact = bytes[total - 1] == LinkFrame::kAck &&
                            LinkFrame::Checksum(address, length, bytes + 4) == bytes[4 + length] &&
                            address + length <= kImageSize;
        if (intact) {
            std::copy(bytes + 4, bytes + 4 + length, memory_.begin() + address);
            // A cell that does not keep what it was given: the write is acknowledged all the same.
            const int corrupt = options_.corruptAddress;
            if (corrupt >= address && corrupt < address + length)
                memory_[size_t(corrupt)] = uint8_t(memory_[size_t(corrupt)] ^ 0xFF);
            dirty_ = true;
        }
        received_.remove(0, total);
        if (intact)
            reply(QByteArray(1, char(LinkFrame::kAck)));
        return true;
    }
    default:
        break;
    }
    received_.remove(0, 1); // not the start of any request: resynchronise on the next byte
    return true;
}

void RadioSimulator::reply(const QByteArray& bytes)
{
    // 0xAA starts no reply and is no acknowledgement, so noise can never pass for an answer.
    const QByteArray framed = QByteArray(options_.noise, char(0xAA)) + bytes;
    if (options_.paced) {
        outbound_.push(replyStartNs_ >= 0 ? replyStartNs_ : nowNs(), framed);
        armPaceTimer();
        return;
    }
    sendNow(framed);
}

void RadioSimulator::sendNow(const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(masterFd_, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return; // nobody is listening; a real radio would talk into the void as well
        }
        written += count;
    }
}
