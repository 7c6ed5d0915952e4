#pragma once
// The child controls, as dialog boxes and editor windows make them: push buttons,
// check boxes and radio buttons (BM_GETCHECK, BM_SETCHECK, BM_CLICK, BN_CLICKED to
// the parent), edits (edit_control.h), list and combo boxes (list_controls.h).
// Labels keep their text in the window itself.
#include "platform/win/window_handle.h"

namespace ks::win {

// A "Button", "Edit", "ListBox" or "ComboBox"; null for any other class (the built-in window serves it).
std::shared_ptr<Window> makeDialogControl(const std::string& className);

}
