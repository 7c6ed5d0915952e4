#pragma once
// One run of PlxWrite: the state that the document pass and the tag writers share
// while the editor's lines become HTML. The pass (write_document.cpp) compares each
// paragraph with the one before it and calls the tag writers (write_*.cpp), which
// write through the output layer and return 1, or 0 once output has failed.
#include "addon/base/html_ctx.h"
#include "addon/convert/html_output.h"
#include "addon/core/font_elements.h"
#include "platform/editor/vek32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ks::addon {

// Nested tables the writer follows; a deeper cell counts as one of the deepest level.
inline constexpr int kMaxWriteLevels = 20;
inline constexpr int kMaxListLevels = 7;
// The alignments a paragraph or a cell says in its tag (left is said apart, where needed).
inline constexpr int kAlignWritten = editor::kAlignCentre | editor::kAlignRight | editor::kAlignJustify;

// What the pass compares from one paragraph to the next.
struct ParaState {
    int header = 0;
    int listType = 0, listLevel = 0;
    bool listItem = false, term = false;
    int other = 0;                        // 1 block quote, 2 address, 3 rule, 4 preformatted
    bool inForm = false;
    bool endsOnly = false;                // holds only a cell's or a row's end
    int quoteDepth = 0;
    int level = 0;                        // table nesting
    int row[kMaxWriteLevels + 1]{};       // per level from 1: row and cell ids
    int cell[kMaxWriteLevels + 1]{};
};

// The formatting of the characters written last.
struct CharState {
    int font = -1;
    char face[32]{};
    int htmlSize = 0;
    COLORREF colour = 0;
    std::uint32_t style = 0;
    int type = 0;                         // the font's element; 13-19 write their own tags
};

// The raw attributes of one editor font, read once per run of characters.
struct FontFacts {
    char face[32]{};
    int points = 0;
    std::uint32_t style = 0;
    int tag = 0;
    COLORREF colour = 0;
    int userId = 0;
};

// The form of the first field from a line on, found once per field (see FirstFieldFrom):
// valid for the lines from..to.
struct FieldScan {
    int from = 0, to = -1, form = -1;
};

// Where anchor data stands outside a quoted value: in a name, right after its "=", in a
// bare value.
enum LinkDataPart : char { kInName, kValueStart, kInBareValue };

struct TableLevelState {
    bool open = false, rowOpen = false, cellOpen = false, headerCell = false;
    int quotes = 0;                       // "blockquote" tags indenting it
    int cellAlign = 0;                    // the alignment its open cell carries
};

// The characters of one editor line and the font of each.
struct LineText {
    char chars[kHtmlLineMax + 2];
    std::uint16_t fonts[kHtmlLineMax + 2];
    int count = 0;
};

struct HtmlWriter {
    HtmlCtx& ctx;
    HWND hWnd;
    HtmlOutput& out;

    ParaState prev, cur;
    VekLineRecord record{};
    LineText text;                        // the line being written, read with its record
    TableLevelState levels[kMaxWriteLevels + 1];
    int listTypes[kMaxListLevels + 1]{};  // per open list level, the list type that opened it
    int openListLevel = 0;
    // Per open "blockquote" of block-quote paragraphs, the list level open around it: the
    // quote ends before that list does, and lists opened inside it end before it.
    std::vector<int> quoteLists;
    bool addressOpen = false, preOpen = false, formOpen = false;
    int preListLevel = 0;                 // the list level open around the open "pre"
    int addressListLevel = 0;             // the list level open around the open address
    int formLevel = 0;                    // the table levels whose cells hold the open form
    int formListLevel = 0;                // the list levels whose items hold it
    int formQuotes = 0;                   // the "blockquote" tags open around it
    bool formInPre = false;               // it began inside the open "pre"
    bool formInAddress = false;           // it began inside the open address
    int openHeader = 0;
    int currentForm = -1;                 // the form whose "form" tag is open
    int lastForm = -1;                    // the last form written
    FieldScan fieldScan;                  // what follows the line being written

    CharState chars;
    int charsLink = -1;                   // the link state chars was worked out in; -1 none
    int linkState = 0;                    // 0 none, 1 "<a " data being written, 2 anchor open
    int hiddenFont = -1;                  // the font of the anchor data written last
    char linkQuote = 0;                   // the quote open in the anchor data written so far
    LinkDataPart linkPart = kInName;      // where the anchor data written so far stands
    std::string linkData;                 // the anchor data written for the open anchor
    // A link's text that runs on past its anchor's end (a paragraph's end, a cell's end or a
    // line break in link text) is the link's again: link text that follows with no data of
    // its own opens an anchor of this data, the link's without its name and id (they name
    // one place). Empty where anything but link text came after the link.
    std::string resumedLink;
    bool paraStart = true;                // the next line starts a paragraph
    bool lineBroken = false;              // the last line ended with a line break
    int looseLine = -1;                   // the last line of the paragraph ended last, written
                                          // without an end tag of its own; -1 where it had one
    // A paragraph, a rule, a header, an address, a block quote, "pre" or a list ended last:
    // the next paragraph gets its own tag. Loose text there would read back with the
    // spacing of the reader's last paragraph end, not its own.
    bool afterBreak = false;
    bool cellOpenedBefore = false;        // an empty paragraph left out began the cell
    int openedOnlyLine = -1;              // the line of an empty paragraph that wrote only the
                                          // block tags it opened, right before; -1 none
    int chainCell = 0;                    // the last line's innermost cell and its cells per level
    ParaState chain;
    int prevLine = -1;                    // the line before, and its line flags
    unsigned prevLineFlags = 0;
    int firstLine = 0, endLine = 0;       // the range; endLine is the closing step
    int firstColumn = 0, lastColumn = 0;  // of the first and the last line of a selection
    bool selection = false;
    const char* pictureBase = nullptr;    // where pictures without a file get theirs
    int heldFrom = -1, heldTo = -1;       // the first run of held-back lines
    bool heldDone = false;                // that run has ended (or is being written)

    // Where a character set declaration goes if the page needs one: after "<head>", or at
    // the start when there is no head (-1 until the head is written); none once one is.
    std::int64_t charsetAt = -1;
    bool headWritten = false, charsetDeclared = false;

    std::vector<FontFacts> fontFacts;     // each font read once a write
    std::vector<bool> fontKnown;

    int openListType() const { return listTypes[openListLevel]; }
    int openQuotes() const { return static_cast<int>(quoteLists.size()); }
};

// Output through the writer's own state.
int Put(HtmlWriter& w, const char* text);
int Tag(HtmlWriter& w, const char* name, bool start, bool flush);
int Flush(HtmlWriter& w);

// write_chars.cpp
int CloseAllFormatting(HtmlWriter& w);
void ResetCharState(HtmlWriter& w);
// The formatting of the character about to be written; writes what changes.
int WriteCharFormat(HtmlWriter& w, const CharState& next);
int CloseLink(HtmlWriter& w);
// Ends the "<a " tag of the anchor data written (state 1): the anchor is open (state 2).
int EndLinkData(HtmlWriter& w);
bool ReadFontFacts(HWND hWnd, int font, FontFacts& facts);
// The facts of a font, read at its first use in this write.
const FontFacts& FactsOf(HtmlWriter& w, int font);

// write_blocks.cpp
// The one "align" value written for alignment bits (centre before right before justify:
// a second "align" would be ignored when read back); null for none.
const char* AlignmentName(int alignment);
// A paragraph without spacing is a "div", one with spacing a "p".
bool IsDivParagraph(const HtmlCtx& ctx, const VekLineRecord& r);
int WriteParaStart(HtmlWriter& w);
int WriteParaEnd(HtmlWriter& w);
int WriteHeaderStart(HtmlWriter& w, int level, int alignment);
int WriteHeaderEnd(HtmlWriter& w);
// The list levels kept open when a paragraph of the list type and level follows.
int KeptListLevel(const HtmlWriter& w, int type, int level);
// Closes lists above level, and the quotes and the form inside them.
int CloseListsTo(HtmlWriter& w, int level);
int OpenLists(HtmlWriter& w, int line, int type, int level);
// The item's tag for the line being written; unended where the page ends its first line
// without its paragraph's end.
int WriteListItem(HtmlWriter& w, bool unended);
// Opens or closes "blockquote" tags until depth are open; one opened stands inside the list
// items open then.
int WriteQuotes(HtmlWriter& w, int depth);
int WriteRule(HtmlWriter& w, int line);
int WriteLineBreak(HtmlWriter& w);

// write_tables.cpp
int WriteTableStart(HtmlWriter& w, int level, int cell);
int WriteRowStart(HtmlWriter& w, int level);
// The alignment bits the cell carries (not repeated on its paragraphs), or -1 once
// output has failed. A cell covered by a span writes nothing and hides its text.
int WriteCellStart(HtmlWriter& w, int level, int cell, int line);
int WriteCellEnd(HtmlWriter& w, int level);
int WriteRowEnd(HtmlWriter& w, int level);
int WriteTableEnd(HtmlWriter& w, int level);

// write_objects.cpp
int WritePicture(HtmlWriter& w, int picture);
// object: the field's control object in the text, 0 for a hidden field.
int WriteField(HtmlWriter& w, int field, int object);
int WriteFormStart(HtmlWriter& w, int line);
int WriteFormEnd(HtmlWriter& w);
// The open form's hidden fields, and the form left without its end tag: the next form's
// begin ends it when read.
int LeaveForm(HtmlWriter& w);
// The first field whose control stands in the form block holding line (paragraph_form.h);
// -1 for none.
int FindLineForm(HtmlCtx& ctx, HWND hWnd, int line);
// The field whose control (or image) is the object of font; -1 for none.
int ObjectField(HtmlCtx& ctx, HWND hWnd, int font);
// The first field whose control stands on line or after it in its form block; -1 for none.
// at: the line it stands on, or the block's last line when there is none.
int FirstFieldFrom(HtmlCtx& ctx, HWND hWnd, int line, int* at = nullptr);

// write_head.cpp
int WriteHead(HtmlWriter& w);
// Once the page is written: a page holding bytes above 127 that does not say in what
// character set gets a declaration of Windows-1252 in its head.
int DeclareCharset(HtmlWriter& w);
int WriteBodyStart(HtmlWriter& w);
int WriteFrameset(HtmlWriter& w, const FrameRecord& record, int depth);
// Whether WriteFrameset writes anything for the frame set: a frame somewhere inside it.
bool FramesetWritten(const FrameRecord& record, int depth);

// write_document.cpp: the pass over the range.
int WriteDocument(HtmlWriter& w);
// 1 when line + 1 exists and line is a paragraph of the editor's own list numbering with
// a hanging first line.
int CheckLineInfo(HtmlCtx& ctx, HWND hWnd, int line);

}
