#include "addon/core/font_elements.h"

#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <algorithm>
#include <cstring>

namespace ks::addon {
namespace {

const char* const kNames[kFontElementCount] = {
    "Body Text", "Header 1", "Header 2", "Header 3", "Header 4", "Header 5", "Header 6",
    "Header 7", "Address", "Block Quote", "Menu List", "Directory List", "Preformatted Text",
    "Example", "Variables", "Keyboard Input", "Sample Text", "Times Roman", "Helvetica Font",
    "Typewriter Style"};

void setFace(FontElement& e, const char* face) { copyCtxText(e.face, face, sizeof e.face); }

}

const char* fontElementName(int element)
{
    return element >= 0 && element < kFontElementCount ? kNames[element] : "";
}

void setFontElementDefaults(HtmlCtx& ctx, bool multiByte, const char* font0Face)
{
    for (FontElement& e : ctx.fonts) {
        e = FontElement{};
        setFace(e, "Times New Roman");
        e.points = 11;
    }
    const int headerPoints[7] = {24, 18, 14, 12, 10, 8, 8};
    for (int h = 0; h < 7; ++h) {
        ctx.fonts[kElemHeader1 + h].points = headerPoints[h];
        ctx.fonts[kElemHeader1 + h].style = 2;
    }
    ctx.fonts[kElemAddress].style = 4;
    ctx.fonts[kElemDirectory].points = 14;
    ctx.fonts[kElemPre].points = 10;
    ctx.fonts[kElemExample].points = 9;
    ctx.fonts[kElemTypewriter].points = 9;
    if (multiByte) {
        for (FontElement& e : ctx.fonts)
            setFace(e, font0Face);
        return;
    }
    setFace(ctx.fonts[kElemDirectory], "Century Gothic");
    for (int e : {kElemPre, kElemExample, kElemVariables, kElemKeyboard, kElemSample, kElemTypewriter})
        setFace(ctx.fonts[e], "Courier New");
    setFace(ctx.fonts[kElemHelvetica], "Arial");
}

int HtmlSizeToPoints(HtmlCtx& ctx, int htmlSize, int points, int element)
{
    if (htmlSize == 0)
        return points;
    EditorSetNextFontTag(ctx.editorWindow, htmlSize);
    bool absolute = htmlSize > 100;
    int size = std::clamp(absolute ? htmlSize - 100 : htmlSize, 1, 7);
    const auto& table = plxModule().fontSizes;
    bool header = element >= kElemHeader1 && element <= kElemHeader7;
    if (absolute || !header)
        return table[size - 1];
    int base = std::clamp(ctx.baseFontSize, 1, 7);
    return points + table[size - 1] - table[base - 1];
}

int PointsToHtmlSize(const HtmlCtx& ctx, int points, int element)
{
    if (element < 0 || element >= kFontElementCount)
        element = kElemBody;
    if (points == ctx.fonts[element].points)
        return 0;
    int size = LargestHtmlSize(points);
    return size ? 100 + size : 0;
}

int LargestHtmlSize(int points)
{
    const auto& table = plxModule().fontSizes;
    int size = 0;
    for (int n = 1; n <= 7; ++n)
        if (table[n - 1] <= points)
            size = n;
    return size;
}

int GetElementFont(HtmlCtx& ctx, int element, std::uint32_t style, COLORREF colour, int variant,
                   int htmlSize, const char* face)
{
    if (element < 0 || element >= kFontElementCount)
        element = kElemBody;
    FontElement& e = ctx.fonts[element];
    HWND hWnd = ctx.editorWindow;
    if (!e.created) {
        int id = EditorCreateFont(hWnd, element, 0, e.face, e.points, e.style, e.colour, e.colour2, 0, element);
        if (id < 0)
            return 0;
        e.fontId = id;
        e.created = 1;
    }
    bool noFace = !face || !*face;
    if ((style & ~e.style) == 0 && (colour == 0 || colour == e.colour) && variant == 0 && htmlSize == 0 && noFace)
        return e.fontId;
    std::uint32_t fullStyle = style | e.style;
    int userId = (fullStyle & editor::kLinkText) ? element + kLinkFontBase : variant ? element + kVariantFontBase : element;
    int points = HtmlSizeToPoints(ctx, htmlSize, e.points, element);
    int id = EditorCreateFont(hWnd, -1, 1, noFace ? e.face : face, points, fullStyle, colour ? colour : e.colour,
                              e.colour2, 0, userId);
    return id < 0 ? 0 : id;
}

}
