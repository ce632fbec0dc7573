#include "i18n/SafeguardTexts.h"

#include "i18n/Texts.h"

#include <iterator>

namespace {

struct SafeguardEntry {
    const char* english;
    const char* chinese;
};

// In the order of SafeguardMsg.
constexpr SafeguardEntry kSafeguardTexts[] = {
    {"The data was read from the radio, but its backup could not be written to %1.",
     "已从电台读取数据，但无法将备份写入 %1。"},
    {"Backup of the radio's data: %1", "电台数据的备份：%1"},
    {"Verified: the radio holds exactly what was written.", "校验通过：电台中的数据与写入的数据一致。"},
    {"Verify failed: %1 byte(s) in the radio differ from what was written, first at %2.",
     "校验失败：电台中有 %1 个字节与写入的数据不同，最先的地址为 %2。"},
    {"Verify failed: the written data could not be read back from the radio.",
     "校验失败：无法从电台读回已写入的数据。"},
    {"Verify after &Write", "写入后校验(&W)"},
};
static_assert(std::size(kSafeguardTexts) == size_t(SafeguardMsg::Count), "one entry for every SafeguardMsg");

} // namespace

QString SafeguardText(SafeguardMsg key, int language)
{
    const auto index = size_t(key);
    if (index >= std::size(kSafeguardTexts))
        return {};
    const SafeguardEntry& entry = kSafeguardTexts[index];
    return QString::fromUtf8(language == kChinese ? entry.chinese : entry.english);
}
