#include "control_fixture.h"

#include "platform/workbook/view/sheet_geometry.h"

using namespace ks;
using namespace ks::test;
using ks::workbook::view::SheetGeometry;

TEST(SheetGeometry, HiddenRowsTakeNoSpaceAndAnchorsFollowTheCells)
{
    workbook::Sheet sheet("Sheet1");
    sheet.hiddenRows = {3, 4};
    sheet.columnWidths[2] = 20;
    SheetGeometry g;
    g.rebuild(sheet, workbook::StyleTable());
    int h = SheetGeometry::pixelsOfHeight(0);
    EXPECT_EQ(g.rowHeight(3), 0);
    EXPECT_EQ(g.rowTop(5), 2 * h);
    EXPECT_EQ(g.rowAt(2 * h), 5);  // never a hidden row
    EXPECT_EQ(g.rowAt(-5), 1);
    EXPECT_EQ(g.rowAt(1 << 30), workbook::kMaxRows);
    EXPECT_EQ(g.colWidth(2), SheetGeometry::pixelsOfWidth(20));
    QRectF r = g.anchorRect({1.5, 1, 3, 2});
    EXPECT_DOUBLE_EQ(r.left(), g.colWidth(1) / 2.0);
    EXPECT_DOUBLE_EQ(r.right(), g.colLeft(3));
    EXPECT_DOUBLE_EQ(r.height(), h);
}

TEST_F(ControlTest, TheCursorPassesOverHiddenRowsAndScrollsIntoView)
{
    control.setRowHiddenFlag(5, true);
    control.PlaceCursor(4, 1);
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(control.GetCursorCell(), (workbook::CellPos{6, 1}));
    control.PlaceCursor(5000, 200);
    control.ScrollToCursor();
    EXPECT_LE(control.grid().topRow(), 5000);
    EXPECT_GT(control.grid().topRow(), 4950);
    EXPECT_LE(control.grid().leftColumn(), 200);
    QPoint p = control.grid().cellCenter(5000, 200);
    EXPECT_TRUE(viewport()->rect().contains(p));
}

TEST_F(ControlTest, ShiftWithArrowsExtendsTheSelectionFromItsAnchor)
{
    control.PlaceCursor(5, 3);
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(control.GetSelectedBlock(), (workbook::Block{5, 2, 7, 3}));
    QTest::keyClick(grid(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(control.GetSelectedBlock(), (workbook::Block{5, 2, 6, 3}));
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(control.GetSelectedBlock().rows(), 1);
}
