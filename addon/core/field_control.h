#pragma once
// What a form field's control shows now: its text, its check mark, its selection. The
// writer and the read-outs take a field's value from here, falling back on the field
// record where the field has no control.
#include "addon/base/html_ctx.h"

#include <string>

namespace ks::addon {

// The control window of a field (a child of the editor window by control id), or null.
HWND FieldControl(const HtmlCtx& ctx, const FieldRecord& field);
// At most `most` characters of the control's text.
std::string FieldControlText(HWND control, int most);
bool FieldControlChecked(HWND control);
// Whether option i of a selection list is selected: a one-item list (a combo box) by
// its current selection, a list box option by its own state.
bool FieldOptionSelected(const FieldRecord& field, HWND control, int option);

}
