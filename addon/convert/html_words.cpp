#include "addon/convert/html_words.h"

#include "addon/base/text_utils.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace ks::addon {
namespace {

// A tag given as text: blanks around the name, and after an end tag's "/", are no part of it.
void takeTagText(HtmlTokenizer* t, const char* text)
{
    std::size_t n = std::min(std::strlen(text), std::size_t(kHtmlTextSize));
    std::memcpy(t->word, text, n);
    t->word[n] = 0;
    TrimString(t->word);
    if (t->word[0] == '/')
        TrimLeft(t->word + 1);
    t->wordLength = static_cast<std::int32_t>(std::strlen(t->word));
}

void trimRight(std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    text.resize(end);
}

}

HtmlToken ReadHtmlTagToken(HtmlCtx* ctx, HtmlTokenizer* t, const char* text)
{
    t->word[0] = 0;
    t->attributes.clear();
    t->tag = 1;
    t->selfClosing = 0;
    if (text && *text) {
        takeTagText(t, text);
    } else if (ReadHtmlTag(ctx, t) == HtmlToken::Comment) {
        t->word[0] = 0;
        t->attributes.clear();
        t->wordLength = 0;
        t->tag = 0;
        return HtmlToken::Comment;
    }
    // The tag states put no blank into a name ("</ p>" is no tag) nor before the first
    // attribute; a value never closed may end with one.
    trimRight(t->attributes);
    if (t->word[0] == '/') {
        t->endTag = 1;
        std::memmove(t->word, t->word + 1, std::size_t(t->wordLength));   // with the zero
        --t->wordLength;
    } else {
        t->beginTag = 1;
    }
    if (t->beginTag && !t->selfClosing)
        t->rawTextEnd = HtmlRawTextElement(t->word);
    return HtmlToken::Tag;
}

}
