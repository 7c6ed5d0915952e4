#pragma once
// The context's form and field tables as the callback and teardown use them.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// Frees every field's value or option list and empties both tables.
int FreeFieldTable(HtmlCtx& ctx);
// Index of the field whose control has this id, or -1.
int FindFieldByControl(const HtmlCtx& ctx, int controlId);
int CountFormFields(const HtmlCtx& ctx, int form);
// Checks a radio button and unchecks the others of its form and name; false when already checked.
bool CheckRadioField(HtmlCtx& ctx, int field);

}
