#include "editors/features/ToneSynthesis.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kAmplitude = 0.5 * 32767.0;

void appendLe32(QByteArray& out, uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void appendLe16(QByteArray& out, uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
} // namespace

int SamplesForMs(int ms)
{
    return int(std::max(0LL, (long long)ms * kToneSampleRate / 1000));
}

void AppendEventSamples(std::vector<int16_t>& samples, const ToneEvent& event)
{
    const int count = SamplesForMs(event.durationMs);
    if (event.kind != ToneEvent::Kind::Tone || event.frequencyHz <= 0) {
        samples.insert(samples.end(), std::size_t(count), int16_t(0));
        return;
    }
    const int fade = std::min(SamplesForMs(kToneFadeMs), count / 2);
    const double step = 2.0 * std::numbers::pi * event.frequencyHz / kToneSampleRate;
    samples.reserve(samples.size() + std::size_t(count));
    for (int i = 0; i < count; ++i) {
        double gain = 1.0;
        if (fade > 0 && i < fade)
            gain = double(i + 1) / (fade + 1);
        else if (fade > 0 && i >= count - fade)
            gain = double(count - i) / (fade + 1);
        // Half a sample in, so no sample lands exactly on a zero of the sine.
        samples.push_back(int16_t(std::lround(kAmplitude * gain * std::sin(step * (i + 0.5)))));
    }
}

std::vector<int16_t> RenderSequence(const RogerSeqEntry& seq)
{
    std::vector<int16_t> samples;
    std::optional<RogerPlayback> playback = RogerPlayback::start(seq);
    if (!playback)
        return samples;
    for (ToneEvent e = playback->next(seq, false); e.kind != ToneEvent::Kind::Finished; e = playback->next(seq, false))
        AppendEventSamples(samples, e);
    return samples;
}

QByteArray WavFile(const std::vector<int16_t>& samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF", 4);
    appendLe32(out, 36 + dataBytes);
    out.append("WAVEfmt ", 8);
    appendLe32(out, 16);
    appendLe16(out, 1); // PCM
    appendLe16(out, 1); // mono
    appendLe32(out, kToneSampleRate);
    appendLe32(out, kToneSampleRate * 2);
    appendLe16(out, 2);
    appendLe16(out, 16);
    out.append("data", 4);
    appendLe32(out, dataBytes);
    for (int16_t s : samples)
        appendLe16(out, uint16_t(s));
    return out;
}
