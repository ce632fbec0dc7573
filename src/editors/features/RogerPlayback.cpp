#include "editors/features/RogerPlayback.h"

#include "document/DataRecord.h"
#include "editors/features/RogerBeepRules.h"

#include <algorithm>

namespace {
constexpr int kAudibleMs = 5;     // steps and sequences shorter than this are not played
constexpr int kLowestToneHz = 50; // below this a step is a pause
} // namespace

std::optional<RogerPlayback> RogerPlayback::start(const RogerSeqEntry& seq)
{
    long long totalMs = 0;
    for (int i = 1; i <= kRogerSteps; ++i)
        totalMs += seq.Tone[i].Length * 10LL;
    if (totalMs < kAudibleMs)
        return std::nullopt;
    return RogerPlayback(std::max<int>(0, seq.Recycle), std::max(0, seq.InterTime * 10));
}

ToneEvent RogerPlayback::next(const RogerSeqEntry& current, bool stopRequested)
{
    while (pass_ <= passes_) {
        if (step_ > kRogerSteps) {
            step_ = 1;
            ++pass_;
            return {ToneEvent::Kind::PassPause, 0, pauseMs_};
        }
        const RogerTone& tone = current.Tone[step_++];
        const int durationMs = tone.Length * 10;
        if (durationMs <= kAudibleMs)
            continue;
        if (stopRequested) {
            passes_ = 0;
            break;
        }
        const int hz = tone.Freq * 10;
        if (hz >= kLowestToneHz)
            return {ToneEvent::Kind::Tone, hz, durationMs};
        return {ToneEvent::Kind::Silence, 0, durationMs};
    }
    return {ToneEvent::Kind::Finished, 0, 0};
}
