// The widget-free rules of the optional-features, DTMF and roger-beep editors.
#include "FixedClock.h"
#include "document/DataRecord.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/features/DtmfRules.h"
#include "editors/features/OptionFeatureRules.h"
#include "editors/features/RogerBeepRules.h"
#include "i18n/FeatureTexts.h"
#include "i18n/Texts.h"

#include <QTest>

namespace {

RadioDocument defaultDocument()
{
    RadioDocument doc;
    BuildDefaultDocument(doc, DocumentState(), FixedClock());
    return doc;
}

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromUtf8(item);
    return out;
}

} // namespace

class TestFeatureRules : public QObject {
    Q_OBJECT
private slots:
    // ---- optional features ----
    void shownIndex_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("TOT 7 shows 60s") << OptId::Tot << 7 << "60s";
        QTest::newRow("TOT 0 shows Off") << OptId::Tot << 0 << "Off";
        QTest::newRow("TOT beyond the list") << OptId::Tot << 90 << "Off";
        QTest::newRow("MIC 0 shows 1") << OptId::Mic << 0 << "1";
        QTest::newRow("MIC by text") << OptId::Mic << 30 << "30";
        QTest::newRow("ASQ by text") << OptId::AsqLevel << 9 << "9";
        QTest::newRow("INDIC negative") << OptId::TxDisplay << -1 << "Tx Frequency Display";
        QTest::newRow("Color by index") << OptId::Color << 6 << "Cyan";
        QTest::newRow("Fin RT") << OptId::Fin << 3 << "RT";
        QTest::newRow("NB/ANL ON") << OptId::PubNbAnl << 1 << "ON";
        QTest::newRow("Roger of an undefined sequence") << OptId::PubRoger << 7 << "OFF";
        QTest::newRow("Mode AM") << OptId::PubMode << 1 << "AM";
        QTest::newRow("Mode out of range shows FM") << OptId::PubMode << 9 << "FM";
    }
    void shownIndex()
    {
        QFETCH(int, id);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        RadioDocument doc = defaultDocument();
        *OptFeatField(doc.Data, id) = int16_t(stored);
        const DataRecord before = doc.Data;
        const QStringList items = OptSelectorItems(id, doc.Data, kEnglish);
        QCOMPARE(items.at(OptShownIndex(id, doc.Data, items)), shown);
        QVERIFY(doc.Data == before); // showing never writes
    }

    void saveOptFeat_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        QTest::newRow("TOT 90s stores 9") << OptId::Tot << 3 << 9;
        QTest::newRow("MIC stores the number") << OptId::Mic << 0 << 1;
        QTest::newRow("ASQ stores the number") << OptId::AsqLevel << 4 << 5;
        QTest::newRow("NOG by index") << OptId::Nog << 32 << 32;
        QTest::newRow("Freq_CH by index") << OptId::FreqCh << 1 << 1;
        QTest::newRow("BOT OFF stores 0") << OptId::PubBot << 0 << 0;
        QTest::newRow("Roger 3") << OptId::PubRoger << 3 << 3;
        QTest::newRow("Mode USB") << OptId::PubMode << 2 << 2;
        QTest::newRow("Beep cleared") << OptId::Beep << 0 << 0;
    }
    void saveOptFeat()
    {
        QFETCH(int, id);
        QFETCH(int, index);
        QFETCH(int, stored);
        RadioDocument doc = defaultDocument();
        const QStringList items = OptSelectorItems(id, doc.Data, kEnglish);
        const QString text = items.isEmpty() ? QString() : items.at(index);
        QVERIFY(SaveOptFeat(doc.Data, id, index, text));
        QCOMPARE(int(*OptFeatField(doc.Data, id)), stored);
    }
    void unknownIdChangesNothing()
    {
        RadioDocument doc = defaultDocument();
        const DataRecord before = doc.Data;
        for (int id : {0, 1, 4, 12, 101, 110, 204, 209})
            QVERIFY(!SaveOptFeat(doc.Data, id, 1, QStringLiteral("1")));
        QVERIFY(doc.Data == before);
    }
    void listsInChinese()
    {
        const RadioDocument doc = defaultDocument();
        QCOMPARE(OptSelectorItems(OptId::Tot, doc.Data, kChinese).first(), QString::fromUtf8("关"));
        QCOMPARE(OptSelectorItems(OptId::PubHiCut, doc.Data, kChinese), list({"关", "开"}));
        QCOMPARE(OptSelectorItems(OptId::ScanMode, doc.Data, kChinese), list({"静噪扫描", "时间扫描"}));
        QCOMPARE(OptSelectorItems(OptId::FreqCh, doc.Data, kChinese), list({"Channel", "Frequency"}));
        QCOMPARE(OptSelectorItems(OptId::Tot, doc.Data, kEnglish).size(), 21);
    }

    void clarifierLimit()
    {
        OptionRecord opt;
        opt.Rtix = 1500;
        opt.Ttix = -1001;
        LimitClarifiers(opt);
        QCOMPARE(opt.Rtix, int16_t(1000));
        QCOMPARE(opt.Ttix, int16_t(-1000));
        opt.Rtix = -999;
        LimitClarifiers(opt);
        QCOMPARE(opt.Rtix, int16_t(-999));
    }

    void swrMaxAndOffset_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("Max 0.5") << "Max"
                                 << "0.5"
                                 << "1.2" << 12;
        QTest::newRow("Max 25") << "Max"
                                << "25"
                                << "20.0" << 200;
        QTest::newRow("Max not a number") << "Max"
                                          << "."
                                          << "20.0" << 200;
        QTest::newRow("Max rounded") << "Max"
                                     << "3.45"
                                     << "3.5" << 35;
        QTest::newRow("Tx Offset 0") << "Tx Offset"
                                     << "0"
                                     << "0.0001" << 1;
        QTest::newRow("Tx Offset 7") << "Tx Offset"
                                     << "7"
                                     << "5.0000" << 50000;
        QTest::newRow("Tx Offset empty") << "Tx Offset"
                                         << ""
                                         << "5.0000" << 50000;
        QTest::newRow("Tx Offset 0.6") << "Tx Offset"
                                       << "0.6"
                                       << "0.6000" << 6000;
    }
    void swrMaxAndOffset()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        if (field == QLatin1String("Max")) {
            const SwrMaxResult r = LeaveSwrMax(typed);
            QCOMPARE(r.text, shown);
            QCOMPARE(int(r.swrMax), stored);
        } else {
            const TxOffsetResult r = LeaveTxOffset(typed);
            QCOMPARE(r.text, shown);
            QCOMPARE(int(r.txOffset), stored);
        }
    }

    void volts_data()
    {
        QTest::addColumn<QString>("minText");
        QTest::addColumn<QString>("maxText");
        QTest::addColumn<bool>("leftMin");
        QTest::addColumn<QString>("minShown");
        QTest::addColumn<QString>("maxShown");
        QTest::addColumn<int>("voltMin");
        QTest::addColumn<int>("voltMax");
        QTest::newRow("Min 18 becomes 17.0, then swapped") << "18"
                                                           << "16.8" << true << "16.8"
                                                           << "17.0" << 168 << 170;
        QTest::newRow("Max abc becomes 9.0") << "9.7"
                                             << "abc" << false << "9.0"
                                             << "9.7" << 90 << 97;
        QTest::newRow("Min 12 over Max 10.0 swaps") << "12"
                                                    << "10.0" << true << "10.0"
                                                    << "12.0" << 100 << 120;
        QTest::newRow("in order") << "9.7"
                                  << "16.8" << false << "9.7"
                                  << "16.8" << 97 << 168;
    }
    void volts()
    {
        QFETCH(QString, minText);
        QFETCH(QString, maxText);
        QFETCH(bool, leftMin);
        const VoltResult r = LeaveVolt(minText, maxText, leftMin);
        QTEST(r.minText, "minShown");
        QTEST(r.maxText, "maxShown");
        QTEST(int(r.voltMin), "voltMin");
        QTEST(int(r.voltMax), "voltMax");
    }

    void rssi_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        // FM/AM fields show 1, 4, 11, 15, 25, 36 (stored 0, 3, 10, 14, 24, 35).
        QTest::newRow("16 in the third is refused") << 2 << "16"
                                                    << "11" << 10;
        QTest::newRow("15 equals the fourth") << 2 << "15"
                                              << "11" << 10;
        QTest::newRow("14 accepted") << 2 << "14"
                                     << "14" << 13;
        QTest::newRow("0 in the first accepted") << 0 << "0"
                                                 << "1" << 0;
        QTest::newRow("empty is refused") << 1 << ""
                                          << "4" << 3;
        QTest::newRow("last above its left") << 5 << "99"
                                             << "36" << 35;
        QTest::newRow("last not above its left") << 5 << "25"
                                                 << "36" << 35;
        QTest::newRow("USB/LSB group is separate") << 6 << "3"
                                                   << "3" << 2;
        QTest::newRow("first of USB/LSB against its right") << 6 << "6"
                                                            << "1" << 0;
    }
    void rssi()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        RadioDocument doc = defaultDocument();
        QTEST(LeaveRssi(doc.Data, field, typed), "shown");
        QTEST(int(doc.Data.RssiLevel[field]), "stored");
    }

    void modeEnable()
    {
        RadioDocument doc = defaultDocument();
        OptionRecord& opt = doc.Data.Opt;
        // The last of FM, AM, USB, LSB stays.
        for (int m : {1, 2, 3})
            QVERIFY(!ApplyModeEnable(doc, m, false));
        QVERIFY(ApplyModeEnable(doc, 0, false));
        QCOMPARE(opt.ModeEnable[0], int16_t(1));
        // PA is not part of the rule; its channels and the public mode move to FM.
        doc.Channels[0][1][3].Modulation = 4;
        doc.Channels[1][7][10].Modulation = 4;
        opt.PubMode = 4;
        QVERIFY(!ApplyModeEnable(doc, 4, false));
        QCOMPARE(doc.Channels[0][1][3].Modulation, int16_t(0));
        QCOMPARE(doc.Channels[1][7][10].Modulation, int16_t(0));
        const QStringList items = OptSelectorItems(OptId::PubMode, doc.Data, kEnglish);
        QCOMPARE(items, QStringList{QStringLiteral("FM")});
        QCOMPARE(ReselectPublicMode(doc.Data, items, QStringLiteral("PA")), 0);
        QCOMPARE(opt.PubMode, int16_t(0));
        // With AM back, a remembered AM stays selected.
        ApplyModeEnable(doc, 1, true);
        const QStringList two = OptSelectorItems(OptId::PubMode, doc.Data, kEnglish);
        QCOMPARE(ReselectPublicMode(doc.Data, two, QStringLiteral("AM")), 1);
        QCOMPARE(opt.PubMode, int16_t(1));
    }

    // ---- DTMF ----
    void autodialStore_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("short code gets a NUL") << "1A2B" << QByteArray("1A2B\0           ", 16) << "1A2B";
        QTest::newRow("16 characters, no NUL")
            << "0123456789ABCD*#" << QByteArray("0123456789ABCD*#") << "0123456789ABCD*#";
        QTest::newRow("cut at 16") << "0123456789ABCD*#9" << QByteArray("0123456789ABCD*#") << "0123456789ABCD*#";
        QTest::newRow("empty") << "" << QByteArray("\0               ", 16) << "";
        QTest::newRow("trailing blanks dropped") << "12  " << QByteArray("12\0             ", 16) << "12";
        QTest::newRow("lower case stored upper") << "1a2b" << QByteArray("1A2B\0           ", 16) << "1A2B";
    }
    void autodialStore()
    {
        QFETCH(QString, typed);
        OptionRecord opt;
        StoreAutodialCode(opt, 3, typed);
        QTEST(opt.AutodialCode[3].raw(), "field");
        QTEST(AutodialText(opt, 3), "text");
        QCOMPARE(IsAutodialEmpty(opt, 3), AutodialText(opt, 3).isEmpty());
    }
    void autodialKeys()
    {
        const QString accepted = QStringLiteral("0123456789*#ABCD");
        for (QChar c : accepted)
            QCOMPARE(AutodialKey(c), std::optional<QChar>(c));
        QCOMPARE(AutodialKey(QLatin1Char('b')), std::optional<QChar>(QLatin1Char('B')));
        for (QChar c : QStringLiteral("eEfF +-. xz"))
            QVERIFY(!AutodialKey(c));
    }
    void emptyingAMemoryClearsReferences()
    {
        RadioDocument doc = defaultDocument();
        StoreAutodialCode(doc.Data.Opt, 5, QStringLiteral("55"));
        StoreAutodialCode(doc.Data.Opt, 6, QStringLiteral("66"));
        ChannelRecord& a = doc.Channels[0][1][1];
        ChannelRecord& b = doc.Channels[1][7][10];
        a.BotCode = 5;
        a.EotCode = 6;
        b.CallCode = 5;
        b.BotCode = 17; // only a file or the radio can hold this
        b.EotCode = -3;
        doc.Data.Opt.PubEot = 5;
        doc.Data.Opt.PubBot = 6;
        QCOMPARE(DtmfCodeListItems(doc.Data.Opt, kEnglish), list({"OFF", "5", "6"}));

        StoreAutodialCode(doc.Data.Opt, 5, QString());
        RevalidateDtmfReferences(doc);
        QCOMPARE(a.BotCode, int16_t(0));
        QCOMPARE(a.EotCode, int16_t(6));
        QCOMPARE(b.CallCode, int16_t(0));
        QCOMPARE(b.BotCode, int16_t(0));
        QCOMPARE(b.EotCode, int16_t(0));
        QCOMPARE(doc.Data.Opt.PubEot, int16_t(0));
        QCOMPARE(doc.Data.Opt.PubBot, int16_t(6));
        QCOMPARE(DtmfCodeListItems(doc.Data.Opt, kChinese), list({"关", "6"}));
        // A new code in memory 5 does not bring the references back.
        StoreAutodialCode(doc.Data.Opt, 5, QStringLiteral("5"));
        RevalidateDtmfReferences(doc);
        QCOMPARE(a.BotCode, int16_t(0));
    }
    void encodeSelectors_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("afterOpen");
        QTest::newRow("send time 0 becomes 1") << int(DtmfEncodeField::SendTime) << 0 << "10" << 1;
        QTest::newRow("send time 50") << int(DtmfEncodeField::SendTime) << 50 << "500" << 50;
        QTest::newRow("first digit time 0") << int(DtmfEncodeField::FirstDigitTime) << 0 << "0" << 0;
        QTest::newRow("first digit delay 25") << int(DtmfEncodeField::FirstDigitDelay) << 25 << "2500" << 25;
        QTest::newRow("* and # 3 has no item") << int(DtmfEncodeField::StarHashTone) << 3 << "0" << 0;
        QTest::newRow("* and # 5") << int(DtmfEncodeField::StarHashTone) << 5 << "500" << 5;
        QTest::newRow("D key 20") << int(DtmfEncodeField::DKey) << 20 << "D Code" << 0;
        QTest::newRow("D key 16") << int(DtmfEncodeField::DKey) << 16 << "16s" << 16;
    }
    void encodeSelectors()
    {
        QFETCH(int, field);
        QFETCH(int, stored);
        const auto f = DtmfEncodeField(field);
        OptionRecord opt;
        opt.DtmfSendTime = 1;
        opt.DtmfFirstDigitDelay = 1;
        DtmfEncodeFieldOf(opt, f) = int16_t(stored);
        QTEST(DtmfEncodeItems(f, kEnglish).at(DtmfEncodeItemIndex(f, int16_t(stored))), "shown");
        NormalizeDtmfEncode(opt);
        QTEST(int(DtmfEncodeFieldOf(opt, f)), "afterOpen");
    }
    void encodeListsInChinese()
    {
        const QStringList dkey = DtmfEncodeItems(DtmfEncodeField::DKey, kChinese);
        QCOMPARE(dkey.size(), 17);
        QCOMPARE(dkey.at(0), QString::fromUtf8("D 码"));
        QCOMPARE(dkey.at(16), QString::fromUtf8("16秒"));
        QCOMPARE(DtmfEncodeItems(DtmfEncodeField::SendTime, kEnglish).size(), 50);
        QCOMPARE(DtmfEncodeItems(DtmfEncodeField::FirstDigitDelay, kEnglish).size(), 25);
    }

    // ---- roger beep ----
    void defined()
    {
        RadioDocument doc = defaultDocument();
        QCOMPARE(DefinedSequenceCount(doc.Data), 5);
        QVERIFY(!IsSequenceDefined(doc.Data, 0));
        QVERIFY(!IsSequenceDefined(doc.Data, 9));
        QVERIFY(!IsSequenceDefined(doc.Data, 6));
        doc.Data.RogerSeq[6].Recycle = 2;
        QVERIFY(!IsSequenceDefined(doc.Data, 6)); // no step has a length
        doc.Data.RogerSeq[6].Tone[14].Length = 1;
        QVERIFY(IsSequenceDefined(doc.Data, 6));
        doc.Data.RogerSeq[1].Recycle = 0;
        QCOMPARE(RogerListItems(doc.Data, kEnglish), list({"OFF", "2", "3", "4", "5", "6"}));
    }
    void references()
    {
        RadioDocument doc = defaultDocument();
        doc.Channels[0][1][1].RogerTone = 3;
        doc.Channels[1][2][4].RogerTone = 1;
        doc.Channels[1][3][4].RogerTone = 9;
        doc.Data.Opt.PubRoger = 3;
        doc.Data.RogerSeq[3].Recycle = 0;
        RevalidateRogerReferences(doc);
        QCOMPARE(doc.Channels[0][1][1].RogerTone, int16_t(0));
        QCOMPARE(doc.Channels[1][2][4].RogerTone, int16_t(1));
        QCOMPARE(doc.Channels[1][3][4].RogerTone, int16_t(0));
        QCOMPARE(doc.Data.Opt.PubRoger, int16_t(0));
    }
    void refusals_data()
    {
        QTest::addColumn<QList<int>>("definedSequences");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("recycleOffRefused");
        QTest::addColumn<bool>("lastLengthRefused");
        QTest::newRow("only 1 defined") << QList<int>{1} << 1 << true << true;
        QTest::newRow("1 and 3 defined") << QList<int>{1, 3} << 1 << false << false;
        QTest::newRow("only 1 defined, 2 current") << QList<int>{1} << 2 << true << true;
    }
    void refusals()
    {
        QFETCH(QList<int>, definedSequences);
        QFETCH(int, current);
        RadioDocument doc = defaultDocument();
        for (int n = 1; n <= 8; ++n)
            if (!definedSequences.contains(n))
                doc.Data.RogerSeq[n].Recycle = 0;
        // Sequence 1 keeps one step with a length; sequence 2 keeps its steps.
        for (int i = 2; i <= 14; ++i)
            doc.Data.RogerSeq[1].Tone[i].Length = 0;
        QTEST(RefusesRecycle(doc.Data, current, 0), "recycleOffRefused");
        QVERIFY(!RefusesRecycle(doc.Data, current, 2));
        const int lastStep = current == 1 ? 1 : 14;
        if (current == 2)
            for (int i = 1; i <= 13; ++i)
                doc.Data.RogerSeq[2].Tone[i].Length = 0;
        QTEST(RefusesLength(doc.Data, current, lastStep, 0), "lastLengthRefused");
        QVERIFY(!RefusesLength(doc.Data, current, lastStep, 5));
    }
    void showReplacesUnlistedValues()
    {
        RadioDocument doc = defaultDocument();
        RogerSeqEntry& seq = doc.Data.RogerSeq[4];
        seq.Tone[1].Freq = 30;  // 300 Hz is not offered
        seq.Tone[2].Freq = 300; // nor is 3000 Hz
        seq.Tone[6].Length = 400;
        seq.InterTime = 256;
        seq.Recycle = 12;
        doc.Channels[0][1][1].RogerTone = 4;
        QVERIFY(ApplyShownSequence(doc, 4));
        QCOMPARE(seq.Tone[1].Freq, int16_t(0));
        QCOMPARE(seq.Tone[2].Freq, int16_t(0));
        QCOMPARE(seq.Tone[3].Freq, int16_t(134));
        QCOMPARE(seq.Tone[6].Length, int16_t(0));
        QCOMPARE(seq.InterTime, int16_t(0));
        QCOMPARE(seq.Recycle, int16_t(0));
        QCOMPARE(doc.Channels[0][1][1].RogerTone, int16_t(0)); // sequence 4 is no longer defined
        QVERIFY(!ApplyShownSequence(doc, 4));                  // a second showing changes nothing
    }
    void showKeepsTheOnlyDefinedSequence()
    {
        RadioDocument doc = defaultDocument();
        for (int n = 2; n <= 8; ++n)
            doc.Data.RogerSeq[n].Recycle = 0;
        doc.Data.RogerSeq[1].Recycle = 11; // no item; refusing "Off" keeps it
        QVERIFY(!ApplyShownSequence(doc, 1));
        QCOMPARE(doc.Data.RogerSeq[1].Recycle, int16_t(11));
    }
    void selectorItems()
    {
        QCOMPARE(RecycleItems(kChinese).first(), QString::fromUtf8("关"));
        QCOMPARE(RecycleItems(kEnglish).size(), 11);
        const QStringList freq = FrequencyItems(kEnglish);
        QCOMPARE(freq.size(), 217);
        QCOMPARE(freq.at(FrequencyItemIndex(80)), QStringLiteral("800"));
        QCOMPARE(freq.at(FrequencyItemIndex(39)), QStringLiteral("None"));
        QCOMPARE(freq.at(FrequencyItemIndex(256)), QStringLiteral("None"));
        QCOMPARE(FrequencyCodeOf(FrequencyItemIndex(255)), int16_t(255));
        QCOMPARE(TenMsItems().last(), QStringLiteral("2550"));
        QCOMPARE(RogerBeepCaption(29113, kChinese), QString::fromUtf8("第十四个音"));
        QCOMPARE(RogerBeepCaption(10221, kEnglish), QStringLiteral("&Roger Beep"));
        QCOMPARE(RogerBeepCaption(29008, kEnglish), QString());
        QCOMPARE(RogerBeepCaption(29001, 3), QStringLiteral("RB Tone"));
    }
    void chart_data()
    {
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<QList<int>>("freqs");
        QTest::addColumn<QList<QRect>>("bars");
        // 400 x 200 surface, margin 3: inner 394 x 194, baseline y = 197.
        QTest::newRow("two equal steps") << QList<int>{10, 10} << QList<int>{128, 0}
                                         << QList<QRect>{QRect(3, 197 - 97, 197, 97), QRect(200, 197, 197, 0)};
        QTest::newRow("a zero-length step is skipped")
            << QList<int>{5, 0, 15} << QList<int>{255, 200, 64}
            << QList<QRect>{QRect(3, 197 - 193, 99, 193), QRect(102, 197 - 49, 296, 49)};
        QTest::newRow("all lengths 0") << QList<int>{0, 0} << QList<int>{100, 100} << QList<QRect>{};
    }
    void chart()
    {
        QFETCH(QList<int>, lengths);
        QFETCH(QList<int>, freqs);
        QFETCH(QList<QRect>, bars);
        RogerSeqEntry seq;
        for (int i = 0; i < lengths.size(); ++i)
            seq.Tone[i + 1] = {int16_t(freqs[i]), int16_t(lengths[i])};
        const std::vector<ChartBar> got = ChartBars(seq, QSize(400, 200), 3);
        QCOMPARE(int(got.size()), int(bars.size()));
        for (std::size_t k = 0; k < got.size(); ++k)
            QCOMPARE(got[k].rect, bars[int(k)]);
        if (got.size() == 2)
            QVERIFY(got[0].odd && (got[1].step % 2 == 1) == got[1].odd);
    }
};

QTEST_APPLESS_MAIN(TestFeatureRules)
#include "test_feature_rules.moc"
