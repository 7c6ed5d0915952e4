#pragma once
// Suspends the drawing of one window while the object lives. One window at a
// time, process-wide: a second lock while one is held does nothing, and
// releasing any of these objects lifts whatever lock is held.
#include <QPointer>
#include <QWidget>

namespace ks {

class clsLockWindowUpdate {
public:
    clsLockWindowUpdate() = default;
    clsLockWindowUpdate(const clsLockWindowUpdate&) = delete;
    clsLockWindowUpdate& operator=(const clsLockWindowUpdate&) = delete;
    ~clsLockWindowUpdate();

    QWidget* hwnd() const { return window_; }
    void setHwnd(QWidget* window);

    // The window whose drawing is suspended now, if any.
    static QWidget* lockedWindow();

private:
    QPointer<QWidget> window_;
};

}
