#pragma once

#include <QDate>
#include <QDateTime>

// The system date and time, behind an interface so tests can fix "now".
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    // Local date and time, as a user reads it off the wall.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
