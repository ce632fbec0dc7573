#pragma once

// Scripted stand-ins for the desktop program's questions, dialogs and programs, and a
// throw-away installation tree, so the main window runs headless and deterministic.

#include "FixedClock.h"
#include "RecordingLauncher.h"
#include "ScriptedPrompt.h"
#include "app/ChildWindows.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/ModMain.h"
#include "files/VersionTable.h"
#include "session/AppState.h"
#include "session/UserPrompt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ScriptedFiles final : public FileChooser {
public:
    std::optional<QString> chooseOpen(QWidget*, const QString& filter) override
    {
        filters << filter;
        ++opens;
        return next();
    }
    std::optional<QString> chooseSave(QWidget*, const QString& filter, const QString& suggested) override
    {
        filters << filter;
        suggestions << suggested;
        ++saves;
        return next();
    }
    QStringList names; // an empty name cancels the dialog
    QStringList filters;
    QStringList suggestions;
    int opens = 0;
    int saves = 0;

private:
    std::optional<QString> next()
    {
        const QString name = names.isEmpty() ? QString() : names.takeFirst();
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }
};

// An installation tree in a temporary folder: Version.ini, language/mysetup.ini, V200/Init
// and V200/PIC copied from the build's staging tree, the settings file from the test.
class TestInstall {
public:
    explicit TestInstall(
        const QString& settingsText = QStringLiteral(
            "[language]\r\nIsFirstRun=1\r\ncomPort=1\r\nCurrentLanguage=1\r\nHandshaking=0\r\nStopBit=1\r\n"))
    {
        const QString stage = qEnvironmentVariable("TRK_STAGE");
        const QDir root(dir.path());
        root.mkpath(QStringLiteral("language"));
        root.mkpath(QStringLiteral("V200/Init"));
        root.mkpath(QStringLiteral("V200/PIC"));
        QFile::copy(stage + QStringLiteral("/Version.ini"), root.filePath(QStringLiteral("Version.ini")));
        for (const QString& sub : {QStringLiteral("V200/Init"), QStringLiteral("V200/PIC")}) {
            const QDir from(stage + QLatin1Char('/') + sub);
            for (const QString& name : from.entryList(QDir::Files))
                QFile::copy(from.filePath(name), root.filePath(sub + QLatin1Char('/') + name));
        }
        QFile settings(settingsFile());
        if (settings.open(QIODevice::WriteOnly))
            settings.write(settingsText.toUtf8());
    }
    QString path() const { return dir.path(); }
    QString programFolder() const { return dir.path() + QStringLiteral("/V200"); }
    QString settingsFile() const { return dir.path() + QStringLiteral("/language/mysetup.ini"); }
    QString filePath(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QString settingsText() const
    {
        QFile f(settingsFile());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir dir;
};

// A stand-in editor window that counts how often it was built and asked to commit.
struct EditorCounters {
    int created = 0;
    int committed = 0;
};

inline void RegisterStandInEditors(ChildWindows& windows, EditorCounters& counters)
{
    for (const ChildKind kind :
         {ChildKind::ChannelInfo, ChildKind::OptFeatures, ChildKind::ToneTips, ChildKind::DTMF}) {
        windows.add(kind, {[&counters, kind](EditorServices&) {
                               ++counters.created;
                               auto* w = new QLabel(ChildWindowName(kind));
                               w->resize(200, 120);
                               return static_cast<QWidget*>(w);
                           },
                           [&counters](QWidget*) { ++counters.committed; }});
    }
}

// Which editor windows a test program opens: counting stand-ins, or the program's own.
enum class TestEditors { StandIn, Real };

// A started program: state from the start-up sequence and a shown main window.
struct TestProgram {
    explicit TestProgram(TestInstall& install, const QString& systemLocale = QStringLiteral("en_US"),
                         TestEditors editorKind = TestEditors::StandIn)
    {
        RunStartup(app, decimalPoint, install.programFolder(), QStringLiteral("trk5120"), systemLocale, clock);
        launcher.startSucceeds = false;
        if (editorKind == TestEditors::Real)
            RegisterEditorWindows(windows);
        else
            RegisterStandInEditors(windows, editors);
        window = std::make_unique<MainWindow>(
            app, MainWindowServices{prompt, files, launcher, windows, [this] { return ports; }, nullptr, &clock});
    }
    ~TestProgram()
    {
        window->hide();
        window.reset();
    }
    void showAndActivate()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
        window->ApplyLanguageIfChanged();
    }

    FixedClock clock;
    DotDecimalPoint decimalPoint;
    AppState app;
    ScriptedPrompt prompt;
    ScriptedFiles files;
    RecordingLauncher launcher;
    ChildWindows windows;
    EditorCounters editors;
    QStringList ports{QStringLiteral("COM1")};
    std::unique_ptr<MainWindow> window;
};

// Runs `act` on the next modal window once it is shown (the caller then starts it with exec()).
inline void WhenModalShown(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start();
}

// Per-user settings of the tests go to a folder of their own, never to the real one.
inline void UseTemporaryHome(QTemporaryDir& home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
}

#define TRK_GUI_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        QTemporaryDir home;                                                                                            \
        UseTemporaryHome(home);                                                                                        \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        QApplication application(argc, argv);                                                                          \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
