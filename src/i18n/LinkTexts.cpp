#include "i18n/LinkTexts.h"

#include "i18n/Texts.h"

#include <iterator>

namespace {

struct LinkEntry {
    const char* english;
    const char* chinese;
};

// In the order of LinkMsg.
constexpr LinkEntry kLinkTexts[] = {
    {"The communication port was lost. The operation was not completed.", "通信端口已断开，操作未完成。"},
    {"The corresponding software version could not be started.", "无法启动对应版本的写频软件。"},
    {"Add your user to the group '%1' (sudo usermod -aG %1 $USER) and log in again.",
     "请将当前用户加入用户组“%1”（sudo usermod -aG %1 $USER），然后重新登录。"},
};
static_assert(std::size(kLinkTexts) == size_t(LinkMsg::Count), "one entry for every LinkMsg");

} // namespace

QString LinkText(LinkMsg key, int language)
{
    const auto index = size_t(key);
    if (index >= std::size(kLinkTexts))
        return {};
    const LinkEntry& entry = kLinkTexts[index];
    return QString::fromUtf8(language == kChinese ? entry.chinese : entry.english);
}

QString OpenFailureText(bool permissionRefused, const QString& deviceGroup, int language)
{
    QString text = Text(Msg::CannotOpenPort, language);
    if (!permissionRefused)
        return text;
    const QString group = deviceGroup.isEmpty() ? QStringLiteral("dialout") : deviceGroup;
    return text + QStringLiteral("\r\n") + LinkText(LinkMsg::PermissionHint, language).arg(group);
}
