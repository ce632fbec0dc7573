#include "i18n/FeatureTexts.h"

#include "i18n/Texts.h"

#include <array>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

QString pick(const Pair& p, int language)
{
    return language == kChinese ? QString::fromUtf8(p.chinese) : QString::fromUtf8(p.english);
}

// Order follows FeatureText.
constexpr std::array<Pair, static_cast<std::size_t>(FeatureText::Count_)> kTexts{{
    {"Optional Features", "可选功能"},
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
    {"BOT", "BOT"},
    {"EOT", "EOT"},
    {"CALL", "CALL"},
    {"HI-CUT", "HI-CUT"},
    {"NB/ANL", "NB/ANL"},
    {"ECHO", "ECHO"},
    {"+10KHz", "+10KHz"},
    {"Roger", "Roger"},
    {"Mode", "Mode"},
    {"Mode Enable", "Mode Enable"},
    {"FM Enable", "FM Enable"},
    {"AM Enable", "AM Enable"},
    {"USB Enable", "USB Enable"},
    {"LSB Enable", "LSB Enable"},
    {"PA Enable", "PA Enable"},
    {"Off", "关"},
    {"OFF", "关"},
    {"ON", "开"},
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
    {"DTMF", "DTMF(双音多频)"},
    {"Encode", "编码"},
    {"Decode", "解码"},
    {"Autodial Memory", "自动拨号存储器"},
    {"DTMF Send Time[ms]", "DTMF 发送时间[毫秒]"},
    {"First Digit Time[ms]", "首位数码时间[毫秒]"},
    {"First Digit Delay[ms]", "首位数码延迟[毫秒]"},
    {"* and # Tone[ms]", "*和#音[毫秒]"},
    {"D Code Assignment", "D键设定"},
    {"DTMF DISP", "DTMF 显示"},
    {"D Code", "D 码"},
    {"s", "秒"},
    {"No.", "编号"},
    {"No sound device was found: the tones are played silently.", "未找到声音设备：提示音将静音播放。"},
}};

struct NumberedCaption {
    int id;
    Pair text;
};

constexpr std::array<NumberedCaption, 26> kRogerBeepCaptions{{
    {10221, {"&Roger Beep", "RB音(&R)"}},
    {12014, {"Roger Beep", "RB音"}},
    {29000, {"Roger Beep", "RB音"}},
    {29001, {"RB Tone", "RB音"}},
    {29002, {"Recycle Times", "循环次数"}},
    {29003, {"Inter Time[ms]", "间隔时间[ms]"}},
    {29004, {"Frequency[Hz]", "频率[Hz]"}},
    {29005, {"Tone Long[ms]", "音长[ms]"}},
    {29006, {"&Play", "播放(&P)"}},
    {29007, {"&Stop", "停止(&S)"}},
    {29100, {"First Tone", "第一个音"}},
    {29101, {"Second Tone", "第二个音"}},
    {29102, {"Third Tone", "第三个音"}},
    {29103, {"Fourth Tone", "第四个音"}},
    {29104, {"Fifth Tone", "第五个音"}},
    {29105, {"Sixth Tone", "第六个音"}},
    {29106, {"Seventh Tone", "第七个音"}},
    {29107, {"Eighth Tone", "第八个音"}},
    {29108, {"Ninth Tone", "第九个音"}},
    {29109, {"Tenth Tone", "第十个音"}},
    {29110, {"Eleventh Tone", "第十一个音"}},
    {29111, {"Twelfth Tone", "第十二个音"}},
    {29112, {"Thirteenth Tone", "第十三个音"}},
    {29113, {"Fourteenth Tone", "第十四个音"}},
    {29200, {"Off", "关"}},
    {29201, {"None", "无"}},
}};

} // namespace

QString Text(FeatureText key, int language)
{
    const auto index = static_cast<std::size_t>(key);
    return index < kTexts.size() ? pick(kTexts[index], language) : QString();
}

QString RogerBeepCaption(int id, int language)
{
    for (const NumberedCaption& caption : kRogerBeepCaptions)
        if (caption.id == id)
            return pick(caption.text, language);
    return QString();
}
