// Tables: cells are made in the editor as they begin (or when their first text comes),
// rows end with a row end, cells with a cell end; five levels nest, deeper tables pass
// their text into the fifth level's cell.
#include "addon/base/allocators.h"
#include "addon/base/number_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/para_type.h"
#include "addon/core/tag_data.h"
#include "platform/editor/vek32.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <strings.h>
#include <string>

namespace ks::addon {
namespace {

constexpr std::uint32_t kUnsupportedDeepTable = 0x2;
constexpr int kBorder = 15;
constexpr int kHeaderCell = 0xA0, kDataCell = 0x20;
constexpr int kMiddle = 0x1000, kBottom = 0x2000;
constexpr int kMostSpan = kHtmlTableColumns;

int levelIndex(const HtmlReader* r) { return r->inTable ? std::min(r->tableDepth, kHtmlTableLevels - 1) : 0; }

int ppiX(const HtmlCtx* ctx) { return ctx->pixelsX > 0 ? ctx->pixelsX : 96; }

// A width in twips, or a percentage of at most 100 (as its negative).
int widthValue(HtmlCtx* ctx, const char* value) { return std::max(ParseHtmlSize(ctx, value, true, true), -100); }

void startLevel(HtmlCtx* ctx, HtmlReader* r, HtmlTableLevel& level)
{
    level.rowSpan = level.colSpan = 1;
    level.cell = 0;
    level.newRow = level.textAbove = 1;
    level.cellOpen = level.captionBelow = 0;
    level.columnCount = level.column = 0;
    level.tableAlign = 0;
    level.cellWidth = level.cellHeight = 0;
    std::fill(std::begin(level.borders), std::end(level.borders), 0);
    level.padding = -1;
    level.cellColour = level.rowColour = 0xFFFFFF;
    level.rowAlign = 0;
    level.indent = 0;
    level.captionFirst = level.captionLast = nullptr;
    std::string value;
    if (TagAttribute(ctx, r, "BORDER", value) && value != "0")
        std::fill(std::begin(level.borders), std::end(level.borders), kBorder);
    level.width = TagAttribute(ctx, r, "WIDTH", value) ? widthValue(ctx, value.c_str()) : 0;
    if (TagAttribute(ctx, r, "ALIGN", value)) {
        if (strcasecmp(value.c_str(), "center") == 0)
            level.tableAlign |= kAlignCentre;
        else if (strcasecmp(value.c_str(), "right") == 0)
            level.tableAlign |= kAlignRight;
        else if (strcasecmp(value.c_str(), "justify") == 0)
            level.tableAlign |= kAlignJustify;
        else if (strcasecmp(value.c_str(), "left") == 0)
            level.tableAlign |= kAlignLeft;
    }
    HtmlGroup& g = r->currentGroup();
    // Nor has the table's text the element of a "tr" before it: a group left open in a cell
    // (a header's, ended) gave it back, and the text had not its paragraph type's font.
    LeaveTimesElement(ctx, g);
    // A table in nested block quotes takes the indent of all of them: the writer writes one
    // quote tag for each 600 twips of a table's indent.
    if (g.element == kElemBlockQuote) {
        level.indent = g.leftIndent;
        g.element = 0;
        SetParaMiscType(ctx, &g.typeWord, kMiscNone);
        g.leftIndent = 0;
    } else if (g.leftIndent > 0) {
        // The paragraphs in the cells keep their type (a list, a header, "pre"), and its
        // font: the writer writes the type inside the cell, where it gives that font again.
        level.indent = g.leftIndent;
        g.leftIndent = 0;
    }
    if (TagAttribute(ctx, r, "cellpadding", value))
        level.padding = MulDiv(TextToInt(value.c_str()), 1440, ppiX(ctx));
    level.tableColour = TagAttribute(ctx, r, "bgcolor", value) ? GetHtmlColor(ctx, value.c_str()) : 0xFFFFFF;
}

void freeCaptions(HtmlTableLevel& level)
{
    for (HtmlCaptionNode* node = level.captionFirst; node;) {
        HtmlCaptionNode* next = node->next;
        OurFree(node->text);
        OurFree(node);
        node = next;
    }
    level.captionFirst = level.captionLast = nullptr;
}

// Ends the caption's paragraph: its text stays above (or, queued, below) the table.
bool endCaptionText(HtmlCtx* ctx, HtmlReader* r)
{
    bool ok = EndOpenParagraph(ctx, r, true);
    r->flags &= ~kReadInCaption;
    HtmlTableLevel& level = GetTableLevel(r);
    // After a caption before the table's first row, what comes before that row still stands
    // above the table, as before the caption: a form's field there went into a cell made
    // for it after the form had ended, written outside its form and lost when read back.
    bool above = !level.cell;
    level.textAbove = above;
    level.captionBelow = 0;
    r->textSuppressed = !above;
    return ok;
}

// Text before the table's first row or cell stands above the table, as a browser shows it:
// its paragraph ends where the table's rows or caption begin.
bool endTextAbove(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    if (!level.textAbove)
        return true;
    bool ok = EndOpenParagraph(ctx, r, true);
    level.textAbove = 0;
    return ok;
}

// A row or a cell begun in a selection list, a text area or a caption left open ends them
// first, as their end tags would (browsers do the same): the cells' text would else go into
// the list or above the table while their cells stand in it. The tag's own group goes
// first, then theirs; false on failure.
bool endWhatCellsEnd(HtmlCtx* ctx, HtmlReader* r, bool& closeOwnGroup)
{
    bool field = FieldBlockOpen(ctx, r), caption = (r->flags & kReadInCaption) != 0;
    if (!field && !caption)
        return true;
    CloseGroup(r);
    closeOwnGroup = false;
    if (field && EndOpenFieldBlock(ctx, r) != kTagDone)
        return false;
    if (!caption)
        return true;
    bool ok = endCaptionText(ctx, r);
    CloseGroup(r);
    return ok;
}

// Ends the open cell of the current level, when there is one.
bool endOpenCell(HtmlCtx* ctx, HtmlReader* r)
{
    return !GetTableLevel(r).cellOpen || EndParagraph(ctx, r, editor::kCellEnd, true);
}

std::uint32_t alignmentAttribute(HtmlCtx* ctx, const char* attributes, std::uint32_t fallback)
{
    std::string value;
    return GetHtmlAttrib(ctx, attributes, "align", value) ? AlignmentOf(value.c_str()) : fallback;
}

// Row and column spans of the cell that begins at the current column.
void takeSpans(HtmlCtx* ctx, const char* attributes, HtmlTableLevel& level)
{
    std::string value;
    int rowSpan = GetHtmlAttrib(ctx, attributes, "ROWSPAN", value) ? std::clamp(TextToInt(value.c_str()), 1, kMostSpan) : 1;
    int colSpan = GetHtmlAttrib(ctx, attributes, "COLSPAN", value) ? std::max(TextToInt(value.c_str()), 1) : 1;
    level.rowSpan = rowSpan;
    int column = level.column;
    if (column >= kHtmlTableColumns) {
        // Past the 300 columns a table level keeps, a cell spans nothing.
        level.rowSpan = level.colSpan = 1;
        return;
    }
    colSpan = std::min(colSpan, kHtmlTableColumns - column);
    level.colSpan = colSpan;
    level.rowSpansLeft[column] = rowSpan - 1;
    level.colSpans[column] = colSpan;
    for (int c = column + 1; c < column + colSpan; ++c)
        level.colSpans[c] = level.rowSpansLeft[c] = 0;
}

}

// "tr" begins a row in a cell: the Times Roman element of a "tr" outside the table has no
// tag there, and a cell's text takes its paragraph's font.
void LeaveTimesElement(HtmlCtx* ctx, HtmlGroup& g)
{
    if (g.element != kElemTimes)
        return;
    int element = ParaTypeElement(g.typeWord);
    g.element = element != kElemBody ? element : ListElement(GetParaListType(ctx, g.typeWord));
}

HtmlTableLevel& GetTableLevel(HtmlReader* r) { return r->tables[levelIndex(r)]; }

int CurrentTableCell(HtmlReader* r)
{
    if (!r->inTable)
        return 0;
    int d = levelIndex(r) - ((r->flags & kReadInCaption) || GetTableLevel(r).textAbove ? 1 : 0);
    return d >= 0 ? r->tables[d].cell : 0;
}

int CreateCell(HtmlCtx* ctx, HtmlReader* r, bool header)
{
    HtmlTableLevel& level = GetTableLevel(r);
    int d = levelIndex(r);
    int flags = (header ? kHeaderCell : kDataCell) | level.valign;
    std::uint32_t alignment = level.tableAlign ? level.tableAlign : (r->paraBitsAdd & kAlignCentre);
    HWND hWnd = ctx->editorWindow;
    int cell = EditorCreateCell(hWnd, level.newRow, level.cell, int(alignment), level.indent, level.cellHeight,
                                level.cellWidth, 0, level.borders[0], level.borders[1], level.borders[2],
                                level.borders[3], level.rowSpan, level.colSpan, flags);
    if (!cell)
        return 0;
    level.cell = cell;
    level.newRow = 0;
    EditorSetCellProps(hWnd, cell, level.cellColour, level.padding, d >= 1 ? r->tables[d - 1].cell : 0);
    if (level.width) {
        EditorSetTableWidth(hWnd, cell, level.width);
        level.width = 0;
    }
    return cell;
}

int FillRowSpans(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    while (level.column < level.columnCount && level.column < kHtmlTableColumns &&
           level.rowSpansLeft[level.column] >= 1) {
        int column = level.column;
        level.rowSpan = 0;
        level.colSpan = level.colSpans[column];
        level.cellWidth = 0;
        if (!CreateCell(ctx, r, false) || !EndParagraph(ctx, r, editor::kCellEnd, true))
            return 0;
        --level.rowSpansLeft[column];
        level.column += std::max(level.colSpans[column], 1);
    }
    return 1;
}

int BeginCell(HtmlCtx* ctx, HtmlReader* r, bool header, const char* attributes, bool closeGroup)
{
    HtmlTableLevel& level = GetTableLevel(r);
    if (!endTextAbove(ctx, r) || (!level.newRow && !endOpenCell(ctx, r)))
        return 0;
    if (!FillRowSpans(ctx, r))
        return 0;
    takeSpans(ctx, attributes, level);
    std::string value;
    level.cellWidth = GetHtmlAttrib(ctx, attributes, "width", value) ? widthValue(ctx, value.c_str()) : 0;
    // A cell without its own height takes the row's so far; so does one whose height is
    // none (0 or no number): the writer writes no height for it, which read back is the row's.
    if (GetHtmlAttrib(ctx, attributes, "height", value))
        if (int height = MulDiv(TextToInt(value.c_str()), 1440, ppiX(ctx)); height > 0)
            level.cellHeight = height;
    level.cellColour = GetHtmlAttrib(ctx, attributes, "bgcolor", value) ? GetHtmlColor(ctx, value.c_str()) : level.rowColour;
    level.cellAlign = alignmentAttribute(ctx, attributes, level.rowAlign);
    level.valign = 0;
    if (GetHtmlAttrib(ctx, attributes, "valign", value)) {
        // "middle" is what the writer writes, "center" what older pages say.
        if (strcasecmp(value.c_str(), "center") == 0 || strcasecmp(value.c_str(), "middle") == 0)
            level.valign = kMiddle;
        else if (strcasecmp(value.c_str(), "bottom") == 0)
            level.valign = kBottom;
    }
    int cell = CreateCell(ctx, r, header);
    if (!cell)
        return 0;
    if (GetHtmlAttrib(ctx, attributes, "qfn", value))
        AddTagData(*ctx, kTagCellAttribute, cell, value.c_str());
    level.column = std::min(level.column + level.colSpan, kHtmlTableColumns);
    level.columnCount = std::max(level.columnCount, level.column);
    if (closeGroup)
        CloseGroup(r);
    level.cellGroup = r->group;
    HtmlGroup& g = r->currentGroup();
    g.align &= ~kAlignAny;
    g.align |= level.cellAlign ? level.cellAlign : header ? kAlignCentre : 0;
    g.style = header ? (g.style | kStyleBold) : (g.style & ~kStyleBold);
    // "</b>" in a header cell leaves its text bold, as a browser shows it.
    g.keptStyle = header ? kStyleBold : 0;
    LeaveTimesElement(ctx, g);
    // A term's bold goes with its paragraph type: a data cell's text is no term.
    if (!header)
        g.typeWord &= ~kParaDefTerm;
    g.align = alignmentAttribute(ctx, attributes, g.align & kAlignAny) | (g.align & ~kAlignAny);
    level.cellParaAlign = g.align & kAlignAny;
    if (GetHtmlAttrib(ctx, attributes, "NOWRAP", value))
        g.paraFlags |= kParaNoWrap;
    else
        g.paraFlags &= ~kParaNoWrap;
    level.cellOpen = 1;
    r->textSuppressed = 0;
    return 1;
}

namespace {

// What a row's end does: its open cell ends, cells spanning into it from above take their
// places, and a row without a single cell gets an empty one, ended as the others are: a
// field after the row's end went into it, and its paragraph's end there was dropped with
// the text after the row (written outside its form, the field was lost when read back).
bool endRow(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    return (!level.cell || endOpenCell(ctx, r)) && FillRowSpans(ctx, r) &&
           (!level.newRow || (BeginCell(ctx, r, false, "", false) && endOpenCell(ctx, r)));
}

}

int BeginTextCell(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    if (level.cell)
        return BeginCell(ctx, r, false, "", false);
    // The table's first cell keeps the group's formatting, but is open and takes its
    // column as any cell: else its row's end came without its cell's end.
    if (!CreateCell(ctx, r, false))
        return 0;
    LeaveTimesElement(ctx, r->currentGroup());
    level.cellGroup = r->group;
    level.cellOpen = 1;
    level.column = std::min(level.column + level.colSpan, kHtmlTableColumns);
    level.columnCount = std::max(level.columnCount, level.column);
    return 1;
}

int TableTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag)
        return EndTable(ctx, r) ? kTagDone : kTagFailed;
    if (!EndOpenParagraph(ctx, r, true))
        return kTagFailed;
    // A caption below its table holds text only, which waits for the table's end: a table
    // begun in it ends it, and goes where one after it would.
    if (r->inTable && (r->flags & kReadInCaption) && GetTableLevel(r).captionBelow && !endCaptionText(ctx, r))
        return kTagFailed;
    // A table begun in a row before its first cell, or after a row's end, goes into a new
    // cell of that row, as text there does: else it would hang in the last cell of the row
    // before, or after that cell's end.
    bool cellLess = r->inTable && r->tableDepth < kHtmlTableLevels && !(r->flags & kReadInCaption) &&
                    (GetTableLevel(r).newRow || !GetTableLevel(r).cellOpen);
    if (cellLess && !BeginCell(ctx, r, false, "", false))
        return kTagFailed;
    int depth = r->inTable ? r->tableDepth + 1 : 0;
    r->tableDepth = depth;
    if (depth >= kHtmlTableLevels) {
        ctx->unsupported |= kUnsupportedDeepTable;
        std::string value;
        HtmlTableLevel& last = r->tables[kHtmlTableLevels - 1];
        if (TagAttribute(ctx, r, "bgcolor", value) && last.cell)
            EditorSetCellColor(ctx->editorWindow, last.cell, GetHtmlColor(ctx, value.c_str()), -1);
        return kTagDone;
    }
    r->inTable = r->tableSeen = 1;
    r->textSuppressed = 0;
    startLevel(ctx, r, r->tables[depth]);
    return kTagDone;
}

int EndTable(HtmlCtx* ctx, HtmlReader* r)
{
    // A list or text area left open in the table ends before it.
    if (EndOpenFieldBlock(ctx, r) == kTagAborted)
        return 0;
    // A caption left open ends with its table, and its paragraph with it: else the text
    // after the table would join it.
    int ok = !(r->flags & kReadInCaption) || endCaptionText(ctx, r);
    if (r->tableDepth < kHtmlTableLevels) {
        ok = ok && endTextAbove(ctx, r);
        HtmlTableLevel& level = GetTableLevel(r);
        if (level.cell) {
            // A row begun and left open ends here: the row before has its end already.
            ok = ok && (!level.newRow || endRow(ctx, r)) && endOpenCell(ctx, r) &&
                 EndParagraph(ctx, r, editor::kRowEnd, true);
            EditorEndTable(ctx->editorWindow, level.cell, level.columnCount);
        }
        // Captions below go after the table, in the cell that holds it.
        int outer = r->tableDepth >= 1 ? r->tables[r->tableDepth - 1].cell : 0;
        for (HtmlCaptionNode* node = level.captionFirst; node; node = node->next)
            EditorAppendText(ctx->editorWindow, node->text, node->font, node->format, outer, -1, 0);
        freeCaptions(level);
        level.cell = 0;
        level.captionBelow = 0;
        if (r->tableDepth == 0)
            r->inTable = 0;
        r->textSuppressed = 0;
    }
    // Every end takes its table away, also after a failure, so that the read's end terminates.
    if (r->tableDepth > 0)
        --r->tableDepth;
    CloseGroup(r);
    return ok;
}

int RowTag(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    if (r->tokenizer.beginTag) {
        bool closeOwnGroup = true;
        if (!endWhatCellsEnd(ctx, r, closeOwnGroup) || !endTextAbove(ctx, r))
            return kTagFailed;
        if (level.cell && (!endOpenCell(ctx, r) || !EndParagraph(ctx, r, editor::kRowEnd, true)))
            return kTagFailed;
        level.newRow = 1;
        level.column = level.cellHeight = 0;
        std::string value;
        if (TagAttribute(ctx, r, "align", value))
            level.rowAlign = AlignmentOf(value.c_str());
        level.rowColour = TagAttribute(ctx, r, "bgcolor", value) ? GetHtmlColor(ctx, value.c_str()) : level.tableColour;
        if (closeOwnGroup)
            CloseGroup(r);
        r->textSuppressed = 0;
        return kTagDone;
    }
    // A list or text area left open in the row's last cell ends with it.
    if (EndOpenFieldBlock(ctx, r) == kTagAborted || !endRow(ctx, r))
        return kTagFailed;
    r->currentGroup().paraFlags &= ~kParaNoWrap;
    r->textSuppressed = 1;
    return kTagDone;
}

int CellTag(HtmlCtx* ctx, HtmlReader* r, bool header)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    bool closeOwnGroup = true;
    if (!endWhatCellsEnd(ctx, r, closeOwnGroup))
        return kTagFailed;
    return BeginCell(ctx, r, header, r->tokenizer.attributes.c_str(), closeOwnGroup) ? kTagDone : kTagFailed;
}

// A caption below its table queues text only: a picture, a field or a form begun in it would
// go into the document at once, before the caption's text, and a field there stood outside
// its form, lost when read back. Its text so far stays queued below; it and the caption's
// further text go where text after the caption would (not dropped, as after "</caption>"):
// into a cell of their own where the caption ended a row's cells.
bool EndCaptionBelowAtContent(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    if (!r->inTable || !(r->flags & kReadInCaption) || !level.captionBelow)
        return true;
    bool ok = endCaptionText(ctx, r);
    r->textSuppressed = 0;
    level.textAbove = 0;
    return ok && (!level.cell || level.cellOpen || level.newRow || BeginTextCell(ctx, r));
}

int CaptionTag(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTableLevel& level = GetTableLevel(r);
    if (r->tokenizer.beginTag) {
        // A caption after a row's cells ends the row's open cell, as the row's end would: the
        // cell's text would else end in the caption's formatting when the table ends. A list
        // or text area left open in the cell ends first, as at a row's end: the cell's end
        // went into it, and the cell's text into the row's end. (Its end closes the
        // caption's own group: the list's takes the caption's formatting in its place.)
        if (EndOpenFieldBlock(ctx, r) == kTagAborted)
            return kTagAborted;
        if (!endTextAbove(ctx, r) || (level.cell && !level.newRow && !endRow(ctx, r)))
            return kTagFailed;
        HtmlGroup& g = r->currentGroup();
        g.align |= kAlignCentre;
        g.style |= kStyleBold;
        g.keptStyle |= kStyleBold;
        r->flags |= kReadInCaption;
        std::string value;
        // A caption after the table's first cell can no longer go above it: its text there
        // would stand between the table's rows and split the table in two.
        if ((TagAttribute(ctx, r, "ALIGN", value) && strcasecmp(value.c_str(), "bottom") == 0) || level.cell)
            level.captionBelow = 1;
        r->textSuppressed = 0;
        return kTagDone;
    }
    bool ok = endCaptionText(ctx, r);
    CloseGroup(r);
    return ok ? kTagDone : kTagFailed;
}

}
