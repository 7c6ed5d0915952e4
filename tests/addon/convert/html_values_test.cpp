// Attribute lookup, lengths in twips, colours and numeric character references.
#include "addon/convert/html_attributes.h"
#include "addon/convert/html_entities.h"

#include <QColor>

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

using namespace ks::addon;

namespace {

std::string attribute(const char* text, const char* name, int* found = nullptr)
{
    std::string value = "junk";
    int result = GetHtmlAttrib(nullptr, text, name, value);
    if (found)
        *found = result;
    return value;
}

// The Windows-1252 byte of a Unicode character by the system's converter; -1 when it has none.
int cp1252(char32_t character)
{
    iconv_t convert = iconv_open("CP1252", "UTF-32LE");
    char32_t in[1] = {character};
    char out[4];
    char* inPtr = reinterpret_cast<char*>(in);
    char* outPtr = out;
    std::size_t inLeft = 4, outLeft = 4;
    std::size_t done = iconv(convert, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(convert);
    return done == std::size_t(-1) || outLeft != 3 ? -1 : static_cast<unsigned char>(out[0]);
}

}

TEST(HtmlAttributes, NamesIgnoreCaseValuesMayBeQuotedAndTheFirstWins)
{
    const char* tag = "HREF = \"a b.htm\" name='it''s' Target=_top ismap width=50% href=second";
    EXPECT_EQ(attribute(tag, "href"), "a b.htm");
    EXPECT_EQ(attribute(tag, "NAME"), "it");
    EXPECT_EQ(attribute(tag, "target"), "_top");
    EXPECT_EQ(attribute(tag, "width"), "50%");
    int found = 0;
    EXPECT_EQ(attribute(tag, "ISMAP", &found), "");
    EXPECT_EQ(found, 1) << "present without a value";
    EXPECT_EQ(attribute(tag, "border", &found), "");
    EXPECT_EQ(found, 0);
    EXPECT_EQ(attribute("a=\"unclosed value", "a"), "unclosed value");
    EXPECT_EQ(attribute("a=", "a", &found), "");
    EXPECT_EQ(found, 1);
    EXPECT_EQ(attribute("", "a", &found), "");
    EXPECT_EQ(found, 0);
}

TEST(HtmlAttributes, NextAttribTellsHowMuchItTook)
{
    std::string name, value;
    const char* text = "  a=1   b c = 'x y' ";
    int used = NextHtmlAttrib(nullptr, text, name, value);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(value, "1");
    text += used;
    used = NextHtmlAttrib(nullptr, text, name, value);
    EXPECT_EQ(name, "b");
    EXPECT_EQ(value, "");
    text += used;
    used = NextHtmlAttrib(nullptr, text, name, value);
    EXPECT_EQ(name, "c");
    EXPECT_EQ(value, "x y");
    EXPECT_EQ(NextHtmlAttrib(nullptr, text + used, name, value), 0);
}

TEST(HtmlSizes, EveryUnitBecomesTwips)
{
    HtmlCtx ctx;
    ctx.pixelsX = 96;
    ctx.pixelsY = 120;
    struct Case {
        const char* text;
        bool horizontal, percent;
        int twips;
    };
    const Case cases[] = {
        {"10", true, false, 150},       {"10", false, false, 120},     {"5", true, false, 75},
        {"250", true, false, 3750},     {"250px", true, false, 3750},  {"12pt", true, false, 240},
        {"2pi", true, false, 480},      {"1in", true, false, 1440},    {"25mm", true, false, 1440},
        {"5cm", true, false, 2880},     {"3em", true, false, 720},     {"2IN", true, false, 2880},
        {"50%", true, true, -50},       {"0%", true, true, -1},        {"150%", true, true, -150},
        {"50%", true, false, 750},      {"7", true, false, 105},       {"", true, true, 0},
        {"abc", true, false, 0},        {"-20", true, false, -300},    {"99999999999", true, false, INT32_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseHtmlSize(&ctx, c.text, c.horizontal, c.percent), c.twips) << c.text;
}

TEST(HtmlColours, TheCssNamesAreKnownButNotTheirGraySpellings)
{
    const QStringList names = QColor::colorNames();
    int known = 0;
    for (const QString& name : names) {
        COLORREF ours = 0;
        if (!HtmlColorName(name.toLatin1().constData(), ours))
            continue;
        ++known;
        QColor theirs = QColor::fromString(name);
        EXPECT_EQ(ours, COLORREF(theirs.red() | theirs.green() << 8 | theirs.blue() << 16)) << name.toStdString();
        EXPECT_TRUE(HtmlColorName(name.toUpper().toLatin1().constData(), ours)) << "letter case is ignored";
    }
    EXPECT_EQ(known, 140);
    COLORREF unused;
    for (const char* gray : {"grey", "darkgray", "darkslategray", "dimgray", "lightgray", "lightslategray",
                             "slategray"})
        EXPECT_FALSE(HtmlColorName(gray, unused)) << gray;
    EXPECT_TRUE(HtmlColorName("gray", unused));
}

TEST(HtmlColours, HexadecimalValuesWithOrWithoutTheHash)
{
    EXPECT_EQ(GetHtmlColor(nullptr, "#FF0000"), 0x0000FFu);
    EXPECT_EQ(GetHtmlColor(nullptr, "ff0000"), 0x0000FFu);
    EXPECT_EQ(GetHtmlColor(nullptr, "#123456"), 0x563412u);
    EXPECT_EQ(GetHtmlColor(nullptr, "#1234"), 0x003412u) << "missing components are 0";
    EXPECT_EQ(GetHtmlColor(nullptr, "#f"), 0u);
    EXPECT_EQ(GetHtmlColor(nullptr, "Navy"), 0x800000u);
    EXPECT_EQ(GetHtmlColor(nullptr, "darkgray"), 0x0000DAu) << "not a name: read as digits, a letter adds nothing";
}

TEST(HtmlEntities, NumericReferencesGiveTheWindows1252CharacterOrAreKept)
{
    for (char32_t c = 32; c < 0x3000; ++c) {
        if (c == 127)
            continue;
        std::string name = "#" + std::to_string(unsigned(c));
        int ours = HtmlEntityCharacter(name.c_str(), name.size());
        int expected = c >= 0x80 && c < 0xA0 ? int(c) : cp1252(c);
        ASSERT_EQ(ours, expected < 0 ? kKeptReference : expected) << unsigned(c);
    }
    EXPECT_EQ(HtmlEntityCharacter("#x41", 4), 'A');
    EXPECT_EQ(HtmlEntityCharacter("#", 1), kNoReference) << "no digits: no reference";
    EXPECT_EQ(HtmlEntityCharacter("#9999999999999", 14), kKeptReference) << "no character: kept as written";
}
