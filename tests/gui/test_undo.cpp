// Edit > Undo and Redo over the real editor windows inside the real main window.
#include "GuiTestSupport.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/ChannelDetailPanel.h"
#include "editors/channels/ChannelWindow.h"
#include "editors/channels/FrequencyEditor.h"
#include "editors/channels/FrequencyRules.h"
#include "editors/channels/GroupPanel.h"
#include "editors/features/DtmfWindow.h"
#include "editors/features/OptionFeaturesWindow.h"
#include "editors/features/RogerBeepWindow.h"
#include "files/DataFile.h"
#include "i18n/EditTexts.h"
#include "i18n/Texts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QTableWidget>

namespace {

bool SameDocument(const RadioDocument& a, const RadioDocument& b)
{
    return a.Data == b.Data && a.Channels == b.Channels;
}

QString CellText(ChannelWindow* w, int row)
{
    return w->grid()->item(row - 1, 1)->text();
}

// Moves a selector one entry by keyboard, down unless it stands on its last entry.
void StepSelector(QComboBox* combo)
{
    combo->setFocus();
    QTest::keyClick(combo, combo->currentIndex() + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
}

// What the open windows show of the values the edits below touch.
struct Shown {
    QString frequency;
    QString tsq;
    QString tot;
    QString dtmf;
    QString length;
    bool operator==(const Shown&) const = default;
};

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void editsInEveryWindowUndoneAndRedone();
    void pendingFrequencyIsTakenFirst();
    void undoneToTheSavedStateAsksNothing();
    void replacedDocumentStartsAfresh_data();
    void replacedDocumentStartsAfresh();
    void languageChangeKeepsTheSteps();
    void everyKindOfChangeIsOneNamedStep_data();
    void everyKindOfChangeIsOneNamedStep();

private:
    static QAction* item(TestProgram& program, const char* name)
    {
        return program.window->findChild<QAction*>(QLatin1String(name));
    }
    static ChannelWindow* channels(TestProgram& program)
    {
        return qobject_cast<ChannelWindow*>(program.window->childWindow(ChildKind::ChannelInfo));
    }
    static QWidget* window(TestProgram& program, ChildKind kind) { return program.window->childWindow(kind); }
    // Enter on `row` (from the top, by arrow keys), the text, and Enter unless `finish` is false.
    static void typeFrequency(ChannelWindow* w, int row, const QString& text, bool finish = true)
    {
        QTableWidget* grid = w->grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        for (int r = 1; r < row; ++r)
            QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(w->frequencyEditor()->isVisible());
        QTest::keyClick(w->frequencyEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w->frequencyEditor(), Qt::Key_Backspace);
        QTest::keyClicks(w->frequencyEditor(), text);
        if (finish)
            QTest::keyClick(w->frequencyEditor(), Qt::Key_Return);
    }
    static void editTot(TestProgram& program)
    {
        program.window->ShowChildWindow(ChildKind::OptFeatures);
        QWidget* features = window(program, ChildKind::OptFeatures);
        StepSelector(features->findChild<QComboBox*>(QStringLiteral("TotTime")));
    }
    static QString channelPlace(TestProgram& program, int row)
    {
        ChannelWindow* w = channels(program);
        return ChannelPlaceText(ActiveMode(program.app.Doc.Data), GroupLetter(int16_t(w->shownGroup())),
                                QString::number(row));
    }
};

void UndoTest::editsInEveryWindowUndoneAndRedone()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.showAndActivate();
    MainWindow& main = *program.window;
    QAction* undo = item(program, "mnuEditUndo");
    QAction* redo = item(program, "mnuEditRedo");
    QVERIFY(undo && redo);
    QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(redo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("&Undo"));

    main.ShowChildWindow(ChildKind::OptFeatures);
    main.ShowChildWindow(ChildKind::DTMF);
    main.ShowChildWindow(ChildKind::ToneTips);
    ChannelWindow* chw = channels(program);
    QPointer<QWidget> features = window(program, ChildKind::OptFeatures);
    auto* dtmf = qobject_cast<DtmfWindow*>(window(program, ChildKind::DTMF));
    QPointer<QWidget> roger = window(program, ChildKind::ToneTips);
    QVERIFY(chw && features && dtmf && roger);
    auto* tsq = chw->detailPanel()->selector(DetailField::Tsq);
    auto* tot = features->findChild<QComboBox*>(QStringLiteral("TotTime"));
    auto* length = roger->findChild<QComboBox*>(QStringLiteral("Length4"));
    const auto shown = [&] {
        return Shown{CellText(chw, 5), tsq->currentText(), tot->currentText(), dtmf->grid()->item(2, 1)->text(),
                     length->currentText()};
    };
    const RadioDocument before = program.app.Doc;
    const Shown shownBefore = shown();
    QVERIFY(!IsDocumentModified(program.app.Doc, program.app.Saved));

    QStringList names;
    main.ShowChildWindow(ChildKind::ChannelInfo);
    typeFrequency(chw, 5, QStringLiteral("28.5"));
    names << QStringLiteral("frequency of ") + channelPlace(program, 5);
    QCOMPARE(undo->text(), QStringLiteral("&Undo ") + names.last());
    chw->grid()->setCurrentCell(4, 1);
    QVERIFY(tsq->isVisible());
    StepSelector(tsq);
    names << QStringLiteral("TSQ of ") + channelPlace(program, 5);
    QCOMPARE(undo->text(), QStringLiteral("&Undo ") + names.last());

    editTot(program);
    names << QStringLiteral("TOT");
    main.ShowChildWindow(ChildKind::DTMF);
    dtmf->enterCell(3);
    QTest::keyClicks(dtmf->editBox(), QStringLiteral("12#"));
    names << QStringLiteral("DTMF 3");
    QCOMPARE(undo->text(), QStringLiteral("&Undo DTMF 3"));
    main.ShowChildWindow(ChildKind::ToneTips);
    StepSelector(length);
    names << QStringLiteral("roger beep 1 step 4");
    QCOMPARE(undo->text(), QStringLiteral("&Undo roger beep 1 step 4"));
    // Three keystrokes into one code memory are one step.
    QCOMPARE(main.history().undoCount(), std::size_t(5));

    const RadioDocument after = program.app.Doc;
    const Shown shownAfter = shown();
    QVERIFY(!(shownAfter.frequency == shownBefore.frequency) && !(shownAfter.tsq == shownBefore.tsq) &&
            !(shownAfter.tot == shownBefore.tot) && !(shownAfter.dtmf == shownBefore.dtmf) &&
            !(shownAfter.length == shownBefore.length));

    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        QCOMPARE(undo->text(), QStringLiteral("&Undo ") + names.at(i));
        undo->trigger();
        QCOMPARE(redo->text(), QStringLiteral("&Redo ") + names.at(i));
    }
    QVERIFY(SameDocument(program.app.Doc, before));
    QVERIFY(!IsDocumentModified(program.app.Doc, program.app.Saved));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("&Undo"));
    // The windows stayed open and show the restored values.
    QCOMPARE(channels(program), chw);
    QVERIFY(features && roger);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 4);
    chw->grid()->setCurrentCell(4, 1);
    QVERIFY(shown() == shownBefore);

    for (int i = 0; i < int(names.size()); ++i)
        redo->trigger();
    QVERIFY(SameDocument(program.app.Doc, after));
    QVERIFY(!redo->isEnabled());
    chw->grid()->setCurrentCell(4, 1);
    QVERIFY(shown() == shownAfter);

    // The keys reach the items from inside an editor window.
    chw->grid()->setFocus();
    QTest::keyClick(chw->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(redo->text(), QStringLiteral("&Redo roger beep 1 step 4"));
    QTest::keyClick(chw->grid(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(SameDocument(program.app.Doc, after));
}

void UndoTest::pendingFrequencyIsTakenFirst()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.showAndActivate();
    editTot(program);
    const RadioDocument afterTot = program.app.Doc;
    program.window->ShowChildWindow(ChildKind::ChannelInfo);
    ChannelWindow* w = channels(program);
    typeFrequency(w, 7, QStringLiteral("28.6"), false);
    QVERIFY(w->frequencyEditor()->isVisible());
    // Undo takes the frequency being typed as the latest change and takes it back.
    item(program, "mnuEditUndo")->trigger();
    QVERIFY(!w->frequencyEditor()->isVisible());
    QVERIFY(SameDocument(program.app.Doc, afterTot));
    const QString step = QStringLiteral("frequency of ") + channelPlace(program, 7);
    QCOMPARE(item(program, "mnuEditRedo")->text(), QStringLiteral("&Redo ") + step);
    item(program, "mnuEditRedo")->trigger();
    QCOMPARE(CellText(w, 7), QStringLiteral("28.6000"));
    QCOMPARE(item(program, "mnuEditUndo")->text(), QStringLiteral("&Undo ") + step);
}

void UndoTest::undoneToTheSavedStateAsksNothing()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.showAndActivate();
    QVERIFY(!IsDocumentModified(program.app.Doc, program.app.Saved));
    editTot(program);
    editTot(program);
    QVERIFY(IsDocumentModified(program.app.Doc, program.app.Saved));
    item(program, "mnuEditUndo")->trigger();
    QVERIFY(!IsDocumentModified(program.app.Doc, program.app.Saved));
    QVERIFY(program.window->close());
    QVERIFY(program.prompt.asked.isEmpty());
}

void UndoTest::replacedDocumentStartsAfresh_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << "New";
    QTest::newRow("Initial Setting") << "Initial";
    QTest::newRow("Open") << "Open";
}

void UndoTest::replacedDocumentStartsAfresh()
{
    QFETCH(QString, command);
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.showAndActivate();
    MainWindow& main = *program.window;
    const QString path = install.filePath(QStringLiteral("radio.dat"));
    program.files.names << path;
    QVERIFY(main.fileSaveAs());
    editTot(program);
    item(program, "mnuEditUndo")->trigger();
    editTot(program);
    QVERIFY(main.history().canUndo());
    if (command == QLatin1String("New")) {
        main.fileNew(false);
    } else if (command == QLatin1String("Initial")) {
        main.initialSetting();
    } else {
        program.prompt.answers = {PromptAnswer::No};
        program.files.names << path;
        main.fileOpen();
        QCOMPARE(program.prompt.asked.size(), 1); // the save question only: the file opened
    }
    QVERIFY(!item(program, "mnuEditUndo")->isEnabled());
    QVERIFY(!item(program, "mnuEditRedo")->isEnabled());
    QCOMPARE(item(program, "mnuEditUndo")->text(), QStringLiteral("&Undo"));
}

void UndoTest::languageChangeKeepsTheSteps()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("zh_CN"), TestEditors::Real);
    program.app.Settings.LanguageIndex = program.app.Settings.AppliedLanguage = kEnglish;
    program.showAndActivate();
    const RadioDocument before = program.app.Doc;
    editTot(program);
    program.app.Settings.LanguageIndex = kChinese;
    program.window->ApplyLanguageIfChanged();
    QAction* undo = item(program, "mnuEditUndo");
    QCOMPARE(undo->text(), QString::fromUtf8("撤销 TOT(&U)"));
    QCOMPARE(item(program, "mnuEditRedo")->text(), QString::fromUtf8("重做(&R)"));
    undo->trigger();
    QVERIFY(SameDocument(program.app.Doc, before));
    // Steps made now carry Chinese names.
    program.window->ShowChildWindow(ChildKind::ChannelInfo);
    ChannelWindow* w = channels(program);
    w->grid()->setCurrentCell(0, 1);
    StepSelector(w->detailPanel()->selector(DetailField::Scan));
    QCOMPARE(undo->text(), QString::fromUtf8("撤销 ") + channelPlace(program, 1) + QString::fromUtf8(" 的 扫描(&U)"));
}

void UndoTest::everyKindOfChangeIsOneNamedStep_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("step"); // "%m" stands for the work mode
    QTest::newRow("work mode") << "ComboWorkMode"
                               << "work mode";
    QTest::newRow("work group") << "ComboWorkGroup"
                                << "Work Group of %m";
    QTest::newRow("group valid") << "ComboGroupValid"
                                 << "Group Valid of %m A";
    QTest::newRow("emergency channel") << "ComboEmgCh1"
                                       << "EMG CHX1 of %m A";
    QTest::newRow("option check box") << "Beep"
                                      << "Beep";
    QTest::newRow("mode enable") << "ModeEnable1"
                                 << "AM Enable";
    QTest::newRow("public channel") << "PubMode"
                                    << "Mode of Public";
    QTest::newRow("SWR limit") << "SwrMax"
                               << "Max of SWR Protect";
    QTest::newRow("transmit offset") << "TxOffset"
                                     << "Tx Offset";
    QTest::newRow("DTMF timing") << "DtmfSendTime"
                                 << "DTMF Send Time[ms]";
    QTest::newRow("DTMF display") << "DtmfDisplay"
                                  << "DTMF DISP";
    QTest::newRow("roger pause") << "InterTime"
                                 << "Inter Time[ms] of roger beep 1";
    QTest::newRow("roger frequency") << "Freq9"
                                     << "roger beep 1 step 9";
}

void UndoTest::everyKindOfChangeIsOneNamedStep()
{
    QFETCH(QString, change);
    QFETCH(QString, step);
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.showAndActivate();
    MainWindow& main = *program.window;
    // Every selector below can move: all groups valid, two channels in A, every mode offered.
    RadioDocument& doc = program.app.Doc;
    const int mode = ActiveMode(doc.Data);
    for (int g = 1; g <= 9; ++g)
        doc.Data.Opt.GroupValid[mode][g] = 1;
    doc.Data.CurGroup[mode] = 1;
    for (int id : {1, 2})
        if (!FindChannelSlot(doc, mode, 1, id))
            AddChannel(doc, id, mode, 1, DefaultGroupFrequency(1));
    for (int k = 0; k <= 4; ++k)
        doc.Data.Opt.ModeEnable[k] = 1;
    emit main.documentEvents().documentRestored();
    for (ChildKind kind : {ChildKind::OptFeatures, ChildKind::DTMF, ChildKind::ToneTips})
        main.ShowChildWindow(kind);
    emit main.documentEvents().documentEdited(QStringLiteral("setup"));
    const RadioDocument before = doc;

    QWidget* found = nullptr;
    for (QWidget* w : main.mdiArea()->findChildren<QWidget*>(change))
        found = w;
    QVERIFY2(found, qPrintable(change));
    if (auto* combo = qobject_cast<QComboBox*>(found)) {
        StepSelector(combo);
    } else if (auto* box = qobject_cast<QCheckBox*>(found)) {
        box->click();
    } else if (auto* edit = qobject_cast<QLineEdit*>(found)) {
        const bool swr = change == QLatin1String("SwrMax");
        const bool first = swr ? doc.Data.Opt.SwrMax != 27 : doc.Data.TxOffset != 12345;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, swr ? (first ? "2.7" : "3.1") : (first ? "1.2345" : "2.3456"));
        edit->clearFocus();
    }
    QVERIFY(!SameDocument(doc, before));
    step.replace(QStringLiteral("%m"), WorkModeText(ActiveMode(before.Data)));
    QCOMPARE(item(program, "mnuEditUndo")->text(), QStringLiteral("&Undo ") + step);
    item(program, "mnuEditUndo")->trigger();
    QVERIFY(SameDocument(doc, before));
    QCOMPARE(item(program, "mnuEditUndo")->text(), QStringLiteral("&Undo setup"));
    // The band follows the restored work mode.
    QCOMPARE(program.app.DocState.BandText, BandTextOf(ActiveMode(before.Data)));
    QVERIFY(main.windowTitle().contains(program.app.DocState.BandText));
}

TRK_GUI_TEST_MAIN(UndoTest)
#include "test_undo.moc"
