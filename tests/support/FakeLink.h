#pragma once

#include "link/SerialLink.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <utility>

// A serial line without a device: records every frame written and takes the radio's bytes
// from the test, firing the receive event as a serial port does once the threshold is met.
class FakeLink final : public SerialLink {
public:
    LinkOpenResult open(const QString& device) override
    {
        openedDevice = device;
        LinkOpenResult result;
        result.failure = openFailure;
        open_ = result.opened();
        input_.clear();
        return result;
    }
    bool isOpen() const override { return open_; }
    void close() override { open_ = false; }
    void discardBuffers() override { input_.clear(); }
    void setReceiveThreshold(int bytes) override { threshold_ = bytes; }
    bool write(const QByteArray& bytes) override
    {
        if (!open_)
            return false;
        if (failWriteAt >= 0 && sent.size() == failWriteAt) {
            // The port dies while the frame goes out: it reports the loss as a serial port does.
            open_ = false;
            emit linkLost();
            return false;
        }
        sent.append(bytes);
        if (onWrite)
            onWrite(bytes);
        return true;
    }
    QByteArray readAll() override { return std::exchange(input_, {}); }

    // Bytes from the radio arrive.
    void feed(const QByteArray& bytes)
    {
        if (!open_)
            return;
        input_ += bytes;
        if (input_.size() >= threshold_)
            emit thresholdReached();
    }
    // The device vanishes.
    void lose()
    {
        if (!open_)
            return;
        open_ = false;
        emit linkLost();
    }
    int threshold() const { return threshold_; }

    LinkOpenFailure openFailure = LinkOpenFailure::None;
    QString openedDevice;
    QList<QByteArray> sent;
    int failWriteAt = -1; // index into `sent` of the frame whose write fails
    std::function<void(const QByteArray&)> onWrite;

private:
    bool open_ = false;
    int threshold_ = 1;
    QByteArray input_;
};
