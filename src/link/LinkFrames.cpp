#include "link/LinkFrames.h"

namespace LinkFrame {

uint8_t Checksum(int address, int length, const uint8_t* data)
{
    unsigned sum = unsigned((address >> 8) & 0xFF) + unsigned(address & 0xFF) + unsigned(length & 0xFF);
    for (int i = 0; i < length; ++i)
        sum += data[i];
    return uint8_t(sum & 0xFF);
}

QByteArray ReadRequest(int address, int length)
{
    QByteArray frame(4, '\0');
    frame[0] = char(kReadRequest);
    frame[1] = char((address >> 8) & 0xFF);
    frame[2] = char(address & 0xFF);
    frame[3] = char(length & 0xFF);
    return frame;
}

QByteArray DataBlock(int address, const QByteArray& data)
{
    const int length = int(data.size());
    QByteArray frame;
    frame.reserve(length + kBlockOverhead);
    frame.append(char(kDataBlock));
    frame.append(char((address >> 8) & 0xFF));
    frame.append(char(address & 0xFF));
    frame.append(char(length & 0xFF));
    frame.append(data);
    frame.append(char(Checksum(address, length, reinterpret_cast<const uint8_t*>(data.constData()))));
    frame.append(char(kAck));
    return frame;
}

QByteArray DataBlock(const MemoryImage& image, int address, int length)
{
    if (address < 0 || length < 0 || length > 0xFF || address + length > kImageSize)
        return {};
    return DataBlock(address, QByteArray(reinterpret_cast<const char*>(image.data() + address), length));
}

int ProgressPercent(int address, int transferEnd)
{
    if (transferEnd <= 0 || address <= 0)
        return 0;
    // Integer arithmetic so that exact halves are recognised as such.
    const long long numerator = static_cast<long long>(address) * 100;
    long long quotient = numerator / transferEnd;
    const long long twiceRest = (numerator % transferEnd) * 2;
    if (twiceRest > transferEnd || (twiceRest == transferEnd && quotient % 2 != 0))
        ++quotient;
    return int(quotient);
}

QString ModelText(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace LinkFrame
