// Links, fonts, character styles, font-element tags and lists.
#include "addon/base/number_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_notify.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/para_type.h"
#include "addon/core/plx_module.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace ks::addon {
namespace {

constexpr int kListIndent = 300;
constexpr int kItemHang = -375;
constexpr int kTermHang = -300;
// HTML sizes are 1 to 7; steps beyond this change nothing but could overflow.
constexpr int kLargestSizeStep = 1000;

void saveFont(HtmlReader* r, const HtmlGroup& g)
{
    if (++r->fontStackIndex < 0 || r->fontStackIndex >= kHtmlFontStackSize)
        return;
    HtmlFontStackEntry& e = r->fontStack[r->fontStackIndex];
    e.colour = g.colour;
    e.size = g.fontSize;
    std::memcpy(e.face, g.face, sizeof e.face);
}

void restoreFont(HtmlReader* r, HtmlGroup& g)
{
    if (r->fontStackIndex >= 0 && r->fontStackIndex < kHtmlFontStackSize) {
        const HtmlFontStackEntry& e = r->fontStack[r->fontStackIndex];
        g.colour = e.colour;
        g.fontSize = e.size;
        std::memcpy(g.face, e.face, sizeof g.face);
    }
    --r->fontStackIndex;
}

// "+n", "-n" step from the current size; a bare number is an absolute size.
int fontSize(const HtmlCtx* ctx, int current, const char* value)
{
    // Sizes stop at 7, as they are shown and written: a larger value read back as 7 would
    // make the same text two runs.
    int n = std::clamp(TextToInt(value), -kLargestSizeStep, kLargestSizeStep);
    if (value[0] != '+' && value[0] != '-')
        return std::clamp(100 + n, 101, 107);
    int size;
    if (current == 0)
        size = std::clamp(ctx->baseFontSize, -kLargestSizeStep, kLargestSizeStep) + n;
    else if (current <= 100)
        size = current + n;
    else
        return std::clamp(current + n, 101, 107);
    size = std::min(size, 7);
    return n != 0 && size < 1 ? 1 : size;
}

// Applies one list item's settings to every group from the list's opening group up.
void shareWithList(HtmlReader* r, int from, auto&& apply)
{
    for (int i = std::clamp(from, 0, r->group); i <= r->group; ++i)
        apply(r->groups[i]);
}

// How li, dt and dd differ.
struct ItemKind {
    std::uint32_t addWord, removeWord;   // paragraph-type bits
    bool listFormat;                     // the item's first paragraph shows a number or bullet
    int hang;                            // first-line indent of the item's groups
    std::uint32_t addStyle, removeStyle;
    int looseType;                       // outside a list: a loose item of this type
    bool term;
};

// An item: the open paragraph ends and the item's font is kept for its marker. Inside a list
// every group from the list's opening one takes the item's indent, style and word, and the
// list counts the item; outside any list it is a loose item.
int listItem(HtmlCtx* ctx, HtmlReader* r, const ItemKind& kind)
{
    // Begun in an open list or text area, the item would give the paragraph before the
    // field its type (a term's text bold when read back): a browser passes it over there.
    if (!r->tokenizer.beginTag || PassedOverInField(r))
        return kTagDone;
    int opening = r->currentGroup().listGroup;
    int type = r->currentGroup().listType;
    if (!EndOpenParagraph(ctx, r, false))
        return kTagFailed;
    HtmlGroup& g = r->currentGroup();
    r->itemColour = g.colour;
    r->itemSize = g.fontSize;
    g.typeWord = (g.typeWord & ~kind.removeWord) | kind.addWord;
    if (kind.listFormat) {
        r->paraBitsAdd |= kAlignListItem;
        r->paraBitsRemove |= kAlignListItem;
    }
    if (type == kListNone) {
        CloseGroup(r);
        // A term is bold outside a list as well as in one.
        r->currentGroup().style = (r->currentGroup().style & ~kind.removeStyle) | kind.addStyle;
        return StartLooseListItem(ctx, r, kind.looseType, kind.term);
    }
    // Each group takes the item's bits, not the whole word: a header or "pre" begun inside
    // the list stays in its own group, and ends with it.
    shareWithList(r, opening, [&](HtmlGroup& each) {
        each.firstIndent = kind.hang;
        each.style = (each.style & ~kind.removeStyle) | kind.addStyle;
        each.typeWord = (each.typeWord & ~kind.removeWord) | kind.addWord;
    });
    ++r->groups[std::clamp(opening, 0, r->group)].itemCounter;
    CloseGroup(r);
    return kTagDone;
}

}

int ReleaseHeldId(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->heldIds.empty())
        return 1;
    std::string held = std::move(r->heldIds);
    r->heldIds.clear();
    if (!FlushHtmlText(ctx, r))
        return 0;
    // One anchor for each id held, one a line.
    for (std::size_t at = 0; at <= held.size();) {
        std::size_t end = std::min(held.find('\n', at), held.size());
        if (!InsertAnchorData(ctx, r, held.substr(at, end - at).c_str()))
            return 0;
        at = end + 1;
    }
    return 1;
}

int InsertAnchorData(HtmlCtx* ctx, HtmlReader* r, const char* data)
{
    if (!ReleaseHeldId(ctx, r) || !FlushHtmlText(ctx, r))
        return 0;
    // After a cell's or a row's end the data goes into a cell of its own, as a picture
    // there: in the row's end it was written after the cell, and read back inside it.
    if (!BeginCellOfContent(ctx, r, true))
        return 0;
    HtmlGroup& g = r->currentGroup();
    // Right after another anchor's data this one takes the other font variant, so that the
    // two stay apart ("<a name=top></a><a href=x>", not "name=tophref=x").
    std::int32_t inLink = g.inLink;
    if (r->hiddenTextLast)
        g.inLink = r->hiddenTextLast == kHiddenPlain;
    g.style |= kStyleHiddenLink;
    // Data of any length goes in a part at a time, in one font: it stays one run.
    int flushed = AppendPendingText(ctx, r, data) && FlushHtmlText(ctx, r);
    g.style &= ~kStyleHiddenLink;
    g.inLink = inLink;
    return flushed;
}

int ReleaseHeldLink(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlHeldLink& held = r->heldLink;
    if (held.data.empty())
        return 1;
    std::string data = std::move(held.data);
    held.data.clear();
    held.repeats = false;
    // The data takes the formatting of the text before the link, in the paragraph it goes
    // into: no link text, which a click on the link would take for the link's.
    HtmlGroup& g = r->currentGroup();
    HtmlGroup link = g;
    g.style = held.style;
    g.colour = held.colour;
    g.inLink = held.variant;
    int inserted = InsertAnchorData(ctx, r, data.c_str());
    g.style = link.style;
    g.colour = link.colour;
    g.inLink = link.inLink;
    return inserted;
}

void DropHeldLinkRepeat(HtmlReader* r)
{
    if (!r->heldLink.repeats)
        return;
    r->heldLink.data.clear();
    r->heldLink.repeats = false;
}

void HoldLinkRepeat(HtmlReader* r)
{
    HtmlHeldLink& held = r->heldLink;
    const HtmlGroup& g = r->currentGroup();
    if (!held.data.empty() || !g.inLink || !g.linkHasAddress || held.repeat.empty())
        return;
    held.data = held.repeat;
    held.repeats = true;
}

int IdAnchor(HtmlCtx* ctx, HtmlReader* r)
{
    std::string id;
    if (!TagAttribute(ctx, r, "id", id) || id.empty())
        return kTagDone;
    char quote = id.find('"') != std::string::npos ? '\'' : '"';
    std::string data = std::string("id=") + quote + id + quote;
    // Ids of elements nested before any text wait together ("<section id=a><h2 id=b>").
    bool full = !r->heldIds.empty() && r->heldIds.size() + 1 + data.size() > kHtmlAttributeTextMost;
    // Inside a link's text an anchor would end the link: an id with no room to wait is left out.
    if (full && r->currentGroup().inLink)
        return kTagDone;
    if (full && !ReleaseHeldId(ctx, r))
        return kTagFailed;
    r->heldIds += (r->heldIds.empty() ? "" : "\n") + data;
    return kTagDone;
}

int AnchorTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag) {
        // An end with no link open has no group of its own: it would close another element's
        // (a header's) in the middle of its paragraph.
        if (!r->currentGroup().inLink)
            return kTagDone;
        CloseGroup(r);
        // Ids of elements inside the link's text waited for its end.
        return r->currentGroup().inLink || ReleaseHeldId(ctx, r) ? kTagDone : kTagFailed;
    }
    // A browser passes over an anchor's tag inside a selection list or a text area: its data
    // went into the field's text, a line end with it.
    if (PassedOverInField(r))
        return kTagDone;
    // An anchor inside another ends that one, as browsers end it: the outer anchor's group
    // is taken out, and the groups begun in its text (a header's, a typewriter font's) go on
    // without its formatting, this anchor's inside them.
    if (int outer = InnermostGroupOpenedBy(r, AnchorGroupKind(), r->group - 1); outer > 0 && r->currentGroup().inLink)
        LiftGroup(r, outer);
    std::string href;
    bool hasHref = TagAttribute(ctx, r, "HREF", href);
    if (hasHref)
        SendHtmlNotify(ctx, kNotifyAnchor, reinterpret_cast<WPARAM>(ctx->editorWindow),
                       reinterpret_cast<LPARAM>(href.c_str()), false);
    HtmlGroup& g = r->currentGroup();
    const std::string& data = r->tokenizer.attributes;
    // Ids held go in with the anchor's data, or at once where it has none.
    if (data.empty() && !ReleaseHeldId(ctx, r))
        return kTagFailed;
    r->heldLink = {data, false, hasHref ? HtmlAttribsWithout(data.c_str(), {"name", "id"}) : "", g.style, g.colour,
                   g.inLink};
    if (hasHref) {
        g.colour = ctx->linkColor;
        g.style |= ctx->linkStyle | kStyleLinkText;
        g.linkHasAddress = 1;
    }
    g.inLink = 1;
    return kTagDone;
}

int FontTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag) {
        restoreFont(r, r->currentGroup());
        return kTagDone;
    }
    CloseGroup(r);
    HtmlGroup& g = r->currentGroup();
    saveFont(r, g);
    std::string value;
    if (TagAttribute(ctx, r, "color", value))
        g.colour = GetHtmlColor(ctx, value.c_str());
    if (TagAttribute(ctx, r, "face", value)) {
        copyCtxText(g.face, value.c_str(), sizeof g.face);
    }
    if (TagAttribute(ctx, r, "size", value) && value[0])
        g.fontSize = fontSize(ctx, g.fontSize, value.c_str());
    return kTagDone;
}

int StyleTag(HtmlCtx*, HtmlReader* r, std::uint32_t bits)
{
    if (r->tokenizer.beginTag) {
        CloseGroup(r);
        r->currentGroup().style |= bits;
    } else {
        r->currentGroup().style &= ~bits;
    }
    return kTagDone;
}

int ElementTag(HtmlCtx*, HtmlReader* r, int element)
{
    if (r->tokenizer.beginTag)
        r->currentGroup().element = element;
    else
        CloseGroup(r);
    return kTagDone;
}

int ListTag(HtmlCtx* ctx, HtmlReader* r, int type)
{
    // Inside a selection list or a text area a list's tags are none, as a header's: taken,
    // the list gave the paragraph holding the field its type after the text before it.
    if (PassedOverInField(r) || FieldBlockOpen(ctx, r))
        return kTagDone;
    if (!EndOpenParagraph(ctx, r, r->tokenizer.beginTag != 0))
        return kTagFailed;
    if (r->tokenizer.endTag) {
        CloseGroup(r);
        return kTagDone;
    }
    HtmlGroup& g = r->currentGroup();
    SetParaListType(ctx, &g.typeWord, type);
    g.listType = type;
    g.itemCounter = 1;
    g.listGroup = r->group;
    // Inside a header, an address or preformatted text a list keeps their font: the writer
    // writes those inside the list's items, where they give it again when read back.
    int block = ParaTypeElement(g.typeWord);
    if (block == kElemBody || block == kElemBlockQuote)
        g.element = ListElement(type);
    g.numbering = 0;
    g.listStart = 1;
    std::string value;
    if (type == kListOrdered) {
        if (TagAttribute(ctx, r, "type", value)) {
            const char* styles[] = {"A", "a", "I", "i"};
            for (int i = 0; i < 4; ++i)
                if (std::strcmp(value.c_str(), styles[i]) == 0)
                    g.numbering = i + 1;
        }
        if (TagAttribute(ctx, r, "start", value))
            g.listStart = TextToInt(value.c_str());
    }
    g.listLevel = std::min(g.listLevel + 1, 7);
    g.firstIndent = 0;
    if (g.listLevel == 1)
        g.savedIndent = g.leftIndent;
    g.leftIndent = g.savedIndent + ListIndent(type, g.listLevel);
    SetParaListLevel(ctx, &g.typeWord, g.listLevel);
    return kTagDone;
}

int ItemTag(HtmlCtx* ctx, HtmlReader* r)
{
    return listItem(ctx, r, {kParaMarkerShown, 0, true, kItemHang, 0, 0, kListUnordered, false});
}

int TermTag(HtmlCtx* ctx, HtmlReader* r)
{
    return listItem(ctx, r, {kParaMarkerShown | kParaDefTerm, 0, false, kTermHang, kStyleBold, 0, kListDef, true});
}

int DefinitionTag(HtmlCtx* ctx, HtmlReader* r)
{
    return listItem(ctx, r, {kParaMarkerShown, kParaDefTerm, false, 0, 0, kStyleBold, kListDef, false});
}

int StartLooseListItem(HtmlCtx* ctx, HtmlReader* r, int type, bool term)
{
    HtmlGroup& g = r->currentGroup();
    g.firstIndent = type == kListUnordered ? kTermHang : 0;
    if (g.indentSaved)
        g.leftIndent = g.savedIndent;
    else
        g.savedIndent = g.leftIndent;
    if (type == kListUnordered || (type == kListDef && !term))
        g.leftIndent += kListIndent;
    SetParaListType(ctx, &g.typeWord, type);
    SetParaListLevel(ctx, &g.typeWord, 1);
    g.typeWord |= kParaMarkerShown;
    if (type == kListDef)
        g.typeWord = term ? (g.typeWord | kParaDefTerm) : (g.typeWord & ~kParaDefTerm);
    g.indentSaved = 1;
    return kTagDone;
}

}
