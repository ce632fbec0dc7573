#include "link/LinkTexts.h"

#include "i18n/Texts.h"

QString LinkText(LinkMsg key, int language)
{
    const bool chinese = language == kChinese;
    switch (key) {
    case LinkMsg::PortLost:
        return chinese ? QString::fromUtf8("通信端口已断开，操作未完成。")
                       : QStringLiteral("The communication port was lost. The operation was not completed.");
    case LinkMsg::LaunchFailed:
        return chinese ? QString::fromUtf8("无法启动对应版本的写频软件。")
                       : QStringLiteral("The corresponding software version could not be started.");
    }
    return {};
}

QString OpenFailureText(const LinkOpenResult& result, int language)
{
    QString text = Text(Msg::CannotOpenPort, language);
    if (result.failure != LinkOpenFailure::Permission)
        return text;
    const QString group = result.deviceGroup.isEmpty() ? QStringLiteral("dialout") : result.deviceGroup;
    text += QStringLiteral("\r\n");
    if (language == kChinese)
        text += QString::fromUtf8("请将当前用户加入用户组“%1”（sudo usermod -aG %1 $USER），然后重新登录。").arg(group);
    else
        text += QStringLiteral("Add your user to the group '%1' (sudo usermod -aG %1 $USER) and log in again.").arg(group);
    return text;
}
