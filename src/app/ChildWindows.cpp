#include "app/ChildWindows.h"

QString ChildWindowName(ChildKind kind)
{
    switch (kind) {
    case ChildKind::ChannelInfo:
        return QStringLiteral("frmCommChInfo");
    case ChildKind::OptFeatures:
        return QStringLiteral("FrmOptFeatures");
    case ChildKind::ToneTips:
        return QStringLiteral("FrmToneTips");
    case ChildKind::DTMF:
        return QStringLiteral("FrmDTMF");
    }
    return QString();
}
