// Numbers must use "." whatever the user's locale: a comma-decimal environment must
// change neither what the program writes nor what it accepts.
#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

#include <clocale>

class TestNumberLocale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // What a German desktop gives the program: QCoreApplication adopts LC_ALL from
        // the environment, and Qt's default locale follows the system.
        QVERIFY2(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr, "de_DE.UTF-8 locale is not installed");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(QLocale().decimalPoint(), QString(","));
    }
    void formatsWithPoint()
    {
        QCOMPARE(FormatFixed(28.015, 4), QString("28.0150"));
        QCOMPARE(FormatShortest(25.615), QString("25.615"));
    }
    void parsesPointOnly()
    {
        QCOMPARE(ParseNumber("29.699").value_or(0), 29.699);
        QVERIFY(!ParseNumber("29,699").has_value());
        DocumentState s;
        s.BandText = BandTextOf(0);
        ParseBandLimits(s);
        QCOMPARE(s.BandLow, 25.615);
        QCOMPARE(s.BandHigh, 30.105);
    }
};

int main(int argc, char** argv)
{
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    QCoreApplication app(argc, argv);
    TestNumberLocale test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_number_locale.moc"
