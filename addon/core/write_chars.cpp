// Character formatting: the element, "font" and style tags around each run of text,
// and the end of a link's anchor.
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

namespace ks::addon {
namespace {

struct StyleTag {
    std::uint32_t bit;
    const char* name;
};
// In the order they open; they close in the reverse order.
constexpr StyleTag kStyleTags[] = {{2, "b"}, {4, "i"}, {1, "u"}, {8, "strike"}, {16, "sup"}, {32, "sub"}};

const char* elementTag(int element)
{
    static const char* const tags[] = {"code", "var", "kbd", "samp", "tr", "hv", "tt"};
    return element >= 13 && element <= 19 ? tags[element - 13] : nullptr;
}

int closeStyles(HtmlWriter& w)
{
    for (int i = 5; i >= 0; --i)
        if ((w.ctx.openStyle & kStyleTags[i].bit) && !Tag(w, kStyleTags[i].name, false, false))
            return 0;
    w.ctx.openStyle = 0;
    return 1;
}

int closeFont(HtmlWriter& w)
{
    if (!w.ctx.fontOpen)
        return 1;
    w.ctx.fontOpen = 0;
    return Tag(w, "font", false, false);
}

int closeElement(HtmlWriter& w)
{
    const char* tag = elementTag(w.chars.type);
    w.chars.type = 0;
    return tag ? Tag(w, tag, false, false) : 1;
}

// "+n" or "-n" from the base font size, or the absolute size 1-7.
void sizeText(const HtmlCtx& ctx, int value, char* text)
{
    auto clamp = [](int v) { return v < 1 ? 1 : v > 7 ? 7 : v; };
    if (value > 100) {
        std::snprintf(text, 16, "%d", clamp(value - 100));
        return;
    }
    int difference = clamp(value) - clamp(ctx.baseFontSize);
    std::snprintf(text, 16, "%c%d", difference >= 0 ? '+' : '-', difference >= 0 ? difference : -difference);
}

// The face text without one takes when read where it is written: that of "pre", or of an
// open menu or directory list (but in a header or an address); null where it is the page's.
const char* blockFace(const HtmlWriter& w)
{
    if (w.out.pre)
        return w.ctx.fonts[kElemPre].face;
    int list = ListElement(w.openListType());
    int own = ParaTypeElement(static_cast<std::uint32_t>(w.record.typeWord));
    return list != kElemBody && (own == kElemBody || own == kElemBlockQuote) ? w.ctx.fonts[list].face : nullptr;
}

// Text in another face than its block's says it, also in the face of the page.
bool otherFaceInBlock(const HtmlWriter& w, const char* face)
{
    const char* block = blockFace(w);
    return block && face[0] && strcasecmp(face, block) != 0;
}

int openFont(HtmlWriter& w, const CharState& next)
{
    const HtmlCtx& ctx = w.ctx;
    const char* comparison = (ctx.flags & 1) ? ""
                           : (ctx.flags & 2) && w.out.blockElement ? ctx.fonts[w.out.blockElement].face
                                                                   : ctx.fonts[0].face;
    bool faceDiffers = next.face[0] && (strcasecmp(next.face, comparison) != 0 || otherFaceInBlock(w, next.face));
    bool colourDiffers = next.colour != w.out.impliedColour;
    if (!colourDiffers && next.htmlSize <= 0 && !faceDiffers)
        return 1;
    char text[16];
    if (!PutTagOpen(&w.ctx, w.out, "font") || (faceDiffers && !PutAttr(&w.ctx, w.out, "face", next.face)) ||
        (colourDiffers && !PutAttr(&w.ctx, w.out, "color", ColorToHtml(next.colour, text))))
        return 0;
    if (next.htmlSize > 0) {
        sizeText(ctx, next.htmlSize, text);
        if (!PutAttr(&w.ctx, w.out, "size", text))
            return 0;
    }
    w.ctx.fontOpen = 1;
    // No line end after the tag: other readers take it for a blank inside the text.
    return PutTagEnd(&w.ctx, w.out, false);
}

}

bool ReadFontFacts(HWND hWnd, int font, FontFacts& facts)
{
    facts = FontFacts{};
    unsigned style = 0, colour = 0;
    bool known = EditorGetFontInfo(hWnd, font, facts.face, &facts.points, &style) != 0;
    facts.style = style;
    facts.tag = EditorGetFontTag(hWnd, font);
    EditorGetFontColors(hWnd, font, &colour, nullptr);
    facts.colour = colour;
    EditorGetFontData(hWnd, font, nullptr, nullptr, nullptr, &facts.userId);
    return known;
}

const FontFacts& FactsOf(HtmlWriter& w, int font)
{
    auto index = static_cast<std::size_t>(font);
    if (index >= w.fontFacts.size()) {
        w.fontFacts.resize(index + 1);
        w.fontKnown.resize(index + 1);
    }
    if (!w.fontKnown[index]) {
        ReadFontFacts(w.hWnd, font, w.fontFacts[index]);
        w.fontKnown[index] = true;
    }
    return w.fontFacts[index];
}

void ResetCharState(HtmlWriter& w)
{
    w.chars = CharState{};
    w.charsLink = -1;
    if (w.ctx.flags & 1) {
        w.chars.font = -1;
        return;
    }
    w.chars.font = 0;
    const FontFacts& facts = FactsOf(w, 0);
    std::memcpy(w.chars.face, facts.face, sizeof w.chars.face);
    w.chars.colour = facts.colour;
    w.chars.style = facts.style & editor::kTextStyleBits;
}

int CloseAllFormatting(HtmlWriter& w)
{
    // The element tag closes too, so that no tag stays open past a paragraph.
    if (!closeStyles(w) || !closeFont(w) || !closeElement(w))
        return 0;
    ResetCharState(w);
    return 1;
}

int WriteCharFormat(HtmlWriter& w, const CharState& next)
{
    const CharState& was = w.chars;
    bool fontChanged = was.colour != next.colour || was.htmlSize != next.htmlSize || strcasecmp(was.face, next.face) != 0 ||
                       (!w.ctx.fontOpen && otherFaceInBlock(w, next.face));
    // Only a type written as a tag changes what is written: others (a quote's, an address's)
    // read back as none, and two runs of them in one format as one.
    bool typeChanged = elementTag(was.type) != elementTag(next.type);
    w.charsLink = w.linkState;
    if (!fontChanged && !typeChanged && was.style == next.style) {
        w.chars.font = next.font;
        return 1;
    }
    if (!closeStyles(w))
        return 0;
    // An element tag holds the "font" tag inside it, so both close when the element changes.
    if ((fontChanged || typeChanged) && w.ctx.fontOpen) {
        if (!closeFont(w))
            return 0;
        fontChanged = true;
    }
    if (typeChanged) {
        if (!closeElement(w))
            return 0;
        if (const char* tag = elementTag(next.type); tag && !Tag(w, tag, true, false))
            return 0;
    }
    if (fontChanged && !openFont(w, next))
        return 0;
    std::uint32_t bits = next.style;
    if (w.ctx.flags & 2)
        bits &= ~w.out.impliedStyle;
    for (const StyleTag& s : kStyleTags)
        if ((bits & s.bit) && !Tag(w, s.name, true, false))
            return 0;
    w.ctx.openStyle = static_cast<std::int32_t>(bits);
    w.chars = next;
    return 1;
}

int EndLinkData(HtmlWriter& w)
{
    // Data whose quoted value the page's end cut off: the tag's end would be read as part
    // of the value.
    if (w.linkQuote && !PutChar(&w.ctx, w.out, w.linkQuote))
        return 0;
    w.linkQuote = 0;
    w.linkState = 2;
    return PutTagEnd(&w.ctx, w.out, false);
}

int CloseLink(HtmlWriter& w)
{
    if (w.linkState == 1 && !EndLinkData(w))
        return 0;
    if (w.linkState != 2)
        return 1;
    w.linkState = 0;
    return CloseAllFormatting(w) && Tag(w, "a", false, false) ? 1 : 0;
}

}
