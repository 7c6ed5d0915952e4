#include "addon/base/number_utils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
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

namespace ks::addon {

std::int32_t MulDiv(std::int64_t number, std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 0)
        return -1;
    // Inputs are 32-bit values in practice; keep the product within 64 bits regardless.
    constexpr std::int64_t kLimit = std::int64_t(1) << 31;
    number = std::clamp(number, -kLimit, kLimit);
    numerator = std::clamp(numerator, -kLimit, kLimit);
    denominator = std::clamp(denominator, -kLimit, kLimit);
    std::int64_t product = number * numerator;
    bool negative = (product < 0) != (denominator < 0);
    std::uint64_t magnitude = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
    std::uint64_t divisor = denominator < 0 ? std::uint64_t(-denominator) : std::uint64_t(denominator);
    std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
    std::int64_t result = negative ? -std::int64_t(quotient) : std::int64_t(quotient);
    return std::int32_t(std::clamp<std::int64_t>(result, INT32_MIN, INT32_MAX));
}

std::int32_t TextToInt(const char* text)
{
    if (!text)
        return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    std::int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = std::min<std::int64_t>(value * 10 + (*text - '0'), std::int64_t(INT32_MAX) + 1);
    value = negative ? -value : value;
    return std::int32_t(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}
