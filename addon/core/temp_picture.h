#pragma once
// Names and files for pictures that have none, so that a written page can refer to them.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// A picture's file name: 259 characters and the zero.
inline constexpr int kPictureNameSize = 260;

// A picture without a file name gets the next temporary name, "<base>_<n>" (the first
// four characters of the base name's file part, before its first dot) or "PLX_<n>",
// in the base name's folder, as ".PNG" (or ".WMF" with flag 0x200), and the file is
// written. 1 when the picture has a name; 0 when it cannot be read or saved.
int MakeTempPictName(HtmlCtx& ctx, int picture, const char* baseName);

}
