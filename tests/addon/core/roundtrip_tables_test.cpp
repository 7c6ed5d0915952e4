// Tables written as HTML and read back: rows, cells, captions and nested tables keep their
// document, and a page the writer made is written again byte for byte.
#include "roundtrip_fixture.h"

#include <string>

using namespace ks;
using ks::test::PlxRoundTripTest;

// A header cell's text is bold in a browser however many "</b>" stand in it: an end tag
// with no "<b>" open is ignored, and one that ends a "<b>" leaves the cell's own bold. The
// reader makes a caption bold as well, and keeps it so. Read as plain text, the cell's text
// was written without "<b>" and read back bold.
TEST_F(PlxRoundTripTest, AHeaderCellsOrCaptionsTextStaysBoldAfterABoldsEnd)
{
    struct Case {
        const char* page;
        const char* bold;   // the letters read bold
    };
    const Case cases[] = {{"<table><th></b>a", "a"}, {"<table><tr><th><b>a</b>b</strong>c</th><td>d</table>", "abc"},
                          {"<table><caption></b>a</caption><tr><td>d</table>", "a"}};
    eachInEmptyWindow(cases, [&](const Case& c) {
        SCOPED_TRACE(c.page);
        writtenAgainTheSame(c.page);
        std::string bold;
        eachCharacter(hWnd, [&](char ch, unsigned style) {
            if (ch >= 'a' && ch <= 'z' && (style & editor::kBold))
                bold += ch;
        });
        EXPECT_EQ(bold, c.bold);
    });
}

// A caption after a row's cells ends the row's open cell, as the row's end would. The cell
// ended with the table, in the caption's formatting: centred, its end bold.
TEST_F(PlxRoundTripTest, ACaptionAfterCellsEndsTheOpenCell)
{
    for (const char* page : {"<table><td>a<caption>c</table>", "<table><tr><td>x<td>a<caption align=bottom>c</caption></table>"}) {
        SCOPED_TRACE(page);
        writtenAgainTheSame(page);
        int line = lineOf("a");
        VekLineRecord record{};
        EditorGetLineRecord(hWnd, line, &record);
        EXPECT_EQ(record.alignment, 0);
        EXPECT_EQ(styleAt(line, 1) & editor::kBold, 0u) << "the cell's end";
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
}

// A table begun where the reader drops text, after a row's end or in a caption below the
// table, goes into a new cell of the row, as one before the row's first cell does. It hung
// after the last cell's end, and was read back inside that cell.
TEST_F(PlxRoundTripTest, ATableBetweenRowsOrInACaptionBelowGoesIntoANewCell)
{
    readsAsAndIsWrittenAgainTheSame("<table><tr><td>a</tr><table><td>b</table></table>", "a]b]}]}");
    readsAsAndIsWrittenAgainTheSame("<table><td>a<caption align=bottom>c<table><td>b</table></table>", "a]b]}]}c|");
    readsAsAndIsWrittenAgainTheSame("<table><td>a</td><caption>c</caption><table><td>b</table></table>", "a]b]}]}c|");
}

// Where a table drops text, after a row's end, it drops line breaks too, also those of
// "pre": one stood after the cell's end and was read back in a cell of its own.
TEST_F(PlxRoundTripTest, ALineBreakAfterARowsEndIsDroppedWithItsText)
{
    readsAsAndIsWrittenAgainTheSame("<table><tr><td>a</tr><br>b<td>c</table>", "a]c]}");
    readsAsAndIsWrittenAgainTheSame("<table><tr><td>a</tr><pre>x\ny</pre><td>c</table>", "a]c]}");
}

// Text after a header in a cell keeps the cell's alignment, as after a paragraph's end: the
// writer leaves a cell's paragraphs to the cell. Taken away, the paragraph after the header
// read back left, and a "p" in a header ended lost the header cell's centring.
TEST_F(PlxRoundTripTest, TextAfterAHeaderInACellKeepsTheCellsAlignment)
{
    eachRoundTripped({"<table><tr><td align=right>a<h2>b</h2>c<p>d</table>", "<table><tr align=right><td>;<h2></h2>&</table>"});
    writtenAgainTheSame("<table><th>><form><h2><p><textarea></h2><form>");
    PlxSetActiveWnd(hWnd);
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<table><tr><td align=right>a<h2>b</h2>c</table><p align=center>e<h1>T</h1>f"), 1);
    EXPECT_NE(test::lineHead(hWnd, 2).find(" al2 "), std::string::npos) << test::documentDump(hWnd);
    EXPECT_NE(test::lineHead(hWnd, info().lineCount - 1).find(" al0"), std::string::npos) << test::documentDump(hWnd);
}

// A cell whose first paragraph is empty, left out, takes its alignment from the paragraph
// after it, the cell's first when read back: written in its own "p", that one's alignment
// became the cell's on the next save.
TEST_F(PlxRoundTripTest, ACellBegunWithAnEmptyParagraphTakesTheNextOnesAlignment)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><tr><td></div><p align=right>x</table>",
                                                             "<table><tr align=right><td></div><p>x</table>"}))
        EXPECT_NE(first.find("<td align=right"), std::string::npos) << first;
}

// A script between a row's end and text after it leaves the text as it would be without
// it, outside the cells: it went into the row's end, written after the cell's.
TEST_F(PlxRoundTripTest, AScriptAfterARowsEndLeavesTheTextAfterItOutsideTheCells)
{
    std::string first = writtenAgainTheSame("<table><td>a</tr><script>s()</script>y");
    EXPECT_EQ(first.find("</td>y"), std::string::npos) << first;
}

// A picture or a field after a row's end, or in a caption that ended a row's cells, goes
// into a cell of its own in that row, as text before a row's first cell does: it stood in
// the row's end, written between the row's last cell and its end tag.
TEST_F(PlxRoundTripTest, APictureAfterARowsEndGoesIntoACellOfItsOwn)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><tr><td>a</td></tr><img src=m.gif></table>",
                                                             "<table><tr><td>a<caption align=bottom>c<img src=m.gif>d</table>",
                                                             "<table><td><caption><form>>"})) {
        EXPECT_EQ(first.find("<div"), std::string::npos) << first;
        EXPECT_GT(first.rfind("<td"), first.find("<td")) << first;
    }
}

// A caption begun in a selection list or a text area left open in a cell ends it first, as
// a row's begin does: the cell's end went into the list, and the cell's text and control
// into the row's end, read back as a cell of its own.
TEST_F(PlxRoundTripTest, ACaptionEndsAListLeftOpenInACell)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><th><form><select><caption>c", "<form><table><tr>l<textarea><caption>c</table>"}))
        EXPECT_GT(first.find("<b>c</b>"), first.find("</table>")) << first;
}

// An end tag in a table (here one nested past the levels kept) whose begin stands outside
// it closes nothing: a stray row's end closed the groups down to a stray row before the
// tables, and the header's text in the cell lost its font (bold), which the save gave back.
TEST_F(PlxRoundTripTest, AnEndTagInATableClosesNothingBegunOutsideIt)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<h1><tr><tr><table><table><table><table><table><table></tr><tr>e",
                                                             "<h2><tr><tr><table><table><table><table><table><table></tr><tr>e"}))
        EXPECT_NE(first.find("<b>e</b></h"), std::string::npos) << first;
}

// After a row's end text is dropped, and so is the end of a paragraph begun there; a rule
// there goes into a cell of its own, as a picture does. Both stood between the row's last
// cell and its end, read back inside the cell.
TEST_F(PlxRoundTripTest, AParagraphsEndOrARuleAfterARowsEndStaysOutOfItsCell)
{
    std::vector<std::string> firsts = eachWrittenAgainTheSame({"<table><td>x</tr><h1><p>y</table>", "<table><td>x</tr><hr></table>"});
    EXPECT_EQ(firsts[0].find("<h1"), std::string::npos) << firsts[0];
    EXPECT_GT(firsts[1].find("<hr>"), firsts[1].rfind("<td")) << firsts[1];
    EXPECT_GT(firsts[1].rfind("<td"), firsts[1].find("x</td>")) << firsts[1];
}

// An end tag in a cell whose begin stands in the table before the cell closes nothing
// either: the cell's formatting (a header cell's bold and centring) is kept in that group,
// and the text after the end tag lost it.
TEST_F(PlxRoundTripTest, AnEndTagInACellClosesNothingBegunBeforeTheCell)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><form><th></form>g</table>", "<form><select><table><th></select>t</table>"}))
        EXPECT_NE(first.find("<th align=center valign=top><b>"), std::string::npos) << first;
}

// An anchor after a cell's end (a caption's ended it) or a row's end goes into a cell of
// its own, as a picture there: in the row's end it was written after the row's last cell,
// and read back inside that cell.
TEST_F(PlxRoundTripTest, AnAnchorAfterACellsEndGoesIntoACellOfItsOwn)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><td>x<caption></caption><a name=n>", "<table><td>x</tr><a name=n></a></table>"}))
        EXPECT_NE(first.find("<td valign=top><a name=n></a></td>"), std::string::npos) << first;
}

// Text in a cell that a nested table's end gave back the group of a stray "tr" before the
// tables takes its paragraph's element (an address's italic), as text of a new cell does:
// written without the element's tag, it read back in the address's font.
TEST_F(PlxRoundTripTest, TextAfterANestedTablesEndHasNoStrayRowsElement)
{
    std::string first = writtenAgainTheSame("<address><tr><table><table><caption><table><td></table></table>c");
    EXPECT_NE(first.find("<address><i>c</i></address>"), std::string::npos) << first;
}

// A cell whose height is none (0, or no number) after a taller cell of its row takes the
// row's height, as one with no height does: it kept none, was written without a height and
// read back with the row's.
TEST_F(PlxRoundTripTest, ACellWithANullHeightTakesItsRowsHeight)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><tr><td height=20>a<td height=(0>b</table>",
                                                             "<table><tr><td height=20>a<td height=0>b</table>"}))
        EXPECT_NE(first.find("height=20>b"), std::string::npos) << first;
}
