#include "platform/editor/view/animation.h"

#include <QDateTime>

namespace ks::editor::view {
namespace {

constexpr int kLoopEndlessly = -2;
constexpr qint64 kMinDelayMs = 20;   // a frame delay of 0 would spin the timer

qint64 now() { return QDateTime::currentMSecsSinceEpoch(); }

}

Animator::Animator(std::function<void()> step) : step_(std::move(step))
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

qint64 Animator::delayOf(const ObjectData& o, std::size_t frame) const
{
    int hundredths = frame == 0 ? o.frameDelay : o.frames[frame - 1].delay;
    return std::max<qint64>(kMinDelayMs, hundredths * 10LL);
}

void Animator::update(Editor& e)
{
    editor_ = &e;
    for (int id = 0; id < e.fonts.count(); ++id) {
        const ObjectData* o = e.object(id);
        if (!o || o->frames.empty() || running_.count(id))
            continue;
        running_[id] = {0, 0, now() + delayOf(*o, 0), id, false};
    }
    schedule();
}

int Animator::frameOf(int id) const
{
    auto it = running_.find(id);
    return it == running_.end() ? id : it->second.shown;
}

void Animator::tick()
{
    if (!editor_)
        return;
    bool stepped = false;
    qint64 t = now();
    for (auto it = running_.begin(); it != running_.end();) {
        const ObjectData* o = editor_->object(it->first);
        if (!o || o->frames.empty()) {
            it = running_.erase(it);   // the picture went
            continue;
        }
        Running& r = it->second;
        if (!r.finished && t >= r.due) {
            std::size_t next = (r.frame + 1) % (o->frames.size() + 1);
            if (next == 0 && o->loopCount != kLoopEndlessly && ++r.loopsDone >= std::max(1, o->loopCount)) {
                r.finished = true;   // stays on its last frame
            } else {
                r.frame = std::min(next, o->frames.size());
                r.shown = r.frame == 0 ? it->first : o->frames[r.frame - 1].object;
                r.due = t + delayOf(*o, r.frame);
                stepped = true;
            }
        }
        ++it;
    }
    if (stepped && step_)
        step_();
    schedule();
}

void Animator::schedule()
{
    qint64 earliest = -1;
    for (const auto& [id, r] : running_)
        if (!r.finished && (earliest < 0 || r.due < earliest))
            earliest = r.due;
    if (earliest < 0)
        timer_.stop();
    else
        timer_.start(static_cast<int>(std::clamp<qint64>(earliest - now(), 0, 60000)));
}

}
