#pragma once

#include "editors/features/TonePlayer.h"

#include <QList>

// A tone player the test drives by hand: each advance() pulls the next event, as a real
// player does when the previous one has sounded, and records it.
class RecordingTonePlayer final : public TonePlayer {
public:
    using TonePlayer::TonePlayer;
    void start(NextEvent next) override
    {
        next_ = std::move(next);
        ++starts;
    }
    void abort() override { next_ = nullptr; }
    bool isPlaying() const override { return bool(next_); }

    // Pulls one event; Finished ends the playback and emits finished().
    ToneEvent advance()
    {
        if (!next_)
            return {};
        const ToneEvent event = next_();
        if (event.kind == ToneEvent::Kind::Finished) {
            next_ = nullptr;
            emit finished();
        } else {
            events.append(event);
        }
        return event;
    }
    // Pulls events until the playback ends (at most `limit`).
    void runToEnd(int limit = 10000)
    {
        while (next_ && limit-- > 0)
            advance();
    }
    void reportNoDevice() { emit noSoundDevice(); }

    QList<ToneEvent> events;
    int starts = 0;

private:
    NextEvent next_;
};
