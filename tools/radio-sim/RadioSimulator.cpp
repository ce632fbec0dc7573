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
#include <memory>
#include <fcntl.h>
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
    : QObject(parent), m_options(std::move(options))
{
    if (m_options.erased)
        m_memory.fill(0xFF);
    else
        m_memory = FactoryMemory(m_options.workMode);
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
    if (m_paceFd >= 0)
        ::close(m_paceFd);
    if (m_slaveFd >= 0)
        ::close(m_slaveFd);
    if (m_masterFd >= 0)
        ::close(m_masterFd);
    if (!m_options.linkPath.isEmpty())
        QFile::remove(m_options.linkPath);
}

bool RadioSimulator::start(QString& error)
{
    if (!m_options.imageFile.isEmpty() && QFile::exists(m_options.imageFile)) {
        QFile file(m_options.imageFile);
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1").arg(m_options.imageFile);
            return false;
        }
        const QByteArray bytes = file.read(kImageSize + 1);
        if (bytes.size() != kImageSize) {
            error = QStringLiteral("%1 is not a %2-byte memory image").arg(m_options.imageFile).arg(kImageSize);
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(m_memory.data()));
    }

    m_masterFd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_masterFd < 0 || ::grantpt(m_masterFd) != 0 || ::unlockpt(m_masterFd) != 0) {
        error = QStringLiteral("cannot create a pseudo-terminal");
        return false;
    }
    const char* name = ::ptsname(m_masterFd);
    if (!name) {
        error = QStringLiteral("cannot name the pseudo-terminal");
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    // Holding the slave open keeps the master from reporting a hang-up each time the
    // programming side closes its port; raw mode keeps the line from echoing before it opens.
    m_slaveFd = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slaveFd >= 0) {
        termios settings{};
        if (::tcgetattr(m_slaveFd, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(m_slaveFd, TCSANOW, &settings);
        }
    }
    ::fcntl(m_masterFd, F_SETFL, ::fcntl(m_masterFd, F_GETFL) | O_NONBLOCK);

    if (!m_options.linkPath.isEmpty()) {
        QFile::remove(m_options.linkPath);
        if (!QFile::link(m_slavePath, m_options.linkPath)) {
            error = QStringLiteral("cannot create the link %1").arg(m_options.linkPath);
            return false;
        }
    }
    if (m_options.paced) {
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL); // the kernel's default slack is 50 us
        m_paceFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (m_paceFd < 0) {
            error = QStringLiteral("cannot create a timer for pacing");
            return false;
        }
        m_paceNotifier = new QSocketNotifier(m_paceFd, QSocketNotifier::Read, this);
        connect(m_paceNotifier, &QSocketNotifier::activated, this, &RadioSimulator::onPaceTick);
    }
    m_notifier = new QSocketNotifier(m_masterFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RadioSimulator::onMasterReadable);
    return true;
}

bool RadioSimulator::persist()
{
    if (!m_dirty || m_options.imageFile.isEmpty())
        return true;
    QSaveFile file(m_options.imageFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(reinterpret_cast<const char*>(m_memory.data()), kImageSize);
    if (!file.commit())
        return false;
    m_dirty = false;
    return true;
}

void RadioSimulator::onMasterReadable()
{
    char buffer[4096];
    const ssize_t count = ::read(m_masterFd, buffer, sizeof buffer);
    if (count <= 0)
        return;
    const QByteArray bytes(buffer, count);
    if (m_options.silent)
        return;
    if (m_options.paced) {
        m_inbound.push(nowNs(), bytes);
        armPaceTimer();
        return;
    }
    process(bytes);
}

void RadioSimulator::onPaceTick()
{
    uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t drained = ::read(m_paceFd, &expirations, sizeof expirations);
    m_armedForNs = PacedLine::kNever;
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
    const QByteArray arrived = m_inbound.takeDue(now, &arrivedAt);
    if (!arrived.isEmpty()) {
        m_replyStartNs = arrivedAt;
        process(arrived);
        m_replyStartNs = -1;
    }
    const QByteArray leaving = m_outbound.takeDue(nowNs());
    if (!leaving.isEmpty())
        sendNow(leaving);
    armPaceTimer();
}

int64_t RadioSimulator::nextDueNs() const
{
    return std::min(m_inbound.nextDueNs(), m_outbound.nextDueNs());
}

void RadioSimulator::armPaceTimer()
{
    const int64_t next = nextDueNs();
    if (next == m_armedForNs)
        return;
    itimerspec when{};
    if (next != PacedLine::kNever) {
        const int64_t wake = std::max<int64_t>(next - kWakeEarlyNs, 1);
        when.it_value.tv_sec = time_t(wake / 1000000000LL);
        when.it_value.tv_nsec = long(wake % 1000000000LL);
    }
    // A zero value disarms; an absolute time already past fires at once.
    ::timerfd_settime(m_paceFd, TFD_TIMER_ABSTIME, &when, nullptr);
    m_armedForNs = next;
}

void RadioSimulator::process(const QByteArray& bytes)
{
    m_received.append(bytes);
    while (!m_received.isEmpty() && handleOne()) {
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
    const auto* bytes = reinterpret_cast<const uint8_t*>(m_received.constData());
    const int size = int(m_received.size());
    switch (bytes[0]) {
    case 'P':
    case 'E': {
        const bool program = bytes[0] == 'P';
        const QByteArray& word = program ? LinkFrame::kProgramRequest : LinkFrame::kEndRequest;
        const Prefix match = MatchWord(m_received, word);
        if (match == Prefix::Partial)
            return false;
        if (match == Prefix::Mismatch)
            break;
        m_received.remove(0, word.size());
        if (program) {
            if (m_options.ignoreProgram > 0)
                --m_options.ignoreProgram;
            else
                reply(LinkFrame::kProgramAck);
        } else {
            persist();
            if (!m_options.noEndAck)
                reply(QByteArray(1, char(LinkFrame::kAck)));
        }
        return true;
    }
    case LinkFrame::kIdentRequest: {
        m_received.remove(0, 1);
        if (m_options.ignoreIdent > 0) {
            --m_options.ignoreIdent;
            return true;
        }
        QByteArray ident(LinkFrame::kIdentLength, '\0');
        ident[0] = char(LinkFrame::kIdentReply);
        const QByteArray model = m_options.model.toLatin1().left(7).leftJustified(7, ' ');
        const QByteArray firmware = m_options.firmware.toLatin1().left(4).leftJustified(4, ' ');
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
        m_received.remove(0, 4);
        QByteArray block = LinkFrame::DataBlock(m_memory, address, length);
        if (block.isEmpty())
            return true;
        if (address == m_options.badChecksumAddress && !m_badChecksumSent) {
            m_badChecksumSent = true;
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
        const bool intact = bytes[total - 1] == LinkFrame::kAck
            && LinkFrame::Checksum(address, length, bytes + 4) == bytes[4 + length]
            && address + length <= kImageSize;
        if (intact) {
            std::copy(bytes + 4, bytes + 4 + length, m_memory.begin() + address);
            m_dirty = true;
        }
        m_received.remove(0, total);
        if (intact)
            reply(QByteArray(1, char(LinkFrame::kAck)));
        return true;
    }
    default:
        break;
    }
    m_received.remove(0, 1); // not the start of any request: resynchronise on the next byte
    return true;
}

void RadioSimulator::reply(const QByteArray& bytes)
{
    // 0xAA starts no reply and is no acknowledgement, so noise can never pass for an answer.
    const QByteArray framed = QByteArray(m_options.noise, char(0xAA)) + bytes;
    if (m_options.paced) {
        m_outbound.push(m_replyStartNs >= 0 ? m_replyStartNs : nowNs(), framed);
        armPaceTimer();
        return;
    }
    sendNow(framed);
}

void RadioSimulator::sendNow(const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(m_masterFd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return; // nobody is listening; a real radio would talk into the void as well
        }
        written += count;
    }
}
