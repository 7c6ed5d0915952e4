// Character formatting words: style toggles, face, size, colours and our own numbers.
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"

namespace ks::editor::rtf {

// "\b" and "\b1" switch a style on, "\b0" switches it off.
void RtfParser::styleToggle(std::uint32_t bit, Param p)
{
    std::uint32_t& style = top().chars.style;
    style = !p.given || p.value != 0 ? style | bit : style & ~bit;
}

void RtfParser::styleOff(std::uint32_t bits, Param) { top().chars.style &= ~bits; }

void RtfParser::plain(std::uint32_t, Param) { top().chars = CharState{}; }

void RtfParser::charNumber(std::uint32_t which, Param p)
{
    CharState& c = top().chars;
    switch (which) {
    case CharNumber::Face: c.face = clampInt(p.value, 0, 0xFFFF); break;
    case CharNumber::HalfPoints: c.halfPoints = clampInt(p.value, 2, 3276); break;
    case CharNumber::Colour: c.colour = clampInt(p.value, 0, 0xFFFF); break;
    case CharNumber::SecondColour: c.colour2 = static_cast<std::uint32_t>(clampInt(p.value, 0, 0xFFFFFF)); break;
    case CharNumber::UserId: c.userId = clampInt(p.value, INT32_MIN, INT32_MAX); break;
    case CharNumber::SizeTag: c.tag = clampInt(p.value, INT32_MIN, INT32_MAX); break;
    }
}

}
