#pragma once
// The tokenizer's state for one HTML read: the input (a file read in 300-byte blocks, or a
// memory block), the push-back stack, and the token last read (a tag's name and attribute
// text, or a text word). It knows nothing of the document the tokens build.
#include <cstdint>
#include <cstdio>
#include <string>

namespace ks::addon {

struct HtmlCtx;   // where failures are reported

inline constexpr int kHtmlTextSize = 300;      // a word, a run, a tag's name
// A tag's attribute text: real pages carry links, picture sources and ids of thousands of
// characters. The bound only guards against a page that is nothing but one tag.
inline constexpr std::size_t kHtmlAttributeTextMost = 64 * 1024;

// What a line end inside a text run becomes until the run is decoded: a control
// character, which the word reader never takes from the page.
inline constexpr char kHtmlLineEndMark = 0x15;

struct HtmlTokenizer {
    // Input: a file, or a memory block (length < 0: no bound).
    std::FILE* file = nullptr;
    const char* memory = nullptr;
    std::int32_t memoryLength = 0;
    std::int32_t memoryPos = 0;
    std::int32_t inputFailed = 0;       // a file read failed: the input ends there

    char block[kHtmlTextSize]{};
    std::int32_t blockFill = 0, blockPos = 0;

    char current = 0;
    char pushStack[kHtmlTextSize]{};
    std::int32_t pushCount = 0;
    std::uint32_t position = 0;         // characters consumed, less those pushed back
    std::int32_t endOfInput = 0;

    // The token: a tag (tag set, beginTag or endTag) or a text word.
    char word[kHtmlTextSize + 1]{};
    std::string attributes;             // at most kHtmlAttributeTextMost characters
    std::int32_t wordLength = 0;
    std::int32_t beginTag = 0, endTag = 0, tag = 0;
    std::int32_t selfClosing = 0;       // the tag ended with "/>"
    const char* rawTextEnd = nullptr;   // inside "script" or "style": the element whose end tag ends it
};

}
