// Edits a data file pair through the real channel window, by keyboard, and saves it under a
// new name. Run by tests/reference/check_channel_edits.py, which applies the same edits to its
// own model of the document and compares the results.
// Usage: channel_edit_driver START.dat SCRIPT RESULT.dat
// Script lines: "mode 0|1", "group LETTER", "freq ROW TEXT|-", "detail ROW FIELD ENTRY"
// (FIELD is the position of the selector in the detail panel, 0 = TSQ .. 13 = Call).
#include "GuiTestSupport.h"

#include "editors/channels/ChannelDetailPanel.h"
#include "editors/channels/ChannelWindow.h"
#include "editors/channels/FrequencyEditor.h"

#include <QComboBox>
#include <QTableWidget>
#include <QTextStream>

namespace {

QTextStream err(stderr);

bool Pick(QComboBox* combo, const QString& text)
{
    combo->setFocus();
    const int target = combo->findText(text);
    if (target < 0)
        return false;
    for (int steps = combo->count(); steps > 0 && combo->currentIndex() != target; --steps)
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    return combo->currentIndex() == target;
}

bool GoToRow(ChannelWindow* w, int row)
{
    QTableWidget* grid = w->grid();
    grid->setFocus();
    for (int steps = w->shownRows(); steps > 0 && w->currentRow() != row; --steps)
        QTest::keyClick(grid, w->currentRow() < row ? Qt::Key_Down : Qt::Key_Up);
    return w->currentRow() == row;
}

bool Apply(ChannelWindow* w, const QStringList& words)
{
    const QString& verb = words.value(0);
    if (verb == QLatin1String("mode") && words.size() == 2)
        return Pick(w->workModeSelector(), w->workModeSelector()->itemText(words[1].toInt()));
    if (verb == QLatin1String("group") && words.size() == 2)
        return Pick(w->groupSelector(), words[1]);
    if (verb == QLatin1String("freq") && words.size() == 3) {
        if (!GoToRow(w, words[1].toInt()))
            return false;
        QTest::keyClick(w->grid(), Qt::Key_Return);
        FrequencyEditor* editor = w->frequencyEditor();
        if (!editor->isVisible())
            return false;
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
        if (words[2] != QLatin1String("-"))
            QTest::keyClicks(editor, words[2]);
        QTest::keyClick(editor, Qt::Key_Return);
        return !editor->isVisible();
    }
    if (verb == QLatin1String("detail") && words.size() == 4) {
        if (!GoToRow(w, words[1].toInt()) || !w->detailPanel()->isVisible())
            return false;
        return Pick(w->detailPanel()->selector(DetailField(words[2].toInt())), words[3]);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    UseTemporaryHome(home);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4) {
        err << "usage: channel_edit_driver START.dat SCRIPT RESULT.dat\n";
        return 2;
    }
    QFile script(args[2]);
    if (!script.open(QIODevice::ReadOnly)) {
        err << "cannot read " << args[2] << "\n";
        return 2;
    }
    TestInstall install;
    TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
    program.window->show();
    QApplication::setActiveWindow(program.window.get());
    if (!QTest::qWaitForWindowExposed(program.window.get()))
        return 1;
    program.files.names = {args[1]};
    program.window->fileOpen();
    auto* w = qobject_cast<ChannelWindow*>(program.window->childWindow(ChildKind::ChannelInfo));
    if (!w || program.app.DocState.DocPath != args[1]) {
        err << "cannot open " << args[1] << "\n";
        return 1;
    }
    const QStringList lines = QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (!Apply(w, line.split(QLatin1Char(' '), Qt::SkipEmptyParts))) {
            err << "cannot apply: " << line << "\n";
            return 1;
        }
    }
    program.files.names = {args[3]};
    if (!program.window->fileSaveAs()) {
        err << "cannot save " << args[3] << "\n";
        return 1;
    }
    for (const QString& text : program.prompt.texts())
        err << "message: " << text << "\n";
    return program.prompt.asked.isEmpty() ? 0 : 1;
}
