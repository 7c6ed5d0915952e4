#pragma once
// What the parser's files share: the bounds of what a file may ask for, parameter
// clamps, and the numbers the word table hands to the handlers of a group.
#include <algorithm>
#include <array>
#include <cstdint>

namespace ks::editor::rtf {

constexpr int kMaxDepth = 16;        // table nesting a hostile file could push without end
constexpr int kTwipsPerPixel = 15;

inline int clampInt(long long v, long long lo, long long hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

// Sizes and offsets in twips, kept well inside an int's range.
inline int twips(long long v) { return clampInt(v, -0x7FFFFFF, 0x7FFFFFF); }

inline constexpr auto kHexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i)
        values['0' + i] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i)
        values['a' + i] = values['A' + i] = static_cast<std::int8_t>(10 + i);
    return values;
}();

inline int hexValue(char c) { return kHexValues[static_cast<unsigned char>(c)]; }

// Which number a word sets, for the handlers that take several words (as the entry's arg).
struct CharNumber {
    enum : std::uint32_t { Face, HalfPoints, Colour, SecondColour, UserId, SizeTag };
};
struct ParaNumber {
    enum : std::uint32_t {
        LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter, LineValue, TypeWord, Opaque4, Opaque5,
        RuleValue, StyleFlags, RuleWord
    };
};
struct PictureNumber {
    enum : std::uint32_t { Width, Height, GoalWidth, GoalHeight, Aux, Valign, FloatSide };
};
struct RowNumber {
    enum : std::uint32_t { Height, Width, Alignment, Columns };
};
struct CellNumber {
    enum : std::uint32_t { Width, Height, RowSpan, ColSpan, Flags, Alignment, Colour, Padding };
};

}
