#pragma once
// Baseline JPEG files (one sequential Huffman-coded frame of one to three
// components, restart intervals included) into 24-bit packed DIBs.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstdint>

namespace ks::addon {

// The DIB (also in *outHandle), or 0; the caller owns it.
win::HGLOBAL JpgRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle);

}
