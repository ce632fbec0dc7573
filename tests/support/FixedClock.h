#pragma once

#include "document/Clock.h"

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate date = QDate(2026, 1, 15)) : date_(date) {}
    QDate today() const override { return date_; }

private:
    QDate date_;
};
