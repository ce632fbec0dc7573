#include "session/IniFile.h"
#include "session/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
const QByteArray kFresh = "[language]\r\nIsFirstRun=1\r\ncomPort=1\r\nCurrentLanguage=1\r\nHandshaking=0\r\nStopBit=1\r\n";
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
            << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=2\r\nHandshaking=0\r\nStopBit=1\r\n");
        QTest::newRow("stored Chinese on an English system")
            << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=3\r\nCurrentLanguage=2\r\n") << "en_US" << 2 << 1
            << 3 << QByteArray("[language]\r\nIsFirstRun=0\r\ncomPort=3\r\nCurrentLanguage=2\r\n");
        QTest::newRow("Taiwan is not PRC") << kFresh << "zh_TW" << 1 << 1 << 1 << QByteArray();
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
