// Paragraphs and blocks: p, div, br, center, pre, blockquote, address, headers,
// horizontal rules, noframes.
#include "addon/base/number_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/editor_ops.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/para_formatting.h"
#include "addon/core/para_type.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <string>

namespace ks::addon {
namespace {

constexpr int kQuoteIndent = 600;

// The rule's width: a percentage, or negative twips within the window.
int ruleWidth(HtmlCtx* ctx, const char* value)
{
    std::size_t length = std::strlen(value);
    if (length > 0 && value[length - 1] == '%')
        return std::clamp(TextToInt(value), 0, 100);
    EditorInfo info;
    int window = readInfo(ctx->editorWindow, info) ? pixelsToTwips(*ctx, windowPixels(info)) : 0;
    return -std::clamp(ParseHtmlSize(ctx, value, false, false), 0, std::max(window, 0));
}

// The rule word: the width (percent, or negative pixels) low, the alignment high.
std::uint32_t ruleWord(HtmlCtx* ctx, int width, std::uint32_t alignment)
{
    int low = width >= 0 ? width : -MulDiv(-width, ctx->pixelsX > 0 ? ctx->pixelsX : 96, 1440);
    std::uint32_t high = alignment == kAlignCentre || alignment == kAlignRight ? alignment : 0;
    return (std::uint32_t(low) & 0xFFFF) | high << 16;
}

// A block begun inside a header keeps the header's font: written back, the header's tag
// goes inside the block and gives its text that font when read. So does a block quote
// begun in a menu or directory list, which the writer may write inside or around the list:
// it takes the list's font also where a block inside the list ("pre") had another.
void takeBlockElement(HtmlCtx* ctx, HtmlGroup& g, int element)
{
    if (GetParaHeader(ctx, g.typeWord))
        return;
    bool listFont = g.element == kElemMenu || g.element == kElemDirectory;
    int list = ListElement(GetParaListType(ctx, g.typeWord));
    if (element != kElemBlockQuote)
        g.element = element;
    else if (!listFont)
        g.element = list != kElemBody ? list : element;
}

// Paragraph ends in "pre" and "address" give no spacing: neither does the spacing the last
// paragraph end before the block left in its group, which a paragraph the page's end leaves
// unended would take.
void startWithoutSpacing(HtmlGroup& g) { g.spacing[0] = g.spacing[1] = 0; }

// A block quote or an address: its own paragraphs, element, type and indent until its end.
int blockTag(HtmlCtx* ctx, HtmlReader* r, int element, int misc, int indent)
{
    if (PassedOverInField(r))
        return kTagDone;
    if (!EndOpenParagraph(ctx, r, true))
        return kTagFailed;
    if (r->tokenizer.endTag) {
        CloseGroup(r);
        return kTagDone;
    }
    HtmlGroup& g = r->currentGroup();
    if (misc == kMiscAddress)
        startWithoutSpacing(g);
    takeBlockElement(ctx, g, element);
    g.leftIndent += indent;
    SetParaMiscType(ctx, &g.typeWord, misc);
    return kTagDone;
}

}

int ParagraphTag(HtmlCtx* ctx, HtmlReader* r, bool div)
{
    // A browser passes over paragraph tags in a selection list. Taken, one ended a paragraph
    // there that held nothing of the document, and the list item around lost its marker.
    if (SelectListOpen(ctx, r)) {
        if (r->tokenizer.beginTag)
            CloseGroup(r);
        return kTagDone;
    }
    if (r->tokenizer.beginTag) {
        // In a text area each "p" is a line end of its value, as the writer writes them:
        // also one at its start. No paragraph of the document ends there: the list item
        // around keeps its marker and its marker's font, the paragraph its alignment.
        if (!div && TextAreaOpen(ctx, r)) {
            CloseGroup(r);
            return AddValueLineEnd(ctx, r) ? kTagDone : kTagFailed;
        }
        bool ended = false;
        if (!r->paraStart && !r->afterLineBreak) {
            if (div)
                r->noSpacing = 1;
            if (!EndParagraph(ctx, r, ctx->marker, true))
                return kTagFailed;
            ended = true;
        }
        CloseGroup(r);
        HtmlGroup& g = r->currentGroup();
        if (ended)
            g.typeWord &= ~kParaMarkerShown;
        TakeAlignAttribute(ctx, r, g);
        return kTagDone;
    }
    if (r->paraStart && !div && r->pendingLength == 0)
        return kTagDone;
    // Nor does a div's end before a list item's first text: the item's tag ended the
    // paragraph before it, and its text stays in the item, as a browser shows it.
    if (r->paraStart && r->pendingLength == 0 && (r->currentGroup().typeWord & kParaMarkerShown))
        return kTagDone;
    if (div)
        r->noSpacing = 1;
    // In a table a div's end leaves the paragraph open, except right after a line break:
    // the next paragraph's tag ends none there, and the two would read as one.
    if (!r->inTable || !div || r->afterLineBreak) {
        if (!EndParagraph(ctx, r, ctx->marker, true))
            return kTagFailed;
        HtmlGroup& g = r->currentGroup();
        g.typeWord &= ~kParaMarkerShown;
        constexpr std::uint32_t ended = kAlignCentre | kAlignRight | kAlignJustify;
        g.align &= ~ended;
        // The paragraph's own alignment ends with it; the cell's it stands in goes on.
        if (r->inTable && GetTableLevel(r).cellOpen)
            g.align |= GetTableLevel(r).cellParaAlign & ended;
    } else {
        r->paraStart = 0;
    }
    return kTagDone;
}

int SectionTag(HtmlCtx* ctx, HtmlReader* r)
{
    // They nest deep on real pages: an end with no text since the last paragraph adds none.
    if (r->tokenizer.endTag && r->paraStart && r->pendingLength == 0)
        return kTagDone;
    return ParagraphTag(ctx, r, true);
}

int BreakTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    // Where a table drops text (after a row's end, before the next cell) it drops line
    // breaks too, also those of "pre": else one would stand after the cell's end.
    std::string value;
    if (!r->textSuppressed && !TagAttribute(ctx, r, "clear", value) && !EndParagraph(ctx, r, editor::kLineBreak, true))
        return kTagFailed;
    CloseGroup(r);
    return kTagDone;
}

int CenterTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.beginTag) {
        if (!EndOpenParagraph(ctx, r, true))
            return kTagFailed;
        r->paraBitsAdd |= kAlignCentre;
        ++r->centresOpen;
        return kTagDone;
    }
    // An end with none open has no group of its own: it would close another element's in
    // the middle of its paragraph.
    if (r->centresOpen == 0)
        return kTagDone;
    --r->centresOpen;
    r->paraBitsRemove |= kAlignCentre;
    CloseGroup(r);
    if (r->paraStart) {
        r->currentGroup().align &= ~kAlignCentre;
        r->paraBitsAdd &= ~kAlignCentre;
    }
    return kTagDone;
}

// A block begun in a list or a text area left open would end with the field's end, in the
// middle of the paragraph. Outside a form, where the field's text is read into the document,
// that text would keep the block's font and type in the paragraph of the block around; in a
// form the field takes the block's paragraph end, and the text before the field would take
// the block's type. As a browser there, the block's tag is passed over.
bool PassedOverInField(HtmlReader* r)
{
    if (!r->tokenizer.beginTag || (r->selectsOpen == 0 && r->textAreasOpen == 0))
        return false;
    CloseGroup(r);
    return true;
}

int PreTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (PassedOverInField(r))
        return kTagDone;
    if (!EndOpenParagraph(ctx, r, true))
        return kTagFailed;
    // The end changes only the group it closes: a stray one, with no group to close, leaves
    // the text after it as it was (not preformatted, it would lack the blanks "pre" keeps).
    if (r->tokenizer.endTag) {
        CloseGroup(r);
        return kTagDone;
    }
    HtmlGroup& g = r->currentGroup();
    g.pre = 1;
    startWithoutSpacing(g);
    takeBlockElement(ctx, g, kElemPre);
    g.paraFlags |= kParaNoWrap;
    SetParaMiscType(ctx, &g.typeWord, kMiscPre);
    return kTagDone;
}

int BlockQuoteTag(HtmlCtx* ctx, HtmlReader* r) { return blockTag(ctx, r, kElemBlockQuote, kMiscBlockQuote, kQuoteIndent); }

int AddressTag(HtmlCtx* ctx, HtmlReader* r) { return blockTag(ctx, r, kElemAddress, kMiscAddress, 0); }

int HeaderTag(HtmlCtx* ctx, HtmlReader* r, int level)
{
    // Inside a selection list or a text area a browser ignores a header's tags. Taken, the
    // header ended no paragraph there: the paragraph took its type, and the text before it
    // stood in the header without the header's font, which it took when read back. The
    // begin's group is closed with it; the end has none.
    if (PassedOverInField(r) || FieldBlockOpen(ctx, r))
        return kTagDone;
    level = std::clamp(level, 1, 7);
    if (!EndOpenParagraph(ctx, r, true))
        return kTagFailed;
    if (r->tokenizer.beginTag) {
        HtmlGroup& g = r->currentGroup();
        // The header's font replaces the character styles from outside it, but for a link's
        // (a header inside a link is the link's text).
        g.style = g.inLink && g.linkHasAddress ? (ctx->linkStyle | kStyleLinkText) : 0;
        g.align = 0;
        SetParaHeader(ctx, &g.typeWord, level);
        g.element = level;
        TakeAlignAttribute(ctx, r, g);
        r->paraStart = 0;
        return kTagDone;
    }
    // The end changes only the group it closes: a stray one, with no group to close, leaves
    // the text after it as it was (a header there would lack the header's font). The text
    // after it loses its alignment, as after a paragraph's end, but for the open cell's:
    // the writer leaves a cell's paragraphs to it, also after a header.
    CloseGroup(r);
    HtmlGroup& g = r->currentGroup();
    g.align &= ~kAlignAny;
    if (r->inTable && GetTableLevel(r).cellOpen)
        g.align |= GetTableLevel(r).cellParaAlign & (kAlignCentre | kAlignRight | kAlignJustify);
    return kTagDone;
}

int RuleTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    if (!EndOpenParagraph(ctx, r, true))
        return kTagFailed;
    int width = 100, size = 0;
    std::uint32_t alignment = kAlignCentre;
    std::string value;
    if (TagAttribute(ctx, r, "size", value))
        size = std::max(0, ParseHtmlSize(ctx, value.c_str(), true, false));
    // An empty or zero width says nothing: the rule keeps its full width (a width of 0 is
    // the writer's "none given").
    bool widthGiven = TagAttribute(ctx, r, "width", value) && value[0] && ruleWidth(ctx, value.c_str()) != 0;
    if (widthGiven)
        width = ruleWidth(ctx, value.c_str());
    bool alignGiven = TagAttribute(ctx, r, "align", value);
    if (alignGiven) {
        if (strcasecmp(value.c_str(), "left") == 0)
            alignment = kAlignLeft;
        else if (strcasecmp(value.c_str(), "right") == 0)
            alignment = kAlignRight;
    }
    // After a row's end, as a picture there, the rule goes into a cell of its own.
    if (!BeginCellOfContent(ctx, r, true))
        return kTagFailed;
    HtmlGroup& g = r->currentGroup();
    RuleGeometry geometry = GetRuleGeometry(*ctx, ctx->editorWindow, width, size, int(alignment));
    g.leftIndent = geometry.left;
    g.rightIndent = geometry.right;
    g.firstIndent = geometry.first;
    g.spacing[0] = geometry.before;
    g.spacing[2] = geometry.lineValue;
    g.ruleValue = geometry.ruleValue;
    g.align = std::uint32_t(geometry.flags);
    // A rule is no header or list item, also inside one: it is written outside them.
    SetParaHeader(ctx, &g.typeWord, 0);
    SetParaListType(ctx, &g.typeWord, kListNone);
    SetParaListLevel(ctx, &g.typeWord, 0);
    SetParaMiscType(ctx, &g.typeWord, kMiscRule);
    // A plain rule that says neither width nor alignment keeps no word: it is written back
    // as the "<hr>" it was.
    bool plain = geometry.ruleValue != editor::kThickRule;
    g.ruleWord = plain && !widthGiven && !alignGiven ? 0 : ruleWord(ctx, width, alignment);
    AppendPending(r, &ctx->marker, 1);
    if (!FlushHtmlText(ctx, r))
        return kTagFailed;
    CloseGroup(r);
    return kTagDone;
}

int NoFramesTag(HtmlCtx*, HtmlReader* r)
{
    if (r->tokenizer.beginTag)
        r->currentGroup().noFrames = 1;
    else
        CloseGroup(r);
    return kTagDone;
}

}
