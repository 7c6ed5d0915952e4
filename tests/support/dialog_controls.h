#pragma once
// Installs the dialog boxes' controls as the window layer's control maker for the scope.
#include "platform/win/dialog_controls.h"

namespace ks::test {

struct DialogControls {
    DialogControls() { win::setControlMaker(win::makeDialogControl); }
    ~DialogControls() { win::setControlMaker({}); }
};

}
