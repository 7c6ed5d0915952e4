#pragma once
// GIF files into 8-bit packed DIBs the size of the logical screen; the further
// images of an animation, composed frame over frame, as frames.
#include "platform/pictures/lzw.h"
#include "platform/pictures/packed_dib.h"
#include "platform/pictures/picture_problems.h"

#include <cstdint>
#include <span>
#include <vector>

namespace ks::pictures {

// Frames after the first that an animation keeps; the rest are not decoded.
inline constexpr int kGifMaxFrames = 100;

struct GifOptions {
    Colour background = 0;   // what transparent pixels show
    bool animation = false;  // read the frames after the first too
    std::uint64_t maxBytes = kMaxDibBytes;   // for one picture, and for all the frames together
};

struct GifFrame {
    PackedDib picture;
    std::int32_t delay = 0;   // hundredths of a second
};

struct GifPicture {
    PackedDib first;                 // empty when the file gave no picture
    std::int32_t firstDelay = 0;
    std::vector<GifFrame> frames;    // the second image onward
    std::int32_t loopCount = 0;      // 0 no looping extension, -2 endless
    Problems problems;
};

GifPicture readGif(std::span<const std::uint8_t> bytes, const GifOptions& options);

// The LZW output callback that places the decoded indices of the image being read.
int placeGifIndices(LzwState* state);

}
