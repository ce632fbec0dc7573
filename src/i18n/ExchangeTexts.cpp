#include "i18n/ExchangeTexts.h"

#include "i18n/Texts.h"

#include <array>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

// Order follows the enum.
constexpr std::array<Pair, 27> kExchangeTexts{{
    {"Export Channels...", "导出信道..."},
    {"Import Channels...", "导入信道..."},
    {"Channel list", "信道表"},
    {"Work Mode", "工作模式"},
    {"Group", "组"},
    {"import of %1", "导入 %1"},
    {"The channels were not imported:", "信道未导入："},
    {"line %1, column %2 (%3): %4", "第%1行，第%2列（%3）：%4"},
    {"line %1, column %2: %3", "第%1行，第%2列：%3"},
    {"line %1: %2", "第%1行：%2"},
    {"the file has no header line", "文件没有标题行"},
    {"the file names no channels", "文件中没有信道"},
    {"the column \"%1\" is missing", "缺少\"%1\"列"},
    {"unknown column", "未知的列"},
    {"the column appears twice", "该列出现了两次"},
    {"a quoted cell is not closed", "引号内的单元格没有结束"},
    {"more cells than the header names", "单元格多于标题"},
    {"\"%1\" is not a work mode (CB or HF)", "\"%1\"不是工作模式（CB或HF）"},
    {"\"%1\" is not a group of %2", "\"%1\"不是%2的组"},
    {"\"%1\" is not a channel name (1..40, M1..M6)", "\"%1\"不是信道名称（1..40，M1..M6）"},
    {"the memory view holds only M1..M6", "MEM只包含M1..M6"},
    {"channel %1 is given twice in this group (first in line %2)", "信道%1在该组中出现两次（首次在第%2行）"},
    {"\"%1\" is not a frequency", "\"%1\"不是频率"},
    {"%1 is outside the band %2", "%1超出频段%2"},
    {"\"%1\" is not one of: %2", "\"%1\"不在以下选项中：%2"},
    {"group %1 of %2 would hold no numbered channel", "%2的%1组将没有编号信道"},
    {"... and %1 more", "……另有%1处"},
}};
static_assert(kExchangeTexts.size() == static_cast<std::size_t>(ExchangeText::Count_));

} // namespace

QString Text(ExchangeText key, int language)
{
    const Pair& p = kExchangeTexts[static_cast<std::size_t>(key)];
    return language == kChinese ? QString::fromUtf8(p.chinese) : QString::fromUtf8(p.english);
}
