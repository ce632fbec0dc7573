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

// Order follows the enums.
constexpr std::array<Pair, 18> kMessages{{
    {"All data will be cleared.", "所有数据将被清空。"},
    {"file error.", "文件错误。"},
    {"Cannot Open Communication Port.", "无法打开通信端口。"},
    {"Read data from radio.\r\nDo you wish continue?", "从对讲机读取数据。\r\n是否继续？"},
    {"Write data to radio.\r\nDo you wish continue?", "向对讲机写入数据。\r\n是否继续？"},
    {"File has been modify,save it now?", "当前文件已被修改，是否现在保存？"},
    {"file will be Overwrite,Continue?", "文件将被覆盖，是否继续？"},
    {"Check Connection. Retry or Cancel?", "检测连接。重试或取消？"},
    {"Read Data Completed.", "读取数据完成。"},
    {"Write Data Completed.", "写入数据完成。"},
    {"Model type is wrong.", "机型类型错误。"},
    {"Frequency is out of range.", "频率超出范围。"},
    {"Firmware version is", "固件版本为"},
    {"programming software is", "写频软件版本为"},
    {"DataFile version is", "数据文件版本为"},
    {"incompatible version. It may cause unknown error.To start the corresponding software version, or not?",
     "版本不兼容，有可能引起未知错误，是否启动对应版本软件？"},
    {"Fail to start the software. This version does not exist.", "未能启动，不存在此版本软件！"},
    {"Unknown version Of DataFile!", "未能识别的数据版本!"},
}};

constexpr std::array<Pair, 10> kCaptions{{
    {"Data File", "数据文件"},
    {"File Name", "文件名"},
    {"&OK", "确定(&O)"},
    {"&Cancel", "取消(&C)"},
    {"&Close", "关闭(&C)"},
    {"&Help", "帮助(&H)"},
    {"Communication Port", "通信端口"},
    {"COM", "通信口"},
    {"Language Setup", "语言设置"},
    {"Language Mode", "语言模式"},
}};

constexpr std::array<Pair, 27> kMenus{{
    {"&File", "文件&F"},
    {"&New", "新建(&N)"},
    {"&Open", "打开(&O)"},
    {"&Save", "保存(&S)"},
    {"Save &As", "另存为(&A)"},
    {"E&xit", "退出(&X)"},
    {"&Edit", "编辑(&E)"},
    {"&Channel Information", "信道信息(&C)"},
    {"&Option Features", "可选功能(&O)"},
    {"&Roger Beep", "RB音(&R)"},
    {"&DTMF", "DTMF(双音多频)(&D)"},
    {"&Program", "编程(&P)"},
    {"&Read from Radio", "从对讲机读取数据(&R)"},
    {"&Write to Radio", "向对讲机写入数据(&W)"},
    {"&Setup", "设置(&S)"},
    {"&Communication Port", "通讯端口(&C)"},
    {"&Language Setup", "语言设置(&L)"},
    {"&View", "视图(&V)"},
    {"Tree &View", "树视图(&V)"},
    {"&Toolbar", "工具栏(&T)"},
    {"&Status Bar", "状态栏(&S)"},
    {"&Window", "窗口(&W)"},
    {"&Cascade", "层叠(&C)"},
    {"Close All &Windows", "关闭所有窗口(&W)"},
    {"&Help", "帮助(&H)"},
    {"&About TRK5120", "关于 TRK5120(&A)"},
    {"&Initial Setting", "初始化设置(&I)"},
}};

} // namespace

QString Text(Msg key, int language) { return pick(kMessages[static_cast<std::size_t>(key)], language); }
QString Text(Cap key, int language) { return pick(kCaptions[static_cast<std::size_t>(key)], language); }
QString Text(Menu key, int language) { return pick(kMenus[static_cast<std::size_t>(key)], language); }

QStringList LanguageNames(int language)
{
    if (language == kChinese)
        return {QString::fromUtf8("英语"), QString::fromUtf8("中文")};
    return {QStringLiteral("English"), QStringLiteral("Chinese")};
}

QString CompletedText(int linkOperation, int language)
{
    return Text(linkOperation == 2 ? Msg::WriteCompleted : Msg::ReadCompleted, language);
}
