#pragma once
// The JPEG reader's accurate integer inverse transform (the separable
// Loeffler-Ligtenberg-Moschytz factorisation with 13-bit constants).
#include <cstdint>

namespace ks::addon {

// coefficients: 64 dequantised values in natural (row-major) order.
// out: 8 rows of 8 samples, level-shifted by 128 and clamped, stride apart.
void jpgInverseTransform(const std::int32_t* coefficients, std::uint8_t* out, std::size_t stride);

}
