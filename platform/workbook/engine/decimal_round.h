#pragma once
// Decimal rounding half away from zero on a number's 15 significant digits, so that
// 2.675 rounds to 2.68 as spreadsheets show it, not to the binary neighbour's 2.67.
#include <string>

namespace ks::workbook {

struct DecimalText {
    std::string integer;   // digits before the point, no leading zeros ("" for zero)
    std::string fraction;  // exactly the requested number of digits
};

// |x| rounded to `decimals` places (0..30).
DecimalText decimalDigits(double x, int decimals);
// x rounded to `decimals` places; negative places round to tens, hundreds, ...
double roundHalfAway(double x, int decimals);

}
