#include "FixedClock.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/ChannelRules.h"
#include "editors/channels/FrequencyRules.h"

#include <QTest>

namespace {
RadioDocument DefaultDocument(int mode)
{
    RadioDocument doc;
    DocumentState state;
    BuildDefaultDocument(doc, state, FixedClock());
    doc.Data.WorkMode = static_cast<int16_t>(mode);
    return doc;
}
} // namespace

class TestChannelRules : public QObject {
    Q_OBJECT
private slots:
    void channelNames_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("numbered") << 7 << "7";
        QTest::newRow("last numbered") << 40 << "40";
        QTest::newRow("first memory") << 41 << "M1";
        QTest::newRow("last memory") << 46 << "M6";
    }
    void channelNames()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QCOMPARE(GetCHName(id), name);
        QCOMPARE(GetCHID(name), id);
    }
    void channelIdOfOtherTexts()
    {
        QCOMPARE(GetCHID(QStringLiteral("12  ")), 12);
        QCOMPARE(GetCHID(QStringLiteral("x")), 0);
        QCOMPARE(GetCHID(QString()), 0);
    }

    void groupEntries()
    {
        QCOMPARE(GroupEntries(kModeCB), QStringList({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "MEM"}));
        QCOMPARE(GroupEntries(kModeHF), QStringList({"A", "B", "C", "D", "E", "F", "G", "H", "I", "MEM"}));
        QCOMPARE(ShownGroup(kModeHF, 10), 1);
        QCOMPARE(ShownGroup(kModeHF, 11), 11);
        QCOMPARE(ShownGroup(kModeCB, 10), 10);
        QCOMPARE(ShownGroup(kModeCB, -3), 1);
    }

    void workGroupOffersValidGroupsOnly()
    {
        RadioDocument doc = DefaultDocument(kModeCB);
        doc.Data.Opt.GroupValid[0][1] = 0;
        doc.Data.Opt.GroupValid[0][3] = 0;
        doc.Data.Opt.CBWorkGroup = 5;
        WorkGroupChoice choice = InitComboWorkGroup(doc);
        QCOMPARE(choice.letters, QStringList({"B", "D", "E", "F", "G", "H", "I", "J"}));
        QCOMPARE(choice.letters.at(choice.selected), QStringLiteral("E"));
        // The stored work group stops being valid: the first valid one is offered.
        doc.Data.Opt.CBWorkGroup = 3;
        choice = InitComboWorkGroup(doc);
        QCOMPARE(choice.selected, 0);
        StoreWorkGroup(doc, choice.letters.at(choice.selected));
        QCOMPARE(doc.Data.Opt.CBWorkGroup, int16_t(2));
        QCOMPARE(doc.Data.Opt.HFWorkGroup, int16_t(1));
        // HF has no group J.
        doc.Data.WorkMode = kModeHF;
        QVERIFY(!InitComboWorkGroup(doc).letters.contains(QStringLiteral("J")));
    }

    void referencesNameListedChannels()
    {
        RadioDocument doc = DefaultDocument(kModeCB);
        AddChannel(doc, 9, 0, 2, QStringLiteral("27.0"));
        AddChannel(doc, 3, 0, 2, QStringLiteral("27.1"));
        QCOMPARE(InitValidComboList(doc, 0, 2), QStringList({"1", "3", "9"}));
        doc.Data.Opt.EmgCh1[0][2] = 9;
        doc.Data.Opt.EmgCh2[0][2] = 200; // from a damaged image
        doc.Data.Opt.DwCh1[0][2] = 42;   // a memory channel is not offered
        doc.Data.Opt.DwCh2[0][2] = 3;
        auto shown = ShowValidComboText(doc, 0, 2, false);
        QCOMPARE(QStringList(shown.begin(), shown.end()), QStringList({"9", "1", "1", "3"}));
        QCOMPARE(doc.Data.Opt.EmgCh2[0][2], int16_t(200)); // shown only while filling
        shown = ShowValidComboText(doc, 0, 2, true);
        QCOMPARE(doc.Data.Opt.EmgCh2[0][2], int16_t(1));
        QCOMPARE(doc.Data.Opt.DwCh1[0][2], int16_t(1));
        StoreReference(doc, GroupReference::DwCh2, 0, 2, QStringLiteral("9"));
        QCOMPARE(doc.Data.Opt.DwCh2[0][2], int16_t(9));
    }

    void groupValid()
    {
        RadioDocument doc = DefaultDocument(kModeHF);
        for (int g = 2; g <= 9; ++g)
            doc.Data.Opt.GroupValid[1][g] = 0;
        // Group J is not a group of HF, so A is the only valid one.
        QCOMPARE(PickGroupValid(doc, 1, 1, 0), GroupValidOutcome::SnappedBack);
        QCOMPARE(doc.Data.Opt.GroupValid[1][1], int16_t(1));

        // Group E without numbered channels: made valid, it gets channel 1 at its default frequency.
        int slot = FindChannelSlot(doc, 1, 5, 1);
        DeleteChannelSlot(doc, slot, 1, 5);
        QCOMPARE(PickGroupValid(doc, 1, 5, 1), GroupValidOutcome::StoredWithDefaultChannel);
        slot = FindChannelSlot(doc, 1, 5, 1);
        QVERIFY(slot);
        QCOMPARE(doc.Channels[1][slot][5].RxFreq.text(), QStringLiteral("28055000"));
        QCOMPARE(doc.Data.Opt.GroupValid[1][5], int16_t(1));
        // Now another group is valid: A may go.
        QCOMPARE(PickGroupValid(doc, 1, 1, 0), GroupValidOutcome::Stored);
        QCOMPARE(doc.Data.Opt.GroupValid[1][1], int16_t(0));
        // A group that still holds channels only changes its flag.
        const int16_t count = doc.Data.ChannelCount[1][1];
        QCOMPARE(PickGroupValid(doc, 1, 1, 1), GroupValidOutcome::Stored);
        QCOMPARE(doc.Data.ChannelCount[1][1], count);
    }

    void detailStore_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("stored");
        QTest::newRow("TSQ position") << int(DetailField::Tsq) << 142 << "D_104(754N)" << 142;
        QTest::newRow("REP minus") << int(DetailField::Rep) << 2 << "-" << 2;
        QTest::newRow("Scan Del") << int(DetailField::Scan) << 0 << "Del" << 0;
        QTest::newRow("Roger by number") << int(DetailField::Roger) << 2 << "5" << 5;
        QTest::newRow("Roger off") << int(DetailField::Roger) << 0 << "OFF" << 0;
        QTest::newRow("BOT by number") << int(DetailField::Bot) << 1 << "16" << 16;
        QTest::newRow("Call off in Chinese") << int(DetailField::Call) << 0 << "关" << 0;
        QTest::newRow("Mode by name") << int(DetailField::Mode) << 1 << "LSB" << 3;
        QTest::newRow("Mode unknown") << int(DetailField::Mode) << 0 << "xx" << 0;
    }
    void detailStore()
    {
        QFETCH(int, field);
        QFETCH(int, position);
        QFETCH(QString, entry);
        QFETCH(int, stored);
        ChannelRecord ch;
        ch.RogerTone = ch.BotCode = ch.CallCode = 7;
        StoreDetail(ch, DetailField(field), position, entry);
        QCOMPARE(int(DetailValue(ch, DetailField(field))), stored);
    }

    // Values from a file or an image select the first entry and are kept until a pick.
    void untrustedValuesShowTheFirstEntry()
    {
        QCOMPARE(FixedListPosition(200, 143), 0);
        QCOMPARE(FixedListPosition(-1, 2), 0);
        QCOMPARE(FixedListPosition(142, 143), 142);
        const QStringList rogers{"OFF", "1", "3"};
        QCOMPARE(NumberedListPosition(rogers, 200), 0);
        QCOMPARE(NumberedListPosition(rogers, 255), 0);
        QCOMPARE(NumberedListPosition(rogers, 2), 0); // no longer defined
        QCOMPARE(NumberedListPosition(rogers, 3), 2);
        QCOMPARE(NumberedListPosition(rogers, 0), 0);
    }

    void dependentLists()
    {
        RadioDocument doc = DefaultDocument(kModeCB);
        QCOMPARE(RogerList(doc.Data, "OFF"), QStringList({"OFF", "1", "2", "3", "4", "5"}));
        doc.Data.RogerSeq[2].Recycle = 0; // never plays
        doc.Data.RogerSeq[7].Recycle = 1; // no tone with a length
        doc.Data.RogerSeq[8].Recycle = 2;
        doc.Data.RogerSeq[8].Tone[14].Length = 1;
        QCOMPARE(RogerList(doc.Data, "OFF"), QStringList({"OFF", "1", "3", "4", "5", "8"}));

        QCOMPARE(CodeList(doc.Data, "OFF"), QStringList({"OFF"}));
        doc.Data.Opt.AutodialCode[3].set(QStringLiteral("123"));
        doc.Data.Opt.AutodialCode[16].set(QStringLiteral("#"));
        doc.Data.Opt.AutodialCode[5].set(QStringLiteral("   "));
        QCOMPARE(CodeList(doc.Data, "关"), QStringList({"关", "3", "16"}));

        QCOMPARE(ModeList(doc.Data, false), QStringList({"FM", "AM", "USB", "LSB", "PA"}));
        QCOMPARE(ModeList(doc.Data, true), QStringList({"FM", "AM", "USB", "LSB"}));
        doc.Data.Opt.ModeEnable[0] = 0;
        doc.Data.Opt.ModeEnable[3] = 0;
        QCOMPARE(ModeList(doc.Data, false), QStringList({"AM", "USB", "PA"}));
    }

    void publicLock()
    {
        int locked = 0;
        for (int f = 0; f < kDetailFieldCount; ++f)
            locked += IsPublicLocked(DetailField(f)) ? 1 : 0;
        QCOMPARE(locked, 9);
        for (DetailField f :
             {DetailField::Tsq, DetailField::Busy, DetailField::Rep, DetailField::Public, DetailField::Scan})
            QVERIFY(!IsPublicLocked(f));
    }

    void rowChannel()
    {
        RadioDocument doc = DefaultDocument(kModeHF);
        QCOMPARE(RowChannel(doc, 1, 1)->ChId, int16_t(1));
        QVERIFY(!RowChannel(doc, 1, 2));
        QCOMPARE(RowChannel(doc, kMemoryView, 2)->ChId, int16_t(42));
        QVERIFY(RowChannel(doc, kMemoryView, 2) == &doc.Channels[1][2][1]);
        QVERIFY(!RowChannel(doc, kMemoryView, 7));
        QVERIFY(!RowChannel(doc, 12, 1));
        QVERIFY(!RowChannel(doc, 1, 0));
    }
};

QTEST_APPLESS_MAIN(TestChannelRules)
#include "test_channel_rules.moc"
