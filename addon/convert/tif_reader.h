#pragma once
// TIFF files (both byte orders; grey, palette and RGB; uncompressed, CCITT
// modified Huffman, LZW and PackBits strips) into packed DIBs of 1, 4, 8 or 24 bits.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstdint>

namespace ks::addon {

// The DIB (also in *outHandle), or 0; the caller owns it.
win::HGLOBAL TifRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle);

}
