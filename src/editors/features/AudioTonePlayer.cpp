#include "editors/features/AudioTonePlayer.h"

#include "editors/features/ToneSynthesis.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <cstring>

namespace {
// About 40 ms of sound: how far ahead of what is heard the next step is decided.
constexpr int kBufferBytes = kToneSampleRate * 2 * 40 / 1000;
} // namespace

ToneStream::ToneStream(TonePlayer::NextEvent next, QObject* parent) : QIODevice(parent), next_(std::move(next))
{
    open(QIODevice::ReadOnly);
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
    return count * 2;
}

AudioTonePlayer::AudioTonePlayer(QObject* parent) : TonePlayer(parent), silent_(new SilentTonePlayer(this))
{
    connect(silent_, &TonePlayer::finished, this, [this] {
        next_ = nullptr;
        emit finished();
    });
}

AudioTonePlayer::~AudioTonePlayer() { abort(); }

bool AudioTonePlayer::isPlaying() const { return bool(next_); }

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
    sink_->start(stream_);
    if (sink_->error() != QAudio::NoError)
        fallBackToSilence();
}

void AudioTonePlayer::abort()
{
    silent_->abort();
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }
    if (stream_) {
        stream_->deleteLater();
        stream_ = nullptr;
    }
    next_ = nullptr;
}

void AudioTonePlayer::sinkStateChanged()
{
    if (!sink_)
        return;
    if (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError) {
        fallBackToSilence();
        return;
    }
    // Idle with nothing left to read: the last sample has been handed to the device.
    if (sink_->state() == QAudio::IdleState && stream_ && stream_->ended()) {
        abort();
        emit finished();
    }
}

void AudioTonePlayer::fallBackToSilence()
{
    NextEvent next = next_;
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }
    if (stream_) {
        stream_->deleteLater();
        stream_ = nullptr;
    }
    emit noSoundDevice();
    silent_->start(next);
}
