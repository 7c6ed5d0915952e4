#pragma once
// Links and named anchors in the text: a hidden (0x40) run of "href=", "name=" and
// "target=" attributes directly before the visible link text (or a link picture).
// Inserting one, rewriting the run at the caret, and reading it back.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// "href=\"a\" name=\"b\" target=\"c\"": each part only when its value is not empty. out has
// kCtxTextSize bytes; the text is cut to fit.
void BuildLinkData(const char* href, const char* name, const char* target, char* out);

int InsertLink(HWND hWnd, const char* text, const char* picture, const char* href, const char* name, int isMap,
               int repaint);
int UpdateLinkEx(HWND hWnd, const char* href, const char* name, const char* target, int repaint);
// Outs of kCtxTextSize bytes, any may be null; 0 (outs untouched) when the caret is in no link.
int GetLinkDataEx(HWND hWnd, char* href, char* name, char* target);

}
