#pragma once

// What the clone engine needs of a progress display. The GUI's ProgressWindow implements it;
// the command-line tool prints the percentage; tests record it.
class LinkProgress {
public:
    virtual ~LinkProgress() = default;
    // Shows the display for linkOperation (1 read, 2 write) at 0 and "0%". Must return at
    // once: the engine goes on from the event loop (a modal window is opened, not executed).
    virtual void showProgress(int linkOperation) = 0;
    virtual void hideProgress() = 0;
    virtual bool isProgressVisible() const = 0;
    // Sets the bar and the label "<percent>%".
    virtual void setProgressValue(int percent) = 0;
};
