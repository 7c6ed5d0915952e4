#pragma once
// A JPEG Huffman table: canonical codes from the 16 counts, a lookup of the
// codes of up to kJpgLookBits bits and the longest code of each length.
#include <cstdint>

namespace ks::pictures {

inline constexpr int kJpgLookBits = 10;
inline constexpr int kJpgFastEnd = 0x10;   // above the bits used, which stay below 16
static_assert(kJpgLookBits < 16);

struct JpgHuffTable {
    bool dc = false;   // class: DC or AC
    int id = 0;
    std::uint8_t counts[16] = {};
    std::uint8_t symbols[256] = {};
    // lookup[bits] = length << 8 | symbol, 0 when the code is longer
    std::uint16_t lookup[1 << kJpgLookBits] = {};
    // fast[bits] = value << 16 | run << 8 | bits used, for codes whose value
    // fits in the same kJpgLookBits bits (a DC symbol reads as run 0 and its
    // size); kJpgFastEnd | bits used for symbol 0 (AC: end of block, DC: no
    // difference); 0 otherwise.
    std::int32_t fast[1 << kJpgLookBits] = {};
    std::int32_t maxCode[18] = {};     // largest code of each length, -1 none
    std::int32_t valueOffset[18] = {};

    // False when the counts describe no valid canonical code.
    bool build();
};

}
