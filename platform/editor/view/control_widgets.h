#pragma once
// Embedded controls on screen: the window layer's Qt controls make a widget
// for a child control window (a test may install its own maker); the view
// only places it at its object's anchor.
#include "platform/win/win_types.h"

#include <functional>

class QWidget;

namespace ks::editor::view {

// Makes (or returns) the widget showing a control window, a child of parent; null: not shown.
using ControlWidgetMaker = std::function<QWidget*(HWND control, QWidget* parent)>;
void setControlWidgetMaker(ControlWidgetMaker maker);
QWidget* makeControlWidget(HWND control, QWidget* parent);

}
