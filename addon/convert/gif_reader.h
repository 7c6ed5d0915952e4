#pragma once
// GifRead: GIF files or blocks into 8-bit packed DIBs the size of the logical
// screen, the further images of an animation into a frame table; decoded by
// platform/pictures, reported in the add-on's words.
#include "addon/base/html_ctx.h"
#include "platform/pictures/gif_reader.h"
#include "platform/win/global_memory.h"

#include <cstdint>

namespace ks::addon {

using pictures::kGifMaxFrames;

struct GifFrameTable {
    win::HGLOBAL frames[kGifMaxFrames] = {};   // the second image onward
    std::int32_t loopCount = 0;                // 0 no looping extension, -2 endless
    std::int32_t frameCount = 0;
    std::int32_t delays[kGifMaxFrames] = {};   // hundredths of a second
    std::int32_t firstDelay = 0;
};

// The first image's DIB (also in *outHandle), or 0. Transparent pixels show the
// document's background. The caller owns every handle returned, the frame table's included.
win::HGLOBAL GifRead(HtmlCtx* ctx, bool fromMemory, const char* fileName, win::HGLOBAL memory,
                     std::int32_t length, win::HGLOBAL* outHandle, GifFrameTable* frames);

// The LZW output callback that places the decoded pixels; exported by name (C linkage).
extern "C" int GifData(pictures::LzwState* state);

}
