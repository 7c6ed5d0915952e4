#include "addon/convert/html_attributes.h"

#include "addon/base/number_utils.h"
#include "addon/convert/html_entities.h"
#include "addon/convert/html_tokenizer_state.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <strings.h>

namespace ks::addon {
namespace {

struct NamedColour {
    const char* name;
    std::uint32_t rgb;   // 0xRRGGBB
};

// The CSS colour keywords, in the order they are compared; "gray" but the compound
// greys only as "grey".
constexpr NamedColour kColours[] = {
    {"aqua", 0x00FFFF}, {"black", 0x000000}, {"blue", 0x0000FF}, {"fuchsia", 0xFF00FF}, {"gray", 0x808080},
    {"green", 0x008000}, {"lime", 0x00FF00}, {"maroon", 0x800000}, {"navy", 0x000080}, {"olive", 0x808000},
    {"purple", 0x800080}, {"red", 0xFF0000}, {"silver", 0xC0C0C0}, {"teal", 0x008080}, {"white", 0xFFFFFF},
    {"yellow", 0xFFFF00}, {"aliceblue", 0xF0F8FF}, {"aquamarine", 0x7FFFD4}, {"beige", 0xF5F5DC},
    {"blanchedalmond", 0xFFEBCD}, {"brown", 0xA52A2A}, {"cadetblue", 0x5F9EA0}, {"chocolate", 0xD2691E},
    {"cornflowerblue", 0x6495ED}, {"crimson", 0xDC143C}, {"darkblue", 0x00008B}, {"darkgoldenrod", 0xB8860B},
    {"darkgreen", 0x006400}, {"darkmagenta", 0x8B008B}, {"darkorange", 0xFF8C00}, {"darkred", 0x8B0000},
    {"darkseagreen", 0x8FBC8F}, {"darkslategrey", 0x2F4F4F}, {"darkviolet", 0x9400D3},
    {"deepskyblue", 0x00BFFF}, {"dodgerblue", 0x1E90FF}, {"floralwhite", 0xFFFAF0}, {"gainsboro", 0xDCDCDC},
    {"antiquewhite", 0xFAEBD7}, {"azure", 0xF0FFFF}, {"bisque", 0xFFE4C4}, {"blueviolet", 0x8A2BE2},
    {"burlywood", 0xDEB887}, {"chartreuse", 0x7FFF00}, {"coral", 0xFF7F50}, {"cornsilk", 0xFFF8DC},
    {"cyan", 0x00FFFF}, {"darkcyan", 0x008B8B}, {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B},
    {"darkolivegreen", 0x556B2F}, {"darkorchid", 0x9932CC}, {"darksalmon", 0xE9967A},
    {"darkslateblue", 0x483D8B}, {"darkturquoise", 0x00CED1}, {"deeppink", 0xFF1493}, {"dimgrey", 0x696969},
    {"firebrick", 0xB22222}, {"forestgreen", 0x228B22}, {"ghostwhite", 0xF8F8FF}, {"gold", 0xFFD700},
    {"greenyellow", 0xADFF2F}, {"hotpink", 0xFF69B4}, {"indigo", 0x4B0082}, {"khaki", 0xF0E68C},
    {"lavenderblush", 0xFFF0F5}, {"lemonchiffon", 0xFFFACD}, {"lightcoral", 0xF08080},
    {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgrey", 0xD3D3D3}, {"lightsalmon", 0xFFA07A},
    {"lightskyblue", 0x87CEFA}, {"lightsteelblue", 0xB0C4DE}, {"limegreen", 0x32CD32}, {"magenta", 0xFF00FF},
    {"mediumblue", 0x0000CD}, {"mediumpurple", 0x9370DB}, {"mediumslateblue", 0x7B68EE},
    {"mediumturquoise", 0x48D1CC}, {"midnightblue", 0x191970}, {"mistyrose", 0xFFE4E1},
    {"navajowhite", 0xFFDEAD}, {"olivedrab", 0x6B8E23}, {"orangered", 0xFF4500}, {"goldenrod", 0xDAA520},
    {"honeydew", 0xF0FFF0}, {"indianred", 0xCD5C5C}, {"ivory", 0xFFFFF0}, {"lavender", 0xE6E6FA},
    {"lawngreen", 0x7CFC00}, {"lightblue", 0xADD8E6}, {"lightcyan", 0xE0FFFF}, {"lightgreen", 0x90EE90},
    {"lightpink", 0xFFB6C1}, {"lightseagreen", 0x20B2AA}, {"lightslategrey", 0x778899},
    {"lightyellow", 0xFFFFE0}, {"linen", 0xFAF0E6}, {"mediumaquamarine", 0x66CDAA}, {"mediumorchid", 0xBA55D3},
    {"mediumseagreen", 0x3CB371}, {"mediumspringgreen", 0x00FA9A}, {"mediumvioletred", 0xC71585},
    {"mintcream", 0xF5FFFA}, {"moccasin", 0xFFE4B5}, {"oldlace", 0xFDF5E6}, {"orange", 0xFFA500},
    {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"paleturquoise", 0xAFEEEE}, {"papayawhip", 0xFFEFD5},
    {"peru", 0xCD853F}, {"plum", 0xDDA0DD}, {"rosybrown", 0xBC8F8F}, {"saddlebrown", 0x8B4513},
    {"sandybrown", 0xF4A460}, {"seashell", 0xFFF5EE}, {"skyblue", 0x87CEEB}, {"slategrey", 0x708090},
    {"springgreen", 0x00FF7F}, {"tan", 0xD2B48C}, {"tomato", 0xFF6347}, {"violet", 0xEE82EE},
    {"whitesmoke", 0xF5F5F5}, {"palegreen", 0x98FB98}, {"palevioletred", 0xDB7093}, {"peachpuff", 0xFFDAB9},
    {"pink", 0xFFC0CB}, {"powderblue", 0xB0E0E6}, {"royalblue", 0x4169E1}, {"salmon", 0xFA8072},
    {"seagreen", 0x2E8B57}, {"sienna", 0xA0522D}, {"slateblue", 0x6A5ACD}, {"snow", 0xFFFAFA},
    {"steelblue", 0x4682B4}, {"thistle", 0xD8BFD8}, {"turquoise", 0x40E0D0}, {"wheat", 0xF5DEB3},
    {"yellowgreen", 0x9ACD32},
};
static_assert(std::size(kColours) == 140);

COLORREF toColorRef(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }

int pixelsPerInch(const HtmlCtx* ctx, bool horizontal)
{
    int ppi = ctx ? (horizontal ? ctx->pixelsX : ctx->pixelsY) : 0;
    return ppi > 0 ? ppi : 96;
}

}

namespace {

// Where the attribute at text begins and ends: its name (at most 300 characters) and its
// value, quoted or not, of any length. 0 when no attribute is left.
struct AttribSpan {
    const char* name = nullptr;
    std::size_t nameLength = 0;
    const char* value = nullptr;
    std::size_t valueLength = 0;
    int used = 0;
};

AttribSpan scanAttrib(const char* text)
{
    AttribSpan a;
    if (!text || !*text)
        return a;
    const char* p = text;
    while (*p == ' ')
        ++p;
    if (!*p)
        return a;
    a.name = p;
    while (*p && *p != '=' && *p != ' ' && a.nameLength < kHtmlTextSize)
        ++p, ++a.nameLength;
    const char* afterName = p;
    while (*p == ' ')
        ++p;
    if (*p != '=') {
        a.used = int(afterName - text);
        return a;
    }
    ++p;
    while (*p == ' ')
        ++p;
    if (!*p) {
        a.used = int(p - text);
        return a;
    }
    char quote = 0;
    if (*p == '"' || *p == '\'')
        quote = *p++;
    a.value = p;
    while (*p && *p != quote && (quote || *p != ' '))
        ++p, ++a.valueLength;
    if (quote && *p == quote)
        ++p;
    a.used = int(p - text);
    return a;
}

bool isNameCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '#'; }

// A value with its entities decoded ("&quot;", "&amp;", "&#39;"): only a name of letters and
// digits closed by ";" is one, so "a.cgi?x=1&y=2" stays as written. A kept reference stays
// as written, with its mark for the "&" when marked.
void decodeValue(std::string& destination, const char* source, std::size_t length, bool marked = false)
{
    destination.clear();
    for (std::size_t i = 0; i < length;) {
        // Most values hold no "&": they go in at once.
        const void* amp = std::memchr(source + i, '&', length - i);
        std::size_t plain = amp ? std::size_t(static_cast<const char*>(amp) - (source + i)) : length - i;
        destination.append(source + i, plain);
        i += plain;
        if (i == length)
            break;
        std::size_t end = i + 1;
        while (end < length && isNameCharacter(source[end]))
            ++end;
        int character = end < length && source[end] == ';' ? HtmlEntityCharacter(source + i + 1, end - i - 1)
                                                            : kNoReference;
        if (character == kKeptReference) {
            destination += marked ? kKeptReferenceMark : '&';
            destination.append(source + i + 1, end - i);
            i = end + 1;
        } else if (character != kNoReference) {
            if (character >= 0)
                destination += char(character);
            i = end + 1;
        } else {
            destination += source[i++];
        }
    }
}

}

int NextHtmlAttrib(HtmlCtx*, const char* text, std::string& name, std::string& value)
{
    AttribSpan a = scanAttrib(text);
    name.assign(a.name ? a.name : "", a.nameLength);
    decodeValue(value, a.value, a.valueLength);
    return a.used;
}

namespace {

// Only the value asked for is decoded: tags carry long links and styles.
int findAttrib(const char* text, const char* name, std::string& value, bool marked)
{
    std::size_t wanted = std::strlen(name);
    AttribSpan a;
    for (int at = 0; (a = scanAttrib(text + at)).used > 0; at += a.used)
        if (a.nameLength == wanted && strncasecmp(a.name, name, wanted) == 0) {
            decodeValue(value, a.value, a.valueLength, marked);
            return 1;
        }
    value.clear();
    return 0;
}

}

int GetHtmlAttrib(HtmlCtx*, const char* text, const char* name, std::string& value)
{
    return findAttrib(text, name, value, false);
}

int GetHtmlAttribKept(HtmlCtx*, const char* text, const char* name, std::string& value)
{
    return findAttrib(text, name, value, true);
}

std::string HtmlAttribsWithout(const char* text, std::initializer_list<const char*> names)
{
    std::string kept;
    AttribSpan a;
    for (int at = 0; (a = scanAttrib(text + at)).used > 0; at += a.used) {
        bool named = std::any_of(names.begin(), names.end(), [&](const char* name) {
            return std::strlen(name) == a.nameLength && strncasecmp(a.name, name, a.nameLength) == 0;
        });
        if (!named)
            kept.append(kept.empty() ? "" : " ").append(a.name, std::size_t(text + at + a.used - a.name));
    }
    return kept;
}

int ParseHtmlSize(HtmlCtx* ctx, const char* text, bool horizontal, bool allowPercent)
{
    if (!text)
        return 0;
    std::size_t length = std::strlen(text);
    int number = TextToInt(text);
    if (length > 1 && text[length - 1] == '%' && allowPercent)
        return -(number < 1 ? 1 : number);
    int ppi = pixelsPerInch(ctx, horizontal);
    if (length < 3)
        return MulDiv(number, 1440, ppi);
    const char* unit = text + length - 2;
    auto is = [&](const char* u) { return strncasecmp(unit, u, 2) == 0; };
    std::int64_t n = number;
    if (is("pt"))
        return MulDiv(n, 20, 1);
    if (is("pi") || is("em"))
        return MulDiv(n, 240, 1);
    if (is("in"))
        return MulDiv(n, 1440, 1);
    if (is("mm"))
        return int(std::clamp<std::int64_t>(n * 1440 / 25, INT32_MIN, INT32_MAX));
    if (is("cm"))
        return int(std::clamp<std::int64_t>(n * 14400 / 25, INT32_MIN, INT32_MAX));
    return MulDiv(n, 1440, ppi);
}

bool HtmlColorName(const char* name, COLORREF& colour)
{
    for (const NamedColour& c : kColours)
        if (strcasecmp(c.name, name) == 0) {
            colour = toColorRef(c.rgb);
            return true;
        }
    return false;
}

COLORREF GetHtmlColor(HtmlCtx*, const char* text)
{
    COLORREF colour = 0;
    if (!text || HtmlColorName(text, colour))
        return colour;
    if (*text == '#')
        ++text;
    std::size_t length = std::strlen(text);
    COLORREF red = length >= 2 ? HexToInt(text, 2) : 0;
    COLORREF green = length >= 4 ? HexToInt(text + 2, 2) : 0;
    COLORREF blue = length >= 6 ? HexToInt(text + 4, 2) : 0;
    return red | green << 8 | blue << 16;
}

}
