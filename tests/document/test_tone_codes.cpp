#include "document/ToneCodes.h"

#include <QTest>

class TestToneCodes : public QObject {
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("off") << 0 << "Off";
        QTest::newRow("first QT") << 1 << "C_001(67.0Hz)";
        QTest::newRow("88.5") << 8 << "C_008(88.5Hz)";
        QTest::newRow("last QT") << 38 << "C_038(250.3Hz)";
        QTest::newRow("first DQT") << 39 << "D_001(023N)";
        QTest::newRow("last DQT") << 142 << "D_104(754N)";
        QTest::newRow("above") << 143 << "Off";
        QTest::newRow("below") << -1 << "Off";
    }
    void texts()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QCOMPARE(ToneCodeText(int16_t(index)), text);
    }
    void listIsIndexed()
    {
        QStringList list = ToneCodeList();
        QCOMPARE(list.size(), 143);
        for (int i = 0; i < 143; ++i)
            QCOMPARE(list[i], ToneCodeText(int16_t(i)));
        QCOMPARE(list.removeDuplicates(), qsizetype(0));
    }
};

QTEST_GUILESS_MAIN(TestToneCodes)
#include "test_tone_codes.moc"
