#pragma once
// The HTML reader's document side: PlxRead's pass over the document, the text flow
// into the editor, the tag handlers, tables and framesets. The word reader it runs on
// is html_builder_words.h, over the tokenizer in addon/convert.
#include "addon/core/html_reader.h"
#include "platform/win/global_memory.h"

#include <string_view>

namespace ks::addon {

// PlxRead: 1 when the input was opened and read (also after "Read aborted"). A read from
// memory leaves the window without a file name, unless documentName gives the one the
// document keeps (a rebuild): its pictures and frames are then found beside that file.
int ReadHtml(HWND hWnd, int fromMemory, const char* fileName, win::HGLOBAL handle, std::int32_t length,
             const char* anchorName, const char* documentName = nullptr);

// Operations of HtmlDocPass.
enum HtmlDocOperation : int { kDocBegin = 1, kDocEnd = 2, kDocText = 4, kDocPicture = 5, kDocField = 6 };
int HtmlDocPass(HtmlCtx* ctx, int operation, HtmlGroup* group, HtmlReader* r, const char* text = nullptr);

// The text flow (html_text_flow.cpp).
int FlushHtmlText(HtmlCtx* ctx, HtmlReader* r);
int EndParagraph(HtmlCtx* ctx, HtmlReader* r, char character, bool spacing);
// Appends a paragraph's, a cell's or a row's end to the pending text and flushes it.
int AppendParagraphEnd(HtmlCtx* ctx, HtmlReader* r, char character);
// A paragraph, a cell or a line ended in a link: the next one's first text is the link's
// again (html_tags_text.cpp).
void HoldLinkRepeat(HtmlReader* r);
int EndOpenParagraph(HtmlCtx* ctx, HtmlReader* r, bool spacing);
// A line end of the open text area's value.
int AddValueLineEnd(HtmlCtx* ctx, HtmlReader* r);
int InsertHtmlText(HtmlCtx* ctx, HtmlGroup* group, const char* text);
// The paragraph format the group gives the text it holds.
int GroupParaFormat(HtmlCtx* ctx, HtmlGroup& g);
// The format a field's object takes: the group's when it begins a paragraph (which may hold
// nothing else, as one that ends the page), else -1 (that of the paragraph it joins).
int ObjectParaFormat(HtmlCtx* ctx, HtmlGroup& g);
// The blank held back from the last text: dropped when what comes next begins with a
// paragraph, cell or row end (paragraphEnds), else given to the document first.
int ReleaseHeldBlank(HtmlCtx* ctx, HtmlReader* r, bool paragraphEnds = false);
// Subtracts 1 from the current group, never below 0.
void CloseGroup(HtmlReader* r);
// The innermost open group a tag of the kind opened, at from or below; 0 for none (the base
// group has no tag).
int InnermostGroupOpenedBy(const HtmlReader* r, int kind, int from = kHtmlGroupCount);
// The kind an anchor's group records.
int AnchorGroupKind();
// Takes the open group at index out of the table: the groups opened inside it lose the
// formatting it gave them and keep their own.
void LiftGroup(HtmlReader* r, int index);
// Adds text to the pending text when it fits.
void AppendPending(HtmlReader* r, const char* text, int length);
// Adds text of any length, giving the pending text to the document each time it is full.
int AppendPendingText(HtmlCtx* ctx, HtmlReader* r, std::string_view text);

// What a tag handler gives back.
enum TagResult : int { kTagFailed = 0, kTagDone = 1, kTagAborted = -1 };
// Handles the tag the tokenizer last read (html_tags.cpp).
int HandleHtmlTag(HtmlCtx* ctx, HtmlReader* r);

// Tables (html_tables.cpp).
HtmlTableLevel& GetTableLevel(HtmlReader* r);
int TableTag(HtmlCtx* ctx, HtmlReader* r);
int EndTable(HtmlCtx* ctx, HtmlReader* r);
int RowTag(HtmlCtx* ctx, HtmlReader* r);
int CellTag(HtmlCtx* ctx, HtmlReader* r, bool header);
int CaptionTag(HtmlCtx* ctx, HtmlReader* r);
bool EndCaptionBelowAtContent(HtmlCtx* ctx, HtmlReader* r);
bool BeginCellOfContent(HtmlCtx* ctx, HtmlReader* r, bool object);
int CreateCell(HtmlCtx* ctx, HtmlReader* r, bool header);
// Begins a cell with these attributes; closeGroup for a cell tag's own group.
int BeginCell(HtmlCtx* ctx, HtmlReader* r, bool header, const char* attributes, bool closeGroup);
int FillRowSpans(HtmlCtx* ctx, HtmlReader* r);
// Text in a cell has not the Times Roman element of a "tr" outside the table (there "tr"
// begins a row): the group takes its paragraph's element.
void LeaveTimesElement(HtmlCtx* ctx, HtmlGroup& g);
// Begins the cell that text read in a row before its first cell goes into.
int BeginTextCell(HtmlCtx* ctx, HtmlReader* r);
// The editor cell that text of the current level goes into, 0 outside tables.
int CurrentTableCell(HtmlReader* r);

// Framesets (html_frames.cpp).
int FramesetTag(HtmlCtx* ctx, HtmlReader* r);
int FrameTag(HtmlCtx* ctx, HtmlReader* r);
int ParseFrameset(HtmlCtx* ctx, HtmlReader* r, HtmlGroup* group);
int ParseFrame(HtmlCtx* ctx, HtmlReader* r, HtmlGroup* group);
int LayoutFrames(HtmlCtx* ctx, FrameRecord* frameset);
int MoveFrames(HtmlCtx* ctx, FrameRecord* frameset);
int CreateFrameWindows(HtmlCtx* ctx, FrameRecord* frameset);

}
