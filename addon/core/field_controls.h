#pragma once
// The child controls that show a document's form fields: made from a field record,
// sized from the context's character cell, filled with the field's initial value.
#include "addon/core/html_reader.h"

namespace ks::addon {

// Makes the control of the field current in group's reader and places it: at the end of
// the text being read (fromReader), else at the caret. 1, or 0 when no control was made.
int CreateFieldControl(HtmlCtx* ctx, HtmlGroup* group, int fromReader, int repaint);
// The combo box or list box of the current selection list: its object id, or 0.
int CreateSelectControl(HtmlCtx* ctx, HtmlGroup* group);
// Puts the field's initial value into its control; 1.
int ResetFieldControl(HtmlCtx* ctx, FieldRecord* field);

}
