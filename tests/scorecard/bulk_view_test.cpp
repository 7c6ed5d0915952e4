// The bulk data view driven through the real window: which history lines each choice
// shows, the percentage lines' format, the Setup button and the list's failure box.
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/runtime_error.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <cstdlib>

using namespace ks;
using namespace ks::scorecard::layout;

namespace {

// What shownLines answers.
enum Shown { kActual = 1, kTarget = 2, kAllLines = 4 };

struct BulkViewTest : test::SpreadFormTest {
    SpreadForm* w = nullptr;
    WorkbookControl* book = nullptr;

    ~BulkViewTest() override
    {
        if (book)
            book->setHostTag({});
    }
    void start()
    {
        settings(dir.str() + "/spreadsheets/Sample.vqa", "2");
        Main();
        w = &form<SpreadForm>();
        book = w->F1BookMain;
    }
    // A pick in the list as the user makes it.
    void pick(int item)
    {
        w->ComboBulkData->setCurrentIndex(item);
        emit w->ComboBulkData->activated(item);
    }
    // Which lines of every history month in rows 12..299 are shown; -1 when months differ.
    int shownLines() const
    {
        int first = -1;
        for (int j = 0; history::varianceRow(j) <= history::kBulkLastRow; ++j) {
            const bool actual = !book->RowHiddenFlag(history::actualRow(j));
            const bool target = !book->RowHiddenFlag(history::targetRow(j));
            const bool percent = !book->RowHiddenFlag(history::percentRow(j));
            const bool variance = !book->RowHiddenFlag(history::varianceRow(j));
            if (percent != variance || (percent && !(actual && target)))
                return -1;
            const int lines = percent ? kAllLines : (actual ? kActual : 0) | (target ? kTarget : 0);
            if (first != -1 && lines != first)
                return -1;
            first = lines;
        }
        return first;
    }
    std::string format(int row, int col) const { return book->book().CellFormatAt(kHistory, row, col).numberFormat; }
    void setFormat(int row, int col, const std::string& f)
    {
        const auto kept = book->GetSelectedBlock();
        book->SelectBlock(row, col, row, col);
        book->setSelectionNumberFormat(f);
        book->SelectBlock(kept.row1, kept.col1, kept.row2, kept.col2);
    }
};

}

TEST_F(BulkViewTest, TheMenuAndTheToolbarOpenTheHistoryWithItsActualLines)
{
    start();
    book->setBookText(kSetup, setup::kpiRow(1), setup::kFormatTypeCol, "percent");
    book->setBookText(kSetup, setup::kpiRow(1), setup::kDecimalsCol, "1");

    const auto* menu = qobject_cast<QMenu*>(w->MnuBulkData->parent());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> view = menu->actions();
    ASSERT_EQ(view.size(), 4);
    EXPECT_EQ(view[0]->text() + "|" + view[1]->text() + "|" + view[2]->text() + "|" + view[3]->text(),
              "Monthly Data|Bulk Data|KPI Setup|Reports");
    EXPECT_FALSE(w->ComboBulkData->isVisible());
    EXPECT_FALSE(w->CommandSetupSpreadsheet->isVisible());
    w->MnuBulkData->trigger();

    EXPECT_EQ(book->CurrentSheet(), kHistory);
    EXPECT_TRUE(book->HostVisible());
    EXPECT_FALSE(w->reportspread->HostVisible());
    EXPECT_FALSE(w->Reports->Frame10->isVisible());
    EXPECT_TRUE(w->ComboBulkData->isVisible());
    EXPECT_EQ(w->ComboBulkData->currentIndex(), -1) << "nothing chosen yet";
    EXPECT_EQ(w->ComboBulkData->count(), 3);
    EXPECT_TRUE(w->CommandSetupSpreadsheet->isVisible());
    EXPECT_FALSE(w->ComboCoachMode->isVisible());
    EXPECT_FALSE(w->LabelCoachMode->isVisible());
    EXPECT_EQ(shownLines(), kActual) << "no choice shows the actual lines only";
    EXPECT_FALSE(book->RowHiddenFlag(296));
    EXPECT_TRUE(book->RowHiddenFlag(297) && book->RowHiddenFlag(298) && book->RowHiddenFlag(299));
    EXPECT_EQ(book->GetCursorCell(), (workbook::CellPos{1, 1}));
    const int months = static_cast<int>(book->BookNumber(kSetup, setup::kHistoryMonthsRow, setup::kHistoryMonthsCol));
    EXPECT_EQ(book->ViewNumberE(), months + 5);
    EXPECT_EQ(w->MnuEditBar->text(), "Hide Edit Bar");
    // Each KPI's own format reaches its history column and the selected month's lines above it.
    EXPECT_EQ(format(history::actualRow(5), history::kpiCol(1)), "0.0%;(0%)");
    EXPECT_EQ(format(history::targetRow(70), history::kpiCol(1)), "0.0%;(0%)");
    for (int row : {history::kSelectedActualRow, history::kSelectedTargetRow}) {
        const double shown = book->BookNumber(kHistory, row, history::kpiCol(2));
        ASSERT_GT(shown, 0.2) << "the sample's gross margin";
        ASSERT_LT(shown, 0.8);
        book->setCurrentSheet(kHistory);
        EXPECT_EQ(QString::fromStdString(book->book().SheetShownText(row, history::kpiCol(2))),
                  QString::number(shown * 100, 'f', 1) + "%") << "row " << row;
    }

    // The list is placed right of Toolbar2 and the Setup button right of the list.
    EXPECT_GE(w->ComboBulkData->x(), w->Toolbar2->x() + w->Toolbar2->width());
    EXPECT_GT(w->CommandSetupSpreadsheet->x(), w->ComboBulkData->x() + w->ComboBulkData->width());
    EXPECT_EQ(w->CommandSetupSpreadsheet->y(), w->ComboBulkData->y());
    EXPECT_LE(w->CommandSetupSpreadsheet->y() + w->CommandSetupSpreadsheet->height(), book->y());
    EXPECT_GE(w->ComboBulkData->width(), w->ComboBulkData->sizeHint().width()) << "the longest item must fit";

    // KS_SCREENSHOT_BULK=<file.png> keeps a picture of the bulk view.
    if (const char* shot = std::getenv("KS_SCREENSHOT_BULK")) {
        w->resize(1280, 720);
        EXPECT_TRUE(w->grab().save(QString::fromLocal8Bit(shot)));
    }

    // Another screen hides the view's controls; Toolbar1's Bulk button brings them back.
    w->MnuKPISETUP_Click();
    EXPECT_FALSE(w->ComboBulkData->isVisible());
    EXPECT_FALSE(w->CommandSetupSpreadsheet->isVisible());
    EXPECT_TRUE(w->ComboCoachMode->isVisible());
    QAction* bulk = w->toolbarButton(w->Toolbar1, 4);
    EXPECT_EQ(bulk->data().toString(), "BulkData");
    bulk->trigger();
    EXPECT_EQ(book->CurrentSheet(), kHistory);
    EXPECT_TRUE(w->CommandSetupSpreadsheet->isVisible());
    EXPECT_FALSE(w->ComboCoachMode->isVisible());
    w->MnuMonthData_Click();
    EXPECT_EQ(book->CurrentSheet(), kMonthView);
    EXPECT_FALSE(w->CommandSetupSpreadsheet->isVisible());
}

TEST_F(BulkViewTest, EachChoiceShowsItsLinesAndNeverTouchesRowsOutsideTheView)
{
    start();
    book->setBookText(kSetup, setup::kpiRow(2), setup::kFormatTypeCol, "number");
    book->setBookText(kSetup, setup::kpiRow(2), setup::kDecimalsCol, "2");
    w->MnuBulkData_Click();
    // Rows outside 12..299 keep whatever they had.
    book->setRowHiddenFlag(11, true);
    book->setRowHiddenFlag(300, true);
    setFormat(300, history::kpiCol(1), "0.000");
    const auto outsideKept = [&] {
        EXPECT_TRUE(book->RowHiddenFlag(11));
        EXPECT_TRUE(book->RowHiddenFlag(300));
        EXPECT_EQ(format(300, history::kpiCol(1)), "0.000");
    };

    pick(1);
    EXPECT_EQ(shownLines(), kTarget);
    EXPECT_TRUE(book->RowHiddenFlag(296));
    EXPECT_FALSE(book->RowHiddenFlag(297));
    EXPECT_TRUE(book->RowHiddenFlag(298) && book->RowHiddenFlag(299));
    outsideKept();

    // Both lines shown, and the percentage lines get their format back on every choice.
    for (int round = 0; round < 2; ++round) {
        setFormat(history::percentRow(0), history::kFirstPercentCol, "#,##0");
        setFormat(history::varianceRow(71), history::kLastCol, "#,##0");
        setFormat(history::percentRow(30), history::kpiCol(7), "#,##0");
        book->PlaceCursor(20, 8);
        pick(2);
        EXPECT_EQ(shownLines(), kAllLines);
        EXPECT_FALSE(book->RowHiddenFlag(299));
        for (int j : {0, 30, 71}) {
            for (int col : {history::kFirstPercentCol, history::kpiCol(7), history::kLastCol}) {
                EXPECT_EQ(format(history::percentRow(j), col), "0%;(0%)") << j << "," << col;
                EXPECT_EQ(format(history::varianceRow(j), col), "0%;(0%)") << j << "," << col;
            }
        }
        EXPECT_EQ(book->GetCursorCell(), (workbook::CellPos{20, 8})) << "the cursor stays where the user left it";
        outsideKept();
    }
    EXPECT_EQ(format(history::actualRow(3), history::kpiCol(2)), "#,##0.00;(#,##0.00)") << "actual lines keep the KPI format";
    EXPECT_NE(format(history::percentRow(3), history::kDateCol), "0%;(0%)") << "the date column is not a percentage";

    pick(0);
    EXPECT_EQ(shownLines(), kActual);
    outsideKept();

    // The keyboard picks as well.
    w->ComboBulkData->setFocus();
    QTest::keyClick(w->ComboBulkData, Qt::Key_Down);
    EXPECT_EQ(w->ComboBulkData->currentIndex(), 1);
    EXPECT_EQ(shownLines(), kTarget);
}

TEST_F(BulkViewTest, TheSetupButtonResetsTheSheetViewsProtectsAndReturnsToTheMonthSheet)
{
    start();
    w->MnuBulkData_Click();
    for (int sheet : {kSetup, kHistory}) {
        book->setCurrentSheet(sheet);
        book->setSheetProtected(false);
    }
    book->setCurrentSheet(kHistory);
    book->PlaceCursor(40, 9);
    ASSERT_TRUE(w->CommandSetupSpreadsheet->isVisible());
    EXPECT_EQ(w->CommandSetupSpreadsheet->text(), "Setup");
    QTest::mouseClick(w->CommandSetupSpreadsheet, Qt::LeftButton);

    EXPECT_EQ(book->ViewNumberG(), 1);
    EXPECT_EQ(book->ViewNumberE(), 20);
    EXPECT_EQ(book->ViewNumberH(), 1);
    EXPECT_EQ(book->ViewNumberF(), 75);
    EXPECT_EQ(book->CurrentSheet(), kMonthView);
    EXPECT_EQ(book->GetCursorCell(), (workbook::CellPos{1, 1}));
    EXPECT_FALSE(w->ComboBulkData->isVisible());
    EXPECT_FALSE(w->CommandSetupSpreadsheet->isVisible());
    EXPECT_TRUE(w->ComboCoachMode->isVisible());
    EXPECT_TRUE(w->LabelCoachMode->isVisible());
    book->setCurrentSheet(kSetup);
    EXPECT_TRUE(book->SheetProtected());
    EXPECT_EQ(book->GetCursorCell(), (workbook::CellPos{1, 1}));
    book->setCurrentSheet(kHistory);
    EXPECT_TRUE(book->SheetProtected());
    EXPECT_EQ(book->GetCursorCell(), (workbook::CellPos{40, 9})) << "the history keeps its cursor";
    // Protected, the history still takes typed actuals but refuses its formula lines.
    book->setCurrentSheet(kHistory);
    book->PlaceCursor(history::actualRow(2), history::kpiCol(1));
    EXPECT_NO_THROW(book->book().DeleteSelection());
    book->PlaceCursor(history::percentRow(2), history::kpiCol(1));
    EXPECT_THROW(book->book().DeleteSelection(), RuntimeError);
}

TEST_F(BulkViewTest, FailuresAreReportedAndTheViewStillOpens)
{
    start();
    const int listener = book->book().addChangeListener([](const workbook::BookChange& change) {
        if (change.kind == workbook::BookChange::Layout)
            throw RuntimeError(1004, "Rows cannot be shown now");
    });
    ui.answerMessage(ui::OK);
    w->MnuBulkData_Click();
    book->book().removeChangeListener(listener);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    const auto box = ui.messageBoxes()[0];
    EXPECT_EQ(box.caption, "combobulkdata_Err");
    EXPECT_EQ(box.text, "Rows cannot be shown now\r\r(Error #1004)");
    EXPECT_EQ(box.buttons, ui::OKOnly);
    EXPECT_EQ(box.icon, ui::NoIcon);
    EXPECT_EQ(book->CurrentSheet(), kHistory);
    EXPECT_FALSE(w->ComboCoachMode->isVisible()) << "the view finished after the list's failure";

    // The list stays usable after its failure.
    pick(1);
    EXPECT_EQ(shownLines(), kTarget);

    // A workbook without one KPI's history name: its format box, then the view anyway.
    w->MnuMonthData_Click();
    book->book().DeleteName(kpiBulkName(3));
    ui.answerMessage(ui::OK);
    w->MnuBulkData_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.messageBoxes()[1].caption, "Error in format cells");
    EXPECT_EQ(book->CurrentSheet(), kHistory);
    EXPECT_EQ(shownLines(), kTarget) << "the list keeps its choice";
    EXPECT_TRUE(w->CommandSetupSpreadsheet->isVisible());
}
