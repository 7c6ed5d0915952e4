#pragma once
// One paragraph cut into screen lines at a width: where each line starts, its
// height and baseline, and where its text begins after indents and alignment.
#include "platform/editor/model/para_formats.h"
#include "platform/editor/view/font_cache.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ks::editor::view {

struct ScreenLine {
    std::uint32_t start = 0, length = 0;   // columns of the paragraph
    float x = 0;                           // where the text starts, from the paragraph's left
    float blankExtra = 0;                  // added to each blank of a justified line
    int top = 0;                           // from the paragraph's top
    int height = 0;
    int baseline = 0;                      // from the line's top
    std::uint32_t reads = 0;               // the last column its cutting looked at
};

struct ParaGeometry {
    std::vector<ScreenLine> lines;
    int height = 0;        // spacing before and after included
    int left = 0, right = 0, firstLeft = 0;   // indents in pixels (first line: firstLeft)
    int spaceBefore = 0;
    bool rule = false;
};

// What a paragraph's text is and how it looks.
struct ParaText {
    std::string_view chars;
    const std::uint16_t* fonts = nullptr;
    const ParaFormat* format = nullptr;
    float markerWidth = 0;   // a list marker's room before the first line's text
    bool listed = false;     // a list paragraph: a hanging first line holds the marker, the text starts at the indent
};

ParaGeometry layoutParagraph(const ParaText& text, const FontCache& fonts, int width);

// The same after an edit, from the paragraph's old layout (same format, fonts and width) of
// oldLength characters, the first same and the last tail of which the edit left alone: the old
// lines before the change are kept, and once a line starts in the unchanged tail the old lines
// from there are moved, so a keystroke in a long paragraph lays out a few lines.
ParaGeometry relayoutParagraph(const ParaText& text, const FontCache& fonts, int width, const ParaGeometry& old,
                               std::size_t same, std::size_t tail, std::size_t oldLength);

// The width a paragraph needs without wrapping (widest) and at its longest word (narrowest),
// indents included: what sizes a table column that has no width of its own.
struct ContentWidth {
    int narrowest = 0, widest = 0;
};
ContentWidth contentWidth(const ParaText& text, const FontCache& fonts);

// Walks a screen line's characters left to right, giving each one's x.
class LineWalker {
public:
    LineWalker(const ParaText& text, const FontCache& fonts, const ScreenLine& line);
    bool done() const { return col_ >= end_; }
    std::uint32_t col() const { return col_; }
    float x() const { return x_; }        // of the current character's left edge
    float advance() const;                // of the current character
    void next() { x_ += advance(); ++col_; }

private:
    const ParaText& text_;
    const FontCache& fonts_;
    float blankExtra_, origin_;
    std::uint32_t col_, end_;
    float x_;
};

// The advance of a tab at x (from the text origin): to the next half-inch stop.
float tabAdvance(float x);

}
