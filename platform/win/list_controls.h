#pragma once
// List boxes and combo boxes: entries with item data, a current selection, the
// selection of each entry in a multiple-selection list, and the user's choices
// (a click and a double click) told to the parent as WM_COMMAND.
#include "platform/win/window_handle.h"

namespace ks::win {

std::shared_ptr<Window> makeListBox();
std::shared_ptr<Window> makeComboBox();

// The user picked (or double-clicked) entry `index` of a list or combo box: it becomes the
// current selection and the parent hears LBN_SELCHANGE/CBN_SELCHANGE (LBN_DBLCLK/CBN_DBLCLK).
// A list box tells its parent only with LBS_NOTIFY; a disabled control ignores the user.
void userSelects(HWND list, int index);
void userDoubleClicks(HWND list, int index);

}
