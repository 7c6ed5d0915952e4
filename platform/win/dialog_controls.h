#pragma once
// The controls a dialog box is made of, as far as dialog boxes need them: push
// buttons, check boxes and radio buttons (BM_GETCHECK, BM_SETCHECK, BM_CLICK,
// BN_CLICKED to the dialog) and list boxes (entries with item data and a current
// selection). Edits and labels keep their text in the window itself.
#include "platform/win/window_handle.h"

namespace ks::win {

// A "Button" or "ListBox"; null for any other class (the built-in window serves it).
std::shared_ptr<Window> makeDialogControl(const std::string& className);

}
