#pragma once
// Animated pictures: a picture object with frames (each another picture with its
// delay) steps through them on a timer, once, a number of times, or endlessly.
#include "platform/editor/model/editor.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>

namespace ks::editor::view {

class Animator : public QObject {
public:
    // step is called whenever a picture shows a new frame.
    explicit Animator(std::function<void()> step);

    // Starts the animations of objects that have frames and are not running yet.
    void update(Editor& e);
    // The object whose picture shows for id now (id itself when it is not animated).
    int frameOf(int id) const;
    void stop() { timer_.stop(); running_.clear(); }

private:
    struct Running {
        std::size_t frame = 0;   // 0 the object itself, k its frames[k - 1]
        int loopsDone = 0;
        qint64 due = 0;          // ms on the clock
        int shown = 0;           // object id shown
        bool finished = false;
    };
    void tick();
    void schedule();
    qint64 delayOf(const ObjectData& o, std::size_t frame) const;

    Editor* editor_ = nullptr;
    std::map<int, Running> running_;
    std::function<void()> step_;
    QTimer timer_;
};

}
