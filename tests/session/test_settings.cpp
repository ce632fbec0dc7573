#include "session/IniFile.h"
#include "session/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
const QByteArray kFresh =
    "[language]\r\nIsFirstRun=1\r\ncomPort=1\r\nCurrentLanguage=1\r\nHandshaking=0\r\nStopBit=1\r\n";
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString ini() const { return dir.filePath("mysetup.ini"); }

private slots:
    void iniKeepsOtherLines()
    {
        writeFile(ini(), "; comment\r\n[Other]\r\nkey=x\r\n[language]\r\ncomPort = 4 \r\n\r\n[Tail]\r\nA=1\r\n");
        QCOMPARE(ReadIniValue(ini(), "LANGUAGE", "ComPort"), QString("4"));
        QCOMPARE(ReadIniValue(ini(), "language", "missing"), QString());
        QCOMPARE(ReadIniValue(dir.filePath("none.ini"), "language", "comPort"), QString());
        QVERIFY(WriteIniValue(ini(), "language", "comPort", "7"));
        QVERIFY(WriteIniValue(ini(), "language", "StopBit", "1"));
        QVERIFY(WriteIniValue(ini(), "New", "k", "v"));
        QCOMPARE(readFile(ini()), QByteArray("; comment\r\n[Other]\r\nkey=x\r\n[language]\r\ncomPort=7\r\nStopBit=1\r\n"
                                             "\r\n[Tail]\r\nA=1\r\n[New]\r\nk=v\r\n"));
    }

    void startup_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("system");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("first run on a PRC system")
            << kFresh << "zh_CN" << 2 << 2 << 1
            << QByteArray(
                   "[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=2\r\nHandshaking=0\r\nStopBit=1\r\n");
        QTest::newRow("stored Chinese on an English system")
            << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=3\r\nCurrentLanguage=2\r\n") << "en_US" << 2 << 1 << 3
            << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=3\r\nCurrentLanguage=2\r\n");
        QTest::newRow("Taiwan is not PRC") << kFresh << "zh_TW" << 1 << 1 << 1 << QByteArray();
        QTest::newRow("a comment in another encoding keeps its bytes")
            << "; \xc4\xe3\xba\xc3 \xa1\xa2\r\n" + kFresh << "zh_CN" << 2 << 2 << 1
            << QByteArray(
                   "; \xc4\xe3\xba\xc3 \xa1\xa2\r\n[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=2\r\n"
                   "Handshaking=0\r\nStopBit=1\r\n");
        QTest::newRow("only the changed line changes")
            << QByteArray("[language]\nIsFirstRun=0\ncomPort= 3\nCurrentLanguage=1\n[x]\r\nk=\xff") << "en_US" << 1 << 1
            << 3 << QByteArray("[language]\nIsFirstRun=0\ncomPort=3\nCurrentLanguage=1\n[x]\r\nk=\xff");
        QTest::newRow("broken values fall back")
            << QByteArray("[language]\r\nIsFirstRun=False\r\ncomPort=\r\nCurrentLanguage=9\r\n") << "de_DE" << 1 << 1
            << 1 << QByteArray("[language]\r\nIsFirstRun=False\r\ncomPort=1\r\nCurrentLanguage=1\r\n");
    }
    void startup()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, locale);
        QFETCH(int, language);
        QFETCH(int, system);
        QFETCH(int, port);
        QFETCH(QByteArray, after);
        writeFile(ini(), file);
        const AppSettings s = ReadSettings(ini(), locale);
        QCOMPARE(int(s.LanguageIndex), language);
        QCOMPARE(int(s.SystemLanguage), system);
        QCOMPARE(int(s.AppliedLanguage), system);
        QCOMPARE(int(s.comPort), port);
        if (!after.isEmpty())
            QCOMPARE(readFile(ini()), after);
    }

    void unreadableFileIsNeverRewritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no read permission") << "mode";
        QTest::newRow("a named pipe") << "pipe"; // cannot be read by anyone, root included
    }
    void unreadableFileIsNeverRewritten()
    {
        QFETCH(QString, kind);
        QTemporaryDir own;
        const QString path = own.filePath("mysetup.ini");
        const QByteArray settings = "[language]\r\nIsFirstRun=0\r\ncomPort=5\r\nCurrentLanguage=2\r\n";
        if (kind == "mode") {
            if (::geteuid() == 0)
                QSKIP("root reads a file whatever its mode");
            writeFile(path, settings);
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        } else {
            QCOMPARE(::mkfifo(qPrintable(path), 0644), 0);
        }
        const AppSettings s = ReadSettings(path, "en_US");
        QCOMPARE(int(s.comPort), 1);
        QVERIFY(!WriteIniValue(path, "language", "comPort", "3"));
        if (kind == "mode") {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(readFile(path), settings);
        } else {
            QVERIFY(!QFileInfo(path).isFile());
        }
        QCOMPARE(QDir(own.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{"mysetup.ini"});
    }

    void writableFileInFolderWithoutRoom_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::newRow("folder without write permission") << "mode";
        QTest::newRow("immutable folder") << "chattr"; // holds for root as well
    }
    void writableFileInFolderWithoutRoom()
    {
        QFETCH(QString, lock);
        QTemporaryDir own;
        const QString folder = own.filePath("language");
        const QString path = folder + "/mysetup.ini";
        QVERIFY(QDir().mkpath(folder));
        writeFile(path, "; kept\r\n[language]\r\ncomPort=5\r\n");
        if (lock == "mode") {
            if (::geteuid() == 0)
                QSKIP("root creates files in any folder");
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        } else if (QProcess::execute("chattr", {"+i", folder}) != 0) {
            QSKIP("this file system cannot make a folder immutable");
        }
        const bool written = WriteIniValue(path, "language", "comPort", "12");
        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (lock == "mode")
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            QProcess::execute("chattr", {"-i", folder});
        QVERIFY(written);
        QCOMPARE(readFile(path), QByteArray("; kept\r\n[language]\r\ncomPort=12\r\n"));
        QCOMPARE(entries, QStringList{"mysetup.ini"});
    }

    void missingFileIsAFirstRun()
    {
        const QString path = dir.filePath("absent/mysetup.ini");
        const AppSettings s = ReadSettings(path, "zh_CN");
        QCOMPARE(int(s.LanguageIndex), 2);
        QCOMPARE(int(s.comPort), 1);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
