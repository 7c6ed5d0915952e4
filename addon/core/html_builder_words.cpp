#include "addon/core/html_builder_words.h"

#include "addon/base/print_error.h"
#include "addon/convert/html_entities.h"
#include "addon/convert/html_input.h"
#include "addon/convert/html_words.h"
#include "addon/core/html_tag_handlers.h"

namespace ks::addon {
namespace {

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
    r->groups[r->group].opener = 0;
    return 1;
}

}

int GetHtmlWord(HtmlCtx* ctx, HtmlReader* r, const char* text)
{
    if (ReadHtmlTagToken(ctx, &r->tokenizer, text) == HtmlToken::Comment || !r->tokenizer.beginTag)
        return 1;
    return openGroup(ctx, r);
}

namespace {

enum class RunEnd { Text, Tag, Comment, Failed, InputEnded };

struct Run : HtmlTextRun {
    bool lineEnd = false;   // a line end was seen in the run
};

// What a line end becomes inside a run, given what came before it.
enum class LineEndIs { Nothing, Mark, Blank, Break, RunEnd };

LineEndIs lineEndRule(const HtmlReader* r, const Run& run, char c, bool pre, bool& afterTag, bool& afterEndTag)
{
    if (pre) {
        if (c == '\r')
            return LineEndIs::Nothing;
        return run.length == 0 ? LineEndIs::Break : LineEndIs::RunEnd;
    }
    bool drop = run.length == 0 && (r->paraStart || r->afterLineBreak || afterTag);
    // After an end tag inside a paragraph ("</code>" and a line end, then a word) the line
    // end is the blank between two words.
    if (drop && afterEndTag && !r->paraStart && !r->afterLineBreak) {
        afterTag = afterEndTag = false;
        return LineEndIs::Blank;
    }
    afterTag = afterEndTag = false;
    // After a blank or another line end a line end adds nothing.
    char last = run.length > 0 ? run.text[run.length - 1] : 0;
    return drop || last == ' ' || last == kHtmlLineEndMark ? LineEndIs::Nothing : LineEndIs::Mark;
}

// A blank after a line end is the one blank between the words: it takes the mark's place.
// After text the mark stays in its place, as it adds nothing after a blank ("&nbsp;", a line
// end and the indent of the writer's lines in a table are one blank).
void foldMarkIntoBlank(Run& run, bool pre)
{
    if (pre || run.length < 2 || run.text[run.length - 1] != ' ' || run.text[run.length - 2] != kHtmlLineEndMark)
        return;
    if (run.length == 2)
        run.text[0] = ' ';
    --run.length;
}

// Reads one run of text, or the tag that comes first.
RunEnd readRun(HtmlCtx* ctx, HtmlReader* r, Run& run, bool& afterTag, bool& afterEndTag)
{
    const bool pre = r->currentGroup().pre != 0;
    for (;;) {
        switch (ReadHtmlText(ctx, &r->tokenizer, run)) {
        case HtmlTextEnd::Word:
            foldMarkIntoBlank(run, pre);
            return RunEnd::Text;
        case HtmlTextEnd::InputEnded:
            return run.length ? RunEnd::Text : RunEnd::InputEnded;
        case HtmlTextEnd::TagOpens:
            if (!GetHtmlWord(ctx, r, nullptr))
                return RunEnd::Failed;
            return r->tokenizer.wordLength == 0 ? RunEnd::Comment : RunEnd::Tag;
        case HtmlTextEnd::LineEnd:
            break;
        }
        run.lineEnd = true;
        switch (lineEndRule(r, run, r->tokenizer.current, pre, afterTag, afterEndTag)) {
        case LineEndIs::Nothing:
            break;
        case LineEndIs::Mark:
            run.text[run.length++] = kHtmlLineEndMark;
            run.coded = true;
            break;
        case LineEndIs::Blank:
            run.text[run.length++] = ' ';
            return RunEnd::Text;
        case LineEndIs::Break:
            return GetHtmlWord(ctx, r, "br") ? RunEnd::Tag : RunEnd::Failed;
        case LineEndIs::RunEnd:
            PushHtmlChar(ctx, &r->tokenizer);
            return RunEnd::Text;
        }
    }
}

// A run of one blank that adds nothing: after a blank, or at a paragraph's or a line's
// start (the indent of a line after "<br>", or of a text area's line, which the writer
// writes indented in a table). Text still pending stands before it: a word that filled a
// run is followed by its blank alone.
bool dropsLoneSpace(HtmlCtx* ctx, HtmlReader* r, const Run& run, bool afterTag)
{
    if (run.length != 1 || run.text[0] != ' ' || r->currentGroup().pre || (ctx && (ctx->flags & 0x100)))
        return false;
    bool lineStart = ((r->paraStart || r->afterLineBreak || r->onlyHiddenOnLine) && r->pendingLength == 0) || AtTextAreaLineStart(ctx, r);
    return (!afterTag && r->previousEndsWithBlank) || lineStart;
}

}

int NextHtmlWord(HtmlCtx* ctx, HtmlReader* r)
{
    HtmlTokenizer& t = r->tokenizer;
    bool afterTag = t.tag != 0;   // the last word returned was a tag, with no line end since
    bool afterEndTag = afterTag && t.endTag;
    for (;;) {
        if (t.endOfInput)
            return 0;
        ClearHtmlToken(&t);
        // Raw text is no text: the element's end tag comes next.
        if (t.rawTextEnd) {
            if (!SkipHtmlRawText(ctx, &t))
                return 0;
            return GetHtmlWord(ctx, r, nullptr);
        }
        Run run{{t.word}};
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
        t.wordLength = run.coded ? DecodeHtmlRun(run.text, run.length, t.word) : run.length;
        t.word[t.wordLength] = 0;
        r->previousEndsWithBlank = t.wordLength > 0 && t.word[t.wordLength - 1] == ' ';
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
