// Tables read into editor tables: cells with their spans, widths, colours and alignment,
// captions, nesting, and what happens past the limits.
#include "read_fixture.h"

#include "platform/editor/vek32.h"

using namespace ks;
using ks::test::PlxReadTest;

namespace {

constexpr int kFiller = 0x10, kCovered = 0x40, kHeader = 0x80, kMiddle = 0x1000, kBottom = 0x2000;

class PlxReadTableTest : public PlxReadTest {
protected:
    // The innermost cell of the line holding what.
    int cellOf(const std::string& what)
    {
        int cell = 0;
        EditorGetLineInfo(hWnd, lineOf(what), &cell, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        return cell;
    }
    VekCellProps cell(const std::string& what)
    {
        VekCellProps p{};
        EXPECT_NE(EditorGetCellProps(hWnd, cellOf(what), &p), 0) << what;
        return p;
    }
};

}

TEST_F(PlxReadTableTest, CellsTakeTheTablesAndTheirOwnAttributes)
{
    read("<table border=1 width=50% cellpadding=4 bgcolor=#00ff00 align=center>"
         "<tr bgcolor=blue align=right><td>a<td bgcolor=red width=100 height=20 valign=bottom>b</tr>"
         "<tr><th>c<td valign=middle nowrap qfn=field7>d</table>after");
    EXPECT_EQ(text(), "a]b]}c]d]}after");
    VekCellProps a = cell("a");
    EXPECT_EQ(a.borders[0], 15);
    EXPECT_EQ(a.padding, 60);
    EXPECT_EQ(a.colour, 0xFF0000u) << "the row's colour";
    EXPECT_EQ(a.tableWidth, -50);
    EXPECT_EQ(a.tableAlignment, 1);
    EXPECT_EQ(a.columns, 2);
    EXPECT_EQ(a.depth, 1);
    EXPECT_EQ(props(lineOf("a")).flags & 0xC03, 2) << "the row's alignment";
    VekCellProps b = cell("b");
    EXPECT_EQ(b.colour, 0x0000FFu);
    EXPECT_EQ(b.width, 1500);
    EXPECT_EQ(b.height, 300);
    EXPECT_EQ(b.flags & kBottom, kBottom);
    VekCellProps c = cell("c");
    EXPECT_EQ(c.flags & kHeader, kHeader);
    EXPECT_EQ(c.colour, 0x00FF00u) << "a row without a colour takes the table's";
    EXPECT_EQ(styleAt(lineOf("c"), 0) & 2, 2u);
    EXPECT_EQ(props(lineOf("c")).flags & 0xC03, 2) << "a row without align keeps the row before's";
    VekCellProps d = cell("d");
    EXPECT_EQ(d.flags & kMiddle, kMiddle);
    EXPECT_EQ(styleAt(lineOf("d"), 0) & 2, 0u);
    EXPECT_EQ(props(lineOf("d")).style & 0x10, 0x10) << "nowrap";
    char qfn[301];
    ASSERT_GE(PlxGetTagData(hWnd, 1, cellOf("d"), 0, nullptr, nullptr, qfn, nullptr), 0);
    EXPECT_STREQ(qfn, "field7");
    EXPECT_EQ(cellOf("after"), 0);
}

TEST_F(PlxReadTableTest, RowSpansGetFillerCellsInTheRowsBelow)
{
    read("<table><tr><td rowspan=2>tall<td>b<tr><td>c<tr><td>d<td>e</table>");
    EXPECT_EQ(text(), "tall]b]}]c]}d]e]}");
    EXPECT_EQ(cell("tall").rowSpan, 2);
    int filler = 0;
    for (int line = 0; line < info().lineCount && !filler; ++line) {
        int c = 0;
        EditorGetLineInfo(hWnd, line, &c, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        VekCellProps p{};
        if (EditorGetCellProps(hWnd, c, &p) && (p.flags & kFiller))
            filler = c;
    }
    ASSERT_NE(filler, 0);
    EXPECT_LT(filler, cellOf("c")) << "the filler comes first in its row";
    EXPECT_EQ(cell("e").columns, 2);
}

TEST_F(PlxReadTableTest, ColumnSpansCoverTheColumnsAfterTheFirst)
{
    read("<table><tr><td colspan=2 rowspan=2>wide<td>x<tr><td>y</table>");
    EXPECT_EQ(cell("wide").colSpan, 2);
    EXPECT_EQ(cell("x").columns, 3);
    EXPECT_EQ(text(), "wide]x]}]y]}") << "one filler of two columns under the wide cell";
}

TEST_F(PlxReadTableTest, ARowWithoutCellsGetsAnEmptyOne)
{
    read("<table><tr><td>a<tr></tr><tr><td>b</table>");
    EXPECT_EQ(text(), "a]}]}b]}");
}

TEST_F(PlxReadTableTest, CaptionsGoAboveOrBelowTheirTable)
{
    read("<table><caption>above</caption><tr><td>cell</table><table><caption align=bottom>below</caption>"
         "<tr><td>other</table>end");
    EXPECT_EQ(text(), "above|cell]}other]}below|end");
    EXPECT_EQ(cellOf("above"), 0);
    EXPECT_EQ(props(lineOf("above")).flags & 1, 1);
    EXPECT_EQ(styleAt(lineOf("above"), 0) & 2, 2u);
    EXPECT_EQ(cellOf("below"), 0);
    EXPECT_EQ(props(lineOf("below")).flags & 1, 1);
}

TEST_F(PlxReadTableTest, ATableInABlockQuoteIsIndentedAndEndsTheQuote)
{
    read("<blockquote>q<table><tr><td>in</table>quoted</blockquote>after");
    EXPECT_EQ(cell("in").tableIndent, 600);
    Props in = props(lineOf("in"));
    EXPECT_EQ(in.left, 0);
    EXPECT_EQ((in.word >> 9) & 7, 0) << "the cell's text is no block quote";
    EXPECT_EQ(props(lineOf("quoted")).left, 600) << "the quote goes on after its table";
    EXPECT_EQ(props(lineOf("after")).left, 0);
}

TEST_F(PlxReadTableTest, TablesNestFiveDeepAndDeeperOnesPassTheirText)
{
    std::string page;
    for (int i = 1; i <= 6; ++i)
        page += "<table><tr><td>level" + std::to_string(i) + " ";
    page += "<td>more";
    for (int i = 0; i < 6; ++i)
        page += "</table>";
    read(page + "after");
    EXPECT_EQ(cell("level5").depth, 5);
    EXPECT_EQ(cellOf("level6"), cellOf("level5")) << "the sixth table's text is in the fifth's cell";
    EXPECT_EQ(cellOf("more"), cellOf("level5"));
    EXPECT_EQ(cell("level2").enclosingCell, cellOf("level1"));
    EXPECT_EQ(PlxGetUsfList(hWnd) & 0x2, 0x2u);
    EXPECT_EQ(cellOf("after"), 0);
}

TEST_F(PlxReadTableTest, SpansAndRowsPastThreeHundredColumnsStayInside)
{
    std::string page = "<table><tr><td colspan=100000 rowspan=99999>wide";
    for (int i = 0; i < 400; ++i)
        page += "<td>c" + std::to_string(i);
    page += "<tr>";
    for (int i = 0; i < 320; ++i)
        page += "<td rowspan=3>r" + std::to_string(i);
    page += "</table><table width=500%><tr><td width=250%>big</table>";
    EXPECT_EQ(read(page), 1);
    EXPECT_EQ(cell("wide").colSpan, 300);
    EXPECT_EQ(cell("wide").rowSpan, 300);
    EXPECT_NE(lineOf("c399"), -1) << "cells past the columns keep their text";
    EXPECT_NE(lineOf("r319"), -1);
    EXPECT_EQ(cell("big").tableWidth, -100) << "a percentage is at most 100";
    EXPECT_EQ(cell("big").width, -100);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxReadTableTest, TextBeforeTheFirstCellMakesOne)
{
    read("<table>loose text<tr><td>x</table>");
    EXPECT_EQ(text(), "loose text|x]}") << "text between table and row stands above the table";
    read("<p>p<table><td>no row tag</table>");
    EXPECT_NE(cellOf("no row tag"), 0);
}

// The spacing of every line of a plain table and the paragraphs around it, read into a fresh
// window and again after clearing it: the window's history must not show.
TEST_F(PlxReadTableTest, CellsWithoutAttributesLookTheSameInAFreshAndAClearedWindow)
{
    const std::string page = "<p>before</p><table><tr><td>one<td>two</tr><tr><td>three<td>four</table><div>plain</div>";
    auto spacing = [&] {
        std::string all;
        for (int line = 0; line < info().lineCount; ++line) {
            Props p = props(line);
            all += std::to_string(line) + ":" + std::to_string(p.before) + "/" + std::to_string(p.after) + " ";
        }
        return all;
    };
    ASSERT_EQ(read(page), 1);
    std::string fresh = spacing();
    for (const char* cellText : {"one", "two", "three", "four"}) {
        Props p = props(lineOf(cellText));
        EXPECT_EQ(p.before + p.after, 0) << cellText << " in " << fresh;
    }
    EXPECT_EQ(props(lineOf("plain")).before, 0) << fresh;
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read(page), 1);
    EXPECT_EQ(spacing(), fresh);
}
