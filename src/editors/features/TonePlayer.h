#pragma once

#include "editors/features/RogerPlayback.h"

#include <QObject>

#include <functional>

class QTimer;

// Sounds the events of a preview one after the other without blocking the interface. The
// player pulls each event when it is due, so the caller decides at that moment what comes
// next (and whether a stop has been requested).
class TonePlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    using NextEvent = std::function<ToneEvent()>;

    // Pulls and sounds events until `next` gives Finished; then `finished` is emitted.
    // Starting again drops what the previous start had left to play.
    virtual void start(NextEvent next) = 0;
    // Drops the playback at once; `finished` is not emitted.
    virtual void abort() = 0;
    virtual bool isPlaying() const = 0;

signals:
    void finished();
    // There is no sound device: the events are played silently, with their durations.
    void noSoundDevice();
};

// Plays every event as silence of its duration, timed on the event loop. The fallback of a
// machine without a sound device.
class SilentTonePlayer final : public TonePlayer {
    Q_OBJECT
public:
    explicit SilentTonePlayer(QObject* parent = nullptr);
    void start(NextEvent next) override;
    void abort() override;
    bool isPlaying() const override { return bool(next_); }

private:
    void pull();
    NextEvent next_;
    QTimer* timer_;
};
