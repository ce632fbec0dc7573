#include "editors/features/AudioTonePlayer.h"

#include "editors/features/ToneSynthesis.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <QTimer>

#include <cstring>

namespace {
// About 40 ms of sound: how far ahead of what is heard the next step is decided.
constexpr int kBufferBytes = kToneSampleRate * 2 * 40 / 1000;
constexpr int kFeedIntervalMs = 10;
} // namespace

ToneStream::ToneStream(TonePlayer::NextEvent next, QObject* parent) : QIODevice(parent), next_(std::move(next))
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void ToneStream::refill()
{
    while (position_ >= samples_.size() && !ended_) {
        samples_.clear();
        position_ = 0;
        const ToneEvent event = next_();
        if (event.kind == ToneEvent::Kind::Finished) {
            ended_ = true;
            break;
        }
        AppendEventSamples(samples_, event);
    }
}

qint64 ToneStream::bytesAvailable() const
{
    return qint64((samples_.size() - position_) * 2) + QIODevice::bytesAvailable();
}

qint64 ToneStream::readData(char* data, qint64 maxSize)
{
    refill();
    const qint64 count = std::min<qint64>(maxSize / 2, qint64(samples_.size() - position_));
    if (count <= 0)
        return 0;
    std::memcpy(data, samples_.data() + position_, std::size_t(count) * 2);
    position_ += std::size_t(count);
    handedBytes_ += count * 2;
    return count * 2;
}

AudioTonePlayer::AudioTonePlayer(QObject* parent)
    : TonePlayer(parent), silent_(new SilentTonePlayer(this)), endWatch_(new QTimer(this))
{
    // The device does not always say when it has run dry; the end is also seen when it has
    // processed every sample it was handed.
    endWatch_->setInterval(kFeedIntervalMs);
    connect(endWatch_, &QTimer::timeout, this, [this] {
        feed();
        sinkStateChanged();
    });
    connect(silent_, &TonePlayer::finished, this, [this] {
        next_ = nullptr;
        emit finished();
    });
}

AudioTonePlayer::~AudioTonePlayer()
{
    abort();
}

bool AudioTonePlayer::isPlaying() const
{
    return bool(next_);
}

void AudioTonePlayer::start(NextEvent next)
{
    abort();
    next_ = std::move(next);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(kToneSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format)) {
        fallBackToSilence();
        return;
    }
    sink_ = new QAudioSink(device, format, this);
    sink_->setBufferSize(kBufferBytes);
    stream_ = new ToneStream(next_, this);
    connect(sink_, &QAudioSink::stateChanged, this, &AudioTonePlayer::sinkStateChanged);
    // Pushed rather than pulled: the device is fed exactly as much as it has room for, on
    // our own timer, so the next event is taken when the device wants it.
    output_ = sink_->start();
    if (!output_ || sink_->error() != QAudio::NoError) {
        fallBackToSilence();
        return;
    }
    feed();
    endWatch_->start();
}

void AudioTonePlayer::abort()
{
    endWatch_->stop();
    silent_->abort();
    releaseDevice();
    next_ = nullptr;
}

// Lets go of the sink and the stream feeding it; both are deleted once control returns to the
// event loop, as either may be inside one of its own signals here.
void AudioTonePlayer::releaseDevice()
{
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }
    output_ = nullptr;
    if (stream_) {
        stream_->deleteLater();
        stream_ = nullptr;
    }
}

void AudioTonePlayer::feed()
{
    if (!sink_ || !stream_ || !output_)
        return;
    qint64 room = sink_->bytesFree();
    char chunk[4096];
    while (room > 1) {
        const qint64 got = stream_->read(chunk, std::min<qint64>(room & ~qint64(1), qint64(sizeof chunk)));
        if (got <= 0)
            break;
        output_->write(chunk, got);
        room -= got;
    }
}

void AudioTonePlayer::sinkStateChanged()
{
    if (!sink_)
        return;
    if (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError) {
        fallBackToSilence();
        return;
    }
    if (!stream_ || !stream_->ended())
        return;
    const qint64 handedUs = stream_->handedBytes() * 1000000 / (kToneSampleRate * 2);
    if (sink_->processedUSecs() >= handedUs) {
        abort();
        emit finished();
    }
}

void AudioTonePlayer::fallBackToSilence()
{
    endWatch_->stop();
    NextEvent next = next_;
    releaseDevice();
    emit noSoundDevice();
    silent_->start(next);
}
