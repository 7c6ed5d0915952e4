#include "addon/convert/html_charset.h"

#include "addon/convert/html_entities.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <strings.h>

namespace ks::addon {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Declarations stand in the head; a page that names none there names none.
constexpr std::size_t kDeclarationReach = 65536;

enum class Declared { Nothing, Utf8, Other };

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; }

// The offset of word in text from `from` on, ignoring letter case, or npos.
std::size_t findBlind(std::string_view text, std::string_view word, std::size_t from = 0)
{
    auto found = std::search(text.begin() + std::ptrdiff_t(std::min(from, text.size())), text.end(), word.begin(),
                             word.end(), [](char a, char b) { return lower(a) == lower(b); });
    return found == text.end() ? std::string_view::npos : std::size_t(found - text.begin());
}

// What the value after "name" in a tag's text declares: charset=utf-8, encoding="UTF-8".
Declared valueAfter(std::string_view tag, std::string_view name)
{
    std::size_t at = findBlind(tag, name);
    if (at == std::string_view::npos)
        return Declared::Nothing;
    std::size_t i = at + name.size();
    auto skip = [&](std::string_view chars) {
        while (i < tag.size() && chars.find(tag[i]) != std::string_view::npos)
            ++i;
    };
    skip(" \t\r\n");
    if (i >= tag.size() || tag[i] != '=')
        return Declared::Nothing;
    ++i;
    skip(" \t\r\n\"'");
    std::size_t end = i;
    while (end < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[end])) || tag[end] == '-' || tag[end] == '_'))
        ++end;
    std::string_view value = tag.substr(i, end - i);
    if (value.empty())
        return Declared::Nothing;
    bool utf8 = (value.size() == 5 && strncasecmp(value.data(), "utf-8", 5) == 0) ||
                (value.size() == 4 && strncasecmp(value.data(), "utf8", 4) == 0);
    return utf8 ? Declared::Utf8 : Declared::Other;
}

Declared declaration(std::string_view page)
{
    std::string_view head = page.substr(0, std::min(page.size(), kDeclarationReach));
    if (std::size_t body = findBlind(head, "<body"); body != std::string_view::npos)
        head = head.substr(0, body);
    std::size_t start = head.find_first_not_of(" \t\r\n");
    if (start != std::string_view::npos && head.substr(start, 5) == "<?xml") {
        std::size_t end = head.find("?>", start);
        Declared d = valueAfter(head.substr(start, end == std::string_view::npos ? end : end - start), "encoding");
        if (d != Declared::Nothing)
            return d;
    }
    for (std::size_t at = findBlind(head, "<meta"); at != std::string_view::npos; at = findBlind(head, "<meta", at + 5)) {
        std::size_t end = head.find('>', at);
        Declared d = valueAfter(head.substr(at, end == std::string_view::npos ? end : end - at), "charset");
        if (d != Declared::Nothing)
            return d;
    }
    return Declared::Nothing;
}

// The character of the UTF-8 sequence at text (its length in `length`), or -1 when the
// bytes are no well-formed sequence.
std::int32_t utf8Character(std::string_view text, std::size_t& length)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char first = byte(0);
    length = first < 0x80 ? 1 : first >= 0xC2 && first < 0xE0 ? 2 : first >= 0xE0 && first < 0xF0 ? 3
           : first >= 0xF0 && first < 0xF5                    ? 4
                                                              : 0;
    if (length == 0 || length > text.size())
        return -1;
    std::int32_t c = length == 1 ? first : first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return -1;
        c = c << 6 | (byte(i) & 0x3F);
    }
    static constexpr std::int32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        return -1;
    return c;
}

bool allUtf8(std::string_view page)
{
    bool beyondAscii = false;
    for (std::size_t i = 0; i < page.size();) {
        if (static_cast<unsigned char>(page[i]) < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        if (utf8Character(page.substr(i), length) < 0)
            return false;
        beyondAscii = true;
        i += length;
    }
    return beyondAscii;
}

}

bool IsUtf8Page(std::string_view page)
{
    if (page.substr(0, 3) == kByteOrderMark)
        return true;
    switch (declaration(page)) {
    case Declared::Utf8: return true;
    case Declared::Other: return false;
    case Declared::Nothing: return allUtf8(page);
    }
    return false;
}

std::string Utf8PageToWindows1252(std::string_view page)
{
    if (page.substr(0, 3) == kByteOrderMark)
        page.remove_prefix(3);
    std::string text;
    text.reserve(page.size());
    for (std::size_t i = 0; i < page.size();) {
        if (static_cast<unsigned char>(page[i]) < 0x80) {
            std::size_t plain = i;
            while (plain < page.size() && static_cast<unsigned char>(page[plain]) < 0x80)
                ++plain;
            text.append(page.substr(i, plain - i));
            i = plain;
            continue;
        }
        std::size_t length;
        std::int32_t c = utf8Character(page.substr(i), length);
        if (c < 0) {
            text += page[i++];
            continue;
        }
        i += length;
        if (int byte = Windows1252Byte(char32_t(c)); byte >= 0) {
            text += char(byte);
        } else if (const char* name = HtmlEntityName(char32_t(c))) {
            text.append("&").append(name).append(";");
        } else {
            text.append("&#").append(std::to_string(c)).append(";");
        }
    }
    return text;
}

}
