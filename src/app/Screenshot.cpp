// Documentation tool: starts the real main window offscreen on a copy of an installation
// tree and saves a picture of it, and of the channel window it opens with.
// Usage: trk5120-screenshot PROGRAM_FOLDER MAIN.png [CHANNELS.png]
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
    if (args.size() != 3 && args.size() != 4) {
        QTextStream(stderr) << "usage: trk5120-screenshot PROGRAM_FOLDER MAIN.png [CHANNELS.png]\n";
        return 2;
    }
    AppState app;
    DotDecimalPoint decimalPoint;
    SystemClock clock;
    RunStartup(app, decimalPoint, args.at(1), QStringLiteral("trk5120"), QStringLiteral("en_US"), clock);
    MessageBoxPrompt prompt;
    DialogFileChooser files;
    SystemProgramLauncher launcher;
    ChildWindows windows;
    RegisterEditorWindows(windows);
    MainWindow frmMain(app, MainWindowServices{prompt, files, launcher, windows, [] { return QStringList(); }, nullptr});
    frmMain.resize(1180, 820);
    frmMain.show();
    int result = 0;
    QTimer::singleShot(300, &frmMain, [&] {
        if (!frmMain.grab().save(args.at(2), "PNG")) {
            QTextStream(stderr) << "cannot write " << args.at(2) << "\n";
            result = 1;
        }
        if (args.size() == 4) {
            QWidget* channels = frmMain.childWindow(ChildKind::ChannelInfo);
            // The sub-window frame with its title belongs to the picture.
            QWidget* framed = channels ? channels->parentWidget() : nullptr;
            if (!framed || !framed->grab().save(args.at(3), "PNG")) {
                QTextStream(stderr) << "cannot write " << args.at(3) << "\n";
                result = 1;
            }
        }
        application.quit();
    });
    application.exec();
    return result;
}
