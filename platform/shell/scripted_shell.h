#pragma once
// A shell for tests: records every request and answers from queued results
// (Done, Opened, true) when none is queued.
#include "platform/shell/shell.h"

#include <deque>

namespace ks::shell {

class ScriptedShell : public Shell {
public:
    void answerOpen(OpenResult r) { openResults_.push_back(r); }
    void answerOpenWith(OpenWithResult r) { openWithResults_.push_back(r); }
    void answerStart(bool started) { startResults_.push_back(started); }

    const QStringList& opened() const { return opened_; }
    const QStringList& openedWith() const { return openedWith_; }
    const QStringList& started() const { return started_; }

    OpenResult open(const QString& target) override
    {
        opened_ << target;
        return next(openResults_, OpenResult::Done);
    }
    OpenWithResult openWith(const QString& path, QWidget*) override
    {
        openedWith_ << path;
        return next(openWithResults_, OpenWithResult::Opened);
    }
    bool startProgram(const QString& program) override
    {
        started_ << program;
        return next(startResults_, true);
    }

private:
    template <class T>
    static T next(std::deque<T>& queue, T otherwise)
    {
        if (queue.empty())
            return otherwise;
        T r = queue.front();
        queue.pop_front();
        return r;
    }

    std::deque<OpenResult> openResults_;
    std::deque<OpenWithResult> openWithResults_;
    std::deque<bool> startResults_;
    QStringList opened_, openedWith_, started_;
};

}
