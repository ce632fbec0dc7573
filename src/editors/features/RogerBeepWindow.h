#pragma once

#include "editors/features/RogerPlayback.h"

#include <QWidget>

#include <array>
#include <optional>

class DocumentEvents;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class TonePlayer;
struct AppState;

// The white drawing surface with one bar per step of the current sequence.
class RogerChart final : public QWidget {
    Q_OBJECT
public:
    RogerChart(const AppState& app, const int& current, QWidget* parent = nullptr);
    // The margin around the bars: 50 twips, about 3 pixels.
    static constexpr int kMargin = 3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AppState& app_;
    const int& current_;
};

// FrmToneTips: the eight roger-beep sequences, drawn as a chart and played through the tone
// player. Changes are stored at once; a change that would leave no sequence defined while
// one is defined is refused.
class RogerBeepWindow final : public QWidget {
    Q_OBJECT
public:
    // The window owns the player.
    RogerBeepWindow(AppState& app, DocumentEvents& events, TonePlayer* player, QWidget* parent = nullptr);
    ~RogerBeepWindow() override;

    int currentSequence() const { return current_; }
    void play();
    void stop();
    // Shows the document again after it was replaced under the window (Undo, Redo); nothing
    // is written back.
    void reloadFromDocument();

private:
    void showSequence();
    // The selectors and the chart from the current sequence, as they are stored.
    void fillSequence();
    // Undo step names: "roger beep 2 step 4", "Recycle Times of roger beep 2".
    QString stepName(int step) const;
    QString settingName(int caption) const;
    void edited(const QString& step);
    void recycleChosen(int index);
    void lengthChosen(int step, int index);
    void sequencesMayHaveChanged();
    void playbackEnded();

    AppState& app_;
    DocumentEvents& events_;
    TonePlayer* player_;
    int language_;
    int current_ = 1;
    QTabBar* tabs_ = nullptr;
    QComboBox* recycle_ = nullptr;
    QComboBox* interTime_ = nullptr;
    std::array<QComboBox*, 14> freq_{};
    std::array<QComboBox*, 14> length_{};
    RogerChart* chart_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* stop_ = nullptr;
    QLabel* notice_ = nullptr;
    std::optional<RogerPlayback> playback_;
    bool stopRequested_ = true;
};
