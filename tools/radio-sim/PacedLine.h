#pragma once

#include <QByteArray>

#include <cstdint>
#include <deque>

// One direction of a 9600 baud 8N1 line: each byte takes ten bit times, about 1.04 ms,
// and a byte cannot start before the previous one has gone.
class PacedLine {
public:
    static constexpr int64_t kByteNs = 10LL * 1000000000LL / 9600;
    static constexpr int64_t kNever = INT64_MAX;

    // Queues bytes that start leaving at `startNs`, or once the line is free.
    void push(int64_t startNs, const QByteArray& bytes)
    {
        int64_t at = freeAtNs_ > startNs ? freeAtNs_ : startNs;
        for (char byte : bytes) {
            at += kByteNs;
            bytes_.push_back({at, byte});
        }
        freeAtNs_ = at;
    }
    // Takes the bytes that have fully arrived by `nowNs`; `lastDueNs`, when given, tells when
    // the last of them did, so an answer can start from that moment rather than from when it
    // was noticed.
    QByteArray takeDue(int64_t nowNs, int64_t* lastDueNs = nullptr)
    {
        QByteArray due;
        while (!bytes_.empty() && bytes_.front().dueNs <= nowNs) {
            due.append(bytes_.front().byte);
            if (lastDueNs)
                *lastDueNs = bytes_.front().dueNs;
            bytes_.pop_front();
        }
        return due;
    }
    int64_t nextDueNs() const { return bytes_.empty() ? kNever : bytes_.front().dueNs; }
    bool isEmpty() const { return bytes_.empty(); }

private:
    struct TimedByte {
        int64_t dueNs;
        char byte;
    };
    std::deque<TimedByte> bytes_;
    int64_t freeAtNs_ = 0;
};
