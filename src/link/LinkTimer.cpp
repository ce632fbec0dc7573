#include "link/LinkTimer.h"

QtLinkTimer::QtLinkTimer(QObject* parent) : LinkTimer(parent)
{
    setObjectName(QStringLiteral("WaitTimer"));
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kWaitTimerInterval);
    connect(&timer_, &QTimer::timeout, this, &LinkTimer::timeout);
}
