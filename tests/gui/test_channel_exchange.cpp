// File > Export Channels... and Import Channels... in the main window, with scripted dialogs.
#include "GuiTestSupport.h"

#include "editors/channels/FrequencyRules.h"
#include "files/ChannelCsv.h"
#include "files/DataFile.h"
#include "i18n/Texts.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

namespace {

QAction* item(TestProgram& program, const char* name)
{
    return program.window->findChild<QAction*>(QLatin1String(name));
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ChannelExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void menuItemsBelowSaveAs()
    {
        TestInstall install;
        TestProgram program(install);
        auto* file = program.window->findChild<QMenu*>(QStringLiteral("mnuFile"));
        QVERIFY(file);
        const QList<QAction*> actions = file->actions();
        const qsizetype saveAs = actions.indexOf(item(program, "mnuFileSaveAs"));
        QCOMPARE(actions.indexOf(item(program, "mnuFileExportChannels")), saveAs + 1);
        QCOMPARE(actions.indexOf(item(program, "mnuFileImportChannels")), saveAs + 2);
        QCOMPARE(item(program, "mnuFileExportChannels")->text(), QStringLiteral("Export Channels..."));
        QCOMPARE(item(program, "mnuFileImportChannels")->text(), QStringLiteral("Import Channels..."));
        program.app.Settings.LanguageIndex = kChinese;
        program.window->Change_Language();
        QCOMPARE(item(program, "mnuFileExportChannels")->text(), QString::fromUtf8("导出信道..."));
        QCOMPARE(item(program, "mnuFileImportChannels")->text(), QString::fromUtf8("导入信道..."));
    }

    void exportThenImportThroughTheMenu()
    {
        TestInstall install;
        TestProgram program(install, QStringLiteral("en_US"), TestEditors::Real);
        program.showAndActivate();
        QSignalSpy edited(&program.window->documentEvents(), &DocumentEvents::documentEdited);
        const QString csv = install.filePath(QStringLiteral("list.csv"));

        program.files.names = {csv};
        item(program, "mnuFileExportChannels")->trigger();
        QCOMPARE(program.files.filters.last(), QStringLiteral("Channel list (*.csv)"));
        QCOMPARE(program.files.suggestions.last(), QStringLiteral("new.csv"));
        QCOMPARE(bytesOf(csv), ChannelsToCsv(program.app.Doc));
        QVERIFY(!IsDocumentModified(program.app.Doc, program.app.Saved));

        // Group B of CB gets channels 5 and M2 instead of its start-up channels.
        QFile list(csv);
        QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
        list.write("Work Mode,Group,CH No.,Frequency,TSQ\r\nCB,B,5,28.1230,D_001(023N)\r\nCB,B,M2,28.2000,Off\r\n");
        list.close();
        QWidget* before = program.window->childWindow(ChildKind::ChannelInfo);
        QVERIFY(before);
        program.files.names = {csv};
        item(program, "mnuFileImportChannels")->trigger();
        QCOMPARE(program.app.Doc.Data.ChannelCount[kModeCB][2], int16_t(2));
        const int slot = FindChannelSlot(program.app.Doc, kModeCB, 2, 5);
        QVERIFY(slot > 0);
        QCOMPARE(program.app.Doc.Channels[kModeCB][slot][2].RxFreq.text(), QStringLiteral("281230  "));
        QCOMPARE(program.app.Doc.Channels[kModeCB][slot][2].TsqCode, int16_t(39));
        QCOMPARE(program.app.Doc.Data.Opt.EmgCh1[kModeCB][2], int16_t(5));
        // One change of the open document, not saved, shown by a channel window built anew.
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edited.first().first().toString(), QStringLiteral("import of list.csv"));
        QVERIFY(IsDocumentModified(program.app.Doc, program.app.Saved));
        QCOMPARE(program.app.DocState.DocPath, QStringLiteral("new.dat"));
        QVERIFY(program.window->childWindow(ChildKind::ChannelInfo));
        QVERIFY(program.window->childWindow(ChildKind::ChannelInfo) != before);
        QVERIFY(program.prompt.asked.isEmpty());

        // A refused list changes nothing and says where.
        QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
        list.write("Work Mode,Group,CH No.,Frequency\nCB,C,1,31.0000\n");
        list.close();
        const auto kept = std::make_unique<RadioDocument>(program.app.Doc);
        QWidget* shown = program.window->childWindow(ChildKind::ChannelInfo);
        program.files.names = {csv};
        item(program, "mnuFileImportChannels")->trigger();
        QCOMPARE(program.prompt.ids(), QList<PromptId>{PromptId::ImportRefused});
        QCOMPARE(program.prompt.asked.last().text,
                 QStringLiteral("The channels were not imported:\nline 2, column 4 (Frequency): 31.0000 is outside the "
                                "band 25.6150 - 30.1050 MHz"));
        QVERIFY(IsDocumentUnchanged(program.app.Doc, *kept));
        QCOMPARE(edited.size(), 1);
        QCOMPARE(program.window->childWindow(ChildKind::ChannelInfo), shown); // left open as it was

        // Cancelled dialogs do nothing.
        program.files.names = {QString()};
        item(program, "mnuFileImportChannels")->trigger();
        program.files.names = {QString()};
        item(program, "mnuFileExportChannels")->trigger();
        QCOMPARE(program.prompt.asked.size(), 1);
        QCOMPARE(edited.size(), 1);
    }
};

TRK_GUI_TEST_MAIN(ChannelExchangeTest)
#include "test_channel_exchange.moc"
