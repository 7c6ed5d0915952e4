#include "platform/editor/view/para_layout.h"
#include "platform/editor/model/line_flags.h"

#include <algorithm>
#include <cmath>

namespace ks::editor::view {
namespace {

constexpr float kTabStop = 48;   // half an inch
constexpr int kRuleRoom = 8;     // space around a rule's line

float charAdvance(const ParaText& t, const FontCache& fonts, std::uint32_t i, float x)
{
    unsigned char c = static_cast<unsigned char>(t.chars[i]);
    if (c == '\t')
        return fonts.get(t.fonts[i]).hidden ? 0 : tabAdvance(x);
    return fonts.get(t.fonts[i]).advance[c];
}

struct Extent {
    float ascent = 0, descent = 0;
};

Extent extentOf(const ParaText& t, const FontCache& fonts, std::uint32_t start, std::uint32_t end)
{
    Extent e;
    for (std::uint32_t i = start; i < end; ++i) {
        const ScreenFont& f = fonts.get(t.fonts[i]);
        if (f.hidden && end - start > 1)
            continue;
        e.ascent = std::max(e.ascent, f.ascent);
        e.descent = std::max(e.descent, f.descent);
    }
    return e;
}

// Where the line [start, ...) ends: after a forced break, at the last blank that fits, or
// at the first character that does not fit (a line holds one character at least).
std::uint32_t lineEnd(const ParaText& t, const FontCache& fonts, std::uint32_t start, float room, bool wrap)
{
    std::uint32_t n = static_cast<std::uint32_t>(t.chars.size());
    std::uint32_t lastBlank = 0;
    float x = 0;
    for (std::uint32_t i = start; i < n; ++i) {
        char c = t.chars[i];
        if (c == kLineBreak || endsParagraph(c))
            return i + 1;
        float a = charAdvance(t, fonts, i, x);
        if (wrap && c != ' ' && x + a > room && i > start)
            return lastBlank > start ? lastBlank : i;
        if (c == ' ')
            lastBlank = i + 1;
        x += a;
    }
    return n;
}

// The drawn width of a line (trailing blanks and end marks hang) and its blanks inside.
void measure(const ParaText& t, const FontCache& fonts, std::uint32_t start, std::uint32_t end, float& width,
             int& blanks)
{
    std::uint32_t last = end;
    while (last > start && (t.chars[last - 1] == ' ' || endsParagraph(t.chars[last - 1]) ||
                            t.chars[last - 1] == kLineBreak))
        --last;
    width = 0;
    blanks = 0;
    for (std::uint32_t i = start; i < last; ++i) {
        width += charAdvance(t, fonts, i, width);
        blanks += t.chars[i] == ' ';
    }
}

int lineHeight(int natural, int lineValue)
{
    if (lineValue < 0)
        return std::max(1, twipsToPixels(-lineValue));
    return std::max(natural, twipsToPixels(lineValue));
}

}

float tabAdvance(float x) { return kTabStop - std::fmod(std::max(x, 0.0f), kTabStop); }

ParaGeometry layoutParagraph(const ParaText& t, const FontCache& fonts, int width)
{
    const ParaFormat& f = *t.format;
    ParaGeometry g;
    g.left = std::max(0, twipsToPixels(f.leftIndent));
    g.right = std::max(0, twipsToPixels(f.rightIndent));
    g.firstLeft = std::max(0, g.left + twipsToPixels(f.firstIndent));
    g.spaceBefore = std::max(0, twipsToPixels(f.spaceBefore));
    g.rule = isRule(f);
    int y = g.spaceBefore;
    std::uint32_t n = static_cast<std::uint32_t>(t.chars.size());
    if (g.rule) {
        // A rule paragraph is its line; its text (the end mark) takes no room.
        int thickness = std::clamp(f.lineValue > 0 ? f.lineValue : 2, 1, 50);
        g.lines.push_back({0, n, static_cast<float>(g.left), 0, y, thickness + 2 * kRuleRoom, thickness + kRuleRoom});
        y += thickness + 2 * kRuleRoom;
    }
    bool wrap = !(f.styleFlags & kNoWrap);
    std::uint32_t align = f.flags & kAlignBits;
    for (std::uint32_t start = 0; !g.rule && (start < n || g.lines.empty());) {
        bool first = g.lines.empty();
        float firstOrigin = t.listed && f.firstIndent < 0 ? g.left : g.firstLeft + t.markerWidth;
        float origin = first ? firstOrigin : g.left;
        float room = std::max(1.0f, width - g.right - origin);
        std::uint32_t end = n ? lineEnd(t, fonts, start, room, wrap) : 0;
        Extent ext = extentOf(t, fonts, start, std::max(end, std::min(start + 1, n)));
        if (ext.ascent == 0 && ext.descent == 0)
            ext = {fonts.get(0).ascent, fonts.get(0).descent};
        ScreenLine line{start, end - start, origin, 0, y, 0, 0};
        int natural = static_cast<int>(std::ceil(ext.ascent) + std::ceil(ext.descent));
        line.height = lineHeight(natural, f.lineValue);
        line.baseline = line.height - static_cast<int>(std::ceil(ext.descent));
        float used;
        int blanks;
        measure(t, fonts, start, end, used, blanks);
        bool lastOfPara = end >= n || t.chars[end - 1] == kLineBreak;
        if (align == kAlignCentre)
            line.x += std::max(0.0f, (room - used) / 2);
        else if (align == kAlignRight)
            line.x += std::max(0.0f, room - used);
        else if (align == kAlignJustify && !lastOfPara && blanks > 0 && used < room)
            line.blankExtra = (room - used) / blanks;
        g.lines.push_back(line);
        y += line.height;
        if (end <= start)
            break;
        start = end;
    }
    g.height = y + std::max(0, twipsToPixels(f.spaceAfter));
    return g;
}

LineWalker::LineWalker(const ParaText& text, const FontCache& fonts, const ScreenLine& line)
    : text_(text), fonts_(fonts), blankExtra_(line.blankExtra), origin_(line.x), col_(line.start),
      end_(line.start + line.length), x_(line.x)
{
}

float LineWalker::advance() const
{
    float a = charAdvance(text_, fonts_, col_, x_ - origin_);
    return text_.chars[col_] == ' ' ? a + blankExtra_ : a;
}

}
