#include "session/Settings.h"
#include "session/SettingsLocation.h"

#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray kInstalled =
    "[language]\r\nIsFirstRun=1\r\ncomPort=1\r\nCurrentLanguage=1\r\nHandshaking=0\r\nStopBit=1\r\n"
    "[ports]\r\nCOM9=/dev/pts/5\r\n";
} // namespace

// The installation's language folder and a user's configuration folder side by side.
class TestSettingsLocation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString installed() const { return dir.filePath("root/language/mysetup.ini"); }
    QString user() const { return dir.filePath("home/.config/TRK5120/mysetup.ini"); }

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.filePath("root/language")));
        QVERIFY(writeBytes(installed(), kInstalled));
    }

    // Tests run as root, who may write anywhere, so the locked-down installation is
    // simulated by passing "not writable".
    void choice_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QByteArray>("userBefore"); // empty: no user copy yet
        QTest::addColumn<bool>("installedExists");
        QTest::addColumn<bool>("usesUser");
        QTest::addColumn<QByteArray>("userAfter");
        QTest::newRow("own tree") << true << QByteArray() << true << false << QByteArray("<missing>");
        QTest::newRow("own tree ignores an old user copy") << true << QByteArray("[language]\r\ncomPort=4\r\n") << true
                                                           << false << QByteArray("[language]\r\ncomPort=4\r\n");
        QTest::newRow("package, first start: seeded") << false << QByteArray() << true << true << kInstalled;
        QTest::newRow("package, later start: the user's copy stays")
            << false << QByteArray("[language]\r\ncomPort=4\r\n") << true << true
            << QByteArray("[language]\r\ncomPort=4\r\n");
        QTest::newRow("package without installed file: empty copy")
            << false << QByteArray() << false << true << QByteArray();
    }
    void choice()
    {
        QFETCH(bool, writable);
        QFETCH(QByteArray, userBefore);
        QFETCH(bool, installedExists);
        QFETCH(bool, usesUser);
        QFETCH(QByteArray, userAfter);
        if (!userBefore.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(user()).absolutePath()));
            QVERIFY(writeBytes(user(), userBefore));
        }
        if (!installedExists)
            QVERIFY(QFile::remove(installed()));
        QCOMPARE(ChooseSettingsFile(installed(), writable, user()), usesUser ? user() : installed());
        QCOMPARE(fileBytes(user()), userAfter);
        if (installedExists)
            QCOMPARE(fileBytes(installed()), kInstalled);
    }

    // The first start of a packaged program writes its settings, [ports] kept, into the
    // user's copy and leaves the installed file as shipped.
    void startupWritesTheUsersCopy()
    {
        const QString file = ChooseSettingsFile(installed(), false, user());
        QCOMPARE(file, user());
        const AppSettings s = ReadSettings(file, "zh_CN");
        QCOMPARE(int(s.LanguageIndex), 2);
        QCOMPARE(fileBytes(installed()), kInstalled);
        const QByteArray after = fileBytes(user());
        QVERIFY(after.contains("IsFirstRun=0"));
        QVERIFY(after.contains("CurrentLanguage=2"));
        QVERIFY(after.contains("[ports]\r\nCOM9=/dev/pts/5"));
    }

    void noUserCopyPossibleReadsTheInstalledFile()
    {
        // A file where the configuration folder should be: the copy cannot be made.
        QVERIFY(writeBytes(dir.filePath("home"), "not a folder"));
        QCOMPARE(ChooseSettingsFile(installed(), false, user()), installed());
        QCOMPARE(ChooseSettingsFile(installed(), false, QString()), installed());
    }

    void writability()
    {
        QVERIFY(IsWritableSettingsFile(installed()));
        QVERIFY(IsWritableSettingsFile(dir.filePath("root/language/absent.ini")));
        QVERIFY(!IsWritableSettingsFile(dir.filePath("root/missing/mysetup.ini")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "test_settings_location.moc"
