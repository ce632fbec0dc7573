// Documentation tool: starts the real main window offscreen on a copy of an installation
// tree and saves a picture of it. Usage: trk5120-screenshot PROGRAM_FOLDER OUTPUT.png
#include "session/AppState.h"
#include "app/ChildWindows.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MessageBoxPrompt.h"
#include "app/ModMain.h"
#include "document/Clock.h"
#include "files/SystemProgramLauncher.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: trk5120-screenshot PROGRAM_FOLDER OUTPUT.png\n";
        return 2;
    }
    AppState app;
    DotDecimalPoint decimalPoint;
    SystemClock clock;
    RunStartup(app, decimalPoint, args.at(1), QStringLiteral("trk5120"), QStringLiteral("en_US"), clock);
    MessageBoxPrompt prompt(app.Settings);
    DialogFileChooser files;
    SystemProgramLauncher launcher;
    ChildWindows windows;
    RegisterEditorWindows(windows);
    MainWindow frmMain(app, MainWindowServices{prompt, files, launcher, windows, [] { return QStringList(); }, nullptr});
    frmMain.resize(1000, 680);
    frmMain.show();
    int result = 0;
    QTimer::singleShot(300, &frmMain, [&] {
        if (!frmMain.grab().save(args.at(2), "PNG")) {
            QTextStream(stderr) << "cannot write " << args.at(2) << "\n";
            result = 1;
        }
        application.quit();
    });
    application.exec();
    return result;
}
