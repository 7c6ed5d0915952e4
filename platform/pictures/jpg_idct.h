#pragma once
// The JPEG reader's accurate integer inverse transform (the separable
// Loeffler-Ligtenberg-Moschytz factorisation with 13-bit constants).
#include <cstddef>
#include <cstdint>

namespace ks::pictures {

// coefficients: 64 dequantised values in natural (row-major) order, kept to
// 16 bits as the file's 8-bit samples need; left zero for the next block.
// out: 8 rows of 8 samples, level-shifted by 128 and clamped, stride apart.
void jpgInverseTransform(std::int16_t* coefficients, std::uint8_t* out, std::size_t stride);

// Two blocks at once where the processor has the width for it.
void jpgInverseTransformPair(std::int16_t* a, std::uint8_t* outA, std::size_t strideA,
                             std::int16_t* b, std::uint8_t* outB, std::size_t strideB);

#if defined(__x86_64__)
// The pair in AVX2 (jpg_idct_avx2.cpp); only where the processor has it.
void jpgInverseTransformPairAvx2(std::int16_t* a, std::uint8_t* outA, std::size_t strideA,
                                 std::int16_t* b, std::uint8_t* outB, std::size_t strideB);
#endif

}
