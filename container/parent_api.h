#pragma once
// Reading and changing the parent of a window, by handle or by widget.
#include "platform/win/win_types.h"

class QWidget;

namespace ks {

class cParentAPI {
public:
    HWND ParentHwnd(HWND hwnd) const;
    // The previous parent; nullptr when Child is no window.
    HWND SetNewParent(HWND Child, HWND Parent) const;

    QWidget* ParentOf(const QWidget& child) const;
    // Keeps the child shown as it was; returns the previous parent.
    QWidget* SetNewParent(QWidget& Child, QWidget* Parent) const;
};

}
