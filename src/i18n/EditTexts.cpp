#include "i18n/EditTexts.h"

#include "i18n/Texts.h"

#include <array>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

// Order follows the enum.
constexpr std::array<Pair, static_cast<std::size_t>(EditText::Count_)> kEditTexts{{
    {"&Undo", "撤销(&U)"},
    {"&Redo", "重做(&R)"},
    {"&Undo %1", "撤销 %1(&U)"},
    {"&Redo %1", "重做 %1(&R)"},
    {"frequency of %1", "%1 的频率"},
    {"%1 of %2", "%2 的 %1"},
    {"work mode", "工作模式"},
    {"Work Group of %1", "%1 的工作组"},
    {"DTMF %1", "DTMF %1"},
    {"roger beep %1 step %2", "RB音 %1 第 %2 个音"},
    {"%1 of roger beep %2", "RB音 %2 的 %1"},
}};

} // namespace

QString Text(EditText key, int language)
{
    const auto index = static_cast<std::size_t>(key);
    if (index >= kEditTexts.size())
        return {};
    const Pair& p = kEditTexts[index];
    return QString::fromUtf8(language == kChinese ? p.chinese : p.english);
}

QString StepName(EditText key, int language, const QString& first, const QString& second)
{
    QString text = Text(key, language);
    // Replaced in one pass, so a name that itself holds "%2" stays as it is.
    text.replace(QStringLiteral("%1"), QStringLiteral("\x01"));
    text.replace(QStringLiteral("%2"), second);
    text.replace(QStringLiteral("\x01"), first);
    return text;
}

QString WorkModeText(int mode)
{
    return mode == 1 ? QStringLiteral("HF") : QStringLiteral("CB");
}

QString GroupPlaceText(int mode, const QString& groupLetter)
{
    return WorkModeText(mode) + QLatin1Char(' ') + groupLetter;
}

QString ChannelPlaceText(int mode, const QString& groupLetter, const QString& channelName)
{
    return GroupPlaceText(mode, groupLetter) + QLatin1Char(' ') + channelName;
}
