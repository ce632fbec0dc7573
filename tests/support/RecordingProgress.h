#pragma once

#include "link/LinkProgress.h"

#include <QList>

#include <functional>

// Records what a progress display would have shown.
class RecordingProgress final : public LinkProgress {
public:
    void showProgress(int) override
    {
        visible = true;
        values.append(0);
    }
    void hideProgress() override { visible = false; }
    bool isProgressVisible() const override { return visible; }
    void setProgressValue(int percent) override
    {
        values.append(percent);
        if (onValue)
            onValue(percent);
    }

    QList<int> values;
    bool visible = false;
    std::function<void(int)> onValue;
};
