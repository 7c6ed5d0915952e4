#include "platform/workbook/engine/value.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ks::workbook {

namespace {
constexpr std::array<const char*, 8> kErrorTexts = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!",
                                                    "#NAME?", "#NUM!", "#N/A", "#CYCLE!"};
}

std::string errorText(ErrorCode code)
{
    return kErrorTexts[static_cast<std::size_t>(code)];
}

std::optional<ErrorCode> parseErrorText(std::string_view text)
{
    for (std::size_t i = 0; i < kErrorTexts.size(); ++i) {
        std::string_view candidate = kErrorTexts[i];
        if (text.size() == candidate.size()) {
            bool same = true;
            for (std::size_t j = 0; j < text.size() && same; ++j)
                same = std::toupper(static_cast<unsigned char>(text[j])) == candidate[j];
            if (same)
                return static_cast<ErrorCode>(i);
        }
    }
    return std::nullopt;
}

std::string plainNumberText(double n)
{
    if (n == 0)
        return "0";
    if (!std::isfinite(n))
        return "#NUM!";
    // to_chars, unlike printf, writes a point whatever the C library's locale.
    char buf[40];
    char* end = std::to_chars(buf, buf + sizeof buf, n, std::chars_format::general, 15).ptr;
    std::string s(buf, end);
    auto e = s.find('e');
    std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    if (e == std::string::npos)
        return mantissa;
    // Two exponent digits at least, as spreadsheets write them: 1E-07, 1.5E+20.
    std::string exponent = s.substr(e + 1);
    char sign = exponent[0];
    std::string digits = exponent.substr(1);
    while (digits.size() > 2 && digits[0] == '0')
        digits.erase(0, 1);
    return mantissa + "E" + sign + digits;
}

std::optional<double> parseNumberText(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    bool percent = !text.empty() && text.back() == '%';
    if (percent)
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return percent ? value / 100 : value;
}

double numberOf(const Value& v)
{
    return v.isNumber() || v.isBool() ? v.number : 0;
}

std::string textOf(const Value& v)
{
    switch (v.type) {
    case ValueType::Empty: return "";
    case ValueType::Number: return plainNumberText(v.number);
    case ValueType::Text: return v.text;
    case ValueType::Boolean: return v.number != 0 ? "TRUE" : "FALSE";
    case ValueType::Error: return errorText(v.error);
    }
    return "";
}

}
