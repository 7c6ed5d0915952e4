#include "addon/convert/html_words.h"

#include "addon/base/text_utils.h"
#include "addon/convert/html_input.h"

#include <algorithm>
#include <cstring>

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

// A "<" that starts a tag: followed by "/", "!", "?" or a letter.
bool opensTag(HtmlCtx* ctx, HtmlTokenizer* t)
{
    if (!GetHtmlChar(ctx, t))
        return false;
    char next = t->current;
    PushHtmlChar(ctx, t);
    return next == '/' || next == '!' || next == '?' || isLetter(next);
}

}

void ClearHtmlToken(HtmlTokenizer* t)
{
    t->beginTag = t->endTag = t->tag = 0;
    t->word[0] = t->attributes[0] = 0;
    t->wordLength = 0;
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

HtmlTextEnd ReadHtmlText(HtmlCtx* ctx, HtmlTokenizer* t, HtmlTextRun& run)
{
    while (run.length < kHtmlMostRunLength) {
        run.length += TakeHtmlRun(t, run.text + run.length, kHtmlMostRunLength - run.length, kTextStops);
        if (run.length >= kHtmlMostRunLength)
            break;
        if (!GetHtmlChar(ctx, t))
            return HtmlTextEnd::InputEnded;
        char c = t->current;
        if (isDroppedControl(c))
            continue;
        if (c == '<') {
            if (run.length > 0) {
                PushHtmlChar(ctx, t);
                return HtmlTextEnd::Word;
            }
            if (!opensTag(ctx, t)) {
                run.text[run.length++] = '<';
                continue;
            }
            return HtmlTextEnd::TagOpens;
        }
        if (isLineEnd(c))
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
