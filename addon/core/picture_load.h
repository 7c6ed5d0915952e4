#pragma once
// Pictures the formatting code loads by file name: an unplaced editor object.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// The object id, or 0 when the file cannot be read as a picture.
int LoadPictureFile(HtmlCtx& ctx, HWND hWnd, const char* fileName);

}
