#include "FixedClock.h"
#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "image/MemoryImage.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

namespace {

// Documents and images are large; keep them off the (sanitizer-inflated) stack.
std::unique_ptr<RadioDocument> DefaultDocument()
{
    auto doc = std::make_unique<RadioDocument>();
    DocumentState state;
    BuildDefaultDocument(*doc, state, FixedClock());
    return doc;
}

std::unique_ptr<MemoryImage> EncodedImage(const RadioDocument& doc)
{
    auto image = std::make_unique<MemoryImage>();
    InitImage(*image);
    EncodeDocument(doc, *image);
    return image;
}

int SlotAddress(int mode, int group, int slot)
{
    return mode * 0x1E00 + (group - 1) * 0x300 + (slot - 1) * 16;
}

bool PresenceBit(const MemoryImage& image, int mode, int group, int slot)
{
    return image[(mode == 0 ? 0x3D80 : 0x3DC0) + (group - 1) * 6 + (slot - 1) / 8] & (1 << ((slot - 1) % 8));
}

bool ScanBit(const MemoryImage& image, int mode, int group, int slot)
{
    return image[(mode == 0 ? 0x3C80 : 0x3CC0) + (group - 1) * 6 + (slot - 1) / 8] & (1 << ((slot - 1) % 8));
}

QByteArray Bytes(const MemoryImage& image, int address, int length)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()) + address, length);
}

// A document with one channel in CB group A, everything else empty.
std::unique_ptr<RadioDocument> SingleChannelDocument(const ChannelRecord& record)
{
    auto doc = DefaultDocument();
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g)
            doc->Data.ChannelCount[mode][g] = 0;
    doc->Data.ChannelCount[kModeCB][1] = 1;
    doc->Channels[kModeCB][1][1] = record;
    return doc;
}

ChannelRecord PlainChannel(int id, const QByteArray& rxFreq)
{
    ChannelRecord r;
    r.ChId = static_cast<int16_t>(id);
    r.InUse = 1;
    r.Scan = 1;
    r.RxFreq.setRaw(rxFreq);
    r.TsqCode = 8;
    return r;
}

// A document in the canonical form the decoder produces, so that a round trip must give
// it back field for field: frequencies of eight digits ending in 00, texts ended by NUL,
// lists sorted by channel number, no channel under the DTMF codes of HF groups 9 and 10.
std::unique_ptr<RadioDocument> RandomCanonicalDocument(quint32 seed)
{
    QRandomGenerator rng(seed);
    auto pick = [&rng](int lo, int hi) { return static_cast<int16_t>(rng.bounded(lo, hi + 1)); };
    auto doc = DefaultDocument();
    DataRecord& d = doc->Data;
    OptionRecord& o = d.Opt;
    d.WorkMode = pick(0, 1);
    for (int mode = 0; mode <= 1; ++mode) {
        for (int g = 1; g <= kGroupCount; ++g) {
            const int highest = (mode == kModeHF && g >= 9) ? kNumberedChannels : kMaxChannels;
            std::vector<int> ids(highest);
            std::iota(ids.begin(), ids.end(), 1);
            std::shuffle(ids.begin(), ids.end(), std::mt19937(rng.generate()));
            ids.resize(rng.bounded(0, highest + 1));
            std::sort(ids.begin(), ids.end());
            d.ChannelCount[mode][g] = static_cast<int16_t>(ids.size());
            for (int pos = 1; pos <= static_cast<int>(ids.size()); ++pos) {
                ChannelRecord& r = doc->Channels[mode][pos][g];
                r.ChId = static_cast<int16_t>(ids[pos - 1]);
                r.InUse = 1;
                r.Scan = pick(0, 1);
                r.RxFreq.set(QStringLiteral("%1").arg(rng.bounded(256150, 301051), 6, 10, QLatin1Char('0')) +
                             QStringLiteral("00"));
                r.TsqCode = pick(0, 142);
                r.Modulation = pick(0, 4);
                r.HiCut = pick(0, 1);
                r.NbAnl = pick(0, 1);
                r.Echo = pick(0, 1);
                r.Add10k = pick(0, 1);
                r.BusyLock = pick(0, 1);
                r.RogerTone = pick(0, 8);
                r.RptShift = pick(0, 2);
                r.PublicCh = pick(0, 1);
                r.BotCode = pick(0, 16);
                r.EotCode = pick(0, 16);
                r.CallCode = pick(0, 16);
            }
            o.GroupValid[mode][g] = pick(0, 1);
            QByteArray name;
            const int nameLength = pick(0, 4);
            for (int i = 0; i < nameLength; ++i)
                name.append(static_cast<char>(pick('A', 'Z')));
            if (nameLength < 4)
                name.append('\0');
            o.GroupName[mode][g].setRaw(name);
            o.EmgCh1[mode][g] = pick(1, 46);
            o.EmgCh2[mode][g] = pick(1, 46);
            o.WorkCh[mode][g] = pick(1, 46);
            o.DwCh1[mode][g] = pick(1, 46);
            o.DwCh2[mode][g] = pick(1, 46);
            o.MemCh[mode][g] = pick(41, 46);
        }
    }
    o.WorkModeValid = pick(0, 2);
    o.CBWorkGroup = pick(1, 10);
    o.HFWorkGroup = pick(1, 10);
    o.VoxFunction = pick(0, 1);
    o.ChannelMode = pick(0, 1);
    o.MemMenu = pick(0, 1);
    o.PubBot = pick(0, 16);
    o.PubEot = pick(0, 16);
    o.PubCall = pick(0, 16);
    o.PubHiCut = pick(0, 1);
    o.PubNbAnl = pick(0, 1);
    o.PubEcho = pick(0, 1);
    o.PubAdd10k = pick(0, 1);
    o.PubBusy = pick(0, 1);
    o.PubRoger = pick(0, 8);
    o.Beep = pick(0, 1);
    o.TxDisplay = pick(0, 3);
    o.MicLevel = pick(1, 36);
    o.Nog = pick(0, 32);
    o.TotTime = static_cast<int16_t>(3 * pick(0, 20));
    o.SwrProtect = pick(0, 1);
    o.VoltProtect = pick(0, 1);
    o.ScanMode = pick(0, 1);
    o.Fin = pick(0, 3);
    o.BacklightColor = pick(0, 6);
    o.MenuPage = pick(1, 9);
    o.VoltMin = pick(90, 170);
    o.VoltMax = pick(90, 170);
    o.SwrMax = pick(12, 200);
    o.PubMode = pick(0, 4);
    for (int i = 0; i <= 4; ++i)
        o.ModeEnable[i] = pick(0, 1);
    o.DtmfSendTime = pick(1, 50);
    o.DtmfFirstDigitTime = pick(0, 10);
    o.DtmfFirstDigitDelay = pick(1, 25);
    o.DtmfStarHashTone = pick(0, 10);
    o.DtmfDKey = pick(0, 16);
    o.DtmfDisplay = pick(0, 1);
    const QByteArray dtmfChars("0123456789ABCD*#");
    for (int i = 1; i <= 16; ++i) {
        QByteArray code;
        const int length = pick(0, 16);
        for (int k = 0; k < length; ++k)
            code.append(dtmfChars[pick(0, 15)]);
        if (length < 16)
            code.append('\0');
        o.AutodialCode[i].setRaw(code);
    }
    for (int s = 1; s <= 8; ++s) {
        d.RogerSeq[s].Recycle = pick(0, 10);
        d.RogerSeq[s].InterTime = pick(0, 255);
        for (int j = 1; j <= 14; ++j) {
            d.RogerSeq[s].Tone[j].Freq = rng.bounded(2) ? pick(40, 255) : 0;
            d.RogerSeq[s].Tone[j].Length = pick(0, 255);
        }
    }
    d.TxOffset = static_cast<int32_t>(rng.bounded(1, 50001));
    d.FreqChMode = pick(0, 1);
    d.AsqLevel = pick(1, 9);
    for (int i = 0; i <= 11; ++i)
        d.RssiLevel[i] = pick(0, 35);
    return doc;
}

} // namespace

class TestMemoryImage : public QObject {
    Q_OBJECT

private slots:
    void initImageFillsErasedMemoryWithClearBitmaps();
    void defaultDocumentLayout();
    void dualWatchCopiesInSlots47And48();
    void frequencyBytes_data();
    void frequencyBytes();
    void toneCodes_data();
    void toneCodes();
    void toneCodeInChannelSlot();
    void dtmfCodesOverHfGroups9And10();
    void decodingErasedImage();
    void voltageCoding_data();
    void voltageCoding();
    void singleSettingsAndMasks();
    void roundTripOfRandomDocuments_data();
    void roundTripOfRandomDocuments();
    void decodeKeepsFieldsTheImageDoesNotCarry();
    void outOfRangeDocumentValuesStayInTheirFields();
    void outOfRangeArgumentsAreIgnored();
    void decodingArbitraryImagesGivesWellFormedLists();
};

void TestMemoryImage::initImageFillsErasedMemoryWithClearBitmaps()
{
    auto image = std::make_unique<MemoryImage>();
    image->fill(0x12);
    InitImage(*image);
    for (int a = 0; a < kImageSize; ++a) {
        const bool bitmap = (a >= 0x3C80 && a <= 0x3CFF) || (a >= 0x3D80 && a <= 0x3DFF);
        QCOMPARE((*image)[a], bitmap ? uint8_t(0x00) : uint8_t(0xFF));
    }
}

void TestMemoryImage::defaultDocumentLayout()
{
    const auto doc = DefaultDocument();
    const auto image = EncodedImage(*doc);
    const MemoryImage& im = *image;

    // Channel 41 of CB group A: 28.0150 MHz.
    QCOMPARE(Bytes(im, 0x0280, 5), QByteArray("\x50\x01\x28\x00\x00", 5));
    QVERIFY(im[0x3D85] & 0x01);
    QVERIFY(im[0x3C85] & 0x01);
    // Tone 8 (QT), FM, NB/ANL on, no roger, no repeater shift, no public channel, no DTMF codes.
    QCOMPARE(im[0x0285], uint8_t(8));
    QCOMPARE(im[0x0286], uint8_t(0));
    QCOMPARE(im[0x0289], uint8_t(0x02));
    QCOMPARE(im[0x028B], uint8_t(0x10));
    QCOMPARE(Bytes(im, 0x028C, 3), QByteArray(3, '\0'));
    // Bytes the encoder does not touch stay erased.
    QCOMPARE(im[0x0287], uint8_t(0xFF));
    QCOMPARE(im[0x0288], uint8_t(0xFF));
    QCOMPARE(im[0x028F], uint8_t(0xFF));
    // Channel 1 of HF group E: 28.055000 MHz.
    QCOMPARE(Bytes(im, 0x1E00 + 4 * 0x300, 3), QByteArray("\x50\x05\x28", 3));
    // Slot 2 is empty: no presence bit, erased bytes.
    QVERIFY(!PresenceBit(im, 0, 1, 2));
    QCOMPARE(Bytes(im, 0x0010, 16), QByteArray(16, '\xFF'));
    // Presence of CB group A: channels 1 and 41..46.
    QCOMPARE(Bytes(im, 0x3D80, 6), QByteArray("\x01\x00\x00\x00\x00\x3F", 6));

    QCOMPARE(im[0x3C00], uint8_t(0xFF));
    QCOMPARE(im[0x3C01], uint8_t(0x03));
    QCOMPARE(Bytes(im, 0x3C04, 4), QByteArray("A\0\0\0", 4));
    QCOMPARE(Bytes(im, 0x3C04 + 4 * 19, 4), QByteArray("J\0\0\0", 4));
    QCOMPARE(Bytes(im, 0x3C54, 2), QByteArray(2, '\0'));
    QCOMPARE(im[0x3C7C], uint8_t(0x30));
    QCOMPARE(im[0x3C7D], uint8_t(0));
    QCOMPARE(im[0x3D40], uint8_t(0));
    QCOMPARE(Bytes(im, 0x3F00, 4), QByteArray("\x92\x02\x7C\x01", 4)); // 658 and 380
    QCOMPARE(im[0x3F04], uint8_t(160));
    QCOMPARE(im[0x3F06], uint8_t(0x1F));
    QCOMPARE(im[0x3F07], uint8_t(0x02));
    QCOMPARE(Bytes(im, 0x3F0C, 10), QByteArray("\x01\x00\x1E\x00\x00\x01\x01\x00\x00\x00", 10));
    QCOMPARE(Bytes(im, 0x3F16, 5), QByteArray("\x00\x64\x00\x00\x05", 5));
    QCOMPARE(Bytes(im, 0x3F1B, 7), QByteArray("\x01\x01\x01\x00\x00\x00\x01", 7));
    QCOMPARE(Bytes(im, 0x3F30, 12), QByteArray("\x00\x03\x0A\x0E\x18\x23\x00\x05\x08\x0C\x17\x23", 12));
    QCOMPARE(Bytes(im, 0x3FF8, 8), QByteArray(8, '\x55'));
    QCOMPARE(Bytes(im, 0x3F22, 14), QByteArray(14, '\xFF'));
    // Roger-beep sequences 1 and 2 share the first 64-byte block, 3 starts the next.
    QCOMPARE(Bytes(im, 0x3E00, 4), QByteArray("\x01\x00\xD2\x00", 4));
    QCOMPARE(im[0x3E00 + 16], uint8_t(10));
    QCOMPARE(Bytes(im, 0x3E1E, 3), QByteArray("\x01\x00\x50", 3));
    QCOMPARE(Bytes(im, 0x3E3C, 4), QByteArray(4, '\xFF'));
    QCOMPARE(Bytes(im, 0x3E40, 3), QByteArray("\x01\x00\xAA", 3));
}

void TestMemoryImage::dualWatchCopiesInSlots47And48()
{
    auto doc = DefaultDocument();
    doc->Data.Opt.DwCh1[kModeCB][2] = 42;
    doc->Data.Opt.DwCh2[kModeCB][2] = 43;
    doc->Data.Opt.DwCh1[kModeCB][3] = 44;
    doc->Data.Opt.DwCh2[kModeCB][3] = 44;
    doc->Data.Opt.DwCh1[kModeHF][4] = 7; // not in the list: slot 47 stays erased
    doc->Data.Opt.DwCh2[kModeHF][4] = 1;
    doc->Channels[kModeCB][2][2].Scan = 0; // channel 42 of group B, not scanned
    const auto image = EncodedImage(*doc);
    const MemoryImage& im = *image;

    QCOMPARE(Bytes(im, SlotAddress(0, 2, 47), 16), Bytes(im, SlotAddress(0, 2, 42), 16));
    QCOMPARE(Bytes(im, SlotAddress(0, 2, 48), 16), Bytes(im, SlotAddress(0, 2, 43), 16));
    QVERIFY(!ScanBit(im, 0, 2, 47));
    QVERIFY(ScanBit(im, 0, 2, 48));
    QCOMPARE(Bytes(im, SlotAddress(0, 3, 47), 16), Bytes(im, SlotAddress(0, 3, 44), 16));
    QCOMPARE(Bytes(im, SlotAddress(0, 3, 48), 16), QByteArray(16, '\xFF'));
    QCOMPARE(Bytes(im, SlotAddress(1, 4, 47), 16), QByteArray(16, '\xFF'));
    QCOMPARE(Bytes(im, SlotAddress(1, 4, 48), 16), Bytes(im, SlotAddress(1, 4, 1), 16));
    // Slots 47 and 48 have no presence bits: byte 5 of a group's bitmap only covers 41..46.
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g)
            QCOMPARE(im[(mode ? 0x3DC0 : 0x3D80) + (g - 1) * 6 + 5] & 0xC0, 0);
    // The default copies (DwCh1 = 1) carry channel 1's scan bit into slot 47.
    QVERIFY(ScanBit(im, 0, 1, 47));
}

void TestMemoryImage::frequencyBytes_data()
{
    QTest::addColumn<QByteArray>("rxFreq");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("decoded"); // empty: the channel is dropped

    QTest::newRow("six digits and blanks")
        << QByteArray("285000  ") << QByteArray("\x00\x50\x28", 3) << QStringLiteral("28500000");
    QTest::newRow("eight digits") << QByteArray("28500000") << QByteArray("\x00\x50\x28", 3)
                                  << QStringLiteral("28500000");
    QTest::newRow("last two digits are not stored")
        << QByteArray("28015099") << QByteArray("\x50\x01\x28", 3) << QStringLiteral("28015000");
    QTest::newRow("ended by NUL") << QByteArray("2912\0   ", 8) << QByteArray("\x00\x12\x29", 3)
                                  << QStringLiteral("29120000");
    QTest::newRow("whole number") << QByteArray("28      ") << QByteArray("\x00\x00\x28", 3)
                                  << QStringLiteral("28000000");
    QTest::newRow("erased") << QByteArray("FFFFFFFF") << QByteArray("\xFF\xFF\xFF", 3) << QString();
    QTest::newRow("letter") << QByteArray("2850A000") << QByteArray("\xFF\xFF\xFF", 3) << QString();
    QTest::newRow("inner blank") << QByteArray("28 5    ") << QByteArray("\xFF\xFF\xFF", 3) << QString();
    QTest::newRow("decimal point") << QByteArray("28.5    ") << QByteArray("\xFF\xFF\xFF", 3) << QString();
    QTest::newRow("lower-case erased") << QByteArray("ffffffff") << QByteArray("\xFF\xFF\xFF", 3) << QString();
    // No digits at all pads to 00000000, which the radio stores as 0 MHz.
    QTest::newRow("empty") << QByteArray("        ") << QByteArray("\x00\x00\x00", 3) << QStringLiteral("00000000");
}

void TestMemoryImage::frequencyBytes()
{
    QFETCH(QByteArray, rxFreq);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, decoded);

    const auto doc = SingleChannelDocument(PlainChannel(5, rxFreq));
    const auto image = EncodedImage(*doc);
    QCOMPARE(Bytes(*image, 0x0040, 5), bytes + QByteArray(2, '\0'));
    QCOMPARE(doc->Channels[kModeCB][1][1].RxFreq.raw(), rxFreq);

    auto back = DefaultDocument();
    DocumentState state;
    DecodeImage(*image, *back, state);
    if (decoded.isEmpty()) {
        QCOMPARE(back->Data.ChannelCount[kModeCB][1], int16_t(0));
    } else {
        QCOMPARE(back->Data.ChannelCount[kModeCB][1], int16_t(1));
        QCOMPARE(back->Channels[kModeCB][1][1].ChId, int16_t(5));
        QCOMPARE(back->Channels[kModeCB][1][1].RxFreq.text(), decoded);
    }
}

void TestMemoryImage::toneCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("decoded");

    QTest::newRow("off") << 0 << 0 << 0 << 0;
    QTest::newRow("negative") << -3 << 0 << 0 << 0;
    QTest::newRow("first QT") << 1 << 1 << 1 << 1;
    QTest::newRow("QT 8") << 8 << 1 << 8 << 8;
    QTest::newRow("last QT") << 38 << 1 << 38 << 38;
    QTest::newRow("first DQT") << 39 << 2 << 1 << 39;
    QTest::newRow("last DQT") << 142 << 2 << 104 << 142;
}

void TestMemoryImage::toneCodes()
{
    QFETCH(int, code);
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, decoded);
    const ToneImageCode image = ToneCodeToImage(code);
    QCOMPARE(image.type, type);
    QCOMPARE(image.number, number);
    QCOMPARE(ToneCodeFromImage(type, number), decoded);
    // Type 3 and type 0 mean no tone, whatever the number.
    QCOMPARE(ToneCodeFromImage(3, number), 0);
    QCOMPARE(ToneCodeFromImage(0, 77), 0);
}

void TestMemoryImage::toneCodeInChannelSlot()
{
    ChannelRecord r = PlainChannel(3, "28500000");
    r.TsqCode = 142;
    r.RptShift = 2;
    r.PublicCh = 1;
    const auto image = EncodedImage(*SingleChannelDocument(r));
    QCOMPARE((*image)[0x0025], uint8_t(104));
    QCOMPARE((*image)[0x002B], uint8_t(0x80 | 0x20 | 0x02));

    auto back = DefaultDocument();
    DocumentState state;
    DecodeImage(*image, *back, state);
    QCOMPARE(back->Channels[kModeCB][1][1].TsqCode, int16_t(142));
    QCOMPARE(back->Channels[kModeCB][1][1].RptShift, int16_t(2));
    QCOMPARE(back->Channels[kModeCB][1][1].PublicCh, int16_t(1));

    // Type 3 in a radio's slot decodes as no tone.
    MemoryImage patched = *image;
    patched[0x002B] = 0x30;
    DecodeImage(patched, *back, state);
    QCOMPARE(back->Channels[kModeCB][1][1].TsqCode, int16_t(0));
}

void TestMemoryImage::dtmfCodesOverHfGroups9And10()
{
    auto doc = DefaultDocument();
    doc->Data.Opt.AutodialCode[1].setRaw(QByteArray("12*#\0", 5));
    doc->Data.Opt.AutodialCode[2].setRaw("0123456789ABCD*#");
    doc->Data.Opt.AutodialCode[9].setRaw("D9  ");
    doc->Data.Opt.AutodialCode[16].setRaw(QByteArray("5\0", 2));
    doc->Data.Opt.AutodialCode[3].setRaw("1X2"); // a character without a value becomes filler
    const auto image = EncodedImage(*doc);
    const MemoryImage& im = *image;

    QCOMPARE(SlotAddress(kModeHF, 9, 41), 0x3880);
    QCOMPARE(SlotAddress(kModeHF, 10, 41), 0x3B80);
    QCOMPARE(Bytes(im, 0x3880, 16), QByteArray("\x01\x02\x0F\x0E", 4) + QByteArray(12, '\x10'));
    QCOMPARE(Bytes(im, 0x3890, 16), QByteArray("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0F\x0E", 16));
    QCOMPARE(Bytes(im, 0x38A0, 16), QByteArray("\x01\x10\x02", 3) + QByteArray(13, '\x10'));
    QCOMPARE(Bytes(im, 0x38B0, 16), QByteArray(16, '\x10'));
    QCOMPARE(Bytes(im, 0x3B80, 16), QByteArray("\x0D\x09", 2) + QByteArray(14, '\x10'));
    QCOMPARE(Bytes(im, 0x3BF0, 16), QByteArray(1, '\x05') + QByteArray(15, '\x10'));
    // The memory channels of those groups cannot live where the codes are: no presence bits.
    for (int g = 9; g <= 10; ++g)
        for (int s = 41; s <= 46; ++s)
            QVERIFY(!PresenceBit(im, kModeHF, g, s));

    auto back = DefaultDocument();
    DocumentState state;
    DecodeImage(im, *back, state);
    const OptionRecord& opt = back->Data.Opt;
    QCOMPARE(opt.AutodialCode[1].raw(), QByteArray("12*#\0           ", 16));
    QCOMPARE(opt.AutodialCode[2].raw(), QByteArray("0123456789ABCD*#"));
    QCOMPARE(TrimFixed(opt.AutodialCode[3].text()), QStringLiteral("1"));
    QCOMPARE(TrimFixed(opt.AutodialCode[9].text()), QStringLiteral("D9"));
    QCOMPARE(opt.AutodialCode[4].raw(), QByteArray("\0               ", 16));

    // The code bytes never come back as channels, even where their presence bits are set
    // (an image written by a program that placed memory channels there).
    auto withBits = std::make_unique<MemoryImage>(im);
    for (int g = 9; g <= 10; ++g)
        for (int s = 41; s <= 46; ++s) {
            const int address = 0x3DC0 + (g - 1) * 6 + (s - 1) / 8;
            (*withBits)[address] |= uint8_t(1 << ((s - 1) % 8));
            QVERIFY(PresenceBit(*withBits, kModeHF, g, s));
        }
    DecodeImage(*withBits, *back, state);
    for (int g = 9; g <= 10; ++g) {
        QCOMPARE(back->Data.ChannelCount[kModeHF][g], int16_t(1));
        QCOMPARE(back->Channels[kModeHF][1][g].ChId, int16_t(1));
    }
}

void TestMemoryImage::decodingErasedImage()
{
    auto image = std::make_unique<MemoryImage>();
    InitImage(*image);
    auto doc = DefaultDocument();
    DocumentState state;
    state.BandText = QStringLiteral("garbage");
    DecodeImage(*image, *doc, state);
    const DataRecord& d = doc->Data;

    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g) {
            QCOMPARE(d.ChannelCount[mode][g], int16_t(0));
            QCOMPARE(d.Opt.GroupValid[mode][g], int16_t(1));
            QCOMPARE(TrimFixed(d.Opt.GroupName[mode][g].text()), QString());
            QCOMPARE(d.Opt.EmgCh1[mode][g], int16_t(256));
            QCOMPARE(d.Opt.MemCh[mode][g], int16_t(296));
        }
    QCOMPARE(d.WorkMode, int16_t(15));
    QCOMPARE(ActiveMode(d), kModeHF);
    QCOMPARE(state.BandText, kBandTextHF);
    QCOMPARE(state.BandLow, 28.0);
    QCOMPARE(state.BandHigh, 29.699);
    QCOMPARE(d.Opt.WorkModeValid, int16_t(14));
    QCOMPARE(d.Opt.CBWorkGroup, int16_t(256));
    QCOMPARE(d.Opt.HFWorkGroup, int16_t(256));
    QCOMPARE(d.Opt.VoxFunction, int16_t(1));
    QCOMPARE(d.Opt.VoltMax, int16_t(16736)); // 65535 x 261.5 / 1024 = 16735.7...
    QCOMPARE(d.TxOffset, 65535);
    QCOMPARE(d.Opt.Beep, int16_t(255));
    QCOMPARE(TrimFixed(d.Opt.AutodialCode[16].text()), QString());
    QCOMPARE(d.RogerSeq[8].Tone[14].Length, int16_t(255));
    // Fields the image does not carry keep the document's values.
    QCOMPARE(d.Opt.OptWorkMode, int16_t(1));
    QCOMPARE(d.CreateDate.text(), QStringLiteral("20260115"));
}

void TestMemoryImage::voltageCoding_data()
{
    QTest::addColumn<int>("volts");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("decoded");

    QTest::newRow("default maximum") << 168 << 658 << 168;
    QTest::newRow("default minimum") << 97 << 380 << 97;
    QTest::newRow("9.0 V") << 90 << 352 << 90;
    QTest::newRow("17.0 V") << 170 << 666 << 170;
    QTest::newRow("zero") << 0 << 0 << 0;
}

void TestMemoryImage::voltageCoding()
{
    QFETCH(int, volts);
    QFETCH(int, code);
    QFETCH(int, decoded);
    auto doc = DefaultDocument();
    doc->Data.Opt.VoltMax = static_cast<int16_t>(volts);
    doc->Data.Opt.VoltMin = static_cast<int16_t>(volts);
    const auto image = EncodedImage(*doc);
    QCOMPARE((*image)[0x3F00] + 256 * (*image)[0x3F01], code);
    QCOMPARE((*image)[0x3F02] + 256 * (*image)[0x3F03], code);
    DocumentState state;
    DecodeImage(*image, *doc, state);
    QCOMPARE(doc->Data.Opt.VoltMax, int16_t(decoded));
    QCOMPARE(doc->Data.Opt.VoltMin, int16_t(decoded));
}

void TestMemoryImage::singleSettingsAndMasks()
{
    // ADC codes that are multiples of 1024 decode to exact halves: those go to the even neighbour.
    auto image = std::make_unique<MemoryImage>();
    InitImage(*image);
    (*image)[0x3F00] = 0x00;
    (*image)[0x3F01] = 0x0C; // 3072 -> 784.5
    (*image)[0x3F02] = 0x00;
    (*image)[0x3F03] = 0x04; // 1024 -> 261.5
    (*image)[0x3F19] = 0xFE; // only bit 0 is FreqChMode
    (*image)[0x3F17] = 0x50;
    (*image)[0x3F18] = 0xC3; // 50000
    (*image)[0x3C7C] = 0x31;
    auto doc = DefaultDocument();
    DocumentState state;
    DecodeImage(*image, *doc, state);
    QCOMPARE(doc->Data.Opt.VoltMax, int16_t(784));
    QCOMPARE(doc->Data.Opt.VoltMin, int16_t(262));
    QCOMPARE(doc->Data.FreqChMode, int16_t(0));
    QCOMPARE(doc->Data.TxOffset, 50000);
    QCOMPARE(doc->Data.WorkMode, int16_t(1));
    QCOMPARE(doc->Data.Opt.WorkModeValid, int16_t(2));

    // Encoding 50000 gives the same two bytes back.
    auto encoded = EncodedImage(*doc);
    QCOMPARE(Bytes(*encoded, 0x3F17, 2), QByteArray("\x50\xC3", 2));
}

void TestMemoryImage::roundTripOfRandomDocuments_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 42u, 5120u, 77777u})
        QTest::addRow("seed %u", seed) << seed;
}

void TestMemoryImage::roundTripOfRandomDocuments()
{
    QFETCH(quint32, seed);
    const auto original = RandomCanonicalDocument(seed);
    const auto image = EncodedImage(*original);

    // Decoding over a copy leaves the fields the image does not carry as they were,
    // so the whole data record must come back unchanged.
    auto back = std::make_unique<RadioDocument>(*original);
    DocumentState state;
    DecodeImage(*image, *back, state);
    QCOMPARE(state.BandText, BandTextOf(original->Data.WorkMode));
    const DataRecord& a = original->Data;
    const DataRecord& b = back->Data;
    QCOMPARE(b.ChannelCount, a.ChannelCount);
    QCOMPARE(b.Opt, a.Opt);
    QCOMPARE(b.RogerSeq, a.RogerSeq);
    QVERIFY(b == a);
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g)
            for (int p = 1; p <= a.ChannelCount[mode][g]; ++p) {
                const ChannelRecord& x = original->Channels[mode][p][g];
                const ChannelRecord& y = back->Channels[mode][p][g];
                QCOMPARE(y.ChId, x.ChId);
                QCOMPARE(y.Scan, x.Scan);
                QCOMPARE(y.RxFreq.text(), x.RxFreq.text());
                QCOMPARE(y.TsqCode, x.TsqCode);
                QVERIFY(y == x);
            }

    // Encoding the decoded document gives the same image.
    const auto again = EncodedImage(*back);
    QVERIFY(*again == *image);
}

void TestMemoryImage::decodeKeepsFieldsTheImageDoesNotCarry()
{
    auto source = DefaultDocument();
    source->Data.ChannelCount[kModeCB][1] = 1;
    source->Channels[kModeCB][1][1] = PlainChannel(9, "29000000");
    source->Channels[kModeCB][1][1].EncCode = 100;
    const auto image = EncodedImage(*source);

    auto target = DefaultDocument();
    ChannelRecord& slot1 = target->Channels[kModeCB][1][1];
    slot1.Reserved1 = 11;
    slot1.Reserved2 = -7;
    const ChannelRecord before = slot1;
    DocumentState state;
    DecodeImage(*image, *target, state);
    QCOMPARE(target->Data.ChannelCount[kModeCB][1], int16_t(1));
    QCOMPARE(slot1.ChId, int16_t(9));
    QCOMPARE(slot1.RxFreq.text(), QStringLiteral("29000000"));
    QCOMPARE(slot1.TxFreq, before.TxFreq); // 28015000 of the default channel 41
    QCOMPARE(slot1.EncCode, before.EncCode);
    QCOMPARE(slot1.Reserved1, int16_t(11));
    QCOMPARE(slot1.Reserved2, int16_t(-7));
}

void TestMemoryImage::outOfRangeDocumentValuesStayInTheirFields()
{
    auto doc = DefaultDocument();
    DataRecord& d = doc->Data;
    d.ChannelCount[kModeCB][1] = 3;
    ChannelRecord& r = doc->Channels[kModeCB][1][1];
    r = PlainChannel(2, "28500000");
    r.HiCut = 2; // bit 1 would be NB/ANL
    r.NbAnl = 0;
    r.Echo = -1;    // all bits set: only bit 2 may appear
    r.RptShift = 7; // would reach the tone type
    r.PublicCh = 3;
    r.Scan = 2; // would mark the neighbouring slot as scanned
    r.Modulation = 0x104;
    r.TsqCode = 32767; // DQT number far above 104
    r.BotCode = -1;
    doc->Channels[kModeCB][2][1] = PlainChannel(0, "28500000");  // no channel number 0
    doc->Channels[kModeCB][3][1] = PlainChannel(47, "28500000"); // nor 47
    d.ChannelCount[kModeCB][2] = -5;
    d.ChannelCount[kModeCB][3] = 32767;
    d.ChannelCount[kModeHF][1] = 47;
    d.WorkMode = 0x21;
    d.Opt.WorkModeValid = 0x7F;
    d.Opt.GroupValid[kModeCB][1] = 2;
    d.Opt.GroupValid[kModeCB][2] = 0;
    d.Opt.VoxFunction = 6;
    d.Opt.ChannelMode = 1;
    d.Opt.ModeEnable[0] = 2;
    d.Opt.PubHiCut = 4;
    d.Opt.VoltMax = -32768;
    d.Opt.VoltMin = 32767;
    d.Opt.MemCh[kModeCB][1] = 0;
    d.Opt.DwCh1[kModeCB][1] = -300;
    d.FreqChMode = 2;
    d.TxOffset = 0x12345;
    d.Opt.GroupName[kModeCB][1].setRaw("\xE9t\xE9!");
    const auto image = EncodedImage(*doc);
    const MemoryImage& im = *image;

    QCOMPARE(im[0x0019], uint8_t(0x04)); // Echo only
    QCOMPARE(im[0x001B], uint8_t(0x80 | 0x20 | 0x03));
    QCOMPARE(im[0x0016], uint8_t(0x04));
    QCOMPARE(im[0x0015], uint8_t((32767 - 38) & 0xFF));
    QCOMPARE(im[0x001C], uint8_t(0xFF));
    QCOMPARE(im[0x3C80], uint8_t(0x00));                 // not scanned, and slot 3 untouched
    QCOMPARE(im[0x3D80], uint8_t(0x02));                 // only channel 2 of CB group A
    QCOMPARE(Bytes(im, 0x3D86, 6), QByteArray(6, '\0')); // group B: no list at all
    QCOMPARE(im[0x3C7C], uint8_t(0x01));                 // (0x7F + 1) & 0x0F in the high nibble
    QCOMPARE(im[0x3C00], uint8_t(0xFC));                 // groups A and B clear
    QCOMPARE(im[0x3C7F], uint8_t(0x02));
    QCOMPARE(im[0x3F06], uint8_t(0x1E));
    QCOMPARE(im[0x3F07], uint8_t(0x02));
    QCOMPARE(im[0x3F19], uint8_t(0x00));
    QCOMPARE(Bytes(im, 0x3F17, 2), QByteArray("\x45\x23", 2));
    QCOMPARE(im[0x3D40], uint8_t((0 - 41) & 0xFF));
    QCOMPARE(im[0x3D14], uint8_t((-301) & 0xFF));
    QCOMPARE(Bytes(im, 0x3C04, 4), QByteArray("\xE9t\xE9!"));
    // Group C has 46 slots filled from the stale default positions; HF group A is cut to 46.
    QCOMPARE(im[0x3D80 + 12 + 5] & 0x3F, 0x3F);

    auto back = DefaultDocument();
    DocumentState state;
    DecodeImage(im, *back, state);
    QCOMPARE(back->Data.WorkMode, int16_t(1));
    QCOMPARE(back->Data.Opt.GroupName[kModeCB][1].raw(), QByteArray("\xE9t\xE9!"));
    QCOMPARE(back->Data.ChannelCount[kModeCB][1], int16_t(1));
    QCOMPARE(back->Channels[kModeCB][1][1].Modulation, int16_t(4));
}

void TestMemoryImage::outOfRangeArgumentsAreIgnored()
{
    auto image = std::make_unique<MemoryImage>();
    InitImage(*image);
    const MemoryImage erased = *image;
    const ChannelRecord r = PlainChannel(1, "28000000");
    for (int slot : {-1, 0, 49, 1000})
        EncodeChannel(r, slot, 1, kModeCB, *image);
    for (int group : {0, 11, -4})
        EncodeChannel(r, 1, group, kModeCB, *image);
    for (int mode : {-1, 2, 15})
        EncodeChannel(r, 1, 1, mode, *image);
    QVERIFY(*image == erased);

    // A full image: every presence bit set, every slot a valid frequency.
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g)
            for (int s = 1; s <= 48; ++s)
                EncodeChannel(r, s, g, mode, *image);
    auto doc = DefaultDocument();
    const auto before = std::make_unique<RadioDocument>(*doc);
    for (int mode : {-1, 2})
        DecodeChannel(*image, mode, 1, 1, *doc);
    for (int ch : {0, 47, 48, -1})
        DecodeChannel(*image, kModeCB, ch, 1, *doc);
    for (int group : {0, 11})
        DecodeChannel(*image, kModeCB, 1, group, *doc);
    // A list whose count is already corrupt takes nothing more.
    doc->Data.ChannelCount[kModeCB][1] = 46;
    before->Data.ChannelCount[kModeCB][1] = 46;
    DecodeChannel(*image, kModeCB, 1, 1, *doc);
    doc->Data.ChannelCount[kModeCB][2] = -2;
    before->Data.ChannelCount[kModeCB][2] = -2;
    DecodeChannel(*image, kModeCB, 1, 2, *doc);
    QVERIFY(doc->Data == before->Data);
    QVERIFY(doc->Channels == before->Channels);

    DocumentState state;
    DecodeImage(*image, *doc, state);
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g)
            QCOMPARE(doc->Data.ChannelCount[mode][g], int16_t(mode == kModeHF && g >= 9 ? 40 : 46));
}

void TestMemoryImage::decodingArbitraryImagesGivesWellFormedLists()
{
    QRandomGenerator rng(5120);
    auto image = std::make_unique<MemoryImage>();
    auto doc = DefaultDocument();
    for (int round = 0; round < 50; ++round) {
        for (auto& b : *image) {
            // Mostly packed-decimal-looking bytes, so that many slots decode.
            const quint32 v = rng.generate();
            b = static_cast<uint8_t>((v & 0x100) ? (v & 0xFF) : (((v >> 4) % 10) << 4 | (v % 10)));
        }
        DocumentState state;
        DecodeImage(*image, *doc, state);
        for (int mode = 0; mode <= 1; ++mode)
            for (int g = 1; g <= kGroupCount; ++g) {
                const int count = doc->Data.ChannelCount[mode][g];
                QVERIFY(count >= 0 && count <= kMaxChannels);
                int previous = 0;
                for (int p = 1; p <= count; ++p) {
                    const ChannelRecord& c = doc->Channels[mode][p][g];
                    QVERIFY(c.ChId > previous && c.ChId <= kMaxChannels);
                    QVERIFY(IsDigitsOnly(c.RxFreq.text()));
                    QVERIFY(c.TsqCode >= 0 && c.TsqCode <= 255 + 38);
                    previous = c.ChId;
                }
            }
        QVERIFY(doc->Data.WorkMode >= 0 && doc->Data.WorkMode <= 15);
        // Whatever was read encodes again without leaving the image.
        auto again = std::make_unique<MemoryImage>();
        InitImage(*again);
        EncodeDocument(*doc, *again);
    }
}

QTEST_GUILESS_MAIN(TestMemoryImage)
#include "tst_MemoryImage.moc"
