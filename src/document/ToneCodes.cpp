#include "document/ToneCodes.h"

#include <array>

namespace {

// QT tones in tenths of a hertz, so the texts come out exact without any
// floating-point formatting.
constexpr std::array<int, kQtToneCount> kQtTenthsHz{
    670,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,
    1318, 1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799, 1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503,
};

// DQT codes as their octal digits.
constexpr std::array<const char*, kDqtCodeCount> kDqtCodes{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

QString threeDigits(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

} // namespace

QString ToneCodeText(int index)
{
    if (index >= 1 && index <= kQtToneCount) {
        const int tenths = kQtTenthsHz[static_cast<std::size_t>(index - 1)];
        return QStringLiteral("C_%1(%2.%3Hz)").arg(threeDigits(index)).arg(tenths / 10).arg(tenths % 10);
    }
    if (index > kQtToneCount && index < kToneCodeCount) {
        const int number = index - kQtToneCount;
        return QStringLiteral("D_%1(%2N)")
            .arg(threeDigits(number), QLatin1String(kDqtCodes[static_cast<std::size_t>(number - 1)]));
    }
    return QStringLiteral("Off");
}

QStringList ToneCodeList()
{
    QStringList list;
    list.reserve(kToneCodeCount);
    for (int i = 0; i < kToneCodeCount; ++i)
        list.append(ToneCodeText(i));
    return list;
}
