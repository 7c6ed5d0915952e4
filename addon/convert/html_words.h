#pragma once
// The word reader: the document builder's side of the tokenizer (html_tokenizer.h). It
// cuts the input into tags and text words: comments are dropped, the raw text of
// "script" and "style" is no text, line ends become spaces (line breaks inside "pre"),
// and entities are decoded.
#include "addon/convert/html_reader.h"

namespace ks::addon {

// Reads a tag whose "<" is consumed, or takes text as the tag when it is not empty.
// Fills the word, the attribute text and the tag flags; a begin tag flushes the pending
// text (r->flush) and opens a group, which a self-closed tag ("/>") leaves to the caller
// to close (r->selfClosing). A comment gives 1 with word length 0 and no group.
// 0 when the flush fails or the group table is full.
int GetHtmlWord(HtmlCtx* ctx, HtmlReader* r, const char* text);

// The next tag or text word; 0 at the end of the input or on a failure of GetHtmlWord.
int NextHtmlWord(HtmlCtx* ctx, HtmlReader* r);

// Reads words until an end tag leaves the current group below the one current at the
// call (0), or until the input ends (1). Each end tag closes one group.
int SkipGroup(HtmlCtx* ctx, HtmlReader* r);

}
