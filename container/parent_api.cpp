#include "container/parent_api.h"

#include "platform/win/window_handle.h"

#include <QWidget>

namespace ks {

HWND cParentAPI::ParentHwnd(HWND hwnd) const { return GetParent(hwnd); }

HWND cParentAPI::SetNewParent(HWND Child, HWND Parent) const
{
    auto window = win::findWindow(Child);
    if (!window)
        return nullptr;
    HWND previous = window->parent();
    window->setParent(Parent);
    return previous;
}

QWidget* cParentAPI::ParentOf(const QWidget& child) const { return child.parentWidget(); }

QWidget* cParentAPI::SetNewParent(QWidget& Child, QWidget* Parent) const
{
    QWidget* previous = Child.parentWidget();
    const bool shown = !Child.isHidden();
    Child.setParent(Parent);
    Child.setVisible(shown);
    return previous;
}

}
