#pragma once
// The document builder's word reader over the tokenizer (addon/convert/html_words.h): a
// begin tag flushes the pending text and opens a group; text runs follow the blank rules
// (line ends become blanks or nothing, line breaks inside "pre", lone blanks that part no
// words are dropped) and have their entities decoded.
#include "addon/core/html_reader.h"

namespace ks::addon {

// Reads a tag whose "<" is consumed, or takes text as the tag when it is not empty.
// Fills the token (word, attribute text, tag flags); a begin tag flushes the pending
// text (r->flush) and opens a group, which a self-closed tag ("/>") leaves to the caller
// to close (selfClosing). A comment gives 1 with word length 0 and no group.
// 0 when the flush fails or the group table is full.
int GetHtmlWord(HtmlCtx* ctx, HtmlReader* r, const char* text);

// The next tag or text word; 0 at the end of the input or on a failure of GetHtmlWord.
int NextHtmlWord(HtmlCtx* ctx, HtmlReader* r);

// Reads words until an end tag leaves the current group below the one current at the
// call (0), or until the input ends (1). Each end tag closes one group.
int SkipGroup(HtmlCtx* ctx, HtmlReader* r);

}
