#include "FixedClock.h"
#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"

#include <QTest>

class TestRadioDocument : public QObject {
    Q_OBJECT
private slots:
    void defaultDocumentChannels()
    {
        RadioDocument doc;
        DocumentState state;
        BuildDefaultDocument(doc, state, FixedClock());
        const int order[7] = {41, 42, 43, 44, 45, 46, 1};
        for (int mode = 0; mode <= 1; ++mode)
            for (int g = 1; g <= 10; ++g) {
                QCOMPARE(doc.Data.ChannelCount[mode][g], int16_t(7));
                for (int p = 1; p <= 7; ++p)
                    QCOMPARE(doc.Channels[mode][p][g].ChId, int16_t(order[p - 1]));
            }
        QCOMPARE(doc.Channels[0][7][5].RxFreq.text(), QString("28055000"));
        QCOMPARE(doc.Channels[1][7][10].RxFreq.text(), QString("28085000"));
        QCOMPARE(doc.Channels[0][1][1].RxFreq.text(), QString("28015000"));
        const ChannelRecord& ch = doc.Channels[0][1][1];
        QCOMPARE(ch.TsqCode, int16_t(8));
        QCOMPARE(ch.EncCode, int16_t(8));
        QCOMPARE(ch.NbAnl, int16_t(1));
        QCOMPARE(ch.Scan, int16_t(1));
        QCOMPARE(ch.TxFreq, ch.RxFreq);
        QCOMPARE(doc.Data.WorkMode, int16_t(0));
        QCOMPARE(doc.Data.CreateDate.text(), QString("20260115"));
        QCOMPARE(doc.Data.ModelShort.raw(), QByteArray("MH5120"));
        QCOMPARE(doc.Data.Opt.GroupName[1][3].raw(), QByteArray("C\0  ", 4));
        QCOMPARE(doc.Data.RogerSeq[2].Tone[14].Freq, int16_t(0));
        QCOMPARE(doc.Data.RogerSeq[2].Tone[13].Freq, int16_t(80));
        QCOMPARE(doc.Data.RogerSeq[4].Tone[5].Freq, int16_t(192));
        QCOMPARE(doc.Data.RssiLevel[11], int16_t(35));
        QCOMPARE(doc.Data.Opt.VoltMax, int16_t(168));
    }

    void freqToStored_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("four decimals") << "28.5000"
                                       << "285000";
        QTest::newRow("six decimals") << "28.015000"
                                      << "28015000";
        QTest::newRow("whole") << "28"
                               << "28";
        QTest::newRow("one whole digit") << "8.5"
                                         << "085";
    }
    void freqToStored()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(FreqToStored(in), out);
        ChannelRecord r;
        StoreChannelFrequency(r, in);
        QCOMPARE(r.RxFreq.text(), out.leftJustified(8, ' ', true));
    }

    void bands()
    {
        QCOMPARE(BandTextOf(0), QString("25.6150 - 30.1050 MHz"));
        QCOMPARE(BandTextOf(15), QString("28.0000 - 29.6990 MHz"));
        QCOMPARE(BandCodeOf(""), int16_t(1));
        QCOMPARE(BandCodeOf("25.6150 - 30.1050 MHz"), int16_t(0));
        DocumentState s;
        s.BandText = BandTextOf(0);
        ParseBandLimits(s);
        QCOMPARE(s.BandLow, 25.615);
        QCOMPARE(s.BandHigh, 30.105);
        s.BandText = "garbage";
        ParseBandLimits(s);
        QCOMPARE(s.BandLow, 100.0);
        QCOMPARE(s.BandHigh, 500.0);
        s.BandText = "x - 29.6990 MHz";
        ParseBandLimits(s);
        QCOMPARE(s.BandLow, 100.0);
        QCOMPARE(s.BandHigh, 29.699);
    }

    void addAndDeleteKeepListsDense()
    {
        RadioDocument doc;
        DocumentState state;
        BuildDefaultDocument(doc, state, FixedClock());
        AddChannel(doc, 5, 1, 2, "28.3000");
        QCOMPARE(doc.Data.ChannelCount[1][2], int16_t(8));
        QCOMPARE(doc.Channels[1][8][2].ChId, int16_t(5));
        DeleteChannelSlot(doc, 1, 1, 2); // channel 41 goes, the rest move up in order
        QCOMPARE(doc.Data.ChannelCount[1][2], int16_t(7));
        QCOMPARE(doc.Channels[1][1][2].ChId, int16_t(42));
        QCOMPARE(doc.Channels[1][7][2].ChId, int16_t(5));
        DeleteChannelSlot(doc, 9, 1, 2); // beyond the count: nothing happens
        QCOMPARE(doc.Data.ChannelCount[1][2], int16_t(7));
        // a full list takes no more channels
        doc.Data.ChannelCount[0][1] = 46;
        AddChannel(doc, 2, 0, 1, "28.1");
        QCOMPARE(doc.Data.ChannelCount[0][1], int16_t(46));
        QVERIFY(!AddGroupDefaultChannel(doc, 0, 11));
        QVERIFY(AddGroupDefaultChannel(doc, 0, 3));
        QCOMPARE(doc.Channels[0][8][3].RxFreq.text(), QString("28115000"));
    }

    void savedCopyRoundTrip()
    {
        RadioDocument doc, saved;
        DocumentState state;
        BuildDefaultDocument(doc, state, FixedClock());
        doc.Data.DataVersion.set("V201");
        DocumentToSaved(doc, saved, state);
        QCOMPARE(saved.Data.ModelName.raw(), QByteArray("MH5120\0", 7));
        QCOMPARE(saved.Data.ModelCode, int16_t(248));
        QCOMPARE(saved.Data.DataVersion.text(), QString("V200"));
        const RadioDocument before = doc;
        RadioDocument copy;
        SavedToDocument(copy, saved, state);
        QCOMPARE(copy.Data, before.Data);
        for (int g = 1; g <= 10; ++g)
            for (int p = 1; p <= 7; ++p)
                QCOMPARE(copy.Channels[1][p][g], before.Channels[1][p][g]);
        QCOMPARE(state.RadioFwVersion, QString("V200"));
        QCOMPARE(state.BandText, BandTextOf(0));
    }
};

QTEST_GUILESS_MAIN(TestRadioDocument)
#include "test_radio_document.moc"
