#include "files/SystemProgramLauncher.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Ending the program for another version happens inside the event loop, with windows and the
// port alive. A child process of this test does just that and shows what ran on the way out.
class TestSystemProgramLauncher : public QObject {
    Q_OBJECT
private slots:
    void exitNowEndsAtOnce();
};

namespace {

constexpr const char* kChildArgument = "--exit-now-from-event-loop";

int RunChild(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::atexit([] { std::fputs("exit handler\n", stdout); });
    SystemProgramLauncher launcher;
    QTimer::singleShot(0, &app, [&launcher] {
        std::fputs("printed before\n", stdout); // buffered: a pipe is not a terminal
        launcher.exitNow();
        std::fputs("went on\n", stdout);
    });
    app.exec();
    std::fputs("left the event loop\n", stdout);
    return 3;
}

} // namespace

void TestSystemProgramLauncher::exitNowEndsAtOnce()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildArgument)});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // What was printed still goes out; nothing after the call and no exit handler runs.
    QCOMPARE(child.readAllStandardOutput(), QByteArray("printed before\n"));
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], kChildArgument) == 0)
        return RunChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestSystemProgramLauncher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SystemProgramLauncher.moc"
