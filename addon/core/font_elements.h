#pragma once
// The twenty font elements of a context: the typographic defaults of the HTML
// paragraph and character types, and the lookup that turns an element with
// variations into an editor font id.
#include "addon/base/html_ctx.h"

namespace ks::addon {

enum FontElementId : int {
    kElemBody = 0, kElemHeader1 = 1, kElemHeader7 = 7, kElemAddress = 8, kElemBlockQuote = 9,
    kElemMenu = 10, kElemDirectory = 11, kElemPre = 12, kElemExample = 13, kElemVariables = 14,
    kElemKeyboard = 15, kElemSample = 16, kElemTimes = 17, kElemHelvetica = 18, kElemTypewriter = 19,
};

// User ids of editor fonts: element, element + 20 link text, element + 40 sized or faced.
inline constexpr int kLinkFontBase = 20;
inline constexpr int kVariantFontBase = 40;
inline constexpr int kNoElementFont = 60;

const char* fontElementName(int element);
// The defaults of every element (the multi-byte rule: every face from editor font 0).
void setFontElementDefaults(HtmlCtx& ctx, bool multiByte, const char* font0Face);

// Editor font for element with these variations; 0 when the editor refuses it.
int GetElementFont(HtmlCtx& ctx, int element, std::uint32_t style, COLORREF colour, int variant,
                   int htmlSize, const char* face);
int HtmlSizeToPoints(HtmlCtx& ctx, int htmlSize, int points, int element);
// The largest HTML size (1-7) whose points are at most points; 0 below the size table.
int LargestHtmlSize(int points);
// The HTML size value of a point size: 0 for the element's own size or one below the
// size table, else 100 + the largest HTML size whose points are at most points.
int PointsToHtmlSize(const HtmlCtx& ctx, int points, int element);

}
