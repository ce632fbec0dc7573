#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/Artwork.h"
#include "app/FileChooser.h"
#include "app/LanguageWindow.h"
#include "app/PortWindow.h"
#include "app/ProgressWindow.h"
#include "document/Clock.h"
#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "files/ChannelCsv.h"
#include "files/DataFile.h"
#include "i18n/EditTexts.h"
#include "i18n/ExchangeTexts.h"
#include "i18n/FeatureTexts.h"
#include "i18n/SafeguardTexts.h"
#include "i18n/Texts.h"
#include "link/CloneEngine.h"
#include "link/PortDirectory.h"
#include "link/QtSerialLink.h"
#include "session/AppState.h"
#include "session/RadioOperation.h"
#include "session/Settings.h"
#include "session/UserPrompt.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Placement is kept in twips, as the settings store has always held it; at 96 dpi a
// pixel is 15 twips.
constexpr int kTwipsPerPixel = 15;
constexpr int kMinTreeWidthTwips = 300;
constexpr int kWriteDelayMs = 20;

struct PlacementKey {
    const char* key;
    int fallback;
    int low;
    int high;
};
// Values outside these ranges come from a damaged store and would put the window off
// every screen: they fall back to the default.
constexpr PlacementKey kLeft{"MainLeft", 100, -15000, 150000};
constexpr PlacementKey kTop{"MainTop", 100, -15000, 150000};
constexpr PlacementKey kWidth{"MainWidth", 14500, 1500, 150000};
constexpr PlacementKey kHeight{"MainHeight", 10500, 1500, 150000};

int ReadPlacement(QSettings& settings, const PlacementKey& k)
{
    const QString text = settings.value(QLatin1String(k.key)).toString().trimmed();
    bool ok = false;
    const int value = QLocale::c().toInt(text, &ok);
    if (!ok || value < k.low || value > k.high)
        return k.fallback;
    return value;
}

// The roger-beep window's own caption table names its menu item and tree node.
constexpr int kRogerBeepMenuCaption = 10221;
constexpr int kRogerBeepNodeCaption = 12014;

QString RogerBeepNodeText(int language)
{
    return RogerBeepCaption(kRogerBeepNodeCaption, language);
}

QSettings PlacementStore()
{
    return QSettings(QStringLiteral("TRK5120"), QStringLiteral("TRK5120"));
}

// Menu items by control name, their captions, and the menu they belong to.
struct MenuItemDef {
    const char* name;
    Menu caption;
};
struct MenuDef {
    const char* name;
    Menu caption;
    std::initializer_list<MenuItemDef> items;
};
const MenuDef kMenus[] = {
    {"mnuFile",
     Menu::File,
     {{"mnuFileNew", Menu::FileNew},
      {"mnuFileOpen", Menu::FileOpen},
      {"mnuFileSave", Menu::FileSave},
      {"mnuFileSaveAs", Menu::FileSaveAs},
      {"mnuFileExit", Menu::FileExit}}},
    {"mnuEdit",
     Menu::Edit,
     {{"mnuChannelInfo", Menu::ChannelInfo}, {"mnuOptFeature", Menu::OptFeature}, {"mnuToneTips", Menu::ToneTips}}},
    {"mnuProgram", Menu::Program, {{"mnuReadFromRadio", Menu::ReadFromRadio}, {"mnuWriteToRadio", Menu::WriteToRadio}}},
    {"mnuSet", Menu::Set, {{"mnuComm", Menu::Comm}, {"mnuLanguage", Menu::Language}, {"MnuInitial", Menu::Initial}}},
    {"mnuView",
     Menu::View,
     {{"mnuTreeView", Menu::TreeView},
      {"mnuViewToolbar", Menu::ViewToolbar},
      {"mnuViewStatusBar", Menu::ViewStatusBar}}},
    {"mnuWindow", Menu::Window, {{"mnuWindowCascade", Menu::WindowCascade}, {"mnuCloseAll", Menu::CloseAll}}},
    {"mnuHelp", Menu::Help, {{"mnuHelpAbout", Menu::HelpAbout}}},
};

// Toolbar buttons by key and the menu item whose caption is their tooltip.
struct ToolButtonDef {
    const char* key;
    Menu tip;
    QStyle::StandardPixmap icon;
};
const ToolButtonDef kToolButtons[] = {
    {"新建", Menu::FileNew, QStyle::SP_FileIcon},
    {"打开", Menu::FileOpen, QStyle::SP_DialogOpenButton},
    {"保存", Menu::FileSave, QStyle::SP_DialogSaveButton},
    {"ReadRadio", Menu::ReadFromRadio, QStyle::SP_ArrowDown},
    {"CommSet", Menu::Comm, QStyle::SP_ComputerIcon},
    {"WriteRadio", Menu::WriteToRadio, QStyle::SP_ArrowUp},
    {"About", Menu::HelpAbout, QStyle::SP_MessageBoxInformation},
};

} // namespace

MainWindow::MainWindow(AppState& app, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), app_(app),
      services_(std::move(services)), editorServices_{app_, services_.prompt, documentEvents_}
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(ProgramIcon());

    mdi_ = new QMdiArea;
    mdi_->setObjectName(QStringLiteral("childWindowArea"));
    // An editor taller or wider than the frame (the optional features on a small screen) stays
    // reachable by scrolling the area.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    buildTreePanel();
    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName(QStringLiteral("treeSplitter"));
    splitter_->addWidget(treePanel_);
    splitter_->addWidget(mdi_);
    splitter_->setCollapsible(0, false);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({200, 800});
    lastTreeWidth_ = 200;
    connect(splitter_, &QSplitter::splitterMoved, this, &MainWindow::onSplitterMoved);
    setCentralWidget(splitter_);

    buildMenus();
    buildToolbar();
    portPanel_ = new QLabel;
    portPanel_->setObjectName(QStringLiteral("portPanel"));
    statusBar()->addPermanentWidget(portPanel_);

    timerWrite_ = new QTimer(this);
    timerWrite_->setObjectName(QStringLiteral("TimerWrite"));
    timerWrite_->setSingleShot(true);
    timerWrite_->setInterval(kWriteDelayMs);
    connect(timerWrite_, &QTimer::timeout, this, [this] {
        timerWrite_->stop();
        startRadioOperation(kLinkWrite);
    });

    if (!services_.link)
        services_.link = new QtSerialLink(this);
    if (!services_.listPorts) {
        services_.listPorts = [this] {
            PortDirectory directory(app_.Paths.settingsFile());
            QStringList entries;
            EnumeratePorts(entries, directory);
            return entries;
        };
    }
    progress_ = std::make_unique<ProgressWindowHost>(app_.Settings, this);
    waitTimer_ = new QtLinkTimer(this);
    comm_ = new ModComm(*services_.link, *waitTimer_, services_.prompt, *progress_, app_.Image, this);
    comm_->setObjectName(QStringLiteral("ModComm"));
    WireIdentityCheck(*comm_, app_, services_.prompt, services_.launcher, *services_.link);
    connect(comm_, &ModComm::finished, this, &MainWindow::onRadioOperationFinished);

    // The channel window's work mode selector changes the band the caption names.
    connect(&documentEvents_, &DocumentEvents::workModeChanged, this, [this] { setMainCaption(); });
    connect(&documentEvents_, &DocumentEvents::documentEdited, this, [this](const QString& description) {
        history_.record(app_.Doc, description);
        updateUndoItems();
    });

    restorePlacement();
    RebuildCaptions();
    rebuildTree();
    LoadNewDoc();
}

MainWindow::~MainWindow()
{
    // The engine refers to the progress host: it goes first.
    delete comm_;
    comm_ = nullptr;
}

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name)
{
    auto* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    menuItems_[QLatin1String(name)] = action;
    return action;
}

void MainWindow::buildMenus()
{
    for (const MenuDef& def : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QLatin1String(def.name));
        menus_[QLatin1String(def.name)] = menu;
        for (const MenuItemDef& item : def.items)
            addMenuItem(menu, item.name);
    }
    auto on = [this](const char* name, auto handler) {
        connect(menuItems_.at(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("mnuFileNew", [this] { fileNew(true); });
    on("mnuFileOpen", [this] { fileOpen(); });
    on("mnuFileSave", [this] { fileSave(); });
    on("mnuFileSaveAs", [this] { fileSaveAs(); });
    on("mnuFileExit", [this] { close(); });
    addChannelListItems();
    on("mnuChannelInfo", [this] { ShowChildWindow(ChildKind::ChannelInfo); });
    on("mnuOptFeature", [this] { ShowChildWindow(ChildKind::OptFeatures); });
    on("mnuToneTips", [this] { ShowChildWindow(ChildKind::ToneTips); });
    on("mnuReadFromRadio", [this] { readFromRadio(); });
    on("mnuWriteToRadio", [this] { writeToRadio(); });
    on("mnuComm", [this] { showComSet(); });
    on("mnuLanguage", [this] { showLanguage(); });
    on("MnuInitial", [this] { initialSetting(); });
    on("mnuWindowCascade", [this] { mdi_->cascadeSubWindows(); });
    on("mnuCloseAll", [this] { CloseOtherWindows(); });
    on("mnuHelpAbout", [this] { showAbout(); });

    buildUndoItems();
    // Set up apart from the menu table: a check mark whose caption lives with the other
    // texts of the transfer safeguards.
    QAction* verify = addMenuItem(menus_.at(QStringLiteral("mnuSet")), "mnuVerifyWrite");
    verify->setCheckable(true);
    verify->setChecked(app_.Settings.VerifyWrite == 1);
    connect(verify, &QAction::toggled, this, [this](bool on) { setVerifyWrite(on); });

    for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"}) {
        QAction* action = menuItems_.at(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(true);
    }
    connect(menuItems_.at(QStringLiteral("mnuTreeView")), &QAction::toggled, this,
            [this](bool on) { treePanel_->setVisible(on); });
    connect(menuItems_.at(QStringLiteral("mnuViewToolbar")), &QAction::toggled, this,
            [this](bool on) { toolBar_->setVisible(on); });
    connect(menuItems_.at(QStringLiteral("mnuViewStatusBar")), &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });
}

void MainWindow::buildUndoItems()
{
    QMenu* edit = menus_.at(QStringLiteral("mnuEdit"));
    QAction* first = edit->actions().value(0);
    const std::pair<const char*, QKeySequence> items[] = {
        {"mnuEditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"mnuEditRedo", QKeySequence(Qt::CTRL | Qt::Key_Y)},
    };
    for (const auto& [name, keys] : items) {
        auto* action = new QAction(edit);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        edit->insertAction(first, action);
        menuItems_[QLatin1String(name)] = action;
    }
    edit->insertSeparator(first);
    connect(menuItems_.at(QStringLiteral("mnuEditUndo")), &QAction::triggered, this, [this] { undoEdit(); });
    connect(menuItems_.at(QStringLiteral("mnuEditRedo")), &QAction::triggered, this, [this] { redoEdit(); });
}

void MainWindow::updateUndoItems()
{
    const int lang = app_.Settings.LanguageIndex;
    QAction* undo = menuItems_.at(QStringLiteral("mnuEditUndo"));
    QAction* redo = menuItems_.at(QStringLiteral("mnuEditRedo"));
    undo->setText(history_.canUndo() ? StepName(EditText::UndoStep, lang, history_.undoName())
                                     : Text(EditText::Undo, lang));
    redo->setText(history_.canRedo() ? StepName(EditText::RedoStep, lang, history_.redoName())
                                     : Text(EditText::Redo, lang));
    undo->setEnabled(history_.canUndo());
    redo->setEnabled(history_.canRedo());
}

void MainWindow::resetHistory()
{
    history_.reset(app_.Doc);
    updateUndoItems();
}

void MainWindow::undoEdit()
{
    restoreStep(true);
}

void MainWindow::redoEdit()
{
    restoreStep(false);
}

void MainWindow::restoreStep(bool back)
{
    // A value still being typed is the user's latest change: the field takes it as it does
    // when the focus leaves it, so Undo takes it back first and Redo can bring it again.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    if (focused)
        focused->clearFocus();
    const int16_t modeBefore = app_.Doc.Data.WorkMode;
    const bool moved = back ? history_.undo(app_.Doc) : history_.redo(app_.Doc);
    if (moved) {
        if (app_.Doc.Data.WorkMode != modeBefore) {
            app_.DocState.BandText = BandTextOf(ActiveMode(app_.Doc.Data));
            ParseBandLimits(app_.DocState);
            emit documentEvents_.workModeChanged();
        }
        emit documentEvents_.documentRestored();
    }
    updateUndoItems();
    if (focused && focused->isVisible())
        focused->setFocus();
    else if (QMdiSubWindow* active = mdi_->activeSubWindow(); active && active->widget())
        active->widget()->setFocus();
}

void MainWindow::buildToolbar()
{
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("tbToolBar"));
    toolBar_->setMovable(false);
    for (const ToolButtonDef& def : kToolButtons) {
        QAction* action = toolBar_->addAction(style()->standardIcon(def.icon), QString());
        action->setObjectName(QString::fromUtf8(def.key));
        toolButtons_[QString::fromUtf8(def.key)] = action;
    }
    auto on = [this](const char* key, auto handler) {
        connect(toolButtons_.at(QString::fromUtf8(key)), &QAction::triggered, this, handler);
    };
    on("新建", [this] { fileNew(false); });
    on("打开", [this] { fileOpen(); });
    on("保存", [this] { fileSave(); });
    on("ReadRadio", [this] { readFromRadio(); });
    on("CommSet", [this] { showComSet(); });
    on("WriteRadio", [this] { writeToRadio(); });
    on("About", [this] { showAbout(); });
}

void MainWindow::buildTreePanel()
{
    treePanel_ = new QWidget;
    treePanel_->setObjectName(QStringLiteral("treePanel"));
    treePanel_->setMinimumWidth(kMinTreeWidthTwips / kTwipsPerPixel);
    auto* layout = new QVBoxLayout(treePanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setIconSize(QSize(12, 12));
    QAction* hide = bar->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    hide->setObjectName(QStringLiteral("删除"));
    connect(hide, &QAction::triggered, this,
            [this] { menuItems_.at(QStringLiteral("mnuTreeView"))->setChecked(false); });
    layout->addWidget(bar);
    tree_ = new QTreeWidget;
    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setHeaderHidden(true);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onTreeItemClicked(item); });
    layout->addWidget(tree_);
}

void MainWindow::rebuildTree()
{
    const int lang = app_.Settings.LanguageIndex;
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, {app_.DocState.ProgModel});
    root->setData(0, Qt::UserRole, QStringLiteral("N0"));
    const std::pair<const char*, QString> nodes[] = {
        {"N1", Text(Menu::ChannelInfo, lang)},
        {"N2", Text(Menu::OptFeature, lang)},
        {"N12", RogerBeepNodeText(lang)},
        {"N5", Text(Menu::DTMF, lang)},
    };
    for (const auto& [key, text] : nodes) {
        auto* item = new QTreeWidgetItem(root, {text});
        item->setData(0, Qt::UserRole, QLatin1String(key));
    }
    root->setExpanded(true);
}

void MainWindow::onTreeItemClicked(QTreeWidgetItem* item)
{
    const QString key = item->data(0, Qt::UserRole).toString();
    if (key == QLatin1String("N1"))
        ShowChildWindow(ChildKind::ChannelInfo);
    else if (key == QLatin1String("N2"))
        ShowChildWindow(ChildKind::OptFeatures);
    else if (key == QLatin1String("N12"))
        ShowChildWindow(ChildKind::ToneTips);
    else if (key == QLatin1String("N5"))
        ShowChildWindow(ChildKind::DTMF);
}

bool MainWindow::IsTreeWidthAllowed(int widthPx, int clientWidthPx)
{
    return widthPx * kTwipsPerPixel >= kMinTreeWidthTwips && widthPx < clientWidthPx;
}

void MainWindow::onSplitterMoved()
{
    const QList<int> sizes = splitter_->sizes();
    if (sizes.isEmpty())
        return;
    // The splitter fills the client area between toolbar and status bar.
    if (IsTreeWidthAllowed(sizes.at(0), splitter_->width())) {
        lastTreeWidth_ = sizes.at(0);
        return;
    }
    const int total = sizes.at(0) + (sizes.size() > 1 ? sizes.at(1) : 0);
    splitter_->setSizes({lastTreeWidth_, qMax(0, total - lastTreeWidth_)});
}

void MainWindow::restorePlacement()
{
    QSettings settings = PlacementStore();
    settings.beginGroup(QStringLiteral("Settings"));
    const int left = ReadPlacement(settings, kLeft);
    const int top = ReadPlacement(settings, kTop);
    const int width = ReadPlacement(settings, kWidth);
    const int height = ReadPlacement(settings, kHeight);
    move(left / kTwipsPerPixel, top / kTwipsPerPixel);
    resize(width / kTwipsPerPixel, height / kTwipsPerPixel);
}

bool MainWindow::isInNormalState() const
{
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void MainWindow::noteFrameOffset()
{
    // The frame is known only once the window manager has decorated the shown window.
    if (isVisible() && isInNormalState())
        frameOffset_ = geometry().topLeft() - frameGeometry().topLeft();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    noteFrameOffset();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    noteFrameOffset();
}

QRect MainWindow::NormalPlacement() const
{
    if (isInNormalState())
        return QRect(pos(), size());
    // A maximised window's own frame position is the screen corner; the place to come
    // back to is the normal one. Qt keeps that as the client area, and move() places
    // the frame: the frame's offset as seen in the normal state turns one into the
    // other, else every start would come up a title bar lower than the last.
    const QRect normal = normalGeometry();
    const QPoint offset = frameOffset_ ? *frameOffset_ : geometry().topLeft() - frameGeometry().topLeft();
    return QRect(normal.topLeft() - offset, normal.size());
}

void MainWindow::savePlacement()
{
    const QRect frame = NormalPlacement();
    QSettings settings = PlacementStore();
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QLatin1String(kLeft.key), QString::number(frame.x() * kTwipsPerPixel));
    settings.setValue(QLatin1String(kTop.key), QString::number(frame.y() * kTwipsPerPixel));
    settings.setValue(QLatin1String(kWidth.key), QString::number(frame.width() * kTwipsPerPixel));
    settings.setValue(QLatin1String(kHeight.key), QString::number(frame.height() * kTwipsPerPixel));
}

void MainWindow::applyBackground()
{
    const QString path = app_.Paths.programFolder + QStringLiteral("/PIC/BK_") +
                         QString::number(app_.Settings.LanguageIndex) + QStringLiteral(".jpg");
    QPixmap picture;
    if (QFileInfo::exists(path) && picture.load(path) && !picture.isNull())
        mdi_->setBackground(QBrush(picture));
    else
        mdi_->setBackground(palette().brush(QPalette::Dark));
}

void MainWindow::setMainCaption()
{
    const DocumentState& s = app_.DocState;
    setWindowTitle(s.ProgModel + QLatin1Char('[') + s.BandText + QStringLiteral("][") +
                   Text(Cap::FileName, app_.Settings.LanguageIndex) + QLatin1Char(':') + FileNameOf(s.DocPath) +
                   QLatin1Char(']'));
}

void MainWindow::RebuildCaptions()
{
    const int lang = app_.Settings.LanguageIndex;
    fileFilter_ = Text(Cap::DataFile, lang) + QStringLiteral(" (*.dat)");
    portPanel_->setText(Text(Cap::Com, lang) + QString::number(app_.Settings.comPort));
    applyBackground();
    setMainCaption();
    for (const MenuDef& def : kMenus) {
        menus_.at(QLatin1String(def.name))->setTitle(Text(def.caption, lang));
        for (const MenuItemDef& item : def.items)
            menuItems_.at(QLatin1String(item.name))
                ->setText(item.caption == Menu::ToneTips ? RogerBeepCaption(kRogerBeepMenuCaption, lang)
                                                         : Text(item.caption, lang));
    }
    updateUndoItems();
    menuItems_.at(QStringLiteral("mnuVerifyWrite"))->setText(SafeguardText(SafeguardMsg::MenuVerifyWrite, lang));
    for (const ToolButtonDef& def : kToolButtons) {
        QAction* button = toolButtons_.at(QString::fromUtf8(def.key));
        button->setText(WithoutAccessKey(Text(def.tip, lang)));
        button->setToolTip(WithoutAccessKey(Text(def.tip, lang)));
    }
    toolBar_->setWindowTitle(WithoutAccessKey(Text(Menu::ViewToolbar, lang)));
    menuItems_.at(QStringLiteral("mnuFileExportChannels"))->setText(Text(ExchangeText::MenuExport, lang));
    menuItems_.at(QStringLiteral("mnuFileImportChannels"))->setText(Text(ExchangeText::MenuImport, lang));
}

QMenu* MainWindow::createPopupMenu()
{
    // The frame's context menu offers the View menu's own items, so hiding the toolbar
    // there clears View > Toolbar as well, and the captions come from the same table.
    auto* menu = new QMenu(this);
    for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"})
        menu->addAction(menuItems_.at(QLatin1String(name)));
    return menu;
}

void MainWindow::Change_Language()
{
    RebuildCaptions();
    rebuildTree();
}

QWidget* MainWindow::childWindow(ChildKind kind) const
{
    const auto it = children_.find(kind);
    if (it == children_.end() || it->second.isNull())
        return nullptr;
    return it->second->widget();
}

void MainWindow::ShowChildWindow(ChildKind kind)
{
    if (const auto it = children_.find(kind); it != children_.end() && !it->second.isNull()) {
        mdi_->setActiveSubWindow(it->second);
        it->second->widget()->setFocus();
        return;
    }
    const ChildWindowEntry* entry = services_.windows.find(kind);
    if (!entry || !entry->create)
        return;
    QWidget* window = entry->create(editorServices_);
    if (!window)
        return;
    window->setObjectName(ChildWindowName(kind));
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(ChildWindowName(kind));
    children_[kind] = sub;
    sub->show();
    mdi_->cascadeSubWindows();
    // The keyboard starts in the new window, so it can be used without the mouse.
    mdi_->setActiveSubWindow(sub);
    window->setFocus();
}

void MainWindow::CloseOtherWindows()
{
    // Deleted at once rather than later: the document they show is about to be replaced.
    for (auto& [kind, sub] : children_) {
        if (!sub.isNull())
            delete sub.data();
    }
    children_.clear();
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        delete sub;
}

void MainWindow::reopenChannelWindow()
{
    ShowChildWindow(ChildKind::ChannelInfo);
    mdi_->cascadeSubWindows();
}

void MainWindow::LoadNewDoc()
{
    CloseOtherWindows();
    LoadNewTemplate(app_);
    // A new document belongs to no file, so Save asks for a name instead of overwriting
    // the file that was open before.
    ForgetDocumentFile(app_.DocState);
    RebuildCaptions();
    reopenChannelWindow();
    setMainCaption();
    resetHistory();
}

void MainWindow::fileNew(bool confirm)
{
    if (confirm && services_.prompt.ask(PromptId::ClearDocument, Text(Msg::AllDataCleared, app_.Settings.LanguageIndex),
                                        PromptButtons::OkCancel, PromptIcon::Exclamation) != PromptAnswer::Ok)
        return;
    LoadNewDoc();
}

bool MainWindow::saveUnderCurrentName()
{
    // A document without a file of its own has only the placeholder name: saving it
    // there would put the data where the user never finds it, so ask for a name.
    if (DocumentHasNoFile(app_.DocState))
        return fileSaveAs();
    return SaveDataFile(app_, services_.prompt);
}

bool MainWindow::settleModifiedDocument()
{
    if (!IsDocumentModified(app_.Doc, app_.Saved))
        return true;
    switch (services_.prompt.ask(PromptId::SaveChanges, Text(Msg::FileModified, app_.Settings.LanguageIndex),
                                 PromptButtons::YesNoCancel, PromptIcon::Exclamation)) {
    case PromptAnswer::Yes:
        // A failed save must not let the changes go: the command stops instead.
        return saveUnderCurrentName();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void MainWindow::fileOpen()
{
    if (!settleModifiedDocument())
        return;
    const std::optional<QString> chosen = services_.files.chooseOpen(this, fileFilter_);
    if (!chosen || chosen->isEmpty())
        return;
    const QString previous = app_.DocState.DocPath;
    app_.DocState.DocPath = *chosen;
    CloseOtherWindows();
    if (OpenDataFile(app_, services_.prompt, services_.launcher) != OpenResult::Opened) {
        app_.DocState.DocPath = previous;
        setMainCaption();
        return;
    }
    reopenChannelWindow();
    setMainCaption();
    Change_Language();
    resetHistory();
}

void MainWindow::fileSave()
{
    if (DocumentHasNoFile(app_.DocState)) {
        fileSaveAs();
        return;
    }
    const QString question = QLatin1Char('"') + FileNameOf(app_.DocState.DocPath) + QLatin1Char('"') +
                             Text(Msg::FileOverwrite, app_.Settings.LanguageIndex);
    if (services_.prompt.ask(PromptId::OverwriteFile, question, PromptButtons::OkCancel, PromptIcon::Question) !=
        PromptAnswer::Ok)
        return;
    SaveDataFile(app_, services_.prompt);
    setMainCaption();
}

bool MainWindow::fileSaveAs()
{
    const std::optional<QString> chosen = services_.files.chooseSave(this, fileFilter_, app_.DocState.DocPath);
    if (!chosen || chosen->isEmpty())
        return false;
    const QString previous = app_.DocState.DocPath;
    app_.DocState.DocPath = *chosen;
    const bool saved = SaveDataFile(app_, services_.prompt);
    // The caption and later saves must not name a file that was never written.
    if (!saved)
        app_.DocState.DocPath = previous;
    setMainCaption();
    return saved;
}

void MainWindow::addChannelListItems()
{
    // Below Save As, before Exit.
    QMenu* file = menus_.at(QStringLiteral("mnuFile"));
    QAction* exit = menuItems_.at(QStringLiteral("mnuFileExit"));
    for (const char* name : {"mnuFileExportChannels", "mnuFileImportChannels"}) {
        auto* action = new QAction(file);
        action->setObjectName(QLatin1String(name));
        file->insertAction(exit, action);
        menuItems_[QLatin1String(name)] = action;
    }
    connect(menuItems_.at(QStringLiteral("mnuFileExportChannels")), &QAction::triggered, this,
            [this] { exportChannels(); });
    connect(menuItems_.at(QStringLiteral("mnuFileImportChannels")), &QAction::triggered, this,
            [this] { importChannels(); });
}

QString MainWindow::channelListFilter() const
{
    return Text(ExchangeText::FileFilter, app_.Settings.LanguageIndex) + QStringLiteral(" (*.csv)");
}

void MainWindow::exportChannels()
{
    // A frequency still in the grid's editor belongs to the list.
    if (QWidget* window = childWindow(ChildKind::ChannelInfo)) {
        const ChildWindowEntry* entry = services_.windows.find(ChildKind::ChannelInfo);
        if (entry && entry->commitPendingEdits)
            entry->commitPendingEdits(window);
    }
    // Named after the data file, beside it.
    QString suggested = app_.DocState.DocPath;
    if (suggested.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
        suggested.chop(4);
    suggested += QStringLiteral(".csv");
    const std::optional<QString> chosen = services_.files.chooseSave(this, channelListFilter(), suggested);
    if (!chosen || chosen->isEmpty())
        return;
    if (!WriteFileAtomically(*chosen, ChannelsToCsv(app_.Doc)))
        services_.prompt.tell(PromptId::FileError, Text(Msg::FileError, app_.Settings.LanguageIndex),
                              PromptIcon::Critical);
}

void MainWindow::importChannels()
{
    const int lang = app_.Settings.LanguageIndex;
    const std::optional<QString> chosen = services_.files.chooseOpen(this, channelListFilter());
    if (!chosen || chosen->isEmpty())
        return;
    // Far more than the 920 channels a document holds, written out by any spreadsheet.
    constexpr qint64 kMaxChannelListBytes = 4 * 1024 * 1024;
    QByteArray csv;
    qint64 size = 0;
    if (!ReadRegularFile(*chosen, kMaxChannelListBytes, csv, &size) || size > kMaxChannelListBytes) {
        services_.prompt.tell(PromptId::FileError, Text(Msg::FileError, lang), PromptIcon::Critical);
        return;
    }
    // Whatever is still being typed belongs to the document the list goes into.
    for (const ChildKind kind : {ChildKind::ChannelInfo, ChildKind::OptFeatures}) {
        QWidget* window = childWindow(kind);
        const ChildWindowEntry* entry = services_.windows.find(kind);
        if (window && entry && entry->commitPendingEdits)
            entry->commitPendingEdits(window);
    }
    auto imported = std::make_unique<RadioDocument>(app_.Doc);
    const ChannelCsvImport result = ImportChannelsFromCsv(csv, *imported, lang);
    if (!result.imported) {
        services_.prompt.tell(PromptId::ImportRefused, ImportRefusedText(result, lang), PromptIcon::Exclamation);
        return;
    }
    // No window may go on showing the channels the import replaces.
    CloseOtherWindows();
    app_.Doc = *imported;
    reopenChannelWindow();
    // Not saved: the imported channels are an edit of the open document like any other.
    emit documentEvents_.documentEdited(Text(ExchangeText::ImportOf, lang).arg(FileNameOf(*chosen)));
}

void MainWindow::initialSetting()
{
    CloseOtherWindows();
    LoadInitTemplate(app_);
    reopenChannelWindow();
    setMainCaption();
    resetHistory();
}

void MainWindow::readFromRadio()
{
    startRadioOperation(kLinkRead);
}

void MainWindow::setPortDevice(const QString& device)
{
    portDevice_ = device;
    portDeviceSet_ = true;
}

void MainWindow::startRadioOperation(int16_t operation)
{
    if (comm_->isBusy())
        return;
    radioOperation_ = operation;
    const QString device = portDeviceSet_ ? portDevice_ : RadioPortDevice(app_);
    BeginRadioOperation(app_, *comm_, services_.prompt, operation, device);
}

void MainWindow::onRadioOperationFinished(bool success)
{
    if (verification_.isRunning()) {
        onWriteVerified(success);
        return;
    }
    if (!success)
        return;
    const int lang = app_.Settings.LanguageIndex;
    if (radioOperation_ == kLinkWrite && app_.Settings.VerifyWrite == 1) {
        // Queued: the engine is still returning from the write it just reported.
        QTimer::singleShot(0, this, [this] { startWriteVerification(); });
        return;
    }
    std::optional<BackupResult> backup;
    if (radioOperation_ == kLinkRead) {
        const SystemClock systemClock;
        const Clock& clock = services_.clock ? *services_.clock : systemClock;
        backup = KeepReadBackup(app_, comm_->radioIdentity(), clock);
        // No window may go on showing the document the image replaces.
        CloseOtherWindows();
        AdoptReadImage(app_);
        setMainCaption();
        Change_Language();
        reopenChannelWindow();
        resetHistory();
    }
    services_.prompt.tell(PromptId::Completed, CompletedText(radioOperation_, lang));
    if (backup && !backup->written)
        services_.prompt.tell(PromptId::BackupFailed, BackupFailedText(*backup, lang), PromptIcon::Exclamation);
}

void MainWindow::startWriteVerification()
{
    const QString device = portDeviceSet_ ? portDevice_ : RadioPortDevice(app_);
    if (!verification_.begin(app_, *comm_, device))
        onWriteVerified(false);
}

void MainWindow::onWriteVerified(bool success)
{
    const VerifyOutcome outcome = verification_.finish(app_, success);
    const int lang = app_.Settings.LanguageIndex;
    const QString text = CompletedText(kLinkWrite, lang) + QStringLiteral("\r\n") + VerifyReport(outcome, lang);
    if (outcome.verified())
        services_.prompt.tell(PromptId::Completed, text);
    else
        services_.prompt.tell(PromptId::VerifyFailed, text, PromptIcon::Exclamation);
}

void MainWindow::setVerifyWrite(bool on)
{
    app_.Settings.VerifyWrite = on ? 1 : 0;
    WriteSetting(app_.Paths.settingsFile(), QStringLiteral("VerifyWrite"), QString::number(app_.Settings.VerifyWrite));
}

void MainWindow::writeToRadio()
{
    for (const ChildKind kind : {ChildKind::ChannelInfo, ChildKind::OptFeatures}) {
        QWidget* window = childWindow(kind);
        const ChildWindowEntry* entry = services_.windows.find(kind);
        if (window && entry && entry->commitPendingEdits)
            entry->commitPendingEdits(window);
    }
    timerWrite_->start();
}

void MainWindow::showComSet()
{
    PortWindow window(app_.Settings, app_.Paths.settingsFile(), services_.listPorts, this);
    window.exec();
}

void MainWindow::showLanguage()
{
    LanguageWindow window(app_.Settings, app_.Paths.settingsFile(), this);
    window.exec();
    // Activation brings the main window back after the dialog closes; the check is
    // made here as well so the rebuild does not depend on the window manager.
    ApplyLanguageIfChanged();
}

void MainWindow::showAbout()
{
    AboutWindow window(app_.Settings.LanguageIndex, this);
    window.exec();
}

void MainWindow::ApplyLanguageIfChanged()
{
    if (app_.Settings.LanguageIndex == app_.Settings.AppliedLanguage)
        return;
    app_.Settings.AppliedLanguage = app_.Settings.LanguageIndex;
    Change_Language();
    CloseOtherWindows();
    reopenChannelWindow();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        // Queued: activation arrives in the middle of showing or closing other windows.
        QTimer::singleShot(0, this, [this] { ApplyLanguageIfChanged(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!settleModifiedDocument()) {
        event->ignore();
        return;
    }
    if (!isMinimized())
        savePlacement();
    CloseOtherWindows();
    event->accept();
}
