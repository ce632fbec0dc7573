#include "GuiTestSupport.h"

#include "files/DataFile.h"
#include "i18n/Texts.h"
#include "link/CloneEngine.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

Q_DECLARE_METATYPE(PromptAnswer)

namespace {

QString SettingOf(const QString& text, const QString& key)
{
    for (const QString& line : text.split(QStringLiteral("\n"))) {
        const QString t = line.trimmed();
        if (t.startsWith(key + QLatin1Char('=')))
            return t.mid(key.size() + 1);
    }
    return {};
}

QStringList MenuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << a->text();
    return texts;
}

void Modify(AppState& app)
{
    app.Doc.Data.Opt.VoxFunction = app.Doc.Data.Opt.VoxFunction ? 0 : 1;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startupLanguage_data();
    void startupLanguage();
    void menusToolbarAndTreeInEnglish();
    void placementRestoredAndSaved();
    void maximisedExitKeepsNormalPlacement();
    void newDocument_data();
    void newDocument();
    void saveAndOpenRoundTrip();
    void openCancelPaths_data();
    void openCancelPaths();
    void saveAsFailureKeepsName();
    void exitQuestions_data();
    void exitQuestions();
    void languageSwitchRebuildsEverything();
    void writeCommitsEditsThenReportsPort();
    void treeHideButton();
    void contextMenuKeepsViewItemsInStep();
};

void MainWindowTest::startupLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("systemLanguage");
    QTest::addColumn<QString>("comPort");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("status");
    const QString firstRun = QStringLiteral("[language]\nIsFirstRun=1\ncomPort=1\nCurrentLanguage=1\n");
    QTest::newRow("first run, Chinese system") << "zh_CN" << firstRun << 2 << 2 << "1"
                                               << "MH5120[28.0000 - 29.6990 MHz][文件名:new.dat]"
                                               << "通信口1";
    QTest::newRow("first run, English system") << "en_US" << firstRun << 1 << 1 << "1"
                                               << "MH5120[28.0000 - 29.6990 MHz][File Name:new.dat]"
                                               << "COM1";
    QTest::newRow("stored Chinese, English system") << "en_US"
                                                    << "[language]\nIsFirstRun=0\ncomPort=3\nCurrentLanguage=2\n"
                                                    << 2 << 1 << "3"
                                                    << "MH5120[28.0000 - 29.6990 MHz][文件名:new.dat]"
                                                    << "通信口3";
    QTest::newRow("broken file") << "en_US"
                                 << "[language]\nIsFirstRun=0\ncomPort=x\nCurrentLanguage=\n"
                                 << 1 << 1 << "1"
                                 << "MH5120[28.0000 - 29.6990 MHz][File Name:new.dat]"
                                 << "COM1";
}

void MainWindowTest::startupLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, settings);
    QFETCH(int, language);
    QFETCH(int, systemLanguage);
    QFETCH(QString, comPort);
    QFETCH(QString, caption);
    QFETCH(QString, status);
    TestInstall install(settings);
    TestProgram program(install, locale);
    QCOMPARE(program.app.Settings.LanguageIndex, language);
    QCOMPARE(program.app.Settings.SystemLanguage, systemLanguage);
    const QString ini = install.settingsText();
    QCOMPARE(SettingOf(ini, QStringLiteral("IsFirstRun")), QStringLiteral("0"));
    QCOMPARE(SettingOf(ini, QStringLiteral("CurrentLanguage")), QString::number(language));
    QCOMPARE(SettingOf(ini, QStringLiteral("comPort")), comPort);

    program.showAndActivate();
    MainWindow& w = *program.window;
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("portPanel"))->text(), status);
    QCOMPARE(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), Text(Menu::File, language));
    QCOMPARE(w.findChild<QTreeWidget*>()->topLevelItem(0)->child(0)->text(0), Text(Menu::ChannelInfo, language));
    // After the first activation the windows are built in the language in force.
    QCOMPARE(program.app.Settings.AppliedLanguage, language);
    QVERIFY(w.childWindow(ChildKind::ChannelInfo));
    QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
    QVERIFY(program.prompt.asked.empty());
    QVERIFY(!w.mdiArea()->background().texture().isNull());
}

void MainWindowTest::menusToolbarAndTreeInEnglish()
{
    TestInstall install;
    TestProgram program(install);
    MainWindow& w = *program.window;
    QStringList titles;
    for (const QAction* a : w.menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Program", "&Setup", "&View", "&Window", "&Help"}));
    const std::pair<const char*, QStringList> menus[] = {
        {"mnuFile", {"&New", "&Open", "&Save", "Save &As", "Export Channels...", "Import Channels...", "E&xit"}},
        {"mnuEdit", {"&Undo", "&Redo", "", "&Channel Information", "&Option Features", "&Roger Beep"}},
        {"mnuProgram", {"&Read from Radio", "&Write to Radio"}},
        {"mnuSet", {"&Communication Port", "&Language Setup", "&Initial Setting", "Verify after &Write"}},
        {"mnuView", {"Tree &View", "&Toolbar", "&Status Bar"}},
        {"mnuWindow", {"&Cascade", "Close All &Windows"}},
        {"mnuHelp", {"&About TRK5120"}},
    };
    for (const auto& [name, items] : menus)
        QCOMPARE(MenuTexts(w.findChild<QMenu*>(QLatin1String(name))), items);

    QStringList keys, tips;
    for (const QAction* a : w.findChild<QToolBar*>(QStringLiteral("tbToolBar"))->actions()) {
        keys << a->objectName();
        tips << a->toolTip();
    }
    QCOMPARE(keys, QStringList({"新建", "打开", "保存", "ReadRadio", "CommSet", "WriteRadio", "About"}));
    QCOMPARE(tips, QStringList({"New", "Open", "Save", "Read from Radio", "Communication Port", "Write to Radio",
                                "About TRK5120"}));

    const QTreeWidgetItem* root = w.findChild<QTreeWidget*>(QStringLiteral("TreeView1"))->topLevelItem(0);
    QCOMPARE(root->data(0, Qt::UserRole).toString(), QStringLiteral("N0"));
    QCOMPARE(root->text(0), QStringLiteral("MH5120"));
    QStringList nodes;
    for (int i = 0; i < root->childCount(); ++i)
        nodes << root->child(i)->data(0, Qt::UserRole).toString() + QLatin1Char('=') + root->child(i)->text(0);
    QCOMPARE(nodes, QStringList({"N1=&Channel Information", "N2=&Option Features", "N12=Roger Beep", "N5=&DTMF"}));
    QCOMPARE(w.fileFilter(), QStringLiteral("Data File (*.dat)"));
}

void MainWindowTest::placementRestoredAndSaved()
{
    QSettings store(QStringLiteral("TRK5120"), QStringLiteral("TRK5120"));
    store.remove(QStringLiteral("Settings"));
    store.sync();
    TestInstall install;
    {
        TestProgram program(install);
        QCOMPARE(program.window->size(), QSize(14500 / 15, 10500 / 15));
        program.window->show();
        program.window->resize(600, 450);
        QVERIFY(program.window->close());
    }
    store.sync();
    QCOMPARE(store.value(QStringLiteral("Settings/MainWidth")).toString(), QStringLiteral("9000"));
    QCOMPARE(store.value(QStringLiteral("Settings/MainHeight")).toString(), QStringLiteral("6750"));
    {
        TestProgram program(install);
        QCOMPARE(program.window->size(), QSize(600, 450));
        program.window->showMinimized();
        program.window->resize(300, 300);
        QVERIFY(program.window->isMinimized());
        QVERIFY(program.window->close());
    }
    store.sync();
    // Minimized at exit: the earlier placement stays.
    QCOMPARE(store.value(QStringLiteral("Settings/MainWidth")).toString(), QStringLiteral("9000"));
    store.setValue(QStringLiteral("Settings/MainWidth"), QStringLiteral("garbage"));
    store.sync();
    TestProgram program(install);
    QCOMPARE(program.window->width(), 14500 / 15);
}

void MainWindowTest::maximisedExitKeepsNormalPlacement()
{
    QSettings store(QStringLiteral("TRK5120"), QStringLiteral("TRK5120"));
    store.remove(QStringLiteral("Settings"));
    store.sync();
    TestInstall install;
    QPoint framePos;
    QSize normalSize;
    {
        TestProgram program(install);
        MainWindow& w = *program.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(120, 90);
        w.resize(640, 480);
        QTRY_COMPARE(w.pos(), QPoint(120, 90));
        framePos = w.pos();
        normalSize = w.size();
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        QTRY_VERIFY(w.size() != normalSize);
        QCOMPARE(w.NormalPlacement(), QRect(framePos, normalSize));
        QVERIFY(w.close());
    }
    store.sync();
    QCOMPARE(store.value(QStringLiteral("Settings/MainLeft")).toString(), QString::number(framePos.x() * 15));
    QCOMPARE(store.value(QStringLiteral("Settings/MainTop")).toString(), QString::number(framePos.y() * 15));
    QCOMPARE(store.value(QStringLiteral("Settings/MainWidth")).toString(), QString::number(normalSize.width() * 15));
    // The next start comes up where the window was before it was maximised.
    TestProgram program(install);
    program.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));
    QTRY_COMPARE(program.window->pos(), framePos);
    QCOMPARE(program.window->size(), normalSize);
}

void MainWindowTest::newDocument_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("answers"); // -1: none asked
    QTest::addColumn<bool>("replaced");
    QTest::newRow("menu, OK") << true << int(PromptAnswer::Ok) << true;
    QTest::newRow("menu, Cancel") << true << int(PromptAnswer::Cancel) << false;
    QTest::newRow("toolbar, no question") << false << -1 << true;
}

void MainWindowTest::newDocument()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, answers);
    QFETCH(bool, replaced);
    TestInstall install;
    TestProgram program(install);
    Modify(program.app);
    QVERIFY(IsDocumentModified(program.app.Doc, program.app.Saved));
    if (answers >= 0)
        program.prompt.answers.push_back(PromptAnswer(answers));
    const int before = program.editors.created;
    program.window->findChild<QAction*>(fromMenu ? QStringLiteral("mnuFileNew") : QStringLiteral("新建"))->trigger();
    if (fromMenu) {
        QCOMPARE(program.prompt.asked.size(), size_t(1));
        QCOMPARE(program.prompt.asked[0].text, QStringLiteral("All data will be cleared."));
        QCOMPARE(program.prompt.asked[0].buttons, PromptButtons::OkCancel);
        QCOMPARE(program.prompt.asked[0].icon, PromptIcon::Exclamation);
    } else {
        QVERIFY(program.prompt.asked.empty());
    }
    QCOMPARE(IsDocumentModified(program.app.Doc, program.app.Saved), !replaced);
    QCOMPARE(program.editors.created, before + (replaced ? 1 : 0));
    QCOMPARE(program.window->mdiArea()->subWindowList().size(), 1);
}

void MainWindowTest::saveAndOpenRoundTrip()
{
    TestInstall install;
    TestProgram program(install);
    const QString path = install.filePath(QStringLiteral("my.dat"));
    Modify(program.app);
    const int16_t vox = program.app.Doc.Data.Opt.VoxFunction;
    // A new document: Save asks for a name, suggesting the current one.
    program.files.names.push_back(path);
    program.window->findChild<QAction*>(QStringLiteral("mnuFileSave"))->trigger();
    QCOMPARE(program.files.saves, 1);
    QCOMPARE(program.files.suggestions, QStringList({"new.dat"}));
    QCOMPARE(program.files.filters.value(0), QStringLiteral("Data File (*.dat)"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(program.app.DocState.DocPath, path);
    QCOMPARE(program.app.DocState.IsNewDoc, int16_t(0));
    QVERIFY(program.window->windowTitle().endsWith(QStringLiteral("[File Name:my.dat]")));
    QVERIFY(program.prompt.asked.empty());

    // Saved once: Save asks before overwriting; Cancel writes nothing.
    Modify(program.app);
    program.prompt.answers = {PromptAnswer::Cancel};
    program.window->findChild<QAction*>(QStringLiteral("保存"))->trigger();
    QCOMPARE(program.prompt.asked.back().text, QStringLiteral("\"my.dat\"file will be Overwrite,Continue?"));
    QCOMPARE(program.prompt.asked.back().buttons, PromptButtons::OkCancel);
    QCOMPARE(program.prompt.asked.back().icon, PromptIcon::Question);
    QVERIFY(IsDocumentModified(program.app.Doc, program.app.Saved));

    // Open the saved file over the modified document, answering No to saving it.
    program.prompt.answers = {PromptAnswer::No};
    program.files.names.push_back(path);
    program.window->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(program.prompt.asked.back().text, QStringLiteral("File has been modify,save it now?"));
    QCOMPARE(program.prompt.asked.back().buttons, PromptButtons::YesNoCancel);
    QCOMPARE(program.prompt.asked.back().icon, PromptIcon::Exclamation);
    QCOMPARE(program.app.Doc.Data.Opt.VoxFunction, vox);
    QVERIFY(!IsDocumentModified(program.app.Doc, program.app.Saved));
    QVERIFY(program.window->childWindow(ChildKind::ChannelInfo));
    QVERIFY(program.prompt.unexpected.isEmpty());
}

void MainWindowTest::openCancelPaths_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<QString>("chosen"); // empty: dialog cancelled
    QTest::addColumn<QString>("message");
    QTest::newRow("question cancelled") << int(PromptAnswer::Cancel) << false << ""
                                        << "";
    QTest::newRow("dialog cancelled") << int(PromptAnswer::No) << true << ""
                                      << "";
    QTest::newRow("not a data file") << int(PromptAnswer::No) << true << "bad.dat"
                                     << "Unknown version Of DataFile!";
}

void MainWindowTest::openCancelPaths()
{
    QFETCH(int, answer);
    QFETCH(bool, dialogShown);
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    TestInstall install;
    TestProgram program(install);
    Modify(program.app);
    const RadioDocument before = program.app.Doc;
    const QString title = program.window->windowTitle();
    program.prompt.answers = {PromptAnswer(answer), PromptAnswer::Ok};
    if (!chosen.isEmpty()) {
        QFile bad(install.filePath(chosen));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("garbage, no version");
        bad.close();
        program.files.names.push_back(install.filePath(chosen));
    }
    program.window->findChild<QAction*>(QStringLiteral("打开"))->trigger();
    QCOMPARE(program.files.opens, dialogShown ? 1 : 0);
    QCOMPARE(program.app.DocState.DocPath, QStringLiteral("new.dat"));
    QCOMPARE(program.window->windowTitle(), title);
    QCOMPARE(program.app.Doc.Data.Opt.VoxFunction, before.Data.Opt.VoxFunction);
    if (!message.isEmpty())
        QCOMPARE(program.prompt.asked.back().text, message);
    // Only a real open attempt closes the windows.
    QCOMPARE(program.window->childWindow(ChildKind::ChannelInfo) != nullptr, chosen.isEmpty());
}

void MainWindowTest::saveAsFailureKeepsName()
{
    TestInstall install;
    TestProgram program(install);
    program.files.names.push_back(install.filePath(QStringLiteral("no/such/folder/x.dat")));
    program.prompt.answers = {PromptAnswer::Ok};
    program.window->findChild<QAction*>(QStringLiteral("mnuFileSaveAs"))->trigger();
    QCOMPARE(program.prompt.asked.size(), size_t(1));
    QCOMPARE(program.prompt.asked[0].text, QStringLiteral("file error."));
    QCOMPARE(program.app.DocState.DocPath, QStringLiteral("new.dat"));
    QVERIFY(program.window->windowTitle().endsWith(QStringLiteral(":new.dat]")));
}

void MainWindowTest::exitQuestions_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // name given to the save dialog
    QTest::addColumn<bool>("closes");
    QTest::newRow("unmodified") << false << -1 << "" << true;
    QTest::newRow("Cancel keeps running") << true << int(PromptAnswer::Cancel) << "" << false;
    QTest::newRow("No discards") << true << int(PromptAnswer::No) << "" << true;
    QTest::newRow("Yes saves a new document under a chosen name")
        << true << int(PromptAnswer::Yes) << "exit.dat" << true;
    QTest::newRow("Yes, save dialog cancelled") << true << int(PromptAnswer::Yes) << "" << false;
}

void MainWindowTest::exitQuestions()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    TestInstall install;
    TestProgram program(install);
    program.window->show();
    if (modified)
        Modify(program.app);
    if (answer >= 0)
        program.prompt.answers.push_back(PromptAnswer(answer));
    if (!saveAs.isEmpty())
        program.files.names.push_back(install.filePath(saveAs));
    QCOMPARE(program.window->close(), closes);
    QCOMPARE(program.prompt.asked.size(), size_t(modified ? 1 : 0));
    if (!saveAs.isEmpty())
        QVERIFY(QFile::exists(install.filePath(saveAs)));
    QVERIFY(program.prompt.unexpected.isEmpty());
}

void MainWindowTest::languageSwitchRebuildsEverything()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("zh_CN"));
    // Start in English on a Chinese system, then choose Chinese in the language window.
    program.app.Settings.LanguageIndex = program.app.Settings.AppliedLanguage = 1;
    program.window->Change_Language();
    program.showAndActivate();
    const int before = program.editors.created;
    QStringList offered;
    WhenModalShown([&offered](QWidget* dialog) {
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("languageList"));
        for (int i = 0; i < combo->count(); ++i)
            offered << combo->itemText(i);
        offered << QStringLiteral("selected:") + combo->currentText();
        combo->setCurrentIndex(1);
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    program.window->findChild<QAction*>(QStringLiteral("mnuLanguage"))->trigger();
    QCOMPARE(offered, QStringList({"English", "Chinese", "selected:English"}));
    QCOMPARE(program.app.Settings.LanguageIndex, int16_t(2));
    QCOMPARE(program.app.Settings.AppliedLanguage, int16_t(2));
    QCOMPARE(SettingOf(install.settingsText(), QStringLiteral("CurrentLanguage")), QStringLiteral("2"));
    MainWindow& w = *program.window;
    QCOMPARE(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), QStringLiteral("文件&F"));
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("mnuHelpAbout"))->text(), QStringLiteral("关于 TRK5120(&A)"));
    QCOMPARE(w.findChild<QTreeWidget*>()->topLevelItem(0)->child(2)->text(0), QStringLiteral("RB音"));
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("portPanel"))->text(), QStringLiteral("通信口1"));
    QVERIFY(w.windowTitle().contains(QStringLiteral("[文件名:new.dat]")));
    QCOMPARE(w.fileFilter(), QStringLiteral("数据文件 (*.dat)"));
    QStringList tips;
    for (const QAction* a : w.findChild<QToolBar*>(QStringLiteral("tbToolBar"))->actions())
        tips << a->toolTip();
    QCOMPARE(tips,
             QStringList({"新建", "打开", "保存", "从对讲机读取数据", "通讯端口", "向对讲机写入数据", "关于 TRK5120"}));
    QCOMPARE(program.editors.created, before + 1);
    QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
}

void MainWindowTest::writeCommitsEditsThenReportsPort()
{
    TestInstall install;
    TestProgram program(install);
    program.window->setPortDevice(install.filePath(QStringLiteral("no-such-port")));
    program.prompt.answers = {PromptAnswer::Ok};
    program.window->findChild<QAction*>(QStringLiteral("mnuWriteToRadio"))->trigger();
    QCOMPARE(program.editors.committed, 1); // the channel window is open; the others are not
    QVERIFY(program.prompt.asked.empty());  // the write starts from TimerWrite
    QTRY_COMPARE(program.prompt.asked.size(), size_t(1));
    QVERIFY(program.prompt.asked[0].text.startsWith(QStringLiteral("Cannot Open Communication Port.")));
    QCOMPARE(program.prompt.asked[0].icon, PromptIcon::Critical);
    QVERIFY(!program.window->radioLink().isBusy());
}

void MainWindowTest::treeHideButton()
{
    TestInstall install;
    TestProgram program(install);
    program.window->show();
    auto* treeView = program.window->findChild<QAction*>(QStringLiteral("mnuTreeView"));
    auto* panel = program.window->findChild<QWidget*>(QStringLiteral("treePanel"));
    QVERIFY(panel->isVisible());
    program.window->findChild<QAction*>(QStringLiteral("删除"))->trigger();
    QVERIFY(!panel->isVisible());
    QVERIFY(!treeView->isChecked());
    treeView->trigger();
    QVERIFY(panel->isVisible());
    QVERIFY(MainWindow::IsTreeWidthAllowed(20, 600));
    QVERIFY(!MainWindow::IsTreeWidthAllowed(19, 600));
    QVERIFY(!MainWindow::IsTreeWidthAllowed(600, 600));
}

void MainWindowTest::contextMenuKeepsViewItemsInStep()
{
    TestInstall install;
    TestProgram program(install);
    MainWindow& w = *program.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const std::pair<const char*, QWidget*> items[] = {
        {"mnuTreeView", w.findChild<QWidget*>(QStringLiteral("treePanel"))},
        {"mnuViewToolbar", w.findChild<QToolBar*>(QStringLiteral("tbToolBar"))},
        {"mnuViewStatusBar", w.statusBar()},
    };
    auto inStep = [&] {
        for (const auto& [name, widget] : items) {
            if (w.findChild<QAction*>(QLatin1String(name))->isChecked() != widget->isVisible())
                return false;
        }
        return true;
    };
    // Every entry of the frame's context menu, switched off and on again, leaves each
    // View item's check mark telling whether its part of the window is shown.
    std::unique_ptr<QMenu> popup(w.createPopupMenu());
    QVERIFY(popup && !popup->actions().isEmpty());
    for (QAction* entry : popup->actions()) {
        entry->trigger();
        QVERIFY2(inStep(), qPrintable(entry->text()));
        entry->trigger();
        QVERIFY2(inStep(), qPrintable(entry->text()));
    }
    QVERIFY(w.findChild<QToolBar*>(QStringLiteral("tbToolBar"))->isVisible());
}

TRK_GUI_TEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
