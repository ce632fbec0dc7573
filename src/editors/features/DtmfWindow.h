#pragma once

#include <QWidget>

#include <map>

class DocumentEvents;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;
class QTableWidget;
struct AppState;
enum class DtmfEncodeField;

// FrmDTMF: the DTMF encoder timings and the sixteen autodial code memories. Every keystroke
// in a code memory is stored at once, and references to memories that became empty are
// dropped everywhere.
class DtmfWindow final : public QWidget {
    Q_OBJECT
public:
    DtmfWindow(AppState& app, DocumentEvents& events, QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    QLineEdit* editBox() const { return editBox_; }
    // Opens the edit box over the code memory of row 1..16 (what entering the cell does).
    void enterCell(int row);
    // Shows the document again after it was replaced under the window (Undo, Redo); nothing
    // is written back.
    void reloadFromDocument();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildEncodePage();
    QWidget* buildAutodialPage();
    void commitEdit();
    void SetDTMFList();

    AppState& app_;
    DocumentEvents& events_;
    int language_;
    QTabWidget* pages_ = nullptr;
    std::map<DtmfEncodeField, QComboBox*> selectors_;
    QCheckBox* display_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLineEdit* editBox_ = nullptr;
    int editRow_ = 0; // 1..16 once a memory was entered
    bool filling_ = false;
};
