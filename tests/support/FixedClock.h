#pragma once

#include "document/Clock.h"

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate date = QDate(2026, 1, 15), QTime time = QTime(12, 0)) : date_(date), time_(time) {}
    QDate today() const override { return date_; }
    QDateTime now() const override { return QDateTime(date_, time_); }

private:
    QDate date_;
    QTime time_;
};
