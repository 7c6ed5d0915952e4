#pragma once
// VEK32, the editor library's C API (libvek32.so). Every operation takes the
// editor window handle first and fails softly (0, or < 0 where the result is an
// id or a position) for a handle that is no editor window or a bad argument.
// Text is 8-bit Windows-1252; the stream's control characters and the flag bits
// are named in vek32_codes.h. Lines and columns are the editor's logical lines (at most 300
// characters, see model/document.h); a position counts characters from the start
// of the document, paragraph ends included.
#include "platform/editor/vek32_info.h"
#include "platform/editor/vek32_codes.h"
#include "platform/win/global_memory.h"
#include "platform/win/win_types.h"

#include <cstdint>

using VekCallback = WNDPROC;
using VekInfo = ks::editor::EditorInfo;

// What EditorGetLineRecord fills.
struct VekLineRecord {
    unsigned flags;        // the line flags of EditorGetLineInfo
    int typeWord;          // the paragraph-type word
    int leftIndent, rightIndent, firstIndent;   // twips
    int spaceBefore, spaceAfter, lineValue;     // the three spacing words (twips; line < 0 exact)
    int alignment;         // paragraph flags & (1 | 2 | 0x400 | 0x800)
    int cell;              // innermost cell, 0 outside tables
    int lastColumn;        // the line's character count: the column after its last character
};

// What EditorGetCellProps fills (the writer's view of a cell).
struct VekCellProps {
    int flags;             // cell flags: 0x20 td, 0x80 header, 0x1000/0x2000 vertical alignment,
                           // 0x10 filler under a row span, 0x40 covered by a column span,
                           // 0x100 absolute width, 0x200 percent width, 0x8000 row starts a table
    int width;             // twips, or negative percent, 0 auto
    int height;            // twips
    int borders[4];        // twips, as given to EditorCreateCell
    int padding;           // twips, -1 none
    unsigned colour;       // 0xBBGGRR
    int rowSpan, colSpan;
    int tableIndent;       // twips
    int tableAlignment;    // alignment bits
    int tableWidth;        // twips, negative percent, 0 auto
    int columns;           // as given to EditorEndTable
    int depth;             // nesting depth, 1 for an outermost table
    int enclosingCell;
};

extern "C" {

// ---- A. Window, add-on binding, host binding ----
// Window class "Vek32Class". style: 0x54002041 is the usual child editor; +0x200 read-only,
// +0x40000 sizing border, +0x400000 dialog frame (kept, drawn by the view).
HWND EditorCreateWindow(HWND parent, const char* title, unsigned style, int x, int y, int w, int h);
// Raises 0xAA4 to the add-on first, then destroys the window and its embedded controls.
int EditorDestroyWindow(HWND hWnd);
// Moves and sizes the window; the client rectangle becomes (0, 0, w, h); raises 0xAAE.
int EditorMoveWindow(HWND hWnd, int x, int y, int w, int h);
int EditorInvalidate(HWND hWnd, int erase);
int EditorSetClipChildren(HWND hWnd, int on);
// Focus gained (gained 1) or lost to other: raises 0xAAC with wParam 12, or 13 and lParam other.
int EditorNotifyFocus(HWND hWnd, int gained, HWND other);
// A click on a character (the view's, or a test's): when it is link text (0x4000) or a linked
// picture and links are clickable (mode bit 0x8000, and read-only or ctrl held), puts the caret
// there, stores the mouse point and raises 0xAA6 with lParam = a record: 4 bytes (the
// character's font id), then 301 bytes holding the hidden run before the link. Returns the
// callback's result, or -1 when the click is no link click.
long EditorClickAt(HWND hWnd, int line, int col, int x, int y, int ctrl);

// Non-zero on success: a zeroed block of size bytes (at most 16 MB) owned by the window.
int EditorAllocAddonData(HWND hWnd, int size);
void* EditorGetAddonData(HWND hWnd);
int EditorSetAddonCallback(HWND hWnd, VekCallback callback);
VekCallback EditorGetHostCallback(HWND hWnd);
int EditorSetHostCallback(HWND hWnd, VekCallback callback);
// Where notifications go without a host callback; the parent window by default.
int EditorSetHostWindow(HWND hWnd, HWND host);
HWND EditorGetHostWindow(HWND hWnd);
// Event codes: 0xAA4 destroy, 0xAA6 link click, 0xAAC focus, 0xAAE resized, 0xAB0 document
// changed, WM_COMMAND from embedded controls (wParam = id | code << 16, lParam = the control).
// While RTF is read, a linked picture (INCLUDEPICTURE) of a kind the editor cannot decode
// (GIF, TIFF, JPEG) raises 0xAAD with lParam = its file name; the answer is a packed-DIB
// block or 0. The editor copies and frees the block and raises 0xAAF with lParam = the new
// object id. Events go to the add-on callback when one is set, else to the host callback,
// else are sent to the host window.

// ---- B. Information record ----
int EditorGetInfo(HWND hWnd, VekInfo* record);
// Applies the writable words: background (28), option words (680-708), modified (792).
int EditorSetInfo(HWND hWnd, const VekInfo* record);

// ---- C. Modes, options, commands ----
int EditorGetReadOnly(HWND hWnd);
int EditorSetReadOnly(HWND hWnd, int on);
// Word 1: 0x4000000 hidden runs protected from deletion, 0x8000 link clicks active, 0x200
// loading (no repaint; the view's concern). Word 2: 0x10000 bulk append (no change events).
// Other bits are stored. Result: the new word.
unsigned EditorSetModeFlags(HWND hWnd, int on, unsigned bits);
unsigned EditorSetModeFlags2(HWND hWnd, int on, unsigned bits);
unsigned EditorGetModeFlags(HWND hWnd, int word);   // word 1 or 2
int EditorSetOption(HWND hWnd, int option, int value);
int EditorGetOption(HWND hWnd, int option);
// Commands (also as WM_COMMAND to the window): 710 set-up (link clicks on), 628 page break,
// 629 select all, 654 line break, 686 ruler, 692 toolbar, 717 paragraph marks (the last three
// toggle). Unknown ids give 0. Query: 1 available, +8 checked.
int EditorRunCommand(HWND hWnd, int command);
int EditorQueryCommand(HWND hWnd, int command);
// View state 1 (on) or 0, offered only while read-only.
int EditorViewCommand(HWND hWnd, int on);
// Table commands at the caret. A(rows): insert a table of rows x 2 cells after the caret
// paragraph (nested when the caret is in a cell). B(after): insert a row like the caret row
// before (0) or after (1) it. C(3): delete the caret row; C(2): delete the caret's column
// from every row (a row left without cells goes). D(after, n): insert an empty column before
// (0) or after (1) the caret's. E: the caret's cell takes in the next cell of its row (its
// text follows as a paragraph, the column spans add up). F: a cell spanning columns gives its
// last column back as a new empty cell. Each gives 0 and changes nothing where it cannot act.
int EditorTableCmdA(HWND hWnd, int rows);
int EditorTableCmdB(HWND hWnd, int after, int repaint);
int EditorTableCmdC(HWND hWnd, int what, int repaint);
int EditorTableCmdD(HWND hWnd, int after, int count, int repaint);
int EditorTableCmdE(HWND hWnd, int a, int b, int repaint);
int EditorTableCmdF(HWND hWnd, int a, int b, int repaint);
// Ends pending typing (the typing font is taken from the text again).
int EditorPrepareEdit(HWND hWnd);
int EditorSetModified(HWND hWnd, int modified);

// ---- D. Fonts ----
// id -1 with share 1: an entry equal in all attributes (including user id and the pending
// size tag) or a new one; an explicit id defines or redefines that entry (growing the table).
// Consumes the pending tag. Result: the id, < 0 on failure. reserved is ignored.
int EditorCreateFont(HWND hWnd, int id, int share, const char* face, int points, unsigned style,
                     unsigned colour, unsigned colour2, int reserved, int userId);
int EditorSetNextFontTag(HWND hWnd, int tag);
int EditorGetFontTag(HWND hWnd, int id);
// face receives at most 31 characters and a NUL (32 bytes).
int EditorGetFontInfo(HWND hWnd, int id, char* face, int* points, unsigned* style);
int EditorGetFontColors(HWND hWnd, int id, unsigned* colour, unsigned* colour2);
// Text fonts and objects; any out may be null. userId: the font's user id, an object's aux value.
int EditorGetFontData(HWND hWnd, int id, unsigned* style, RECT* rect, int* verticalAlign, int* userId);
int EditorGetCurFont(HWND hWnd);
int EditorSetCurFont(HWND hWnd, int id);
int EditorSetCharStyle(HWND hWnd, unsigned bits, int on, int repaint);
int EditorSetNextColor(HWND hWnd, unsigned colour);
int EditorSetNextUserId(HWND hWnd, int userId);
int EditorSetTextColor(HWND hWnd, unsigned colour, int repaint);

// ---- E. Lines, positions, caret, selection, search ----
// 0 when the line does not exist. Outs (any may be null): innermost cell (0 outside tables),
// line flags (0x1 ends with a paragraph mark, 0x2 ends with a cell or row end, 0x4 first line
// of its paragraph, 0x8 editor list numbering, 0x10 ends a cell, 0x20 ends a row, 0x100 rule
// paragraph), character count, paragraph index, paragraph format id, absolute position of
// column 0, table depth, row id.
int EditorGetLineInfo(HWND hWnd, int line, int* cell, unsigned* flags, int* count, int* para,
                      int* format, int* pos, int* depth, int* row);
int EditorGetLineRecord(HWND hWnd, int line, VekLineRecord* record);
// The record and the line's characters and font ids (record->lastColumn of each, at most
// 300; chars or fonts may be null) in one call, for a reader of every line in turn.
int EditorGetLineRecordText(HWND hWnd, int line, VekLineRecord* record, char* chars, std::uint16_t* fonts);
int EditorGetLineTableLevel(HWND hWnd, int line);
int EditorTestLineFlag(HWND hWnd, int line, unsigned flag);
// Characters (no NUL added) and 16-bit font ids of a line; either may be null. Result: the
// count, at most 300 (buffers of 301 suffice).
int EditorGetLineChars(HWND hWnd, int line, char* chars, std::uint16_t* fonts);
int EditorGetLineText(HWND hWnd, int line, char* chars, std::uint16_t* fonts);
// Also lead bytes: all 0 (the text is single-byte).
int EditorGetLineTextEx(HWND hWnd, int line, char* chars, std::uint16_t* fonts, char* leadBytes);
// chars is NUL-terminated (at most 300), fonts one per character (null: the line's first font).
// Keeping the line's end character keeps every line number until the next repaint; empty
// erases the line's text.
int EditorSetLineChars(HWND hWnd, int line, const char* chars, const std::uint16_t* fonts);
int EditorSetLineText(HWND hWnd, int line, const char* chars, const std::uint16_t* fonts);
int EditorLineColToPos(HWND hWnd, int line, int col);   // < 0 when out of range
int EditorPosToLineCol(HWND hWnd, int pos, int* line, int* col);
// col -1: line is a position. scroll is the view's concern.
int EditorMoveCaret(HWND hWnd, int line, int col, int scroll);
// flag 0: the caret goes to the document start; otherwise it stays where it is.
int EditorSetCaretPos(HWND hWnd, int flag);
int EditorShowLine(HWND hWnd, int line, int caretToo);
int EditorSelectRange(HWND hWnd, int start, int end);   // anchor at start
// Deletes the selection; hidden characters stay while mode bit 0x4000000 is set, and cell
// and row ends always stay. Result: characters deleted.
int EditorDeleteSelection(HWND hWnd);
// flags: 0x4 match case (0x2 and 0x10, "downwards, all text", are how it always searches);
// hidden text is searched too. Result: position, < 0 none.
int EditorFindText(HWND hWnd, const char* text, int start, int flags);
// The hidden (0x40) run at the caret, or the one directly before the link text holding the
// caret: its text (at most size - 1 characters and the zero; text may be null) and start.
// Result its whole length, 0 when there is none: a result of size or more says the text was
// cut, and a buffer of result + 1 takes it whole.
int EditorGetHiddenRun(HWND hWnd, char* text, int size, int* line, int* col);
int EditorGetRunLength(HWND hWnd, int pos);
// Headless layout until a view is attached: x = 8 pixels a column, y = 16 pixels a line.
int EditorGetPosPoint(HWND hWnd, int kind, int pos, int reserved, int* x, int* y);

// ---- F. Text insertion ----
// At the caret (replacing a selection), in the typing font; "\r\n" becomes a paragraph mark.
int EditorInsertText(HWND hWnd, const char* text);
// Splits at the caret: the paragraph ended by the inserted mark takes format.
int EditorInsertParaText(HWND hWnd, const char* text, int reserved, int format, int repaint);
// At the document end, into cell (0 none): the paragraph whose end mark arrives takes format
// (0 the default format). text may hold 0x15, 0x0F, 0x13, 0x12 or one 0x18 whose font is an
// object id (which places that object).
int EditorAppendText(HWND hWnd, const char* text, int font, int format, int cell, int reserved1,
                     int reserved2);

// ---- G. Paragraphs and lists ----
// The twelve values of the paragraph holding line (any out may be null); 0 on failure.
int EditorGetParaProps(HWND hWnd, int line, int* left, int* right, int* first, int* v4, int* v5,
                       int* typeWord, int* ruleValue, int* styleFlags, int* before, int* after,
                       int* lineValue, int* flags);
int EditorMakeParaFormat(HWND hWnd, int id, int share, int left, int right, int first, int v4,
                         int v5, int typeWord, int ruleValue, int styleFlags, int before,
                         int after, int lineValue, int flags);
// Also a list format id and a background colour; takes the pending EditorSetParaRule word.
int EditorMakeParaFormatEx(HWND hWnd, int id, int share, int left, int right, int first, int v4,
                           int v5, int typeWord, int ruleValue, int styleFlags, int before,
                           int after, int lineValue, int flags, int listFormat, unsigned background);
int EditorApplyParaFormat(HWND hWnd, int firstLine, int lastLine, int format);
int EditorSetParaType(HWND hWnd, int line, int typeWord);
int EditorSetParaRule(HWND hWnd, int ruleWord);
int EditorGetParaRule(HWND hWnd, int line);
// On the selected (or caret) paragraphs; an alignment bit clears the other three.
int EditorSetParaFlags(HWND hWnd, unsigned bits, int on, int repaint);
// On the selected (or caret) paragraphs; on an empty document also the default format.
int EditorSetParaSpacing(HWND hWnd, int before, int after, int reserved, int repaint);
// 0 for a line out of range or a paragraph inside a covered cell.
int EditorCheckPara(HWND hWnd, int line);
int EditorMakeListFormat(HWND hWnd, int bullet, int start, int level, int style);
int EditorGetListInfo(HWND hWnd, int line, int* bullet, int* style, int* start);

// ---- H. Tables ----
// previous 0 starts a new table. width: twips, negative percent, 0 auto. rowSpan 0: a filler
// under a row span; colSpan 0: covered. Result: the cell id, 0 on failure.
int EditorCreateCell(HWND hWnd, int newRow, int previous, int alignment, int tableIndent,
                     int height, int width, int reserved, int border1, int border2, int border3,
                     int border4, int rowSpan, int colSpan, int flags);
int EditorSetCellProps(HWND hWnd, int cell, unsigned colour, int padding, int enclosingCell);
// cell -1: the table at the caret.
int EditorSetTableWidth(HWND hWnd, int cell, int width);
int EditorEndTable(HWND hWnd, int lastCell, int columns);
int EditorSetCellColor(HWND hWnd, int cell, unsigned colour, int reserved);
int EditorUpdateTables(HWND hWnd);
int EditorGetCellInfo(HWND hWnd, int cell);   // the row id, 0 for no cell
int EditorGetCellProps(HWND hWnd, int cell, VekCellProps* props);   // the flags, 0 for no cell
int EditorIsNewTable(HWND hWnd, int row);

// ---- I. Objects ----
// Create an unplaced picture from a file (BMP, placeable or plain WMF, PNG); 0 on failure.
// Every picture made is refused (0) when the document's pictures would pass 64 M decoded
// pixels together (bytes shared by several pictures count once).
int EditorInsertBmpFile(HWND hWnd, const char* file, int align, int reserved);
int EditorInsertWmfFile(HWND hWnd, const char* file, int align, int reserved);
int EditorInsertPngFile(HWND hWnd, const char* file, int align, int reserved);
// format 8: packed DIB, 3: metafile bytes. The data is copied; the caller frees the block.
int EditorInsertPictureHandle(HWND hWnd, int format, HGLOBAL block, int reserved1, int align,
                              int reserved2);
// A new unplaced picture showing the bytes (and animation) of picture id, at its natural
// size; the bytes are shared, not copied. 0 on failure.
int EditorSharePicture(HWND hWnd, int id, int align);
// A new unplaced picture without bytes, drawn as a frame of the size given (pixels; 0 or less:
// a small square) with its alt text: it stands for a picture whose file could not be had.
int EditorInsertPicturePlaceholder(HWND hWnd, int width, int height, int align);
int EditorPictureIsPlaceholder(HWND hWnd, int id);
int EditorPreparePictureReplace(HWND hWnd, int id);
int EditorPlacePicture(HWND hWnd, int id, int repaint);
// flags: 0x4000 marks a picture inside a link (0x80 is always kept). Vertical alignment 0
// bottom, 1 middle, 2 top (anything else counts as 0).
int EditorSetPictureProps(HWND hWnd, int id, unsigned flags, int verticalAlign, int aux);
int EditorSetPictureSize(HWND hWnd, int id, int w, int h);   // pixels, -1 keeps a side
int EditorSetPictureWidthPercent(HWND hWnd, int id, int percent);
int EditorSetPictureFloat(HWND hWnd, int id, int side, int reserved);   // 0 none, 1 left, 2 right
int EditorGetPictAlign(HWND hWnd, int id);
// get 1: copies the name into buffer (260 bytes); get 0: sets it from buffer.
int EditorPictureFileName(HWND hWnd, int id, int get, char* buffer);
// get 1: copies the picture's alt text into buffer (301 bytes); get 0: sets it from buffer.
int EditorPictureAltText(HWND hWnd, int id, int get, char* buffer);
int EditorSavePicturePng(HWND hWnd, int id, int reserved1, const char* file, int reserved2,
                         int reserved3);
int EditorSavePictureWmf(HWND hWnd, int id, const char* file);
// loops: 0 once through, -2 endlessly, else that many times; delays in hundredths of a second.
int EditorStartAnimation(HWND hWnd, int id, int loops, int delay);
int EditorAddAnimationFrame(HWND hWnd, int id, int frame, int delay);
int EditorSetBkPicture(HWND hWnd, int id, int mode, int repaint);   // mode 2: tiled
// Embeds a child control of class ("Edit", "Button", "ComboBox", "ListBox"); width and height
// in twips. Result: the object id (unplaced), 0 on failure.
int EditorInsertControl(HWND hWnd, const char* className, unsigned style, int width, int height,
                        int reserved1, int controlId, int reserved2);
int EditorGetObjectField(HWND hWnd, int id);
int EditorFindControlPos(HWND hWnd, int controlId);
HWND EditorGetObjectControl(HWND hWnd, int id);

// ---- J. Documents and files ----
// Replaces the document with the block's RTF or plain text; takes the block. Keeps the add-on
// data and callbacks.
int EditorLoadBuffer(HWND hWnd, HGLOBAL block, int a, int b, int c);
int EditorOpenRtf(HWND hWnd, const char* file);
// Starts a save (mode 3: the whole document); EditorSaveRtfEnd writes it atomically.
int EditorSaveRtf(HWND hWnd, int mode);
int EditorSaveRtfEnd(HWND hWnd, const char* file);
// Closes without asking: raises 0xAA4 and destroys the window.
int EditorCloseDocument(HWND hWnd, int force);
int EditorRepaint(HWND hWnd, int erase);
int EditorRepaintParas(HWND hWnd, int reserved);
// The folder part of path ("" when none); valid until the next call.
const char* EditorGetPathDir(const char* path);
// Fills every merge field of that name with value (0 when there is none).
int EditorFillMergeField(HWND hWnd, const char* name, const char* value);

// ---- M. The container's by-name calls and control members ----
unsigned VekSetFlags(HWND hWnd, int on, unsigned bits);    // mode word 1
unsigned VekSetFlags2(HWND hWnd, int on, unsigned bits);   // mode word 2
int VekEnableSpeedKey(HWND hWnd, int key, int enable);
int VekSpeedKeyEnabled(HWND hWnd, int key);
// Font 0 and the typing font of an empty document.
int SetVekDefaultFont(HWND hWnd, const char* face, int size, int a, int b, int apply);
// Prints through the print handler the view installs; 0 without one.
using VekPrintHandler = int (*)(HWND);
void VekSetPrintHandler(VekPrintHandler handler);
int VekPrint(HWND hWnd);
int SaveVekFile(HWND hWnd, const char* path);
int VekLoadFile(HWND hWnd, const char* path);
int VekFillMergeField(HWND hWnd, const char* name, const char* value, int* how);
int VekShowToolbar(HWND hWnd, int show);
int VekToolbarVisible(HWND hWnd);

}

// The record EditorClickAt hands the add-on with 0xAA6.
struct LinkClickRecord {
    std::int32_t font;        // font id of the clicked character (an object id for a picture)
    char hiddenRun[301];      // the hidden run before the link, NUL-terminated; a longer
                              // one is cut here (EditorGetHiddenRun gives it whole)
};
