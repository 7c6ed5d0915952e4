#pragma once
// Links and named anchors in the text: a hidden (0x40) run of "href=", "name=" and
// "target=" attributes directly before the visible link text (or a link picture).
// Inserting one, rewriting the run at the caret, and reading it back.
#include "addon/base/html_ctx.h"

#include <string>

namespace ks::addon {

// "href=\"a\" name=\"b\" target=\"c\"": each part only when its value is not empty.
std::string BuildLinkData(const char* href, const char* name, const char* target);

int InsertLink(HWND hWnd, const char* text, const char* picture, const char* href, const char* name, int isMap,
               int repaint);
int UpdateLinkEx(HWND hWnd, const char* href, const char* name, const char* target, int repaint);
// Outs of kCtxTextSize bytes, any may be null; 0 (outs untouched) when the caret is in no link.
// A value longer than 300 characters is cut to fit its out: the whole address of a link is
// what a click hands the host.
int GetLinkDataEx(HWND hWnd, char* href, char* name, char* target);

}
