#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <map>

class DocumentEvents;
class QCheckBox;
class QComboBox;
class QLineEdit;
struct AppState;

// FrmOptFeatures: the radio-wide options, the public channel, the enabled modes, the
// protection thresholds, the transmit offset and the RSSI meter thresholds. Every change is
// stored at once; there is no OK or Cancel.
class OptionFeaturesWindow final : public QWidget {
    Q_OBJECT
public:
    OptionFeaturesWindow(AppState& app, DocumentEvents& events, QWidget* parent = nullptr);
    ~OptionFeaturesWindow() override;

    // Rebuild the "BOT", "EOT" and "CALL" lists after a code memory changed.
    void ShowDTMF();
    // Rebuild the "Roger" list after the set of defined sequences may have changed.
    void ShowRB();
    // Before a write to the radio: a focused "Max", "Min[V]" or "Max[V]" is checked and
    // stored as when it loses the focus.
    void commitPendingEdits();
    // Shows the document again as on opening, after it was replaced under the window (Undo,
    // Redo); nothing is written back.
    void reloadFromDocument();

private:
    QComboBox* addSelector(int id, const char* name);
    QCheckBox* addCheck(int id, const char* name, const QString& caption);
    QLineEdit* addTextField(const QString& name, int maxLength, bool digitsOnly, std::function<void()> onLeave);
    QWidget* buildLeftColumn();
    QWidget* buildRightColumn();
    QWidget* buildRssiGroup(const QString& title, int first);
    void showValues();
    void selectionMade(int id);
    void modeEnableClicked(int mode, bool checked);
    void rebuildSelector(int id);
    void leaveSwrMax();
    void leaveVolt(bool leftMin);
    void leaveTxOffset();
    void leaveRssi(int field);
    // Announces a stored change under the name of its undo step.
    void edited(const QString& step);

    AppState& app_;
    DocumentEvents& events_;
    int language_;
    bool loaded_ = false;
    std::map<int, QComboBox*> selectors_;
    std::map<int, QCheckBox*> checks_;
    std::map<int, QString> stepNames_; // by editor id: "TOT", "BOT of Public", "FM Enable"
    QLineEdit* swrMax_ = nullptr;
    QLineEdit* voltMin_ = nullptr;
    QLineEdit* voltMax_ = nullptr;
    QLineEdit* txOffset_ = nullptr;
    std::array<QLineEdit*, 12> rssi_{};
};
