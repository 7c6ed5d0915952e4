#pragma once
// Baseline JPEG files (one sequential Huffman-coded frame of one to three
// components, restart intervals included) into 24-bit packed DIBs.
#include "platform/pictures/decoded.h"

#include <cstdint>
#include <span>

namespace ks::pictures {

// Pictures of more than maxBytes are refused (TooLarge).
Decoded readJpg(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes = kMaxDibBytes);

}
