#pragma once
// Character codes and bit values of the editor's document, shared by the model, the
// RTF code and the callers of the API (vek32.h). The values are the library's contract
// with its callers: name them from here, never as bare numbers.
#include <cstdint>

namespace ks::editor {

// Control characters of the text stream.
constexpr char kParaMark = 0x15;    // ends a paragraph
constexpr char kLineBreak = 0x0F;   // forced line break inside a paragraph
constexpr char kCellEnd = 0x13;     // ends a table cell (and its paragraph)
constexpr char kRowEnd = 0x12;      // ends a table row (a paragraph of its own)
constexpr char kNoBreakSpace = 0x0E;
constexpr char kObjectChar = 0x18;  // a picture or control; its font id is the object id
constexpr char kPageBreak = 0x0C;   // break characters the RTF reader may produce,
constexpr char kSectionBreak = 0x14; // each as a one-character paragraph
constexpr char kColumnBreak = 0x16;
constexpr char kInternal1 = 0x10;   // internal; never written out
constexpr char kInternal2 = 0x11;

inline bool endsParagraph(char c) { return c == kParaMark || c == kCellEnd || c == kRowEnd; }

// Logical lines: cut at a blank before kLineCut characters, never above kMaxLine.
constexpr int kLineCut = 250;
constexpr int kMaxLine = 300;

// Character style bits of a font entry.
constexpr std::uint32_t kUnderline = 0x1, kBold = 0x2, kItalic = 0x4, kStrike = 0x8;
constexpr std::uint32_t kSuperscript = 0x10, kSubscript = 0x20, kHidden = 0x40;
constexpr std::uint32_t kObjectStyle = 0x80;   // the entry is an object, not a text font
constexpr std::uint32_t kMarked = 0x100;       // an editor mark style; command 12135 clears it
constexpr std::uint32_t kLinkText = 0x4000;
// The six styles a text run may carry (underline to subscript).
constexpr std::uint32_t kTextStyleBits = kUnderline | kBold | kItalic | kStrike | kSuperscript | kSubscript;

// Colours are 0x00BBGGRR; 0 is "automatic" (the document text colour).
constexpr std::uint32_t kAutoColour = 0;
constexpr std::uint32_t kNoColour = 0xFFFFFF;   // none: a second colour, a background

// Paragraph flags (the 12th paragraph value).
constexpr std::uint32_t kAlignCentre = 0x1, kAlignRight = 0x2, kAlignLeft = 0x400, kAlignJustify = 0x800;
constexpr std::uint32_t kAlignBits = kAlignCentre | kAlignRight | kAlignLeft | kAlignJustify;
constexpr std::uint32_t kListNumbered = 0x8;
constexpr std::uint32_t kBorderTop = 0x10, kBorderBottom = 0x20, kBorderLeft = 0x40, kBorderRight = 0x80;
constexpr std::uint32_t kBorderBits = 0xF0;
constexpr std::uint32_t kDefaultRule = 0x200;
// Style flags (the 8th paragraph value).
constexpr std::uint32_t kNoWrap = 0x10;
// Rule values (the 7th paragraph value).
constexpr int kFormTextRule = 7400;
constexpr int kThickRule = 8000;

// Line flags of EditorGetLineInfo / EditorGetLineRecord.
constexpr std::uint32_t kLineParaEnd = 0x1;      // ends with a paragraph mark
constexpr std::uint32_t kLineCellOrRow = 0x2;    // ends with a cell or row end
constexpr std::uint32_t kLineFirst = 0x4;        // first line of its paragraph
constexpr std::uint32_t kLineListed = 0x8;       // the paragraph has editor list numbering
constexpr std::uint32_t kLineCellEnd = 0x10;
constexpr std::uint32_t kLineRowEnd = 0x20;
constexpr std::uint32_t kLineRule = 0x100;       // a horizontal-rule paragraph

// Cell flags given to EditorCreateCell and reported by EditorGetCellProps.
constexpr int kCellData = 0x20;           // td
constexpr int kCellHeader = 0xA0;         // th (includes 0x80)
constexpr int kCellHeaderBit = 0x80;
constexpr int kCellMiddle = 0x1000, kCellBottom = 0x2000;
constexpr int kCellCoveredRows = 0x10;    // a filler under a row span (row span 0)
constexpr int kCellCoveredCols = 0x40;    // covered by a column span (column span 0)
constexpr int kCellWidthPixels = 0x100;   // the width is absolute (given in twips)
constexpr int kCellWidthPercent = 0x200;  // the width is a percentage of the table
constexpr int kRowStartsTable = 0x8000;   // the cell's row is its table's first

// Flags of EditorFindText: only kFindMatchCase changes the search; it always goes
// downwards through all text, which callers say with kFindDown | kFindAllText.
constexpr int kFindDown = 0x2, kFindMatchCase = 0x4, kFindAllText = 0x10;

// Object flags and alignments.
constexpr int kAlignBottom = 0, kAlignMiddle = 1, kAlignTop = 2;
constexpr int kFloatNone = 0, kFloatLeft = 1, kFloatRight = 2;

}
