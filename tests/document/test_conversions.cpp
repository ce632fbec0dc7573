#include "document/Conversions.h"
#include "document/DataRecord.h"

#include <QTest>

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void trimFixed_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("nul and blanks") << QString::fromLatin1("AB\0  ", 5) << "AB";
        QTest::newRow("blanks before nul stay") << QString::fromLatin1("AB  \0CD", 7) << "AB  ";
        QTest::newRow("blanks only") << "    "
                                     << "";
        QTest::newRow("plain") << "V200"
                               << "V200";
    }
    void trimFixed()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(TrimFixed(in), out);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal") << "28.015" << true << 28.015;
        QTest::newRow("blanks around") << " 28 " << true << 28.0;
        QTest::newRow("negative") << "-12" << true << -12.0;
        QTest::newRow("lone point") << "." << false << 0.0;
        QTest::newRow("double point") << "28..5" << false << 0.0;
        QTest::newRow("comma") << "28,5" << false << 0.0;
        QTest::newRow("exponent") << "1e5" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        const auto parsed = ParseNumber(text);
        QCOMPARE(parsed.has_value(), numeric);
        if (numeric)
            QCOMPARE(*parsed, value);
    }

    void integerCoercions()
    {
        QCOMPARE(ToIntOr("3", 1), int16_t(3));
        QCOMPARE(ToIntOr("", 1), int16_t(1));
        QCOMPARE(ToIntOr("abc", 7), int16_t(7));
        QCOMPARE(ToIntOr("99999", 7), int16_t(7));
        QCOMPARE(ClampFlag(2, 1), int16_t(1));
        QCOMPARE(ClampFlag(-1, 0), int16_t(0));
        QCOMPARE(ClampFlag(1, 0), int16_t(1));
        QCOMPARE(HexByte(10), QString("0A"));
        QCOMPARE(HexByte(255), QString("FF"));
        QCOMPARE(RoundHalfEven(2.5), 2.0);
        QCOMPARE(RoundHalfEven(3.5), 4.0);
        QCOMPARE(RoundHalfEven(-2.5), -2.0);
        QCOMPARE(RoundHalfEven(2.6), 3.0);
    }

    void formatting()
    {
        QCOMPARE(FormatFixed(28.015, 4), QString("28.0150"));
        QCOMPARE(FormatFixed(28, 4), QString("28.0000"));
        QCOMPARE(FormatFixed(29.699, 4), QString("29.6990"));
        QCOMPARE(FormatShortest(25.615), QString("25.615"));
    }

    void dtmfDigits()
    {
        const QString chars = "0123456789ABCD#*";
        for (int v = 0; v < 16; ++v) {
            QCOMPARE(DtmfDigitText(int16_t(v)), QString(chars[v]));
            QCOMPARE(DtmfDigitValue(QString(chars[v])), int16_t(v));
        }
        QCOMPARE(DtmfDigitValue("G"), int16_t(16));
        QCOMPARE(DtmfDigitValue("d"), int16_t(13));
        QCOMPARE(DtmfDigitValue("*9"), int16_t(15));
        QCOMPARE(DtmfDigitValue("e"), int16_t(14));
        QCOMPARE(DtmfDigitValue(""), int16_t(16));
    }

    void groupsAndModes()
    {
        QCOMPARE(GroupLetter(0), QString("A"));
        QCOMPARE(GroupLetter(12), QString("A"));
        QCOMPARE(GroupLetter(10), QString("J"));
        QCOMPARE(GroupLetter(11), QString("MEM"));
        QCOMPARE(GroupNumber("a"), int16_t(0));
        QCOMPARE(GroupNumber(""), int16_t(0));
        QCOMPARE(GroupNumber("J"), int16_t(10));
        QCOMPARE(GroupNumber("MEM"), int16_t(11));
        QCOMPARE(ModeName(7), QString("FM"));
        QCOMPARE(ModeName(4), QString("PA"));
        QCOMPARE(ModeIndex("fm"), int16_t(0));
        QCOMPARE(ModeIndex("LSB"), int16_t(3));
    }

    void coerceMode()
    {
        OptionRecord opt;
        opt.ModeEnable[0] = 0;
        opt.ModeEnable[1] = 1;
        opt.ModeEnable[2] = 1;
        QCOMPARE(CoerceMode(opt, 0), int16_t(1));
        QCOMPARE(CoerceMode(opt, 2), int16_t(2));
        QCOMPARE(CoerceMode(opt, 9), int16_t(1));
        QCOMPARE(ModeListItems(opt, false), QStringList({"AM", "USB"}));
        OptionRecord none;
        QCOMPARE(CoerceMode(none, 3), int16_t(0));
        OptionRecord all;
        for (int i = 0; i <= 4; ++i)
            all.ModeEnable[i] = 1;
        QCOMPARE(ModeListItems(all, true), QStringList({"FM", "AM", "USB", "LSB"}));
        QCOMPARE(ModeListItems(all, false).last(), QString("PA"));
    }

    void paths()
    {
        QCOMPARE(FileNameOf("C:\\a\\b.dat"), QString("b.dat"));
        QCOMPARE(FileNameOf("/home/u/b.dat"), QString("b.dat"));
        QCOMPARE(FileNameOf("C:\\a\\"), QString(""));
        QCOMPARE(ParentFolder("C:\\a\\b"), QString("C:\\a"));
        QCOMPARE(ParentFolder("\\x"), QString("\\x"));
        QCOMPARE(ParentFolder("nofolder"), QString("nofolder"));
        QCOMPARE(InstallRoot("D:\\Apps\\MH_418"), QString("D:\\Apps"));
        QCOMPARE(InstallRoot("/opt/trk/V200/"), QString("/opt/trk"));
    }

    void combos()
    {
        const QStringList three = {"a", "b", "c"};
        QCOMPARE(ComboItemAt(three, 5), QString("a"));
        QCOMPARE(ComboItemAt(three, 1), QString("b"));
        QCOMPARE(ComboItemAt({}, 0), QString());
        QCOMPARE(ComboPick(three, "c"), QString("c"));
        QCOMPARE(ComboPick(three, "x"), QString("a"));
        QCOMPARE(ComboPick({}, "x"), QString());
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "test_conversions.moc"
