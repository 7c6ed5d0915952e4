#pragma once
// The writer's output layer: a line buffer with its break rules, indentation by
// table depth, text characters as entities, the tag and attribute primitives, and
// the flush of each finished line into a growing block of global memory. A file is
// written whole from that block at the end (one atomic save), so a failed write
// never leaves half a page in place of the old one.
//
// Every primitive returns 1, or 0 once an output failure has been reported.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstdint>
#include <string_view>

namespace ks::addon {

inline constexpr int kHtmlLineMax = 300;
// Line breaking: after a blank once a line reaches kSoftBreak characters, before an
// entity once it has passed kEntityBreak, before a backslash past kBackslashBreak (the
// last two, and the limit, without a line end: see BreakHtmlLine).
inline constexpr int kSoftBreak = 100, kBackslashBreak = 150, kEntityBreak = 280;
// The most a written page may hold. Sizes are counted in 64 bits and the block
// grows by a quarter up to this cap; a larger page fails as out of memory.
inline constexpr std::uint64_t kMaxHtmlBytes = std::uint64_t(1) << 30;
inline constexpr std::uint64_t kFirstHtmlCapacity = 100;

enum HtmlOutputMode : int { kOutputFile = 0, kOutputMemory = 1 };

// Current block element codes (the header levels are 1-7).
inline constexpr int kBlockAddress = 8, kBlockQuote = 9, kBlockPre = 12;

// One write's output state. Plain data: allocated zeroed and freed with the
// add-on's global allocators.
struct HtmlOutput {
    int mode;
    HGLOBAL block;                 // the page so far (both modes)
    char* data;                    // the block, locked
    std::uint64_t capacity;        // bytes usable; the block is one byte larger
    std::uint64_t used;
    char line[kHtmlLineMax + 3];   // room for the line end
    int length;
    int inTag;                     // no soft break inside a tag name
    int inValue;                   // inside an attribute's quoted value: no line end at all
    int entityStart;               // the next stored character starts an entity
    int nbsp;                      // "&nbsp;" is being written
    int continued;                 // the last line went out without a line end
    int preLine;                   // the line in the buffer began inside "pre"
    int blockElement;              // header 1-7, kBlockAddress, kBlockQuote, kBlockPre, 0
    std::uint32_t impliedStyle;    // style bits the paragraph element gives its text
    int cellAlign;                 // alignment bits the open table cell carries
    COLORREF impliedColour;
    int suppress;                  // characters of cells covered by a span
    int pre;                       // inside "pre": line ends only where EndHtmlLine puts them
    int quoteCount;                // "blockquote" tags indenting the current table
    int indent;                    // open tables
};

// A zeroed state with a first block of `expected` bytes (at least kFirstHtmlCapacity, at
// most kMaxHtmlBytes): a block sized for the page grows seldom. Where that much cannot be
// had, the block starts at kFirstHtmlCapacity and grows as needed. Null after reporting
// "Ran out of memory(HtmlWrite)." or "Ran out of memory for HTML data (HtmlWrite)."
HtmlOutput* NewHtmlOutput(HtmlCtx* ctx, int mode, std::uint64_t expected = 0);
// Frees the state; the block too unless it was handed on.
void FreeHtmlOutput(HtmlOutput* out);
// The page written so far (valid until the next output call).
std::string_view HtmlOutputText(const HtmlOutput& out);
// Writes the page as the file at path, whole or not at all. 1 on success; 0 without
// a message when the file cannot be made (no such folder, no right to write, a
// folder of that name), 0 after "Write Error (FlushHtmlLine(a))" (code 5) when writing
// it fails (a full disk).
int SaveHtmlFile(HtmlCtx* ctx, const HtmlOutput& out, const char* path);
// Hands the block over, unlocked, holding `used` bytes; the state keeps no block.
HGLOBAL TakeHtmlBlock(HtmlOutput& out, std::uint64_t* length);

// Puts text into the page written so far at offset (flushed lines only).
int InsertHtmlOutput(HtmlCtx* ctx, HtmlOutput& out, std::uint64_t offset, std::string_view text);

int PutChar(HtmlCtx* ctx, HtmlOutput& out, char c);
int PutString(HtmlCtx* ctx, HtmlOutput& out, std::string_view text);
// A document character, escaped; previous is the character before it on its editor
// line, 0 at the line's start.
int PutTextChar(HtmlCtx* ctx, HtmlOutput& out, char c, char previous);
// Escaped text, each character after the one before it (previous: the one before the
// first, 0 at an editor line's start); a kept reference's mark and reference are written
// as "&name;". PutAttr writes them so in values too.
int PutText(HtmlCtx* ctx, HtmlOutput& out, std::string_view text, char previous = 0);
// What follows a kept reference where its own characters go on after it (in the next run).
inline constexpr char kReferenceGoesOn = 0x01;
// Text of kept references: each "&name;" or "&#n;" is written as it stands (with its ";"
// when it lost it), every other character escaped as by PutTextChar. after: the character
// after the text, '\0' where it is not known, or kReferenceGoesOn.
int PutKeptReferences(HtmlCtx* ctx, HtmlOutput& out, std::string_view text, char previous, char after = '\0');
int PutTag(HtmlCtx* ctx, HtmlOutput& out, const char* name, bool start, bool flush);
int PutTagOpen(HtmlCtx* ctx, HtmlOutput& out, const char* name);
// A null value writes a bare attribute ("ismap").
int PutAttr(HtmlCtx* ctx, HtmlOutput& out, const char* name, const char* value);
int PutAttrInt(HtmlCtx* ctx, HtmlOutput& out, const char* name, long value);
int PutTagEnd(HtmlCtx* ctx, HtmlOutput& out, bool flush);
// Ends the line in the buffer. Inside "pre" (and while "&nbsp;" is written) the line
// goes out without a line end and the next continues it: there a line end is text.
int FlushHtmlLine(HtmlCtx* ctx, HtmlOutput& out);
// A break the line's length asks for: a line end only after a blank outside an attribute's
// value. Elsewhere (inside a word, before an entity or a backslash, inside a value) a line
// end would read back as a blank or as part of the value: the line goes out without one
// and the next continues it.
int BreakHtmlLine(HtmlCtx* ctx, HtmlOutput& out);
// A line end inside "pre", where it is a line break: written even for an empty line.
int EndHtmlLine(HtmlCtx* ctx, HtmlOutput& out);

// "#rrggbb" into buffer (8 bytes at least).
char* ColorToHtml(COLORREF colour, char* buffer);

}
