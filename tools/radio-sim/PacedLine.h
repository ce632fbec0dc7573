#pragma once

#include <QByteArray>

#include <cstdint>
#include <deque>

// One direction of a 9600 baud 8N1 line: each byte takes ten bit times, about 1.04 ms,
// and a byte cannot start before the previous one has gone.
class PacedLine {
public:
    static constexpr int64_t kByteNs = 10LL * 1000000000LL / 9600;

    void push(int64_t nowNs, const QByteArray& bytes)
    {
        int64_t at = m_freeAtNs > nowNs ? m_freeAtNs : nowNs;
        for (char byte : bytes) {
            at += kByteNs;
            m_bytes.push_back({at, byte});
        }
        m_freeAtNs = at;
    }
    QByteArray takeDue(int64_t nowNs)
    {
        QByteArray due;
        while (!m_bytes.empty() && m_bytes.front().dueNs <= nowNs) {
            due.append(m_bytes.front().byte);
            m_bytes.pop_front();
        }
        return due;
    }
    bool isEmpty() const { return m_bytes.empty(); }

private:
    struct TimedByte {
        int64_t dueNs;
        char byte;
    };
    std::deque<TimedByte> m_bytes;
    int64_t m_freeAtNs = 0;
};
