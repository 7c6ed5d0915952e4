#pragma once
// The first day of a month named by a month text and a year text, as the options window
// compares them: "January" and "2004" give January 2004.
#include <optional>
#include <string>

namespace ks {

// Months counted from January of year 0; nullopt when the texts name no month. A month
// is its English name, its first three letters or its number 1 to 12, in any case; a
// year has four digits.
std::optional<int> monthStart(const std::string& month, const std::string& year);

}
