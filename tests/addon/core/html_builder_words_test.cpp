// The builder's word reader: tags and text words as the document pass receives them.
#include "addon/core/html_builder_words.h"
#include "addon/base/message_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks::addon;

namespace {

// Reads a page from memory and lists its words: tags as "<name attrs>" or "</name>", text
// as it comes, a zero character as "\0".
class Words {
public:
    explicit Words(std::string page, std::uint32_t ctxFlags = 0) : page_(std::move(page))
    {
        ctx_.flags = ctxFlags;
        r_.tokenizer.memory = page_.data();
        r_.tokenizer.memoryLength = std::int32_t(page_.size());
        r_.groups = groups_.data();
        r_.fontStack = nullptr;
        r_.paraStart = 0;
    }
    HtmlReader& reader() { return r_; }
    HtmlCtx& ctx() { return ctx_; }
    // The next word, or "" at the end.
    std::string next()
    {
        if (!NextHtmlWord(&ctx_, &r_))
            return "";
        if (!r_.tokenizer.tag)
            return std::string(r_.tokenizer.word, std::size_t(r_.tokenizer.wordLength));
        std::string tag = r_.tokenizer.endTag ? "</" : "<";
        tag += r_.tokenizer.word;
        if (!r_.tokenizer.attributes.empty())
            tag += " " + r_.tokenizer.attributes;
        return tag + ">";
    }
    std::vector<std::string> all()
    {
        std::vector<std::string> words;
        for (std::string w = next(); !w.empty(); w = next())
            words.push_back(w);
        return words;
    }

private:
    std::string page_;
    HtmlCtx ctx_;
    HtmlReader r_;
    std::vector<HtmlGroup> groups_ = std::vector<HtmlGroup>(kHtmlGroupCount);
};

using List = std::vector<std::string>;

List words(const std::string& page) { return Words(page).all(); }

}

TEST(HtmlWords, TextIsCutAtBlanksAndTagsComeWhole)
{
    struct Case {
        const char* page;
        List expected;
    };
    const Case cases[] = {
        {"one two  three", {"one ", "two ", "three"}},
        {"<p>Hello <b>bold</b> world", {"<p>", "Hello ", "<b>", "bold", "</b>", " ", "world"}},
        {"<A HREF=\"x.htm\">go</A>", {"<A HREF=\"x.htm\">", "go", "</A>"}},
        {"a < b <1", {"a ", "< ", "b ", "<1"}},
        {"x<y z=1>", {"x", "<y z=1>"}},
        {"if a<b then", {"if ", "a", "<b then>"}},
        {"</p >", {"</p>"}},
        {"</ p>x", {"x"}},
        {"<!DOCTYPE html><p>", {"<!DOCTYPE html>", "<p>"}},
        {"<?xml version=\"1.0\"?>text", {"<?xml version=\"1.0\"?>", "text"}},
        {"tab\there", {"tab ", "here"}},
        {"<p>\r\n  indented\r\nnext line", {"<p>", " ", "indented next ", "line"}},
        {"some\r\n    more", {"some ", "more"}},
        // After "&nbsp;" a line end and the indent after it add no second blank.
        {"a&nbsp;\r\n    b", {"a ", "b"}},
        {"end <", {"end ", "<"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(words(c.page), c.expected) << c.page;
}

TEST(HtmlWords, CommentsAreDroppedWholeAndOnlyTwoHyphensEndThem)
{
    EXPECT_EQ(words("a<!-- x > y -- z -->b"), (List{"a", "b"}));
    EXPECT_EQ(words("a<!---->b<!-->c"), (List{"a", "b", "c"}));
    EXPECT_EQ(words("a<!-- never ends"), (List{"a", "<!-->"})) << "the input's end ends the tag, as it stands";
    EXPECT_EQ(words("<!--\r\n<p>hidden</p>\r\n--><p>"), (List{"<p>"}));
}

TEST(HtmlWords, ThePagesControlCharactersAreLeftOutOfTextAndTags)
{
    // Some are the editor's paragraph, cell and object codes, one the reader's own mark
    // for a line end: none may come from the page.
    EXPECT_EQ(words("a\x15\x15" "b\x01 c\x7F" "d\x13\x12"), (List{"ab ", "cd"}));
    EXPECT_EQ(words("<a\x0F href=\"x\x18y\">t</a\x15>"), (List{"<a href=\"xy\">", "t", "</a>"}));
}

TEST(HtmlWords, LineEndsInTagsAreBlanksOrNothingInsideQuotes)
{
    EXPECT_EQ(words("<a\r\nhref=\"x\r\ny.htm\"\r\ntarget=t>"), (List{"<a href=\"xy.htm\" target=t>"}));
    EXPECT_EQ(words("<a \r\n href=x>"), (List{"<a href=x>"}));
    EXPECT_EQ(words("<a\thref=x>"), (List{"<a href=x>"})) << "a tab parts the name from its attributes";
}

TEST(HtmlWords, ALongNameKeepsItsFirst300CharactersAndEachAttributeIsReadWhole)
{
    std::string name(320, 'n'), value(10000, 'v');
    Words w("<" + name + " a=" + value + " b=\"" + value + "\">after");
    w.next();
    EXPECT_EQ(std::string(w.reader().tokenizer.word), std::string(300, 'n'));
    EXPECT_EQ(w.reader().tokenizer.attributes, "a=" + value + " b=\"" + value + "\"");
    EXPECT_EQ(w.next(), "after") << "the rest of the name is read and dropped";

    // Past the bound the attribute that would cross it is left out whole; the others stay.
    std::string huge(kHtmlAttributeTextMost, 'h');
    Words big("<img alt=x src=\"" + huge + "\" width=5>after");
    big.next();
    EXPECT_EQ(big.reader().tokenizer.attributes, "alt=x width=5");
    EXPECT_EQ(big.next(), "after");
}

TEST(HtmlWords, ScriptAndStyleTextIsNoTextUpToTheirOwnEndTagInAnyCase)
{
    EXPECT_EQ(words("<script>if (a<b && c</d) x('</scripts>');</ScRiPt>after"),
              (List{"<script>", "</ScRiPt>", "after"}));
    EXPECT_EQ(words("<p>x<style type=text/css>p { content: \"<b>\" }</style >y"),
              (List{"<p>", "x", "<style type=text/css>", "</style>", "y"}));
    EXPECT_EQ(words("<script src=a.js/>text"), (List{"<script src=a.js/>"}))
        << "a bare value keeps its slash: the script goes on";
    EXPECT_EQ(words("<script src=\"a.js\"/>text"), (List{"<script src=\"a.js\">", "text"}))
        << "a self-closed script holds nothing";
    EXPECT_EQ(words("<style>never ended"), (List{"<style>"}));
}

TEST(HtmlWords, QuotedValuesAreReadWholeWhateverTheyHold)
{
    EXPECT_EQ(words("<a title=\"x>y\" href=z.htm>t</a>"), (List{"<a title=\"x>y\" href=z.htm>", "t", "</a>"}));
    EXPECT_EQ(words("<a title='it\"s \"x\" > y' href = 'z.htm'>t"),
              (List{"<a title='it\"s \"x\" > y' href='z.htm'>", "t"}));
    EXPECT_EQ(words("<img alt=\"a\tb\" src=x>"), (List{"<img alt=\"a b\" src=x>"}));
    EXPECT_EQ(words("<a title=\"never closed>text"), (List{"<a title=\"never closed>text>"}))
        << "the input's end ends the tag";
    EXPECT_EQ(words("<img alt=\"a b "), (List{"<img alt=\"a b>"})) << "with no blank after the last attribute";
}

TEST(HtmlWords, ASlashBeforeTheTagsEndClosesIt)
{
    struct Case {
        const char* page;
        const char* word;
        const char* attributes;
        bool selfClosing;
    };
    const Case cases[] = {
        {"<br/>", "br", "", true},
        {"<br />", "br", "", true},
        {"<a id=\"t\"/>", "a", "id=\"t\"", true},
        {"<input disabled/>", "input", "disabled", true},
        {"<a href=http://x/>", "a", "href=http://x/", false},
        {"<a / href=x>", "a", "href=x", false},
    };
    for (const Case& c : cases) {
        Words w(c.page);
        w.next();
        EXPECT_STREQ(w.reader().tokenizer.word, c.word) << c.page;
        EXPECT_EQ(w.reader().tokenizer.attributes, c.attributes) << c.page;
        EXPECT_EQ(w.reader().tokenizer.selfClosing != 0, c.selfClosing) << c.page;
    }
}

TEST(HtmlWords, LoneSpacesAreKeptOnlyWhereTheyPartWords)
{
    EXPECT_EQ(words("<b>x</b> y"), (List{"<b>", "x", "</b>", " ", "y"})) << "after a tag a blank parts words";
    EXPECT_EQ(words("x  y"), (List{"x ", "y"})) << "after a blank it adds nothing";
    EXPECT_EQ(words("x\r\n y"), (List{"x ", "y"})) << "a line end and a blank make one blank";

    Words start("<p> first");
    start.reader().paraStart = 1;
    EXPECT_EQ(start.all(), (List{"<p>", "first"})) << "at a paragraph's start";

    Words kept("x  y", 0x100);
    EXPECT_EQ(kept.all(), (List{"x ", " ", "y"})) << "flag 0x100 keeps every blank";
}

TEST(HtmlWords, PreformattedTextKeepsBlanksAndBreaksLines)
{
    Words w("a  b\r\n\tc\n\nd");
    w.reader().groups[0].pre = 1;
    EXPECT_EQ(w.all(), (List{"a ", " ", "b", "<br>", " ", "c", "<br>", "<br>", "d"}));
}

TEST(HtmlWords, LineEndsAfterTagsAndAtParagraphStartsAreDropped)
{
    EXPECT_EQ(words("<p>\nword"), (List{"<p>", "word"}));
    EXPECT_EQ(words("<code>a</code>\nb"), (List{"<code>", "a", "</code>", " ", "b"}))
        << "after an end tag inside a paragraph the line end parts the words";
    Words w("word\n<b>");
    EXPECT_EQ(w.all(), (List{"word ", "<b>"}));
    Words broken("\nafter");
    broken.reader().afterLineBreak = 1;
    EXPECT_EQ(broken.all(), (List{"after"}));
}

TEST(HtmlWords, EntitiesDecodeInsideWords)
{
    struct Case {
        const char* page;
        std::string word;
    };
    // "\x1A" marks the "&" of a reference kept as written: an unknown name, or a character
    // Windows-1252 lacks.
    const Case cases[] = {
        {"&amp;&lt;&gt;&quot;", "&<>\""},
        {"&AMP;&Lt;", "&<"},
        {"&copy;&reg;&deg;", "\xA9\xAE\xB0"},
        {"&nbsp;&nbsp;x", "  x"},
        {"caf&eacute;", "caf\xE9"},
        {"&Eacute;&EACUTE;", "\xC9\x1A" "EACUTE;"},
        {"&szlig;&yuml;&THORN;", "\xDF\xFF\xDE"},
        {"&ecaron;&Ntilde;", "\x1A" "ecaron;\xD1"},
        {"&ndash;&times;&euro;", "\x96\xD7\x80"},
        {"&mdash;x&hellip;&rsquo;", "\x97x\x85\x92"},
        {"&uarr;&rarr;", "\x1Auarr;\x1Ararr;"},
        {"&#233;&#65;", "\xE9" "A"},
        {"&#xE9;&#X41;", "\xE9" "A"},
        {"&#8217;&#8364;&#x2603;", "\x92\x80\x1A#x2603;"},
        {"&#233x", "\xE9x"},
        {"a&#0;b&#7;c", "abc"},
        {"&#10;", " "},
        {"R&D", "R&D"},
        {"AT&T;", "AT\x1AT;"},
        {"&nToken);", "&nToken);"},
        {"&a b;", "&a "},
        {"&copy 2024", "\xA9 "},
        {"&copyright;&copyx", "\x1A" "copyright;&copyx"},
        {"&averyveryverylongname;", "\x1A" "averyveryverylongname;"},
        {"&averyveryveryveryveryverylongname;", "&averyveryveryveryveryverylongname;"},
        {"&;&#;&#x;", "&;&#;&#x;"},
    };
    for (const Case& c : cases) {
        Words w(c.page);
        EXPECT_EQ(w.next(), c.word) << c.page;
    }
}

TEST(HtmlWords, AnEntityIsNeverCutAtTheEndOfARun)
{
    std::string page(295, 'x');
    page += "&amp;y";
    Words w(page);
    EXPECT_EQ(w.next(), std::string(295, 'x'));
    EXPECT_EQ(w.next(), "&y");
}

TEST(HtmlWords, TheGroupTableHoldsAHundredOpenTags)
{
    std::string page;
    for (int i = 0; i < 120; ++i)
        page += "<b>";
    std::vector<std::string> boxes;
    setMessageSink([&](const AddonMessage& m) { boxes.push_back(m.text); });
    Words w(page);
    int tags = 0;
    while (!w.next().empty())
        ++tags;
    setMessageSink({});
    EXPECT_EQ(tags, 99) << "group 0 is the document's own";
    EXPECT_EQ(w.reader().group, 99);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Ran out of Group Table for HTML data (GetHtmlWord).");
}

TEST(HtmlWords, SkipGroupReadsToTheEndOfTheCurrentGroup)
{
    Words w("<div><b>x</b><i>y</i></div>after");
    EXPECT_EQ(w.next(), "<div>");
    EXPECT_EQ(SkipGroup(&w.ctx(), &w.reader()), 0);
    EXPECT_EQ(w.reader().group, 0);
    EXPECT_EQ(w.next(), "after");
    EXPECT_EQ(SkipGroup(&w.ctx(), &w.reader()), 1) << "the input ended";
}

TEST(HtmlWords, AFileIsReadInBlocksAndAReadErrorEndsTheInput)
{
    std::string page;
    for (int i = 0; i < 200; ++i)
        page += "<p>word" + std::to_string(i) + " ";
    std::FILE* file = std::tmpfile();
    std::fwrite(page.data(), 1, page.size(), file);
    std::rewind(file);
    Words fromFile("");
    fromFile.reader().tokenizer.file = file;
    Words fromMemory(page);
    EXPECT_EQ(fromFile.all(), fromMemory.all());
    std::fclose(file);

    // A stream that cannot be read: the input ends at once, with one report.
    std::FILE* unreadable = std::fopen("/dev/null", "w");
    std::vector<std::string> boxes;
    setMessageSink([&](const AddonMessage& m) { boxes.push_back(m.text); });
    Words failing("");
    failing.reader().tokenizer.file = unreadable;
    EXPECT_TRUE(failing.all().empty());
    EXPECT_EQ(failing.next(), "");
    setMessageSink({});
    std::fclose(unreadable);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error reading the HTML input file.");
    EXPECT_EQ(failing.ctx().lastError, 5);
}
