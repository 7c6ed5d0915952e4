#pragma once
// The word reader: cuts the input into tag tokens and stretches of text. Comments are
// dropped, the raw text of "script" and "style" is passed over (html_tokenizer.h), and
// control characters other than tabs and line ends are left out. What a line end or a
// lone blank means is the document builder's to decide: line ends are handed to it.
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
void ClearHtmlToken(HtmlTokenizer* t);

// Reads a tag whose "<" is consumed, or takes text as the tag when it is not empty. Fills
// the word (its "/" removed, end tag flagged), the attribute text and the tag flags; a
// begin tag of raw text not self-closed sets t->rawTextEnd. A comment gives
// HtmlToken::Comment with word length 0.
HtmlToken ReadHtmlTagToken(HtmlCtx* ctx, HtmlTokenizer* t, const char* text);

// Adds text to run up to what ends it (HtmlTextEnd). A "<" that opens no tag is text; an
// "&" is never cut at the run's end.
HtmlTextEnd ReadHtmlText(HtmlCtx* ctx, HtmlTokenizer* t, HtmlTextRun& run);

}
