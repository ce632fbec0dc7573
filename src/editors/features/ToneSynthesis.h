#pragma once

#include "editors/features/RogerPlayback.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

struct RogerSeqEntry;

// 16-bit signed mono samples at a fixed rate: what the preview plays and what the
// command-line tool writes into a WAV file.
constexpr int kToneSampleRate = 48000;
constexpr int kToneFadeMs = 3; // fade in and out so steps do not click

int SamplesForMs(int ms);
// Appends the samples of one event: a faded sine for a tone, zeros for a pause.
void AppendEventSamples(std::vector<int16_t>& samples, const ToneEvent& event);
// The whole preview of a sequence, played to its end.
std::vector<int16_t> RenderSequence(const RogerSeqEntry& seq);
// A RIFF/WAVE file holding the samples as 16-bit PCM mono at kToneSampleRate.
QByteArray WavFile(const std::vector<int16_t>& samples);
