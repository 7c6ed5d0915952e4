#pragma once
// Taking down the frame windows of a frameset when its window goes away.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// Destroys every frame window below the root record and frees the records' texts and arrays.
void DestroyFrames(HtmlCtx& ctx);

}
