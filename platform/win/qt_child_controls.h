#pragma once
// Child controls on screen: a Qt widget for a control window (push button, check box,
// radio button, one-line or multi-line edit, list box, combo box). The user's clicks,
// keys and picks reach the control as its own messages, so its notifications go to its
// parent just as the headless control sends them; the widget shows the control's state
// again after each action and whenever it is painted (texts, checks and entries that
// the add-on set by messages).
#include "platform/win/win_types.h"

class QWidget;

namespace ks::win {

// Null for a handle that is no control of these kinds.
QWidget* makeChildControlWidget(HWND control, QWidget* parent);

// Keeps the Shift and Ctrl state that GetKeyState reports in step with the keyboard (once per process).
void trackKeyStateFromQt();

}
