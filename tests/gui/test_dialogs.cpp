#include "GuiTestSupport.h"

#include "app/AboutWindow.h"
#include "app/LanguageWindow.h"
#include "app/MessageBoxPrompt.h"
#include "app/PortWindow.h"
#include "app/ProgressWindow.h"
#include "session/Settings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include <clocale>

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void portWindowSelection_data();
    void portWindowSelection();
    void portWindowRefresh();
    void languageWindowOkWithoutChange_data();
    void languageWindowOkWithoutChange();
    void aboutWindow_data();
    void aboutWindow();
    void progressWindow_data();
    void progressWindow();
    void messageBoxButtons_data();
    void messageBoxButtons();
    void decimalPointDuringRun();
};

void DialogsTest::portWindowSelection_data()
{
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<int>("comPort");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("comPortAfter");
    QTest::addColumn<QString>("written");
    const QStringList two{"COM1", "COM3"};
    QTest::newRow("stored port present, OK") << two << 3 << "COM3" << true << 3 << "comPort=3";
    QTest::newRow("stored port gone: first entry") << two << 5 << "COM1" << true << 1 << "comPort=1";
    QTest::newRow("Cancel changes nothing") << two << 3 << "COM3" << false << 3 << "comPort=9";
    QTest::newRow("no ports: 0, not saved") << QStringList() << 3 << "" << true << 0 << "comPort=9";
}

void DialogsTest::portWindowSelection()
{
    QFETCH(QStringList, ports);
    QFETCH(int, comPort);
    QFETCH(QString, selected);
    QFETCH(bool, ok);
    QFETCH(int, comPortAfter);
    QFETCH(QString, written);
    TestInstall install(QStringLiteral("[language]\ncomPort=9\n"));
    AppSettings settings;
    settings.comPort = int16_t(comPort);
    PortWindow window(settings, install.settingsFile(), [ports] { return ports; });
    QCOMPARE(window.windowTitle(), QStringLiteral("Communication Port"));
    QCOMPARE(window.portList()->currentText(), selected);
    if (ok)
        window.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    else
        window.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    QCOMPARE(settings.comPort, int16_t(comPortAfter));
    QVERIFY(install.settingsText().contains(written));
}

void DialogsTest::portWindowRefresh()
{
    TestInstall install;
    AppSettings settings;
    settings.comPort = 3;
    QStringList ports{"COM1", "COM3"};
    PortWindow window(settings, install.settingsFile(), [&ports] { return ports; });
    window.show();
    QCOMPARE(window.windowPort(), 3);
    ports = {"COM1", "COM3", "COM4"};
    QTRY_COMPARE_WITH_TIMEOUT(window.portList()->count(), 3, 5000);
    QCOMPARE(window.portList()->currentText(), QStringLiteral("COM3")); // the choice survives a refresh
    ports = {"COM1"};
    QTRY_COMPARE_WITH_TIMEOUT(window.portList()->count(), 1, 5000);
    QCOMPARE(window.portList()->currentText(), QStringLiteral("COM1"));
    QCOMPARE(window.windowPort(), 1);
    ports.clear();
    QTRY_COMPARE_WITH_TIMEOUT(window.portList()->count(), 0, 5000);
    QCOMPARE(window.windowPort(), 0);
}

void DialogsTest::languageWindowOkWithoutChange_data()
{
    QTest::addColumn<int>("systemLanguage");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("selected");
    QTest::newRow("English system, English: English only")
        << 1 << 1 << "Language Setup" << QStringList{"English"} << "English";
    QTest::newRow("English system, Chinese interface") << 1 << 2 << "语言设置" << QStringList{"英语", "中文"} << "中文";
    QTest::newRow("Chinese system, English")
        << 2 << 1 << "Language Setup" << QStringList{"English", "Chinese"} << "English";
    QTest::newRow("Chinese system, Chinese") << 2 << 2 << "语言设置" << QStringList{"英语", "中文"} << "中文";
}

void DialogsTest::languageWindowOkWithoutChange()
{
    QFETCH(int, systemLanguage);
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QStringList, offered);
    QFETCH(QString, selected);
    TestInstall install;
    AppSettings settings;
    settings.SystemLanguage = int16_t(systemLanguage);
    settings.LanguageIndex = settings.AppliedLanguage = int16_t(language);
    LanguageWindow window(settings, install.settingsFile());
    QCOMPARE(window.windowTitle(), caption);
    QStringList items;
    for (int i = 0; i < window.languageList()->count(); ++i)
        items << window.languageList()->itemText(i);
    QCOMPARE(items, offered);
    QCOMPARE(window.languageList()->currentText(), selected);
    // OK without touching the list keeps the interface's language.
    window.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    QCOMPARE(settings.LanguageIndex, int16_t(language));
    QCOMPARE(settings.AppliedLanguage, int16_t(language));
    QVERIFY(install.settingsText().contains(QStringLiteral("CurrentLanguage=%1").arg(language)));
}

void DialogsTest::aboutWindow_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("ok");
    QTest::newRow("English") << 1 << "&OK";
    QTest::newRow("Chinese") << 2 << "确定(&O)";
}

void DialogsTest::aboutWindow()
{
    QFETCH(int, language);
    QFETCH(QString, ok);
    AboutWindow window(language);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("TRK5120"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("versionLabel"))->text(), QStringLiteral("Version 2.0.0"));
    QPushButton* button = window.findChild<QPushButton*>(QStringLiteral("okButton"));
    QCOMPARE(button->text(), ok);
    WhenModalShown([button](QWidget*) { button->click(); });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
}

void DialogsTest::progressWindow_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::newRow("read, English") << 1 << 1 << "Read data from radio"
                                   << "Completion percentage:";
    QTest::newRow("write, English") << 2 << 1 << "Write data to radio"
                                    << "Completion percentage:";
    QTest::newRow("read, Chinese") << 1 << 2 << "从对讲机读取数据"
                                   << "完成百分比：";
    QTest::newRow("write, Chinese") << 2 << 2 << "向对讲机写入数据"
                                    << "完成百分比：";
}

void DialogsTest::progressWindow()
{
    QFETCH(int, operation);
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    AppSettings settings;
    settings.LanguageIndex = int16_t(language);
    QWidget owner;
    owner.show();
    ProgressWindowHost host(settings, &owner);
    QVERIFY(!host.isProgressVisible());
    host.showProgress(operation);
    QVERIFY(host.isProgressVisible());
    ProgressWindow* window = host.window();
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("completionLabel"))->text(), label);
    QCOMPARE(window->percentText(), QStringLiteral("0%"));
    QVERIFY(window->isModal());
    host.setProgressValue(37);
    QCOMPARE(window->percent(), 37);
    QCOMPARE(window->percentText(), QStringLiteral("37%"));
    host.hideProgress();
    QVERIFY(!host.isProgressVisible());
}

void DialogsTest::messageBoxButtons_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("clicked"); // index into captions
    QTest::addColumn<int>("answer");
    QTest::newRow("English, Yes/No/Cancel")
        << 1 << int(PromptButtons::YesNoCancel) << QStringList{"&Yes", "&No", "&Cancel"} << 1 << int(PromptAnswer::No);
    QTest::newRow("Chinese, Yes/No/Cancel")
        << 2 << int(PromptButtons::YesNoCancel) << QStringList{"是(&Y)", "否(&N)", "取消(&C)"} << 0
        << int(PromptAnswer::Yes);
    QTest::newRow("Chinese, OK/Cancel") << 2 << int(PromptButtons::OkCancel) << QStringList{"确定(&O)", "取消(&C)"} << 1
                                        << int(PromptAnswer::Cancel);
    QTest::newRow("Chinese, Retry/Cancel")
        << 2 << int(PromptButtons::RetryCancel) << QStringList{"重试(&R)", "取消(&C)"} << 0 << int(PromptAnswer::Retry);
}

void DialogsTest::messageBoxButtons()
{
    QFETCH(int, language);
    QFETCH(int, buttons);
    QFETCH(QStringList, captions);
    QFETCH(int, clicked);
    QFETCH(int, answer);
    AppSettings settings;
    settings.LanguageIndex = int16_t(language);
    MessageBoxPrompt prompt(settings);
    QStringList shown;
    QString title;
    WhenModalShown([&](QWidget* box) {
        title = box->windowTitle();
        QAbstractButton* target = nullptr;
        for (QAbstractButton* button : box->findChild<QDialogButtonBox*>()->buttons()) {
            shown << button->text();
            if (button->text() == captions.value(clicked))
                target = button;
        }
        if (target)
            target->click();
        else
            box->close();
    });
    const PromptAnswer got =
        prompt.ask(PromptId::ClearDocument, QStringLiteral("?"), PromptButtons(buttons), PromptIcon::Question);
    QCOMPARE(title, QStringLiteral("TRK5120"));
    shown.sort();
    captions.sort();
    QCOMPARE(shown, captions);
    QCOMPARE(got, PromptAnswer(answer));
}

void DialogsTest::decimalPointDuringRun()
{
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        QSKIP("the de_DE.UTF-8 locale is not installed (scripts/setup-deps.sh makes it)");
    QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    {
        TestInstall install;
        TestProgram program(install, QStringLiteral("de_DE"));
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral("."));
        program.decimalPoint.restore();
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    }
    std::setlocale(LC_NUMERIC, "C");
}

TRK_GUI_TEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
