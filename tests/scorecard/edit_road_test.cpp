// The month view typed into through the real grid: what reaches the history sheets,
// the changed marker, the coach's calls, and month switches that refill the view.
#include "coaching/main_video.h"
#include "common/layout/scorecard_layout.h"
#include "platform/media/media_player.h"
#include "platform/runtime/program_end.h"
#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/view/grid_view.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/progress_window.h"
#include "scorecard_window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QWindow>

using namespace ks;
using namespace ks::scorecard::layout;

namespace {

struct EditRoadTest : test::SpreadFormTest {
    SpreadForm* w = nullptr;
    WorkbookControl* book = nullptr;

    // The edits of a test are not saved: closing must not ask.
    ~EditRoadTest() override
    {
        if (book)
            book->setHostTag({});
    }

    void start(const std::string& coachMode = "2")
    {
        settings(dir.str() + "/spreadsheets/Sample.vqa", coachMode);
        Main();
        w = &form<SpreadForm>();
        book = w->F1BookMain;
        book->activateWindow();
    }
    workbook::view::GridView& grid() { return book->grid(); }
    void type(int row, int col, const QString& text)
    {
        book->PlaceCursor(row, col);
        QTest::keyClicks(&grid(), text.left(1));
        ASSERT_TRUE(grid().editing());
        QTest::keyClicks(grid().cellEditor(), text.mid(1));
        QTest::keyClick(grid().cellEditor(), Qt::Key_Return);
    }
    void click(int row, int col)
    {
        book->PlaceCursor(row, col);
        book->ScrollToCursor();
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().cellCenter(row, col));
    }
    int actualLine() const { return static_cast<int>(book->BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol)); }
    int textLine() const
    {
        return texts::lineRow(static_cast<int>(book->BookNumber(kKpiComments, texts::kMonthNumberRow, texts::kMonthNumberCol)));
    }
    void pick(int listId, int item)
    {
        QComboBox* box = grid().listBox(listId);
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    // The month the view shows, as a day number.
    double selectedMonth() const { return book->BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol); }
};

}

TEST_F(EditRoadTest, EveryBandOfTheMonthViewReachesItsHistory)
{
    start();
    const int line = actualLine(), textRow = textLine();
    ASSERT_GE(line, history::kFirstRow);

    type(month::kpiRow(1), month::kActualCol, "1234");
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, line, history::kpiCol(1)), 1234);
    EXPECT_EQ(book->HostTag(), "dirty") << "typed data must not be lost on close";
    type(month::kpiRow(3), month::kTargetCol, "77");
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, line + 1, history::kpiCol(3)), 77);

    type(month::kpiRow(2), month::kCommentCol, "Late invoices");
    EXPECT_EQ(book->BookText(kKpiComments, textRow, texts::commentCol(2)), "Late invoices");
    type(26, month::kRightTextCol, "Supplier left");   // the second obstacle line
    EXPECT_EQ(book->BookText(kSectionTexts, textRow, texts::kObstacleCol + 1), "Supplier left");
    type(36, month::kLeftTextCol, "Trade fair");       // the last marketing line
    EXPECT_EQ(book->BookText(kSectionTexts, textRow, texts::kMarketingCol + 6), "Trade fair");
    type(39, month::kRightTextCol, "New till system");
    EXPECT_EQ(book->BookText(kSectionTexts, textRow, texts::kSystemsCol), "New till system");

    // Rows between the bands (locked in the template, so raised here) record a text edit but copy nothing.
    const std::string before = book->BookText(kSectionTexts, textRow, texts::kMarketingCol + 6);
    book->PlaceCursor(37, month::kLeftTextCol);
    w->F1BookMain_StartEdit();
    EXPECT_EQ(w->CellEdit.textEdit, 1);
    book->setSheetText(37, month::kLeftTextCol, "not a plan line");
    w->F1BookMain_KeyUp(13, 0);
    EXPECT_EQ(book->BookText(kSectionTexts, textRow, texts::kMarketingCol + 6), before);
    EXPECT_EQ(w->CellEdit.textEdit, 0);
}

TEST_F(EditRoadTest, TheWindowHoldsUnsavedChangesFromTheEditUntilTheSave)
{
    start();
    // In a folder whose name holds what Qt would take for the place of the modified mark.
    const QString mine = QString::fromStdString(dir.str() + "/spreadsheets/Q[*]/Mine.vqa");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(mine).path()));
    ui.answerSave(mine);
    ASSERT_TRUE(w->MnuFilesaveas_Click());
    const QString caption = "T   :  " + mine;
    EXPECT_EQ(w->windowHandle()->title(), caption);
    EXPECT_FALSE(w->isWindowModified()) << "a scorecard just saved holds no changes";

    type(month::kpiRow(1), month::kActualCol, "1234");
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_EQ(w->windowHandle()->title(), caption) << "the caption shows the path, not the state";

    ASSERT_TRUE(w->MnuFilesave_Click());
    EXPECT_TRUE(QFileInfo::exists(mine));
    EXPECT_FALSE(w->isWindowModified());
}

TEST_F(EditRoadTest, UnchangedTextWritesNothingAndDeleteWritesZero)
{
    start();
    const int line = actualLine(), row = month::kpiRow(1);
    const std::string shown = book->SheetText(row, month::kActualCol);
    book->setBookNumber(kHistory, line, history::kpiCol(1), 555);   // so a write would show
    book->setHostTag({});

    // Re-entering the same text is no change.
    type(row, month::kActualCol, QString::fromStdString(shown));
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, line, history::kpiCol(1)), 555);
    EXPECT_EQ(w->CellEdit.valueEdit, 0);
    EXPECT_EQ(book->HostTag(), "");

    // Delete starts a value edit without an edit event; its release writes the 0.
    book->PlaceCursor(row, month::kActualCol);
    QTest::keyClick(&grid(), Qt::Key_Delete);
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, line, history::kpiCol(1)), 0);
    EXPECT_EQ(book->HostTag(), "dirty");
}

TEST_F(EditRoadTest, ClicksEndEditsGiveHintsAndMarkTheScorecard)
{
    start();
    const int line = actualLine();
    // A click that ends a value edit copies it; the next plain click marks the scorecard.
    book->PlaceCursor(month::kpiRow(2), month::kActualCol);
    QTest::keyClicks(&grid(), "4");
    QTest::keyClicks(grid().cellEditor(), "2");
    book->setHostTag({});
    click(month::kpiRow(2), month::kCommentCol);
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, line, history::kpiCol(2)), 42);
    EXPECT_EQ(book->HostTag(), "dirty");

    book->setHostTag({});
    click(3, 8);
    EXPECT_EQ(book->HostTag(), "dirty") << "every other click marks the scorecard";
    EXPECT_EQ(w->CellEdit.row, 3);
    EXPECT_EQ(w->CellEdit.column, 8);

    ui.answerMessage(ui::OK);
    click(month::kpiRow(5), month::kNameCol);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes().back().text.contains("'SETUP' icon"));
    ui.answerMessage(ui::OK);
    click(month::kYearNoteFirstRow, month::kNameCol);
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.messageBoxes().back().text, "To change your Financial Year select TOOLS OPTIONS from the menu.");
}

TEST_F(EditRoadTest, AChangedValueHandsOverToTheActiveCoach)
{
    start("0");
    MediaPlayer& player = *form<MainVideo>().MediaPlayer1;
    player.close();
    type(month::kpiRow(1), month::kActualCol, "1");
    EXPECT_TRUE(player.URL().endsWith(".wmv")) << player.URL().toStdString();
    EXPECT_FALSE(player.URL().endsWith("intro.wmv"));

    // A plain click on a section explains it; the second click on it stays silent.
    player.close();
    click(month::kPlanFirstRow, month::kLeftTextCol);
    const QString explained = player.URL();
    EXPECT_TRUE(explained.endsWith(".wmv")) << explained.toStdString();
    player.close();
    click(month::kPlanFirstRow + 1, month::kLeftTextCol);
    EXPECT_NE(player.URL(), explained);
    ClearCoachCommentCounters();
}

TEST_F(EditRoadTest, TheSetupSheetsSampleColumnStaysZero)
{
    start();
    book->setCurrentSheet(kSetup);
    type(setup::kpiRow(1), setup::kFormatSampleCol, "12");
    EXPECT_EQ(book->SheetText(setup::kpiRow(1), setup::kFormatSampleCol), "0");
    EXPECT_TRUE(form<MainVideo>().MediaPlayer1->URL().endsWith("Help/Formating data entry cells.wmv"));
}

TEST_F(EditRoadTest, AMonthSwitchRefillsTheViewFromTheHistoryAndBack)
{
    start();
    const int row = month::kpiRow(1);
    type(row, month::kActualCol, "9001");
    type(row, month::kCommentCol, "this month");
    type(month::kSuccessFirstRow, month::kLeftTextCol, "won a contract");
    const int monthItem = book->ListSelection(month::kMonthListId);
    const int earlier = monthItem > 0 ? monthItem - 1 : 11;
    if (monthItem == 0)
        pick(month::kYearListId, (book->ListSelection(month::kYearListId) + 9) % 10);
    pick(month::kMonthListId, earlier);

    const int line = actualLine();
    EXPECT_DOUBLE_EQ(book->SheetNumber(row, month::kActualCol), book->BookNumber(kHistory, line, history::kpiCol(1)));
    EXPECT_DOUBLE_EQ(book->SheetNumber(row, month::kTargetCol), book->BookNumber(kHistory, line + 1, history::kpiCol(1)));
    EXPECT_NE(book->SheetText(row, month::kCommentCol), "this month");
    const std::string success = book->BookText(kSectionTexts, textLine(), texts::kSuccessCol);
    EXPECT_EQ(book->SheetText(month::kSuccessFirstRow, month::kLeftTextCol), success);
    EXPECT_FALSE(form<FormcreatingGraphs>().isVisible());

    if (monthItem == 0)
        pick(month::kYearListId, (book->ListSelection(month::kYearListId) + 1) % 10);
    pick(month::kMonthListId, monthItem);
    EXPECT_EQ(book->SheetText(row, month::kActualCol), "9001");
    EXPECT_EQ(book->SheetText(row, month::kCommentCol), "this month");
    EXPECT_EQ(book->SheetText(month::kSuccessFirstRow, month::kLeftTextCol), "won a contract");
}

TEST_F(EditRoadTest, AnEmptyKpiSlotIsClearedAndSectionPicksAreNotRefills)
{
    start();
    // Slot 20 of the sample is not in use: whatever stands there goes on a month change.
    const int row = month::kpiRow(kKpiCount);
    ASSERT_EQ(book->SheetText(row, month::kNameCol), "");
    book->setSheetNumber(row, month::kActualCol, 5);
    book->setSheetText(row, month::kCommentCol, "stray");
    w->F1BookMain_ObjValueChanged(month::kMonthListName, month::kMonthListId);
    EXPECT_EQ(book->SheetText(row, month::kActualCol), "");
    EXPECT_EQ(book->SheetText(row, month::kCommentCol), "");

    // A section list only recalculates.
    book->setSheetNumber(month::kpiRow(1), month::kActualCol, 31337);
    w->F1BookMain_ObjValueChanged("", month::kSuccessListId);
    EXPECT_DOUBLE_EQ(book->SheetNumber(month::kpiRow(1), month::kActualCol), 31337);
}

TEST_F(EditRoadTest, AMonthOutsideTheHistoryIsRefusedAndTheViewFollowsTheLists)
{
    start();
    const double first = book->BookNumber(kHistory, history::kFirstRow, history::kDateCol);
    const workbook::CivilDate begin = workbook::civilFromSerial(first);
    ASSERT_GT(begin.month, 1) << "the sample's history starts after January";
    const int row = month::kpiRow(1);

    // A month of the first year before the history's first: the lists go back to that first month.
    book->setListSelection(month::kYearListId, begin.year % 10);
    book->setSheetNumber(row, month::kActualCol, 123456);   // what another month left in the view
    ui.answerMessage(ui::OK);
    pick(month::kMonthListId, begin.month - 2);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Can't set the date to before the first entered date of data history");
    EXPECT_EQ(book->ListSelection(month::kMonthListId), begin.month - 1);
    EXPECT_EQ(book->ListSelection(month::kYearListId), begin.year % 10);
    EXPECT_DOUBLE_EQ(selectedMonth(), first);
    EXPECT_DOUBLE_EQ(book->SheetNumber(row, month::kActualCol),
                     book->BookNumber(kHistory, history::kFirstRow, history::kpiCol(1)))
        << "the view shows the month the lists name";
    type(row, month::kActualCol, "8");
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, history::kFirstRow, history::kpiCol(1)), 8);

    // A year the history has no lines for: back to its last month.
    const int lastLine = history::actualRow(kHistoryMonths - 1);
    const workbook::CivilDate end = workbook::civilFromSerial(book->BookNumber(kHistory, lastLine, history::kDateCol));
    ui.answerMessage(ui::OK);
    pick(month::kYearListId, (end.year + 1) % 10);
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(book->ListSelection(month::kYearListId), end.year % 10);
    EXPECT_EQ(book->ListSelection(month::kMonthListId), end.month - 1);
    EXPECT_EQ(actualLine(), lastLine);
    type(row, month::kActualCol, "9");
    EXPECT_DOUBLE_EQ(book->BookNumber(kHistory, lastLine, history::kpiCol(1)), 9);
}
