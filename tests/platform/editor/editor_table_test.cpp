#include "editor_fixture.h"
#include "platform/editor/vek32_codes.h"

#include <cstring>

using namespace ks::editor;
using ks::test::EditorTest;

namespace {

// Builds, as the add-on's reader does: a 2x2 outer table whose first cell spans two rows
// (the second row gets a filler), and a nested one-cell table inside the top-right cell.
struct Built {
    int a, b, inner, filler, d;
};

Built buildNested(HWND h)
{
    Built t{};
    EditorAppendText(h, "before\x15", 0, 0, 0, -1, 0);
    t.a = EditorCreateCell(h, 1, 0, 0, 100, 0, 2000, 0, 15, 15, 15, 15, 2, 1, 0x20);
    EditorSetCellProps(h, t.a, 0xFFFFFF, -1, 0);
    EditorSetTableWidth(h, t.a, -80);
    EditorAppendText(h, "A\x13", 0, 0, t.a, -1, 0);
    t.b = EditorCreateCell(h, 0, t.a, 0, 100, 0, -50, 0, 15, 15, 15, 15, 1, 1, 0xA0 | 0x1000);
    EditorSetCellProps(h, t.b, 0x00FF00, 60, 0);
    EditorAppendText(h, "B\x15", 0, 0, t.b, -1, 0);
    t.inner = EditorCreateCell(h, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0x20);
    EditorSetCellProps(h, t.inner, 0xFFFFFF, -1, t.b);
    EditorAppendText(h, "inner\x13", 0, 0, t.inner, -1, 0);
    EditorAppendText(h, "\x12", 0, 0, t.inner, -1, 0);
    EditorEndTable(h, t.inner, 1);
    EditorAppendText(h, "\x13", 0, 0, t.b, -1, 0);
    EditorAppendText(h, "\x12", 0, 0, t.b, -1, 0);
    t.filler = EditorCreateCell(h, 1, t.b, 0, 100, 0, 0, 0, 15, 15, 15, 15, 0, 1, 0x20);
    EditorAppendText(h, "\x13", 0, 0, t.filler, -1, 0);
    t.d = EditorCreateCell(h, 0, t.filler, 0, 100, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
    EditorAppendText(h, "D\x13", 0, 0, t.d, -1, 0);
    EditorAppendText(h, "\x12", 0, 0, t.d, -1, 0);
    EditorEndTable(h, t.d, 2);
    EditorAppendText(h, "after\x15", 0, 0, 0, -1, 0);
    EditorUpdateTables(h);
    return t;
}

}

TEST_F(EditorTest, NestedTablesWithSpansReadBackLineByLine)
{
    eraseLoneMark();
    Built t = buildNested(hWnd);
    ASSERT_TRUE(t.a && t.b && t.inner && t.filler && t.d);
    std::vector<std::string> lines;
    for (int n = 0; n < lineCount(); ++n)
        lines.push_back(line(n).chars);
    EXPECT_EQ(lines, (std::vector<std::string>{"before\x15", "A\x13", "B\x15", "inner\x13", "\x12", "\x13", "\x12",
                                               "\x13", "D\x13", "\x12", "after\x15"}));
    EXPECT_EQ(cellOf(0), 0);
    EXPECT_EQ(cellOf(1), t.a);
    EXPECT_EQ(cellOf(3), t.inner);
    EXPECT_EQ(cellOf(5), t.b);
    EXPECT_EQ(EditorGetLineTableLevel(hWnd, 3), 2);
    EXPECT_EQ(EditorGetLineTableLevel(hWnd, 1), 1);
    EXPECT_EQ(EditorGetLineTableLevel(hWnd, 10), 0);
    EXPECT_TRUE(EditorTestLineFlag(hWnd, 1, 0x10));
    EXPECT_TRUE(EditorTestLineFlag(hWnd, 4, 0x20));
    EXPECT_TRUE(flags(4) & kLineCellOrRow);
    EXPECT_FALSE(EditorTestLineFlag(hWnd, 2, 0x10));

    int rowA = EditorGetCellInfo(hWnd, t.a);
    EXPECT_EQ(EditorGetCellInfo(hWnd, t.b), rowA);
    EXPECT_NE(EditorGetCellInfo(hWnd, t.d), rowA);
    EXPECT_TRUE(EditorIsNewTable(hWnd, rowA));
    EXPECT_FALSE(EditorIsNewTable(hWnd, EditorGetCellInfo(hWnd, t.d)));
    EXPECT_TRUE(EditorIsNewTable(hWnd, EditorGetCellInfo(hWnd, t.inner)));

    VekCellProps p{};
    int f = EditorGetCellProps(hWnd, t.b, &p);
    EXPECT_EQ(f & 0x80, 0x80);
    EXPECT_EQ(f & 0x1000, 0x1000);
    EXPECT_EQ(f & 0x200, 0x200) << "a percentage width";
    EXPECT_EQ(f & 0x8000, 0x8000);
    EXPECT_EQ(p.colour, 0x00FF00u);
    EXPECT_EQ(p.padding, 60);
    EXPECT_EQ(p.tableWidth, -80);
    EXPECT_EQ(p.tableIndent, 100);
    EXPECT_EQ(p.columns, 2);
    EXPECT_EQ(EditorGetCellProps(hWnd, t.a, &p) & 0x100, 0x100);
    EXPECT_EQ(p.rowSpan, 2);
    EXPECT_EQ(EditorGetCellProps(hWnd, t.filler, &p) & 0x10, 0x10) << "the filler is covered";
    EXPECT_EQ(EditorGetCellProps(hWnd, t.inner, &p) & 0x8000, 0x8000);
    EXPECT_EQ(p.depth, 2);
    EXPECT_EQ(p.enclosingCell, t.b);
    EXPECT_FALSE(EditorCheckPara(hWnd, 7)) << "the covered cell's paragraph is off limits";
    EXPECT_TRUE(EditorCheckPara(hWnd, 8));

    // Bad calls fail without harm.
    EXPECT_EQ(EditorCreateCell(hWnd, 0, 9999, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0x20), 0);
    EXPECT_EQ(EditorCreateCell(hWnd, 0, t.a, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 1, 0x20), 0);
    EXPECT_FALSE(EditorSetCellProps(hWnd, t.a, 0, -1, t.inner)) << "a table cannot nest in itself";
    EXPECT_FALSE(EditorAppendText(hWnd, "x", 0, 0, 9999, -1, 0));
    EXPECT_EQ(EditorGetCellProps(hWnd, 9999, &p), 0);
}

TEST_F(EditorTest, ALineReadWithItsRecordIsTheLineAndTheRecordReadApart)
{
    eraseLoneMark();
    buildNested(hWnd);
    EditorAppendText(hWnd, (std::string(700, 'w') + " tail\x15").c_str(), 0, 0, 0, -1, 0);
    ASSERT_GT(lineCount(), 12) << "the long paragraph takes several lines";
    for (int n = 0; n < lineCount(); ++n) {
        VekLineRecord apart{}, together{};
        ASSERT_TRUE(EditorGetLineRecord(hWnd, n, &apart));
        char chars[301];
        std::uint16_t fonts[301];
        ASSERT_TRUE(EditorGetLineRecordText(hWnd, n, &together, chars, fonts));
        EXPECT_EQ(std::memcmp(&apart, &together, sizeof apart), 0) << "line " << n;
        ks::test::EditorLine l = line(n);
        ASSERT_EQ(together.lastColumn, int(l.chars.size()));
        EXPECT_EQ(std::string(chars, l.chars.size()), l.chars) << "line " << n;
        EXPECT_EQ(std::vector<std::uint16_t>(fonts, fonts + l.fonts.size()), l.fonts) << "line " << n;
        EXPECT_TRUE(EditorGetLineRecordText(hWnd, n, &together, nullptr, nullptr));
    }
    VekLineRecord r{};
    char chars[301];
    EXPECT_FALSE(EditorGetLineRecordText(hWnd, lineCount(), &r, chars, nullptr));
    EXPECT_FALSE(EditorGetLineRecordText(hWnd, -1, &r, chars, nullptr));
    EXPECT_FALSE(EditorGetLineRecordText(hWnd, 0, nullptr, chars, nullptr));
    EXPECT_FALSE(EditorGetLineRecordText(nullptr, 0, &r, chars, nullptr));
}

TEST_F(EditorTest, TableCommandsInsertAndDeleteRows)
{
    eraseLoneMark();
    EditorAppendText(hWnd, "top\x15", 0, 0, 0, -1, 0);
    EditorMoveCaret(hWnd, 0, 0, 0);
    ASSERT_TRUE(EditorTableCmdA(hWnd, 2));
    int n = lineCount();
    EXPECT_EQ(n, 1 + 2 * 3);
    int first = cellOf(1);
    EXPECT_NE(first, 0);
    EXPECT_EQ(cellOf(0), 0);
    ASSERT_EQ(cellOf(info().caretLine), first) << "the caret goes into the new table";
    ASSERT_TRUE(EditorTableCmdB(hWnd, 1, 0));
    EXPECT_EQ(lineCount(), n + 3);
    EXPECT_TRUE(EditorTestLineFlag(hWnd, 6, 0x20));
    int newRow = EditorGetCellInfo(hWnd, cellOf(info().caretLine));
    EXPECT_NE(newRow, EditorGetCellInfo(hWnd, first));
    ASSERT_TRUE(EditorTableCmdC(hWnd, 3, 0));
    EXPECT_EQ(lineCount(), n);
    EditorMoveCaret(hWnd, 0, 0, 0);
    EXPECT_FALSE(EditorTableCmdB(hWnd, 1, 0)) << "outside a table there is no row";

    // At an open last paragraph the table goes after it, not around its text.
    EditorAppendText(hWnd, "tail", 0, 0, 0, -1, 0);
    EditorMoveCaret(hWnd, lineCount() - 1, 2, 0);
    ASSERT_TRUE(EditorTableCmdA(hWnd, 1));
    int tail = lineCount() - 4;
    EXPECT_EQ(line(tail).chars, "tail\x15");
    EXPECT_EQ(cellOf(tail), 0);
    EXPECT_NE(cellOf(tail + 1), 0);
}

TEST_F(EditorTest, TableCommandsInsertAndDeleteColumns)
{
    tableUnderTop(2, "A", "B");
    // A column after the first.
    ASSERT_TRUE(EditorTableCmdD(hWnd, 1, 1, 0));
    EXPECT_EQ(allLines(), (std::vector<std::string>{"top\x15", "A\x13", "\x13", "B\x13", "\x12", "\x13", "\x13", "\x13", "\x12"}));
    int row = EditorGetCellInfo(hWnd, cellOf(1));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(EditorGetCellInfo(hWnd, cellOf(n)), row) << n;
    EXPECT_EQ(cellOf(4), cellOf(3)) << "the row end stays with the last cell";
    // A column at the end takes over the row end.
    EditorMoveCaret(hWnd, 3, 0, 0);
    ASSERT_TRUE(EditorTableCmdD(hWnd, 1, 1, 0));
    EXPECT_EQ(lineCount(), 11);
    EXPECT_EQ(cellOf(5), cellOf(4));
    EXPECT_NE(cellOf(4), cellOf(3));
    // Deleting the caret's column removes it everywhere.
    EditorMoveCaret(hWnd, 1, 0, 0);
    ASSERT_TRUE(EditorTableCmdC(hWnd, 2, 0));
    EXPECT_EQ(lineCount(), 9);
    EXPECT_EQ(line(1).chars, "\x13");
    EXPECT_EQ(line(2).chars, "B\x13");
    for (int i = 0; i < 2; ++i) {
        EditorMoveCaret(hWnd, 1, 0, 0);
        ASSERT_TRUE(EditorTableCmdC(hWnd, 2, 0));
    }
    EXPECT_EQ(lineCount(), 5) << "one column of two rows left";
    EditorMoveCaret(hWnd, 1, 0, 0);
    ASSERT_TRUE(EditorTableCmdC(hWnd, 2, 0)) << "the last column takes its rows with it";
    EXPECT_EQ(lineCount(), 1);
    EXPECT_EQ(line(0).chars, "top\x15");
    EXPECT_FALSE(EditorTableCmdD(hWnd, 1, 1, 0));
    EXPECT_FALSE(EditorTableCmdE(hWnd, 0, 0, 0));
}

TEST_F(EditorTest, TableCommandsMergeAndSplitCells)
{
    tableUnderTop(1, "left", "right");
    int left = cellOf(1);
    ASSERT_TRUE(EditorTableCmdE(hWnd, 0, 0, 0));
    EXPECT_EQ(allLines(), (std::vector<std::string>{"top\x15", "left\x15", "right\x13", "\x12"}));
    EXPECT_EQ(cellOf(2), left);
    EXPECT_EQ(cellOf(3), left) << "the merged cell ends the row now";
    VekCellProps p{};
    EditorGetCellProps(hWnd, left, &p);
    EXPECT_EQ(p.colSpan, 2);
    EXPECT_FALSE(EditorTableCmdE(hWnd, 0, 0, 0)) << "no cell after it";

    ASSERT_TRUE(EditorTableCmdF(hWnd, 0, 0, 0));
    EXPECT_EQ(lineCount(), 5);
    EXPECT_EQ(line(3).chars, "\x13");
    EXPECT_NE(cellOf(3), left);
    EXPECT_EQ(cellOf(4), cellOf(3));
    EditorGetCellProps(hWnd, left, &p);
    EXPECT_EQ(p.colSpan, 1);
    EditorMoveCaret(hWnd, 1, 0, 0);
    EXPECT_FALSE(EditorTableCmdF(hWnd, 0, 0, 0)) << "a one-column cell does not split";
}
