#pragma once
// A window timer: an interval in milliseconds, an enabled flag, and a handler.
// Enabling (again) restarts the interval, as the programs expect.
#include <QTimer>
#include <functional>

namespace ks {

class Timer {
public:
    explicit Timer(std::function<void()> handler = {}, int intervalMs = 0);

    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // Milliseconds to the next tick; -1 while stopped.
    int remainingMs() const { return timer_.remainingTime(); }

private:
    void restart();

    QTimer timer_;
    std::function<void()> handler_;
    int interval_ = 0;
    bool enabled_ = false;
};

}
