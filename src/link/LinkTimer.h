#pragma once

#include <QObject>
#include <QTimer>

constexpr int kWaitTimerInterval = 300; // ms, for every frame

// The engine's only view of time: one single-shot reply wait, restarted for every frame.
// The program runs it on a QTimer; tests fire it by hand, so no test waits for real time.
class LinkTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~LinkTimer() override = default;
    virtual void start() = 0; // (re)starts the wait of kWaitTimerInterval
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

signals:
    void timeout();
};

// WaitTimer on the event loop. Precise: a coarse timer may fire up to 5 % early.
class QtLinkTimer final : public LinkTimer {
    Q_OBJECT
public:
    explicit QtLinkTimer(QObject* parent = nullptr);
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};
