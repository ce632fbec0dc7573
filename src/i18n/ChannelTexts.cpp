#include "i18n/ChannelTexts.h"

#include "i18n/Texts.h"

#include <array>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

// Order follows the enum.
constexpr std::array<Pair, 33> kChannelTexts{{
    {"Channel Information", "信道信息"},
    {"Select CB/HF", "模式选择"},
    {"CB -- 25.6150 - 30.1050 MHz", "CB -- 25.6150 - 30.1050 MHz"},
    {"HF -- 28.0000 - 29.6990 MHz", "HF -- 28.0000 - 29.6990 MHz"},
    {"Band", "组"},
    {"Work Group", "工作组"},
    {"CH No.", "信道"},
    {"Frequency", "频率"},
    {"More Information -- CH ", "More Information -- CH "},
    {"TSQ", "TSQ"},
    {"HI-CUT", "HI-CUT"},
    {"NB/ANL", "NB/ANL"},
    {"ECHO", "ECHO"},
    {"+10KHz", "+10KHz"},
    {"BUSY", "BUSY"},
    {"REP", "REP"},
    {"Public", "Public"},
    {"Scan", "扫描"},
    {"Roger", "Roger"},
    {"Mode", "Mode"},
    {"BOT", "BOT"},
    {"EOT", "EOT"},
    {"Call", "Call"},
    {"OFF", "关"},
    {"ON", "开"},
    {"Del", "删除"},
    {"Add", "添加"},
    {"+", "+"},
    {"-", "-"},
    {"EMG CHX", "紧急信道"},
    {"DW CHX", "DW信道"},
    {"Group Valid", "组有效"},
    {"Not IsNumeric", "Not IsNumeric"},
}};
static_assert(kChannelTexts.size() == static_cast<std::size_t>(ChannelText::Count_));

constexpr std::array<const char*, 14> kFaultTexts{{
    "frmCommChInfo_InitShowGridError",
    "frmCommChInfo_ChangShowByLanguage",
    "ShowChIfoData",
    "ShowChIfoDataOther",
    "frmCommChInfo_SetGridData",
    "frmCommChInfo_reShowGrid",
    "frmCommChInfo_MSFlexGrid1_EnterCell",
    "frmCommChInfo_SaveShowGridData",
    "frmCommChInfo_EnterGridEdit",
    "frmCommChInfo_Form_Load",
    "frmCommChInfo_Form_Unload",
    "frmCommChInfo_GridNextLine",
    "rmCommChInfo_GridNextCol",
    "FrmCommChInfo_Text1_KeyPress_Error",
}};
static_assert(kFaultTexts.size() == static_cast<std::size_t>(ChannelFault::Count_));

} // namespace

QString Text(ChannelText key, int language)
{
    const Pair& p = kChannelTexts[static_cast<std::size_t>(key)];
    return language == kChinese ? QString::fromUtf8(p.chinese) : QString::fromUtf8(p.english);
}

QString FaultText(ChannelFault key)
{
    return QString::fromLatin1(kFaultTexts[static_cast<std::size_t>(key)]);
}
