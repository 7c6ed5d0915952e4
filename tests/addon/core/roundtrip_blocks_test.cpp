// Block quotes, addresses and preformatted text nested in each other and around tables:
// what is written, read back, is written the same.
#include "roundtrip_fixture.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace ks;
using ks::test::PlxRoundTripTest;

namespace {

class RoundTripBlocksTest : public PlxRoundTripTest {
protected:
    // The indent of the table whose cell holds the line with what.
    int tableIndentAt(const std::string& what)
    {
        VekLineRecord record{};
        EditorGetLineRecord(hWnd, lineOf(what), &record);
        VekCellProps p{};
        EXPECT_NE(EditorGetCellProps(hWnd, record.cell, &p), 0) << what;
        return p.tableIndent;
    }
    // Each page, in an empty window, is written again the same once read back, and read back
    // shows as its text says (see text()).
    void eachReadBackAs(std::initializer_list<std::pair<const char*, const char*>> pages)
    {
        eachInEmptyWindow(pages, [&](std::pair<const char*, const char*> item) {
            SCOPED_TRACE(item.first);
            writtenAgainTheSame(item.first);
            EXPECT_EQ(text(), item.second) << "read back";
        });
    }
};

}

// A browser indents a table by every block quote it stands in. The reader gave a table in
// nested quotes the indent of one: the writer's two quote tags around it were read back as
// one, and the table lost a quote at each save.
TEST_F(RoundTripBlocksTest, ATableInNestedQuotesKeepsTheIndentOfEach)
{
    const std::pair<const char*, int> pages[] = {
        {"<blockquote><blockquote><table><tr><td>in</table></blockquote></blockquote>", 1200},
        {"<blockquote><blockquote><blockquote><table><tr><td>in</table>", 1800},
        {"<h2><blockquote><blockquote><table><tr><td>in</table>", 1200},
        {"<blockquote><blockquote><address><table><td>in", 1200}};
    for (auto [page, indent] : pages) {
        SCOPED_TRACE(page);
        writtenAgainTheSame(page);
        EXPECT_EQ(tableIndentAt("in"), indent) << "read back";
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
}

// A quote in a table's cell indents its text as much as one outside. The reader gave it
// 600 twips less, so that the writer wrote two nested quotes in a cell as one (its indent
// said one), and a quote in a cell around a quote around a "tt" lost the inner one.
TEST_F(RoundTripBlocksTest, AQuoteInACellIndentsItsTextAsOutsideOne)
{
    writtenAgainTheSame("<table><tr><td><blockquote>one</blockquote><blockquote><blockquote>two</blockquote>"
                        "</blockquote><blockquote><blockquote><blockquote>three</table>");
    EXPECT_EQ(props(lineOf("one")).left, 600);
    EXPECT_EQ(props(lineOf("two")).left, 1200);
    EXPECT_EQ(props(lineOf("three")).left, 1800);
    PlxSetActiveWnd(hWnd);
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    eachWrittenAgainTheSame({"<table>\n<blockquote><td><blockquote><tt>d", "<table><tr><blockquote><blockquote>x"});
}

// In a block quote or an address begun inside "pre" a browser keeps the blanks as "pre"
// does; before the paragraph's end they show nothing. The reader kept those too: the writer
// writes the paragraph with the quote's or the address's tags, where they are dropped when
// read back, and the next save lost them (and a quote holding only a blank).
TEST_F(RoundTripBlocksTest, AQuoteOrAnAddressInPreKeepsNoBlanksBeforeItsParagraphsEnd)
{
    readsAsAndIsWrittenAgainTheSame("<pre><blockquote>a  b </blockquote>x", "a  b|x");
    readsAsAndIsWrittenAgainTheSame("<pre><address> a  b  </address>x", " a  b|x");
    readsAsAndIsWrittenAgainTheSame("<pre><blockquote> ", "");
}

// Right after a line break a "p" or "div" ends no paragraph, in a browser's eyes (no empty
// line comes between) and in the reader's. A paragraph ending with a line break whose first
// line opened a block quote or an address was written without a tag of its own, and the next
// paragraph's tag, read back, joined the two.
TEST_F(RoundTripBlocksTest, AParagraphEndingWithALineBreakInABlockEndsWithItsOwnTag)
{
    eachReadBackAs({{"<blockquote>q<br></div>/</blockquote>", "q/|/|"},
                    {"<address><br></div>/</address>", "/|/|"},
                    {"<table><tr><td><blockquote>q<br></div>/</table>", "q/|/|]}"},
                    {"<pre><blockquote>q\n<body>/", "q/|/|"},
                    {"<pre><address>\n<body>t", "/|t|"}});
}

// In an aligned cell a paragraph of "pre", an address or a block quote gets a paragraph tag
// that says its own alignment (a left one). One going on after a line break to the cell's end
// had its tag ended after the block's end tag, where it read back as a paragraph end of its own.
TEST_F(RoundTripBlocksTest, AParagraphTagInsideABlockEndsInsideIt)
{
    const std::pair<const char*, const char*> pages[] = {
        {"<table><th>-<pre><div align=left>a\n</th></table>", "</pre>"},
        {"<table><th>-<address><div align=left>a<br></th></table>", "</address>"},
        {"<table><th>-<blockquote><div align=left>a<br></th></table>", "</blockquote>"}};
    eachInEmptyWindow(pages, [&](std::pair<const char*, const char*> item) {
        SCOPED_TRACE(item.first);
        std::string first = writtenAgainTheSame(item.first);
        std::size_t tag = first.find("align=left"), end = first.find(item.second);
        ASSERT_NE(tag, std::string::npos) << first;
        EXPECT_LT(std::min(first.find("</div>", tag), first.find("</p>", tag)), end) << first;
        EXPECT_EQ(text(), "-|a/|]}") << "read back";
    });
}

// In "pre" a paragraph ending with a line break, before one that says its alignment, gets a
// tag of its own whose end ends it: right after the break the next one's tag ends none, and
// the two read back as one, with the next one's alignment.
TEST_F(RoundTripBlocksTest, APreParagraphEndingWithALineBreakBeforeAnAlignedOneEndsWithItsOwnTag)
{
    for (const char* page : {"<pre><div>a\n</div><div align=center>b</div></pre>", "<pre>a\n<table><caption>b"}) {
        SCOPED_TRACE(page);
        writtenAgainTheSame(page);
        EXPECT_EQ(text(), "a/|b|") << "read back";
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
}

// Text in "pre" without a face takes the face of "pre" when read: a block quote's text in the
// page's own face there (the quote's font) says its face, as it did not, and read back it
// was in the face of "pre".
TEST_F(RoundTripBlocksTest, TextInPreInThePagesFaceSaysItsFace)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<pre><center><blockquote>q</center> "}))
        EXPECT_NE(first.find("<font face=\"Times New Roman\">q"), std::string::npos) << first;
}

// In "pre" a paragraph of a line break and its end, last in its cell, is ended by the end tag
// of "pre", as it reads back; written with a "div" of its own, the next save differed.
TEST_F(RoundTripBlocksTest, APreParagraphOfALineBreakLastInItsCellGetsNoTag)
{
    std::string first = writtenAgainTheSame("<table><td><pre><h1>H</h1><p>\n</td></table>");
    EXPECT_EQ(first.find("<div"), std::string::npos) << first;
    EXPECT_EQ(text(), "H|/|]}") << "read back";
}

// A paragraph of a cell that has the cell's alignment needs no tag to say it: in "pre", right
// after a line break, one written for it ended no paragraph and joined it to the one before.
TEST_F(RoundTripBlocksTest, APreParagraphWithItsCellsAlignmentGetsNoTagAfterALineBreak)
{
    for (const char* page : {"<table><th><pre>\n<pre>a</th></table>", "<table><td align=right><pre>b\n<pre>a</td></table>"}) {
        SCOPED_TRACE(page);
        std::string first = writtenAgainTheSame(page);
        EXPECT_EQ(first.find("<div"), std::string::npos) << first;
        std::string shown = text();
        EXPECT_EQ(shown.substr(shown.find('a')), "a|]}") << shown;
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
}

// A paragraph that begins with a line break, right after one written without an end tag of
// its own (the first in an address, a quote or a list item, whose tag began it), is written
// with its own tag. The break was written after the other's text: read back, it joined that
// paragraph, a line was lost, and the formatting open there went on around the break.
TEST_F(RoundTripBlocksTest, AParagraphBeginningWithALineBreakAfterLooseTextHasItsOwnTag)
{
    eachReadBackAs({{"<address>e<p><br>f</address>", "e|/f|"},
                    {"<blockquote><b>e</b><p><br>", "e|/|"},
                    {"<pre><address>e<body>\n", "e|/|"},
                    {"<ul><li>e<p><br>f</ul>", "e|/f|"}});
}

// An empty paragraph that opens a form and an address or a quote writes only their tags; the
// paragraph after it is written as the first in them, as it reads back. It was given a tag of
// its own, as after a paragraph's end: read back, it was the first, and written without one.
TEST_F(RoundTripBlocksTest, AParagraphAfterAnEmptyOneThatOpenedItsBlocksIsTheFirstInThem)
{
    eachReadBackAs({{"<address><form></div>y<p>z", "y|z|"},
                    {"<blockquote><form></div>y<p>z", "y|z|"},
                    {"<address><form></div>Picture: <img src=missing.png>", "Picture: #|"}});
}

// A paragraph that ends right at its line break has no spacing, also where the page's end
// (the body's tag) ends it. There it took the spacing a stray "</p>" before it had left: it
// was written as a "p", whose end tag right after the break gives none when read back.
TEST_F(RoundTripBlocksTest, AParagraphThePagesEndEndsAtALineBreakHasNoSpacing)
{
    for (const char* page : {"x</p>y<br></body>", "<blockquote>x</p>y<br><body"}) {
        SCOPED_TRACE(page);
        ASSERT_EQ(read(page), 1);
        EXPECT_EQ(props(lineOf("y")).before, 0);
        documentWrittenAgainTheSame();
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
    eachWrittenAgainTheSame({"<pre><blockquote>q</p>\n<body"});
}

// The text of a list or a text area outside a form is read into the document; a block tag in
// it is passed over, as a browser passes it over there. The block ended with the field's end
// in the middle of the paragraph, its text kept the block's font in the paragraph of the
// block around, and written in that block's tags it took that block's font when read back.
TEST_F(RoundTripBlocksTest, ABlockBegunInAFieldOutsideAFormIsPassedOver)
{
    for (const char* page : {"<address><select><blockquote>q</select>x", "<address><textarea><h1>q</textarea>x",
                             "<blockquote><select><pre>q</select>x", "<address><select><blockquote><v id=u>q</select>x"}) {
        SCOPED_TRACE(page);
        ASSERT_EQ(read(page), 1);
        int line = lineOf("qx");
        ASSERT_GE(line, 0) << text();
        char chars[301];
        int n = EditorGetLineChars(hWnd, line, chars, nullptr);
        int q = int(std::string(chars, std::size_t(n)).find("qx"));
        EXPECT_EQ(fontAt(line, q), fontAt(line, q + 1)) << "q is in the font of x";
        documentWrittenAgainTheSame();
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
}

// Formatting a line break leaves open ends before the end of the block its paragraph stands
// in, where the paragraph goes on to a cell's end: it was ended after the block's end tag,
// and read back the paragraph's end took it.
TEST_F(RoundTripBlocksTest, FormattingOpenAfterALineBreakEndsInsideTheBlock)
{
    std::vector<std::string> firsts = eachWrittenAgainTheSame({"<table><td><blockquote>a<b>x<br></td></table>",
                                                               "<table><td><address>a<b>x<br></td></table>",
                                                               "<pre><table><th><blockquote>>\n"});
    const char* blockEnds[] = {"</blockquote>", "</address>", "</blockquote>"};
    for (std::size_t i = 0; i < firsts.size(); ++i) {
        std::size_t end = firsts[i].find(blockEnds[i]);
        ASSERT_NE(end, std::string::npos) << firsts[i];
        EXPECT_LT(firsts[i].rfind("</b>"), end) << firsts[i];
    }
}

// The element a stray "tr" gives the text after it is none of a table begun there: in a
// block quote the table took the quote as its indent only where the quote's element was
// current, and its cells' paragraphs were quotes written quoted again inside the cell; in
// a header the text after a header ended in a cell had the header type without its font.
TEST_F(RoundTripBlocksTest, AStrayRowTagGivesATableBegunAfterItNoElement)
{
    std::vector<std::string> firsts = eachWrittenAgainTheSame({"<form><blockquote>><tr><table><tr>><form>T", "<h4><tr><table><tr><h2></h2>Body"});
    EXPECT_EQ(firsts[0].find("<blockquote>", firsts[0].find("<td")), std::string::npos) << firsts[0];
    EXPECT_NE(firsts[1].find("<h4><b>Body</b></h4>"), std::string::npos) << firsts[1];
}

// A paragraph that begins with a line break and ends with one, before another one, is
// written with its tag, as one of a single break is: right after a break the next
// paragraph's tag ends none, and read back the two were one.
TEST_F(RoundTripBlocksTest, AParagraphBegunAndEndedByLineBreaksKeepsItsEnd)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<br><br></p>b", "<p>x</p><br><br><br></p>b", "<br>r<br></p>b"}))
        EXPECT_NE(first.find("<br>\r\n</div>"), std::string::npos) << first;
}

// In "pre" in a cell a paragraph gets a "p", not a "div": a div's end in a table ends no
// paragraph, and the line end after it joined the paragraph when read back.
TEST_F(RoundTripBlocksTest, AParagraphOfPreInACellIsEndedByItsEndTag)
{
    std::string first = writtenAgainTheSame("<table><tr><td><pre>-<p>></form>\n</table>");
    EXPECT_NE(first.find("&gt;</font></p>"), std::string::npos) << first;
}

// A quote's or an address's end in a cell, its begin outside the table, ends neither, as in
// a browser: closing down to its group closed the table's, and a header cell's text after it
// lost its bold and its centring.
TEST_F(RoundTripBlocksTest, AQuotesEndInACellOfATableInsideItEndsNoQuote)
{
    const char* pages[] = {"<blockquote><table><th></blockquote>a</table>", "<address><table><th>b</address>a</table>"};
    eachInEmptyWindow(pages, [&](const char* page) {
        SCOPED_TRACE(page);
        std::string first = writtenAgainTheSame(page), bold;
        EXPECT_NE(first.find("<th align=center"), std::string::npos) << first;
        eachCharacter(hWnd, [&](char ch, unsigned style) {
            if (ch == 'a' && (style & editor::kBold))
                bold += ch;
        });
        EXPECT_EQ(bold, "a");
    });
}

// A block quote begun inside "pre" keeps its blanks, also one right after an anchor at its
// paragraph's start: written as a blank, it was dropped when read back, where only the
// anchor's data came before it on the line.
TEST_F(RoundTripBlocksTest, ABlankAfterAnAnchorAtAQuotesLineStartInPreIsKept)
{
    readsAsAndIsWrittenAgainTheSame("<pre><blockquote><a name=f></a> t</blockquote>x", "{name=f} t|x");
}

// "pre" or an address begun in a list item that its next paragraph, in another list, goes
// on in ends before the item's list: the list's end tag written inside it ended it when
// read back, and the next list's paragraphs lost their preformatting or their italic.
TEST_F(RoundTripBlocksTest, PreOrAnAddressInAListEndsBeforeTheListsEnd)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<ul><li>a<pre>b<dl><dt>t<dd>d", "<ol><li>x<pre>y</ol><ul><li>z"}))
        EXPECT_LT(first.find("</pre>"), first.find("</ul>")) << first;
    for (const std::string& first : eachWrittenAgainTheSame({"<address><li>m<dir>d"}))
        EXPECT_LT(first.find("</address>"), first.find("</ul>")) << first;
}

// A block quote begun in "pre" inside a directory list takes the list's font, as one begun
// in the list does: the writer writes the quote around the list, whose font its text took
// when read back.
TEST_F(RoundTripBlocksTest, AQuoteInPreInADirectoryListTakesTheListsFont)
{
    readsAsAndIsWrittenAgainTheSame("<dir><pre><blockquote>q", "q");
    ASSERT_EQ(read("<dir><pre><blockquote>q"), 1);
    std::string listFace = faceAt(0, 0);
    PlxSetActiveWnd(hWnd);
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<dir><li>d"), 1);
    EXPECT_EQ(listFace, faceAt(0, 0));
}

// Text in the page's face inside a directory list says its face: without one it took the
// list's when read back.
TEST_F(RoundTripBlocksTest, TextInTheFaceOfThePageInADirectoryListSaysIt)
{
    std::string first = writtenAgainTheSame("<dir><blockquote><tr><table>a");
    EXPECT_NE(first.find("<font face=\"Times New Roman\">a</font>"), std::string::npos) << first;
}
