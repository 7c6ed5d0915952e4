#pragma once
// The JPEG reader's colour conversion of one pixel row: luma and chroma
// into blue, green, red, in fixed point with 6 fraction bits.
#include <cstdint>

namespace ks::pictures {

// cb and cr hold a sample for every pixel, or with halfChroma one for each
// two (repeated); count pixels go to bgr.
void jpgConvertRow(const std::uint8_t* luma, const std::uint8_t* cb, const std::uint8_t* cr, bool halfChroma,
                   std::uint8_t* bgr, std::uint32_t count);

// Grey samples as equal blue, green and red.
void jpgGreyRow(const std::uint8_t* luma, std::uint8_t* bgr, std::uint32_t count);

}
