#pragma once

#include "image/MemoryImage.h"
#include "link/LinkFrames.h"

#include <QByteArray>

#include <algorithm>

// The replies of an MH5120 to the clone protocol, from a memory of its own: a write block
// lands in that memory. A frame it does not know gets no reply.
struct FakeRadio {
    MemoryImage memory{};
    QByteArray model = QByteArrayLiteral("MH5120 "); // the 7-byte model field
    QByteArray firmware = QByteArrayLiteral("V200");

    QByteArray answer(const QByteArray& frame)
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(frame.constData());
        if (frame == LinkFrame::kProgramRequest)
            return LinkFrame::kProgramAck;
        if (frame.size() == 1 && bytes[0] == LinkFrame::kIdentRequest) {
            QByteArray reply(LinkFrame::kIdentLength, '\0');
            reply[0] = char(LinkFrame::kIdentReply);
            reply.replace(1, 7, model.left(7).leftJustified(7, ' '));
            reply.replace(9, 4, firmware.left(4).leftJustified(4, ' '));
            return reply;
        }
        if (frame.size() == 4 && bytes[0] == LinkFrame::kReadRequest)
            return LinkFrame::DataBlock(memory, bytes[1] * 256 + bytes[2], bytes[3]);
        if (frame.size() == 4 + 16 + 2 && bytes[0] == LinkFrame::kDataBlock && bytes[3] == 16) {
            const int address = bytes[1] * 256 + bytes[2];
            if (address + 16 > kImageSize)
                return {};
            std::copy(frame.begin() + 4, frame.begin() + 20, memory.begin() + address);
            return QByteArray(1, char(LinkFrame::kAck));
        }
        if (frame == LinkFrame::kEndRequest)
            return QByteArray(1, char(LinkFrame::kAck));
        return {};
    }
};
