#pragma once
// The JPEG reader's entropy-coded data: the bit reader over the input and the
// Huffman decoding of one block's coefficients.
#include "platform/pictures/jpg_huffman.h"
#include "platform/pictures/picture_input.h"

#include <cstdint>

namespace ks::pictures {

// Quantisation tables hold 64 values in zig-zag order and padding that a run
// overshooting the block meets.
inline constexpr int kJpgQuantSize = 64 + 16;

// Bits at the top of buffer; past a marker, zero bits stand in for data.
struct JpgBits {
    std::uint64_t buffer = 0;
    int count = 0;
    int zeroBits = 0;   // how many of the bits read were such
    std::uint8_t pendingMarker = 0;
};

enum class JpgCoded { Broken, DcOnly, Full };

// How one block of an MCU is coded: its tables and its component's DC predictor.
struct JpgBlockCoding {
    const JpgHuffTable* dc;
    const JpgHuffTable* ac;
    const std::uint16_t* quant;
    std::int32_t* predictor;
};

// The coefficients of count blocks in a row, dequantised, in natural order, into
// coefficients (which must be zero), with how each was coded into coded. Values wrap
// to 16 bits, which only a broken file's exceed. Returns the blocks decoded before
// one that is broken (the data ends or holds a code the tables lack; reported), count
// when none is.
int jpgDecodeBlocks(PictInput& in, JpgBits& bits, const JpgBlockCoding* blocks, int count,
                    std::int16_t (*coefficients)[64], JpgCoded* coded);

}
