// The byte layouts of the data file and the channel file, against offsets
// worked out by hand from the documented layout.

#include "FileBytes.h"
#include "FixedClock.h"
#include "RecordingLauncher.h"
#include "ScriptedPrompt.h"
#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestDataFileLayout : public QObject {
    Q_OBJECT

    static DataRecord markedRecord()
    {
        DataRecord d;
        d.DataVersion.set("V200");
        d.WorkMode = -2;
        d.CurGroup[1] = 11;
        d.CurChannel[0][2] = 0x0304;
        d.CurChannel[1][11] = 0x0102;
        d.ChannelCount[1][1] = 7;
        d.ChannelCount[0][10] = 46;
        d.ModelName.setRaw(QByteArray("MH5120\0", 7));
        d.ModelCode = 248;
        d.BandCode = 1;
        d.CreateDate.set("20260115");
        d.SoftVersion.set("V2.00");
        d.ModelShort.set("MH5120");
        d.ModelBand = 0x0203;
        d.ModelKind = 67;
        OptionRecord& o = d.Opt;
        o.GroupValid[1][1] = 0x0A0B;
        o.GroupName[0][1].setRaw(QByteArray("A\0", 2));
        o.GroupName[1][10].setRaw(QByteArray("JJJ\0", 4));
        o.EmgCh1[0][1] = 0x1111;
        o.EmgCh2[1][10] = 0x2222;
        o.WorkModeValid = 0x0302;
        o.MemMenu = 0x0406;
        o.WorkCh[0][1] = 0x3333;
        o.DwCh1[0][2] = 0x4444;
        o.DwCh2[1][1] = 0x5555;
        o.MemCh[1][10] = 46;
        o.PubBot = 16;
        o.Rtix = -1000;
        o.PubMode = 4;
        o.ModeEnable[0] = 0x0701;
        o.ModeEnable[4] = 0x0801;
        o.DtmfSendTime = 0x0901;
        o.DtmfDisplay = 0x0A01;
        o.AutodialCode[1].set("123*#");
        o.AutodialCode[16].setRaw(QByteArray("D\0", 2));
        d.RogerSeq[1].Tone[1] = {210, 10};
        d.RogerSeq[3].Tone[2].Length = 0x0C0D;
        d.RogerSeq[8].Recycle = 10;
        d.RogerSeq[8].InterTime = 0x0E0F;
        d.TxOffset = 0x12345678;
        d.FreqChMode = 1;
        d.AsqLevel = 9;
        d.RssiLevel[0] = 0x1314;
        d.RssiLevel[11] = 35;
        return d;
    }

    static ChannelRecord markedChannel()
    {
        ChannelRecord c;
        c.ChId = 46;
        c.InUse = 1;
        c.Scan = 0x0100;
        c.RxFreq.set("285000");
        c.TxFreq.set("FFFFFFFF");
        c.Reserved1 = -1;
        c.Reserved2 = 0x7FFF;
        c.TsqCode = 142;
        c.EncCode = 8;
        c.Modulation = 4;
        c.HiCut = 0x0201;
        c.BusyLock = 0x0403;
        c.RogerTone = 8;
        c.RptShift = 2;
        c.PublicCh = 0x0605;
        c.BotCode = 16;
        c.EotCode = 0x0807;
        c.CallCode = 0x0A09;
        return c;
    }

    static void layoutRows()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("expected");
    }

private slots:
    void dataRecordOffsets_data()
    {
        layoutRows();
        QTest::newRow("DataVersion") << 0 << QByteArray("V200");
        QTest::newRow("WorkMode negative") << 4 << QByteArray("\xFE\xFF", 2);
        QTest::newRow("CurGroup[1]") << 8 << QByteArray("\x0B\x00", 2);
        QTest::newRow("CurChannel[0][2]") << 14 << QByteArray("\x04\x03", 2);
        QTest::newRow("CurChannel[1][11]") << 52 << QByteArray("\x02\x01", 2);
        QTest::newRow("ChannelCount[1][1]") << 56 << QByteArray("\x07\x00", 2);
        QTest::newRow("ChannelCount[0][10]") << 90 << QByteArray("\x2E\x00", 2);
        QTest::newRow("ModelName") << 94 << QByteArray("MH5120\0", 7);
        QTest::newRow("ModelCode") << 101 << QByteArray("\xF8\x00", 2);
        QTest::newRow("BandCode") << 103 << QByteArray("\x01\x00", 2);
        QTest::newRow("CreateDate") << 105 << QByteArray("20260115");
        QTest::newRow("SoftVersion") << 113 << QByteArray("V2.00");
        QTest::newRow("ModelShort") << 118 << QByteArray("MH5120");
        QTest::newRow("ModelBand") << 124 << QByteArray("\x03\x02", 2);
        QTest::newRow("ModelKind") << 126 << QByteArray("\x43\x00", 2);
        QTest::newRow("GroupValid[1][1]") << 130 << QByteArray("\x0B\x0A", 2);
        QTest::newRow("GroupName[0][1]") << 168 << QByteArray("A\0  ", 4);
        QTest::newRow("GroupName[1][10]") << 244 << QByteArray("JJJ\0", 4);
        QTest::newRow("EmgCh1[0][1]") << 248 << QByteArray("\x11\x11", 2);
        QTest::newRow("EmgCh2[1][10]") << 326 << QByteArray("\x22\x22", 2);
        QTest::newRow("WorkModeValid") << 328 << QByteArray("\x02\x03", 2);
        QTest::newRow("MemMenu") << 340 << QByteArray("\x06\x04", 2);
        QTest::newRow("WorkCh[0][1]") << 342 << QByteArray("\x33\x33", 2);
        QTest::newRow("DwCh1[0][2]") << 386 << QByteArray("\x44\x44", 2);
        QTest::newRow("DwCh2[1][1]") << 424 << QByteArray("\x55\x55", 2);
        QTest::newRow("MemCh[1][10]") << 500 << QByteArray("\x2E\x00", 2);
        QTest::newRow("PubBot") << 502 << QByteArray("\x10\x00", 2);
        QTest::newRow("Rtix negative") << 508 << QByteArray("\x18\xFC", 2);
        QTest::newRow("PubMode") << 552 << QByteArray("\x04\x00", 2);
        QTest::newRow("ModeEnable[0]") << 554 << QByteArray("\x01\x07", 2);
        QTest::newRow("ModeEnable[4]") << 562 << QByteArray("\x01\x08", 2);
        QTest::newRow("DtmfSendTime") << 564 << QByteArray("\x01\x09", 2);
        QTest::newRow("DtmfDisplay") << 574 << QByteArray("\x01\x0A", 2);
        QTest::newRow("AutodialCode[1]") << 576 << QByteArray("123*#           ");
        QTest::newRow("AutodialCode[16]") << 816 << QByteArray("D\0              ", 16);
        QTest::newRow("RogerSeq[1] tone 1") << 832 << QByteArray("\xD2\x00\x0A\x00", 4);
        QTest::newRow("RogerSeq[3] tone 2 length") << 958 << QByteArray("\x0D\x0C", 2);
        QTest::newRow("RogerSeq[8] Recycle, InterTime") << 1308 << QByteArray("\x0A\x00\x0F\x0E", 4);
        QTest::newRow("TxOffset") << 1312 << QByteArray("\x78\x56\x34\x12", 4);
        QTest::newRow("FreqChMode, AsqLevel") << 1316 << QByteArray("\x01\x00\x09\x00", 4);
        QTest::newRow("RssiLevel[0]") << 1320 << QByteArray("\x14\x13", 2);
        QTest::newRow("RssiLevel[11], last bytes") << 1342 << QByteArray("\x23\x00", 2);
    }
    void dataRecordOffsets()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, expected);
        const QByteArray bytes = SerializeDataRecord(markedRecord());
        QCOMPARE(bytes.size(), kDataFileSize);
        QCOMPARE(bytes.mid(offset, expected.size()).toHex(' '), expected.toHex(' '));
        QCOMPARE(ParseDataRecord(bytes), markedRecord());
    }

    void channelRecordOffsets_data()
    {
        layoutRows();
        QTest::newRow("ChId, InUse, Scan") << 0 << QByteArray("\x2E\x00\x01\x00\x00\x01", 6);
        QTest::newRow("RxFreq") << 6 << QByteArray("285000  ");
        QTest::newRow("TxFreq") << 14 << QByteArray("FFFFFFFF");
        QTest::newRow("Reserved1, Reserved2") << 22 << QByteArray("\xFF\xFF\xFF\x7F", 4);
        QTest::newRow("TsqCode, EncCode, Modulation") << 26 << QByteArray("\x8E\x00\x08\x00\x04\x00", 6);
        QTest::newRow("HiCut") << 32 << QByteArray("\x01\x02", 2);
        QTest::newRow("BusyLock, RogerTone, RptShift") << 40 << QByteArray("\x03\x04\x08\x00\x02\x00", 6);
        QTest::newRow("PublicCh .. CallCode") << 46 << QByteArray("\x05\x06\x10\x00\x07\x08\x09\x0A", 8);
    }
    void channelRecordOffsets()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, expected);
        const QByteArray bytes = SerializeChannelRecord(markedChannel());
        QCOMPARE(bytes.size(), kChannelRecordSize);
        QCOMPARE(bytes.mid(offset, expected.size()).toHex(' '), expected.toHex(' '));
        QCOMPARE(ParseChannelRecord(bytes.constData()), markedChannel());
    }

    // Any bytes at all survive parse and serialise unchanged: no field is lost,
    // doubled or shifted, whatever its value.
    void arbitraryBytesRoundTrip()
    {
        QRandomGenerator random(5120);
        for (int round = 0; round < 20; ++round) {
            QByteArray data(kDataFileSize, '\0');
            QByteArray channel(kChannelRecordSize, '\0');
            for (char& b : data)
                b = static_cast<char>(random.bounded(256));
            for (char& b : channel)
                b = static_cast<char>(random.bounded(256));
            QCOMPARE(SerializeDataRecord(ParseDataRecord(data)), data);
            QCOMPARE(SerializeChannelRecord(ParseChannelRecord(channel.constData())), channel);
        }
    }

    void channelFilePath_data()
    {
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("channelFile");
        QTest::newRow("usual extension") << "radio.dat"
                                         << "radio.fre";
        QTest::newRow("no extension") << "radio"
                                      << "rafre";
        QTest::newRow("with folders") << "/home/u/cfg/radio.dat"
                                      << "/home/u/cfg/radio.fre";
        QTest::newRow("other extension") << "C:\\a\\b.xyz"
                                         << "C:\\a\\b.fre";
    }
    void channelFilePath()
    {
        QFETCH(QString, dataFile);
        QFETCH(QString, channelFile);
        QCOMPARE(ChannelFilePath(dataFile), channelFile);
    }

    // Records follow mode 0 then 1, groups 1..10, positions 1..count; nothing else.
    void channelFileOrder()
    {
        QTemporaryDir dir;
        auto saved = std::make_unique<RadioDocument>();
        saved->Data.ChannelCount[0][1] = 1;
        saved->Data.ChannelCount[0][2] = 2;
        saved->Data.ChannelCount[1][1] = 1;
        saved->Channels[0][1][1].ChId = 11;
        saved->Channels[0][1][2].ChId = 21;
        saved->Channels[0][2][2].ChId = 22;
        saved->Channels[1][1][1].ChId = 31;
        saved->Channels[0][2][1].ChId = 99; // above its list's count: not written
        const QString path = dir.filePath("order.dat");
        QVERIFY(WriteChannelFile(path, *saved));
        const QByteArray bytes = fileBytes(dir.filePath("order.fre"));
        QCOMPARE(bytes.size(), 4 * kChannelRecordSize);
        const int expected[] = {11, 21, 22, 31};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(static_cast<int>(bytes[k * kChannelRecordSize]), expected[k]);

        auto back = std::make_unique<RadioDocument>();
        back->Data = saved->Data;
        QVERIFY(ReadChannelFile(path, *back));
        QCOMPARE(back->Channels[0][2][2], saved->Channels[0][2][2]);
        QCOMPARE(back->Channels[1][1][1].ChId, int16_t(31));
    }

    void defaultDocumentSizes()
    {
        QTemporaryDir dir;
        auto doc = std::make_unique<RadioDocument>();
        auto saved = std::make_unique<RadioDocument>();
        DocumentState state;
        BuildDefaultDocument(*doc, state, FixedClock());
        DocumentToSaved(*doc, *saved, state);
        const QString path = dir.filePath("default.dat");
        QVERIFY(WriteDocumentPair(path, *saved));
        QCOMPARE(fileBytes(path).size(), 1344);
        QCOMPARE(fileBytes(dir.filePath("default.fre")).size(), 140 * 54);
        QCOMPARE(fileBytes(path).left(4), QByteArray("V200"));
    }
};

QTEST_GUILESS_MAIN(TestDataFileLayout)
#include "tst_DataFileLayout.moc"
