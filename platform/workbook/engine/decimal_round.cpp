#include "platform/workbook/engine/decimal_round.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace ks::workbook {

namespace {
// The 15 significant digits of |x| kept up to `decimals` places after the point, rounded.
// Returns the digits and how many of them stand before the point.
std::string roundedDigits(double x, int decimals, int& integerDigits)
{
    x = std::fabs(x);
    integerDigits = 0;
    if (x == 0 || !std::isfinite(x))
        return "";
    // d.dddddddddddddde±x; to_chars writes the point whatever the C library's locale.
    char buf[40];
    const char* end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14).ptr;
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 14);
    int exponent = 0;
    std::from_chars(buf + 17 + (buf[17] == '+'), end, exponent);
    integerDigits = exponent + 1;
    int keep = integerDigits + decimals;
    if (keep < 0)
        return "";
    bool up = keep < 15 && digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(std::min(keep, 15)));
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++integerDigits;
        }
    }
    return digits;
}
}

DecimalText decimalDigits(double x, int decimals)
{
    decimals = std::clamp(decimals, 0, 30);
    int integerDigits = 0;
    std::string digits = roundedDigits(x, decimals, integerDigits);
    DecimalText out;
    if (integerDigits > 0) {
        std::string padded = digits;
        if (static_cast<int>(padded.size()) < integerDigits)
            padded.append(static_cast<std::size_t>(integerDigits) - padded.size(), '0');
        out.integer = padded.substr(0, static_cast<std::size_t>(integerDigits));
        out.fraction = padded.substr(static_cast<std::size_t>(integerDigits));
    } else if (!digits.empty()) {
        out.fraction = std::string(static_cast<std::size_t>(-integerDigits), '0') + digits;
    }
    out.integer.erase(0, std::min(out.integer.find_first_not_of('0'), out.integer.size()));
    out.fraction.resize(static_cast<std::size_t>(decimals), '0');
    return out;
}

double roundHalfAway(double x, int decimals)
{
    if (!std::isfinite(x))
        return x;
    decimals = std::clamp(decimals, -300, 300);
    int integerDigits = 0;
    std::string digits = roundedDigits(x, decimals, integerDigits);
    if (digits.empty())
        return 0;
    // digits × 10^(integerDigits - digits.size())
    std::string text = "0." + digits + "e" + std::to_string(integerDigits);
    double magnitude = 0;
    std::from_chars(text.data(), text.data() + text.size(), magnitude);
    return x < 0 ? -magnitude : magnitude;
}

}
