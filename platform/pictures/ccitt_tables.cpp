#include "platform/pictures/ccitt_tables.h"

#include <cstring>

namespace ks::pictures {

namespace {

// ITU-T T.4 modified Huffman codes: terminating codes of runs 0-63, make-up
// codes 64-1728, and the extended make-up codes 1792-2560 shared by both colours.
const TifHufCode kT4Codes[kTifHufCodes] = {
    {0, 0x35, 8, 0x37, 10},
    {1, 0x07, 6, 0x02, 3},
    {2, 0x07, 4, 0x03, 2},
    {3, 0x08, 4, 0x02, 2},
    {4, 0x0B, 4, 0x03, 3},
    {5, 0x0C, 4, 0x03, 4},
    {6, 0x0E, 4, 0x02, 4},
    {7, 0x0F, 4, 0x03, 5},
    {8, 0x13, 5, 0x05, 6},
    {9, 0x14, 5, 0x04, 6},
    {10, 0x07, 5, 0x04, 7},
    {11, 0x08, 5, 0x05, 7},
    {12, 0x08, 6, 0x07, 7},
    {13, 0x03, 6, 0x04, 8},
    {14, 0x34, 6, 0x07, 8},
    {15, 0x35, 6, 0x18, 9},
    {16, 0x2A, 6, 0x17, 10},
    {17, 0x2B, 6, 0x18, 10},
    {18, 0x27, 7, 0x08, 10},
    {19, 0x0C, 7, 0x67, 11},
    {20, 0x08, 7, 0x68, 11},
    {21, 0x17, 7, 0x6C, 11},
    {22, 0x03, 7, 0x37, 11},
    {23, 0x04, 7, 0x28, 11},
    {24, 0x28, 7, 0x17, 11},
    {25, 0x2B, 7, 0x18, 11},
    {26, 0x13, 7, 0xCA, 12},
    {27, 0x24, 7, 0xCB, 12},
    {28, 0x18, 7, 0xCC, 12},
    {29, 0x02, 8, 0xCD, 12},
    {30, 0x03, 8, 0x68, 12},
    {31, 0x1A, 8, 0x69, 12},
    {32, 0x1B, 8, 0x6A, 12},
    {33, 0x12, 8, 0x6B, 12},
    {34, 0x13, 8, 0xD2, 12},
    {35, 0x14, 8, 0xD3, 12},
    {36, 0x15, 8, 0xD4, 12},
    {37, 0x16, 8, 0xD5, 12},
    {38, 0x17, 8, 0xD6, 12},
    {39, 0x28, 8, 0xD7, 12},
    {40, 0x29, 8, 0x6C, 12},
    {41, 0x2A, 8, 0x6D, 12},
    {42, 0x2B, 8, 0xDA, 12},
    {43, 0x2C, 8, 0xDB, 12},
    {44, 0x2D, 8, 0x54, 12},
    {45, 0x04, 8, 0x55, 12},
    {46, 0x05, 8, 0x56, 12},
    {47, 0x0A, 8, 0x57, 12},
    {48, 0x0B, 8, 0x64, 12},
    {49, 0x52, 8, 0x65, 12},
    {50, 0x53, 8, 0x52, 12},
    {51, 0x54, 8, 0x53, 12},
    {52, 0x55, 8, 0x24, 12},
    {53, 0x24, 8, 0x37, 12},
    {54, 0x25, 8, 0x38, 12},
    {55, 0x58, 8, 0x27, 12},
    {56, 0x59, 8, 0x28, 12},
    {57, 0x5A, 8, 0x58, 12},
    {58, 0x5B, 8, 0x59, 12},
    {59, 0x4A, 8, 0x2B, 12},
    {60, 0x4B, 8, 0x2C, 12},
    {61, 0x32, 8, 0x5A, 12},
    {62, 0x33, 8, 0x66, 12},
    {63, 0x34, 8, 0x67, 12},
    {64, 0x1B, 5, 0x0F, 10},
    {128, 0x12, 5, 0xC8, 12},
    {192, 0x17, 6, 0xC9, 12},
    {256, 0x37, 7, 0x5B, 12},
    {320, 0x36, 8, 0x33, 12},
    {384, 0x37, 8, 0x34, 12},
    {448, 0x64, 8, 0x35, 12},
    {512, 0x65, 8, 0x6C, 13},
    {576, 0x68, 8, 0x6D, 13},
    {640, 0x67, 8, 0x4A, 13},
    {704, 0xCC, 9, 0x4B, 13},
    {768, 0xCD, 9, 0x4C, 13},
    {832, 0xD2, 9, 0x4D, 13},
    {896, 0xD3, 9, 0x72, 13},
    {960, 0xD4, 9, 0x73, 13},
    {1024, 0xD5, 9, 0x74, 13},
    {1088, 0xD6, 9, 0x75, 13},
    {1152, 0xD7, 9, 0x76, 13},
    {1216, 0xD8, 9, 0x77, 13},
    {1280, 0xD9, 9, 0x52, 13},
    {1344, 0xDA, 9, 0x53, 13},
    {1408, 0xDB, 9, 0x54, 13},
    {1472, 0x98, 9, 0x55, 13},
    {1536, 0x99, 9, 0x5A, 13},
    {1600, 0x9A, 9, 0x5B, 13},
    {1664, 0x18, 6, 0x64, 13},
    {1728, 0x9B, 9, 0x65, 13},
    {1792, 0x08, 11, 0x08, 11},
    {1856, 0x0C, 11, 0x0C, 11},
    {1920, 0x0D, 11, 0x0D, 11},
    {1984, 0x12, 12, 0x12, 12},
    {2048, 0x13, 12, 0x13, 12},
    {2112, 0x14, 12, 0x14, 12},
    {2176, 0x15, 12, 0x15, 12},
    {2240, 0x16, 12, 0x16, 12},
    {2304, 0x17, 12, 0x17, 12},
    {2368, 0x1C, 12, 0x1C, 12},
    {2432, 0x1D, 12, 0x1D, 12},
    {2496, 0x1E, 12, 0x1E, 12},
    {2560, 0x1F, 12, 0x1F, 12},};

void buildLookup(TifHufLookup& lookup, bool black)
{
    std::memset(&lookup, 0, sizeof lookup);
    for (const TifHufCode& c : kT4Codes) {
        int length = black ? c.blackLength : c.whiteLength;
        int code = black ? c.blackCode : c.whiteCode;
        if (length == 0)
            continue;
        int first = code << (kTifHufLookBits - length);
        int count = 1 << (kTifHufLookBits - length);
        for (int i = 0; i < count; ++i)
            lookup.entries[first + i] = {std::uint16_t(c.run), std::uint8_t(length)};
    }
}

struct Lookups {
    Lookups()
    {
        buildLookup(white, false);
        buildLookup(black, true);
    }
    TifHufLookup white, black;
};

}

const TifHufLookup& tifHufLookup(bool black)
{
    static const Lookups lookups;   // built on first use, once, whichever thread comes first
    return black ? lookups.black : lookups.white;
}

}
