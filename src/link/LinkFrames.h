#pragma once

#include "image/MemoryImage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// The frames of the clone protocol, written once here and shared by the engine,
// the radio simulator and the tests. Addresses are big-endian.
namespace LinkFrame {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kIdentRequest = 0x02;
constexpr uint8_t kIdentReply = 0x49;  // 'I'
constexpr uint8_t kReadRequest = 0x52; // 'R'
constexpr uint8_t kDataBlock = 0x57;   // 'W', both the PC's write block and the radio's data block
constexpr int kIdentLength = 16;
constexpr int kBlockOverhead = 6; // 'W', address high, address low, length, checksum, 0x06

inline const QByteArray kProgramRequest = QByteArrayLiteral("PROGRAM");
inline const QByteArray kProgramAck = QByteArrayLiteral("JW\x06");
inline const QByteArray kEndRequest = QByteArrayLiteral("END");

// Additive checksum over address high, address low, length and the data bytes.
uint8_t Checksum(int address, int length, const uint8_t* data);

QByteArray ReadRequest(int address, int length);
// 'W' frame carrying image[address .. address+length-1]; empty when that range is outside the image.
QByteArray DataBlock(const MemoryImage& image, int address, int length);
QByteArray DataBlock(int address, const QByteArray& data);

// Percent shown for a block at `address` of a transfer ending at `transferEnd`,
// rounded to the nearest integer with halves to the even neighbour.
int ProgressPercent(int address, int transferEnd);

// The model text as the radio sends it and the document keeps it for comparison: up to the
// first NUL, without trailing blanks.
QString ModelText(QString text);

} // namespace LinkFrame
