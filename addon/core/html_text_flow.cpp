// How read text reaches the editor: the pending text, paragraph ends, and the
// formatting of the current group turned into an editor font and paragraph format.
#include "addon/base/allocators.h"
#include "addon/convert/html_entities.h"
#include "addon/core/editor_ops.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_read.h"
#include "addon/core/para_type.h"
#include "addon/core/paragraph_form.h"
#include "platform/editor/vek32.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

namespace ks::addon {
namespace {

constexpr std::uint32_t kFlagNoFormRule = 0x20;

bool endsParagraph(const HtmlCtx* ctx, char c) { return c == ctx->marker || c == editor::kCellEnd || c == editor::kRowEnd; }

bool endsWith(const HtmlReader* r, char c) { return r->pendingLength > 0 && r->pending[r->pendingLength - 1] == c; }

// Text of a text area: appended to its value, at most its maximum length. A paragraph end
// or a line break read in it is a line end of the value.
void addToTextArea(HtmlCtx* ctx, HtmlReader* r, FieldRecord& field)
{
    auto* value = static_cast<char*>(field.value);
    if (!value)
        return;
    // The value has room for its maximum length and a line end after it. A kept reference
    // goes in whole or not at all: its first characters were a reference to another one.
    std::size_t used = std::strlen(value), most = field.maxLength > 0 ? std::size_t(field.maxLength) : 0;
    for (int i = 0; i < r->pendingLength && used < most; ++i) {
        char c = r->pending[i];
        if (c == ctx->marker || c == editor::kLineBreak) {
            value[used++] = '\r';
            value[used++] = '\n';
        } else if (c == kKeptReferenceMark) {
            std::size_t n = KeptReferenceLength(std::string_view(r->pending + i, std::size_t(r->pendingLength - i)));
            if (used + n > most)
                break;
            std::memcpy(value + used, r->pending + i, n);
            used += n;
            i += int(n) - 1;
        } else {
            value[used++] = c;
        }
    }
    value[used] = 0;
    r->paraStart = 0;
}

// Text of an option of a selection list: appended to the option's display text, a line
// of its own: paragraph ends and line breaks read in it show nothing.
void addToOption(const HtmlCtx* ctx, HtmlReader* r, FieldRecord& field)
{
    auto* options = static_cast<FieldOption*>(field.value);
    FieldOption& option = options[field.checked];
    std::size_t used = option.display ? std::strlen(option.display) : 0;
    auto* grown = static_cast<char*>(OurRealloc(option.display, used + std::size_t(r->pendingLength) + 1));
    if (grown) {
        for (int i = 0; i < r->pendingLength; ++i)
            if (char c = r->pending[i]; !endsParagraph(ctx, c) && c != editor::kLineBreak)
                grown[used++] = c;
        grown[used] = 0;
        option.display = grown;
    }
    r->paraStart = 0;
}

FieldRecord* currentField(HtmlCtx* ctx, HtmlReader* r)
{
    int f = r->currentField;
    return f >= 0 && f < ctx->fieldCount && f < kFieldCount ? &ctx->fields[f] : nullptr;
}

// Blanks that stay where they stand: in hidden link data, and in preformatted text. Text in
// a block quote or an address begun inside "pre" keeps its blanks as "pre" does, except
// those before its paragraph's end: its paragraph is no preformatted one, and the writer's
// tags for it give such blanks no place where they show.
bool keepsEveryBlank(HtmlCtx* ctx, const HtmlGroup& g)
{
    return (g.style & kStyleHiddenLink) || (g.pre && GetParaMiscType(ctx, g.typeWord) == kMiscPre);
}

// Blanks just before the pending text's paragraph, cell or row end show nothing.
void dropBlanksBeforeEnd(const HtmlCtx* ctx, HtmlReader* r, bool keep)
{
    int n = r->pendingLength;
    if (keep || n < 2 || !endsParagraph(ctx, r->pending[n - 1]))
        return;
    int blanks = 0;
    while (blanks < n - 1 && r->pending[n - 2 - blanks] == ' ')
        ++blanks;
    r->pending[n - 1 - blanks] = r->pending[n - 1];
    r->pendingLength = n - blanks;
}

// Blanks ending the text; they wait for what follows them.
int trailingBlanks(const HtmlReader* r)
{
    int n = 0;
    while (n < r->pendingLength && r->pending[r->pendingLength - 1 - n] == ' ')
        ++n;
    return n;
}

// Inserts the pending text with the current group's formatting.
int insertPending(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlGroup& g = r->currentGroup();
    std::uint32_t add = r->paraBitsAdd;
    if (r->inTable)
        add &= ~kAlignCentre;
    std::uint32_t before = g.align;
    bool lineStart = r->paraStart || r->afterLineBreak || r->onlyHiddenOnLine;
    g.align |= add;
    bool hidden = (g.style & kStyleHiddenLink) != 0, keep = keepsEveryBlank(ctx, g);
    int hold = !keep ? trailingBlanks(r) : 0;
    r->pendingLength -= hold;
    dropBlanksBeforeEnd(ctx, r, keep);
    r->pending[r->pendingLength] = 0;
    int result = r->pendingLength ? HtmlDocPass(ctx, kDocText, &g, r, r->pending) : 1;
    if (hold) {
        if (!r->heldBlanks)
            r->heldGroup = g;
        r->heldBlanks = std::min(r->heldBlanks + hold, kHtmlTextSize - 1);
    }
    g.align = before;
    r->paraStart = !hidden && (endsWith(r, ctx->marker) || endsWith(r, editor::kCellEnd) || endsWith(r, editor::kRowEnd));
    r->afterLineBreak = endsWith(r, editor::kLineBreak);
    // Hidden link data shows nothing: a blank after "<a href=x><span>" stands at the line's
    // start, as one after "<a href=x>" does.
    if (r->pendingLength > 0)
        r->onlyHiddenOnLine = hidden && lineStart;
    if (r->paraStart || r->afterLineBreak)
        HoldLinkRepeat(r);
    if (r->paraStart) {
        r->paraBitsAdd &= ~r->paraBitsRemove;
        g.align &= ~r->paraBitsRemove;
        r->paraBitsRemove = 0;
    }
    return result;
}

// Further paragraphs of a list item (after a "p", a block quote or a nested list in it)
// neither hang nor show its marker: only the first begins the item.
void endItemsFirstParagraph(HtmlReader* r)
{
    HtmlGroup& g = r->currentGroup();
    if (!r->paraStart || g.itemCounter < 1)
        return;
    for (int i = std::max(0, g.listGroup); i <= r->group; ++i) {
        r->groups[i].firstIndent = 0;
        r->groups[i].typeWord &= ~kParaMarkerShown;
    }
}

// The editor's list format for a list item's first paragraph, 0 otherwise. A loose item
// (outside any list) has its list only in the paragraph-type word.
int listFormat(HtmlCtx* ctx, const HtmlGroup& g)
{
    if (!(g.reader->paraBitsAdd & kAlignListItem))
        return 0;
    int type = g.listType ? g.listType : GetParaListType(ctx, g.typeWord);
    int level = g.listType ? g.listLevel : GetParaListLevel(ctx, g.typeWord);
    bool bullet = type == kListUnordered;
    int style = bullet ? std::min(level - 1, 2) : g.numbering;
    return EditorMakeListFormat(ctx->editorWindow, bullet, g.listStart, level, std::max(style, 0));
}

int viewState(HWND hWnd)
{
    EditorInfo info;
    return readInfo(hWnd, info) ? info.viewState : 0;
}

int paragraphFormat(HtmlCtx* ctx, HtmlGroup& g, int left, int list)
{
    HtmlReader* r = g.reader;
    // Text read while a form is open is in it, also where a stray end tag took away the
    // form's group: its fields are written inside the form. Text read while none is open
    // is in none, also where the group of a form that a later form or its own end ended
    // is still open (a quote's or a cell's end closed the groups inside it).
    std::uint32_t word = (g.typeWord & ~kParaInForm) | (r->currentForm >= 0 ? kParaInForm : 0);
    if (r->currentForm >= 0)
        r->formHoldsLine = 1;
    // Which form it is in goes with it: a form that shows no field is known by it alone.
    int form = ParagraphFormNumber(r->currentForm);
    bool plain = !g.spacing[0] && !g.spacing[1] && !g.spacing[2] && !left && !g.firstIndent && !g.rightIndent &&
                 !g.ruleValue && !g.align && !g.paraFlags && !word && !g.ruleWord && !list && !r->inTable;
    if (plain)
        return 0;
    HWND hWnd = ctx->editorWindow;
    // A rule's word goes with the next format made: such a format is always made anew.
    bool ruled = g.ruleWord != 0;
    if (ruled) {
        EditorSetParaRule(hWnd, static_cast<int>(g.ruleWord));
        g.ruleWord = 0;
    }
    int rule = g.ruleValue;
    if ((word & kParaInForm) && !(ctx->flags & kFlagNoFormRule) && viewState(hWnd) == 0)
        rule = editor::kFormTextRule;
    const std::int32_t values[12] = {left, g.rightIndent, g.firstIndent, form, int(word), rule, int(g.paraFlags),
                                     g.spacing[0], g.spacing[1], g.spacing[2], int(g.align), list};
    HtmlFormatUse& last = r->formatUse;
    if (!ruled && last.format >= 0 && std::equal(std::begin(values), std::end(values), last.values))
        return last.format;
    int format = EditorMakeParaFormatEx(hWnd, -1, 1, left, g.rightIndent, g.firstIndent, 0, form, int(word), rule,
                                        int(g.paraFlags), g.spacing[0], g.spacing[1], g.spacing[2], int(g.align),
                                        list, 0xFFFFFF);
    std::copy(std::begin(values), std::end(values), last.values);
    last.format = ruled ? -1 : format;
    return format;
}

// The editor font of the group's text, from the fonts the read used last when it can.
int groupFont(HtmlCtx* ctx, HtmlGroup& g)
{
    HtmlReader* r = g.reader;
    // A group that a table's end gave back in a cell of the table around it may still have
    // a "tr"'s element, which the writer writes no tag for there.
    if (r->inTable)
        LeaveTimesElement(ctx, g);
    // A term's text is bold whatever ended a bold inside it: the writer writes its "<dt>",
    // which is bold when read back. So is a header cell's and a caption's.
    std::uint32_t style = g.style | g.keptStyle | ((g.typeWord & kParaDefTerm) ? kStyleBold : 0);
    for (const HtmlFontUse& use : r->fontUses)
        if (use.element == g.element && use.style == style && use.colour == g.colour && use.variant == g.inLink &&
            use.size == g.fontSize && std::strcmp(use.face, g.face) == 0)
            return use.font;
    int font = GetElementFont(*ctx, g.element, style, g.colour, g.inLink, g.fontSize, g.face);
    HtmlFontUse& use = r->fontUses[r->nextFontUse];
    r->nextFontUse = (r->nextFontUse + 1) % kHtmlFontUses;
    use = HtmlFontUse{g.element, style, g.colour, g.inLink, g.fontSize, {}, font};
    std::memcpy(use.face, g.face, sizeof use.face);
    return font;
}

// Caption text below its table waits until the table ends.
void queueCaption(HtmlTableLevel& level, const char* text, int font, int format)
{
    auto* node = static_cast<HtmlCaptionNode*>(OurAlloc(sizeof(HtmlCaptionNode)));
    std::size_t length = std::strlen(text);
    auto* copy = node ? static_cast<char*>(OurAlloc(length)) : nullptr;
    if (!copy) {
        OurFree(node);
        return;
    }
    std::memcpy(copy, text, length + 1);
    *node = HtmlCaptionNode{copy, font, format, nullptr};
    if (level.captionLast)
        level.captionLast->next = node;
    else
        level.captionFirst = node;
    level.captionLast = node;
}

}

void CloseGroup(HtmlReader* r)
{
    if (r->group > 0)
        --r->group;
}

void AppendPending(HtmlReader* r, const char* text, int length)
{
    if (r->pendingLength + length >= kHtmlTextSize)
        return;
    std::memcpy(r->pending + r->pendingLength, text, std::size_t(length));
    r->pendingLength += length;
    r->pending[r->pendingLength] = 0;
}

namespace {

// How much of text goes in before a cut at most `part` characters in: never inside a kept
// reference, which would no longer be one.
std::size_t cutBeforeReference(std::string_view text, std::size_t part)
{
    std::size_t mark = text.substr(0, part).rfind(kKeptReferenceMark);
    if (mark == std::string_view::npos || mark == 0 || mark + KeptReferenceLength(text.substr(mark)) <= part)
        return part;
    return mark;
}

}

int AppendPendingText(HtmlCtx* ctx, HtmlReader* r, std::string_view text)
{
    while (!text.empty()) {
        std::size_t room = std::size_t(std::max(0, kHtmlTextSize - 1 - r->pendingLength));
        std::size_t part = text.size() <= room ? text.size() : cutBeforeReference(text, room);
        if (part > 0) {
            AppendPending(r, text.data(), int(part));
            text.remove_prefix(part);
        }
        if (!text.empty() && !FlushHtmlText(ctx, r))
            return 0;
    }
    return 1;
}

int ReleaseHeldBlank(HtmlCtx* ctx, HtmlReader* r, bool paragraphEnds)
{
    if (!r->heldBlanks)
        return 1;
    char blanks[kHtmlTextSize];
    std::memset(blanks, ' ', std::size_t(r->heldBlanks));
    blanks[r->heldBlanks] = 0;
    r->heldBlanks = 0;
    return paragraphEnds ? 1 : HtmlDocPass(ctx, kDocText, &r->heldGroup, r, blanks);
}

// Text, a picture or a field in a row before its first cell begins a cell of that row: in the
// last cell of the row before it would stand after that row's end, and a field in no cell
// stood outside its form. What comes before the first row stands above the table. So does
// a picture or a field after a row's end (text there is dropped): it stood in the row's end.
bool BeginCellOfContent(HtmlCtx* ctx, HtmlReader* r, bool object)
{
    HtmlTableLevel& level = GetTableLevel(r);
    bool rowEnded = object && level.cell && !level.cellOpen;
    bool cellLess = r->inTable && !(r->flags & kReadInCaption) && !level.textAbove &&
                    (level.cell == 0 || level.newRow || rowEnded);
    return !cellLess || BeginTextCell(ctx, r);
}

int FlushHtmlText(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->currentGroup().noFrames)
        r->pendingLength = 0;
    // With nothing to follow them yet held blanks wait on; blanks alone join them, and text
    // that never reaches the document (a head's) does nothing to them.
    if (r->pendingLength == 0)
        return 1;
    // Text in a selection list before its first option shows nowhere, nor do paragraph ends
    // there (cells and rows end the list first): the blank held before it stays held.
    FieldRecord* listField = r->textEnabled ? currentField(ctx, r) : nullptr;
    if (listField && listField->type == kFieldSelect && !(listField->checked >= 0 && listField->value)) {
        r->pendingLength = 0;
        r->pending[0] = 0;
        return 1;
    }
    const HtmlGroup& g = r->currentGroup();
    int lead = 0;
    if (!keepsEveryBlank(ctx, g))
        while (lead < r->pendingLength && r->pending[lead] == ' ')
            ++lead;
    if (r->textEnabled && lead < r->pendingLength && !ReleaseHeldBlank(ctx, r, endsParagraph(ctx, r->pending[lead])))
        return 0;
    if (!BeginCellOfContent(ctx, r, false)) {
        r->pendingLength = 0;
        return 0;
    }
    int result = 1;
    if (r->textEnabled) {
        FieldRecord* field = currentField(ctx, r);
        if (field && field->type == kFieldTextArea)
            addToTextArea(ctx, r, *field);
        else if (field && field->type == kFieldSelect && field->checked >= 0 && field->value)
            addToOption(ctx, r, *field);
        else
            result = insertPending(ctx, r);
    }
    r->pendingLength = 0;
    r->pending[0] = 0;
    endItemsFirstParagraph(r);
    return result;
}

int AppendParagraphEnd(HtmlCtx* ctx, HtmlReader* r, char character)
{
    // A paragraph's end does not take the Times Roman element of a stray "tr" left open: the
    // writer ends the "tr" before it, and read back it had the paragraph's font (which an
    // item's bullet is written in).
    bool leftTimes = character == ctx->marker && r->currentGroup().element == kElemTimes;
    if (leftTimes) {
        if (!FlushHtmlText(ctx, r))
            return 0;
        LeaveTimesElement(ctx, r->currentGroup());
    }
    // Words leave the pending text below 300 characters: there is room for the end.
    if (r->pendingLength < kHtmlTextSize) {
        r->pending[r->pendingLength++] = character;
        r->pending[r->pendingLength] = 0;
    }
    int result = FlushHtmlText(ctx, r);
    if (leftTimes)
        r->currentGroup().element = kElemTimes;
    return result;
}

int EndParagraph(HtmlCtx* ctx, HtmlReader* r, char character, bool spacing)
{
    // In a table outside its cells (after a row's end) text is dropped, and so is the end
    // of a paragraph there: it stood between the cells. Past the table levels kept, where
    // cells only pass their text on, not one that holds a field or a picture put after a
    // cell's end: without its end the field stood in no form.
    bool deepObject = r->tableDepth >= kHtmlTableLevels && !r->paraStart;
    if (character == ctx->marker && r->inTable && r->textSuppressed && r->pendingLength == 0 && !deepObject) {
        r->noSpacing = 0;
        return 1;
    }
    HtmlGroup& g = r->currentGroup();
    g.spacing[0] = g.spacing[1] = 0;
    if (spacing && character == ctx->marker && !r->noSpacing) {
        int misc = GetParaMiscType(ctx, g.typeWord);
        if (misc != kMiscPre && misc != kMiscAddress) {
            // Text read since the line break (still pending) means the paragraph does not
            // end at the break.
            if (!r->afterLineBreak || r->pendingLength > 0) {
                g.spacing[0] = ctx->spacing[1];
                g.spacing[1] = ctx->spacing[0];
                if (GetParaHeader(ctx, g.typeWord)) {
                    g.spacing[0] += ctx->spacing[1] / 2;
                    g.spacing[1] -= ctx->spacing[0] / 2;
                }
            }
        } else if (g.listLevel == 1 && (g.listType == kListOrdered || g.listType == kListUnordered) &&
                   g.listGroup >= 0 && g.listGroup <= r->group && r->groups[g.listGroup].itemCounter == 2) {
            g.spacing[0] = ctx->spacing[1];
        }
    }
    r->noSpacing = 0;
    if (character == editor::kCellEnd)
        GetTableLevel(r).cellOpen = 0;
    COLORREF colour = g.colour;
    int size = g.fontSize;
    if (g.listType == kListOrdered || g.listType == kListUnordered) {
        // Only the end takes the item's font: text still pending keeps its own, as it has
        // when a tag flushed it before the end.
        if (!FlushHtmlText(ctx, r))
            return 0;
        g.colour = r->itemColour;
        g.fontSize = r->itemSize;
    }
    int result = AppendParagraphEnd(ctx, r, character);
    HtmlGroup& after = r->currentGroup();
    after.colour = colour;
    after.fontSize = size;
    r->itemColour = 0;
    r->itemSize = 3;
    return result;
}

int AddValueLineEnd(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->pendingLength < kHtmlTextSize) {
        r->pending[r->pendingLength++] = ctx->marker;
        r->pending[r->pendingLength] = 0;
    }
    return FlushHtmlText(ctx, r);
}

int EndOpenParagraph(HtmlCtx* ctx, HtmlReader* r, bool spacing)
{
    return r->paraStart ? 1 : EndParagraph(ctx, r, ctx->marker, spacing);
}

int GroupParaFormat(HtmlCtx* ctx, HtmlGroup& g)
{
    int list = listFormat(ctx, g);
    return paragraphFormat(ctx, g, g.leftIndent, list);
}

namespace {

// What the read appends next begins a paragraph: nothing is read yet, or the last line
// ends with a paragraph's, a cell's or a row's end.
bool beginsParagraph(HtmlCtx* ctx)
{
    HWND hWnd = ctx->editorWindow;
    VekInfo info{};
    char chars[editor::kMaxLine + 2];
    int count = EditorGetInfo(hWnd, &info) && info.lineCount > 0
                    ? EditorGetLineChars(hWnd, info.lineCount - 1, chars, nullptr)
                    : 0;
    if (count <= 0)
        return true;
    char last = chars[count - 1];
    return last == ctx->marker || last == editor::kParaMark || last == editor::kCellEnd || last == editor::kRowEnd;
}

}

int ObjectParaFormat(HtmlCtx* ctx, HtmlGroup& g) { return beginsParagraph(ctx) ? GroupParaFormat(ctx, g) : -1; }

namespace {

int insertRun(HtmlCtx* ctx, HtmlGroup& g, const char* text)
{
    HtmlReader* r = g.reader;
    int font = groupFont(ctx, g);
    int format = GroupParaFormat(ctx, g);
    HtmlTableLevel& level = GetTableLevel(r);
    if ((r->flags & kReadInCaption) && level.captionBelow) {
        queueCaption(level, text, font, format);
        return 1;
    }
    EditorAppendText(ctx->editorWindow, text, font, format, CurrentTableCell(r), -1, 0);
    return 1;
}

}

int InsertHtmlText(HtmlCtx* ctx, HtmlGroup* group, const char* text)
{
    if (!std::strchr(text, kKeptReferenceMark))
        return insertRun(ctx, *group, text);
    // Kept references go in a font of their own that tells the writer to leave them as
    // they are; their mark becomes the "&" again.
    HtmlGroup kept = *group;
    kept.style |= kStyleKeptReference;
    const char marks[] = {kKeptReferenceMark, 0};
    char run[kHtmlTextSize + 1];
    while (*text) {
        bool reference = *text == kKeptReferenceMark;
        std::size_t length = reference ? KeptReferenceLength(text) : std::strcspn(text, marks);
        length = std::min(length, sizeof run - 1);
        std::memcpy(run, text, length);
        run[length] = 0;
        if (reference)
            run[0] = '&';
        if (!insertRun(ctx, reference ? kept : *group, run))
            return 0;
        text += length;
    }
    return 1;
}

}
