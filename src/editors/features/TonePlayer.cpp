#include "editors/features/TonePlayer.h"

#include <QTimer>

SilentTonePlayer::SilentTonePlayer(QObject* parent) : TonePlayer(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &SilentTonePlayer::pull);
}

void SilentTonePlayer::start(NextEvent next)
{
    next_ = std::move(next);
    // The first event is pulled from the event loop, so start never calls back into its caller.
    timer_->start(0);
}

void SilentTonePlayer::abort()
{
    timer_->stop();
    next_ = nullptr;
}

void SilentTonePlayer::pull()
{
    if (!next_)
        return;
    const ToneEvent event = next_();
    if (event.kind == ToneEvent::Kind::Finished) {
        next_ = nullptr;
        emit finished();
        return;
    }
    timer_->start(std::max(0, event.durationMs));
}
