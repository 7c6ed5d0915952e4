// Paragraphs, headers, block quotes, lists, rules and line breaks.
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"

#include <algorithm>
#include <cstdio>

namespace ks::addon {
namespace {

constexpr int kAlignCentre = 0x1, kAlignRight = 0x2, kAlignJustify = 0x800;

// "h1" to "h7": the paragraph-type word holds a header level in three bits.
struct HeaderName {
    explicit HeaderName(int level) : text{'h', char('0' + (level & 7)), 0} {}
    char text[3];
};

const char* listTag(int type)
{
    static const char* const tags[] = {nullptr, "ol", "ul", "menu", "dir", "dl"};
    return type >= 1 && type <= 5 ? tags[type] : nullptr;
}

int putAlignment(HtmlWriter& w, int alignment)
{
    const char* name = AlignmentName(alignment);
    return !name || PutAttr(&w.ctx, w.out, "align", name);
}


}

const char* AlignmentName(int alignment)
{
    return (alignment & kAlignCentre) ? "center" : (alignment & kAlignRight) ? "right"
         : (alignment & kAlignJustify) ? "justify" : nullptr;
}

int Put(HtmlWriter& w, const char* text) { return PutString(&w.ctx, w.out, text); }
int Tag(HtmlWriter& w, const char* name, bool start, bool flush) { return PutTag(&w.ctx, w.out, name, start, flush); }
int Flush(HtmlWriter& w) { return FlushHtmlLine(&w.ctx, w.out); }

bool IsDivParagraph(const HtmlCtx& ctx, const VekLineRecord& r)
{
    return !(ctx.flags & 8) && r.spaceBefore == 0 && r.spaceAfter == 0 && r.lineValue == 0;
}

int WriteParaStart(HtmlWriter& w)
{
    const VekLineRecord& r = w.record;
    // In a table the end of a "div" ends no paragraph (but right after a line break): in
    // "pre", where a "p" gives no spacing either, a "p" ends it where a line end follows.
    bool div = IsDivParagraph(w.ctx, r) && !(w.preOpen && w.cur.level > 0);
    int own = r.alignment & (kAlignCentre | kAlignRight | kAlignJustify);
    int alignment = own & ~w.out.cellAlign;
    // Formatting still open from before a line break would otherwise enclose the tag.
    if (!CloseAllFormatting(w) || !Flush(w))
        return 0;
    w.ctx.paraOpen = 1;
    w.ctx.divOpen = div ? 1 : 0;
    // In a table cell a paragraph takes the cell's alignment: only a left one in an aligned
    // cell says left. Said elsewhere there, it reads back as a left alignment the paragraph
    // did not have, or takes away the cell's alignment the paragraph shares.
    bool leftInCell = !own && w.out.cellAlign;
    bool sayLeft = !alignment && (leftInCell || (div && w.cur.level == 0));
    if (!div && !alignment && !sayLeft)
        return Tag(w, "p", true, false);
    if (!PutTagOpen(&w.ctx, w.out, div ? "div" : "p") || !putAlignment(w, alignment))
        return 0;
    if (sayLeft && !PutAttr(&w.ctx, w.out, "align", "left"))
        return 0;
    return PutTagEnd(&w.ctx, w.out, false);
}

int WriteParaEnd(HtmlWriter& w)
{
    bool div = w.ctx.divOpen != 0;
    w.ctx.paraOpen = w.ctx.divOpen = 0;
    return CloseAllFormatting(w) && Tag(w, div ? "div" : "p", false, true) ? 1 : 0;
}

int WriteHeaderStart(HtmlWriter& w, int level, int alignment)
{
    HeaderName name(level);
    alignment &= kAlignCentre | kAlignRight | kAlignJustify;
    w.openHeader = level;
    if (!Flush(w))
        return 0;
    if (!alignment)
        return Tag(w, name.text, true, false);
    return PutTagOpen(&w.ctx, w.out, name.text) && putAlignment(w, alignment) && PutTagEnd(&w.ctx, w.out, false) ? 1 : 0;
}

int WriteHeaderEnd(HtmlWriter& w)
{
    HeaderName name(w.openHeader);
    w.openHeader = 0;
    w.afterBreak = true;
    return CloseAllFormatting(w) && Tag(w, name.text, false, true) ? 1 : 0;
}

namespace {

int closeQuote(HtmlWriter& w)
{
    // A form begun inside this quote ends before it.
    if (w.formOpen && w.formQuotes >= w.openQuotes() && !WriteFormEnd(w))
        return 0;
    w.quoteLists.pop_back();
    w.afterBreak = true;
    return Tag(w, "blockquote", false, true);
}

}

// Quotes and lists end in the order they were opened: a quote inside a list item before the
// list, a list inside a quote before the quote. A form in an item ends before its list.
int CloseListsTo(HtmlWriter& w, int level)
{
    // A form that stands in no list asks for level -1: below 0 there is no list to end.
    level = std::max(level, 0);
    while (w.openListLevel > level) {
        if (w.formOpen && w.formListLevel >= w.openListLevel && !WriteFormEnd(w))
            return 0;
        while (!w.quoteLists.empty() && w.quoteLists.back() >= w.openListLevel)
            if (!closeQuote(w))
                return 0;
        int& type = w.listTypes[w.openListLevel--];
        const char* tag = listTag(type);
        type = 0;
        w.afterBreak = true;
        if (!Tag(w, tag, false, true))
            return 0;
    }
    return 1;
}

int WriteQuotes(HtmlWriter& w, int depth)
{
    while (w.openQuotes() > depth)
        if (!CloseListsTo(w, w.quoteLists.back()) || !closeQuote(w))
            return 0;
    while (w.openQuotes() < depth) {
        w.quoteLists.push_back(w.openListLevel);
        if (!Flush(w) || !Tag(w, "blockquote", true, true))
            return 0;
    }
    return 1;
}

int KeptListLevel(const HtmlWriter& w, int type, int level)
{
    int was = w.openListLevel;
    if ((w.openListType() == kListDef) != (type == kListDef))
        level = 0;
    // The line's own level, open with another list's tag, ends: the line's list reads back
    // as the type its tag says.
    if (level > 0 && level <= was && type != w.listTypes[level])
        --level;
    return std::min(level, was);
}

int OpenLists(HtmlWriter& w, int line, int type, int level)
{
    const char* kinds[] = {nullptr, "A", "a", "I", "i"};
    const char* kind = nullptr;
    int start = 1;
    if (type == 1) {
        int bullet = 0, style = 0;
        if (EditorGetListInfo(w.hWnd, line, &bullet, &style, &start) && style >= 1 && style <= 4)
            kind = kinds[style];
    }
    for (int l = w.openListLevel + 1; l <= level; ++l) {
        w.listTypes[l] = type;
        if (!PutTagOpen(&w.ctx, w.out, listTag(type)) || (kind && !PutAttr(&w.ctx, w.out, "type", kind)) ||
            (start != 1 && !PutAttrInt(&w.ctx, w.out, "start", start)) || !PutTagEnd(&w.ctx, w.out, true))
            return 0;
    }
    w.openListLevel = std::max(w.openListLevel, level);
    return 1;
}

int WriteListItem(HtmlWriter& w, bool unended)
{
    if (!Flush(w))
        return 0;
    if (w.openListType() == kListDef)
        return Tag(w, w.cur.term ? "dt" : "dd", true, false);
    // The bullet or number takes the colour and size of the item's first line. Read back,
    // only a number or bullet takes them, and its size is the HTML size written: the size
    // is compared as that, so that what is written once is written again. An item the
    // page's end leaves without its paragraph's end gets one when read back, in the font of
    // the paragraph's element (a header's): its bullet is compared as that.
    int count = w.text.count, type = w.openListType();
    FontFacts facts;
    if (unended)
        facts.points = w.ctx.fonts[ParaTypeElement(static_cast<std::uint32_t>(w.record.typeWord))].points;
    bool differs = (type == kListOrdered || type == kListUnordered) && count > 0 &&
                   (unended || ReadFontFacts(w.hWnd, w.text.fonts[count - 1], facts)) &&
                   ((facts.colour != 0 && facts.colour != 0x010101) ||
                    LargestHtmlSize(facts.points) != LargestHtmlSize(w.ctx.fonts[0].points));
    if (!differs)
        return Tag(w, "li", true, false);
    char colour[8];
    return PutTagOpen(&w.ctx, w.out, "font") && PutAttr(&w.ctx, w.out, "color", ColorToHtml(facts.colour, colour)) &&
                   PutAttrInt(&w.ctx, w.out, "size", LargestHtmlSize(facts.points)) && PutTagEnd(&w.ctx, w.out, true) &&
                   Tag(w, "li", true, false) && Tag(w, "font", false, false)
               ? 1
               : 0;
}

int WriteRule(HtmlWriter& w, int line)
{
    if (!Flush(w))
        return 0;
    int flags = 0;
    EditorGetParaProps(w.hWnd, line, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, &flags);
    int word = EditorGetParaRule(w.hWnd, line);
    int width = static_cast<std::int16_t>(word & 0xFFFF);
    int alignment = (word >> 16) & 0xFFFF;
    bool plain = (flags & editor::kBorderTop) != 0;
    if (plain && width == 0)
        return Tag(w, "hr", true, true);
    if (!PutTagOpen(&w.ctx, w.out, "hr"))
        return 0;
    int points = -w.record.lineValue / 20;
    if (!plain && points > 0) {
        char size[16];
        std::snprintf(size, sizeof size, "%dpt", points);
        if (!PutAttr(&w.ctx, w.out, "size", size))
            return 0;
    }
    if (width < 0 && !PutAttrInt(&w.ctx, w.out, "width", -width))
        return 0;
    if (width > 0) {
        char percent[8];
        std::snprintf(percent, sizeof percent, "%d%%", width > 100 ? 100 : width);
        if (!PutAttr(&w.ctx, w.out, "width", percent))
            return 0;
    }
    const char* align = alignment == 1 ? "center" : alignment == 2 ? "right" : "left";
    return PutAttr(&w.ctx, w.out, "align", align) && PutTagEnd(&w.ctx, w.out, true) ? 1 : 0;
}

int WriteLineBreak(HtmlWriter& w)
{
    if (!CloseLink(w))
        return 0;
    // Inside "pre" a line end is the break; an empty line gets one too. Formatting ends
    // before it, as at a paragraph's end: read back, either end may be the other.
    if (w.out.pre)
        return CloseAllFormatting(w) && EndHtmlLine(&w.ctx, w.out) ? 1 : 0;
    return Tag(w, "br", true, true);
}

}
