#pragma once
// JpgRead: baseline JPEG files or blocks into 24-bit packed DIBs; decoded by
// platform/pictures, reported in the add-on's words.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstdint>

namespace ks::addon {

// The DIB (also in *outHandle), or 0; the caller owns it.
win::HGLOBAL JpgRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle);

}
