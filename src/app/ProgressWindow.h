#pragma once

#include "link/LinkProgress.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

// The modal progress window of a radio read (1) or write (2).
class ProgressWindow final : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(int linkOperation, int language, QWidget* parent = nullptr);
    void SetProgressValue(int percent);
    // The bar and the "NN%" label together, as the transfer reports its progress.
    void ShowPercent(int percent);
    int percent() const;
    QString percentText() const;

protected:
    void reject() override;

private:
    QProgressBar* bar_ = nullptr;
    QLabel* percentLabel_ = nullptr;
};

struct AppSettings;

// Opens ProgressWindow for each operation of the clone engine, modal over the main window.
class ProgressWindowHost final : public LinkProgress {
public:
    ProgressWindowHost(const AppSettings& settings, QWidget* owner) : settings_(settings), owner_(owner) {}
    ~ProgressWindowHost() override;
    void showProgress(int linkOperation) override;
    void hideProgress() override;
    bool isProgressVisible() const override;
    void setProgressValue(int percent) override;
    ProgressWindow* window() const { return window_; }

private:
    const AppSettings& settings_;
    QWidget* owner_;
    QPointer<ProgressWindow> window_;
};

// The window's texts in both languages.
QString ProgressCaption(int linkOperation, int language);
QString ProgressLabelText(int language);
