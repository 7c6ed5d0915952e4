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
// at the first character that does not fit (a line holds one character at least). reads
// is the last column looked at (the text's length when it ran out): the line depends on
// nothing after it.
std::uint32_t lineEnd(const ParaText& t, const FontCache& fonts, std::uint32_t start, float room, bool wrap,
                      std::uint32_t& reads)
{
    std::uint32_t n = static_cast<std::uint32_t>(t.chars.size());
    std::uint32_t lastBlank = 0;
    float x = 0;
    for (std::uint32_t i = start; i < n; ++i) {
        reads = i;
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
    reads = n;   // it ended with the text: more text would change it
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

namespace {

// The indents, spacing before and, for a rule paragraph, its line.
ParaGeometry frame(const ParaText& t)
{
    const ParaFormat& f = *t.format;
    ParaGeometry g;
    g.left = std::max(0, twipsToPixels(f.leftIndent));
    g.right = std::max(0, twipsToPixels(f.rightIndent));
    g.firstLeft = std::max(0, g.left + twipsToPixels(f.firstIndent));
    g.spaceBefore = std::max(0, twipsToPixels(f.spaceBefore));
    g.rule = isRule(f);
    if (g.rule) {
        // A rule paragraph is its line; its text (the end mark) takes no room.
        std::uint32_t n = static_cast<std::uint32_t>(t.chars.size());
        int thickness = std::clamp(f.lineValue > 0 ? f.lineValue : 2, 1, 50);
        g.lines.push_back({0, n, static_cast<float>(g.left), 0, g.spaceBefore, thickness + 2 * kRuleRoom,
                           thickness + kRuleRoom, n});
    }
    return g;
}

float firstOrigin(const ParaText& t, const ParaGeometry& g)
{
    return t.listed && t.format->firstIndent < 0 ? g.left : g.firstLeft + t.markerWidth;
}

}

ContentWidth contentWidth(const ParaText& t, const FontCache& fonts)
{
    ParaGeometry g = frame(t);
    float origin = firstOrigin(t, g), x = 0, word = 0, widest = 0, narrowest = 0;
    for (std::uint32_t i = 0; i < t.chars.size(); ++i) {
        char c = t.chars[i];
        if (c == kLineBreak || endsParagraph(c)) {
            widest = std::max(widest, origin + x);
            origin = static_cast<float>(g.left);
            x = word = 0;
            continue;
        }
        float a = charAdvance(t, fonts, i, x);
        x += a;
        word = c == ' ' ? 0 : word + a;
        narrowest = std::max(narrowest, origin + word);
    }
    widest = std::max(widest, origin + x);
    return {static_cast<int>(std::ceil(narrowest)) + g.right, static_cast<int>(std::ceil(widest)) + g.right};
}

namespace {

// The screen line starting at start, top at y.
ScreenLine layoutLine(const ParaText& t, const FontCache& fonts, const ParaGeometry& g, int width,
                      std::uint32_t start, bool first, int y)
{
    const ParaFormat& f = *t.format;
    std::uint32_t n = static_cast<std::uint32_t>(t.chars.size());
    float origin = first ? firstOrigin(t, g) : g.left;
    float room = std::max(1.0f, width - g.right - origin);
    ScreenLine line{start, 0, origin, 0, y, 0, 0, start};
    std::uint32_t end = n ? lineEnd(t, fonts, start, room, !(f.styleFlags & kNoWrap), line.reads) : 0;
    line.length = end - start;
    Extent ext = extentOf(t, fonts, start, std::max(end, std::min(start + 1, n)));
    if (ext.ascent == 0 && ext.descent == 0)
        ext = {fonts.get(0).ascent, fonts.get(0).descent};
    int natural = static_cast<int>(std::ceil(ext.ascent) + std::ceil(ext.descent));
    line.height = lineHeight(natural, f.lineValue);
    line.baseline = line.height - static_cast<int>(std::ceil(ext.descent));
    float used;
    int blanks;
    measure(t, fonts, start, end, used, blanks);
    bool lastOfPara = end >= n || t.chars[end - 1] == kLineBreak;
    std::uint32_t align = f.flags & kAlignBits;
    if (align == kAlignCentre)
        line.x += std::max(0.0f, (room - used) / 2);
    else if (align == kAlignRight)
        line.x += std::max(0.0f, room - used);
    else if (align == kAlignJustify && !lastOfPara && blanks > 0 && used < room)
        line.blankExtra = (room - used) / blanks;
    return line;
}

// Lines from start (top y) to the paragraph's end. reuse, when given, may hand back the
// rest of the lines for a start it knows; then the laying out stops there.
template <class Reuse>
void layoutFrom(const ParaText& t, const FontCache& fonts, int width, ParaGeometry& g, std::uint32_t start, int y,
                Reuse&& reuse)
{
    std::uint32_t n = static_cast<std::uint32_t>(t.chars.size());
    while (start < n || g.lines.empty()) {
        if (!g.lines.empty() && reuse(start, y))
            break;
        ScreenLine line = layoutLine(t, fonts, g, width, start, g.lines.empty(), y);
        g.lines.push_back(line);
        y += line.height;
        if (line.length == 0)
            break;
        start += line.length;
    }
    int bottom = g.lines.empty() ? y : g.lines.back().top + g.lines.back().height;
    g.height = bottom + std::max(0, twipsToPixels(t.format->spaceAfter));
}

}

ParaGeometry layoutParagraph(const ParaText& t, const FontCache& fonts, int width)
{
    ParaGeometry g = frame(t);
    if (g.rule)
        g.height = g.lines[0].top + g.lines[0].height + std::max(0, twipsToPixels(t.format->spaceAfter));
    else
        layoutFrom(t, fonts, width, g, 0, g.spaceBefore, [](std::uint32_t, int) { return false; });
    return g;
}

ParaGeometry relayoutParagraph(const ParaText& t, const FontCache& fonts, int width, const ParaGeometry& old,
                               std::size_t same, std::size_t tail, std::size_t oldN)
{
    ParaGeometry g = frame(t);
    std::size_t n = t.chars.size();
    if (g.rule || old.rule || old.lines.empty() || same + tail > std::min(n, oldN))
        return layoutParagraph(t, fonts, width);
    // The changed stretch: [same, n - tail) here, [same, oldN - tail) before.
    // Lines that looked at nothing changed stay as they were.
    std::size_t kept = 0;
    while (kept < old.lines.size() && old.lines[kept].reads < same && old.lines[kept].length > 0)
        ++kept;
    g.lines.assign(old.lines.begin(), old.lines.begin() + static_cast<std::ptrdiff_t>(kept));
    std::uint32_t start = kept ? old.lines[kept - 1].start + old.lines[kept - 1].length : 0;
    int y = kept ? old.lines[kept - 1].top + old.lines[kept - 1].height : g.spaceBefore;
    // A line starting in the unchanged tail (and not the first) is the old one moved, and so are all after it.
    const std::int64_t shift = static_cast<std::int64_t>(n) - static_cast<std::int64_t>(oldN);
    auto reuse = [&](std::uint32_t from, int top) {
        if (from < n - tail || from == 0)
            return false;
        auto oldStart = static_cast<std::uint32_t>(from - shift);
        auto it = std::lower_bound(old.lines.begin() + 1, old.lines.end(), oldStart,
                                   [](const ScreenLine& l, std::uint32_t v) { return l.start < v; });
        if (it == old.lines.end() || it->start != oldStart)
            return false;
        int dy = top - it->top;
        for (; it != old.lines.end(); ++it) {
            ScreenLine l = *it;
            l.start = static_cast<std::uint32_t>(l.start + shift);
            l.reads = static_cast<std::uint32_t>(l.reads + shift);
            l.top += dy;
            g.lines.push_back(l);
        }
        return true;
    };
    layoutFrom(t, fonts, width, g, start, y, reuse);
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
