#pragma once
// The JPEG reader's accurate integer inverse transform (the separable
// Loeffler-Ligtenberg-Moschytz factorisation with 13-bit constants).
#include <cstddef>
#include <cstdint>

namespace ks::addon {

// coefficients: 64 dequantised values in natural (row-major) order, kept to
// 16 bits as the file's 8-bit samples need.
// out: 8 rows of 8 samples, level-shifted by 128 and clamped, stride apart.
void jpgInverseTransform(const std::int16_t* coefficients, std::uint8_t* out, std::size_t stride);

}
