#pragma once
// The tag tokenizer: after a "<" that opens a tag, reads the tag, comment or declaration
// through the states of HTML's tokenizer, and passes over the raw text of "script" and
// "style". It fills the tokenizer's token (word, attributes, selfClosing) and opens nothing:
// the document builder (addon/core/html_builder_words.cpp) decides what a token opens.
#include "addon/convert/html_tokenizer_state.h"

namespace ks::addon {

enum class HtmlTagState {
    TagName,
    BeforeAttributeName,
    AttributeName,
    AfterAttributeName,
    BeforeAttributeValue,
    ValueDoubleQuoted,
    ValueSingleQuoted,
    ValueUnquoted,
    SelfClosing,
    Comment,
    BogusComment,   // "</ p>": up to the next ">", no tag
    Done,
};

enum class HtmlToken { Tag, Comment };

// Reads the tag whose "<" is consumed: its name into t->word ("/" first for an end tag),
// at most 300 characters, the rest read and dropped; its attribute text into
// t->attributes (as written, one blank between attributes, line ends inside quoted values
// left out), each attribute whole: one that would take the text past
// kHtmlAttributeTextMost characters is read and left out. A quoted value is read whole,
// whatever it holds; "/>" sets t->selfClosing. The input's end ends the tag.
HtmlToken ReadHtmlTag(HtmlCtx* ctx, HtmlTokenizer* t);

// The element whose content is raw text, up to its own end tag ("script", "style"), or null.
const char* HtmlRawTextElement(const char* name);

// Passes over raw text up to the "<" of the end tag of t->rawTextEnd, which it consumes
// and clears; false when the input ends first.
bool SkipHtmlRawText(HtmlCtx* ctx, HtmlTokenizer* t);

}
