#include "addon/convert/html_entities.h"

#include "addon/convert/html_reader.h"

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <cstring>
#include <strings.h>

namespace ks::addon {
namespace {

struct Entity {
    const char* name;
    unsigned char character;
};

// Compared ignoring case.
constexpr Entity kCaseBlind[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'},
                                 {"deg", 176}, {"nbsp", ' '}, {"copy", 169}, {"reg", 174}};

// Compared exactly, sorted for the search.
constexpr Entity kLatin1[] = {
    {"AElig", 198}, {"Aacute", 193}, {"Acirc", 194}, {"Agrave", 192}, {"Aring", 197}, {"Atilde", 195},
    {"Auml", 196},  {"Ccedil", 199}, {"ETH", 208},   {"Eacute", 201}, {"Ecirc", 202}, {"Egrave", 200},
    {"Euml", 203},  {"Iacute", 205}, {"Icirc", 206}, {"Igrave", 204}, {"Iuml", 207},  {"Ntilde", 209},
    {"Oacute", 211}, {"Ocirc", 212}, {"Ograve", 210}, {"Oslash", 216}, {"Otilde", 213}, {"Ouml", 214},
    {"THORN", 222}, {"Uacute", 218}, {"Ucirc", 219}, {"Ugrave", 217}, {"Uuml", 220},  {"Yacute", 221},
    {"aacute", 225}, {"acirc", 226}, {"aelig", 230}, {"agrave", 224}, {"aring", 229}, {"atilde", 227},
    {"auml", 228},  {"ccedil", 231}, {"eacute", 233}, {"ecirc", 234}, {"egrave", 232}, {"eth", 240},
    {"euml", 235},  {"iacute", 237}, {"icirc", 238}, {"igrave", 236}, {"iuml", 239},  {"ntilde", 241},
    {"oacute", 243}, {"ocirc", 244}, {"ograve", 242}, {"oslash", 248}, {"otilde", 245}, {"ouml", 246},
    {"szlig", 223}, {"thorn", 254}, {"uacute", 250}, {"ucirc", 251}, {"ugrave", 249}, {"uuml", 252},
    {"yacute", 253}, {"yuml", 255}};

constexpr bool namesBefore(const char* a, const char* b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b);
}
static_assert(std::is_sorted(std::begin(kLatin1), std::end(kLatin1),
                             [](const Entity& a, const Entity& b) { return namesBefore(a.name, b.name); }));

// The entry's name against a name of length characters (not terminated), as strcmp orders them.
int compareName(const char* entry, const char* name, std::size_t length)
{
    std::size_t entryLength = std::strlen(entry);
    int order = std::memcmp(entry, name, std::min(entryLength, length));
    return order ? order : entryLength < length ? -1 : entryLength > length ? 1 : 0;
}

// Letters whose other names (accented forms) fall back to the bare letter.
constexpr const char* kFallbackLetters = "ACEINOTUYaeinostuy";

// Unicode characters above Latin-1 that Windows-1252 holds, with their byte.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Windows-1252 byte of a numeric reference; -2 for a control character.
int numericCharacter(std::uint32_t value)
{
    if (value == '\t' || value == '\n' || value == '\r')
        return ' ';
    if (value < 32 || value == 127)
        return -2;
    if (value <= 255)
        return static_cast<int>(value);   // 128-159 name Windows-1252's characters, as browsers read them
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == value)
            return 0x80 + i;
    return '?';
}

int numericReference(const char* digits, std::size_t length)
{
    bool hex = length > 0 && (digits[0] == 'x' || digits[0] == 'X');
    std::size_t i = hex ? 1 : 0;
    std::uint32_t value = 0;
    for (; i < length; ++i) {
        char c = digits[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            break;
        value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    return numericCharacter(value);
}

}

int HtmlEntityCharacter(const char* name, std::size_t length)
{
    if (length == 0)
        return -1;
    for (const Entity& e : kCaseBlind)
        if (std::strlen(e.name) == length && strncasecmp(e.name, name, length) == 0 && !std::memchr(name, 0, length))
            return e.character;
    std::size_t low = 0, high = std::size(kLatin1);
    while (low < high) {
        std::size_t middle = (low + high) / 2;
        int order = compareName(kLatin1[middle].name, name, length);
        if (order == 0)
            return kLatin1[middle].character;
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (name[0] == '#')
        return numericReference(name + 1, length - 1);
    if (name[0] && std::strchr(kFallbackLetters, name[0]))
        return static_cast<unsigned char>(name[0]);
    return -1;
}

int DecodeHtmlRun(const char* run, int length, char* word)
{
    // An entity name stops 19 places after its "&".
    constexpr int kEntityReach = 19;
    int out = 0;
    for (int i = 0; i < length; ++i) {
        char c = run[i];
        if (c == kHtmlLineEndMark) {
            if (out > 0 && word[out - 1] != ' ')
                word[out++] = ' ';
            continue;
        }
        if (c != '&') {
            word[out++] = c;
            continue;
        }
        const char* semicolon = static_cast<const char*>(std::memchr(run + i + 1, ';', std::size_t(length - i - 1)));
        int end = semicolon ? int(semicolon - run) : length;
        if (!semicolon || end - i >= kEntityReach) {
            word[out++] = '&';
            continue;
        }
        char name[kEntityReach];
        std::size_t nameLength = 0;
        for (int k = i + 1; k < end; ++k)
            if (run[k] != kHtmlLineEndMark)
                name[nameLength++] = run[k];
        name[nameLength] = 0;
        int character = HtmlEntityCharacter(name, nameLength);
        if (character == -1) {
            word[out++] = '&';
            continue;
        }
        if (character >= 0)
            word[out++] = static_cast<char>(character);
        i = end;
    }
    word[out] = 0;
    return out;
}

}
