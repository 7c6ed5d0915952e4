#include "document_dump.h"
#include "write_fixture.h"

#include "addon/base/allocators.h"
#include "addon/base/print_error.h"
#include "addon/core/tag_data.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

constexpr int kSpaced = 120;
const Para kPlain{0, 0, kSpaced, kSpaced};

int header(int level) { return level << 6; }
int list(int type, int level) { return type << 3 | level; }
int misc(int type) { return type << 9; }
Para inCell(int cell, int flags = 0) { return Para{0, flags, 0, 0, 0, 0, 0, 0, cell}; }

// Documents built through the editor API as a page read into the editor looks, written and
// read into a fresh window: the same document, line records, fonts and cells.
class PlxApiRoundTripTest : public PlxWriteTest {
protected:
    // The window's document written and read into a fresh window; the dump of that one, and
    // what it writes.
    std::string readBack(std::string& page, std::string* writtenAgain = nullptr)
    {
        page = written();
        HWND other = newEditor();
        EXPECT_EQ(PlxInitialize(other, hostWnd), 1);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, page.size() + 1);
        std::memcpy(GlobalLock(block), page.c_str(), page.size() + 1);
        GlobalUnlock(block);
        EXPECT_EQ(PlxRead(other, 1, nullptr, block, std::int32_t(page.size()), nullptr), 1);
        GlobalFree(block);
        std::string dump = ks::test::documentDump(other);
        if (writtenAgain) {
            HGLOBAL again = nullptr;
            std::int32_t length = 0;
            EXPECT_EQ(PlxWrite(other, 1, nullptr, &again, &length, 0), 1);
            writtenAgain->assign(static_cast<const char*>(GlobalLock(again)), std::size_t(length));
            GlobalUnlock(again);
            GlobalFree(again);
        }
        EditorDestroyWindow(other);
        return dump;
    }
    void expectRoundTrip()
    {
        std::string page;
        EXPECT_EQ(readBack(page), ks::test::documentDump(hWnd)) << "written as\n" << page;
    }
};

char* copyText(const char* text)
{
    auto* copy = static_cast<char*>(MemAlloc(std::strlen(text)));
    std::strcpy(copy, text);
    return copy;
}

}

TEST_F(PlxWriteTest, AnEmptyDocumentWritesTheBodyAlone)
{
    EXPECT_EQ(written(), "<body>\r\n</body>\r\n") << "no head without a title or meta tags";
    para("");
    EXPECT_EQ(written(), "<body>\r\n</body>\r\n") << "a paragraph of only its mark reads back as nothing";
}

TEST_F(PlxWriteTest, ParagraphsAndTheirCharacterFormatting)
{
    para("first", kPlain);
    add("plain ", font(0));
    add("bold", font(0, 2));
    add(" both", font(0, 6));
    add(" red", font(0, 0, 0xFF));
    add(" five", font(0, 0, 0, 1, 105));
    add(" step", font(0, 0, 0, 1, 4));
    add(" arial", font(0, 0, 0, 1, 0, "Arial"));
    add(" code", font(13));
    add(" <&>\x15", font(0), kPlain);
    para("tight", {0, 0x400});
    para("centred", {0, 1});
    EXPECT_EQ(body(), "<p>first</p>"
                      "|<p>plain <b>bold</b><b><i> both</i></b><font color=#ff0000> red</font><font size=5> five</font>"
                      "<font |size=+1> step</font><font face=Arial> arial</font><code><font face=\"Courier New\"> code"
                      "</font></code> |&lt;&amp;&gt;</p>"
                      "|<div align=left>tight</div>"
                      "|<div align=center>centred</div>")
        << "a paragraph without spacing is a div";
}

TEST_F(PlxWriteTest, FlagsOfTheContextDecideFacesImpliedStylesAndParagraphTags)
{
    para("Title", {header(1)}, font(1));
    add("word", font(0, 0, 0, 1, 0, "Courier New"));
    add("\x15", font(0), {0, 1});
    EXPECT_EQ(body(), "<h1><b>Title</b></h1>|<div align=center><font face=\"Courier New\">word</font></div>")
        << "no line end after a font tag: other readers would see a blank before the word";
    PlxSetFlags(hWnd, 1, 2 | 8);
    EXPECT_EQ(body(), "<h1>Title</h1>|<p align=center><font face=\"Courier New\">word</font></p>")
        << "flag 2: bold is implied by the header; flag 8: a paragraph without spacing is still a p";
    PlxSetFlags(hWnd, 1, 1);
    EXPECT_EQ(body(), "<h1><font face=\"Times New Roman\">Title</font></h1>|<p align=center><font face=\"Courier New\">word</font></p>")
        << "flag 1: every face is written";
}

TEST_F(PlxWriteTest, HeadersAddressesQuotesAndPreformattedText)
{
    para("Right", {header(2), 2}, font(2));
    para("Plain header", {header(3)}, font(3));
    para("Where", {misc(2)}, font(8));
    para("deep", {misc(1), 0, 0, 0, 0, 1200}, font(9));
    para("shallow", {misc(1), 0, 0, 0, 0, 600}, font(9));
    add("a  b\x0F", font(12), {misc(4)});
    add("\x0F", font(12), {misc(4)});
    add("c\x15", font(12), {misc(4)});
    add(std::string(130, 'd') + " " + std::string(130, 'e') + "\x15", font(12), {misc(4)});
    para("after", kPlain);
    EXPECT_EQ(body(), "<h2 align=right><b>Right</b></h2>"
                      "|<h3><b>Plain header</b></h3>"
                      "|<address><i>Where</i></address>"
                      "|<blockquote>|<blockquote>|deep</blockquote>"
                      "|<div align=left>shallow</div>|</blockquote>"
                      "|<pre><font face=\"Courier New\">a &nbsp;b</font>"
                      "|"
                      "|<font face=\"Courier New\">c</font><div align=left><font face=\"Courier New\">" +
                          std::string(130, 'd') + " " + std::string(130, 'e') + "</font></div></pre>"
                      "|<p>after</p>")
        << "inside pre a line end is a line break: none comes where the editor has none";
}

TEST_F(PlxWriteTest, ListsNestAndCloseLevelByLevel)
{
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 1, 0);
    int roman = EditorMakeListFormat(hWnd, 0, 1, 2, 3);
    int lettersFrom3 = EditorMakeListFormat(hWnd, 0, 3, 1, 2);
    para("one", {list(2, 1) | 0x2000, 8, 0, 0, 0, 300, -375, bullets});
    para("more of one", {list(2, 1), 0, 0, 0, 0, 300});
    para("i", {list(1, 2) | 0x2000, 8, 0, 0, 0, 600, -375, roman});
    para("two", {list(2, 1) | 0x2000, 8, 0, 0, 0, 300, -375, bullets});
    para("c", {list(1, 1) | 0x2000, 8, 0, 0, 0, 300, -375, lettersFrom3});
    para("term", {list(5, 1) | 0x6000}, font(0, 2));
    para("definition", {list(5, 1) | 0x2000});
    para("after", kPlain);
    EXPECT_EQ(body(), "<ul>|<li>one"
                      "|<div align=left>more of one</div>"
                      "|<ol type=I>|<li>i|</ol>"
                      "|<li>two|</ul>"
                      "|<ol type=a start=3>|<li>c|</ol>"
                      "|<dl>|<dt><b>term</b>|<dd>definition|</dl>"
                      "|<p>after</p>");
}

TEST_F(PlxWriteTest, AListItemShowsItsBulletInTheColourAndSizeOfItsText)
{
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 1, 0);
    para("red", {list(2, 1) | 0x2000, 8, 0, 0, 0, 300, -375, bullets}, font(0, 0, 0x0000FF));
    para("almost black", {list(2, 1) | 0x2000, 8, 0, 0, 0, 300, -375, bullets}, font(0, 0, 0x010101));
    para("large", {list(2, 1) | 0x2000, 8, 0, 0, 0, 300, -375, bullets}, font(0, 0, 0, 1, 106));
    std::string b = body();
    EXPECT_NE(b.find("<font color=#ff0000 size=3>|<li></font><font color=#ff0000>red"), std::string::npos) << b;
    EXPECT_NE(b.find("|<li><font color=#010101>almost black"), std::string::npos) << "0x010101 counts as no colour: " << b;
    EXPECT_NE(b.find("<font color=#000000 size=6>|<li></font>"), std::string::npos) << b;
}

TEST_F(PlxWriteTest, EditorListParagraphsAreWrittenAsListItems)
{
    int numbers = EditorMakeListFormat(hWnd, 0, 1, 0, 0);
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 0, 0);
    para("numbered", {0, 8, 0, 0, 0, 720, -360, numbers});
    para("bulleted", {0, 8, 0, 0, 0, 720, -360, bullets});
    para("not hanging", {0, 8, 0, 0, 0, 720, 0, bullets});
    EXPECT_EQ(body(), "<ol>|<li>numbered|</ol>|<ul>|<li>bulleted|</ul>|<div align=left>not hanging</div>")
        << "after the list ends a paragraph without spacing is a div: as loose text it would read back "
           "with spacing";
}

TEST_F(PlxApiRoundTripTest, LinksAndNamedAnchors)
{
    add("see ", font(0));
    add("href=\"a b.htm\" target=_top", font(0, 0x40));
    add("the page", font(20, 0x4001, 0xFF0000));
    add(" or ", font(0));
    add("name=\"here\"", font(0, 0x40));
    add("here", font(40, 0, 0, 1));
    add("\x15", font(0), kPlain);
    add("href=x", font(0, 0x40));
    add("over", font(20, 0x4001, 0xFF0000));
    add("\x15", font(0), kPlain);
    add("href=x", font(0, 0x40));
    add("two paragraphs", font(20, 0x4001, 0xFF0000));
    add(" then\x0F", font(0));
    add("href=y", font(0, 0x40));
    add("broken", font(20, 0x4001, 0xFF0000));
    add("\x0F", font(0));
    add("line\x15", font(0), kPlain);
    EXPECT_EQ(body(), "<p>see <a href=\"a b.htm\" target=_top>the page</a> or <a name=\"here\">here</a></p>"
                      "|<p><a href=x>over</a></p>"
                      "|<p><a href=x>two paragraphs</a> then<br>"
                      "|<a href=y>broken</a><br>"
                      "|line</p>")
        << "a link in each of two paragraphs, as a link around them reads; a line break closes a link first; "
           "the line after a break continues its paragraph";
    expectRoundTrip();
}

// A link edited to run over a paragraph end and a line break (its text and the marks between
// in link text, one data run) is written as the link again after each, without its name: a
// link around paragraphs reads back so, and is written again the same.
TEST_F(PlxApiRoundTripTest, ALinkRunningOverAParagraphEndIsWrittenAsTheLinkAgain)
{
    add("href=x name=n", font(0, 0x40));
    add("over\x15", font(20, 0x4001, 0xFF0000), kPlain);
    add("two\x0F", font(20, 0x4001, 0xFF0000));
    add("lines\x15", font(20, 0x4001, 0xFF0000), kPlain);
    EXPECT_EQ(body(), "<p><a href=x name=n>over</a></p>|<p><a href=x>two</a><br>|<a href=x>lines</a></p>");
    std::string page, again;
    readBack(page, &again);
    EXPECT_EQ(again, page);
}

TEST_F(PlxWriteTest, TablesWithSpansNestingAndCellAttributes)
{
    para("before", kPlain);
    int a = cell(true, 0, 0xA0, 0, 1, 2, 15, 600, 1);
    EditorSetCellProps(hWnd, a, 0xFFFFFF, 0, 0);
    EditorSetTableWidth(hWnd, a, -80);
    int b = cell(false, a, 0x20, 0, 1, 0, 15);
    add("Head\x13", font(0, 2), inCell(a, 1));
    add("\x13", font(0), inCell(b));
    add("\x12", font(0), inCell(b));
    int c = cell(true, b, 0x20 | 0x1000, 1500, 2, 1, 15);
    EditorSetCellProps(hWnd, c, 0x00FF00, 0, 0);
    int d = cell(false, c, 0x20 | 0x2000, -50, 1, 1, 15);
    add("left\x13", font(0), inCell(c, 2));
    add("p1\x15", font(0), inCell(d));
    int inner = cell(true, 0, 0x20);
    EditorSetCellProps(hWnd, inner, 0xFFFFFF, 60, d);
    add("inner\x13", font(0), inCell(inner));
    add("\x12", font(0), inCell(inner));
    EditorEndTable(hWnd, inner, 1);
    add("p2\x13", font(0), inCell(d));
    add("\x12", font(0), inCell(d));
    int filler = cell(true, d, 0x20, 0, 0, 1, 15);
    int f = cell(false, filler, 0x20, 0, 1, 1, 15);
    add("hidden\x13", font(0), inCell(filler));
    add("last\x13", font(0), inCell(f));
    add("\x12", font(0), inCell(f));
    EditorEndTable(hWnd, f, 2);
    para("after", kPlain);
    std::string all = written();
    EXPECT_EQ(all, "<body>\r\n"
                   "<p>before</p>\r\n"
                   "<blockquote>\r\n"
                   "<table border width=80% align=center cellpadding=0 cellspacing=0>\r\n"
                   "    <tr>\r\n"
                   "    <th colspan=2 align=center valign=top><b>Head</b></th></tr>\r\n"
                   "    <tr>\r\n"
                   "    <td rowspan=2 align=right valign=middle width=100 bgcolor=#00ff00>left</td>\r\n"
                   "    <td valign=bottom width=50%>\r\n"
                   "    <div>p1</div>\r\n"
                   "    <table cellpadding=4>\r\n"
                   "        <tr>\r\n"
                   "        <td valign=top>inner</td></tr>\r\n"
                   "    </table>\r\n"
                   "    p2</td></tr>\r\n"
                   "    <tr>\r\n"
                   "    <td valign=top>last</td></tr>\r\n"
                   "</table>\r\n</blockquote>\r\n"
                   "<p>after</p>\r\n"
                   "</body>\r\n")
        << "a filler cell under a row span writes nothing, its text neither; any padding given is written";
}

TEST_F(PlxWriteTest, RulesWriteTheirWidthSizeAndAlignment)
{
    para("");
    EditorSetParaRule(hWnd, 0);
    add("\x15", font(0), {misc(3), 0x210});
    EditorSetParaRule(hWnd, 50 | (2 << 16));
    add("\x15", font(0), {misc(3), 0x210});
    EditorSetParaRule(hWnd, static_cast<std::uint16_t>(-200) | (1 << 16));
    add("\x15", font(0), {misc(3), 0xA0, 0, 0, -100});
    EXPECT_EQ(body(), "<hr>|<hr width=50% align=right>|<hr size=5pt width=200 align=center>");
}

TEST_F(PlxWriteTest, HeadHoldsTheTitleMetaAndUserTagsAndTheBodyItsColours)
{
    PlxSetDocTitle(hWnd, "A & B");
    int meta = AddTagData(ctx(), kTagMeta, 1, "refresh");
    ctx().tagTable[meta].text2 = copyText("5; url=x.htm");
    AddTagData(ctx(), kTagUser, 42, "the host's own");
    AddTagData(ctx(), kTagPictureSize, 7, "");
    ctx().bkColorSet = 1;
    ctx().docBkColor = 0x00FFFF;
    std::snprintf(ctx().bkPictureName, sizeof ctx().bkPictureName, "tile.gif");
    para("text", kPlain);
    EXPECT_EQ(written(), "<head>\r\n<title>A &amp; B</title>\r\n"
                         "<meta http-equiv=refresh content=\"5; url=x.htm\">\r\n"
                         "<meta UserTagId=42 UserTagData=\"the host's own\">\r\n"
                         "</head>\r\n"
                         "<body background=tile.gif bgcolor=#ffff00>\r\n<p>text</p>\r\n</body>\r\n");
}

TEST_F(PlxWriteTest, OnlyTheSelectedBlockIsWrittenWithItsStructure)
{
    para("first paragraph", kPlain);
    para("Header", {header(1)}, font(1));
    para("last one", kPlain);
    EditorSelectRange(hWnd, EditorLineColToPos(hWnd, 0, 6), EditorLineColToPos(hWnd, 1, 3));
    EXPECT_EQ(body(1), "<p>paragraph</p>|<h1><b>Hea</b></h1>");
    EXPECT_EQ(body(0), "<p>first paragraph</p>|<h1><b>Header</b></h1>|<p>last one</p>") << "without the flag: all";
    EditorSelectRange(hWnd, EditorLineColToPos(hWnd, 1, 3), EditorLineColToPos(hWnd, 0, 6));
    EXPECT_EQ(body(1), "<p>paragraph</p>|<h1><b>Hea</b></h1>") << "a selection made backwards";
}

TEST_F(PlxWriteTest, WithoutAContextNothingIsWritten)
{
    HWND plain = newEditor();
    HGLOBAL block = nullptr;
    std::int32_t length = -1;
    EXPECT_EQ(PlxWrite(plain, 1, nullptr, &block, &length, 0), 0);
    expectNotInitialized("PlxWrite");
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(PlxWrite(hWnd, 0, "   ", nullptr, nullptr, 0), 0) << "an empty name";
    EXPECT_EQ(PlxWrite(hWnd, 0, nullptr, nullptr, nullptr, 0), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxWriteTest, APageTooLargeForMemoryFailsAndTheDocumentStaysModified)
{
    for (int i = 0; i < 200; ++i)
        para("a paragraph of some length to fill the page with text " + std::to_string(i), kPlain);
    EditorSetModified(hWnd, 1);
    win::setGlobalBlockLimit(4000);
    HGLOBAL block = nullptr;
    std::int32_t length = -1;
    EXPECT_EQ(PlxWrite(hWnd, 1, nullptr, &block, &length, 0), 0);
    win::setGlobalBlockLimit(win::kDefaultGlobalBlockLimit);
    EXPECT_EQ(block, nullptr) << "no cut-off page is handed over";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Out of memory in FlushHtmlLine");
    EXPECT_EQ(ctx().lastError, kErrMemory);
    EXPECT_EQ(info().modified, 1);
    EXPECT_GT(written().size(), 12000u) << "with room again the page is written whole";
}

TEST_F(PlxWriteTest, AFileIsWrittenWholeUnderItsGivenNameOrNotAtAll)
{
    ks::test::TempDir temp;
    std::string page = temp.write("Page.htm", "the old page").string();
    para("new text", kPlain);
    EditorSetModified(hWnd, 1);
    {
        ks::test::FullDisk full(20);
        EXPECT_EQ(PlxWrite(hWnd, 0, page.c_str(), nullptr, nullptr, 0), 0);
    }
    EXPECT_EQ(temp.read("Page.htm"), "the old page");
    EXPECT_EQ(ks::test::folderListing(temp.path()), "Page.htm\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Write Error (FlushHtmlLine(a))");
    EXPECT_EQ(info().modified, 1);
    EXPECT_STREQ(ctx().fileName, "") << "the name is kept only for a page written";

    boxes.clear();
    EXPECT_EQ(PlxWrite(hWnd, 0, (page + "  ").c_str(), nullptr, nullptr, 0), 1);
    EXPECT_EQ(temp.read("Page.htm"), "<body>\r\n<p>new text</p>\r\n</body>\r\n");
    EXPECT_EQ(std::string(ctx().fileName), page) << "trailing blanks go; the letter case stays";
    EXPECT_EQ(info().modified, 0);
    EXPECT_EQ(PlxWrite(hWnd, 0, (temp.str() + "/missing/x.htm").c_str(), nullptr, nullptr, 0), 0);
    EXPECT_TRUE(boxes.empty()) << "a file that cannot be made gives 0 without a message";
}

TEST_F(PlxApiRoundTripTest, ParagraphsHeadersAndCharacterFormatting)
{
    // A header's spacing is the context's, half again before and half less after.
    para("Title", {header(1), 0, 180, 60}, font(1, 2));
    add("plain ", font(0));
    add("bold", font(0, 2));
    add(" red", font(0, 0, 0xFF));
    add(" arial", font(0, 0, 0, 0, 0, "Arial"));
    add(" end\x15", font(0), kPlain);
    para("centred", {0, 1});
    expectRoundTrip();
}

TEST_F(PlxApiRoundTripTest, ListsNested)
{
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 1, 0);
    int roman = EditorMakeListFormat(hWnd, 0, 1, 2, 3);
    // A list's first item keeps the spacing of the paragraph it starts; levels indent by 300.
    para("one", {list(2, 1) | 0x2000, 8, kSpaced, kSpaced, 0, 600, -375, bullets});
    para("i", {list(1, 2) | 0x2000, 8, 0, 0, 0, 900, -375, roman});
    para("two", {list(2, 1) | 0x2000, 8, 0, 0, 0, 600, -375, bullets});
    para("after", kPlain);
    expectRoundTrip();
}

TEST_F(PlxApiRoundTripTest, TablesWithSpansAndNesting)
{
    para("before", kPlain);
    int a = cell(true, 0, 0xA0, 0, 1, 2, 15);
    int b = cell(false, a, 0x20, 0, 1, 1, 15);
    // A header cell's text is bold to the cell's end: the end of the bold written for it
    // leaves the cell's own.
    add("Head\x13", font(0, 2), inCell(a, 1));
    add("x\x13", font(0), inCell(b));
    add("\x12", font(0), inCell(b));
    int c = cell(true, b, 0x20, 0, 1, 1, 15);
    int d = cell(false, c, 0x20, 0, 1, 1, 15);
    add("left\x13", font(0), inCell(c));
    // The reader spaces a paragraph that a nested table ends.
    add("right\x15", font(0), Para{0, 0, 120, 120, 0, 0, 0, 0, d});
    // A table nested in the row's second cell, inside that cell's text.
    int inner = cell(true, 0, 0x20);
    EditorSetCellProps(hWnd, inner, 0xFFFFFF, 60, d);
    add("inner\x13", font(0), inCell(inner));
    add("\x12", font(0), inCell(inner));
    EditorEndTable(hWnd, inner, 1);
    add("\x13", font(0), inCell(d));
    add("\x12", font(0), inCell(d));
    EditorEndTable(hWnd, d, 3);
    para("after", kPlain);
    expectRoundTrip();
}
