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
// Writes the window's document as HTML to memory and reads it back, keeping its file name
// and modified mark; 1, or 0 when a step failed (reported by that step).
int Reformat(HWND hWnd);
// Asks for an HTML or RTF file and loads it after offering to save the old document.
int OpenFile(HWND hWnd);

}
