#pragma once

#include "app/ChildWindows.h"
#include "session/DocumentEvents.h"
#include "session/DocumentHistory.h"
#include "session/TransferSafeguards.h"

#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

struct AppState;
class Clock;
class FileChooser;
class ProgressWindowHost;
class ModComm;
class LinkTimer;
class ProgramLauncher;
class SerialLink;
class UserPrompt;

// What the main window talks to besides the program state; tests hand in scripted ones.
struct MainWindowServices {
    UserPrompt& prompt;
    FileChooser& files;
    ProgramLauncher& launcher;
    ChildWindows& windows;
    // Serial port entries ("COM1", ...) for the port window, in enumeration order; by
    // default the ports of the machine as mysetup.ini numbers them.
    std::function<QStringList()> listPorts;
    // The serial line to the radio; the window makes its own serial-port link when none is given.
    SerialLink* link = nullptr;
    // The time that names backups; the system clock when none is given.
    const Clock* clock = nullptr;
};

// The main window frmMain: menus, toolbar, tree panel, status bar and the document lifecycle.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppState& app, MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Rebuilds captions (window, menus, tooltips, status bar, background, file filter) and the tree.
    void Change_Language();
    void RebuildCaptions();
    void LoadNewDoc();
    void ShowChildWindow(ChildKind kind);
    void CloseOtherWindows();
    // Runs the language rebuild when the language window changed the language since the windows were built.
    void ApplyLanguageIfChanged();
    ModComm& radioLink() const { return *comm_; }
    // The device a read or write opens; by default the port chosen in the settings.
    void setPortDevice(const QString& device);
    // The notices by which the open editor windows keep each other's lists current.
    DocumentEvents& documentEvents() { return documentEvents_; }
    ProgressWindowHost& progressHost() const { return *progress_; }

    QString fileFilter() const { return fileFilter_; }
    QMdiArea* mdiArea() const { return mdi_; }
    QWidget* childWindow(ChildKind kind) const;

    // The placement that Exit stores: the frame's position and the client size of the
    // normal (not maximised) window.
    QRect NormalPlacement() const;
    // The frame's context menu: the View menu's items.
    QMenu* createPopupMenu() override;

    // Tree panel width rules: at least 300 twips and inside the frame's client width.
    static bool IsTreeWidthAllowed(int widthPx, int clientWidthPx);

    // Commands, as the menu items and toolbar buttons run them.
    void fileNew(bool confirm);
    void fileOpen();
    void fileSave();
    bool fileSaveAs();
    // The channel list as CSV, and its import into the open document as one change.
    void exportChannels();
    void importChannels();
    void initialSetting();
    void readFromRadio();
    void writeToRadio();
    void showComSet();
    void showLanguage();
    void showAbout();
    // Edit > Undo and Redo: the open windows show the restored document at once.
    void undoEdit();
    void redoEdit();
    const DocumentHistory& history() const { return history_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildTreePanel();
    void rebuildTree();
    void restorePlacement();
    void savePlacement();
    bool isInNormalState() const;
    void noteFrameOffset();
    void applyBackground();
    void setMainCaption();
    void reopenChannelWindow();
    // Asks whether to save a modified document; false when the caller must stop.
    bool settleModifiedDocument();
    bool saveUnderCurrentName();
    void onTreeItemClicked(QTreeWidgetItem* item);
    void onSplitterMoved();
    // Port, confirmation and image, then the engine (read or write).
    void startRadioOperation(int16_t operation);
    // After a successful read the image becomes the document; both report completion.
    void onRadioOperationFinished(bool success);
    // Setup > Verify after Write: reads a finished write back and reports with its completion.
    void startWriteVerification();
    void onWriteVerified(bool success);
    void setVerifyWrite(bool on);
    QAction* addMenuItem(QMenu* menu, const char* name);
    void addChannelListItems();
    QString channelListFilter() const;
    // Undo and Redo head the Edit menu; their captions name the step they would take.
    void buildUndoItems();
    void updateUndoItems();
    // The document was replaced as a whole: its history starts again from here.
    void resetHistory();
    void restoreStep(bool back);

    AppState& app_;
    MainWindowServices services_;
    DocumentEvents documentEvents_;
    DocumentHistory history_;
    EditorServices editorServices_;
    QString fileFilter_;
    std::map<QString, QAction*> menuItems_;   // by control name: "mnuFileNew", ...
    std::map<QString, QMenu*> menus_;         // "mnuFile", ...
    std::map<QString, QAction*> toolButtons_; // by key: "新建", ...
    QToolBar* toolBar_ = nullptr;
    QWidget* treePanel_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QLabel* portPanel_ = nullptr;
    QTimer* timerWrite_ = nullptr;
    int lastTreeWidth_ = 0;
    // Client area position relative to the frame, as last seen in the normal state.
    std::optional<QPoint> frameOffset_;
    std::map<ChildKind, QPointer<QMdiSubWindow>> children_;
    std::unique_ptr<ProgressWindowHost> progress_;
    LinkTimer* waitTimer_ = nullptr; // WaitTimer
    ModComm* comm_ = nullptr;
    int16_t radioOperation_ = 0;
    WriteVerification verification_;
    QString portDevice_;
    bool portDeviceSet_ = false;
};
