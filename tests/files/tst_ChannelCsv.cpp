// The channel list reader: tolerant of what spreadsheets and people write, strict about every
// value, and all-or-nothing.

#include "FixedClock.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/FrequencyRules.h"
#include "files/ChannelCsv.h"
#include "files/DataFile.h"
#include "i18n/Texts.h"

#include <QTest>

#include <memory>

namespace {

std::unique_ptr<RadioDocument> startupDocument()
{
    auto doc = std::make_unique<RadioDocument>();
    DocumentState state;
    BuildDefaultDocument(*doc, state, FixedClock());
    return doc;
}

const QByteArray kShortHeader = "Work Mode,Group,CH No.,Frequency,TSQ,Mode,Roger,Scan\n";

} // namespace

class TestChannelCsv : public QObject {
    Q_OBJECT

private slots:
    void exportWritesTheWindowTexts()
    {
        auto doc = startupDocument();
        ChannelRecord& ch = doc->Channels[kModeCB][7][1]; // channel 1 of CB A
        QCOMPARE(ch.ChId, int16_t(1));
        ch.TsqCode = 39;
        ch.RptShift = 2;
        ch.PublicCh = 1;
        ch.Scan = 0;
        ch.RogerTone = 3;
        ch.Modulation = 2;
        doc->Channels[kModeCB][1][2].RxFreq.set(QStringLiteral("28x")); // M1 of group B, damaged
        const QStringList lines = QString::fromUtf8(ChannelsToCsv(*doc)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.first(), QStringLiteral("Work Mode,Group,CH No.,Frequency,TSQ,Mode,HI-CUT,NB/ANL,ECHO,+10KHz,"
                                               "BUSY,REP,Public,Scan,Roger,BOT,EOT,Call"));
        // By work mode, group and channel number; memory channels under the group holding them.
        QCOMPARE(lines[1], QStringLiteral("CB,A,1,28.0150,D_001(023N),USB,OFF,ON,OFF,OFF,OFF,-,ON,Del,3,OFF,OFF,OFF"));
        QCOMPARE(lines[2],
                 QStringLiteral("CB,A,M1,28.0150,C_008(88.5Hz),FM,OFF,ON,OFF,OFF,OFF,OFF,OFF,Add,OFF,OFF,OFF,OFF"));
        QVERIFY(lines[9].startsWith(QStringLiteral("CB,B,M1,,C_008(88.5Hz),"))); // no plausible stand-in
        QCOMPARE(lines.size(), 1 + 2 * 10 * 7 + 1); // header, every channel, the final line break
        QVERIFY(lines[140].startsWith(QStringLiteral("HF,J,M6,28.0250,")));
    }

    void exportImportIntoTheSameDocumentChangesNothing()
    {
        auto doc = startupDocument();
        AddChannel(*doc, 17, kModeHF, 3, QStringLiteral("29.1234"));
        doc->Channels[kModeHF][8][3].EncCode = 99; // not in the list, kept by the import
        const auto before = std::make_unique<RadioDocument>(*doc);
        const ChannelCsvImport result = ImportChannelsFromCsv(ChannelsToCsv(*doc), *doc, kEnglish);
        QVERIFY2(result.imported, qPrintable(result.problems.join('\n')));
        QCOMPARE(result.channels, 141);
        QVERIFY(IsDocumentUnchanged(*doc, *before));
        QCOMPARE(doc->Channels[kModeHF][8][3].EncCode, int16_t(99));
    }

    void tolerantReader_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("scan");
        QTest::newRow("byte-order mark, CRLF")
            << QByteArray("\xEF\xBB\xBFWork Mode,Group,CH No.,Frequency\r\nCB,A,1,28.015\r\n") << 1;
        QTest::newRow("headers reordered, any case")
            << QByteArray("frequency,SCAN,ch no.,GROUP,work mode\n28.0150,del,1,a,cb\n") << 0;
        QTest::newRow("blank lines") << QByteArray("\n\nWork Mode,Group,CH No.,Frequency\n\n  \nCB,A,1,28.0150\n\n")
                                     << 1;
        QTest::newRow("comma decimal, quoted")
            << QByteArray("Work Mode,Group,CH No.,Frequency\nCB,A,1,\"28,0150\"\n") << 1;
        QTest::newRow("semicolons") << QByteArray("Work Mode;Group;CH No.;Frequency;Scan\nCB;A;1;28,0150;Add\n") << 1;
        QTest::newRow("spreadsheet quoting")
            << QByteArray("\"Work Mode\",\"Group\", \"CH No.\" ,\"Frequency\"\n\"CB\",\"A\", \"1\" ,\"28.0150\"\n")
            << 1;
        QTest::newRow("Chinese headers and values")
            << QByteArray("工作模式,组,信道,频率,扫描\nCB,A,1,28.0150,删除\n") << 0;
        QTest::newRow("GB18030 from a Chinese spreadsheet")
            << QByteArray("\xB9\xA4\xD7\xF7\xC4\xA3\xCA\xBD,\xD7\xE9,\xD0\xC5\xB5\xC0,\xC6\xB5\xC2\xCA,"
                          "\xC9\xA8\xC3\xE8\r\nCB,A,1,28.0150,\xC9\xBE\xB3\xFD\r\n")
            << 0;
        QTest::newRow("trailing empty column")
            << QByteArray("Work Mode,Group,CH No.,Frequency,\nCB,A,1,28.0150,\n") << 1;
        QTest::newRow("tabs, no final line break")
            << QByteArray("Work Mode\tGroup\tCH No.\tFrequency\nCB\tA\t1\t28.0150") << 1;
    }
    void tolerantReader()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, scan);
        auto doc = startupDocument();
        const ChannelCsvImport result = ImportChannelsFromCsv(csv, *doc, kEnglish);
        QVERIFY2(result.imported, qPrintable(result.problems.join('\n')));
        // Group A of CB now holds channel 1 alone; the other groups are as they were.
        QCOMPARE(doc->Data.ChannelCount[kModeCB][1], int16_t(1));
        QCOMPARE(doc->Data.ChannelCount[kModeCB][2], int16_t(7));
        const ChannelRecord& ch = doc->Channels[kModeCB][1][1];
        QCOMPARE(ch.ChId, int16_t(1));
        QCOMPARE(ch.RxFreq.text(), QStringLiteral("28015000")); // the stored digits, as before
        QCOMPARE(ch.Scan, int16_t(scan));
    }

    void refusedRows_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("problems");
        const QByteArray ok = "CB,A,1,28.0000,Off,FM,OFF,Add\n";
        QTest::newRow("above the CB band") << kShortHeader + "CB,A,1,30.1051,Off,FM,OFF,Add\n"
                                           << kEnglish
                                           << QStringList{"line 2, column 4 (Frequency): 30.1051 is outside the band "
                                                          "25.6150 - 30.1050 MHz"};
        QTest::newRow("below the HF band") << kShortHeader + "HF,B,3,27.9999,Off,FM,OFF,Add\n"
                                           << kEnglish
                                           << QStringList{"line 2, column 4 (Frequency): 27.9999 is outside the band "
                                                          "28.0000 - 29.6990 MHz"};
        QTest::newRow("not a frequency") << kShortHeader + "CB,A,1,28.01.5,Off,FM,OFF,Add\n"
                                         << kEnglish
                                         << QStringList{"line 2, column 4 (Frequency): \"28.01.5\" is not a frequency"};
        QTest::newRow("work mode") << kShortHeader + "SSB,A,1,28.0000,Off,FM,OFF,Add\n"
                                   << kEnglish
                                   << QStringList{
                                          "line 2, column 1 (Work Mode): \"SSB\" is not a work mode (CB or HF)"};
        QTest::newRow("group") << kShortHeader + "CB,K,1,28.0000,Off,FM,OFF,Add\n"
                               << kEnglish << QStringList{"line 2, column 2 (Group): \"K\" is not a group of CB"};
        QTest::newRow("channel name") << kShortHeader + ok + "CB,A,41,28.0000,Off,FM,OFF,Add\n"
                                      << kEnglish
                                      << QStringList{"line 3, column 3 (CH No.): \"41\" is not a channel name (1..40, "
                                                     "M1..M6)"};
        QTest::newRow("memory view") << kShortHeader + ok + "CB,MEM,5,28.0000,Off,FM,OFF,Add\n"
                                     << kEnglish
                                     << QStringList{"line 3, column 3 (CH No.): the memory view holds only M1..M6"};
        QTest::newRow("twice in a group") << kShortHeader + ok + "\nCB,A,1,28.1000,Off,FM,OFF,Add\n"
                                          << kEnglish
                                          << QStringList{"line 4, column 3 (CH No.): channel 1 is given twice in this "
                                                         "group (first in line 2)"};
        QTest::newRow("no numbered channel")
            << kShortHeader + "CB,C,M2,28.0000,Off,FM,OFF,Add\n"
            << kEnglish << QStringList{"line 2: group C of CB would hold no numbered channel"};
        QTest::newRow("tone") << kShortHeader + "CB,A,1,28.0000,C_039(255.0Hz),FM,OFF,Add\n"
                              << kEnglish
                              << QStringList{"line 2, column 5 (TSQ): \"C_039(255.0Hz)\" is not one of: Off, "
                                             "C_001(67.0Hz) .. D_104(754N)"};
        QTest::newRow("no PA in the memory view")
            << kShortHeader + ok + "CB,A,M1,28.0000,Off,PA,OFF,Add\n"
            << kEnglish
            << QStringList{"line 3, column 6 (Mode): \"PA\" is not one of: FM, AM, "
                           "USB, LSB"};
        QTest::newRow("roger") << kShortHeader + "CB,A,1,28.0000,Off,FM,9,Add\n"
                               << kEnglish << QStringList{"line 2, column 7 (Roger): \"9\" is not one of: OFF, 1..8"};
        QTest::newRow("several at once") << kShortHeader +
                                                "CB,A,1,28.0000,Off,FM,OFF,Maybe\nHF,A,2,30.0000,Off,XM,OFF,Add\n"
                                         << kEnglish
                                         << QStringList{"line 2, column 8 (Scan): \"Maybe\" is not one of: Del, Add",
                                                        "line 3, column 4 (Frequency): 30.0000 is outside the band "
                                                        "28.0000 - 29.6990 MHz",
                                                        "line 3, column 6 (Mode): \"XM\" is not one of: FM, AM, USB, "
                                                        "LSB, PA"};
        QTest::newRow("extra cell") << kShortHeader + "CB,A,1,28.0000,Off,FM,OFF,Add,x\n"
                                    << kEnglish << QStringList{"line 2, column 9: more cells than the header names"};
        QTest::newRow("unclosed quote") << kShortHeader + ok + "CB,A,2,\"28.0000,Off,FM,OFF,Add\n"
                                        << kEnglish << QStringList{"line 3: a quoted cell is not closed"};
        QTest::newRow("unknown and doubled columns")
            << QByteArray("Work Mode,Group,CH No.,Frequency,Tone,group\n") + ok << kEnglish
            << QStringList{"line 1, column 5 (Tone): unknown column",
                           "line 1, column 6 (group): the column appears twice"};
        QTest::newRow("missing column") << QByteArray("Work Mode,Group,CH No.\nCB,A,1\n") << kEnglish
                                        << QStringList{"line 1: the column \"Frequency\" is missing"};
        QTest::newRow("header only") << kShortHeader << kEnglish << QStringList{"line 1: the file names no channels"};
        QTest::newRow("empty file") << QByteArray("\n\n") << kEnglish
                                    << QStringList{"line 1: the file has no header line"};
        QTest::newRow("in Chinese") << kShortHeader + "CB,A,1,31,Off,FM,OFF,Add\n"
                                    << kChinese
                                    << QStringList{QString::fromUtf8(
                                           "第2行，第4列（Frequency）：31超出频段25.6150 - 30.1050 MHz")};
    }
    void refusedRows()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, language);
        QFETCH(QStringList, problems);
        auto doc = startupDocument();
        const auto before = std::make_unique<RadioDocument>(*doc);
        const ChannelCsvImport result = ImportChannelsFromCsv(csv, *doc, language);
        QVERIFY(!result.imported);
        QCOMPARE(result.problems, problems);
        QVERIFY(IsDocumentUnchanged(*doc, *before));
        QVERIFY(doc->Data == before->Data);
    }

    // A group's channel references follow the channels that the import leaves it.
    void referencesAreRevalidated()
    {
        auto doc = startupDocument();
        doc->Data.Opt.DwCh2[kModeCB][4] = 1;
        doc->Data.Opt.EmgCh1[kModeCB][4] = 1;
        const QByteArray csv = "Work Mode,Group,CH No.,Frequency\nCB,D,12,28.3000\nCB,D,9,28.2000\nCB,D,M3,28.1000\n";
        QVERIFY(ImportChannelsFromCsv(csv, *doc, kEnglish).imported);
        QCOMPARE(doc->Data.ChannelCount[kModeCB][4], int16_t(3));
        QCOMPARE(doc->Data.Opt.DwCh2[kModeCB][4], int16_t(12)); // the first numbered channel in the list
        QCOMPARE(doc->Data.Opt.EmgCh1[kModeCB][4], int16_t(12));
        // A channel the group had keeps its place; new ones follow in the order of the file.
        QCOMPARE(doc->Channels[kModeCB][1][4].ChId, int16_t(43));
        QCOMPARE(doc->Channels[kModeCB][2][4].ChId, int16_t(12));
        QCOMPARE(doc->Channels[kModeCB][3][4].ChId, int16_t(9));
    }
};

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_ChannelCsv.moc"
