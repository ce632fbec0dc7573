#include "i18n/DiffTexts.h"

#include "i18n/Texts.h"

#include <array>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

// Order follows the enum.
constexpr std::array<Pair, 32> kDiffTexts{{
    {"CB", "CB"},
    {"HF", "HF"},
    {"(none)", "(无)"},
    {"(empty)", "(空)"},
    {"Work mode", "工作模式"},
    {"frequency", "频率"},
    {"in use", "使用中"},
    {"encode tone", "编码亚音"},
    {"name", "组名"},
    {"Work CHX", "工作信道"},
    {"MEM CHX", "存储信道"},
    {"%1 Enable", "%1 Enable"},
    {"%1s", "%1s"},
    {"Work mode valid", "有效工作模式"},
    {"Option work mode", "选项工作模式"},
    {"VOX", "VOX"},
    {"Channel mode", "信道模式"},
    {"MEM menu", "MEM菜单"},
    {"Menu page", "菜单页"},
    {"Rtix", "Rtix"},
    {"Ttix", "Ttix"},
    {"DTMF %1", "DTMF %1"},
    {"Roger beep %1", "RB音%1"},
    {"Roger beep %1 step %2", "RB音%1 第%2个音"},
    {"Model name", "机型名称"},
    {"Model short name", "机型简称"},
    {"Model code", "机型代码"},
    {"Model kind", "机型种类"},
    {"Model band", "机型频段"},
    {"Band code", "频段代码"},
    {"Create date", "创建日期"},
    {"Software version", "软件版本"},
}};
static_assert(kDiffTexts.size() == static_cast<std::size_t>(DiffText::Count_));

} // namespace

QString Text(DiffText key, int language)
{
    const Pair& p = kDiffTexts[static_cast<std::size_t>(key)];
    return language == kChinese ? QString::fromUtf8(p.chinese) : QString::fromUtf8(p.english);
}
