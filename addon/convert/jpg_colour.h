#pragma once
// The JPEG reader's colour conversion of one pixel row: luma and chroma
// (centred on zero) into blue, green, red, in fixed point with 6 fraction bits.
#include <cstdint>

namespace ks::addon {

void jpgConvertRow(const std::uint8_t* luma, const std::int16_t* cb, const std::int16_t* cr,
                   std::uint8_t* bgr, std::uint32_t count);

}
