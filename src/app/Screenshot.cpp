// Documentation tool: starts the real main window offscreen on a copy of an installation
// tree and saves pictures of it and of editor windows.
// Usage: trk5120-screenshot PROGRAM_FOLDER OUTPUT.png [--chinese] [WINDOW=OUTPUT.png ...]
// where WINDOW is the name of an editor window (frmCommChInfo, FrmToneTips, FrmDTMF, FrmOptFeatures).
#include "app/ChildWindows.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MessageBoxPrompt.h"
#include "app/ModMain.h"
#include "document/Clock.h"
#include "files/SystemProgramLauncher.h"
#include "i18n/Texts.h"
#include "session/AppState.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTextStream>
#include <QTimer>

namespace {

bool save(QWidget* widget, const QString& path)
{
    if (widget->grab().save(path, "PNG"))
        return true;
    QTextStream(stderr) << "cannot write " << path << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList args = application.arguments();
    const bool chinese = args.removeAll(QStringLiteral("--chinese")) > 0;
    if (args.size() < 3) {
        QTextStream(stderr)
            << "usage: trk5120-screenshot PROGRAM_FOLDER OUTPUT.png [--chinese] [WINDOW=OUTPUT.png ...]\n";
        return 2;
    }
    AppState app;
    DotDecimalPoint decimalPoint;
    SystemClock clock;
    RunStartup(app, decimalPoint, args.at(1), QStringLiteral("trk5120"),
               chinese ? QStringLiteral("zh_CN") : QStringLiteral("en_US"), clock);
    if (chinese)
        app.Settings.LanguageIndex = app.Settings.AppliedLanguage = kChinese;
    MessageBoxPrompt prompt(app.Settings);
    DialogFileChooser files;
    SystemProgramLauncher launcher;
    ChildWindows windows;
    RegisterEditorWindows(windows);
    MainWindow frmMain(app,
                       MainWindowServices{prompt, files, launcher, windows, [] { return QStringList(); }, nullptr});
    frmMain.resize(1180, 820);
    frmMain.show();
    int result = 0;
    QTimer::singleShot(300, &frmMain, [&] {
        if (!save(&frmMain, args.at(2)))
            result = 1;
        for (const QString& request : args.mid(3)) {
            const QString name = request.section(QLatin1Char('='), 0, 0);
            const QString path = request.section(QLatin1Char('='), 1);
            bool shown = false;
            for (ChildKind kind :
                 {ChildKind::ChannelInfo, ChildKind::OptFeatures, ChildKind::DTMF, ChildKind::ToneTips}) {
                if (ChildWindowName(kind) != name)
                    continue;
                frmMain.ShowChildWindow(kind);
                QWidget* window = frmMain.childWindow(kind);
                if (!window)
                    break;
                window->adjustSize();
                if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
                    sub->adjustSize();
                QApplication::processEvents();
                shown = save(window->parentWidget() ? window->parentWidget() : window, path);
            }
            if (!shown) {
                QTextStream(stderr) << "no picture of " << name << "\n";
                result = 1;
            }
        }
        application.quit();
    });
    application.exec();
    return result;
}
