#pragma once

#include "document/DataRecord.h"
#include "document/DocumentState.h"

#include <array>
#include <cstdint>

// The radio's 16 KiB memory as the program holds it, and the codec between it and the document.
constexpr int kImageSize = 0x4000;
using MemoryImage = std::array<uint8_t, kImageSize>;

struct ToneImageCode {
    int type = 0;   // 0 off, 1 QT, 2 DQT
    int number = 0; // QT 1..38, DQT 1..104
};

void InitImage(MemoryImage& image);
void EncodeDocument(const RadioDocument& doc, MemoryImage& image);
// Rebuilds doc from the image; also sets the band text and limits in state.
void DecodeImage(const MemoryImage& image, RadioDocument& doc, DocumentState& state);

void EncodeChannel(const ChannelRecord& record, int slot, int group, int mode, MemoryImage& image);
void DecodeChannel(const MemoryImage& image, int mode, int channel, int group, RadioDocument& doc);
void EncodeOptions(const DataRecord& data, MemoryImage& image);
void DecodeOptions(const MemoryImage& image, DataRecord& data, DocumentState& state);
void EncodeRogerSeqs(const DataRecord& data, MemoryImage& image);
void DecodeRogerSeqs(const MemoryImage& image, DataRecord& data);

// Slots 41..48 of HF groups 9 and 10 are where the radio keeps the DTMF codes: they hold no
// channel, so the image carries no memory channel of those two groups.
bool IsDtmfStorageSlot(int mode, int group, int slot);

ToneImageCode ToneCodeToImage(int toneCode);
int ToneCodeFromImage(int type, int number);
