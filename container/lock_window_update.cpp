#include "container/lock_window_update.h"

namespace ks {
namespace {

QPointer<QWidget>& heldLock()
{
    static QPointer<QWidget> held;
    return held;
}

void lockDrawing(QWidget* window)
{
    if (heldLock() || !window)
        return;
    heldLock() = window;
    window->setUpdatesEnabled(false);
}

void unlockDrawing()
{
    if (QWidget* window = heldLock()) {
        window->setUpdatesEnabled(true);
        window->update();
    }
    heldLock() = nullptr;
}

}

clsLockWindowUpdate::~clsLockWindowUpdate() { unlockDrawing(); }

void clsLockWindowUpdate::setHwnd(QWidget* window)
{
    window_ = window;
    lockDrawing(window);
}

QWidget* clsLockWindowUpdate::lockedWindow() { return heldLock(); }

}
