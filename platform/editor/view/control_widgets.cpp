#include "platform/editor/view/control_widgets.h"
#include "platform/win/qt_child_controls.h"

namespace ks::editor::view {
namespace {

ControlWidgetMaker& maker()
{
    static ControlWidgetMaker installed;
    return installed;
}

}

void setControlWidgetMaker(ControlWidgetMaker m) { maker() = std::move(m); }

QWidget* makeControlWidget(HWND control, QWidget* parent)
{
    return maker() ? maker()(control, parent) : ks::win::makeChildControlWidget(control, parent);
}

}
