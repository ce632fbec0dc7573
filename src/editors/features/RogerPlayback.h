#pragma once

#include <optional>

struct RogerSeqEntry;

// One thing the preview does next.
struct ToneEvent {
    enum class Kind { Tone, Silence, PassPause, Finished };
    Kind kind = Kind::Finished;
    int frequencyHz = 0;
    int durationMs = 0;
    bool operator==(const ToneEvent&) const = default;
};

// The order in which a sequence is previewed. The number of passes and the pause after each
// pass are taken when play starts; each step is read when it is reached, from whatever
// sequence is current then, so an edit or a tab change during playback affects the steps
// still to come. A stop request is seen before a step is sounded, so after a pass it is
// seen only once the pause after that pass has run out.
class RogerPlayback {
public:
    // Nothing is played when the steps of the sequence last less than 5 ms in all.
    static std::optional<RogerPlayback> start(const RogerSeqEntry& seq);
    ToneEvent next(const RogerSeqEntry& current, bool stopRequested);

private:
    RogerPlayback(int passes, int pauseMs) : passes_(passes), pauseMs_(pauseMs) {}
    int passes_;
    int pauseMs_;
    int pass_ = 1;
    int step_ = 1;
};
