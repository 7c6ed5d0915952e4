#pragma once
// Numbers as text, and the byte-order swaps of Motorola-order pictures.
#include <cstddef>
#include <cstdint>

namespace ks::addon {

// A character that is not a hexadecimal digit adds nothing but keeps its place.
std::uint32_t HexToInt(const char* text, std::size_t count);
// "-", the integer part only when above 0, then "." and decimals digits
// rounded half up (so 0.25 with 2 decimals is ".25", 0 with none is "").
char* FormatReal(double value, int decimals, char* out);

// number x numerator / denominator, rounded half away from zero, in 64 bits and kept
// within the 32-bit range; -1 for a zero denominator.
std::int32_t MulDiv(std::int64_t number, std::int64_t numerator, std::int64_t denominator);
// The standard decimal conversion: blanks, a sign, then digits up to the first
// non-digit; 0 without digits; kept within the 32-bit range.
std::int32_t TextToInt(const char* text);

inline std::uint16_t FlipShort(std::uint16_t value)
{
    return std::uint16_t((value >> 8) | (value << 8));
}
inline std::uint32_t FlipLong(std::uint32_t value) { return __builtin_bswap32(value); }

}
