#include "platform/workbook/engine/number_format.h"

#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/decimal_round.h"

#include <array>
#include <cctype>
#include <cmath>
#include <memory>
#include <unordered_map>
#include <vector>

namespace ks::workbook {

namespace {
enum class Tok { Literal, Digit, Point, Percent, General, Text, Exponent, Date, AmPm };

struct Token {
    Tok kind;
    std::string text;  // literal text, digit placeholder char, date code ("mmm"), exponent sign
    int width = 0;     // exponent digits
};

struct Section {
    std::vector<Token> tokens;
    bool grouping = false;
    int scale = 0;     // trailing commas: divide by 1000 each
    bool isDate = false;
    bool hasText = false;
    int decimals = 0;
    int minInteger = 0;
    bool hasExponent = false;
};

struct ParsedFormat {
    std::vector<Section> sections;
};

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March", "April", "May", "June",
                                                 "July", "August", "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDays = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
                                              "Friday", "Saturday"};

bool isDigitPlaceholder(char ch)
{
    return ch == '0' || ch == '#' || ch == '?';
}

bool startsWithNoCase(const std::string& s, std::size_t pos, const char* word)
{
    for (std::size_t i = 0; word[i]; ++i)
        if (pos + i >= s.size() || std::tolower(static_cast<unsigned char>(s[pos + i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

void addLiteral(Section& sec, const std::string& text)
{
    if (!sec.tokens.empty() && sec.tokens.back().kind == Tok::Literal)
        sec.tokens.back().text += text;
    else
        sec.tokens.push_back({Tok::Literal, text});
}

// "[$£-809]" gives "£"; colours and conditions give nothing.
void parseBracket(Section& sec, const std::string& body)
{
    if (!body.empty() && body[0] == '$')
        addLiteral(sec, body.substr(1, body.find('-') == std::string::npos ? std::string::npos : body.find('-') - 1));
}

Section parseSection(const std::string& s)
{
    Section sec;
    bool afterPoint = false;
    std::size_t i = 0;
    while (i < s.size()) {
        char ch = s[i];
        char low = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (ch == '"') {
            std::size_t end = s.find('"', i + 1);
            addLiteral(sec, s.substr(i + 1, (end == std::string::npos ? s.size() : end) - i - 1));
            i = end == std::string::npos ? s.size() : end + 1;
        } else if (ch == '\\' && i + 1 < s.size()) {
            addLiteral(sec, s.substr(i + 1, 1));
            i += 2;
        } else if (ch == '_' && i + 1 < s.size()) {
            addLiteral(sec, " ");
            i += 2;
        } else if (ch == '*' && i + 1 < s.size()) {
            i += 2;
        } else if (ch == '[') {
            std::size_t end = s.find(']', i);
            end = end == std::string::npos ? s.size() : end;
            parseBracket(sec, s.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (isDigitPlaceholder(ch)) {
            sec.tokens.push_back({Tok::Digit, std::string(1, ch)});
            if (afterPoint)
                ++sec.decimals;
            else if (ch == '0')
                ++sec.minInteger;
            ++i;
        } else if (ch == '.' && !afterPoint && !sec.isDate) {
            sec.tokens.push_back({Tok::Point, "."});
            afterPoint = true;
            ++i;
        } else if (ch == ',') {
            bool nextIsDigit = i + 1 < s.size() && isDigitPlaceholder(s[i + 1]);
            bool prevIsDigit = !sec.tokens.empty() && sec.tokens.back().kind == Tok::Digit;
            if (prevIsDigit && nextIsDigit && !afterPoint)
                sec.grouping = true;
            else if (prevIsDigit)
                ++sec.scale;
            else
                addLiteral(sec, ",");
            ++i;
        } else if (ch == '%') {
            sec.tokens.push_back({Tok::Percent, "%"});
            ++i;
        } else if (low == 'e' && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-') && !sec.isDate) {
            std::size_t j = i + 2;
            while (j < s.size() && s[j] == '0')
                ++j;
            sec.tokens.push_back({Tok::Exponent, std::string(1, s[i + 1]), static_cast<int>(j - i - 2)});
            sec.hasExponent = true;
            i = j;
        } else if (startsWithNoCase(s, i, "general")) {
            sec.tokens.push_back({Tok::General, ""});
            i += 7;
        } else if (startsWithNoCase(s, i, "am/pm")) {
            sec.tokens.push_back({Tok::AmPm, "AM/PM"});
            sec.isDate = true;
            i += 5;
        } else if (low == 'y' || low == 'm' || low == 'd' || low == 'h' || low == 's') {
            std::size_t j = i;
            while (j < s.size() && std::tolower(static_cast<unsigned char>(s[j])) == low)
                ++j;
            sec.tokens.push_back({Tok::Date, std::string(j - i, low)});
            sec.isDate = true;
            i = j;
        } else if (ch == '@') {
            sec.tokens.push_back({Tok::Text, "@"});
            sec.hasText = true;
            ++i;
        } else {
            addLiteral(sec, std::string(1, ch));
            ++i;
        }
    }
    // "m" next to hours or seconds means minutes.
    for (std::size_t k = 0; k < sec.tokens.size(); ++k) {
        Token& t = sec.tokens[k];
        if (t.kind != Tok::Date || t.text[0] != 'm' || t.text.size() > 2)
            continue;
        auto dateNeighbour = [&](std::size_t from, int step) -> const Token* {
            for (std::size_t m = from; m < sec.tokens.size(); m += static_cast<std::size_t>(step))
                if (sec.tokens[m].kind == Tok::Date)
                    return &sec.tokens[m];
            return nullptr;
        };
        const Token* before = k > 0 ? dateNeighbour(k - 1, -1) : nullptr;
        const Token* after = dateNeighbour(k + 1, 1);
        if ((before && before->text[0] == 'h') || (after && after->text[0] == 's'))
            t.text = t.text.size() == 1 ? "M" : "MM";  // minutes
    }
    return sec;
}

ParsedFormat parseFormat(const std::string& format)
{
    ParsedFormat pf;
    std::string current;
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char ch = format[i];
        if (ch == '"')
            quoted = !quoted;
        if (ch == '\\' && !quoted && i + 1 < format.size()) {
            current += ch;
            current += format[++i];
            continue;
        }
        if (ch == ';' && !quoted) {
            pf.sections.push_back(parseSection(current));
            current.clear();
        } else {
            current += ch;
        }
    }
    pf.sections.push_back(parseSection(current));
    return pf;
}

const ParsedFormat& cachedFormat(const std::string& format)
{
    thread_local std::unordered_map<std::string, std::unique_ptr<ParsedFormat>> cache;
    auto it = cache.find(format);
    if (it != cache.end())
        return *it->second;
    if (cache.size() > 4096)
        cache.clear();
    auto& slot = cache[format];
    slot = std::make_unique<ParsedFormat>(parseFormat(format));
    return *slot;
}

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string dateCode(const std::string& code, double serial)
{
    CivilDate d = civilFromSerial(serial);
    double fraction = serial - std::floor(serial);
    long long seconds = std::llround(fraction * 86400);
    int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60),
        second = static_cast<int>(seconds % 60);
    switch (code[0]) {
    case 'y': return code.size() <= 2 ? twoDigits(d.year % 100) : std::to_string(d.year);
    case 'm':
        if (code.size() == 1) return std::to_string(d.month);
        if (code.size() == 2) return twoDigits(d.month);
        if (code.size() == 3) return std::string(kMonths[static_cast<std::size_t>(d.month - 1)]).substr(0, 3);
        if (code.size() == 5) return std::string(1, kMonths[static_cast<std::size_t>(d.month - 1)][0]);
        return kMonths[static_cast<std::size_t>(d.month - 1)];
    case 'd':
        if (code.size() == 1) return std::to_string(d.day);
        if (code.size() == 2) return twoDigits(d.day);
        if (code.size() == 3) return std::string(kDays[static_cast<std::size_t>(weekdayOfSerial(serial))]).substr(0, 3);
        return kDays[static_cast<std::size_t>(weekdayOfSerial(serial))];
    case 'h': return code.size() == 1 ? std::to_string(hour) : twoDigits(hour);
    case 'M': return std::to_string(minute);
    case 'N': return twoDigits(minute);
    case 's': return code.size() == 1 ? std::to_string(second) : twoDigits(second);
    }
    return "";
}

std::string formatDate(const Section& sec, double serial)
{
    if (serial < 0 || serial > 2958465)
        return "#######";
    bool twelveHour = false;
    for (const Token& t : sec.tokens)
        twelveHour = twelveHour || t.kind == Tok::AmPm;
    std::string out;
    double fraction = serial - std::floor(serial);
    int hour = static_cast<int>(std::llround(fraction * 86400) / 3600);
    for (const Token& t : sec.tokens) {
        if (t.kind == Tok::Date) {
            std::string code = t.text == "MM" ? "N" : t.text;
            if (code[0] == 'h' && twelveHour) {
                int h12 = hour % 12 == 0 ? 12 : hour % 12;
                out += code.size() == 1 ? std::to_string(h12) : twoDigits(h12);
            } else {
                out += dateCode(code, serial);
            }
        } else if (t.kind == Tok::AmPm) {
            out += hour < 12 ? "AM" : "PM";
        } else if (t.kind != Tok::General && t.kind != Tok::Text) {
            out += t.text;
        }
    }
    return out;
}

std::string groupThousands(const std::string& digits)
{
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[static_cast<std::size_t>(i)];
    }
    return out;
}

// A number through a section of digit placeholders; magnitude only, the sign is the caller's.
std::string formatDigits(const Section& sec, double n)
{
    for (const Token& t : sec.tokens)
        if (t.kind == Tok::Percent)
            n *= 100;
    for (int i = 0; i < sec.scale; ++i)
        n /= 1000;
    int exponent = 0;
    if (sec.hasExponent && n != 0) {
        int intPlaces = std::max(1, sec.minInteger);
        exponent = static_cast<int>(std::floor(std::log10(std::fabs(n)))) - (intPlaces - 1);
        n /= std::pow(10.0, exponent);
        if (decimalDigits(n, sec.decimals).integer.size() > static_cast<std::size_t>(intPlaces)) {
            ++exponent;
            n /= 10;
        }
    }
    DecimalText d = decimalDigits(n, sec.decimals);
    std::string integer = d.integer;
    if (static_cast<int>(integer.size()) < sec.minInteger)
        integer.insert(0, static_cast<std::size_t>(sec.minInteger) - integer.size(), '0');
    if (sec.grouping)
        integer = groupThousands(integer);
    // Optional decimal places ("#") drop their trailing zeros; "?" shows a space.
    std::string fraction = d.fraction;
    std::vector<char> places;
    bool afterPoint = false;
    for (const Token& t : sec.tokens) {
        if (t.kind == Tok::Point)
            afterPoint = true;
        else if (t.kind == Tok::Digit && afterPoint)
            places.push_back(t.text[0]);
    }
    for (int i = static_cast<int>(fraction.size()) - 1; i >= 0 && places[static_cast<std::size_t>(i)] != '0'; --i) {
        if (fraction[static_cast<std::size_t>(i)] != '0')
            break;
        fraction[static_cast<std::size_t>(i)] = places[static_cast<std::size_t>(i)] == '?' ? ' ' : '\0';
    }

    std::string out;
    bool integerDone = false;
    std::size_t next = 0;
    afterPoint = false;
    for (const Token& t : sec.tokens) {
        switch (t.kind) {
        case Tok::Digit:
            if (afterPoint) {
                char ch = next < fraction.size() ? fraction[next++] : '\0';
                if (ch)
                    out += ch;
            } else if (!integerDone) {
                out += integer;
                integerDone = true;
            }
            break;
        case Tok::Point:
            if (!integerDone) {
                out += integer;
                integerDone = true;
            }
            out += '.';
            afterPoint = true;
            break;
        case Tok::Exponent: {
            std::string e = std::to_string(std::abs(exponent));
            if (static_cast<int>(e.size()) < t.width)
                e.insert(0, static_cast<std::size_t>(t.width) - e.size(), '0');
            out += std::string("E") + (exponent < 0 ? "-" : (t.text == "+" ? "+" : "")) + e;
            afterPoint = false;
            integerDone = true;
            break;
        }
        case Tok::General: out += generalNumberText(n); break;
        case Tok::Text: break;
        default: out += t.text;
        }
    }
    return out;
}

bool hasDigitsOrGeneral(const Section& sec)
{
    for (const Token& t : sec.tokens)
        if (t.kind == Tok::Digit || t.kind == Tok::General)
            return true;
    return false;
}

bool roundsToZero(const Section& sec, double n)
{
    if (sec.isDate || !hasDigitsOrGeneral(sec))
        return n == 0;
    for (const Token& t : sec.tokens)
        if (t.kind == Tok::Percent)
            n *= 100;
    DecimalText d = decimalDigits(n, sec.decimals);
    return d.integer.empty() && d.fraction.find_first_not_of('0') == std::string::npos;
}

std::string formatWithSection(const Section& sec, double n, bool addMinus)
{
    if (sec.isDate)
        return formatDate(sec, n);
    std::string body;
    if (!hasDigitsOrGeneral(sec)) {
        for (const Token& t : sec.tokens)
            if (t.kind != Tok::Text)
                body += t.text;
        return body;
    }
    body = formatDigits(sec, std::fabs(n));
    return addMinus && n < 0 && !roundsToZero(sec, n) ? "-" + body : body;
}
}

std::string generalNumberText(double n)
{
    if (n == 0)
        return "0";
    if (!std::isfinite(n))
        return "#NUM!";
    double a = std::fabs(n);
    std::string sign = n < 0 ? "-" : "";
    if (a >= 1e11 || a < 1e-9) {
        int exponent = static_cast<int>(std::floor(std::log10(a)));
        double mantissa = a / std::pow(10.0, exponent);
        DecimalText d = decimalDigits(mantissa, 5);
        if (d.integer.size() > 1) {
            ++exponent;
            d = decimalDigits(mantissa / 10, 5);
        }
        std::string frac = d.fraction;
        while (!frac.empty() && frac.back() == '0')
            frac.pop_back();
        std::string e = std::to_string(std::abs(exponent));
        if (e.size() < 2)
            e.insert(0, "0");
        return sign + d.integer + (frac.empty() ? "" : "." + frac) + "E" + (exponent < 0 ? "-" : "+") + e;
    }
    int integerDigits = a >= 1 ? static_cast<int>(std::floor(std::log10(a))) + 1 : 0;
    DecimalText d = decimalDigits(a, std::max(0, integerDigits > 0 ? 10 - integerDigits : 9));
    std::string frac = d.fraction;
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    std::string integer = d.integer.empty() ? "0" : d.integer;
    return sign + integer + (frac.empty() ? "" : "." + frac);
}

std::string formatNumber(double n, const std::string& format)
{
    const ParsedFormat& pf = cachedFormat(format);
    const auto& secs = pf.sections;
    std::size_t count = secs.size();
    if (count >= 4)
        count = 3;  // the fourth section is for texts
    else if (count > 1 && secs[count - 1].hasText && !hasDigitsOrGeneral(secs[count - 1]))
        --count;
    if (count == 1 || n > 0 || (n == 0 && count == 2))
        return formatWithSection(secs[0], n, count == 1);
    return formatWithSection(secs[n < 0 ? 1 : 2], n, false);
}

std::string formatValue(const Value& v, const std::string& format)
{
    switch (v.type) {
    case ValueType::Empty: return "";
    case ValueType::Number: return formatNumber(v.number, format);
    case ValueType::Boolean: return v.number != 0 ? "TRUE" : "FALSE";
    case ValueType::Error: return errorText(v.error);
    case ValueType::Text: break;
    }
    const ParsedFormat& pf = cachedFormat(format);
    const Section* textSection = nullptr;
    for (const Section& sec : pf.sections)
        if (sec.hasText)
            textSection = &sec;
    if (!textSection && pf.sections.size() >= 4)
        textSection = &pf.sections[3];
    if (!textSection)
        return v.text;
    std::string out;
    for (const Token& t : textSection->tokens)
        out += t.kind == Tok::Text ? v.text : (t.kind == Tok::Literal ? t.text : "");
    return out;
}

}
