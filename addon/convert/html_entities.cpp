#include "addon/convert/html_entities.h"

#include "addon/convert/html_tokenizer_state.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <strings.h>

namespace ks::addon {
namespace {

struct Entity {
    std::string_view name;
    char32_t character;
};

// The names of HTML 4's three entity sets. Latin-1 names U+00A0 to U+00FF in order.
constexpr std::string_view kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

constexpr Entity kSpecial[] = {
    {"quot", 34},      {"amp", 38},       {"lt", 60},       {"gt", 62},       {"OElig", 338},   {"oelig", 339},
    {"Scaron", 352},   {"scaron", 353},   {"Yuml", 376},    {"circ", 710},    {"tilde", 732},   {"ensp", 8194},
    {"emsp", 8195},    {"thinsp", 8201},  {"zwnj", 8204},   {"zwj", 8205},    {"lrm", 8206},    {"rlm", 8207},
    {"ndash", 8211},   {"mdash", 8212},   {"lsquo", 8216},  {"rsquo", 8217},  {"sbquo", 8218},  {"ldquo", 8220},
    {"rdquo", 8221},   {"bdquo", 8222},   {"dagger", 8224}, {"Dagger", 8225}, {"permil", 8240}, {"lsaquo", 8249},
    {"rsaquo", 8250},  {"euro", 8364}};

constexpr Entity kSymbols[] = {
    {"fnof", 402},     {"Alpha", 913},    {"Beta", 914},     {"Gamma", 915},    {"Delta", 916},   {"Epsilon", 917},
    {"Zeta", 918},     {"Eta", 919},      {"Theta", 920},    {"Iota", 921},     {"Kappa", 922},   {"Lambda", 923},
    {"Mu", 924},       {"Nu", 925},       {"Xi", 926},       {"Omicron", 927},  {"Pi", 928},      {"Rho", 929},
    {"Sigma", 931},    {"Tau", 932},      {"Upsilon", 933},  {"Phi", 934},      {"Chi", 935},     {"Psi", 936},
    {"Omega", 937},    {"alpha", 945},    {"beta", 946},     {"gamma", 947},    {"delta", 948},   {"epsilon", 949},
    {"zeta", 950},     {"eta", 951},      {"theta", 952},    {"iota", 953},     {"kappa", 954},   {"lambda", 955},
    {"mu", 956},       {"nu", 957},       {"xi", 958},       {"omicron", 959},  {"pi", 960},      {"rho", 961},
    {"sigmaf", 962},   {"sigma", 963},    {"tau", 964},      {"upsilon", 965},  {"phi", 966},     {"chi", 967},
    {"psi", 968},      {"omega", 969},    {"thetasym", 977}, {"upsih", 978},    {"piv", 982},     {"bull", 8226},
    {"hellip", 8230},  {"prime", 8242},   {"Prime", 8243},   {"oline", 8254},   {"frasl", 8260},  {"weierp", 8472},
    {"image", 8465},   {"real", 8476},    {"trade", 8482},   {"alefsym", 8501}, {"larr", 8592},   {"uarr", 8593},
    {"rarr", 8594},    {"darr", 8595},    {"harr", 8596},    {"crarr", 8629},   {"lArr", 8656},   {"uArr", 8657},
    {"rArr", 8658},    {"dArr", 8659},    {"hArr", 8660},    {"forall", 8704},  {"part", 8706},   {"exist", 8707},
    {"empty", 8709},   {"nabla", 8711},   {"isin", 8712},    {"notin", 8713},   {"ni", 8715},     {"prod", 8719},
    {"sum", 8721},     {"minus", 8722},   {"lowast", 8727},  {"radic", 8730},   {"prop", 8733},   {"infin", 8734},
    {"ang", 8736},     {"and", 8743},     {"or", 8744},      {"cap", 8745},     {"cup", 8746},    {"int", 8747},
    {"there4", 8756},  {"sim", 8764},     {"cong", 8773},    {"asymp", 8776},   {"ne", 8800},     {"equiv", 8801},
    {"le", 8804},      {"ge", 8805},      {"sub", 8834},     {"sup", 8835},     {"nsub", 8836},   {"sube", 8838},
    {"supe", 8839},    {"oplus", 8853},   {"otimes", 8855},  {"perp", 8869},    {"sdot", 8901},   {"lceil", 8968},
    {"rceil", 8969},   {"lfloor", 8970},  {"rfloor", 8971},  {"lang", 9001},    {"rang", 9002},   {"loz", 9674},
    {"spades", 9824},  {"clubs", 9827},   {"hearts", 9829},  {"diams", 9830}};

constexpr std::size_t kEntityCount = std::size(kLatin1Names) + std::size(kSpecial) + std::size(kSymbols);

// All of them, sorted by name for the search.
constexpr auto kEntities = [] {
    std::array<Entity, kEntityCount> all{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < std::size(kLatin1Names); ++i)
        all[n++] = {kLatin1Names[i], char32_t(0xA0 + i)};
    for (const Entity& e : kSpecial)
        all[n++] = e;
    for (const Entity& e : kSymbols)
        all[n++] = e;
    std::sort(all.begin(), all.end(), [](const Entity& a, const Entity& b) { return a.name < b.name; });
    return all;
}();
static_assert(std::adjacent_find(kEntities.begin(), kEntities.end(), [](const Entity& a, const Entity& b) {
                  return a.name == b.name;
              }) == kEntities.end());

// Names read ignoring letter case ("AMP;" too), as pages wrote them before the case mattered.
constexpr std::string_view kCaseBlind[] = {"amp", "lt", "gt", "quot", "deg", "nbsp", "copy", "reg"};

// Names browsers take without their ";" where no letter or digit follows ("&copy 2024"):
// the case-blind ones in lower case and the Latin-1 letters.
bool isLegacyName(std::string_view name)
{
    if (std::find(std::begin(kCaseBlind), std::end(kCaseBlind), name) != std::end(kCaseBlind))
        return true;
    char32_t c = HtmlEntityCodePoint(name.data(), name.size());
    return c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7;
}

// The characters Windows-1252 puts at 0x80-0x9F; 0 where it has none.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Windows-1252 character of a referenced Unicode character: a tab or line end is a
// blank, other control characters are left out.
int referencedCharacter(std::uint32_t value)
{
    if (value == '\t' || value == '\n' || value == '\r')
        return ' ';
    if (value < 32 || value == 127)
        return kLeftOut;
    if (value >= 0x80 && value < 0xA0)
        return static_cast<int>(value);   // these name Windows-1252's characters, as browsers read them
    int byte = Windows1252Byte(value);
    return byte >= 0 ? byte : kKeptReference;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }
bool isNameChar(char c) { return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }

// "#" and decimal digits, or "#x" and hexadecimal ones; 0 characters when there are none.
std::size_t numericLength(const char* text, std::size_t length)
{
    if (length < 2 || text[0] != '#')
        return 0;
    bool hex = text[1] == 'x' || text[1] == 'X';
    std::size_t i = hex ? 2 : 1;
    while (i < length && (hex ? isHexDigit(text[i]) : isDigit(text[i])))
        ++i;
    return i > (hex ? 2u : 1u) ? i : 0;
}

int numericReference(const char* name, std::size_t length)
{
    bool hex = name[1] == 'x' || name[1] == 'X';
    std::uint32_t value = 0;
    for (std::size_t i = hex ? 2 : 1; i < length; ++i) {
        char c = name[i];
        unsigned digit = isDigit(c) ? unsigned(c - '0') : unsigned((c | 0x20) - 'a' + 10);
        value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    return value > 0x10FFFF ? kKeptReference : referencedCharacter(value);
}

// The longest name kept unknown: longer ones are text, as no such entity exists.
constexpr std::size_t kLongestName = 31;

struct Reference {
    int character = kNoReference;
    int length = 0;                 // of the reference after its "&", with its ";"
    bool semicolon = false;
};

// The reference whose "&" stands before text (length characters on).
Reference readReference(const char* text, std::size_t length)
{
    std::size_t name = numericLength(text, length);
    bool numeric = name > 0;
    if (!numeric)
        while (name < length && name <= kLongestName && isNameChar(text[name]))
            ++name;
    if (name == 0 || name > kLongestName)
        return {};
    bool semicolon = name < length && text[name] == ';';
    int character;
    if (numeric)
        character = numericReference(text, name);
    else if (semicolon)
        character = HtmlEntityCharacter(text, name);
    else
        character = isLegacyName({text, name}) ? HtmlEntityCharacter(text, name) : kNoReference;
    if (!numeric && !semicolon && name < length && isNameChar(text[name]))
        character = kNoReference;
    return {character, int(name + semicolon), semicolon};
}

}

char32_t HtmlEntityCodePoint(const char* name, std::size_t length)
{
    std::string_view key(name, length);
    auto found = std::lower_bound(kEntities.begin(), kEntities.end(), key,
                                  [](const Entity& e, std::string_view k) { return e.name < k; });
    return found != kEntities.end() && found->name == key ? found->character : 0;
}

const char* HtmlEntityName(char32_t character)
{
    for (const Entity& e : kEntities)
        if (e.character == character)
            return e.name.data();
    return nullptr;
}

int Windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == character && character)
            return 0x80 + i;
    return -1;
}

char32_t Windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 && kCp1252High[byte - 0x80] ? kCp1252High[byte - 0x80] : byte;
}

int HtmlEntityCharacter(const char* name, std::size_t length)
{
    if (length == 0)
        return kNoReference;
    if (name[0] == '#')
        return numericLength(name, length) == length ? numericReference(name, length) : kNoReference;
    if (!std::all_of(name, name + length, isNameChar))
        return kNoReference;
    for (std::string_view blind : kCaseBlind)
        if (blind.size() == length && strncasecmp(blind.data(), name, length) == 0)
            return blind == "nbsp" ? ' ' : referencedCharacter(HtmlEntityCodePoint(blind.data(), blind.size()));
    char32_t c = HtmlEntityCodePoint(name, length);
    return c ? referencedCharacter(c) : kKeptReference;
}

std::size_t KeptReferenceLength(std::string_view text)
{
    auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    std::size_t n = 1;
    // A number ends with its digits, as it was read: letters after it ("&#9731x") are text.
    if (at(n) == '#') {
        bool hex = at(n + 1) == 'x' || at(n + 1) == 'X';
        for (n += hex ? 2 : 1; hex ? isHexDigit(at(n)) : isDigit(at(n));)
            ++n;
    } else {
        while (isNameChar(at(n)))
            ++n;
    }
    return std::min(n + (at(n) == ';'), text.size());
}

std::size_t KeptTextCut(std::string_view kept, std::size_t most)
{
    std::size_t cut = std::min(most, kept.size());
    for (std::size_t i = 0; i < cut; ++i) {
        if (kept[i] != kKeptReferenceMark)
            continue;
        std::size_t end = i + KeptReferenceLength(kept.substr(i));
        if (end > cut)
            return i;
        i = end - 1;
    }
    return cut;
}

void RestoreKeptReferences(char* text, int length)
{
    std::replace(text, text + length, kKeptReferenceMark, '&');
}

std::string ShownText(std::string_view kept)
{
    std::string shown(kept);
    RestoreKeptReferences(shown.data(), int(shown.size()));
    return shown;
}

std::string KeepReferences(std::string_view shown, std::string_view kept)
{
    std::string was = ShownText(kept);
    std::size_t most = std::min(shown.size(), was.size());
    std::size_t before = std::mismatch(shown.begin(), shown.begin() + std::ptrdiff_t(most), was.begin()).first - shown.begin();
    std::size_t after = 0;
    while (after < most - before && shown[shown.size() - 1 - after] == was[was.size() - 1 - after])
        ++after;
    std::string text(kept.substr(0, before));
    for (std::size_t mark = text.find(kKeptReferenceMark); mark != std::string::npos;
         mark = text.find(kKeptReferenceMark, mark + 1))
        if (mark + KeptReferenceLength(kept.substr(mark)) > before)
            text[mark] = '&';
    text.append(shown.substr(before, shown.size() - before - after));
    text.append(kept.substr(kept.size() - after));
    return text;
}

int DecodeHtmlRun(const char* run, int length, char* word)
{
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
        Reference ref = readReference(run + i + 1, std::size_t(length - i - 1));
        if (ref.character == kNoReference) {
            word[out++] = '&';
            continue;
        }
        if (ref.character == kKeptReference) {
            // Kept in place, with its mark for the "&": the word is never longer than the run.
            word[out++] = kKeptReferenceMark;
            std::memmove(word + out, run + i + 1, std::size_t(ref.length));
            out += ref.length;
        } else if (ref.character != kLeftOut) {
            word[out++] = static_cast<char>(ref.character);
        }
        i += ref.length;
    }
    word[out] = 0;
    return out;
}

}
