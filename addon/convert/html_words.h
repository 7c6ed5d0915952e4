#pragma once
// The word reader: cuts the input into tag tokens and stretches of text. Comments are
// dropped, the raw text of "script" and "style" is passed over (html_tokenizer.h), and
// control characters other than tabs and line ends are left out. What a line end or a
// lone blank means is the document builder's to decide: line ends are handed to it.
#include "addon/convert/html_input.h"
#include "addon/convert/html_tokenizer.h"

namespace ks::addon {

// A text run ends at its 299th character: a word of 300 would never fit the builder's
// pending text (below 300 characters) and would be lost.
inline constexpr int kHtmlMostRunLength = kHtmlTextSize - 1;

// A run of text, read straight into the token's word.
struct HtmlTextRun {
    char* text;
    int length = 0;
    bool coded = false;     // it holds an "&" (or a mark the builder put in): it is decoded
};

enum class HtmlTextEnd {
    Word,         // a blank was taken (a tab as a blank), the run is full, or a tag follows
    TagOpens,     // at the run's start, a "<" that opens a tag: it is consumed
    LineEnd,      // a line end was consumed; it is in t->current
    InputEnded,
};

// Clears the token before the next one is read.
inline void ClearHtmlToken(HtmlTokenizer* t)
{
    t->beginTag = t->endTag = t->tag = 0;
    t->word[0] = 0;
    t->attributes.clear();
    t->wordLength = 0;
}

// Reads a tag whose "<" is consumed, or takes text as the tag when it is not empty. Fills
// the word (its "/" removed, end tag flagged), the attribute text and the tag flags; a
// begin tag of raw text not self-closed sets t->rawTextEnd. A comment gives
// HtmlToken::Comment with word length 0.
HtmlToken ReadHtmlTagToken(HtmlCtx* ctx, HtmlTokenizer* t, const char* text);

// After a "<": whether a tag follows ("/", "!", "?" or a letter); nothing is consumed.
inline bool HtmlTagFollows(HtmlCtx* ctx, HtmlTokenizer* t)
{
    if (!GetHtmlChar(ctx, t))
        return false;
    char next = t->current;
    PushHtmlChar(ctx, t);
    return next == '/' || next == '!' || next == '?' || ((next | 0x20) >= 'a' && (next | 0x20) <= 'z');
}

// Control characters other than tabs and line ends are left out of words and tags: some
// are the editor's own codes (paragraph, cell and row ends, objects).
inline bool IsDroppedHtmlControl(char c)
{
    auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}

// Adds text to run up to what ends it (HtmlTextEnd). A "<" that opens no tag is text; an
// "&" is never cut at the run's end. Inline: it runs once for every word of a page.
inline HtmlTextEnd ReadHtmlText(HtmlCtx* ctx, HtmlTokenizer* t, HtmlTextRun& run)
{
    // Stops of plain text: every character a rule looks at.
    constexpr HtmlStops kTextStops{" <&"};
    while (run.length < kHtmlMostRunLength) {
        run.length += TakeHtmlRun(t, run.text + run.length, kHtmlMostRunLength - run.length, kTextStops);
        if (run.length >= kHtmlMostRunLength)
            break;
        if (!GetHtmlChar(ctx, t))
            return HtmlTextEnd::InputEnded;
        char c = t->current;
        if (IsDroppedHtmlControl(c))
            continue;
        if (c == '<') {
            if (run.length > 0) {
                PushHtmlChar(ctx, t);
                return HtmlTextEnd::Word;
            }
            if (!HtmlTagFollows(ctx, t)) {
                run.text[run.length++] = '<';
                continue;
            }
            return HtmlTextEnd::TagOpens;
        }
        if (c == '\r' || c == '\n')
            return HtmlTextEnd::LineEnd;
        // An entity is never cut at the run's end.
        if (c == '&' && run.length >= kHtmlTextSize - 10) {
            PushHtmlChar(ctx, t);
            return HtmlTextEnd::Word;
        }
        if (c == '\t')
            c = ' ';
        run.text[run.length++] = c;
        run.coded |= c == '&';
        if (c == ' ')
            return HtmlTextEnd::Word;
    }
    return HtmlTextEnd::Word;
}

}
