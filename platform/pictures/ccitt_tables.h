#pragma once
// The one-dimensional CCITT (modified Huffman) code tables of the TIFF reader,
// built once, and a lookup by the next 13 bits for each colour.
#include <cstdint>

namespace ks::pictures {

inline constexpr int kTifHufCodes = 104;
inline constexpr int kTifHufLookBits = 13;

struct TifHufCode {
    int run;
    std::uint8_t whiteCode, whiteLength, blackCode, blackLength;
};

struct TifHufLookup {
    struct Entry {
        std::uint16_t run;
        std::uint8_t length;   // 0: no code starts with these bits
    };
    Entry entries[1 << kTifHufLookBits];
};

const TifHufLookup& tifHufLookup(bool black);

}
