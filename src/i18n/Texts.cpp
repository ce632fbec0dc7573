#include "i18n/Texts.h"

#include <QRegularExpression>

#include <cstddef>
#include <iterator>

namespace {

template <typename Key> struct Entry {
    Key key;
    const char* english;
    const char* chinese;
};

// A table is complete when it has one entry per key, in the order of its enum, each
// with both texts; a missing or misplaced row stops the build instead of showing the
// wrong text.
template <typename Key, std::size_t N> constexpr bool IsCompleteTable(const Entry<Key> (&table)[N])
{
    if (N != static_cast<std::size_t>(Key::Count))
        return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(table[i].key) != i || !table[i].english || !table[i].chinese ||
            !*table[i].english || !*table[i].chinese)
            return false;
    }
    return true;
}

template <typename Key, std::size_t N> QString Pick(const Entry<Key> (&table)[N], Key key, int language)
{
    const auto index = static_cast<std::size_t>(key);
    if (index >= N)
        return {};
    const Entry<Key>& e = table[index];
    return QString::fromUtf8(language == kChinese ? e.chinese : e.english);
}

constexpr Entry<Msg> kMessages[] = {
    {Msg::AllDataCleared, "All data will be cleared.", "所有数据将被清空。"},
    {Msg::FileError, "file error.", "文件错误。"},
    {Msg::CannotOpenPort, "Cannot Open Communication Port.", "无法打开通信端口。"},
    {Msg::ReadConfirm, "Read data from radio.\r\nDo you wish continue?", "从对讲机读取数据。\r\n是否继续？"},
    {Msg::WriteConfirm, "Write data to radio.\r\nDo you wish continue?", "向对讲机写入数据。\r\n是否继续？"},
    {Msg::FileModified, "File has been modify,save it now?", "当前文件已被修改，是否现在保存？"},
    {Msg::FileOverwrite, "file will be Overwrite,Continue?", "文件将被覆盖，是否继续？"},
    {Msg::CheckConnection, "Check Connection. Retry or Cancel?", "检测连接。重试或取消？"},
    {Msg::ReadCompleted, "Read Data Completed.", "读取数据完成。"},
    {Msg::WriteCompleted, "Write Data Completed.", "写入数据完成。"},
    {Msg::ModelWrong, "Model type is wrong.", "机型类型错误。"},
    {Msg::FreqOutOfRange, "Frequency is out of range.", "频率超出范围。"},
    {Msg::FirmwareVersionIs, "Firmware version is", "固件版本为"},
    {Msg::SoftwareIs, "programming software is", "写频软件版本为"},
    {Msg::DataFileVersionIs, "DataFile version is", "数据文件版本为"},
    {Msg::Incompatible,
     "incompatible version. It may cause unknown error.To start the corresponding software version, or not?",
     "版本不兼容，有可能引起未知错误，是否启动对应版本软件？"},
    {Msg::FailToStart, "Fail to start the software. This version does not exist.", "未能启动，不存在此版本软件！"},
    {Msg::UnknownDataVersion, "Unknown version Of DataFile!", "未能识别的数据版本!"},
};
static_assert(IsCompleteTable(kMessages));

constexpr Entry<Cap> kCaptions[] = {
    {Cap::DataFile, "Data File", "数据文件"},
    {Cap::FileName, "File Name", "文件名"},
    {Cap::Ok, "&OK", "确定(&O)"},
    {Cap::Cancel, "&Cancel", "取消(&C)"},
    {Cap::Close, "&Close", "关闭(&C)"},
    {Cap::Help, "&Help", "帮助(&H)"},
    {Cap::CommPort, "Communication Port", "通信端口"},
    {Cap::Com, "COM", "通信口"},
    {Cap::LanguageSetup, "Language Setup", "语言设置"},
    {Cap::LanguageMode, "Language Mode", "语言模式"},
    {Cap::Yes, "&Yes", "是(&Y)"},
    {Cap::No, "&No", "否(&N)"},
    {Cap::Retry, "&Retry", "重试(&R)"},
};
static_assert(IsCompleteTable(kCaptions));

constexpr Entry<Menu> kMenus[] = {
    {Menu::File, "&File", "文件&F"},
    {Menu::FileNew, "&New", "新建(&N)"},
    {Menu::FileOpen, "&Open", "打开(&O)"},
    {Menu::FileSave, "&Save", "保存(&S)"},
    {Menu::FileSaveAs, "Save &As", "另存为(&A)"},
    {Menu::FileExit, "E&xit", "退出(&X)"},
    {Menu::Edit, "&Edit", "编辑(&E)"},
    {Menu::ChannelInfo, "&Channel Information", "信道信息(&C)"},
    {Menu::OptFeature, "&Option Features", "可选功能(&O)"},
    {Menu::ToneTips, "&Roger Beep", "RB音(&R)"},
    {Menu::DTMF, "&DTMF", "DTMF(双音多频)(&D)"},
    {Menu::Program, "&Program", "编程(&P)"},
    {Menu::ReadFromRadio, "&Read from Radio", "从对讲机读取数据(&R)"},
    {Menu::WriteToRadio, "&Write to Radio", "向对讲机写入数据(&W)"},
    {Menu::Set, "&Setup", "设置(&S)"},
    {Menu::Comm, "&Communication Port", "通讯端口(&C)"},
    {Menu::Language, "&Language Setup", "语言设置(&L)"},
    {Menu::View, "&View", "视图(&V)"},
    {Menu::TreeView, "Tree &View", "树视图(&V)"},
    {Menu::ViewToolbar, "&Toolbar", "工具栏(&T)"},
    {Menu::ViewStatusBar, "&Status Bar", "状态栏(&S)"},
    {Menu::Window, "&Window", "窗口(&W)"},
    {Menu::WindowCascade, "&Cascade", "层叠(&C)"},
    {Menu::CloseAll, "Close All &Windows", "关闭所有窗口(&W)"},
    {Menu::Help, "&Help", "帮助(&H)"},
    {Menu::HelpAbout, "&About TRK5120", "关于 TRK5120(&A)"},
    {Menu::Initial, "&Initial Setting", "初始化设置(&I)"},
};
static_assert(IsCompleteTable(kMenus));

constexpr Entry<WindowText> kWindowTexts[] = {
    {WindowText::ProgramTitle, "TRK5120", "TRK5120"},
    {WindowText::BackgroundModel, "MH5120", "MH5120"},
    {WindowText::BackgroundSubtitle, "CB/HF transceiver programming", "CB/HF 对讲机写频软件"},
    {WindowText::AboutCaption, "About TRK5120", "关于 TRK5120"},
    {WindowText::AboutVersion, "Version ", "Version "},
    {WindowText::AboutDescription, "Programming software for the MH5120", "MH5120 写频软件"},
    {WindowText::ReadProgressCaption, "Read data from radio", "从对讲机读取数据"},
    {WindowText::WriteProgressCaption, "Write data to radio", "向对讲机写入数据"},
    {WindowText::CompletionPercentage, "Completion percentage:", "完成百分比："},
};
static_assert(IsCompleteTable(kWindowTexts));

// Entry k holds the name of language k + 1 in both languages.
constexpr const char* kLanguageNames[][2] = {
    {"English", "英语"},
    {"Chinese", "中文"},
};
static_assert(std::size(kLanguageNames) == kChinese, "one name per language");

} // namespace

QString Text(Msg key, int language)
{
    return Pick(kMessages, key, language);
}
QString Text(Cap key, int language)
{
    return Pick(kCaptions, key, language);
}
QString Text(Menu key, int language)
{
    return Pick(kMenus, key, language);
}
QString Text(WindowText key, int language)
{
    return Pick(kWindowTexts, key, language);
}

QStringList LanguageNames(int language)
{
    const int column = language == kChinese ? 1 : 0;
    QStringList names;
    for (const auto& name : kLanguageNames)
        names << QString::fromUtf8(name[column]);
    return names;
}

QString CompletedText(int linkOperation, int language)
{
    return Text(linkOperation == 2 ? Msg::WriteCompleted : Msg::ReadCompleted, language);
}

QString WithoutAccessKey(QString caption)
{
    // Chinese captions carry the key as a trailing "(&N)": it goes as a whole, since a
    // bare "(N)" would mean nothing once the key is gone.
    static const QRegularExpression kBracketedKey(QStringLiteral("\\(&[^)]\\)"));
    caption.remove(kBracketedKey);
    return caption.remove(QLatin1Char('&'));
}
