#include "addon/convert/html_tokenizer.h"

#include "addon/convert/html_input.h"

#include <cstring>
#include <strings.h>

namespace ks::addon {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Control characters other than blanks are left out of tags: some are the editor's codes.
bool isDroppedControl(char c)
{
    auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && !isBlank(c)) || u == 0x7F;
}

// The tag's name, filled to at most 300 characters.
struct TagName {
    char* text;
    int length = 0;
    void put(char c)
    {
        if (length < kHtmlTextSize)
            text[length++] = c;
    }
    bool is(const char* s) const { return length == int(std::strlen(s)) && std::memcmp(text, s, std::size_t(length)) == 0; }
    void close() { text[length] = 0; }
};

// The attribute text, each attribute whole: one that would take the text past
// kHtmlAttributeTextMost is left out entirely (a cut address would lead elsewhere), and
// the attributes after it are still taken when they fit.
class AttributeText {
public:
    explicit AttributeText(std::string& text) : text_(text) {}

    // Where the next attribute begins (before the blank that parts it from the last).
    void startAttribute()
    {
        start_ = text_.size();
        dropping_ = false;
    }
    // Called for every character of a tag: the common case is a push_back.
    [[gnu::always_inline]] void put(char c)
    {
        if (!dropping_ && text_.size() < kHtmlAttributeTextMost) [[likely]]
            text_.push_back(c);
        else
            drop();
    }
    void append(const char* chars, std::size_t count)
    {
        if (!dropping_ && text_.size() + count <= kHtmlAttributeTextMost)
            text_.append(chars, count);
        else
            drop();
    }
    bool empty() const { return text_.empty(); }

private:
    [[gnu::cold]] void drop()
    {
        if (!dropping_)
            text_.resize(start_);
        dropping_ = true;
    }

    std::string& text_;
    std::size_t start_ = 0;
    bool dropping_ = false;
};

constexpr HtmlStops kDoubleQuoteStops{"\""};
constexpr HtmlStops kSingleQuoteStops{"'"};
constexpr HtmlStops kUnquotedStops{" >"};
constexpr HtmlStops kCommentStops{">"};

class TagReader {
public:
    TagReader(HtmlCtx* ctx, HtmlTokenizer* t) : ctx_(ctx), t_(t), name_{t->word}, attributes_(t->attributes) {}

    HtmlToken read()
    {
        while (state_ != HtmlTagState::Done) {
            takeStretch();
            if (!GetHtmlChar(ctx_, t_))
                break;
            char c = t_->current;
            if (isDroppedControl(c))
                continue;
            if (state_ == HtmlTagState::BogusComment) {
                if (c == '>')
                    return HtmlToken::Comment;
                continue;
            }
            if (state_ == HtmlTagState::Comment) {
                if (c == '>' && last_ == '-' && beforeLast_ == '-')
                    return HtmlToken::Comment;
                remember(c);
                continue;
            }
            step(c);
        }
        name_.close();
        t_->wordLength = name_.length;
        return HtmlToken::Tag;
    }

private:
    // Stretches with no character of interest go in whole: quoted values, comments.
    void takeStretch()
    {
        const HtmlStops* stops = state_ == HtmlTagState::ValueDoubleQuoted ? &kDoubleQuoteStops
                               : state_ == HtmlTagState::ValueSingleQuoted ? &kSingleQuoteStops
                               : state_ == HtmlTagState::ValueUnquoted     ? &kUnquotedStops
                               : state_ == HtmlTagState::Comment           ? &kCommentStops
                                                                           : nullptr;
        if (!stops)
            return;
        std::string_view stretch = TakeHtmlStretch(t_, int(kHtmlAttributeTextMost), *stops);
        std::size_t n = stretch.size();
        if (n == 0)
            return;
        if (state_ != HtmlTagState::Comment)
            attributes_.append(stretch.data(), n);
        beforeLast_ = n >= 2 ? stretch[n - 2] : last_;
        last_ = stretch[n - 1];
    }

    void remember(char c)
    {
        beforeLast_ = last_;
        last_ = c;
    }

    // A new attribute's first character: one blank parts it from the one before.
    void startAttribute(char c)
    {
        attributes_.startAttribute();
        if (!attributes_.empty() && blankSeen_)
            attributes_.put(' ');
        blankSeen_ = false;
        attributes_.put(c);
        state_ = HtmlTagState::AttributeName;
    }

    void step(char c)
    {
        remember(c);
        switch (state_) {
        case HtmlTagState::TagName: return tagName(c);
        case HtmlTagState::BeforeAttributeName: return beforeAttributeName(c);
        case HtmlTagState::AttributeName: return attributeName(c);
        case HtmlTagState::AfterAttributeName: return afterAttributeName(c);
        case HtmlTagState::BeforeAttributeValue: return beforeAttributeValue(c);
        case HtmlTagState::ValueDoubleQuoted: return quotedValue(c, '"');
        case HtmlTagState::ValueSingleQuoted: return quotedValue(c, '\'');
        case HtmlTagState::ValueUnquoted: return unquotedValue(c);
        case HtmlTagState::SelfClosing: return selfClosing(c);
        default: return;
        }
    }

    void tagName(char c)
    {
        if (isBlank(c)) {
            // "</ p>" is no end tag but a comment, as browsers read it.
            if (name_.is("/"))
                state_ = HtmlTagState::BogusComment;
            else if (name_.length > 0)
                enterBlank(HtmlTagState::BeforeAttributeName);
            return;
        }
        if (c == '>') {
            state_ = HtmlTagState::Done;
            return;
        }
        if (c == '/' && name_.length > 0) {
            state_ = HtmlTagState::SelfClosing;
            return;
        }
        name_.put(c);
        if (name_.is("!--"))
            state_ = HtmlTagState::Comment;
    }

    void enterBlank(HtmlTagState next)
    {
        blankSeen_ = true;
        state_ = next;
    }

    void beforeAttributeName(char c)
    {
        if (isBlank(c)) {
            blankSeen_ = true;
            return;
        }
        if (c == '>')
            state_ = HtmlTagState::Done;
        else if (c == '/')
            state_ = HtmlTagState::SelfClosing;
        else
            startAttribute(c);
    }

    void attributeName(char c)
    {
        if (isBlank(c))
            enterBlank(HtmlTagState::AfterAttributeName);
        else if (c == '>')
            state_ = HtmlTagState::Done;
        else if (c == '/')
            state_ = HtmlTagState::SelfClosing;
        else if (c == '=')
            equals();
        else
            attributes_.put(c);
    }

    void afterAttributeName(char c)
    {
        if (isBlank(c))
            return;
        if (c == '=') {
            // "href = x" is one attribute.
            blankSeen_ = false;
            equals();
            return;
        }
        beforeAttributeName(c);
    }

    void equals()
    {
        attributes_.put('=');
        state_ = HtmlTagState::BeforeAttributeValue;
    }

    void beforeAttributeValue(char c)
    {
        if (isBlank(c))
            return;
        if (c == '>') {
            state_ = HtmlTagState::Done;
            return;
        }
        attributes_.put(c);
        state_ = c == '"'    ? HtmlTagState::ValueDoubleQuoted
               : c == '\'' ? HtmlTagState::ValueSingleQuoted
                             : HtmlTagState::ValueUnquoted;
    }

    // Line ends inside a quoted value are nothing, tabs blanks.
    void quotedValue(char c, char quote)
    {
        if (isLineEnd(c))
            return;
        attributes_.put(c == '\t' ? ' ' : c);
        if (c == quote)
            state_ = HtmlTagState::BeforeAttributeName;
    }

    // A bare value holds a "/": "href=http://x/>" is no self-closed tag.
    void unquotedValue(char c)
    {
        if (isBlank(c))
            enterBlank(HtmlTagState::BeforeAttributeName);
        else if (c == '>')
            state_ = HtmlTagState::Done;
        else
            attributes_.put(c);
    }

    void selfClosing(char c)
    {
        if (c == '>') {
            t_->selfClosing = 1;
            state_ = HtmlTagState::Done;
            return;
        }
        state_ = HtmlTagState::BeforeAttributeName;
        beforeAttributeName(c);
    }

    HtmlCtx* ctx_;
    HtmlTokenizer* t_;
    TagName name_;
    AttributeText attributes_;
    HtmlTagState state_ = HtmlTagState::TagName;
    char last_ = 0, beforeLast_ = 0;
    bool blankSeen_ = false;   // a blank came since the last attribute: the next is parted by one
};

// The characters after a "<" in raw text: the end tag of the element when they match.
bool endTagFollows(HtmlCtx* ctx, HtmlTokenizer* t, const char* element)
{
    const int length = int(std::strlen(element));
    char seen[16]{};
    int count = 0;
    while (count < length + 2 && GetHtmlChar(ctx, t))
        seen[count++] = t->current;
    bool match = count >= length + 1 && seen[0] == '/' && strncasecmp(seen + 1, element, std::size_t(length)) == 0 &&
                 (count == length + 1 || isBlank(seen[length + 1]) || seen[length + 1] == '>' ||
                  seen[length + 1] == '/');
    while (count > 0) {
        t->current = seen[--count];
        PushHtmlChar(ctx, t);
    }
    return match;
}

constexpr HtmlStops kRawTextStops{"<"};

}

HtmlToken ReadHtmlTag(HtmlCtx* ctx, HtmlTokenizer* t)
{
    t->selfClosing = 0;
    return TagReader(ctx, t).read();
}

const char* HtmlRawTextElement(const char* name)
{
    // Asked of every begin tag: most begin with another letter.
    if ((name[0] | 0x20) != 's')
        return nullptr;
    if (strcasecmp(name, "script") == 0)
        return "script";
    if (strcasecmp(name, "style") == 0)
        return "style";
    return nullptr;
}

bool SkipHtmlRawText(HtmlCtx* ctx, HtmlTokenizer* t)
{
    for (;;) {
        while (TakeHtmlRun(t, nullptr, kHtmlTextSize, kRawTextStops) > 0) {
        }
        if (!GetHtmlChar(ctx, t))
            return false;
        if (t->current == '<' && endTagFollows(ctx, t, t->rawTextEnd)) {
            t->rawTextEnd = nullptr;
            return true;
        }
    }
}

}
