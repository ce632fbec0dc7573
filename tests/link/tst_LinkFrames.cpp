#include "link/LinkFrames.h"

#include <QTest>

class TestLinkFrames : public QObject {
    Q_OBJECT
private slots:
    void checksumExamples();
    void readRequest();
    void progressRounding_data();
    void progressRounding();
};

void TestLinkFrames::checksumExamples()
{
    MemoryImage image{};
    for (int i = 0; i < 16; ++i)
        image[size_t(i)] = uint8_t(i);
    QByteArray block = LinkFrame::DataBlock(image, 0x0000, 16);
    QCOMPARE(block.size(), 22);
    QCOMPARE(uint8_t(block[20]), uint8_t(0x88));
    QCOMPARE(block.left(4), QByteArray::fromHex("57000010"));
    QCOMPARE(uint8_t(block[21]), uint8_t(0x06));

    image.fill(0xFF);
    block = LinkFrame::DataBlock(image, 0x3F30, 16);
    QCOMPARE(block.left(4), QByteArray::fromHex("573F3010"));
    QCOMPARE(uint8_t(block[20]), uint8_t(0x6F));

    QVERIFY(LinkFrame::DataBlock(image, 0x3FF8, 16).isEmpty()); // past the end of the memory
}

void TestLinkFrames::readRequest()
{
    QCOMPARE(LinkFrame::ReadRequest(0x0000, 16), QByteArray::fromHex("52000010"));
    QCOMPARE(LinkFrame::ReadRequest(0x3FF0, 16), QByteArray::fromHex("523FF010"));
}

void TestLinkFrames::progressRounding_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("percent");
    QTest::newRow("first block") << 0 << 0x3FFF << 0;
    QTest::newRow("last read block") << 0x3FF0 << 0x3FFF << 100;
    QTest::newRow("last write block") << 0x3F30 << 0x3F3F << 100;
    QTest::newRow("half rounds to even down") << 1 << 200 << 0; // 0.5
    QTest::newRow("half rounds to even up") << 3 << 200 << 2;   // 1.5
    QTest::newRow("above half") << 0x0090 << 0x3FFF << 1;       // 0.879
}

void TestLinkFrames::progressRounding()
{
    QFETCH(int, address);
    QFETCH(int, end);
    QFETCH(int, percent);
    QCOMPARE(LinkFrame::ProgressPercent(address, end), percent);
}

QTEST_GUILESS_MAIN(TestLinkFrames)
#include "tst_LinkFrames.moc"
