#include "platform/slides/xml_text.h"

#include <pugixml.hpp>
#include <sstream>

namespace ks::slides {

namespace {
// Length of the valid UTF-8 sequence at text[i], or 0.
std::size_t sequenceLength(std::string_view text, std::size_t i, char32_t& code)
{
    auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    code = length == 1 ? byte : byte & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        auto next = static_cast<unsigned char>(text[i + k]);
        if ((next >> 6) != 2)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    bool valid = code >= kLeast[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    return valid ? length : 0;
}

bool allowedInXml(char32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code != 0xFFFE && code != 0xFFFF);
}
}

std::string xmlSafeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        std::size_t length = sequenceLength(text, i, code);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (allowedInXml(code))
            out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string xmlString(const pugi::xml_document& doc)
{
    std::ostringstream out;
    out << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" "\n";
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    return out.str();
}

}

namespace ks::slides {

std::string xmlEscape(std::string_view text)
{
    std::string out;
    for (char c : xmlSafeText(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}
