// The entity table against libxml2's own entity lookup, and UTF-8 pages turned into the
// Windows-1252 text the reader takes, against the system's converter.
#include "addon/convert/html_charset.h"
#include "addon/convert/html_entities.h"

#include <libxml/HTMLparser.h>

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstring>

#include <string>
#include <vector>

using namespace ks::addon;

namespace {

// text converted by iconv; empty when it cannot be.
std::string convert(const char* to, const char* from, const std::string& text)
{
    iconv_t cd = iconv_open(to, from);
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    char* put = out.data();
    std::size_t inLeft = text.size(), outLeft = out.size();
    bool done = iconv(cd, &in, &inLeft, &put, &outLeft) != std::size_t(-1);
    iconv_close(cd);
    return done ? out.substr(0, out.size() - outLeft) : std::string();
}

std::string utf8(char32_t c)
{
    std::u32string one(1, c);
    return convert("UTF-8", "UTF-32LE", std::string(reinterpret_cast<const char*>(one.data()), 4));
}

// The names libxml2 knows, each with its character: asked of it one character at a time.
std::vector<std::pair<std::string, char32_t>> libxml2Entities()
{
    std::vector<std::pair<std::string, char32_t>> all;
    for (char32_t c = 1; c < 0x10000; ++c)
        if (const htmlEntityDesc* e = htmlEntityValueLookup(c))
            all.emplace_back(reinterpret_cast<const char*>(e->name), e->value);
    return all;
}

}

TEST(HtmlEntities, EveryHtml4NameIsKnownWithItsWindows1252CharacterOrKept)
{
    auto all = libxml2Entities();
    ASSERT_GE(all.size(), 252u);
    int known = 0;
    for (const auto& [name, character] : all) {
        SCOPED_TRACE(name);
        // libxml2 also knows XHTML's "apos", which HTML 4 lacks.
        if (name == "apos")
            continue;
        ++known;
        EXPECT_EQ(HtmlEntityCodePoint(name.data(), name.size()), character);
        const htmlEntityDesc* back = htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str()));
        ASSERT_TRUE(back);
        std::string windows = convert("CP1252", "UTF-8", utf8(character));
        int expected = name == "nbsp" ? ' ' : windows.size() == 1 ? static_cast<unsigned char>(windows[0]) : kKeptReference;
        EXPECT_EQ(HtmlEntityCharacter(name.data(), name.size()), expected);
        if (const char* ours = HtmlEntityName(character)) {
            EXPECT_EQ(HtmlEntityCodePoint(ours, std::strlen(ours)), character) << "the name given for a character";
        }
    }
    EXPECT_EQ(known, 252);
    EXPECT_EQ(HtmlEntityCodePoint("Rarr", 4), 0u) << "names are exact";
    EXPECT_EQ(HtmlEntityCharacter("Rarr", 4), kKeptReference) << "an unknown name is kept as written";
    EXPECT_EQ(HtmlEntityCharacter("r-a", 3), kNoReference) << "names are letters and digits";
}

TEST(HtmlCharset, DeclaredOrUndeclaredUtf8PagesAreFoundAndOthersAreNot)
{
    const std::string e = "caf\xC3\xA9";   // UTF-8
    const std::string latin = "caf\xE9";
    struct Case {
        std::string page;
        bool utf8;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF<p>" + latin, true},
        {"<meta charset=\"utf-8\"><p>" + latin, true},
        {"<META HTTP-EQUIV=Content-Type CONTENT='text/html; Charset=UTF8'><p>x", true},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><html><p>x", true},
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\"><p>" + e, false},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><p>" + e, false},
        {"<p>" + e + " \xE2\x80\x94 \xF0\x9F\x98\x80", true},
        {"<p>" + latin, false},
        {"<p>\xC0\xAF overlong", false},
        {"<p>\xED\xA0\x80 surrogate", false},
        {"<p>" + e.substr(0, 4), false},
        {"<p>plain", false},
        {"<body><meta charset=utf-8><p>" + latin, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUtf8Page(c.page), c.utf8) << c.page;
}

TEST(HtmlCharset, Utf8BecomesWindows1252AndOtherCharactersTheirReferences)
{
    // Every character of the first planes, against iconv's Windows-1252.
    for (char32_t c = 0x80; c < 0x3000; ++c) {
        std::string ours = Utf8PageToWindows1252(utf8(c));
        std::string windows = convert("CP1252", "UTF-8", utf8(c));
        if (windows.size() == 1) {
            ASSERT_EQ(ours, windows) << unsigned(c);
            continue;
        }
        // A kept reference names the same character.
        ASSERT_EQ(ours.front(), '&') << unsigned(c);
        ASSERT_EQ(ours.back(), ';') << unsigned(c);
        std::string name = ours.substr(1, ours.size() - 2);
        char32_t named = name[0] == '#' ? char32_t(std::stoul(name.substr(1))) : HtmlEntityCodePoint(name.data(), name.size());
        ASSERT_EQ(named, c) << ours;
    }
    EXPECT_EQ(Utf8PageToWindows1252("\xEF\xBB\xBF" "a\xE2\x86\x92" "b\xF0\x9F\x98\x80"), "a&rarr;b&#128512;");
    EXPECT_EQ(Utf8PageToWindows1252("bad \xE9 byte \xC3"), "bad \xE9 byte \xC3") << "no UTF-8: read as Windows-1252";
}

TEST(HtmlEntities, TextGivenBackKeepsTheReferencesWhereTheUserLeftThem)
{
    const std::string kept = "a \x1A" "rarr; b \x1A#8594; c";   // shown as "a &rarr; b &#8594; c"
    struct Case {
        std::string shown, expected;
    };
    const Case cases[] = {
        {"a &rarr; b &#8594; c", kept},                                    // unchanged
        {"a &rarr; b &#8594; c and &rarr;", kept + " and &rarr;"},         // typed after
        {"new a &rarr; b &#8594; c", "new " + kept},                       // typed before
        {"a &rarr; X &#8594; c", "a \x1A" "rarr; X \x1A#8594; c"},         // typed between
        {"a &rar; b &#8594; c", "a &rar; b \x1A#8594; c"},                  // typed into one
        {"a &rarr;", "a \x1A" "rarr;"},                                      // what follows cut off
        {"a &ra", "a &ra"},                                                  // cut into
        {"", ""},
        {"&rarr;", "&rarr;"},                                                // all typed anew
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeepReferences(c.shown, kept), c.expected) << c.shown;
        EXPECT_EQ(ShownText(KeepReferences(c.shown, kept)), c.shown) << "what is kept shows as given";
    }
    EXPECT_EQ(KeepReferences("x &rarr;", ""), "x &rarr;") << "nothing was kept: all is text";
}
