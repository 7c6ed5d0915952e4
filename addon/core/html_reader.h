#pragma once
// The document builder's state for one HTML read: the tokenizer it reads from, the group
// table that carries the formatting of the open tags, the font stack, the table levels and
// the flags of the text flow. Alive from PlxRead's call to its return; made with
// placement new in the add-on's memory, and destroyed before that is freed.
#include "addon/base/html_ctx.h"
#include "addon/convert/html_tokenizer_state.h"
#include "platform/editor/vek32_codes.h"

#include <cstdint>
#include <string>

namespace ks::addon {

inline constexpr int kHtmlGroupCount = 100;
inline constexpr int kHtmlFontStackSize = 100;
inline constexpr int kHtmlTableLevels = 5;
inline constexpr int kHtmlTableColumns = 300;
inline constexpr int kHtmlFaceSize = 32;

inline constexpr std::int32_t kHiddenPlain = 1, kHiddenVariant = 2;

// Reader flags.
inline constexpr std::uint32_t kReadInCaption = 0x2, kReadInScript = 0x4;

// Group style bits beyond the character styles.
inline constexpr std::uint32_t kStyleUnderline = editor::kUnderline, kStyleBold = editor::kBold,
                               kStyleItalic = editor::kItalic;
inline constexpr std::uint32_t kStyleHiddenLink = editor::kHidden, kStyleLinkText = editor::kLinkText;
// Group alignment bits.
inline constexpr std::uint32_t kAlignCentre = editor::kAlignCentre, kAlignRight = editor::kAlignRight,
                               kAlignListItem = editor::kListNumbered;
inline constexpr std::uint32_t kAlignLeft = editor::kAlignLeft, kAlignJustify = editor::kAlignJustify;
inline constexpr std::uint32_t kAlignAny = kAlignCentre | kAlignRight | kAlignLeft | kAlignJustify;
inline constexpr std::uint32_t kParaNoWrap = editor::kNoWrap;

struct HtmlReader;

// The formatting state of one open tag; a begin tag opens a copy of the current one.
struct HtmlGroup {
    HtmlReader* reader = nullptr;
    std::int32_t noFrames = 0;          // text flushed while current is thrown away
    std::int32_t element = 0;           // font element 0-19
    std::uint32_t style = 0;
    std::uint32_t keptStyle = 0;        // given by the element (a header cell's bold): no end tag takes it
    COLORREF colour = 0;                // 0: the element's
    std::int32_t spacing[3]{};          // before, after, line value (twips)
    std::int32_t leftIndent = 0, firstIndent = 0, rightIndent = 0, savedIndent = 0;
    std::int32_t ruleValue = 0;
    std::uint32_t align = 0;
    std::uint32_t paraFlags = 0;
    std::uint32_t typeWord = 0;         // paragraph-type word
    std::uint32_t ruleWord = 0;         // width in the low 16 bits, alignment in the high 16
    std::int32_t listType = 0, listLevel = 0, listStart = 0, itemCounter = 0, listGroup = 0, numbering = 0;
    std::int32_t pre = 0;
    std::int32_t inLink = 0, linkHasAddress = 0;
    std::int32_t indentSaved = 0;
    std::int32_t fontSize = 0;          // 0 the element's, 1-100 relative, 100 + n absolute
    char face[kHtmlFaceSize]{};
    FrameRecord* frameset = nullptr;    // the frameset this group is building
    std::int32_t opener = 0;            // the kind of tag that opened the group; 0 none
};

struct HtmlFontStackEntry {
    COLORREF colour = 0;
    std::int32_t size = 0;
    char face[kHtmlFaceSize]{};
};

// Caption text that goes below its table, held until the table ends.
struct HtmlCaptionNode {
    char* text = nullptr;
    std::int32_t font = 0, format = 0;
    HtmlCaptionNode* next = nullptr;
};

// One open table.
struct HtmlTableLevel {
    std::int32_t cellOpen = 0;
    std::int32_t captionBelow = 0;
    std::int32_t rowSpan = 1, colSpan = 1;
    std::int32_t cell = 0;              // the editor's id of the last cell created
    std::int32_t newRow = 0;
    std::int32_t textAbove = 0;         // no row or cell begun yet: text goes above the table
    std::int32_t rowSpansLeft[kHtmlTableColumns]{};
    std::int32_t colSpans[kHtmlTableColumns]{};
    std::int32_t width = 0;             // twips, negative percent, 0 none
    std::int32_t columnCount = 0;
    std::int32_t column = 0;
    std::int32_t cellWidth = 0;
    std::int32_t borders[4]{};
    std::int32_t padding = -1;
    COLORREF cellColour = 0xFFFFFF, rowColour = 0xFFFFFF, tableColour = 0xFFFFFF;
    std::int32_t valign = 0;
    std::uint32_t tableAlign = 0, rowAlign = 0, cellAlign = 0;
    std::uint32_t cellParaAlign = 0;    // the alignment the open cell gives its paragraphs
    std::int32_t cellGroup = 0;         // the group that holds the open cell's formatting
    std::int32_t cellHeight = 0;
    std::int32_t indent = 0;
    HtmlCaptionNode* captionFirst = nullptr;
    HtmlCaptionNode* captionLast = nullptr;
};

// The editor fonts and paragraph formats a read made last: runs of text with the same
// formatting take them again without asking the editor.
struct HtmlFontUse {
    std::int32_t element = -1;
    std::uint32_t style = 0;
    COLORREF colour = 0;
    std::int32_t variant = 0, size = 0;
    char face[kHtmlFaceSize]{};
    std::int32_t font = 0;
};
struct HtmlFormatUse {
    std::int32_t values[12]{};
    std::int32_t format = -1;
};
inline constexpr int kHtmlFontUses = 8;

// The open link's anchor data, held until its first text: through the begins of blocks
// ("<a href=x><h3>Title") it goes into the first block's paragraph. Each further paragraph,
// cell or line of the link's text holds the link's data again (repeats), without the
// anchor's name or id, which name one place: the text of every block inside the link leads
// where the link leads, as browsers show it.
struct HtmlHeldLink {
    std::string data;                   // empty when none is held
    bool repeats = false;
    std::string repeat;                 // the open link's data held again; empty for no link
    // The data's formatting: that of the text before the link, as where the anchor begins.
    std::uint32_t style = 0;
    COLORREF colour = 0;
    std::int32_t variant = 0;
};

struct HtmlReader;
// Gives the pending text to the document; the word reader calls it before a begin tag.
using HtmlFlush = int (*)(HtmlCtx* ctx, HtmlReader* reader);

struct HtmlReader {
    HtmlTokenizer tokenizer;

    char pending[kHtmlTextSize + 1]{};
    std::int32_t pendingLength = 0;

    std::int32_t previousEndsWithBlank = 0;   // the last text word ended with a blank
    // Blanks that ended the text given to the document wait with the formatting of the first:
    // before a paragraph end they show nothing and are dropped (a line end before a block tag).
    std::int32_t heldBlanks = 0;
    HtmlGroup heldGroup;
    // The last text given to the document was an anchor's hidden data (kHiddenPlain, or
    // kHiddenVariant in the font variant of link text): the next anchor's data takes the
    // other font, else the two would run together.
    std::int32_t hiddenTextLast = 0;
    // Elements' "id"s, as anchor data one a line, held until the element's first text: a
    // section's id goes into its heading's paragraph, not into an empty one before it.
    std::string heldIds;
    HtmlHeldLink heldLink;
    std::int32_t textSuppressed = 0;
    std::int32_t suppressedAroundScript = 0;   // textSuppressed where the open script began

    std::int32_t group = 0;
    HtmlGroup* groups = nullptr;
    HtmlFontStackEntry* fontStack = nullptr;
    std::int32_t fontStackIndex = -1;

    std::int32_t textEnabled = 1, paraStart = 1, afterLineBreak = 0, noSpacing = 0;
    std::int32_t onlyHiddenOnLine = 0;  // since the line's start only hidden link data was put in
    std::int32_t inHead = 0;            // between head's begin and end (or body)
    std::int32_t currentForm = -1, currentField = -1;
    std::int32_t formHoldsLine = 0;     // text or a field was put in the current form
    std::int32_t selectsOpen = 0, textAreasOpen = 0;   // begun and not yet ended, in a form or not
    std::int32_t centresOpen = 0;                      // "center" begun and not yet ended
    std::uint32_t paraBitsAdd = 0, paraBitsRemove = 0;

    std::int32_t tableSeen = 0, inTable = 0, tableDepth = 0;
    HtmlTableLevel tables[kHtmlTableLevels];

    COLORREF itemColour = 0;
    std::int32_t itemSize = 3;
    std::uint32_t flags = 0;
    const char* anchorName = nullptr;

    HtmlFlush flush = nullptr;

    HtmlFontUse fontUses[kHtmlFontUses];
    std::int32_t nextFontUse = 0;
    HtmlFormatUse formatUse;

    HtmlGroup& currentGroup() { return groups[group]; }
};

}
