#include "addon/convert/html_words.h"

#include "addon/base/print_error.h"
#include "addon/base/text_utils.h"
#include "addon/convert/html_entities.h"
#include "addon/convert/html_input.h"
#include "addon/convert/html_tokenizer.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace ks::addon {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Control characters other than tabs and line ends are left out of words and tags: some
// are the editor's own codes (paragraph, cell and row ends, objects).
bool isDroppedControl(char c)
{
    auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && !isLineEnd(c)) || u == 0x7F;
}

// Stops of plain text: every character a rule looks at.
constexpr HtmlStops kTextStops{" <&"};

// The builder's part of a begin tag: the pending text goes to the document first, and the
// tag gets a copy of the current group.
int openGroup(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->flush && !r->flush(ctx, r))
        return 0;
    if (r->group >= kHtmlGroupCount - 1)
        return PrintError(ctx, "Ran out of Group Table for HTML data (GetHtmlWord).", kErrMemory);
    r->groups[r->group + 1] = r->groups[r->group];
    ++r->group;
    return 1;
}

}

int GetHtmlWord(HtmlCtx* ctx, HtmlReader* r, const char* text)
{
    r->tokenizer.word[0] = r->tokenizer.attributes[0] = 0;
    r->tokenizer.tag = 1;
    r->tokenizer.selfClosing = 0;
    if (text && *text) {
        std::size_t n = std::min(std::strlen(text), std::size_t(kHtmlTextSize));
        std::memcpy(r->tokenizer.word, text, n);
        r->tokenizer.word[n] = 0;
    } else if (ReadHtmlTag(ctx, &r->tokenizer) == HtmlToken::Comment) {
        r->tokenizer.word[0] = r->tokenizer.attributes[0] = 0;
        r->tokenizer.wordLength = 0;
        r->tokenizer.tag = 0;
        return 1;
    }
    TrimString(r->tokenizer.word);
    TrimString(r->tokenizer.attributes);
    if (r->tokenizer.word[0] == '/') {
        r->tokenizer.endTag = 1;
        TrimLeft(r->tokenizer.word + 1);
        std::memmove(r->tokenizer.word, r->tokenizer.word + 1, std::strlen(r->tokenizer.word + 1) + 1);
    } else {
        r->tokenizer.beginTag = 1;
    }
    r->tokenizer.wordLength = static_cast<std::int32_t>(std::strlen(r->tokenizer.word));
    if (!r->tokenizer.beginTag)
        return 1;
    if (!r->tokenizer.selfClosing)
        r->tokenizer.rawTextEnd = HtmlRawTextElement(r->tokenizer.word);
    return openGroup(ctx, r);
}

namespace {

enum class RunEnd { Text, Tag, Comment, Failed, InputEnded };

// A text run ends at its 299th character: a word of 300 would never fit the pending text
// (below 300 characters) and would be lost.
constexpr int kMostRunLength = kHtmlTextSize - 1;

// A run of text, read straight into the reader's word and decoded there.
struct Run {
    char* text;
    int length = 0;
    bool lineEnd = false;   // a line end was seen in the run
    bool coded = false;     // it holds an "&" or a line-end mark: it is decoded
};

// A "<" that starts a tag: the tag is read (RunEnd::Tag or Comment); any other is text.
bool opensTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!GetHtmlChar(ctx, &r->tokenizer))
        return false;
    char next = r->tokenizer.current;
    PushHtmlChar(ctx, &r->tokenizer);
    return next == '/' || next == '!' || next == '?' || isLetter(next);
}

// Reads one run of text, or the tag that comes first.
RunEnd readRun(HtmlCtx* ctx, HtmlReader* r, Run& run, bool& afterTag, bool& afterEndTag)
{
    const bool pre = r->currentGroup().pre != 0;
    while (run.length < kMostRunLength) {
        run.length += TakeHtmlRun(&r->tokenizer, run.text + run.length, kMostRunLength - run.length, kTextStops);
        if (run.length >= kMostRunLength)
            break;
        if (!GetHtmlChar(ctx, &r->tokenizer))
            return run.length ? RunEnd::Text : RunEnd::InputEnded;
        char c = r->tokenizer.current;
        if (isDroppedControl(c))
            continue;
        if (c == '<') {
            if (run.length > 0) {
                PushHtmlChar(ctx, &r->tokenizer);
                return RunEnd::Text;
            }
            if (!opensTag(ctx, r)) {
                run.text[run.length++] = '<';
                continue;
            }
            if (!GetHtmlWord(ctx, r, nullptr))
                return RunEnd::Failed;
            return r->tokenizer.wordLength == 0 ? RunEnd::Comment : RunEnd::Tag;
        }
        if (isLineEnd(c)) {
            run.lineEnd = true;
            if (pre) {
                if (c == '\r')
                    continue;
                if (run.length == 0)
                    return GetHtmlWord(ctx, r, "br") ? RunEnd::Tag : RunEnd::Failed;
                PushHtmlChar(ctx, &r->tokenizer);
                return RunEnd::Text;
            }
            bool drop = run.length == 0 && (r->paraStart || r->afterLineBreak || afterTag);
            // After an end tag inside a paragraph ("</code>" and a line end, then a word) the line
            // end is the blank between two words.
            if (drop && afterEndTag && !r->paraStart && !r->afterLineBreak) {
                afterTag = afterEndTag = false;
                run.text[run.length++] = ' ';
                return RunEnd::Text;
            }
            afterTag = afterEndTag = false;
            // After a blank or another line end a line end adds nothing.
            char last = run.length > 0 ? run.text[run.length - 1] : 0;
            if (!drop && last != ' ' && last != kHtmlLineEndMark) {
                run.text[run.length++] = kHtmlLineEndMark;
                run.coded = true;
            }
            continue;
        }
        // An entity is never cut at the run's end.
        if (c == '&' && run.length >= kHtmlTextSize - 10) {
            PushHtmlChar(ctx, &r->tokenizer);
            return RunEnd::Text;
        }
        if (c == '\t')
            c = ' ';
        // A blank after a line end is the one blank between the words.
        if (c == ' ' && !pre && run.length > 0 && run.text[run.length - 1] == kHtmlLineEndMark)
            --run.length;
        run.text[run.length++] = c;
        run.coded |= c == '&';
        if (c == ' ')
            return RunEnd::Text;
    }
    return RunEnd::Text;
}

// A run of one blank that adds nothing: after a blank, or at a paragraph's or a line's
// start (the indent of a line after "<br>").
bool dropsLoneSpace(HtmlCtx* ctx, HtmlReader* r, const Run& run, bool afterTag)
{
    if (run.length != 1 || run.text[0] != ' ' || r->currentGroup().pre || (ctx && (ctx->flags & 0x100)))
        return false;
    bool lineStart = r->afterLineBreak && r->pendingLength == 0;
    return (!afterTag && r->previousEndsWithBlank) || r->paraStart || lineStart;
}

}

int NextHtmlWord(HtmlCtx* ctx, HtmlReader* r)
{
    bool afterTag = r->tokenizer.tag != 0;   // the last word returned was a tag, with no line end since
    bool afterEndTag = afterTag && r->tokenizer.endTag;
    for (;;) {
        if (r->tokenizer.endOfInput)
            return 0;
        r->tokenizer.beginTag = r->tokenizer.endTag = r->tokenizer.tag = 0;
        r->tokenizer.word[0] = r->tokenizer.attributes[0] = 0;
        r->tokenizer.wordLength = 0;
        // Raw text is no text: the element's end tag comes next.
        if (r->tokenizer.rawTextEnd) {
            if (!SkipHtmlRawText(ctx, &r->tokenizer))
                return 0;
            return GetHtmlWord(ctx, r, nullptr);
        }
        Run run{r->tokenizer.word};
        switch (readRun(ctx, r, run, afterTag, afterEndTag)) {
        case RunEnd::InputEnded:
        case RunEnd::Failed:
            return 0;
        case RunEnd::Comment:
            continue;
        case RunEnd::Tag:
            return 1;
        case RunEnd::Text:
            break;
        }
        if (run.lineEnd)
            afterTag = false;
        if (dropsLoneSpace(ctx, r, run, afterTag))
            continue;
        // Decoding only shortens a run: it is done in place.
        r->tokenizer.wordLength = run.coded ? DecodeHtmlRun(run.text, run.length, r->tokenizer.word) : run.length;
        r->tokenizer.word[r->tokenizer.wordLength] = 0;
        r->previousEndsWithBlank = r->tokenizer.wordLength > 0 && r->tokenizer.word[r->tokenizer.wordLength - 1] == ' ';
        return 1;
    }
}

int SkipGroup(HtmlCtx* ctx, HtmlReader* r)
{
    int start = r->group;
    while (NextHtmlWord(ctx, r)) {
        if (r->tokenizer.endTag && r->group > 0)
            --r->group;
        if (r->tokenizer.endTag && r->group < start)
            return 0;
    }
    return 1;
}

}
