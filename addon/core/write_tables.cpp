// Tables, rows and cells.
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"
#include "addon/core/tag_data.h"

#include <algorithm>
#include <cstdio>

namespace ks::addon {
namespace {

constexpr int kTwipsPerQuote = 600;
using editor::kAlignCentre, editor::kAlignJustify, editor::kAlignRight, editor::kCellBottom,
    editor::kCellCoveredCols, editor::kCellCoveredRows, editor::kCellHeaderBit, editor::kCellMiddle,
    editor::kCellWidthPercent, editor::kCellWidthPixels;

int toPixels(int twips, int pixelsPerInch)
{
    return static_cast<int>(static_cast<long long>(twips) * (pixelsPerInch > 0 ? pixelsPerInch : 96) / 1440);
}

int closeParagraph(HtmlWriter& w) { return w.ctx.paraOpen ? WriteParaEnd(w) : 1; }

}

int WriteTableStart(HtmlWriter& w, int level, int cell)
{
    VekCellProps p{};
    EditorGetCellProps(w.hWnd, cell, &p);
    TableLevelState& t = w.levels[level];
    t = TableLevelState{};
    if (!closeParagraph(w) || !Flush(w))
        return 0;
    t.quotes = std::max(0, p.tableIndent / kTwipsPerQuote);
    for (int i = 0; i < t.quotes; ++i)
        if (!Tag(w, "blockquote", true, true))
            return 0;
    // A centred table is written with "align" alone: a "center" around it would centre
    // every table nested in it when read back.
    if (!PutTagOpen(&w.ctx, w.out, "table"))
        return 0;
    bool border = p.borders[0] || p.borders[1] || p.borders[2] || p.borders[3];
    if (border && !PutAttr(&w.ctx, w.out, "border", nullptr))
        return 0;
    if (p.tableWidth > 0 && !PutAttrInt(&w.ctx, w.out, "width", toPixels(p.tableWidth, w.ctx.pixelsX)))
        return 0;
    if (p.tableWidth < 0) {
        char percent[16];
        std::snprintf(percent, sizeof percent, "%d%%", std::min(-p.tableWidth, 100));
        if (!PutAttr(&w.ctx, w.out, "width", percent))
            return 0;
    }
    if (const char* align = AlignmentName(p.tableAlignment & (kAlignCentre | kAlignRight));
        align && !PutAttr(&w.ctx, w.out, "align", align))
        return 0;
    // Any padding the table was given is written: read back without one, a table gets the
    // editor's default, which is not 60 twips.
    if (p.padding >= 0) {
        if (!PutAttrInt(&w.ctx, w.out, "cellpadding", toPixels(p.padding, w.ctx.pixelsX)))
            return 0;
        if (p.padding == 0 && !PutAttrInt(&w.ctx, w.out, "cellspacing", 0))
            return 0;
    }
    if (!PutTagEnd(&w.ctx, w.out, true))
        return 0;
    t.open = true;
    ++w.out.indent;
    return 1;
}

int WriteRowStart(HtmlWriter& w, int level)
{
    TableLevelState& t = w.levels[level];
    if (!closeParagraph(w) || (t.cellOpen && !WriteCellEnd(w, level)) || (t.rowOpen && !WriteRowEnd(w, level)))
        return 0;
    t.rowOpen = true;
    return Tag(w, "tr", true, true);
}

namespace {

// The alignment of the first paragraph after line's empty ones in the cell, unless it is a
// header's or stands in a table nested in the cell.
int alignmentAfterEmpty(HtmlWriter& w, int cell, int line)
{
    LineText text;
    VekLineRecord r{};
    for (int next = line + 1; next < w.endLine && EditorGetLineRecord(w.hWnd, next, &r) && r.cell == cell; ++next) {
        if (EditorGetLineChars(w.hWnd, next, text.chars, text.fonts) == 1 && text.chars[0] == w.ctx.marker)
            continue;
        return GetParaHeader(&w.ctx, static_cast<std::uint32_t>(r.typeWord)) ? 0 : r.alignment & kAlignWritten;
    }
    return 0;
}

}

int WriteCellStart(HtmlWriter& w, int level, int cell, int line)
{
    VekCellProps p{};
    int flags = EditorGetCellProps(w.hWnd, cell, &p);
    if (flags & (kCellCoveredRows | kCellCoveredCols)) {
        w.out.suppress = 1;
        return 0;
    }
    TableLevelState& t = w.levels[level];
    if (t.cellOpen && !WriteCellEnd(w, level))
        return -1;
    w.out.suppress = 0;
    bool header = (flags & kCellHeaderBit) != 0;
    // The line's alignment is the cell's only when the line stands in it, not in a table
    // nested in it: the cell's own paragraphs would take it when read back. A header takes
    // none from its cell: it says its own. An empty paragraph, left out, says none: the
    // paragraph after it, the cell's first when read back, says the cell's.
    bool empty = w.text.count == 1 && w.text.chars[0] == w.ctx.marker;
    bool carries = level == w.cur.level && !w.cur.header;
    int alignment = !carries ? 0 : empty ? alignmentAfterEmpty(w, cell, line) : w.record.alignment & kAlignWritten;
    if (!Flush(w) || !PutTagOpen(&w.ctx, w.out, header ? "th" : "td"))
        return -1;
    if ((p.rowSpan > 1 && !PutAttrInt(&w.ctx, w.out, "rowspan", p.rowSpan)) ||
        (p.colSpan > 1 && !PutAttrInt(&w.ctx, w.out, "colspan", p.colSpan)))
        return -1;
    // A header cell is centred unless it says otherwise.
    const char* align = AlignmentName(alignment);
    if (header && !align)
        align = "left";
    if (align && !PutAttr(&w.ctx, w.out, "align", align))
        return -1;
    const char* valign = (flags & kCellMiddle) ? "middle" : (flags & kCellBottom) ? "bottom" : "top";
    if (!PutAttr(&w.ctx, w.out, "valign", valign))
        return -1;
    char text[16];
    if (p.width > 0 && ((flags & kCellWidthPixels) || (w.ctx.flags & 16))) {
        if (!PutAttrInt(&w.ctx, w.out, "width", toPixels(p.width, w.ctx.pixelsX)))
            return -1;
    } else if (p.width < 0 && (flags & kCellWidthPercent)) {
        std::snprintf(text, sizeof text, "%d%%", std::clamp(-p.width, 1, 100));
        if (!PutAttr(&w.ctx, w.out, "width", text))
            return -1;
    }
    if (p.height > 0 && !PutAttrInt(&w.ctx, w.out, "height", toPixels(p.height, w.ctx.pixelsY)))
        return -1;
    if (const TagData* qfn = FindTagData(w.ctx, kTagCellAttribute, cell); qfn && qfn->text1 &&
        !PutAttr(&w.ctx, w.out, "qfn", qfn->text1))
        return -1;
    if (p.colour != editor::kNoColour && !PutAttr(&w.ctx, w.out, "bgcolor", ColorToHtml(p.colour, text)))
        return -1;
    if (!PutTagEnd(&w.ctx, w.out, false))
        return -1;
    t.cellOpen = true;
    t.headerCell = header;
    int carried = alignment;
    w.out.cellAlign = t.cellAlign = carried;
    return carried;
}

int WriteCellEnd(HtmlWriter& w, int level)
{
    TableLevelState& t = w.levels[level];
    if (!CloseLink(w) || !closeParagraph(w) || !CloseAllFormatting(w))
        return 0;
    t.cellOpen = false;
    t.cellAlign = 0;
    // Back in the cell that holds this table, its alignment is carried again.
    w.out.cellAlign = level > 1 && w.levels[level - 1].cellOpen ? w.levels[level - 1].cellAlign : 0;
    w.out.suppress = 0;
    return Tag(w, t.headerCell ? "th" : "td", false, false);
}

int WriteRowEnd(HtmlWriter& w, int level)
{
    TableLevelState& t = w.levels[level];
    if (t.cellOpen && !WriteCellEnd(w, level))
        return 0;
    t.rowOpen = false;
    // A row that ended in a cell covered by a span ends its silence too.
    w.out.suppress = 0;
    return Tag(w, "tr", false, true);
}

int WriteTableEnd(HtmlWriter& w, int level)
{
    TableLevelState& t = w.levels[level];
    if (!closeParagraph(w) || (t.cellOpen && !WriteCellEnd(w, level)) || (t.rowOpen && !WriteRowEnd(w, level)) ||
        !Flush(w))
        return 0;
    if (w.out.indent > 0)
        --w.out.indent;
    TableLevelState was = t;
    t = TableLevelState{};
    if (!Tag(w, "table", false, true))
        return 0;
    for (int i = 0; i < was.quotes; ++i)
        if (!Tag(w, "blockquote", false, true))
            return 0;
    return 1;
}

}
