#include "platform/runtime/timer.h"

namespace ks {

Timer::Timer(std::function<void()> handler, int intervalMs)
    : handler_(std::move(handler)), interval_(intervalMs)
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_)
            handler_();
    });
}

void Timer::setInterval(int ms)
{
    interval_ = ms;
    restart();
}

void Timer::setEnabled(bool on)
{
    enabled_ = on;
    restart();
}

// An interval of 0 means the timer never fires, whatever its enabled flag.
void Timer::restart()
{
    timer_.stop();
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
}

}
