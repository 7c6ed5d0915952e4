// The document pass of PlxWrite: each editor line is compared with the paragraph
// before it; what ends is closed, what begins is opened, and the line's characters
// are written run by run.
#include "addon/base/byte_scan.h"
#include "addon/base/text_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/convert/html_entities.h"
#include "addon/core/field_table.h"
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"
#include "addon/core/paragraph_form.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

namespace ks::addon {

// A line holding only the paragraph mark whose next line is of the same paragraph and
// no list line of the editor's own numbering.
static bool continuesParagraph(HtmlWriter& w, int line)
{
    unsigned flags = 0;
    int count = 0;
    if (!EditorGetLineInfo(w.hWnd, line + 1, nullptr, &flags, &count, nullptr, nullptr, nullptr, nullptr, nullptr))
        return false;
    return !(flags & editor::kLineFirst) && !CheckLineInfo(w.ctx, w.hWnd, line + 1);
}

int CheckLineInfo(HtmlCtx& ctx, HWND hWnd, int line)
{
    VekInfo info{};
    if (!EditorGetInfo(hWnd, &info) || line < 0 || line + 1 >= info.lineCount)
        return 0;
    VekLineRecord record{};
    if (!EditorGetLineRecord(hWnd, line, &record))
        return 0;
    return (record.flags & editor::kLineListed) && record.firstIndent < 0 ? 1 : 0;
}

namespace {

using editor::kCellEnd, editor::kColumnBreak, editor::kHidden, editor::kInternal1, editor::kInternal2,
    editor::kLineBreak, editor::kLineCellEnd, editor::kLineFirst, editor::kLineListed, editor::kLineParaEnd,
    editor::kLineRowEnd, editor::kLinkText, editor::kObjectChar, editor::kObjectStyle, editor::kPageBreak,
    editor::kRowEnd, editor::kSectionBreak;
// The writer's own line flags, beside the editor's.
constexpr unsigned kFlagSkipSingle = 0x1000, kFlagHeldBack = 0x2000;
constexpr int kTwipsPerQuote = 600;

bool notWritten(char c)
{
    return c == kInternal1 || c == kInternal2 || c == kRowEnd || c == kSectionBreak || c == kColumnBreak ||
           c == kPageBreak;
}

// The cells holding the line's innermost cell, one per nesting level from 1.
void readCells(HtmlWriter& w, ParaState& s, int innermost, int depth)
{
    int cell = innermost;
    VekCellProps props{};
    for (int d = depth; d > kMaxWriteLevels && cell; --d)
        cell = EditorGetCellProps(w.hWnd, cell, &props) ? props.enclosingCell : 0;
    s.level = std::min(depth, kMaxWriteLevels);
    for (int d = s.level; d >= 1; --d) {
        s.cell[d] = cell;
        s.row[d] = EditorGetCellInfo(w.hWnd, cell);
        cell = cell && EditorGetCellProps(w.hWnd, cell, &props) ? props.enclosingCell : 0;
    }
}

// Lines of one cell share its cells: they are looked up once per cell, not per line.
void readCellChain(HtmlWriter& w, int innermost, int line)
{
    ParaState& s = w.cur;
    if (innermost != w.chainCell) {
        readCells(w, s, innermost, EditorGetLineTableLevel(w.hWnd, line));
        w.chainCell = innermost;
        w.chain = s;
        return;
    }
    s.level = w.chain.level;
    std::copy(std::begin(w.chain.row), std::end(w.chain.row), std::begin(s.row));
    std::copy(std::begin(w.chain.cell), std::end(w.chain.cell), std::begin(s.cell));
}

// The line holds only a cell's or a row's end.
bool holdsOnlyAnEnd(const VekLineRecord& r) { return (r.flags & (kLineRowEnd | kLineCellEnd)) && r.lastColumn <= 1; }

// The "blockquote" tags a block-quote paragraph stands in. A list inside a quote indents
// its paragraphs further: that is not another quote.
int quoteDepth(const VekLineRecord& r, int listType, int listLevel)
{
    return std::max(1, (r.leftIndent - ListIndent(listType, listLevel)) / kTwipsPerQuote);
}

// The same for any line's record, from its paragraph-type word alone.
int lineQuoteDepth(HtmlWriter& w, const VekLineRecord& r)
{
    auto word = static_cast<std::uint32_t>(r.typeWord);
    if (GetParaMiscType(&w.ctx, word) != kMiscBlockQuote)
        return 0;
    int type = GetParaListType(&w.ctx, word);
    bool listed = type != kListNone && type <= kListDef;
    return quoteDepth(r, listed ? type : 0, listed ? std::clamp(GetParaListLevel(&w.ctx, word), 0, kMaxListLevels) : 0);
}

void readState(HtmlWriter& w, int line, bool closing)
{
    w.record = VekLineRecord{};
    w.cur = ParaState{};
    w.text.count = 0;
    if (closing || !EditorGetLineRecordText(w.hWnd, line, &w.record, w.text.chars, w.text.fonts))
        return;
    w.text.count = std::min(w.record.lastColumn, kHtmlLineMax);
    ParaState& s = w.cur;
    const VekLineRecord& r = w.record;
    auto word = static_cast<std::uint32_t>(r.typeWord);
    s.header = GetParaHeader(&w.ctx, word);
    s.listLevel = GetParaListLevel(&w.ctx, word);
    s.listType = GetParaListType(&w.ctx, word);
    s.listItem = (word & kParaMarkerShown) != 0;
    s.term = (word & kParaDefTerm) != 0;
    s.other = GetParaMiscType(&w.ctx, word);
    s.inForm = (word & kParaInForm) != 0;
    if (s.listType == kListNone && (r.flags & kLineListed) && r.firstIndent < 0) {
        int bullet = 0;
        EditorGetListInfo(w.hWnd, line, &bullet, nullptr, nullptr);
        s.listType = bullet ? kListUnordered : kListOrdered;
        s.listLevel = r.leftIndent + r.firstIndent > 0 ? 1 : 0;
        s.listItem = true;
    }
    if (s.listType == kListNone || s.listType > kListDef)
        s.listType = s.listLevel = 0;
    // A line of only a cell's or a row's end holds nothing to put in a header, list or
    // block: one opened for it would be empty, or stand between the cells.
    s.endsOnly = holdsOnlyAnEnd(r);
    if (s.endsOnly)
        s.header = s.listType = s.listLevel = s.other = 0, s.listItem = s.term = false;
    s.listLevel = std::clamp(s.listLevel, 0, kMaxListLevels);
    if (s.other == kMiscBlockQuote)
        s.quoteDepth = quoteDepth(r, s.listType, s.listLevel);
    if (r.cell)
        readCellChain(w, r.cell, line);
}

bool newTableAt(HtmlWriter& w, int d)
{
    int row = w.cur.row[d];
    if (!row || row == w.prev.row[d])
        return false;
    VekCellProps props{};
    return (EditorGetCellProps(w.hWnd, w.cur.cell[d], &props) & editor::kRowStartsTable) || EditorIsNewTable(w.hWnd, row);
}

// The form of the fields from line on in its form block; -1 when no field follows. A page
// held whole in one form is so not scanned to its end at every paragraph.
int fieldsFormFrom(HtmlWriter& w, FieldScan& scan, int line)
{
    if (line < scan.from || line > scan.to) {
        int field = FirstFieldFrom(w.ctx, w.hWnd, line, &scan.to);
        scan.from = line;
        scan.form = field >= 0 ? w.ctx.fields[field].form : -1;
    }
    return scan.form;
}

// The form of the paragraph at line: that of the fields from line on in its form block, else
// the one it was put in; -1 when neither is known.
int formFrom(HtmlWriter& w, FieldScan& scan, int line)
{
    int form = fieldsFormFrom(w, scan, line);
    return form >= 0 ? form : ParagraphForm(w.ctx, w.hWnd, line);
}

// Where the form block that starts at line goes: inside the table cells that hold all of it
// (the cells its first and its last line share), and inside the deepest list item that
// holds all of it (up to the first item it holds itself).
struct FormPlace {
    int depth = 0;                  // table levels
    int listLevel = 0;              // list levels
    int quotes = 0;                 // "blockquote" tags
    bool leavesPre = false;         // it holds lines that are no "pre" of this line's table level
};

FormPlace placeForm(HtmlWriter& w, int line, bool paraStart, bool leavingCell)
{
    const ParaState& c = w.cur;
    int last = line, holding = line, items = c.listLevel;
    FormPlace place;
    // Inside the quotes open now that hold all of its lines in this cell.
    place.quotes = std::min(w.openQuotes(), c.quoteDepth);
    VekLineRecord r{};
    FieldScan scan;
    int form = formFrom(w, scan, line);
    while (last + 1 < w.endLine && EditorGetLineRecord(w.hWnd, last + 1, &r) &&
           (static_cast<std::uint32_t>(r.typeWord) & kParaInForm)) {
        // The paragraph where the fields of the next form begin begins that form, also the
        // first of a table that begins there (the form ends before the table).
        int level = std::min(EditorGetLineTableLevel(w.hWnd, last + 1), EditorGetLineTableLevel(w.hWnd, last));
        if ((r.flags & kLineFirst) && form >= 0 && level <= c.level) {
            int next = formFrom(w, scan, last + 1);
            if (next >= 0 && next != form)
                break;
        }
        ++last;
        // A line of only a cell's or a row's end holds nothing of it: written in a form
        // around its table, the form would end before the cell's end when read back. Nor
        // is it an item of a list, though it has the type of the item it ends.
        bool onlyAnEnd = holdsOnlyAnEnd(r);
        if (!onlyAnEnd)
            holding = last;
        // It goes on past a "pre" where it holds a table (if only its ends) or text of no
        // "pre"; not where only the ends of the cell around follow.
        int lineLevel = EditorGetLineTableLevel(w.hWnd, last);
        if (lineLevel > c.level ||
            (!onlyAnEnd && (lineLevel != c.level || GetParaMiscType(&w.ctx, static_cast<std::uint32_t>(r.typeWord)) != kMiscPre)))
            place.leavesPre = true;
        // A later paragraph of a list is written as an item of its own. One in no list, of
        // a definition list after other lists, or of another list after a definition list,
        // is written with those lists ended.
        auto word = static_cast<std::uint32_t>(r.typeWord);
        if ((r.flags & kLineFirst) && (word & kParaMarkerShown) && !onlyAnEnd)
            items = std::min(items, GetParaListLevel(&w.ctx, word) - 1);
        int type = GetParaListType(&w.ctx, word);
        if ((r.flags & kLineFirst) && !onlyAnEnd && c.listType && (!type || (type == kListDef) != (c.listType == kListDef)))
            items = 0;
        if (r.cell == w.record.cell)
            place.quotes = std::min(place.quotes, lineQuoteDepth(w, r));
    }
    place.depth = c.level;
    if (holding > line) {
        ParaState end;
        if (EditorGetLineRecord(w.hWnd, holding, &r) && r.cell)
            readCells(w, end, r.cell, EditorGetLineTableLevel(w.hWnd, holding));
        place.depth = 0;
        while (place.depth < std::min(c.level, end.level) && end.cell[place.depth + 1] == c.cell[place.depth + 1])
            ++place.depth;
    }
    if (place.depth != c.level || !c.listType)
        return place;
    // The item this line opens, else the last item of a list kept open.
    if (items == c.listLevel && c.listItem && paraStart)
        place.listLevel = items;
    else if (!leavingCell)
        place.listLevel = std::clamp(KeptListLevel(w, c.listType, c.listLevel), 0, items);
    // The quotes around the list whose item holds it stay open.
    while (place.quotes < w.openQuotes() && w.quoteLists[std::size_t(place.quotes)] < place.listLevel)
        ++place.quotes;
    return place;
}

struct Decision {
    bool paraStart = false, formStarts = false, formChanges = false, endedRow = false, endedCell = false, listChanges = false;
    bool formChangesInside = false;    // in a table, list or quote the open form began outside of
    FormPlace form;                 // where a form that starts here goes
    bool headerCloses = false, leavingCell = false;
    bool newTable[kMaxWriteLevels + 1]{};
    bool opened = false;            // a block tag was opened at this paragraph start
    bool cellOpened = false;        // a table, row or cell was
    int cellAlign = 0;
};

// The open form ends before the line: it holds no form, or the next form's, in the form's
// cells or in tables that begin at it.
bool formEndsBefore(const HtmlWriter& w, const Decision& d)
{
    return w.formOpen && ((!w.cur.inForm && w.cur.level <= w.formLevel) || d.formChanges);
}

// The line goes on the paragraph of the line before it.
bool goesOnParagraph(HtmlWriter& w, int line)
{
    unsigned flags = 0;
    return line < w.endLine &&
           EditorGetLineInfo(w.hWnd, line, nullptr, &flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) &&
           !(flags & kLineFirst);
}

int closeBlocks(HtmlWriter& w, Decision& d, int line, bool closing)
{
    const ParaState& c = w.cur;
    // A link or formatting left open by a last line without a paragraph end ends before the
    // paragraph and the blocks around it; the paragraph ends with the document.
    if (closing && (!CloseLink(w) || !CloseAllFormatting(w)))
        return 0;
    // An address or a "pre" begun inside a form or a list that ends here ends before it: the
    // form's or the list's end tag ends it when read, and its further lines were read outside it.
    bool formEnds = formEndsBefore(w, d);
    bool listsEnd = d.paraStart || closing;
    auto keptListLevel = [&] {
        return !listsEnd ? w.openListLevel : d.listChanges && d.leavingCell ? 0 : KeptListLevel(w, c.listType, c.listLevel);
    };
    bool addressEnds = w.addressOpen && (c.other != kMiscAddress || d.headerCloses || d.leavingCell ||
                                         (formEnds && !w.formInAddress) || keptListLevel() < w.addressListLevel);
    // So does a "pre" that a form begun here goes on past: begun inside it, the form would
    // end with it, and its further lines be read in another form.
    bool preEnds = w.preOpen && (c.other != kMiscPre || d.leavingCell || (formEnds && !w.formInPre) ||
                                 (d.formStarts && d.form.leavesPre) || keptListLevel() < w.preListLevel);
    int depth = c.other == kMiscBlockQuote && !d.leavingCell ? c.quoteDepth : 0;
    // A paragraph tag opened inside one of them or a block quote ends inside it, also where
    // the paragraph goes on to a cell's end after a line break: its end tag after the block's
    // was read as a paragraph end of its own. So does formatting left open there by the break.
    bool blockEnds = addressEnds || preEnds || w.openQuotes() > depth;
    if (blockEnds && !closing && ((w.ctx.paraOpen && !CloseLink(w)) || !CloseAllFormatting(w)))
        return 0;
    if ((d.paraStart || closing || blockEnds) && w.ctx.paraOpen && !WriteParaEnd(w))
        return 0;
    if (w.prev.other == kMiscRule)
        d.paraStart = true;
    if (d.headerCloses && w.openHeader && !WriteHeaderEnd(w))
        return 0;
    if (addressEnds) {
        // Lists begun inside it end first, as its end tag ends them when read.
        if (w.openListLevel > w.addressListLevel && !CloseListsTo(w, w.addressListLevel))
            return 0;
        w.addressOpen = false;
        w.afterBreak = true;
        if (!Tag(w, "address", false, true))
            return 0;
    }
    if (w.openQuotes() > depth && !WriteQuotes(w, depth))
        return 0;
    int keptLists = keptListLevel();
    if (preEnds) {
        // Lists begun inside it end first, also those the next paragraph goes on in: after
        // its end tag they would be read as going on around what follows, and those the next
        // paragraph is in begin again. So does a form begun inside it, where it ends, also
        // with the cell that holds both (the next line may hold only the cell's end).
        int inside = w.preListLevel;
        if (w.openListLevel > inside && !CloseListsTo(w, inside))
            return 0;
        bool cellEnds = d.endedCell || c.level < w.prev.level || c.endsOnly;
        if (w.formOpen && w.formInPre && (!c.inForm || cellEnds)) {
            if (!WriteFormEnd(w))
                return 0;
            d.paraStart = true;
        }
        w.preOpen = false;
        w.afterBreak = true;
        // Its end tag still stands inside "pre": a line it begins gets no indentation, which
        // would be read as text.
        if (!Tag(w, "pre", false, false))
            return 0;
        w.out.pre = 0;
        if (!Flush(w))
            return 0;
    }
    // The end of what is written ends the lists around it too, as it does when read; a form
    // starting ends those it does not stand in.
    if (listsEnd && w.openListLevel) {
        if (!Flush(w) || !CloseListsTo(w, keptLists))
            return 0;
        if (d.formStarts && w.openListLevel > d.form.listLevel && !CloseListsTo(w, d.form.listLevel))
            return 0;
    }
    // Only tables the line before was in can be open: deeper ones closed at that line.
    for (int level = w.prev.level; level >= 1; --level) {
        TableLevelState& t = w.levels[level];
        if (!t.open)
            continue;
        bool tableEnds = level > c.level || !c.row[level] || d.newTable[level];
        bool lastLevel = level == w.prev.level;
        bool rowEnds = tableEnds || c.row[level] != w.prev.row[level] || (lastLevel && d.endedRow);
        bool cellEnds = rowEnds || c.cell[level] != w.prev.cell[level] || (lastLevel && d.endedCell);
        // A form inside this cell ends with it, as it is read.
        if (cellEnds && w.formOpen && level <= w.formLevel) {
            if (!WriteFormEnd(w))
                return 0;
            d.paraStart = true;
        }
        if (cellEnds && t.cellOpen && !WriteCellEnd(w, level))
            return 0;
        if (rowEnds && t.rowOpen && !WriteRowEnd(w, level))
            return 0;
        if (tableEnds) {
            if (!WriteTableEnd(w, level))
                return 0;
            d.paraStart = true;
            // Loose text after a table would read back with the spacing of the last paragraph
            // ended before it, not its own.
            if (level == 1)
                w.afterBreak = true;
        }
    }
    // A form begun outside the table of this line ends after that table: its end inside
    // a cell would not end it when read back. Where the next form begins in a table, list or
    // quote the open one holds, its begin ends that one, as it did when read: that one gets
    // no end tag, which would end the blocks around.
    if (formEndsBefore(w, d)) {
        if (!WriteFormEnd(w))
            return 0;
        d.paraStart = true;
    } else if (d.formChangesInside && !LeaveForm(w)) {
        return 0;
    }
    if (line == w.firstLine)
        d.paraStart = true;
    return 1;
}

int openBlocks(HtmlWriter& w, Decision& d, int line, bool closing)
{
    const ParaState& c = w.cur;
    // A form opens inside the cells that hold all of it, before what its first line opens
    // in them (one across rows of a table open already stays between those rows), or in the
    // list item its first line opens.
    // A quote, list item or cell that held the form ended it just now: the form's further
    // lines begin one again. A line of only a cell's or a row's end begins none: a form
    // holding nothing reads back as none.
    if (c.inForm && !c.endsOnly && !w.formOpen && !d.formStarts && !closing) {
        d.formStarts = true;
        d.form = placeForm(w, line, d.paraStart, d.leavingCell);
    }
    bool formStarts = d.formStarts && !w.formOpen;
    bool formInNewItem = d.form.listLevel && d.form.listLevel == c.listLevel && d.paraStart && c.listItem;
    auto openForm = [&](bool here) {
        if (!formStarts || !here)
            return 1;
        // Quotes that end before the form does end before it begins; its lines open
        // them again inside it.
        if (w.openQuotes() > d.form.quotes && !WriteQuotes(w, d.form.quotes))
            return 0;
        formStarts = false;
        w.formLevel = d.form.depth;
        w.formListLevel = d.form.listLevel;
        d.opened = true;
        return WriteFormStart(w, line);
    };
    for (int level = 1; level <= c.level; ++level) {
        TableLevelState& t = w.levels[level];
        // Around a table that is open already the form's tag would stand between its cells,
        // read back inside the cell before: it goes into this cell, and still ends after the
        // table.
        bool formAround = !formInNewItem && level - 1 == d.form.depth;
        bool tableOpen = t.open;
        if (!openForm(formAround && !tableOpen))
            return 0;
        if (!t.open) {
            if (!WriteTableStart(w, level, c.cell[level]))
                return 0;
            d.cellOpened = true;
        }
        if (!t.rowOpen || c.row[level] != w.prev.row[level]) {
            if (!WriteRowStart(w, level))
                return 0;
            d.cellOpened = true;
        }
        if (c.cell[level] != w.prev.cell[level]) {
            int carried = WriteCellStart(w, level, c.cell[level], line);
            if (carried < 0)
                return 0;
            d.cellAlign = carried;
            d.cellOpened = true;
        }
        if (!openForm(formAround && tableOpen))
            return 0;
    }
    if (!openForm(!formInNewItem && c.level == d.form.depth))
        return 0;
    // A cell covered by a span writes nothing: what it opened would stand between cells.
    if (closing || w.out.suppress)
        return 1;
    bool listOpens = d.paraStart && c.listType && (c.listType != w.openListType() || c.listLevel != w.openListLevel);
    bool quoteOpens = c.other == kMiscBlockQuote && w.openQuotes() < c.quoteDepth;
    // A quote and a list opening together: the list was read inside the quote.
    if (quoteOpens && listOpens) {
        if (!WriteQuotes(w, c.quoteDepth))
            return 0;
        d.opened = true;
    }
    if (listOpens) {
        if (!OpenLists(w, line, c.listType, c.listLevel))
            return 0;
        d.opened = true;
    }
    if (d.paraStart && c.listItem && c.listType) {
        // The page ends the item's first line without its paragraph's end.
        char last = w.text.count > 0 ? w.text.chars[w.text.count - 1] : 0;
        bool unended = last && last != w.ctx.marker && last != kCellEnd && last != kRowEnd && last != kLineBreak &&
                       !goesOnParagraph(w, line + 1);
        if (!WriteListItem(w, unended))
            return 0;
        d.opened = true;
    }
    if (!openForm(formInNewItem))
        return 0;
    if (c.other == kMiscAddress && !w.addressOpen) {
        w.addressOpen = true;
        w.addressListLevel = w.openListLevel;
        d.opened = true;
        if (!Flush(w) || !Tag(w, "address", true, false))
            return 0;
    }
    if (c.other == kMiscBlockQuote && w.openQuotes() < c.quoteDepth) {
        if (!WriteQuotes(w, c.quoteDepth))
            return 0;
        d.opened = true;
    }
    if (c.other == kMiscPre && !w.preOpen) {
        if (!Flush(w) || !Tag(w, "pre", true, false))
            return 0;
        w.preOpen = true;
        w.preListLevel = w.openListLevel;
        w.out.pre = 1;
        d.opened = true;
    }
    if (c.header && w.openHeader != c.header) {
        if (!WriteHeaderStart(w, c.header, w.record.alignment & ~d.cellAlign))
            return 0;
        d.opened = true;
    }
    return 1;
}

// What the paragraph's element gives its text without tags of its own.
void setImplied(HtmlWriter& w)
{
    const ParaState& c = w.cur;
    int element = c.header ? c.header
                : c.other == kMiscAddress ? kBlockAddress
                : c.other == kMiscBlockQuote ? kBlockQuote
                : c.other == kMiscPre ? kBlockPre : 0;
    w.out.blockElement = element;
    w.out.impliedStyle = element ? w.ctx.fonts[element].style : 0;
    w.out.impliedColour = element ? w.ctx.fonts[element].colour : 0;
    if (c.term)
        w.out.impliedStyle |= 2;
}

// The paragraph at line is only its end, in the blocks of the one written now: it opens
// nothing, and is left out.
bool leftOutAfter(HtmlWriter& w, int line)
{
    LineText text;
    VekLineRecord next{};
    const VekLineRecord& r = w.record;
    if (EditorGetLineChars(w.hWnd, line, text.chars, text.fonts) != 1 || text.chars[0] != w.ctx.marker ||
        !EditorGetLineRecord(w.hWnd, line, &next))
        return false;
    auto word = static_cast<std::uint32_t>(next.typeWord);
    return next.typeWord == r.typeWord && !GetParaHeader(&w.ctx, word) && !(word & kParaMarkerShown) &&
           next.cell == r.cell;
}

// The line that ends line's paragraph where it holds only the end, after a line that ends
// with a line break; -1 otherwise.
int endAfterLineBreak(HtmlWriter& w, int line)
{
    LineText text;
    unsigned flags = 0;
    int count = 0;
    for (int next = line + 1; EditorGetLineInfo(w.hWnd, next, nullptr, &flags, nullptr, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr) && !(flags & kLineFirst);
         ++next) {
        bool broken = count > 0 && text.chars[count - 1] == kLineBreak;
        count = EditorGetLineChars(w.hWnd, next, text.chars, text.fonts);
        if (count == 1 && text.chars[0] == w.ctx.marker)
            return broken || next == line + 1 ? next : -1;
    }
    return -1;
}

bool sameCell(HtmlWriter& w, int line)
{
    VekLineRecord r{};
    return EditorGetLineRecord(w.hWnd, line, &r) && r.cell == w.record.cell;
}

// The first line of the paragraph after line's, or -1 where the range or line's cell ends
// it: what ends it there as loose text ("</body>", "</td>") gives it no spacing. A paragraph
// of only the cell's end is written as nothing but that end, an empty one as nothing.
int nextParagraph(HtmlWriter& w, int line)
{
    unsigned flags = w.record.flags;
    for (int next = line + 1; next < w.endLine; ++next) {
        unsigned nextFlags = 0;
        int count = 0;
        if (!EditorGetLineInfo(w.hWnd, next, nullptr, &nextFlags, &count, nullptr, nullptr, nullptr, nullptr, nullptr))
            return next;
        if ((nextFlags & kLineFirst) && !leftOutAfter(w, next))
            return (flags & kLineCellEnd) || ((nextFlags & kLineCellEnd) && count == 1 && sameCell(w, next)) ? -1 : next;
        flags = nextFlags;
    }
    return -1;
}

// The paragraph at next begins with a "div" of the same blocks (and form) as the one at
// line, written now: a form's tag between them would end this one with spacing.
bool beginsPlainDiv(HtmlWriter& w, int line, int next)
{
    VekLineRecord after{};
    const VekLineRecord& r = w.record;
    return EditorGetLineRecord(w.hWnd, next, &after) && IsDivParagraph(w.ctx, after) && after.typeWord == r.typeWord &&
           after.cell == r.cell && after.leftIndent == r.leftIndent &&
           FormTextNumber(w.hWnd, next) == FormTextNumber(w.hWnd, line);
}

// The paragraph of line ends with a line break and its end: its last line holds only the
// end, after a line that ends with the break.
bool endsWithLineBreak(HtmlWriter& w, int line)
{
    int last = line;
    while (goesOnParagraph(w, last + 1))
        ++last;
    LineText text;
    if (last == line || EditorGetLineChars(w.hWnd, last, text.chars, text.fonts) != 1 || text.chars[0] != w.ctx.marker)
        return false;
    int count = EditorGetLineChars(w.hWnd, last - 1, text.chars, text.fonts);
    return count > 0 && text.chars[count - 1] == kLineBreak;
}

// The line stands in the blocks of the one written now (in the list item it began, too):
// no tag ends or begins between them.
bool inBlocksOfThisLine(HtmlWriter& w, int line)
{
    VekLineRecord other{};
    const VekLineRecord& r = w.record;
    auto blocks = [](const VekLineRecord& l) { return static_cast<std::uint32_t>(l.typeWord) & ~kParaMarkerShown; };
    return line >= 0 && EditorGetLineRecord(w.hWnd, line, &other) && blocks(other) == blocks(r) &&
           other.cell == r.cell && other.leftIndent == r.leftIndent;
}

// The paragraph ended last is loose text (no end tag of its own) in the blocks of the one
// written now, and nothing was opened between: read back, what follows joins it.
bool followsLooseText(HtmlWriter& w, const Decision& d)
{
    return !d.opened && !w.preOpen && inBlocksOfThisLine(w, w.looseLine);
}

// The paragraph at line, in the cell written now, is written with a tag for its alignment.
bool saysAlignment(HtmlWriter& w, int line)
{
    VekLineRecord next{};
    if (!EditorGetLineRecord(w.hWnd, line, &next) || GetParaHeader(&w.ctx, static_cast<std::uint32_t>(next.typeWord)))
        return false;
    int own = next.alignment & kAlignWritten;
    return (own & ~w.out.cellAlign) || (w.out.cellAlign && !own);
}

int writeParagraphTag(HtmlWriter& w, const Decision& d, const LineText& text, int line, bool cellFirst)
{
    // A paragraph of only its end (or of a line break) would read back as nothing. One that
    // begins with a line break and ends with one and its end, before another paragraph,
    // needs its tag: its end tag ends it, where the next paragraph's tag would not, right
    // after a line break. So does one that begins with a line break right after loose text,
    // which would take the break as its own.
    bool breakFirst = text.count == 1 && text.chars[0] == kLineBreak;
    // In "pre" one that the cell's or the page's end follows needs none: the end tag of "pre"
    // there ends it.
    int breaksEnd = breakFirst ? endAfterLineBreak(w, line) : -1;
    bool breakThenEnd = breaksEnd >= 0 && breaksEnd + 1 < w.endLine && !(w.preOpen && nextParagraph(w, line) < 0);
    bool breakAfterLoose = breakFirst && followsLooseText(w, d);
    // One whose text goes on after its first line's break is more than the break: without
    // its tag it lost its alignment and spacing, also where its end follows that text's last
    // break at the page's end.
    bool textAfterBreak = breakFirst && !w.preOpen && breaksEnd != line + 1 && goesOnParagraph(w, line + 1);
    if (text.count == 1 && !breakThenEnd && !breakAfterLoose && !textAfterBreak &&
        (text.chars[0] == kLineBreak || text.chars[0] == kRowEnd || text.chars[0] == kCellEnd || text.chars[0] == w.ctx.marker))
        return 1;
    // Nor would the range's last line of only blanks: they are dropped when read, but for
    // those in "pre".
    if (line == w.endLine - 1 && !w.preOpen && std::all_of(text.chars, text.chars + text.count, [](char c) { return c == ' '; }))
        return 1;
    // The cell's own alignment needs no tag, also after its first paragraph: in "pre" right
    // after a line break a tag for it ends no paragraph, and two were read back as one.
    int align = w.record.alignment & kAlignWritten & ~w.out.cellAlign;
    // A paragraph without alignment in an aligned cell says so: else it takes the cell's.
    bool leftInCell = w.out.cellAlign && !(w.record.alignment & kAlignWritten);
    bool byAlignment = (align || leftInCell) && !w.cur.header;
    // A cell's paragraph with spacing is a "p" in it, as read. A block tag opened for this
    // paragraph separates it already; a "p" inside it (a header, a list item) would not be
    // HTML. Loose text ended by the next paragraph or block reads back with spacing.
    // The end tag of a form that ends with the cell gives the form's last paragraph that
    // spacing when read, as it did the first time: a "p" there changed the next save.
    int next = nextParagraph(w, line);
    bool formEndSpaces = next < 0 && w.formOpen && w.cur.level > 0 && w.formLevel == w.cur.level;
    bool bySpacing = !d.opened && w.record.spaceBefore > 0 && !formEndSpaces;
    // A cell's first paragraph, loose, is ended by the next one's tag: only a "div" ends it
    // without spacing.
    bool byBreak = !d.opened && (cellFirst ? next >= 0 && !beginsPlainDiv(w, line, next) : w.afterBreak || next >= 0);
    // One ending with a line break is ended by no next paragraph's tag (right after a break
    // a "p" or "div" ends none), also where a block tag opened for it: its own end tag ends it.
    // In "pre" a line end ends it where the next paragraph has no tag of its own.
    bool byOwnEnd = next >= 0 && !w.cur.header && (!w.preOpen || saysAlignment(w, next)) && endsWithLineBreak(w, line);
    if (!byAlignment && !bySpacing && !byBreak && !byOwnEnd)
        return 1;
    // In "pre" at a line's start (a line break and an empty paragraph came before) the tag
    // would read back as nothing: a line end of its own keeps the empty paragraph's line.
    if (!byAlignment && !bySpacing && w.preOpen && w.out.length == 0)
        return EndHtmlLine(&w.ctx, w.out);
    return WriteParaStart(w);
}

struct LineEnd {
    bool para = false, cell = false, lineBreak = false, row = false;
    char last = 0;
};

// Characters of the text itself, not the editor's marks.
bool isText(char c) { return static_cast<unsigned char>(c) >= 0x20 || c == editor::kNoBreakSpace; }

// The end of the run of text characters in the font of character i (a text character),
// before last; eight characters at a time.
int textRunEnd(const LineText& text, int i, int last)
{
    using namespace bytescan;
    std::uint16_t font = text.fonts[i];
    int j = i + 1;
    for (; last - j >= 8; j += 8) {
        std::uint64_t chars = load(text.chars + j);
        std::uint64_t marks = below(chars, 0x20) & ~equalTo(chars, static_cast<unsigned char>(editor::kNoBreakSpace));
        std::uint64_t first = unitsOtherThan(loadUnits(text.fonts + j), font);
        std::uint64_t second = unitsOtherThan(loadUnits(text.fonts + j + 4), font);
        int end = first ? firstFlaggedUnit(first) : second ? 4 + firstFlaggedUnit(second) : 8;
        if (marks)
            end = std::min(end, firstFlagged(marks));
        if (end < 8)
            return j + end;
    }
    while (j < last && text.fonts[j] == font && isText(text.chars[j]))
        ++j;
    return j;
}

// Follows anchor data outside quoted values as the tag reader reads it: a quote opens a
// value only right after the "=" that ends a name; in a name ("x\"") or a bare value
// ("a=b\"c") it is a letter.
void followLinkData(HtmlWriter& w, char c)
{
    if (w.linkPart == kValueStart && (c == '"' || c == '\''))
        w.linkQuote = c;
    else if (c == ' ')
        w.linkPart = kInName;
    else if (w.linkPart == kInName && c == '=')
        w.linkPart = kValueStart;
    else if (w.linkPart == kValueStart)
        w.linkPart = kInBareValue;
}

// Anchor data as the anchor's attributes, as read: inside a quoted value no line end.
int putLinkData(HtmlWriter& w, std::string_view data)
{
    w.linkData.append(data);
    for (char c : data) {
        bool closes = w.linkQuote && c == w.linkQuote;
        if (!w.linkQuote)
            followLinkData(w, c);
        w.out.inValue = w.linkQuote != 0;
        int put = PutChar(&w.ctx, w.out, c);
        w.out.inValue = 0;
        if (!put)
            return 0;
        if (closes) {
            w.linkQuote = 0;
            w.linkPart = kInName;
        }
    }
    return 1;
}

// Begins an anchor's "<a " tag (state 1).
int openLinkData(HtmlWriter& w)
{
    if (!PutTagOpen(&w.ctx, w.out, "a") || !PutChar(&w.ctx, w.out, ' '))
        return 0;
    w.linkState = 1;
    w.linkQuote = 0;
    w.linkPart = kInName;
    w.linkData.clear();
    return 1;
}

// Link text after the end of its anchor's (see HtmlWriter::resumedLink) opens the link again.
int resumeLink(HtmlWriter& w)
{
    std::string data = std::move(w.resumedLink);
    w.resumedLink.clear();
    return CloseAllFormatting(w) && openLinkData(w) && putLinkData(w, data) && EndLinkData(w);
}

// A run of text in one font (or one object character), with the link, formatting and
// escaping it needs; previous is the character before the run, next the one after it in
// the paragraph ('\0' where none is known).
int writeRun(HtmlWriter& w, std::string_view run, int font, char previous, char next)
{
    char ch = run[0];
    const FontFacts& facts = FactsOf(w, font);
    bool hidden = (facts.style & kHidden) != 0;
    bool object = ch == kObjectChar && (facts.style & kObjectStyle);
    bool elementFont = !object && facts.userId < 20;
    if (hidden) {
        // Another anchor's data while one is open (it would be written as text), or in
        // another font right after one's data (two anchors with nothing between): the open
        // anchor ends first.
        bool another = w.linkState == 2 || (w.linkState == 1 && font != w.hiddenFont);
        if (another && !object && !CloseLink(w))
            return 0;
        w.hiddenFont = font;
        w.resumedLink.clear();
        if (w.linkState == 0 && ((!object && !CloseAllFormatting(w)) || !openLinkData(w)))
            return 0;
        return putLinkData(w, run);
    }
    if (w.linkState == 1 && !EndLinkData(w))
        return 0;
    if (!(facts.style & kLinkText))
        w.resumedLink.clear();
    else if (w.linkState == 0 && !w.resumedLink.empty() && !w.out.suppress && !resumeLink(w))
        return 0;
    // Text in an element's own font is outside the anchor: a target written before its
    // text ("<a id=t></a>Title") ends there.
    if (w.linkState == 2 && elementFont && !(facts.style & kLinkText) && !CloseLink(w))
        return 0;
    if (w.out.suppress)
        return 1;
    if (object) {
        int controlId = EditorGetObjectField(w.hWnd, font);
        int field = controlId ? FindFieldByControl(w.ctx, controlId) : -1;
        int done = controlId ? (field < 0 || WriteField(w, field, font)) : WritePicture(w, font);
        if (!done || !CloseAllFormatting(w))
            return 0;
        ResetCharState(w);
        return 1;
    }
    // A run in one font is worked out once, at its first character.
    if (font != w.chars.font || w.linkState != w.charsLink) {
        CharState next;
        next.font = font;
        std::memcpy(next.face, facts.face, sizeof next.face);
        int element = facts.userId < 60 ? facts.userId % 20 : w.cur.header;
        next.htmlSize = facts.tag && !w.ctx.rtfConversion ? facts.tag : PointsToHtmlSize(w.ctx, facts.points, element);
        next.colour = facts.colour;
        next.style = facts.style & editor::kTextStyleBits;
        next.type = facts.userId < 60 ? facts.userId % 20 : 0;
        // In a table "tr" begins a row: the element's text goes there without its tag.
        if (next.type == kElemTimes && w.cur.level > 0)
            next.type = 0;
        if (w.linkState == 2) {
            next.style &= ~(w.ctx.linkStyle | kLinkText);
            next.colour = w.out.impliedColour;
        }
        if (!WriteCharFormat(w, next))
            return 0;
    }
    if (facts.style & kStyleKeptReference)
        return PutKeptReferences(&w.ctx, w.out, run, previous, next);
    return PutText(&w.ctx, w.out, run, previous);
}

// The anchor ends at a paragraph's end, a cell's end or a line break in the font of
// font: in link text, the link's text may run on past it (see HtmlWriter::resumedLink).
void noteLinkEnd(HtmlWriter& w, int font)
{
    if (w.linkState != 0 && (FactsOf(w, font).style & kLinkText))
        w.resumedLink = HtmlAttribsWithout(w.linkData.c_str(), {"name", "id"});
    else if (!(FactsOf(w, font).style & kLinkText))
        w.resumedLink.clear();
}

// Where the blanks just before the line's paragraph or cell end begin (last when there are
// none): outside "pre" the reader drops them, so they are not written.
int blanksBeforeEnd(const HtmlWriter& w, const LineText& text, int first, int last)
{
    int end = last;
    while (end > first && notWritten(text.chars[end - 1]))
        --end;
    if (end == first || (text.chars[end - 1] != w.ctx.marker && text.chars[end - 1] != kCellEnd))
        return last;
    int from = end - 1;
    while (from > first && text.chars[from - 1] == ' ')
        --from;
    return from;
}

// The line after line goes on line's paragraph with the rest of a kept reference: a long
// paragraph's editor lines may split one.
bool referenceGoesOn(HtmlWriter& w, int line)
{
    LineText next;
    if (!goesOnParagraph(w, line + 1) || EditorGetLineChars(w.hWnd, line + 1, next.chars, next.fonts) < 1)
        return false;
    char c = next.chars[0];
    return (FactsOf(w, next.fonts[0]).style & kStyleKeptReference) && c != '&' && c != kKeptReferenceMark;
}

// lineStart: the line begins a paragraph or follows a line break, where the reader drops a
// lone blank outside "pre"; one there is written as "&nbsp;", as a blank after a blank is.
int writeChars(HtmlWriter& w, int line, const LineText& text, LineEnd& end, bool lineStart)
{
    int first = w.selection && line == w.firstLine ? std::min(w.firstColumn, text.count) : 0;
    int last = w.selection && line == w.endLine - 1 ? std::min(w.lastColumn, text.count) : text.count;
    // Blanks that end the written text without a paragraph end are dropped when read, but
    // for those in "pre": its end tag ends their paragraph.
    if (line == w.endLine - 1 && !w.preOpen)
        while (last > first && text.chars[last - 1] == ' ')
            --last;
    const int blanksFrom = w.preOpen ? last : blanksBeforeEnd(w, text, first, last);
    const char startBlank = w.preOpen ? 0 : ' ';
    char previous = lineStart ? startBlank : 0;
    char textBefore = previous;   // the last character of text written, for the blanks after it
    bool wrote = false;
    for (int i = first; i < last;) {
        char ch = text.chars[i];
        if (ch == kRowEnd)
            end.row = true;
        if (notWritten(ch) || (i >= blanksFrom && ch == ' ')) {
            ++i;
            continue;
        }
        bool onlyMark = text.count == 1 && ch == w.ctx.marker;
        if (ch == kLineBreak || (onlyMark && continuesParagraph(w, line))) {
            noteLinkEnd(w, text.fonts[i]);
            if (!w.out.suppress && !WriteLineBreak(w))
                return 0;
            end.lineBreak = true;
            previous = textBefore = startBlank;
            ++i;
            continue;
        }
        if (ch == w.ctx.marker || ch == kCellEnd) {
            noteLinkEnd(w, text.fonts[i]);
            if (!CloseLink(w))
                return 0;
            end.para = ch == w.ctx.marker;
            end.cell = ch == kCellEnd;
            break;
        }
        int j = isText(ch) ? textRunEnd(text, i, i < blanksFrom ? blanksFrom : last) : i + 1;
        char next = j == text.count && referenceGoesOn(w, line) ? kReferenceGoesOn : '\0';
        if (!writeRun(w, std::string_view(text.chars + i, static_cast<std::size_t>(j - i)), text.fonts[i], textBefore, next))
            return 0;
        previous = text.chars[j - 1];
        // An anchor's data is no text: a blank after it at a line's start is dropped when
        // read, as one right at the start.
        if (!(FactsOf(w, text.fonts[i]).style & kHidden))
            textBefore = previous;
        wrote = true;
        i = j;
    }
    end.last = wrote ? previous : 0;
    return 1;
}

}

namespace {

// The line is an empty paragraph (only its end, no list item or rule) in a list, quote,
// address or "pre" that is not open: written, they would be empty and read back as nothing. It is left
// out with them.
bool emptyInNewBlocks(HtmlWriter& w, const ParaState& before)
{
    const ParaState& c = w.cur;
    bool empty = w.paraStart && (w.record.flags & kLineFirst) && w.text.count == 1 && w.text.chars[0] == w.ctx.marker;
    if (!empty || c.listItem || c.header || c.other == kMiscRule || c.inForm != before.inForm || c.level != before.level ||
        (c.level && c.cell[c.level] != before.cell[c.level]))
        return false;
    return c.listType != before.listType || c.listLevel != before.listLevel || c.other != before.other ||
           c.quoteDepth != before.quoteDepth;
}

// One step of the pass; false ends the pass (output failed).
bool writeLine(HtmlWriter& w, int line, bool closing)
{
    ParaState before = w.cur;
    w.prev = before;
    readState(w, line, closing);
    // The first run of held-back lines waits for the end of the document.
    bool held = !closing && (w.record.flags & kFlagHeldBack);
    if (held && !w.heldDone) {
        w.heldFrom = w.heldFrom < 0 ? line : w.heldFrom;
        w.heldTo = line;
        w.cur = before;
        return true;
    }
    w.heldDone = w.heldDone || w.heldFrom >= 0;
    if (!closing && (w.record.flags & (kFlagSkipSingle | kFlagHeldBack)) && w.record.lastColumn == 1) {
        w.cur = before;
        return true;
    }
    if (!closing && emptyInNewBlocks(w, before)) {
        w.cur = before;
        return true;
    }
    for (int level = before.level + 1; level <= w.cur.level; ++level) {
        w.prev.row[level] = w.prev.cell[level] = 0;
        w.levels[level] = TableLevelState{};
    }
    Decision d;
    const ParaState& c = w.cur;
    for (int level = 1; level <= c.level; ++level)
        d.newTable[level] = newTableAt(w, level);
    d.paraStart = w.paraStart || line == w.firstLine;
    // Adjacent forms are one block of lines: the paragraph where the fields of the next one
    // begin ends the open form and begins theirs, where it stands in no list, quote or
    // table that the form does not hold (the end would stand inside them) but for tables
    // that begin at it (the end stands before them).
    bool formsLevel = c.level == w.formLevel || (c.level > w.formLevel && w.prev.level <= w.formLevel);
    bool mayChange = d.paraStart && w.formOpen && w.currentForm >= 0 && c.inForm && !c.endsOnly;
    if (mayChange) {
        int next = formFrom(w, w.fieldScan, line);
        mayChange = next >= 0 && next != w.currentForm;
    }
    bool endsHere = formsLevel && c.listLevel <= w.formListLevel && c.quoteDepth <= w.formQuotes;
    d.formChanges = mayChange && endsHere;
    d.formChangesInside = mayChange && !endsHere && c.level >= w.formLevel;
    d.formStarts = c.inForm && !c.endsOnly && (!w.prev.inForm || d.formChanges || d.formChangesInside);
    bool inRange = line > w.firstLine;
    unsigned lastFlags = inRange ? w.prevLineFlags : 0;
    if (inRange && w.prevLine != line - 1)
        EditorGetLineInfo(w.hWnd, line - 1, nullptr, &lastFlags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    d.endedRow = (lastFlags & kLineRowEnd) != 0;
    d.endedCell = (lastFlags & kLineCellEnd) != 0;
    w.prevLine = line;
    w.prevLineFlags = w.record.flags;
    d.leavingCell = d.endedCell || c.level != w.prev.level || (c.level && c.cell[c.level] != w.prev.cell[c.level]);
    if (d.formStarts && (!w.formOpen || d.formChanges || d.formChangesInside))
        d.form = placeForm(w, line, d.paraStart, d.leavingCell);
    d.listChanges = c.listType != w.prev.listType || d.formStarts || d.leavingCell;
    d.headerCloses = w.openHeader && (c.header != w.openHeader || d.paraStart || d.formStarts || d.leavingCell ||
                                      d.listChanges);
    const LineText& text = w.text;
    if (!closeBlocks(w, d, line, closing) || !openBlocks(w, d, line, closing))
        return false;
    if (closing)
        return true;
    if (c.other == kMiscRule) {
        w.paraStart = true;
        w.afterBreak = true;
        w.cellOpenedBefore = false;
        w.openedOnlyLine = -1;
        return WriteRule(w, line) != 0;
    }
    // An empty paragraph before, in these blocks, wrote only the tags it opened: this one
    // follows them as its own, and is read back as the first in them.
    if (d.paraStart && inBlocksOfThisLine(w, w.openedOnlyLine))
        d.opened = true;
    if (d.paraStart && !w.ctx.paraOpen && !w.out.suppress &&
        !writeParagraphTag(w, d, text, line, d.cellOpened || w.cellOpenedBefore))
        return false;
    setImplied(w);
    LineEnd end;
    if (!writeChars(w, line, text, end, d.paraStart || w.lineBroken))
        return false;
    w.lineBroken = end.lineBreak;
    bool endsParaOrCell = end.para || end.cell || end.row;
    if (!endsParaOrCell) {
        // Output lines follow the editor's lines where a line end is only a space: not inside
        // a quoted value of anchor data, which would hold it.
        if (end.last == ' ' && !w.linkQuote && !Flush(w))
            return false;
    } else {
        if (!CloseAllFormatting(w))
            return false;
        ResetCharState(w);
    }
    w.paraStart = endsParaOrCell;
    // The line after a line break continues its paragraph: a paragraph tag there would read
    // back as the paragraph's end and lose its spacing at every save. An empty paragraph
    // that opened nothing is left out: the paragraph after it follows what came before it.
    // One that began a cell leaves the next as the cell's first.
    bool onlyEnd = d.paraStart && text.count == 1 && text.chars[0] == w.ctx.marker && end.para;
    bool leftOut = onlyEnd && !d.opened;
    if (!leftOut) {
        w.afterBreak = end.para;
        w.looseLine = end.para && !w.ctx.paraOpen ? line : -1;
    }
    w.cellOpenedBefore = leftOut && d.cellOpened;
    w.openedOnlyLine = onlyEnd && d.opened ? line : -1;
    return true;
}

}

int WriteDocument(HtmlWriter& w)
{
    ResetCharState(w);
    for (int line = w.firstLine; line <= w.endLine; ++line)
        if (!writeLine(w, line, line == w.endLine))
            return 0;
    // A link that runs to the document's end is closed with it.
    if (!CloseLink(w))
        return 0;
    if (w.heldFrom < 0)
        return 1;
    // The held-back lines come last, ending with a closing step of their own.
    int first = w.firstLine;
    w.firstLine = w.heldFrom;
    w.paraStart = true;
    w.heldDone = true;
    bool done = true;
    for (int line = w.heldFrom; line <= w.heldTo + 1 && done; ++line)
        done = writeLine(w, line, line == w.heldTo + 1);
    w.firstLine = first;
    return done && CloseLink(w) ? 1 : 0;
}

}
