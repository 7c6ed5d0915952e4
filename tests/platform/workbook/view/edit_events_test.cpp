#include "control_fixture.h"

using namespace ks;
using namespace ks::test;

TEST_F(ControlTest, TypingAndEnterRaiseEventsInOrderAndCommitBeforeKeyUp)
{
    control.PlaceCursor(4, 2);
    logEvents(4, 2);
    QTest::keyClick(grid(), Qt::Key_5);
    ASSERT_TRUE(control.grid().editing());
    QTest::keyClicks(editor(), "0");
    QTest::keyClick(editor(), Qt::Key_Return);

    EXPECT_EQ(log, (Log{"KeyDown 53 cell=", "StartEdit", "KeyDown 13 cell=", "EndEdit 50 cell=", "KeyUp 13 cell=50"}));
    EXPECT_DOUBLE_EQ(control.SheetNumber(4, 2), 50);
    EXPECT_EQ(control.GetCursorCell(), (workbook::CellPos{5, 2}));
    EXPECT_FALSE(control.grid().editing());
}

TEST_F(ControlTest, EndEditMayReplaceTheTextAndKeyDownMayTakeTheKey)
{
    control.PlaceCursor(2, 4);
    control.EndEdit = [](std::string& text) { if (text != "0") text = "0"; };
    QTest::keyClick(grid(), Qt::Key_7);
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_EQ(control.SheetText(2, 4), "0");
    EXPECT_EQ(control.GetCursorCell(), (workbook::CellPos{2, 5}));

    // A handler that zeroes the key code keeps the key from the grid.
    control.KeyDown = [](int& key, int) { key = 0; };
    QTest::keyClick(grid(), Qt::Key_8);
    EXPECT_FALSE(control.grid().editing());
    EXPECT_EQ(control.SheetText(2, 5), "");
}

TEST_F(ControlTest, DeleteClearsTheSelectionBetweenKeyDownAndKeyUp)
{
    control.setSheetNumber(6, 3, 7);
    control.setSheetNumber(7, 3, 8);
    control.SelectBlock(6, 3, 7, 3);
    logEvents(6, 3);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(log, (Log{"KeyDown 46 cell=7", "KeyUp 46 cell="}));
    EXPECT_EQ(control.SheetText(7, 3), "");
}

TEST_F(ControlTest, AClickOnAnotherCellCommitsTheEditThenClicksWithTheNewActiveCell)
{
    control.PlaceCursor(4, 3);
    logEvents(4, 3);
    QTest::keyClick(grid(), Qt::Key_9);
    clickCell(8, 5);
    EXPECT_EQ(log, (Log{"KeyDown 57 cell=", "StartEdit", "EndEdit 9 cell=", "Click 8,5 cell=9"}));
    EXPECT_EQ(control.GetCursorCell(), (workbook::CellPos{8, 5}));

    // A plain click raises Click alone.
    log.clear();
    clickCell(3, 1);
    EXPECT_EQ(log, (Log{"Click 3,1 cell=9"}));
}

TEST_F(ControlTest, ProtectedCellsRefuseTypingButTakeProgramWrites)
{
    control.setSheetText(2, 2, "kept");
    control.SelectBlock(3, 2, 3, 2);
    control.SetSelectionProtection(false, false);
    control.setSheetProtected(true);
    logEvents(2, 2);

    control.PlaceCursor(2, 2);
    QTest::keyClick(grid(), Qt::Key_X);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_FALSE(control.grid().editing());
    EXPECT_EQ(control.SheetText(2, 2), "kept");
    EXPECT_EQ(ui.beeps(), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "StartEdit"), 0);

    control.setSheetText(2, 2, "program");
    EXPECT_EQ(control.SheetText(2, 2), "program");

    // The unlocked cell takes the user's entry.
    control.PlaceCursor(3, 2);
    QTest::keyClick(grid(), Qt::Key_4);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(control.SheetText(3, 2), "4");
}

TEST_F(ControlTest, ADisabledHostLetsNoInputReachTheBook)
{
    control.PlaceCursor(2, 2);
    logEvents(2, 2);
    control.setHostEnabled(false);
    QTest::keyClick(grid(), Qt::Key_5);
    clickCell(5, 5);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(control.GetCursorCell(), (workbook::CellPos{2, 2}));
    control.setHostEnabled(true);
    EXPECT_TRUE(control.HostEnabled());
}

TEST_F(ControlTest, AFormulaThatDoesNotParseKeepsTheEditOpenAndLosesNothing)
{
    control.setSheetNumber(2, 2, 3);
    control.PlaceCursor(2, 2);
    ui.answerMessage(ks::ui::OK);
    QTest::keyClick(grid(), Qt::Key_Equal);
    QTest::keyClicks(editor(), "1+");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(control.grid().editing());
    EXPECT_EQ(editor()->text(), "=1+");
    EXPECT_DOUBLE_EQ(control.SheetNumber(2, 2), 3);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);

    QTest::keyClicks(editor(), "1");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(control.SheetNumber(2, 2), 2);
    EXPECT_EQ(control.SheetFormula(2, 2), "1+1");
}

TEST_F(ControlTest, AFailingHandlerIsReportedAndTheControlGoesOn)
{
    control.Click = [](int, int) { throw RuntimeError(13, "Type mismatch"); };
    ui.answerMessage(ks::ui::OK);
    clickCell(2, 2);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Type mismatch\r\r(Error #13)");
    EXPECT_EQ(control.GetCursorCell(), (workbook::CellPos{2, 2}));
}

TEST_F(ControlTest, HostMembersAndDisplaySettingsAreKept)
{
    control.setHostTag("dirty");
    control.setControlTitle("Scorecard");
    control.setViewNumberE(20);
    control.setViewSwitchA(true);
    control.setEditBarShown(false);
    control.setHostWidth(1440 * 5);
    EXPECT_EQ(control.HostTag(), "dirty");
    EXPECT_EQ(control.ControlTitle(), "Scorecard");
    EXPECT_EQ(control.ViewNumberE(), 20);
    EXPECT_TRUE(control.ViewSwitchA());
    EXPECT_FALSE(control.EditBarShown());
    EXPECT_NEAR(control.HostWidth(), 1440 * 5, 20);
    control.setHostVisible(false);
    EXPECT_FALSE(control.HostVisible());
}

TEST_F(ControlTest, SelectionReferenceShowsTheNamesSheetAndScrollsToIt)
{
    control.book().setSheetCount(2);
    control.book().DefineName("KPI_1", "Sheet2!$B$300:$C$300");
    control.setSelectionReference("KPI_1");
    EXPECT_EQ(control.CurrentSheet(), 2);
    EXPECT_EQ(control.GetSelectedBlock(), (workbook::Block{300, 2, 300, 3}));
    EXPECT_LE(control.grid().topRow(), 300);
    EXPECT_GT(control.grid().topRow(), 250);
}

TEST_F(ControlTest, TheEditBarFollowsTheActiveCellAndNoOtherCell)
{
    QLineEdit* bar = nullptr;
    for (QLineEdit* line : control.findChildren<QLineEdit*>())
        if (line->isReadOnly())
            bar = line;
    ASSERT_NE(bar, nullptr);
    control.PlaceCursor(2, 2);
    control.setSheetText(2, 2, "active");
    EXPECT_EQ(bar->text(), "active");
    control.setSheetText(5, 5, "elsewhere");
    EXPECT_EQ(bar->text(), "active");

    // A pasted block that covers the active cell shows what landed there.
    control.setSheetFormula(7, 1, "1+1");
    control.setSheetText(7, 2, "second");
    control.SelectBlock(7, 1, 7, 2);
    control.book().CopyBlock();
    control.SelectBlock(2, 2, 2, 2);
    control.book().PasteBlock();
    EXPECT_EQ(bar->text(), "=1+1");
    control.PlaceCursor(2, 3);
    EXPECT_EQ(bar->text(), "second");
}
