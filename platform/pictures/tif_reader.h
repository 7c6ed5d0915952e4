#pragma once
// TIFF files (both byte orders; grey, palette and RGB; uncompressed, CCITT
// modified Huffman, LZW and PackBits strips) into packed DIBs of 1, 4, 8 or 24 bits.
#include "platform/pictures/decoded.h"

#include <cstdint>
#include <span>

namespace ks::pictures {

// Pictures of more than maxBytes are refused (TooLarge).
Decoded readTif(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes = kMaxDibBytes);

}
