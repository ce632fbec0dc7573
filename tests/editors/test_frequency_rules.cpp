#include "FixedClock.h"
#include "ScriptedPrompt.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/FrequencyRules.h"
#include "i18n/Texts.h"

#include <QTest>

namespace {

struct Fixture {
    explicit Fixture(int mode)
    {
        BuildDefaultDocument(doc, state, FixedClock());
        doc.Data.WorkMode = static_cast<int16_t>(mode);
        state.BandText = BandTextOf(mode);
        ParseBandLimits(state);
    }
    ChannelEditContext ctx() { return ChannelEditContext{doc, state, prompt, kEnglish}; }
    const ChannelRecord* channel(int mode, int group, int id) const
    {
        const int slot = FindChannelSlot(doc, mode, group, id);
        return slot ? &doc.Channels[mode][slot][group] : nullptr;
    }
    RadioDocument doc;
    DocumentState state;
    ScriptedPrompt prompt;
};

} // namespace

class TestFrequencyRules : public QObject {
    Q_OBJECT
private slots:
    void storedToFreqText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("notNumeric");
        QTest::newRow("empty") << "        "
                               << "" << false;
        QTest::newRow("erased") << "FFFFFFFF"
                                << "" << false;
        QTest::newRow("eight digits") << "28015000"
                                      << "28.0150" << false;
        QTest::newRow("six digits, blanks") << "285000  "
                                            << "28.5000" << false;
        QTest::newRow("whole MHz") << "28      "
                                   << "28.0000" << false;
        QTest::newRow("letters") << "28AB0000"
                                 << "25.615" << true;
        QTest::newRow("two points") << "2.8.5   "
                                    << "25.615" << true;
    }
    void storedToFreqText()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(bool, notNumeric);
        Fixture f(kModeCB);
        QCOMPARE(StoredToFreqText(stored, f.ctx()), shown);
        QCOMPARE(f.prompt.texts(), notNumeric ? QStringList{"Not IsNumeric"} : QStringList{});
    }

    void snapToRaster_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("on raster") << 28.12345 << 28.12345;
        QTest::newRow("down") << 28.123456 << 28.12345;
        QTest::newRow("never up") << 28.123459 << 28.12345;
        QTest::newRow("band edge") << 29.699 << 29.699;
    }
    void snapToRaster()
    {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(SnapToRaster(in, 28.0), out);
    }

    // Typed texts as the frequency editor can produce them, checked against each band.
    void normalize_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("HF upper limit") << 1 << "29.699"
                                        << "29.6990";
        QTest::newRow("HF above") << 1 << "29.6991"
                                  << "";
        QTest::newRow("HF whole") << 1 << "28"
                                  << "28.0000";
        QTest::newRow("HF below") << 1 << "27.9999"
                                  << "";
        QTest::newRow("HF 30.0") << 1 << "30.0"
                                 << "";
        QTest::newRow("CB 30.0") << 0 << "30.0"
                                 << "30.0000";
        QTest::newRow("CB lower limit") << 0 << "25.615"
                                        << "25.6150";
        QTest::newRow("CB upper limit") << 0 << "30.105"
                                        << "30.1050";
        QTest::newRow("CB above") << 0 << "30.1051"
                                  << "";
        QTest::newRow("CB below") << 0 << "25.6149"
                                  << "";
        QTest::newRow("lone point") << 0 << "."
                                    << "";
        QTest::newRow("two points") << 0 << "28..5"
                                    << "";
        QTest::newRow("raster") << 0 << "28.1234"
                                << "28.1234";
    }
    void normalize()
    {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Fixture f(mode);
        QCOMPARE(NormalizeFrequencyText(typed, f.ctx()), result);
        if (result.isEmpty()) {
            QCOMPARE(f.prompt.texts(), QStringList{Text(Msg::FreqOutOfRange, kEnglish)});
            QCOMPARE(f.prompt.asked.first().id, PromptId::InvalidInput);
        } else {
            QVERIFY(f.prompt.asked.isEmpty());
        }
    }

    void corruptBandRejectsEverything()
    {
        Fixture f(kModeCB);
        f.state.BandText = QStringLiteral("garbage");
        ParseBandLimits(f.state);
        QCOMPARE(NormalizeFrequencyText(QStringLiteral("28.5"), f.ctx()), QString());
    }

    void typingIntoEmptyRowCreatesChannel()
    {
        Fixture f(kModeHF);
        f.doc.Data.Opt.EmgCh1[1][2] = 33; // names no channel
        const FrequencyCommit r = SetChannelFrequency(f.ctx(), 2, 12, QStringLiteral("28.5"));
        QVERIFY(r.referencesChecked);
        const ChannelRecord* ch = f.channel(1, 2, 12);
        QVERIFY(ch);
        QCOMPARE(ch->RxFreq.text(), QStringLiteral("285000  "));
        QCOMPARE(ch->TxFreq, ch->RxFreq);
        QCOMPARE(ch->TsqCode, int16_t(8));
        QCOMPARE(ch->NbAnl, int16_t(1));
        QCOMPARE(ch->Scan, int16_t(1));
        // The stray reference became the group's first numbered channel in slot order.
        QCOMPARE(f.doc.Data.Opt.EmgCh1[1][2], int16_t(1));
    }

    void memoryViewRowsAreGroupOneMemoryChannels()
    {
        Fixture f(kModeCB);
        QVERIFY(SetChannelFrequency(f.ctx(), kMemoryView, 3, QString()).referencesChecked == false);
        QVERIFY(!f.channel(0, 1, 43));
        QVERIFY(f.channel(0, 2, 43)); // other groups keep theirs
        SetChannelFrequency(f.ctx(), kMemoryView, 3, QStringLiteral("26.5"));
        QCOMPARE(f.channel(0, 1, 43)->RxFreq.text(), QStringLiteral("265000  "));
        SetChannelFrequency(f.ctx(), kMemoryView, 3, QStringLiteral("27.1"));
        QCOMPARE(f.channel(0, 1, 43)->RxFreq.text(), QStringLiteral("271000  "));
    }

    void clearingKeepsReferencesValid()
    {
        Fixture f(kModeCB);
        SetChannelFrequency(f.ctx(), 1, 5, QStringLiteral("27.0"));
        f.doc.Data.Opt.DwCh2[0][1] = 5;
        f.doc.Data.Opt.WorkCh[0][1] = 43; // a memory channel
        SetChannelFrequency(f.ctx(), 1, 5, QString());
        QVERIFY(!f.channel(0, 1, 5));
        QCOMPARE(f.doc.Data.Opt.DwCh2[0][1], int16_t(1));
        QCOMPARE(f.doc.Data.Opt.WorkCh[0][1], int16_t(43));
    }

    void outOfRangeEntryClearsTheChannel()
    {
        Fixture f(kModeHF);
        SetChannelFrequency(f.ctx(), 1, 2, QStringLiteral("28.2"));
        SetChannelFrequency(f.ctx(), 1, 2, QStringLiteral("30.0"));
        QVERIFY(!f.channel(1, 1, 2));
        QCOMPARE(f.prompt.count(PromptId::InvalidInput), 1);
    }

    // The last numbered channel of a group goes only while another valid group keeps one.
    void lastChannelRule()
    {
        Fixture f(kModeHF);
        for (int g = 2; g <= 10; ++g)
            f.doc.Data.Opt.GroupValid[1][g] = 0;
        f.doc.Data.Opt.GroupValid[1][10] = 1; // not a group of HF: does not count
        const RadioDocument before = f.doc;
        const FrequencyCommit refused = SetChannelFrequency(f.ctx(), 1, 1, QString());
        QVERIFY(refused.refused);
        QVERIFY(f.doc.Channels == before.Channels && f.doc.Data == before.Data);
        QVERIFY(f.prompt.asked.isEmpty());

        f.doc.Data.Opt.GroupValid[1][4] = 1;
        const FrequencyCommit deleted = SetChannelFrequency(f.ctx(), 1, 1, QString());
        QVERIFY(deleted.groupInvalidated);
        QVERIFY(!f.channel(1, 1, 1));
        QCOMPARE(f.doc.Data.Opt.GroupValid[1][1], int16_t(0));
    }

    void rowsOutsideTheGroupAreIgnored()
    {
        Fixture f(kModeCB);
        const RadioDocument before = f.doc;
        SetChannelFrequency(f.ctx(), 1, 41, QStringLiteral("27.0"));
        SetChannelFrequency(f.ctx(), kMemoryView, 7, QStringLiteral("27.0"));
        SetChannelFrequency(f.ctx(), 12, 1, QStringLiteral("27.0"));
        QVERIFY(f.doc.Channels == before.Channels && f.doc.Data == before.Data);
    }
};

QTEST_APPLESS_MAIN(TestFrequencyRules)
#include "test_frequency_rules.moc"
