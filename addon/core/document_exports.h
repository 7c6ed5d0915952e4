#pragma once
// The document of an editor window as a whole: emptied, started anew, opened from a
// file, rebuilt through HTML.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// Empties the window and everything the add-on keeps about it (fonts made anew, fields,
// tag data, frames); the editor's result of loading the empty document, or 0.
int ClearWindow(HWND hWnd);
// The same for a context already found (no redirection).
int ClearContextWindow(HtmlCtx& ctx, HWND hWnd);
// After offering to save a modified document: the result of ClearWindow, or 0.
int NewFile(HWND hWnd);

}
