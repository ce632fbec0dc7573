#pragma once

#include <QDate>

// The system date, behind an interface so tests can fix "today".
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};
