#pragma once

#include "link/LinkTimer.h"

// WaitTimer without time: the test decides when a wait runs out.
class FakeLinkTimer final : public LinkTimer {
public:
    void start() override
    {
        active_ = true;
        ++starts;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    // The wait runs out, if one is running.
    bool fire()
    {
        if (!active_)
            return false;
        active_ = false;
        emit timeout();
        return true;
    }

    int starts = 0;

private:
    bool active_ = false;
};
