#include "GuiTestSupport.h"

#include "document/Conversions.h"
#include "editors/channels/ChannelDetailPanel.h"
#include "editors/channels/ChannelWindow.h"
#include "editors/channels/FrequencyEditor.h"
#include "editors/channels/FrequencyRules.h"
#include "editors/channels/GroupPanel.h"
#include "files/DataFile.h"
#include "i18n/ChannelTexts.h"
#include "i18n/Texts.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QTableWidget>

// The real channel window inside the real main window, driven by keys and clicks.
class ChannelWindowTest : public QObject {
    Q_OBJECT
private slots:
    void typingCreatesAndClearingDeletes();
    void lastChannelShowsItsFrequencyAgain();
    void editorDropsLettersAndClipboard();
    void workModesKeepTheirPlaceAndBand();
    void publicLockGreysNineSelectors();
    void groupValidSnapsBackAndFillsEmptyGroup();
    void writeCommitsPendingEdit();
    void listsFollowOtherEditors();

private:
    static ChannelWindow* channels(TestProgram& program)
    {
        return qobject_cast<ChannelWindow*>(program.window->childWindow(ChildKind::ChannelInfo));
    }
    // Shows the main window, active, and gives its channel window.
    static ChannelWindow* showChannels(TestProgram& program)
    {
        program.showAndActivate();
        return channels(program);
    }
    // Puts the cursor on `row` by arrow keys from row 1, then Enter, the text and Enter.
    static void typeAt(ChannelWindow* w, int row, const QString& text)
    {
        QTableWidget* grid = w->grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        for (int r = 1; r < row; ++r)
            QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(w->currentRow(), row);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(w->frequencyEditor()->isVisible());
        QTest::keyClick(w->frequencyEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w->frequencyEditor(), Qt::Key_Backspace);
        QTest::keyClicks(w->frequencyEditor(), text);
        QTest::keyClick(w->frequencyEditor(), Qt::Key_Return);
    }
    static QString cell(ChannelWindow* w, int row) { return w->grid()->item(row - 1, 1)->text(); }
    static const ChannelRecord* find(const RadioDocument& doc, int mode, int group, int id)
    {
        const int slot = FindChannelSlot(doc, mode, group, id);
        return slot ? &doc.Channels[mode][slot][group] : nullptr;
    }
    static void pick(QComboBox* combo, const QString& text)
    {
        // By keyboard, as a user without a mouse would.
        combo->setFocus();
        const int target = combo->findText(text);
        QVERIFY2(target >= 0, qPrintable(text));
        // Bounded: a selector may refuse the pick and snap back.
        for (int steps = combo->count(); steps > 0 && combo->currentIndex() != target; --steps)
            QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
};

void ChannelWindowTest::typingCreatesAndClearingDeletes()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    ChannelWindow* w = showChannels(program);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("frmCommChInfo"));
    const int mode = ActiveMode(program.app.Doc.Data);
    const int group = w->shownGroup();
    QVERIFY(!find(program.app.Doc, mode, group, 5));

    typeAt(w, 5, QStringLiteral("28.5"));
    QCOMPARE(cell(w, 5), QStringLiteral("28.5000"));
    QCOMPARE(w->currentRow(), 6); // Enter went on to the next row
    const ChannelRecord* ch = find(program.app.Doc, mode, group, 5);
    QVERIFY(ch);
    QCOMPARE(ch->RxFreq.text(), QStringLiteral("285000  "));

    // Saved and opened again, the pair holds it.
    const QString path = install.filePath(QStringLiteral("edited.dat"));
    program.files.names = {path};
    QVERIFY(program.window->fileSaveAs());
    program.files.names = {path};
    program.window->fileOpen();
    w = channels(program);
    QVERIFY(w);
    QVERIFY(find(program.app.Doc, mode, group, 5));

    // Clearing deletes it; an empty editor goes on to the next row.
    typeAt(w, 5, QString());
    QVERIFY(!find(program.app.Doc, mode, group, 5));
    QCOMPARE(cell(w, 5), QString());
    QCOMPARE(w->currentRow(), 6);

    // Enter on the last row goes back to row 1.
    typeAt(w, 40, QStringLiteral("28.4"));
    QCOMPARE(w->currentRow(), 1);
    QVERIFY(program.prompt.asked.isEmpty());
}

void ChannelWindowTest::lastChannelShowsItsFrequencyAgain()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    const int mode = ActiveMode(program.app.Doc.Data);
    for (int g = 2; g <= kGroupCount; ++g)
        program.app.Doc.Data.Opt.GroupValid[mode][g] = 0;
    program.window->CloseOtherWindows();
    program.window->ShowChildWindow(ChildKind::ChannelInfo);
    ChannelWindow* w = showChannels(program);
    QCOMPARE(w->shownGroup(), 1);
    const QString before = cell(w, 1);
    QVERIFY(!before.isEmpty());
    typeAt(w, 1, QString());
    QCOMPARE(cell(w, 1), before);
    QVERIFY(find(program.app.Doc, mode, 1, 1));
    QVERIFY(program.prompt.asked.isEmpty());
    // An entry outside the band warns and counts as clearing: refused the same way.
    typeAt(w, 1, QStringLiteral("99"));
    QCOMPARE(cell(w, 1), before);
    QCOMPARE(program.prompt.ids(), QList<PromptId>{PromptId::InvalidInput});
}

void ChannelWindowTest::editorDropsLettersAndClipboard()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    ChannelWindow* w = showChannels(program);
    QApplication::clipboard()->setText(QStringLiteral("28.7"));
    w->grid()->setFocus();
    w->grid()->setCurrentCell(2, 1);
    QTest::keyClick(w->grid(), Qt::Key_Enter);
    FrequencyEditor* editor = w->frequencyEditor();
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->contextMenuPolicy(), Qt::NoContextMenu);
    QTest::keyClicks(editor, QStringLiteral("ab-,x"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(editor->text(), QString());
    QTest::keyClicks(editor, QStringLiteral("28.12345678"));
    QCOMPARE(editor->text(), QStringLiteral("28.1234"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("28.1234"));
    // Escape leaves the row as it was.
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!editor->isVisible());
    QCOMPARE(cell(w, 3), QString());
}

void ChannelWindowTest::workModesKeepTheirPlaceAndBand()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    ChannelWindow* w = showChannels(program);
    RadioDocument& doc = program.app.Doc;

    // CB, group C, row 3 edited.
    pick(w->workModeSelector(), Text(ChannelText::WorkModeCB, kEnglish));
    QCOMPARE(doc.Data.WorkMode, int16_t(0));
    QVERIFY(program.window->windowTitle().contains(QStringLiteral("[25.6150 - 30.1050 MHz]")));
    QCOMPARE(w->groupSelector()->count(), 11);
    pick(w->groupSelector(), QStringLiteral("C"));
    QCOMPARE(w->groupPanel()->title(), QStringLiteral("Band -- C"));
    typeAt(w, 3, QStringLiteral("30.0"));
    QCOMPARE(cell(w, 3), QStringLiteral("30.0000"));
    QVERIFY(find(doc, 0, 3, 3));

    // HF, group E, row 7 edited; 30.0 is outside its band.
    pick(w->workModeSelector(), Text(ChannelText::WorkModeHF, kEnglish));
    QCOMPARE(doc.Data.WorkMode, int16_t(1));
    QVERIFY(program.window->windowTitle().contains(QStringLiteral("[28.0000 - 29.6990 MHz]")));
    QCOMPARE(w->groupSelector()->count(), 10);
    QCOMPARE(w->groupSelector()->itemText(9), QStringLiteral("MEM"));
    pick(w->groupSelector(), QStringLiteral("E"));
    typeAt(w, 7, QStringLiteral("30.0"));
    QCOMPARE(program.prompt.count(PromptId::InvalidInput), 1);
    QVERIFY(!find(doc, 1, 5, 7));
    QCOMPARE(cell(w, 7), QString());

    // Back and forth: each mode shows its own group with its last edited row.
    pick(w->workModeSelector(), Text(ChannelText::WorkModeCB, kEnglish));
    QCOMPARE(w->groupSelector()->currentText(), QStringLiteral("C"));
    QCOMPARE(w->currentRow(), 3);
    QCOMPARE(cell(w, 3), QStringLiteral("30.0000"));
    pick(w->workModeSelector(), Text(ChannelText::WorkModeHF, kEnglish));
    QCOMPARE(w->groupSelector()->currentText(), QStringLiteral("E"));
    QCOMPARE(w->currentRow(), 7);

    // The memory view shows group 1's memory channels and hides the group selectors.
    pick(w->groupSelector(), QStringLiteral("MEM"));
    QCOMPARE(w->shownRows(), 6);
    QVERIFY(w->grid()->isRowHidden(6) && !w->grid()->isRowHidden(5));
    QCOMPARE(w->grid()->item(1, 0)->text(), QStringLiteral("M2"));
    QVERIFY(!w->groupPanel()->validSelector()->isVisible());
    QCOMPARE(w->groupPanel()->title(), QStringLiteral("Band -- MEM"));
    typeAt(w, 2, QStringLiteral("29.1"));
    QCOMPARE(find(doc, 1, 1, 42)->RxFreq.text(), QStringLiteral("291000  "));
    QCOMPARE(w->detailPanel()->selector(DetailField::Mode)->findText(QStringLiteral("PA")), -1);
}

void ChannelWindowTest::publicLockGreysNineSelectors()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    ChannelWindow* w = showChannels(program);
    const int mode = ActiveMode(program.app.Doc.Data);
    typeAt(w, 2, QStringLiteral("28.2"));
    w->grid()->setCurrentCell(0, 1);
    ChannelDetailPanel* detail = w->detailPanel();
    QVERIFY(detail->isVisible());
    QCOMPARE(detail->title(), QStringLiteral("More Information -- CH 1"));
    pick(detail->selector(DetailField::Roger), QStringLiteral("3"));
    pick(detail->selector(DetailField::Public), QStringLiteral("ON"));
    const ChannelRecord* ch = find(program.app.Doc, mode, w->shownGroup(), 1);
    QCOMPARE(ch->PublicCh, int16_t(1));
    QCOMPARE(ch->RogerTone, int16_t(3));
    int disabled = 0;
    for (int f = 0; f < kDetailFieldCount; ++f)
        disabled += detail->selector(DetailField(f))->isEnabled() ? 0 : 1;
    QCOMPARE(disabled, 9);
    QCOMPARE(detail->shownText(DetailField::Roger), QStringLiteral("3")); // kept while greyed

    // Row 2's channel is not public and has no roger beep.
    QTest::keyClick(w->grid(), Qt::Key_Down);
    QCOMPARE(detail->title(), QStringLiteral("More Information -- CH 2"));
    QVERIFY(detail->selector(DetailField::Roger)->isEnabled());
    QCOMPARE(detail->shownText(DetailField::Roger), QStringLiteral("OFF"));
    // A row without a channel hides the panel.
    QTest::keyClick(w->grid(), Qt::Key_Down);
    QVERIFY(!detail->isVisible());
}

void ChannelWindowTest::groupValidSnapsBackAndFillsEmptyGroup()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    RadioDocument& doc = program.app.Doc;
    const int mode = ActiveMode(doc.Data);
    for (int g = 2; g <= kGroupCount; ++g)
        if (g != 5)
            doc.Data.Opt.GroupValid[mode][g] = 0;
    program.window->CloseOtherWindows();
    program.window->ShowChildWindow(ChildKind::ChannelInfo);
    ChannelWindow* w = showChannels(program);
    QComboBox* valid = w->groupPanel()->validSelector();

    // Clearing E's only numbered channel: A keeps one, so E goes and stops being valid.
    pick(w->groupSelector(), QStringLiteral("E"));
    typeAt(w, 1, QString());
    QVERIFY(!find(doc, mode, 5, 1));
    QCOMPARE(doc.Data.Opt.GroupValid[mode][5], int16_t(0));
    QCOMPARE(valid->currentText(), QStringLiteral("OFF"));
    QCOMPARE(w->workGroupSelector()->count(), 1);

    // Made valid again, E gets its channel 1 at its default frequency.
    pick(valid, QStringLiteral("ON"));
    QCOMPARE(cell(w, 1), QStringLiteral("28.0550"));
    QVERIFY(find(doc, mode, 5, 1));
    QCOMPARE(w->workGroupSelector()->count(), 2);
    QCOMPARE(w->groupPanel()->referenceSelector(GroupReference::EmgCh1)->currentText(), QStringLiteral("1"));

    // A is then the only other valid group; with E off again, A cannot go.
    pick(valid, QStringLiteral("OFF"));
    pick(w->groupSelector(), QStringLiteral("A"));
    pick(valid, QStringLiteral("OFF"));
    QCOMPARE(valid->currentText(), QStringLiteral("ON"));
    QCOMPARE(doc.Data.Opt.GroupValid[mode][1], int16_t(1));
}

void ChannelWindowTest::writeCommitsPendingEdit()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    ChannelWindow* w = showChannels(program);
    const int mode = ActiveMode(program.app.Doc.Data);
    w->grid()->setCurrentCell(8, 1);
    QTest::keyClick(w->grid(), Qt::Key_Return);
    QTest::keyClicks(w->frequencyEditor(), QStringLiteral("28.9"));
    program.prompt.answers = {PromptAnswer::Cancel};
    program.window->writeToRadio();
    QVERIFY(find(program.app.Doc, mode, w->shownGroup(), 9));
    QVERIFY(!w->frequencyEditor()->isVisible());
    QTRY_VERIFY(program.prompt.count(PromptId::WriteConfirm) + program.prompt.count(PromptId::PortOpenFailed) > 0);
}

// The DTMF, roger-beep and optional-features editors announce their changes; the detail
// panel rebuilds its lists and keeps what it shows.
void ChannelWindowTest::listsFollowOtherEditors()
{
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    ChannelWindow* w = showChannels(program);
    RadioDocument& doc = program.app.Doc;
    const int mode = ActiveMode(doc.Data);
    w->grid()->setCurrentCell(0, 1);
    ChannelDetailPanel* detail = w->detailPanel();
    QVERIFY(detail->isVisible());

    DocumentEvents* events = &program.window->documentEvents();
    doc.Data.Opt.AutodialCode[4].set(QStringLiteral("123"));
    emit events->dtmfCodesChanged();
    QCOMPARE(detail->selector(DetailField::Call)->count(), 2);
    pick(detail->selector(DetailField::Call), QStringLiteral("4"));
    QCOMPARE(find(doc, mode, w->shownGroup(), 1)->CallCode, int16_t(4));

    doc.Data.RogerSeq[5].Recycle = 0;
    emit events->rogerBeepsChanged();
    QCOMPARE(detail->selector(DetailField::Roger)->findText(QStringLiteral("5")), -1);

    // AM chosen, then AM disabled: the first enabled modulation is shown and stored.
    pick(detail->selector(DetailField::Mode), QStringLiteral("AM"));
    doc.Data.Opt.ModeEnable[0] = 0;
    doc.Data.Opt.ModeEnable[1] = 0;
    CoerceAllChannelModes(doc);
    emit events->enabledModesChanged();
    QCOMPARE(detail->shownText(DetailField::Mode), QStringLiteral("USB"));
    QCOMPARE(find(doc, mode, w->shownGroup(), 1)->Modulation, int16_t(2));
    QVERIFY(program.prompt.asked.isEmpty());
}

TRK_GUI_TEST_MAIN(ChannelWindowTest)
#include "test_channel_window.moc"
