#pragma once

#include "editors/channels/ChannelRules.h"

#include <QWidget>

class ChannelDetailPanel;
class DocumentEvents;
class FrequencyEditor;
class GroupPanel;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTableWidget;
class UserPrompt;
struct AppState;
struct ChannelEditContext;
enum class ChannelFault;

// The channel window frmCommChInfo: work mode, group and work group selectors, the grid of
// a group's channel frequencies, and the panels of the group and of the current channel.
// Every change goes straight into the document.
class ChannelWindow final : public QWidget {
    Q_OBJECT
public:
    ChannelWindow(AppState& app, UserPrompt& prompt, DocumentEvents& events, QWidget* parent = nullptr);
    ~ChannelWindow() override;

    // Rebuild the detail panel's lists after the DTMF codes or roger-beep sequences changed.
    void ShowDTMF();
    void ShowRB();
    // The enabled modulations changed: the shown channel's "Mode" list is rebuilt and its
    // re-checked modulation written back like a pick.
    void RefreshModeList();
    // Re-shows one grid row (1-based) from the document.
    void reShowGrid(int row);
    // Commits a frequency still being typed; nothing when the editor is closed.
    void SaveShowGridData();
    void EnterGridEdit();
    void GridNextLine();
    void GridNextCol();
    void SetEditNoVisable();
    void InitComboWorkGroup();
    // Shows the document again as on opening, after it was replaced under the window (Undo,
    // Redo); a value being typed is dropped and nothing is written back.
    void reloadFromDocument();

    // The group on show (1..10, 11 for the memory view) and the grid's current row (1-based).
    int shownGroup() const { return group_; }
    int currentRow() const;
    // Rows of the group on show: 40, or 6 in the memory view.
    int shownRows() const;

    QTableWidget* grid() const { return grid_; }
    FrequencyEditor* frequencyEditor() const { return editor_; }
    ChannelDetailPanel* detailPanel() const { return detail_; }
    GroupPanel* groupPanel() const { return groupPanel_; }
    QComboBox* workModeSelector() const { return modeCombo_; }
    QComboBox* groupSelector() const { return groupCombo_; }
    QComboBox* workGroupSelector() const { return workGroupCombo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitShowGrid();
    void ChangShowByLanguage();
    void onWorkModePicked(int mode);
    void onGroupPicked(int group);
    void SetGridData();
    void ShowChIfoData(const ChannelRecord& ch, int row);
    void ShowChIfoDataOther(int row);
    void showGroupReferences();
    void onCellEntered(int tableRow, int tableColumn, int previousRow);
    void onDetailPicked(DetailField field, int position, const QString& entry);
    void onReferencePicked(GroupReference ref, const QString& name);
    void onValidPicked(int position);
    void placeEditor();
    void cancelEdit();
    void fault(ChannelFault which);
    int mode() const;
    // "CB A" and "CB A 7" for the group on show and a row of it, as the Undo item names them.
    QString groupPlace() const;
    QString channelPlace(int row) const;
    // Announces a stored change under the name of its undo step.
    void edited(const QString& step);
    ChannelEditContext context() const;

    AppState& app_;
    UserPrompt& prompt_;
    DocumentEvents& events_;
    int language_;
    bool loading_ = false;
    bool opened_ = false;
    bool committing_ = false;
    int group_ = 1;
    int editRow_ = 0;
    int editColumn_ = 0;
    QMetaObject::Connection focusWatch_;

    QGroupBox* modeBox_ = nullptr;
    QComboBox* modeCombo_ = nullptr;
    QComboBox* groupCombo_ = nullptr;
    QComboBox* workGroupCombo_ = nullptr;
    QTableWidget* grid_ = nullptr;
    FrequencyEditor* editor_ = nullptr;
    GroupPanel* groupPanel_ = nullptr;
    ChannelDetailPanel* detail_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
