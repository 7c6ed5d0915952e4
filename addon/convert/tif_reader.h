#pragma once
// TifRead: TIFF files or blocks into packed DIBs of 1, 4, 8 or 24 bits; decoded
// by platform/pictures, reported in the add-on's words.
#include "addon/base/html_ctx.h"
#include "platform/pictures/lzw.h"
#include "platform/win/global_memory.h"

#include <cstdint>

namespace ks::addon {

// The DIB (also in *outHandle), or 0; the caller owns it.
win::HGLOBAL TifRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle);

// The LZW output callback that places a strip's bytes; exported by name (C linkage).
extern "C" int TifData(pictures::LzwState* state);

}
