#pragma once

#include "editors/features/TonePlayer.h"

#include <QIODevice>

#include <cstdint>
#include <vector>

class QAudioSink;
class QTimer;

// Renders the events of a preview into samples as the sound device takes them. Events are
// pulled one at a time, only when everything before them has been handed over, so the
// decision what comes next is taken at most one device buffer ahead of what is heard.
class ToneStream final : public QIODevice {
    Q_OBJECT
public:
    explicit ToneStream(TonePlayer::NextEvent next, QObject* parent = nullptr);
    bool ended() const { return ended_ && position_ >= samples_.size(); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    qint64 handedBytes() const { return handedBytes_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void refill();
    TonePlayer::NextEvent next_;
    std::vector<int16_t> samples_;
    std::size_t position_ = 0;
    bool ended_ = false;
    qint64 handedBytes_ = 0;
};

// The preview through the default audio output of the machine (Qt Multimedia). Without an
// output, or when the output cannot be opened, the rest of the preview runs silently with
// the same timing and noSoundDevice is emitted.
class AudioTonePlayer final : public TonePlayer {
    Q_OBJECT
public:
    explicit AudioTonePlayer(QObject* parent = nullptr);
    ~AudioTonePlayer() override;
    void start(NextEvent next) override;
    void abort() override;
    bool isPlaying() const override;

private:
    void feed();
    void sinkStateChanged();
    void fallBackToSilence();
    void releaseDevice();
    NextEvent next_;
    QAudioSink* sink_ = nullptr;
    QIODevice* output_ = nullptr; // owned by the sink
    ToneStream* stream_ = nullptr;
    SilentTonePlayer* silent_;
    QTimer* endWatch_;
};
