#include "scorecard/window/month_start.h"

#include <array>
#include <cctype>

namespace ks {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"january", "february", "march",     "april",   "may",      "june",
                                                     "july",    "august",   "september", "october", "november", "december"};

std::string trimmedLower(const std::string& text)
{
    std::size_t from = 0, to = text.size();
    while (from < to && std::isspace(static_cast<unsigned char>(text[from])))
        ++from;
    while (to > from && std::isspace(static_cast<unsigned char>(text[to - 1])))
        --to;
    std::string out;
    for (std::size_t i = from; i < to; ++i)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    return out;
}

bool allDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char ch : text)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

// 1 to 12, 0 for no month.
int monthNumber(const std::string& text)
{
    const std::string t = trimmedLower(text);
    if (allDigits(t) && t.size() <= 2) {
        const int n = std::stoi(t);
        return n >= 1 && n <= 12 ? n : 0;
    }
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        const std::string name = kMonthNames[i];
        if (t == name || (t.size() == 3 && name.compare(0, 3, t) == 0))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

}

std::optional<int> monthStart(const std::string& month, const std::string& year)
{
    const int m = monthNumber(month);
    const std::string y = trimmedLower(year);
    if (m == 0 || y.size() != 4 || !allDigits(y))
        return std::nullopt;
    return std::stoi(y) * 12 + (m - 1);
}

}
