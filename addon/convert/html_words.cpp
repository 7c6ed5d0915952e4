#include "addon/convert/html_words.h"

#include "addon/base/text_utils.h"

#include <algorithm>
#include <cstring>

namespace ks::addon {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}

bool HtmlTagFollows(HtmlCtx* ctx, HtmlTokenizer* t)
{
    if (!GetHtmlChar(ctx, t))
        return false;
    char next = t->current;
    PushHtmlChar(ctx, t);
    return next == '/' || next == '!' || next == '?' || isLetter(next);
}

HtmlToken ReadHtmlTagToken(HtmlCtx* ctx, HtmlTokenizer* t, const char* text)
{
    t->word[0] = t->attributes[0] = 0;
    t->tag = 1;
    t->selfClosing = 0;
    if (text && *text) {
        std::size_t n = std::min(std::strlen(text), std::size_t(kHtmlTextSize));
        std::memcpy(t->word, text, n);
        t->word[n] = 0;
    } else if (ReadHtmlTag(ctx, t) == HtmlToken::Comment) {
        t->word[0] = t->attributes[0] = 0;
        t->wordLength = 0;
        t->tag = 0;
        return HtmlToken::Comment;
    }
    TrimString(t->word);
    TrimString(t->attributes);
    if (t->word[0] == '/') {
        t->endTag = 1;
        TrimLeft(t->word + 1);
        std::memmove(t->word, t->word + 1, std::strlen(t->word + 1) + 1);
    } else {
        t->beginTag = 1;
    }
    t->wordLength = static_cast<std::int32_t>(std::strlen(t->word));
    if (t->beginTag && !t->selfClosing)
        t->rawTextEnd = HtmlRawTextElement(t->word);
    return HtmlToken::Tag;
}

}
