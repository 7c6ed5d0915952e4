#include "addon/base/message_sink.h"
#include "addon/base/print_error.h"
#include "addon/convert/html_attributes.h"
#include "addon/convert/html_output.h"
#include "addon/convert/html_tokenizer_state.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace ks::addon;
namespace fs = std::filesystem;

namespace {

// Texts of 1 to limit characters, each drawn by pick from the next of a fixed series of numbers.
struct TextMaker {
    unsigned seed;
    template <class Pick>
    std::string make(unsigned limit, Pick pick)
    {
        std::string t;
        for (unsigned size = 1 + seed % limit; t.size() < size;) {
            seed = seed * 1103515245 + 12345;
            t += pick(seed >> 16);
        }
        return t;
    }
};

class HtmlOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageSink([this](const AddonMessage& m) { boxes.push_back(m.text); });
        ctx = std::make_unique<HtmlCtx>();
        out = NewHtmlOutput(ctx.get(), kOutputMemory);
        ASSERT_NE(out, nullptr);
    }
    void TearDown() override
    {
        FreeHtmlOutput(out);
        setMessageSink({});
        ks::win::setGlobalBlockLimit(ks::win::kDefaultGlobalBlockLimit);
    }
    // What has been written, the unflushed line included.
    std::string written()
    {
        EXPECT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
        return std::string(HtmlOutputText(*out));
    }
    void text(const std::string& t) { ASSERT_EQ(PutText(ctx.get(), *out, t), 1); }
    void raw(const std::string& t) { ASSERT_EQ(PutString(ctx.get(), *out, t), 1); }
    std::vector<std::string> lines()
    {
        std::vector<std::string> result;
        std::string all = written();
        for (std::size_t at = 0; at < all.size();) {
            std::size_t end = all.find("\r\n", at);
            result.push_back(all.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end == std::string::npos ? all.size() : end + 2;
        }
        return result;
    }

    std::unique_ptr<HtmlCtx> ctx;
    HtmlOutput* out = nullptr;
    std::vector<std::string> boxes;
};

std::string words(int count)
{
    std::string t;
    for (int i = 0; i < count; ++i)
        t += "word" + std::to_string(i % 10) + " ";
    return t;
}

}

TEST_F(HtmlOutputTest, TextBreaksAfterABlankOnceALineHasReachedAHundred)
{
    text(words(40));   // 6 characters a word
    auto l = lines();
    ASSERT_GE(l.size(), 2u);
    for (std::size_t i = 0; i + 1 < l.size(); ++i) {
        EXPECT_EQ(l[i].size(), 102u) << "17 words reach 102 characters: the break follows their blank";
        EXPECT_EQ(l[i].back(), ' ');
    }
    std::string joined;
    for (auto& s : l)
        joined += s;
    EXPECT_EQ(joined, words(40));
}

TEST_F(HtmlOutputTest, ATagIsNeverBrokenInsideItsNameButAttributesMayMoveToTheNextLine)
{
    for (int i = 0; i < 12; ++i)
        ASSERT_EQ(PutTag(ctx.get(), *out, "blockquote", true, false), 1);
    std::string all = written();
    EXPECT_EQ(all.find("\r\n"), all.size() - 2) << "tags alone only break at 300 characters";

    FreeHtmlOutput(out);
    out = NewHtmlOutput(ctx.get(), kOutputMemory);
    raw(std::string(98, 'x') + " ");
    ASSERT_EQ(PutTagOpen(ctx.get(), *out, "table"), 1);
    ASSERT_EQ(PutAttr(ctx.get(), *out, "border", nullptr), 1);
    ASSERT_EQ(PutAttrInt(ctx.get(), *out, "width", 120), 1);
    ASSERT_EQ(PutTagEnd(ctx.get(), *out, true), 1);
    auto l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], std::string(98, 'x') + " <table ") << "the break falls after the blank before an attribute";
    EXPECT_EQ(l[1], "border width=120>");
}

// Read back, a line end is a blank: inside a word the breaks send the line out without one.
TEST_F(HtmlOutputTest, BackslashesEntitiesAndTheHardLimitEachBreakAtTheirLength)
{
    raw(std::string(150, 'a') + "\\b");
    auto l = lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0], std::string(150, 'a') + "\\b") << "the break at the backslash adds no line end";

    FreeHtmlOutput(out);
    out = NewHtmlOutput(ctx.get(), kOutputMemory);
    raw(std::string(149, 'a') + " \\b");
    l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], std::string(149, 'a') + " ") << "after a blank the break is a line end";
    EXPECT_EQ(l[1], "\\b");

    FreeHtmlOutput(out);
    out = NewHtmlOutput(ctx.get(), kOutputMemory);
    raw(std::string(281, 'a'));
    text("<");
    l = lines();
    ASSERT_EQ(l.size(), 1u) << "an entity past 280 continues the word";
    EXPECT_EQ(l[0], std::string(281, 'a') + "&lt;");

    FreeHtmlOutput(out);
    out = NewHtmlOutput(ctx.get(), kOutputMemory);
    raw(std::string(280, 'a'));
    text("<");
    l = lines();
    EXPECT_EQ(l.size(), 1u) << "at 280 the entity still fits";

    FreeHtmlOutput(out);
    out = NewHtmlOutput(ctx.get(), kOutputMemory);
    raw(std::string(301, 'z'));
    l = lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0], std::string(301, 'z')) << "past the limit the word goes on";
}

// PutText copies runs and entities into the line whole where it can; what it writes must
// be what the character rule (PutTextChar) writes one character at a time, wherever the
// line stands against its break lengths, inside "pre" or not.
TEST_F(HtmlOutputTest, TextWrittenAtOnceIsTextWrittenCharacterByCharacter)
{
    const char alphabet[] = {'a', 'b', ' ', ' ', ' ', '<', '&', '"', '\\', 'z', '\xE9', '\xB0', '\x0E', 'x', ' ', 'q'};
    const int prefixes[] = {0, 1, 93, 99, 100, 101, 150, 275, 279, 280, 281, 295, 299};
    TextMaker maker{7};
    for (int round = 0; round < 60; ++round)
        for (int prefix : prefixes)
            for (int pre = 0; pre < 2; ++pre) {
                // Long plain stretches and long runs of blanks as well as mixed text.
                int mode = (round / 20) % 3;
                std::string t = maker.make(700, [&](unsigned n) {
                    return mode == 0 ? alphabet[n % sizeof alphabet] : mode == 1 ? n % 9 ? 'p' : ' ' : n % 9 ? ' ' : 'n';
                });
                std::string expected, got;
                for (bool atOnce : {false, true}) {
                    FreeHtmlOutput(out);
                    out = NewHtmlOutput(ctx.get(), kOutputMemory);
                    out->pre = pre;
                    raw(std::string(std::size_t(prefix), 'w'));
                    if (atOnce) {
                        text(t);
                    } else {
                        char previous = 0;
                        for (char c : t) {
                            ASSERT_EQ(PutTextChar(ctx.get(), *out, c, previous), 1);
                            previous = c;
                        }
                    }
                    (atOnce ? got : expected) = written();
                }
                ASSERT_EQ(got, expected) << "prefix " << prefix << " pre " << pre << " text \"" << t << "\"";
            }
}

// PutString copies what no break rule can cut at once; what it writes must be what
// PutChar writes one character at a time, in a tag or in text, after an entity's "&" or not.
TEST_F(HtmlOutputTest, AStringWrittenAtOnceIsTheStringWrittenCharacterByCharacter)
{
    const char alphabet[] = {'a', 'b', ' ', ' ', '\\', 'z', '=', '"', 'x', ' ', 'q', 'r'};
    const int prefixes[] = {0, 1, 93, 99, 100, 101, 149, 150, 151, 275, 280, 281, 295, 299, 300};
    TextMaker maker{11};
    for (int round = 0; round < 40; ++round)
        for (int prefix : prefixes)
            for (int state = 0; state < 4; ++state) {
                std::string t = maker.make(400, [&](unsigned n) {
                    return round % 2 ? alphabet[n % sizeof alphabet] : n % 23 ? 'p' : ' ';
                });
                std::string expected, got;
                for (bool atOnce : {false, true}) {
                    FreeHtmlOutput(out);
                    out = NewHtmlOutput(ctx.get(), kOutputMemory);
                    raw(std::string(std::size_t(prefix), prefix % 2 ? 'w' : ' '));
                    out->inTag = state & 1;
                    out->entityStart = state >> 1;
                    if (atOnce) {
                        ASSERT_EQ(PutString(ctx.get(), *out, t), 1);
                    } else {
                        for (char c : t)
                            ASSERT_EQ(PutChar(ctx.get(), *out, c), 1);
                    }
                    out->inTag = 0;
                    (atOnce ? got : expected) = written();
                }
                ASSERT_EQ(got, expected) << "prefix " << prefix << " state " << state << " text \"" << t << "\"";
            }
}

TEST_F(HtmlOutputTest, TextCharactersBecomeEntities)
{
    text("a<b>c&d\"e");
    raw(" ");
    ASSERT_EQ(PutTextChar(ctx.get(), *out, char(0xB0), 'x'), 1);
    ASSERT_EQ(PutTextChar(ctx.get(), *out, char(233), 'x'), 1);
    ASSERT_EQ(PutTextChar(ctx.get(), *out, char(0x0E), 'x'), 1);
    ASSERT_EQ(PutTextChar(ctx.get(), *out, char(0xFF), 'x'), 1);
    EXPECT_EQ(written(), "a&lt;b&gt;c&amp;d&quot;e &deg;&#233;&nbsp;&#255;\r\n");
}

TEST_F(HtmlOutputTest, RunsOfBlanksKeepTheirWidthAndNoLineStartsWithABlank)
{
    text("  two at the start");
    ASSERT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
    text("one after text: a b");
    ASSERT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
    text("three:   c");
    EXPECT_EQ(written(), "&nbsp;&nbsp;two at the start\r\n"
                         "one after text: a b\r\n"
                         "three: &nbsp;&nbsp;c\r\n");
}

TEST_F(HtmlOutputTest, ABreakOnNbspContinuesThePhysicalLineWithoutIndentation)
{
    out->indent = 1;
    raw(std::string(281, 'a'));
    text("  ");   // the second blank is an entity past 280
    raw("z");
    std::string all = written();
    EXPECT_EQ(all, "    " + std::string(281, 'a') + " &nbsp;z\r\n")
        << "no line end and no blanks come between the text and its &nbsp;";
}

TEST_F(HtmlOutputTest, AttributeValuesAreQuotedSoTheyReadBackWhole)
{
    struct Case {
        const char* value;
        const char* expected;
    } cases[] = {
        {"120", " width=120"},
        {"a b", " width=\"a b\""},
        {"say\"hi\"", " width='say\"hi\"'"},
        {"a \"b\"", " width='a \"b\"'"},   // a blank before the quote: single quotes keep the value whole
        {"it's", " width=\"it's\""},
        {"a>b", " width=\"a>b\""},
        {"", " width=\"\""},
        {"it's \"x\"", " width=\"it's &quot;x&quot;\""},
        {"R&D", " width=\"R&amp;D\""},
    };
    for (const Case& c : cases) {
        FreeHtmlOutput(out);
        out = NewHtmlOutput(ctx.get(), kOutputMemory);
        ASSERT_EQ(PutAttr(ctx.get(), *out, "width", c.value), 1);
        EXPECT_EQ(written(), std::string(c.expected) + "\r\n") << c.value;
    }
}

TEST_F(HtmlOutputTest, EveryAttributeValueReadsBackAsItWasWritten)
{
    const char* values[] = {"plain", "a b", "it's \"x\"", "x>y", "'single'", "\"double\"", "R&D",
                            "&amp; stays &amp;", "a.cgi?x=1&y=2", "&quot;", "both ' and \" > &lt;"};
    for (const char* value : values) {
        FreeHtmlOutput(out);
        out = NewHtmlOutput(ctx.get(), kOutputMemory);
        ASSERT_EQ(PutAttr(ctx.get(), *out, "title", value), 1);
        std::string tag = written();
        tag.erase(tag.find_last_not_of("\r\n") + 1);
        std::string back;
        ASSERT_EQ(GetHtmlAttrib(ctx.get(), tag.c_str(), "title", back), 1) << tag;
        EXPECT_EQ(back, value) << "written as" << tag;
    }
}

TEST_F(HtmlOutputTest, ColoursAreHashRedGreenBlue)
{
    char buffer[8];
    EXPECT_STREQ(ColorToHtml(0xFF8000, buffer), "#0080ff");
    EXPECT_STREQ(ColorToHtml(0x0000FF, buffer), "#ff0000");
    EXPECT_STREQ(ColorToHtml(0xFFFFFFFF, buffer), "#ffffff") << "the high byte is not a colour";
}

TEST_F(HtmlOutputTest, TagsFlushAndLinesAreIndentedByTables)
{
    ASSERT_EQ(PutTag(ctx.get(), *out, "tr", true, true), 1);
    out->indent = 2;
    ASSERT_EQ(PutTag(ctx.get(), *out, "td", true, false), 1);
    raw("x");
    ASSERT_EQ(PutTag(ctx.get(), *out, "td", false, true), 1);
    EXPECT_EQ(written(), "<tr>\r\n        <td>x</td>\r\n");
    ASSERT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
    EXPECT_EQ(written(), "<tr>\r\n        <td>x</td>\r\n") << "an empty line writes nothing";
}

TEST_F(HtmlOutputTest, InsidePreOnlyLineBreaksEndLinesAndNothingIsIndented)
{
    out->indent = 1;
    raw("<pre>");
    out->pre = 1;
    ASSERT_EQ(PutTag(ctx.get(), *out, "b", true, true), 1);
    raw("one");
    ASSERT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
    raw(" still one");
    ASSERT_EQ(EndHtmlLine(ctx.get(), *out), 1);
    ASSERT_EQ(EndHtmlLine(ctx.get(), *out), 1);
    raw(std::string(120, 'p') + " " + std::string(120, 'q'));
    out->pre = 0;
    ASSERT_EQ(PutTag(ctx.get(), *out, "pre", false, true), 1);
    raw("after");
    EXPECT_EQ(written(), "    <pre><b>one still one\r\n"
                         "\r\n" +
                             std::string(120, 'p') + " " + std::string(120, 'q') + "</pre>\r\n"
                                                                                    "    after\r\n")
        << "a line end in pre is a line break: only EndHtmlLine writes one, for an empty line too";
}

TEST_F(HtmlOutputTest, TheBlockGrowsAndIsHandedOverWithItsLength)
{
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        raw("line " + std::to_string(i));
        ASSERT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
        expected += "line " + std::to_string(i) + "\r\n";
    }
    std::uint64_t length = 0;
    HGLOBAL block = TakeHtmlBlock(*out, &length);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(ks::win::GlobalLockCount(block), 0u) << "handed over unlocked";
    EXPECT_GE(GlobalSize(block), expected.size() + 1);
    auto* bytes = static_cast<const char*>(GlobalLock(block));
    EXPECT_EQ(std::string(bytes, length), expected);
    GlobalUnlock(block);
    GlobalFree(block);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HtmlOutputTest, APageTooLargeForMemoryFailsWithTheOutOfMemoryReport)
{
    ks::win::setGlobalBlockLimit(1000);
    int result = 1;
    for (int i = 0; i < 100 && result; ++i)
        result = PutString(ctx.get(), *out, std::string(60, 'x') + " ") && FlushHtmlLine(ctx.get(), *out);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Out of memory in FlushHtmlLine");
    EXPECT_EQ(ctx->lastError, kErrMemory);
    EXPECT_LE(out->used, out->capacity);
    std::string kept(HtmlOutputText(*out));
    EXPECT_EQ(kept.substr(0, 63), std::string(60, 'x') + " \r\n") << "what was written stays whole";
}

TEST_F(HtmlOutputTest, AFileIsSavedWholeOrTheOldOneStays)
{
    ks::test::TempDir temp;
    const fs::path& folder = temp.path();
    fs::path page = temp.write("page.htm", "old page");
    raw(std::string(5000, 'n'));
    ASSERT_EQ(FlushHtmlLine(ctx.get(), *out), 1);
    {
        ks::test::FullDisk full(100);
        EXPECT_EQ(SaveHtmlFile(ctx.get(), *out, page.c_str()), 0);
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Write Error (FlushHtmlLine(a))");
    EXPECT_EQ(ctx->lastError, kErrFile);
    EXPECT_EQ(temp.read("page.htm"), "old page");
    EXPECT_EQ(ks::test::folderListing(folder), "page.htm\n");

    boxes.clear();
    EXPECT_EQ(SaveHtmlFile(ctx.get(), *out, (folder / "missing" / "x.htm").c_str()), 0);
    EXPECT_EQ(SaveHtmlFile(ctx.get(), *out, folder.c_str()), 0);
    EXPECT_TRUE(boxes.empty()) << "a file that cannot be made gives 0 without a message";

    EXPECT_EQ(SaveHtmlFile(ctx.get(), *out, page.c_str()), 1);
    EXPECT_EQ(temp.read("page.htm"), std::string(HtmlOutputText(*out))) << "17 lines of 300 at most";
}
