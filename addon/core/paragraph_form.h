#pragma once
// Which form a paragraph of form text stands in. Its fifth paragraph value, which the editor
// keeps with the paragraph and gives back unchanged, holds one more than the form's index in
// the form table; 0 where none is known (text made form text by hand). A form block is a run
// of form text whose paragraphs have one such number: two forms that follow each other are
// two blocks, and a form that shows no field is known by its number alone.
#include "addon/base/html_ctx.h"

namespace ks::addon {

inline int ParagraphFormNumber(int form) { return form >= 0 ? form + 1 : 0; }

// The number of the paragraph holding line when it is form text; -1 when it is not.
int FormTextNumber(HWND hWnd, int line);
// The form of the paragraph holding line; -1 when it names none of the table's forms.
int ParagraphForm(const HtmlCtx& ctx, HWND hWnd, int line);

}
