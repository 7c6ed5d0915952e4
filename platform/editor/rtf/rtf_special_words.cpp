// Breaks, the ends of cells and rows, special characters and Unicode.
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"

namespace ks::editor::rtf {
namespace {

// Windows-1252 bytes 0x80-0x9F by their Unicode code point.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// The document's character set is Windows-1252: other code points read as '?'.
char fromUnicode(long long cp)
{
    if (cp < 0)
        cp += 65536;   // "\u" is a signed 16-bit number
    if (cp >= 0x20 && cp < 0x80)
        return static_cast<char>(cp);
    if (cp >= 0xA0 && cp <= 0xFF)
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

}

void RtfParser::paragraphEnd(std::uint32_t, Param) { endPiece(kParaMark, top().para.depth); }

void RtfParser::character(std::uint32_t c, Param) { text(static_cast<char>(c)); }

// "\cell" ends an outer cell, "\nestcell" one at the paragraph's depth (at least 2).
void RtfParser::cellText(std::uint32_t nested, Param) { endCell(nested ? std::max(2, top().para.depth) : 1); }

void RtfParser::rowText(std::uint32_t nested, Param) { endRow(nested ? std::max(2, top().para.depth) : 1); }

// "\uN" is followed by "\ucN" characters for readers without Unicode: those are skipped.
void RtfParser::unicode(std::uint32_t, Param p)
{
    if (!p.given)
        return;
    text(fromUnicode(p.value));
    skipChars_ = top().unicodeSkip;
}

void RtfParser::unicodeSkip(std::uint32_t, Param p) { top().unicodeSkip = clampInt(p.value, 0, 10); }

}
