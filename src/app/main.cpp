#include "app/ChildWindows.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MessageBoxPrompt.h"
#include "app/ModMain.h"
#include "document/Clock.h"
#include "files/SystemProgramLauncher.h"
#include "session/AppState.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TRK5120"));
    QApplication::setOrganizationName(QStringLiteral("TRK5120"));

    AppState app;
    DotDecimalPoint decimalPoint;
    SystemClock clock;
    RunStartup(app, decimalPoint, QApplication::applicationDirPath(),
               QFileInfo(QApplication::applicationFilePath()).baseName(), QLocale::system().name(), clock);

    MessageBoxPrompt prompt(app.Settings);
    DialogFileChooser files;
    SystemProgramLauncher launcher;
    ChildWindows windows;
    RegisterEditorWindows(windows);
    MainWindow frmMain(app, MainWindowServices{prompt, files, launcher, windows, {}, nullptr});
    prompt.setParent(&frmMain);
    frmMain.show();
    const int result = application.exec();
    decimalPoint.restore();
    return result;
}
