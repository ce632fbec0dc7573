#include "i18n/DiffTexts.h"

#include "i18n/Texts.h"

#include <array>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

// Order follows the enum. Captions the windows show are written as the windows show them.
constexpr std::array<Pair, 103> kDiffTexts{{
    {"CB", "CB"},
    {"HF", "HF"},
    {"(none)", "(无)"},
    {"(empty)", "(空)"},
    {"Work mode", "工作模式"},
    {"Work Group", "工作组"},
    {"frequency", "频率"},
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
    {"in use", "使用中"},
    {"encode tone", "编码亚音"},
    {"OFF", "关"},
    {"ON", "开"},
    {"Del", "删除"},
    {"Add", "添加"},
    {"name", "组名"},
    {"Group Valid", "组有效"},
    {"EMG CHX", "紧急信道"},
    {"DW CHX", "DW信道"},
    {"Work CHX", "工作信道"},
    {"MEM CHX", "存储信道"},
    {"TOT", "TOT"},
    {"INDIC", "发射时LCD显示"},
    {"MIC", "MIC"},
    {"ASQ Level", "ASQ等级"},
    {"NOG", "NOG"},
    {"Color", "背光灯颜色"},
    {"SCM", "SCM"},
    {"Fin", "Fin"},
    {"Freq_CH", "Freq_CH"},
    {"Tx Offset", "Tx Offset"},
    {"MHz", "MHz"},
    {"FM/AM RSSI", "FM/AM RSSI"},
    {"USB/LSB RSSI", "USB/LSB RSSI"},
    {"Beep", "提示音"},
    {"SWR Protect", "驻波保护"},
    {"Max", "Max"},
    {"Battery Voltage Protect", "电池电压保护"},
    {"Min[V]", "Min[V]"},
    {"Max[V]", "Max[V]"},
    {"Public", "公共信道设置"},
    {"CALL", "CALL"},
    {"%1 Enable", "%1 Enable"},
    {"Off", "关"},
    {"%1s", "%1s"},
    {"Tx Frequency Display", "发射频率显示"},
    {"SWR LCD Display", "SWR驻波LCD显示"},
    {"TOT Remain Time Display", "TOT剩余时间显示"},
    {"Battery Voltage Display", "电池电压显示"},
    {"White", "白"},
    {"Blue", "蓝"},
    {"Green", "绿"},
    {"Red", "红"},
    {"Yellow", "黄"},
    {"Purple", "紫"},
    {"Cyan", "青"},
    {"Squelch Scan", "静噪扫描"},
    {"Time Scan", "时间扫描"},
    {"Channel", "Channel"},
    {"Frequency", "Frequency"},
    {"Work mode valid", "有效工作模式"},
    {"Option work mode", "选项工作模式"},
    {"VOX", "VOX"},
    {"Channel mode", "信道模式"},
    {"MEM menu", "MEM菜单"},
    {"Menu page", "菜单页"},
    {"Rtix", "Rtix"},
    {"Ttix", "Ttix"},
    {"DTMF %1", "DTMF %1"},
    {"DTMF Send Time[ms]", "DTMF 发送时间[毫秒]"},
    {"First Digit Time[ms]", "首位数码时间[毫秒]"},
    {"First Digit Delay[ms]", "首位数码延迟[毫秒]"},
    {"* and # Tone[ms]", "*和#音[毫秒]"},
    {"D Code Assignment", "D键设定"},
    {"D Code", "D 码"},
    {"%1s", "%1秒"},
    {"DTMF DISP", "DTMF 显示"},
    {"Roger beep %1", "RB音%1"},
    {"Roger beep %1 step %2", "RB音%1 第%2个音"},
    {"Recycle Times", "循环次数"},
    {"Inter Time[ms]", "间隔时间[ms]"},
    {"None", "无"},
    {"Off", "关"},
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
