#include "addon/convert/html_words.h"

#include "addon/base/print_error.h"
#include "addon/base/text_utils.h"
#include "addon/convert/html_entities.h"
#include "addon/convert/html_input.h"

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

// Stops of plain text, of attribute text and of comments: every character a rule looks at.
constexpr HtmlStops kTextStops{" <&"};
constexpr HtmlStops kTagStops{" >\""};
constexpr HtmlStops kCommentStops{">"};

// One part of a tag (its name, or its attribute text), filled to at most 300 characters.
struct TagPart {
    char* text;
    int length = 0;
    void put(char c)
    {
        if (length < kHtmlTextSize)
            text[length++] = c;
    }
    void close() { text[length] = 0; }
};

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

// Reads the rest of a tag into the word and the attribute text; false for a comment.
bool readTag(HtmlCtx* ctx, HtmlReader* r)
{
    TagPart name{r->word}, attributes{r->attributes};
    TagPart* part = &name;
    bool quoted = false, comment = false;
    char last = 0, beforeLast = 0;
    char skipped[kHtmlTextSize];
    for (;;) {
        // Stretches without a character of interest go in whole: attribute text, comments.
        if (comment) {
            int n = TakeHtmlRun(r, skipped, kHtmlTextSize, kCommentStops);
            if (n > 0) {
                beforeLast = n >= 2 ? skipped[n - 2] : last;
                last = skipped[n - 1];
            }
        } else if (part == &attributes) {
            int n = TakeHtmlRun(r, part->text + part->length, kHtmlTextSize - part->length, kTagStops);
            if (n > 0) {
                part->length += n;
                beforeLast = n >= 2 ? part->text[part->length - 2] : last;
                last = part->text[part->length - 1];
            }
        }
        if (!GetHtmlChar(ctx, r))
            break;
        char c = r->current;
        if (isDroppedControl(c))
            continue;
        if (comment) {
            if (c == '>' && last == '-' && beforeLast == '-')
                return false;
        } else if (c == '>') {
            break;
        }
        if (c == '"')
            quoted = !quoted;
        // Line ends (and tabs) inside a tag are blanks, or nothing inside quotes, after a blank
        // or before anything of the part.
        if (isLineEnd(c) || c == '\t') {
            bool drop = part->length == 0 || last == ' ' || (quoted && c != '\t');
            if (drop) {
                beforeLast = last;
                last = c;
                continue;
            }
            c = ' ';
        }
        beforeLast = last;
        last = c;
        if (comment)
            continue;
        if (c == ' ' && part == &name) {
            part = &attributes;
            continue;
        }
        part->put(c);
        if (part == &name && name.length == 3 && std::memcmp(r->word, "!--", 3) == 0)
            comment = true;
    }
    name.close();
    attributes.close();
    r->wordLength = name.length;
    return true;
}

// Takes "<" in script text: only the script's own end tag opens a tag there.
bool scriptEndFollows(HtmlCtx* ctx, HtmlReader* r)
{
    static constexpr char kEnd[] = "/script";
    char seen[7];
    int count = 0;
    while (count < 7 && GetHtmlChar(ctx, r))
        seen[count++] = r->current;
    bool match = count == 7 && strncasecmp(seen, kEnd, 7) == 0;
    while (count > 0) {
        r->current = seen[--count];
        PushHtmlChar(ctx, r);
    }
    return match;
}

}

int GetHtmlWord(HtmlCtx* ctx, HtmlReader* r, const char* text)
{
    r->word[0] = r->attributes[0] = 0;
    r->tag = 1;
    if (text && *text) {
        std::size_t n = std::min(std::strlen(text), std::size_t(kHtmlTextSize));
        std::memcpy(r->word, text, n);
        r->word[n] = 0;
    } else if (!readTag(ctx, r)) {
        r->word[0] = r->attributes[0] = 0;
        r->wordLength = 0;
        r->tag = 0;
        return 1;
    }
    TrimString(r->word);
    TrimString(r->attributes);
    if (r->word[0] == '/') {
        r->endTag = 1;
        TrimLeft(r->word + 1);
        std::memmove(r->word, r->word + 1, std::strlen(r->word + 1) + 1);
    } else {
        r->beginTag = 1;
    }
    r->wordLength = static_cast<std::int32_t>(std::strlen(r->word));
    return r->beginTag ? openGroup(ctx, r) : 1;
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
    if (r->flags & kReadInScript)
        return scriptEndFollows(ctx, r);
    if (!GetHtmlChar(ctx, r))
        return false;
    char next = r->current;
    PushHtmlChar(ctx, r);
    return next == '/' || next == '!' || next == '?' || isLetter(next);
}

// Reads one run of text, or the tag that comes first.
RunEnd readRun(HtmlCtx* ctx, HtmlReader* r, Run& run, bool& afterTag, bool& afterEndTag)
{
    const bool pre = r->currentGroup().pre != 0;
    while (run.length < kMostRunLength) {
        run.length += TakeHtmlRun(r, run.text + run.length, kMostRunLength - run.length, kTextStops);
        if (run.length >= kMostRunLength)
            break;
        if (!GetHtmlChar(ctx, r))
            return run.length ? RunEnd::Text : RunEnd::InputEnded;
        char c = r->current;
        if (isDroppedControl(c))
            continue;
        if (c == '<') {
            if (run.length > 0) {
                PushHtmlChar(ctx, r);
                return RunEnd::Text;
            }
            if (!opensTag(ctx, r)) {
                run.text[run.length++] = '<';
                continue;
            }
            if (!GetHtmlWord(ctx, r, nullptr))
                return RunEnd::Failed;
            return r->wordLength == 0 ? RunEnd::Comment : RunEnd::Tag;
        }
        if (isLineEnd(c)) {
            run.lineEnd = true;
            if (pre) {
                if (c == '\r')
                    continue;
                if (run.length == 0)
                    return GetHtmlWord(ctx, r, "br") ? RunEnd::Tag : RunEnd::Failed;
                PushHtmlChar(ctx, r);
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
            PushHtmlChar(ctx, r);
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

// A run of one blank that adds nothing: after a blank, or at a paragraph's start.
bool dropsLoneSpace(HtmlCtx* ctx, HtmlReader* r, const Run& run, bool afterTag)
{
    if (run.length != 1 || run.text[0] != ' ' || r->currentGroup().pre || (ctx && (ctx->flags & 0x100)))
        return false;
    return (!afterTag && r->previousEndsWithBlank) || r->paraStart;
}

}

int NextHtmlWord(HtmlCtx* ctx, HtmlReader* r)
{
    bool afterTag = r->tag != 0;   // the last word returned was a tag, with no line end since
    bool afterEndTag = afterTag && r->endTag;
    for (;;) {
        if (r->endOfInput)
            return 0;
        r->beginTag = r->endTag = r->tag = 0;
        r->word[0] = r->attributes[0] = 0;
        r->wordLength = 0;
        Run run{r->word};
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
        r->wordLength = run.coded ? DecodeHtmlRun(run.text, run.length, r->word) : run.length;
        r->word[r->wordLength] = 0;
        r->previousEndsWithBlank = r->wordLength > 0 && r->word[r->wordLength - 1] == ' ';
        return 1;
    }
}

int SkipGroup(HtmlCtx* ctx, HtmlReader* r)
{
    int start = r->group;
    while (NextHtmlWord(ctx, r)) {
        if (r->endTag && r->group > 0)
            --r->group;
        if (r->endTag && r->group < start)
            return 0;
    }
    return 1;
}

}
