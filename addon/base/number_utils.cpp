#include "addon/base/number_utils.h"

#include <cmath>
#include <cstdio>

namespace ks::addon {

std::uint32_t HexToInt(const char* text, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count && text[i]; ++i) {
        char c = text[i];
        int digit = c >= '0' && c <= '9' ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : 0;
        value = value * 16 + std::uint32_t(digit);
    }
    return value;
}

char* FormatReal(double value, int decimals, char* out)
{
    // Bounded so the text fits the library's small buffers and the integer
    // arithmetic below cannot overflow.
    decimals = decimals < 0 ? 0 : decimals > 9 ? 9 : decimals;
    double magnitude = std::isfinite(value) ? std::fabs(value) : 0;
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    double scaled = std::floor(magnitude * double(scale) + 0.5);
    long long total = scaled < 9.0e18 ? (long long)scaled : 9000000000000000000LL;
    long long whole = total / scale;
    long long fraction = total % scale;

    int length = 0;
    if (value < 0)
        out[length++] = '-';
    if (whole > 0)
        length += std::snprintf(out + length, 24, "%lld", whole);
    if (decimals >= 1)
        length += std::snprintf(out + length, 16, ".%0*lld", decimals, fraction);
    out[length] = 0;
    return out;
}

}
