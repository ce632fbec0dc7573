// The optional-features, DTMF and roger-beep windows with their real widgets, offscreen.
#include "../gui/GuiTestSupport.h"
#include "RecordingTonePlayer.h"

#include "document/RadioDocumentOps.h"
#include "editors/features/DtmfRules.h"
#include "editors/features/DtmfWindow.h"
#include "editors/features/OptionFeaturesWindow.h"
#include "editors/features/RogerBeepRules.h"
#include "editors/features/RogerBeepWindow.h"
#include "files/DataFile.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"
#include "session/DocumentEvents.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// A started document without a main window, for the windows on their own.
struct Editors {
    Editors()
    {
        BuildDefaultDocument(app.Doc, app.DocState, FixedClock());
        app.Settings.LanguageIndex = kEnglish;
    }
    AppState app;
    DocumentEvents events;
};

template <typename T> T* child(QWidget* w, const QString& name)
{
    T* found = w->findChild<T*>(name);
    if (!found)
        qWarning("no child %s", qPrintable(name));
    return found;
}

QStringList itemsOf(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Types into a text field as a user does: focus, replace the selected text, leave.
void typeInto(QWidget* window, const QString& name, const QString& text)
{
    auto* edit = child<QLineEdit>(window, name);
    edit->setFocus();
    QApplication::processEvents();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    edit->clearFocus();
}

void showWindow(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

} // namespace

class TestFeatureWindows : public QObject {
    Q_OBJECT
private slots:
    void typingIntoAutodialMemory()
    {
        Editors e;
        DtmfWindow w(e.app, e.events);
        showWindow(&w);
        QCOMPARE(w.findChild<QTabWidget*>()->currentIndex(), 2);
        QVERIFY(!w.findChild<QTabWidget*>()->isTabEnabled(1));
        QVERIFY(w.editBox()->isHidden());
        QTableWidget* grid = w.grid();
        const QRect cell = grid->visualRect(grid->model()->index(2, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(w.editBox()->isVisible());
        QVERIFY(w.editBox()->hasFocus());
        QTest::keyClicks(w.editBox(), QStringLiteral("1a2b"));
        QCOMPARE(w.editBox()->text(), QStringLiteral("1A2B"));
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("1A2B"));
        QCOMPARE(AutodialText(e.app.Doc.Data.Opt, 3), QStringLiteral("1A2B"));
        // Refused keys, then a full memory takes no 17th character.
        QTest::keyClicks(w.editBox(), QStringLiteral("eE x+"));
        QCOMPARE(w.editBox()->text(), QStringLiteral("1A2B"));
        QTest::keyClicks(w.editBox(), QStringLiteral("*#0123456789ABC"));
        QCOMPARE(AutodialText(e.app.Doc.Data.Opt, 3), QStringLiteral("1A2B*#0123456789"));
        QCOMPARE(e.app.Doc.Data.Opt.AutodialCode[3].raw(), QByteArray("1A2B*#0123456789"));
        // Enter moves the focus on; what was typed is already stored.
        QTest::keyClick(w.editBox(), Qt::Key_Return);
        QVERIFY(!w.editBox()->hasFocus());
        // Keyboard alone: arrow down in the grid opens memory 4.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        QVERIFY(w.editBox()->hasFocus());
        QTest::keyClicks(w.editBox(), QStringLiteral("9"));
        QCOMPARE(AutodialText(e.app.Doc.Data.Opt, 4), QStringLiteral("9"));
    }

    void encodePageStoresWhatItShows()
    {
        Editors e;
        e.app.Doc.Data.Opt.DtmfStarHashTone = 3;
        e.app.Doc.Data.Opt.DtmfDKey = 20;
        DtmfWindow w(e.app, e.events);
        QCOMPARE(child<QComboBox>(&w, "DtmfStarHashTone")->currentText(), QStringLiteral("0"));
        QCOMPARE(child<QComboBox>(&w, "DtmfDKey")->currentText(), QStringLiteral("D Code"));
        QCOMPARE(e.app.Doc.Data.Opt.DtmfStarHashTone, int16_t(0));
        QCOMPARE(e.app.Doc.Data.Opt.DtmfDKey, int16_t(0));
        auto* send = child<QComboBox>(&w, "DtmfSendTime");
        send->setFocus();
        QTest::keyClick(send, Qt::Key_End);
        QCOMPARE(e.app.Doc.Data.Opt.DtmfSendTime, int16_t(50));
    }

    void emptyingMemoryFiveClearsEveryReference()
    {
        Editors e;
        OptionRecord& opt = e.app.Doc.Data.Opt;
        StoreAutodialCode(opt, 5, QStringLiteral("55"));
        StoreAutodialCode(opt, 2, QStringLiteral("2"));
        e.app.Doc.Channels[0][1][1].BotCode = 5;
        e.app.Doc.Channels[1][3][9].CallCode = 5;
        opt.PubEot = 5;
        opt.PubBot = 2;
        OptionFeaturesWindow features(e.app, e.events);
        QCOMPARE(child<QComboBox>(&features, "PubEot")->currentText(), QStringLiteral("5"));
        DtmfWindow w(e.app, e.events);
        showWindow(&w);
        QSignalSpy changed(&e.events, &DocumentEvents::dtmfCodesChanged);
        w.enterCell(5);
        QTest::keyClick(w.editBox(), Qt::Key_End);
        QTest::keyClick(w.editBox(), Qt::Key_Backspace);
        QCOMPARE(e.app.Doc.Channels[0][1][1].BotCode, int16_t(5)); // "5" is still a code
        QTest::keyClick(w.editBox(), Qt::Key_Backspace);
        QVERIFY(changed.count() >= 2);
        QCOMPARE(e.app.Doc.Channels[0][1][1].BotCode, int16_t(0));
        QCOMPARE(e.app.Doc.Channels[1][3][9].CallCode, int16_t(0));
        QCOMPARE(opt.PubEot, int16_t(0));
        for (const char* name : {"PubBot", "PubEot", "PubCall"})
            QCOMPARE(itemsOf(child<QComboBox>(&features, name)), (QStringList{"OFF", "2"}));
        QCOMPARE(child<QComboBox>(&features, "PubEot")->currentText(), QStringLiteral("OFF"));
        QCOMPARE(child<QComboBox>(&features, "PubBot")->currentText(), QStringLiteral("2"));
        // A new code in memory 5 brings the number back to the lists, not the references.
        QTest::keyClicks(w.editBox(), QStringLiteral("7"));
        QCOMPARE(itemsOf(child<QComboBox>(&features, "PubEot")), (QStringList{"OFF", "2", "5"}));
        QCOMPARE(opt.PubEot, int16_t(0));
        QCOMPARE(child<QComboBox>(&features, "PubEot")->currentText(), QStringLiteral("OFF"));
    }

    void openingShowsWithoutWriting()
    {
        Editors e;
        e.app.Doc.Data.Opt.TotTime = 7;
        e.app.Doc.Data.Opt.MicLevel = 0;
        e.app.Doc.Data.Opt.Beep = 2;
        e.app.Doc.Data.Opt.Rtix = 1200;
        RadioDocument expected = e.app.Doc;
        expected.Data.Opt.Rtix = 1000;
        OptionFeaturesWindow w(e.app, e.events);
        QVERIFY(e.app.Doc.Data == expected.Data);
        QCOMPARE(child<QComboBox>(&w, "TotTime")->currentText(), QStringLiteral("60s"));
        QCOMPARE(child<QComboBox>(&w, "MicLevel")->currentText(), QStringLiteral("1"));
        QVERIFY(child<QCheckBox>(&w, "Beep")->isChecked());
        QCOMPARE(child<QLineEdit>(&w, "TxOffset")->text(), QStringLiteral("0.0100"));
        QCOMPARE(child<QLineEdit>(&w, "SwrMax")->text(), QStringLiteral("16.0"));
        QCOMPARE(child<QLineEdit>(&w, "RssiLevel11")->text(), QStringLiteral("36"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Optional Features"));
    }

    void rssiRefusal()
    {
        Editors e;
        OptionFeaturesWindow w(e.app, e.events);
        showWindow(&w);
        typeInto(&w, "RssiLevel2", "16");
        QCOMPARE(child<QLineEdit>(&w, "RssiLevel2")->text(), QStringLiteral("11"));
        QCOMPARE(e.app.Doc.Data.RssiLevel[2], int16_t(10));
        typeInto(&w, "RssiLevel2", "14");
        QCOMPARE(child<QLineEdit>(&w, "RssiLevel2")->text(), QStringLiteral("14"));
        QCOMPARE(e.app.Doc.Data.RssiLevel[2], int16_t(13));
        // Only digits, at most two.
        typeInto(&w, "RssiLevel0", "a.5x79");
        QCOMPARE(e.app.Doc.Data.RssiLevel[0], int16_t(0));
        QCOMPARE(child<QLineEdit>(&w, "RssiLevel0")->text(), QStringLiteral("1"));
    }

    void voltSwapAndLimits()
    {
        Editors e;
        e.app.Doc.Data.Opt.VoltMax = 100;
        OptionFeaturesWindow w(e.app, e.events);
        showWindow(&w);
        typeInto(&w, "VoltMin", "12");
        QCOMPARE(child<QLineEdit>(&w, "VoltMin")->text(), QStringLiteral("10.0"));
        QCOMPARE(child<QLineEdit>(&w, "VoltMax")->text(), QStringLiteral("12.0"));
        QCOMPARE(e.app.Doc.Data.Opt.VoltMin, int16_t(100));
        QCOMPARE(e.app.Doc.Data.Opt.VoltMax, int16_t(120));
        typeInto(&w, "SwrMax", "0.5");
        QCOMPARE(e.app.Doc.Data.Opt.SwrMax, int16_t(12));
        typeInto(&w, "TxOffset", "7");
        QCOMPARE(child<QLineEdit>(&w, "TxOffset")->text(), QStringLiteral("5.0000"));
        QCOMPARE(e.app.Doc.Data.TxOffset, 50000);
        // Write to Radio validates a focused "Max" as if it lost the focus.
        auto* max = child<QLineEdit>(&w, "SwrMax");
        max->setFocus();
        max->selectAll();
        QTest::keyClicks(max, QStringLiteral("25"));
        QCOMPARE(e.app.Doc.Data.Opt.SwrMax, int16_t(12));
        w.commitPendingEdits();
        QCOMPARE(e.app.Doc.Data.Opt.SwrMax, int16_t(200));
        QCOMPARE(max->text(), QStringLiteral("20.0"));
    }

    void clearingPaEnable()
    {
        Editors e;
        e.app.Doc.Data.Opt.PubMode = 4;
        e.app.Doc.Channels[0][2][1].Modulation = 4;
        e.app.Doc.Channels[1][7][6].Modulation = 4;
        e.app.Doc.Channels[1][6][6].Modulation = 1;
        OptionFeaturesWindow w(e.app, e.events);
        showWindow(&w);
        QCOMPARE(child<QComboBox>(&w, "PubMode")->currentText(), QStringLiteral("PA"));
        QSignalSpy modes(&e.events, &DocumentEvents::enabledModesChanged);
        auto* pa = child<QCheckBox>(&w, "ModeEnable4");
        pa->setFocus();
        QTest::keyClick(pa, Qt::Key_Space);
        QVERIFY(!pa->isChecked());
        QCOMPARE(modes.count(), 1);
        QCOMPARE(e.app.Doc.Data.Opt.ModeEnable[4], int16_t(0));
        QCOMPARE(itemsOf(child<QComboBox>(&w, "PubMode")), (QStringList{"FM", "AM", "USB", "LSB"}));
        QCOMPARE(child<QComboBox>(&w, "PubMode")->currentText(), QStringLiteral("FM"));
        QCOMPARE(e.app.Doc.Data.Opt.PubMode, int16_t(0));
        QCOMPARE(e.app.Doc.Channels[0][2][1].Modulation, int16_t(0));
        QCOMPARE(e.app.Doc.Channels[1][7][6].Modulation, int16_t(0));
        QCOMPARE(e.app.Doc.Channels[1][6][6].Modulation, int16_t(1));
        // The last of FM, AM, USB, LSB cannot be cleared.
        for (const char* name : {"ModeEnable1", "ModeEnable2", "ModeEnable3", "ModeEnable0"})
            child<QCheckBox>(&w, name)->click();
        QVERIFY(child<QCheckBox>(&w, "ModeEnable0")->isChecked());
        QCOMPARE(e.app.Doc.Data.Opt.ModeEnable[0], int16_t(1));
        QCOMPARE(itemsOf(child<QComboBox>(&w, "PubMode")), QStringList{"FM"});
    }

    void rogerBeepRefusals()
    {
        Editors e;
        DataRecord& d = e.app.Doc.Data;
        for (int n = 3; n <= 8; ++n)
            d.RogerSeq[n].Recycle = 0;
        for (int i = 1; i <= 14; ++i)
            d.RogerSeq[2].Tone[i].Length = 0; // Recycle 1 but no length: not defined
        for (int i = 2; i <= 14; ++i)
            d.RogerSeq[1].Tone[i].Length = 0;
        QCOMPARE(DefinedSequenceCount(d), 1);
        auto* player = new RecordingTonePlayer;
        RogerBeepWindow w(e.app, e.events, player);
        showWindow(&w);
        auto* recycle = child<QComboBox>(&w, "Recycle");
        recycle->setFocus();
        QTest::keyClick(recycle, Qt::Key_Up);
        QCOMPARE(recycle->currentText(), QStringLiteral("1"));
        QCOMPARE(d.RogerSeq[1].Recycle, int16_t(1));
        auto* length = child<QComboBox>(&w, "Length1");
        length->setFocus();
        QTest::keyClick(length, Qt::Key_Home);
        QCOMPARE(length->currentText(), QStringLiteral("100"));
        QCOMPARE(d.RogerSeq[1].Tone[1].Length, int16_t(10));
        // Sequence 2 current: its "Off" is refused too, though sequence 1 is the defined one.
        w.findChild<QTabBar*>()->setCurrentIndex(1);
        QCOMPARE(w.currentSequence(), 2);
        recycle->setFocus();
        QTest::keyClick(recycle, Qt::Key_Up);
        QCOMPARE(recycle->currentText(), QStringLiteral("1"));
        QCOMPARE(d.RogerSeq[2].Recycle, int16_t(1));
        // With sequence 3 defined as well, both changes are accepted and references follow.
        d.RogerSeq[3].Recycle = 1;
        e.app.Doc.Channels[0][1][1].RogerTone = 1;
        d.Opt.PubRoger = 1;
        QSignalSpy changed(&e.events, &DocumentEvents::rogerBeepsChanged);
        w.findChild<QTabBar*>()->setCurrentIndex(0);
        length->setFocus();
        QTest::keyClick(length, Qt::Key_Home);
        QCOMPARE(d.RogerSeq[1].Tone[1].Length, int16_t(0));
        QCOMPARE(e.app.Doc.Channels[0][1][1].RogerTone, int16_t(0));
        QCOMPARE(d.Opt.PubRoger, int16_t(0));
        QCOMPARE(changed.count(), 1);
    }

    void rogerListFollowsTheSequences()
    {
        Editors e;
        DataRecord& d = e.app.Doc.Data;
        for (int n : {2, 4, 5})
            d.RogerSeq[n].Recycle = 0;
        d.Opt.PubRoger = 3;
        OptionFeaturesWindow features(e.app, e.events);
        QCOMPARE(itemsOf(child<QComboBox>(&features, "PubRoger")), (QStringList{"OFF", "1", "3"}));
        QCOMPARE(child<QComboBox>(&features, "PubRoger")->currentText(), QStringLiteral("3"));
        RogerBeepWindow w(e.app, e.events, new RecordingTonePlayer);
        w.findChild<QTabBar*>()->setCurrentIndex(2);
        auto* recycle = child<QComboBox>(&w, "Recycle");
        recycle->setCurrentIndex(0);
        emit recycle->activated(0);
        QCOMPARE(d.Opt.PubRoger, int16_t(0));
        QCOMPARE(itemsOf(child<QComboBox>(&features, "PubRoger")), (QStringList{"OFF", "1"}));
        QCOMPARE(child<QComboBox>(&features, "PubRoger")->currentText(), QStringLiteral("OFF"));
    }

    void chartPixels()
    {
        Editors e;
        RogerSeqEntry& seq = e.app.Doc.Data.RogerSeq[1];
        seq = RogerSeqEntry{};
        seq.Recycle = 1;
        seq.Tone[1] = {128, 10};
        seq.Tone[2] = {255, 30};
        RogerBeepWindow w(e.app, e.events, new RecordingTonePlayer);
        auto* chart = w.findChild<RogerChart*>();
        chart->setFixedSize(403, 206);
        showWindow(&w);
        const QImage image = chart->grab().toImage();
        // Inner 397 x 200, baseline at y = 203: step 1 takes a quarter, step 2 the rest.
        const int w1 = 99, h1 = 100, h2 = 199;
        auto at = [&](int x, int y) { return image.pixelColor(x, y); };
        QCOMPARE(at(3, 202), QColor(Qt::red));
        QCOMPARE(at(3 + w1 - 1, 203 - h1), QColor(Qt::red));
        QCOMPARE(at(3 + w1 - 1, 203 - h1 - 1), QColor(Qt::white));
        QCOMPARE(at(3 + w1, 203 - h2), QColor(Qt::blue));
        QCOMPARE(at(3 + w1, 203 - h2 - 1), QColor(Qt::white));
        QCOMPARE(at(3 + 397 - 1, 202), QColor(Qt::blue));
        QCOMPARE(at(3 + 397, 202), QColor(Qt::white));
        QCOMPARE(at(2, 202), QColor(Qt::white));
        QCOMPARE(at(50, 203), QColor(Qt::white));
    }

    void playAndStop()
    {
        Editors e;
        e.app.Doc.Data.RogerSeq[2].Recycle = 3;
        e.app.Doc.Data.RogerSeq[2].InterTime = 20;
        auto* player = new RecordingTonePlayer;
        RogerBeepWindow w(e.app, e.events, player);
        w.findChild<QTabBar*>()->setCurrentIndex(1);
        auto* play = child<QPushButton>(&w, "CommandPlay");
        play->click();
        QVERIFY(!play->isEnabled());
        QCOMPARE(player->starts, 1);
        for (int i = 0; i < 15; ++i)
            player->advance();
        QCOMPARE(player->events.first(), (ToneEvent{ToneEvent::Kind::Tone, 800, 40}));
        QCOMPARE(player->events.last(), (ToneEvent{ToneEvent::Kind::PassPause, 0, 200}));
        // "&Stop" during the pause: the next pass sounds nothing.
        child<QPushButton>(&w, "CommandStop")->click();
        QVERIFY(play->isEnabled());
        QCOMPARE(player->advance().kind, ToneEvent::Kind::Finished);
        QCOMPARE(player->events.size(), 15);
        // A sequence without lengths does nothing.
        for (int i = 1; i <= 14; ++i)
            e.app.Doc.Data.RogerSeq[6].Tone[i].Length = 0;
        w.findChild<QTabBar*>()->setCurrentIndex(5);
        play->click();
        QCOMPARE(player->starts, 1);
        QVERIFY(play->isEnabled());
        // No sound device: said once, in the window.
        player->reportNoDevice();
        player->reportNoDevice();
        QCOMPARE(child<QLabel>(&w, "SoundNotice")->text(),
                 QStringLiteral("No sound device was found: the tones are played silently."));
    }

    void chineseCaptions()
    {
        Editors e;
        e.app.Settings.LanguageIndex = kChinese;
        RogerBeepWindow roger(e.app, e.events, new RecordingTonePlayer);
        QCOMPARE(roger.windowTitle(), QString::fromUtf8("RB音"));
        QCOMPARE(roger.findChild<QTabBar*>()->tabText(7), QString::fromUtf8("RB音 8"));
        QCOMPARE(child<QComboBox>(&roger, "Freq1")->itemText(0), QString::fromUtf8("无"));
        QCOMPARE(child<QPushButton>(&roger, "CommandPlay")->text(), QString::fromUtf8("播放(&P)"));
        DtmfWindow dtmf(e.app, e.events);
        QCOMPARE(dtmf.windowTitle(), QString::fromUtf8("DTMF(双音多频)"));
        QCOMPARE(dtmf.findChild<QTabWidget*>()->tabText(2), QString::fromUtf8("自动拨号存储器"));
        OptionFeaturesWindow features(e.app, e.events);
        QCOMPARE(features.windowTitle(), QString::fromUtf8("可选功能"));
        QCOMPARE(child<QComboBox>(&features, "PubHiCut")->itemText(1), QString::fromUtf8("开"));
        QCOMPARE(child<QCheckBox>(&features, "VoltProtect")->text(), QString::fromUtf8("电池电压保护"));
    }

    void mainWindowWiring()
    {
        TestInstall install;
        TestProgram program(install);
        RegisterEditorWindows(program.windows);
        program.showAndActivate();
        MainWindow& w = *program.window;
        w.findChild<QAction*>(QStringLiteral("mnuOptFeature"))->trigger();
        w.findChild<QAction*>(QStringLiteral("mnuOptFeature"))->trigger();
        w.findChild<QAction*>(QStringLiteral("mnuToneTips"))->trigger();
        w.ShowChildWindow(ChildKind::DTMF);
        QVERIFY(qobject_cast<OptionFeaturesWindow*>(w.childWindow(ChildKind::OptFeatures)));
        QVERIFY(qobject_cast<RogerBeepWindow*>(w.childWindow(ChildKind::ToneTips)));
        QVERIFY(qobject_cast<DtmfWindow*>(w.childWindow(ChildKind::DTMF)));
        QCOMPARE(w.findChildren<OptionFeaturesWindow*>().size(), 1);
        // The DTMF window's changes reach the optional-features window through the main window.
        auto* dtmf = qobject_cast<DtmfWindow*>(w.childWindow(ChildKind::DTMF));
        dtmf->enterCell(9);
        QTest::keyClicks(dtmf->editBox(), QStringLiteral("12"));
        QCOMPARE(itemsOf(child<QComboBox>(w.childWindow(ChildKind::OptFeatures), "PubCall")),
                 (QStringList{"OFF", "9"}));
        // A focused "Max" is stored by Write to Radio.
        auto* features = w.childWindow(ChildKind::OptFeatures);
        w.ShowChildWindow(ChildKind::OptFeatures);
        auto* max = child<QLineEdit>(features, "SwrMax");
        max->setFocus();
        max->selectAll();
        QTest::keyClicks(max, QStringLiteral("3"));
        program.prompt.answers = {PromptAnswer::Cancel};
        w.writeToRadio();
        QCOMPARE(program.app.Doc.Data.Opt.SwrMax, int16_t(30));
        QTRY_COMPARE(program.prompt.count(PromptId::WriteConfirm), 1);
        // A replaced document closes them.
        w.initialSetting();
        QVERIFY(!w.childWindow(ChildKind::OptFeatures));
        QVERIFY(!w.childWindow(ChildKind::DTMF));
        QVERIFY(!w.childWindow(ChildKind::ToneTips));
    }

    void everySettingEditedSavedAndRead()
    {
        TestInstall install;
        Editors e;
        DotDecimalPoint decimalPoint;
        RunStartup(e.app, decimalPoint, install.programFolder(), QStringLiteral("trk5120"), QStringLiteral("en_US"),
                   FixedClock());
        {
            OptionFeaturesWindow w(e.app, e.events);
            showWindow(&w);
            for (const char* name :
                 {"TotTime", "TxDisplay", "MicLevel", "AsqLevel", "Nog", "BacklightColor", "ScanMode", "Fin",
                  "FreqChMode", "PubHiCut", "PubNbAnl", "PubEcho", "PubAdd10k", "PubRoger", "PubMode"}) {
                auto* combo = child<QComboBox>(&w, name);
                combo->setFocus();
                QTest::keyClick(combo, Qt::Key_End);
            }
            for (const char* name : {"Beep", "SwrProtect", "VoltProtect"})
                child<QCheckBox>(&w, name)->click();
            typeInto(&w, "SwrMax", "3.3");
            typeInto(&w, "VoltMin", "10.5");
            typeInto(&w, "VoltMax", "15.5");
            typeInto(&w, "TxOffset", "0.6");
            typeInto(&w, "RssiLevel10", "30");
            child<QCheckBox>(&w, "ModeEnable2")->click();
        }
        {
            DtmfWindow w(e.app, e.events);
            showWindow(&w);
            for (const char* name :
                 {"DtmfSendTime", "DtmfFirstDigitTime", "DtmfFirstDigitDelay", "DtmfStarHashTone", "DtmfDKey"}) {
                auto* combo = child<QComboBox>(&w, name);
                combo->setFocus();
                QTest::keyClick(combo, Qt::Key_End);
            }
            child<QCheckBox>(&w, "DtmfDisplay")->click();
            for (int row = 1; row <= 16; ++row) {
                w.enterCell(row);
                QTest::keyClicks(w.editBox(), QString::number(row * 7) + QStringLiteral("*#d"));
            }
        }
        {
            RogerBeepWindow w(e.app, e.events, new RecordingTonePlayer);
            showWindow(&w);
            for (int n = 0; n < 8; ++n) {
                w.findChild<QTabBar*>()->setCurrentIndex(n);
                for (const QString& name :
                     {QStringLiteral("Recycle"), QStringLiteral("InterTime"), QStringLiteral("Freq%1").arg(n + 1),
                      QStringLiteral("Length%1").arg(14 - n)}) {
                    auto* combo = child<QComboBox>(&w, name);
                    combo->setFocus();
                    QTest::keyClick(combo, Qt::Key_End);
                }
            }
        }
        const DataRecord& d = e.app.Doc.Data;
        QCOMPARE(d.Opt.TotTime, int16_t(60));
        QCOMPARE(d.Opt.PubMode, int16_t(4));
        QCOMPARE(d.Opt.ModeEnable[2], int16_t(0));
        QCOMPARE(d.Opt.SwrMax, int16_t(33));
        QCOMPARE(d.TxOffset, 6000);
        QCOMPARE(d.RssiLevel[10], int16_t(29));
        QCOMPARE(d.Opt.DtmfDKey, int16_t(16));
        QCOMPARE(AutodialText(d.Opt, 16), QStringLiteral("112*#D"));
        QCOMPARE(d.RogerSeq[8].Recycle, int16_t(10));
        QCOMPARE(d.RogerSeq[8].Tone[8].Freq, int16_t(255));
        QCOMPARE(d.RogerSeq[8].Tone[7].Length, int16_t(255));

        // Saved and reopened.
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        RecordingLauncher launcher;
        e.app.DocState.DocPath = dir.filePath(QStringLiteral("features.dat"));
        const RadioDocument edited = e.app.Doc;
        QVERIFY(SaveDataFile(e.app, prompt));
        e.app.Doc = RadioDocument{};
        QCOMPARE(OpenDataFile(e.app, prompt, launcher), OpenResult::Opened);
        QVERIFY(e.app.Doc.Data.Opt == edited.Data.Opt);
        QVERIFY(e.app.Doc.Data.RogerSeq == edited.Data.RogerSeq);
        QCOMPARE(e.app.Doc.Data.TxOffset, edited.Data.TxOffset);
        QVERIFY(e.app.Doc.Data.RssiLevel == edited.Data.RssiLevel);

        // Written to the simulated radio and read back with the command-line tool.
        const QString stage = qEnvironmentVariable("TRK_STAGE") + QStringLiteral("/V200/");
        if (!QFile::exists(stage + QStringLiteral("trk5120-radio-sim")))
            QSKIP("the radio simulator is not built");
        const QString link = dir.filePath(QStringLiteral("radio"));
        QProcess sim;
        sim.start(stage + QStringLiteral("trk5120-radio-sim"),
                  {QStringLiteral("--image"), dir.filePath(QStringLiteral("radio.img")), QStringLiteral("--link"), link,
                   QStringLiteral("--exit-on-stdin-eof")});
        QVERIFY(sim.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(link) || QFileInfo(link).isSymLink(), 10000);
        auto cli = [&](const QStringList& args) {
            QProcess p;
            p.start(stage + QStringLiteral("trk5120-cli"), args);
            return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        };
        QVERIFY(cli({QStringLiteral("write"), QStringLiteral("--port"), link, e.app.DocState.DocPath}));
        const QString backPath = dir.filePath(QStringLiteral("back.dat"));
        QVERIFY(cli({QStringLiteral("read"), QStringLiteral("--port"), link, backPath}));
        sim.closeWriteChannel();
        QVERIFY(sim.waitForFinished(10000));
        e.app.DocState.DocPath = backPath;
        QCOMPARE(OpenDataFile(e.app, prompt, launcher), OpenResult::Opened);
        const RadioDocument back = e.app.Doc;
        for (int n = 1; n <= 8; ++n)
            QVERIFY(back.Data.RogerSeq[n] == edited.Data.RogerSeq[n]);
        for (int n = 1; n <= 16; ++n)
            QCOMPARE(AutodialText(back.Data.Opt, n), AutodialText(edited.Data.Opt, n));
        QCOMPARE(back.Data.Opt.DtmfDKey, edited.Data.Opt.DtmfDKey);
        QCOMPARE(back.Data.Opt.SwrMax, edited.Data.Opt.SwrMax);
        QCOMPARE(back.Data.Opt.PubMode, edited.Data.Opt.PubMode);
        QCOMPARE(back.Data.TxOffset, edited.Data.TxOffset);
        QVERIFY(back.Data.RssiLevel == edited.Data.RssiLevel);
    }
};

TRK_GUI_TEST_MAIN(TestFeatureWindows)
#include "test_feature_windows.moc"
