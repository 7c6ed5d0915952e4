// The report builder: the report of each type over one month and over every period,
// its totals and variances, formats, print set-up, and its failures.
#include "common/layout/kpi_format.h"
#include "reports/report_sheet.h"
#include "tests/reports/report_fixture.h"

#include <QFrame>
#include <QPushButton>
#include <QToolBar>
#include <algorithm>
#include <cmath>

using namespace ks;
using namespace ks::scorecard::layout;
using test::ReportTest;

namespace {

std::string kpiFormat(WorkbookControl* book, int kpi)
{
    return kpiNumberFormat(book->BookText(kSetup, setup::kpiRow(kpi), setup::kFormatTypeCol),
                           book->BookText(kSetup, setup::kpiRow(kpi), setup::kDecimalsCol));
}

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The controls that a run switches off, and whether each is enabled now.
std::vector<bool> reportControlsEnabled(SpreadForm* w)
{
    const reports::ReportScreen* s = w->Reports.get();
    const QWidget* controls[] = {s->cmdExport, s->Combo1[0], s->Combo1[1], s->ComboGraph, s->combotype,
                                 s->KPIList,   s->Frame1,    w->Toolbar1,  s->Command1};
    std::vector<bool> enabled;
    for (const QWidget* c : controls)
        enabled.push_back(c->isEnabled());
    return enabled;
}

// Answers like the scripted backend, and notes the report controls at each box.
struct WatchingUi : ui::ScriptedBackend {
    SpreadForm* w = nullptr;
    std::vector<std::vector<bool>> atBox;
    ui::Answer messageBox(const ui::MessageBoxRequest& request) override
    {
        atBox.push_back(reportControlsEnabled(w));
        return ScriptedBackend::messageBox(request);
    }
};

}

TEST_F(ReportTest, OneMonthOfActualAndBudgetForEveryKpi)
{
    generate(kLast, kLast, reports::kActualAndBudget, false);

    EXPECT_EQ(report->SheetText(1, 1), "Report");
    EXPECT_FALSE(report->RowHiddenFlag(1));
    EXPECT_EQ(report->SheetText(2, 1), "4") << "one month column (3), the total in column 4";
    EXPECT_TRUE(report->RowHiddenFlag(2)) << "the total column's number is for the exports, not for the reader";
    EXPECT_EQ(screen->ReportEndRow, 4 + 5 * kKpis);
    EXPECT_EQ(screen->ReportType, 0);
    for (int k = 1; k <= kKpis; ++k) {
        SCOPED_TRACE("KPI " + std::to_string(k));
        const int r = 5 * k - 1;
        const std::string format = kpiFormat(book, k);
        EXPECT_EQ(report->SheetText(r, 1), screen->KPIList->item(k)->text().toStdString());
        EXPECT_TRUE(boldAt(r, 1));
        EXPECT_EQ(report->SheetNumber(r, 3), monthDate(kLast));
        EXPECT_EQ(formatAt(r, 3), "mmm-yy");
        EXPECT_TRUE(boldAt(r, 3));
        EXPECT_EQ(report->SheetText(r + 1, 1), "  Actual");
        EXPECT_EQ(report->SheetText(r + 2, 1), "  Budget");
        EXPECT_EQ(report->SheetText(r + 3, 1), "  Variance");
        EXPECT_EQ(report->SheetText(r + 4, 1), "");
        EXPECT_EQ(report->SheetNumber(r + 1, 3), actual(k, kLast));
        EXPECT_EQ(report->SheetNumber(r + 2, 3), target(k, kLast));
        EXPECT_EQ(formatAt(r + 1, 3), format);
        EXPECT_EQ(formatAt(r + 2, 3), format);
        const bool averaged = format.ends_with("%)");
        EXPECT_EQ(report->SheetText(r, 4), averaged ? "Average" : "Total");
        EXPECT_TRUE(boldAt(r, 4));
        EXPECT_EQ(report->book().CellFormatAt(1, r, 4).hAlign, workbook::HAlign::Right);
        const std::string fn = averaged ? "average(" : "sum(";
        EXPECT_EQ(lower(report->SheetFormula(r + 1, 4)), fn + "c" + std::to_string(r + 1) + ":c" + std::to_string(r + 1) + ")");
        EXPECT_EQ(lower(report->SheetFormula(r + 2, 4)), fn + "c" + std::to_string(r + 2) + ":c" + std::to_string(r + 2) + ")");
        EXPECT_DOUBLE_EQ(report->SheetNumber(r + 1, 4), actual(k, kLast));
        EXPECT_EQ(formatAt(r + 1, 4), format);
        EXPECT_EQ(formatAt(r + 2, 4), format);
        // "% of target": the actual over the budget, in the template's percent format.
        EXPECT_NEAR(report->SheetNumber(r + 3, 3), actual(k, kLast) / target(k, kLast), 1e-12);
        EXPECT_NEAR(report->SheetNumber(r + 3, 4), actual(k, kLast) / target(k, kLast), 1e-12);
        EXPECT_EQ(formatAt(r + 3, 3), "0%;(0%)");
    }
    EXPECT_EQ(report->SheetFormula(7, 3), reports::varianceFormula(0));
    EXPECT_NE(report->SheetFormula(12, 3).find("C10"), std::string::npos) << "a copy compares its own block";
    EXPECT_NE(report->SheetFormula(12, 3).find("C11"), std::string::npos);

    // Print set-up: the blocks and two rows more, one column past the total, on one page.
    const workbook::PrintSetup& print = report->book().Print();
    ASSERT_TRUE(print.range.has_value());
    EXPECT_EQ(print.range->row1, 1);
    EXPECT_EQ(print.range->col1, 1);
    EXPECT_EQ(print.range->row2, 4 + 5 * kKpis + 2);
    EXPECT_EQ(print.range->col2, 5);
    EXPECT_EQ(print.header, "Report");
    EXPECT_TRUE(print.footer.starts_with("&C &08 Report printed as at "));
    EXPECT_TRUE(print.footer.ends_with(", Page &P"));
    EXPECT_GT(print.footer.size(), std::string("&C &08 Report printed as at , Page &P").size());
    EXPECT_EQ(print.scale, 100);
    EXPECT_TRUE(print.fitToPages);
    EXPECT_EQ(print.pagesTall, 1);
    EXPECT_EQ(print.pagesWide, 1);
    EXPECT_FALSE(report->PrintSwitch());

    // Afterwards every KPI is ticked and Select All is not; the cursor is home.
    std::vector<bool> everyKpi(kKpis + 1, true);
    everyKpi[0] = false;
    EXPECT_EQ(ticks(), everyKpi);
    EXPECT_EQ(report->GetCursorCell().row, 1);
    EXPECT_EQ(report->GetCursorCell().col, 1);
    EXPECT_EQ(reportControlsEnabled(w), std::vector<bool>(9, true));
    EXPECT_TRUE(screen->cmdExport->isHidden()) << "without graphs the export stays hidden";
}

TEST_F(ReportTest, EveryPeriodGivesThirtySixMonthsAndTheirTotals)
{
    generate(0, 35, reports::kActualAndBudget, false, {1, 2});

    EXPECT_EQ(report->SheetText(2, 1), "39");
    EXPECT_EQ(screen->ReportEndRow, 14);
    for (int c = 3; c <= 38; ++c) {
        EXPECT_EQ(report->SheetNumber(4, c), monthDate(c - 3));
        EXPECT_EQ(report->SheetNumber(9, c), monthDate(c - 3));
        EXPECT_EQ(report->SheetNumber(5, c), actual(1, c - 3));
        EXPECT_EQ(report->SheetNumber(6, c), target(1, c - 3));
        EXPECT_EQ(report->SheetNumber(11, c), target(2, c - 3));
    }
    EXPECT_EQ(report->SheetNumber(5, 30), 0) << "months without actuals report 0";
    double actuals = 0, targets = 0, margins = 0;
    for (int d = 0; d < 36; ++d) {
        actuals += actual(1, d);
        targets += target(1, d);
        margins += actual(2, d);
    }
    EXPECT_EQ(lower(report->SheetFormula(5, 39)), "sum(c5:al5)");
    EXPECT_NEAR(report->SheetNumber(5, 39), actuals, 1e-6);
    EXPECT_NEAR(report->SheetNumber(6, 39), targets, 1e-6);
    EXPECT_EQ(report->SheetText(9, 39), "Average") << "Gross Margin is a percent KPI";
    EXPECT_EQ(lower(report->SheetFormula(10, 39)), "average(c10:al10)");
    EXPECT_NEAR(report->SheetNumber(10, 39), margins / 36, 1e-12);
    EXPECT_NEAR(report->SheetNumber(7, 39), actuals / targets, 1e-12);
    EXPECT_NEAR(report->SheetNumber(12, 20), actual(2, 17) / target(2, 17), 1e-12);

    const workbook::PrintSetup& print = report->book().Print();
    EXPECT_EQ(print.range->row2, 16);
    EXPECT_EQ(print.range->col2, 40);
}

TEST_F(ReportTest, ActualsOnlyAndBudgetOnlyWriteOneLinePerKpi)
{
    generate(0, 11, reports::kActualsOnly, false, {1, 3});
    EXPECT_EQ(screen->ReportType, 1);
    EXPECT_EQ(report->SheetText(5, 1), "  Actual");
    EXPECT_EQ(report->SheetNumber(5, 8), actual(1, 5));
    EXPECT_EQ(report->SheetText(10, 1), "  Actual");
    EXPECT_EQ(report->SheetNumber(10, 14), actual(3, 11));
    EXPECT_EQ(report->SheetText(9, 1), "New Customers");
    for (int r : {6, 7, 8, 11, 12, 13})
        for (int c = 1; c <= 15; ++c)
            EXPECT_EQ(report->SheetText(r, c), "") << "row " << r << " column " << c;
    EXPECT_EQ(report->SheetFormula(7, 3), "") << "no variance formula";
    EXPECT_EQ(lower(report->SheetFormula(5, 15)), "sum(c5:n5)");
    EXPECT_EQ(screen->ReportEndRow, 14);

    generate(0, 11, reports::kBudgetOnly, false, {1, 3});
    EXPECT_EQ(screen->ReportType, 2);
    EXPECT_EQ(report->SheetText(5, 1), "  Budget");
    EXPECT_EQ(report->SheetNumber(5, 8), target(1, 5));
    EXPECT_EQ(report->SheetNumber(10, 14), target(3, 11));
    EXPECT_EQ(report->SheetText(6, 1), "");
    EXPECT_EQ(report->SheetText(6, 8), "");
    EXPECT_EQ(formatAt(10, 14), kpiFormat(book, 3));
    EXPECT_EQ(report->SheetText(9, 15), "Total");
}

TEST_F(ReportTest, TheVarianceChoiceGivesTheVarianceFromTarget)
{
    book->setBookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol, 1);
    generate(kLast - 2, kLast, reports::kActualAndBudget, false, {1, 4});
    EXPECT_EQ(report->SheetFormula(7, 3), reports::varianceFormula(1));
    for (int c = 3; c <= 5; ++c) {
        EXPECT_NEAR(report->SheetNumber(7, c), actual(1, kLast - 5 + c) / target(1, kLast - 5 + c) - 1, 1e-12);
        EXPECT_NEAR(report->SheetNumber(12, c), actual(4, kLast - 5 + c) / target(4, kLast - 5 + c) - 1, 1e-12);
    }
    // A zero budget with an actual is 100%.
    report->setSheetNumber(6, 4, 0);
    EXPECT_DOUBLE_EQ(report->SheetNumber(7, 4), 1.0);
}

TEST_F(ReportTest, GraphsShowTheExportAndPrintTheChartsArea)
{
    generate(0, kLast, reports::kActualAndBudget, true);
    EXPECT_TRUE(screen->Frame3->isVisible());
    EXPECT_TRUE(screen->cmdExport->isVisible());
    const workbook::PrintSetup& print = report->book().Print();
    ASSERT_TRUE(print.range.has_value());
    EXPECT_EQ(print.range->row2, 3 * screen->ReportEndRow);
    EXPECT_EQ(print.range->col2, 27) << "one past the last month column 26";
    EXPECT_EQ(print.pagesTall, 0) << "as many pages down as needed";
    EXPECT_EQ(print.pagesWide, 2);
    EXPECT_TRUE(print.fitToPages);
    EXPECT_TRUE(print.landscape);
    EXPECT_EQ(print.titleRows, 3) << "the head above the first block";
    EXPECT_EQ(print.titleColumns, 2) << "the KPI names and the line labels";
    // The charts start a page of their own, and the later breaks fall between rows of charts.
    const std::vector<int> breaks = report->book().RowPageBreaks();
    EXPECT_TRUE(std::find(breaks.begin(), breaks.end(), screen->ReportEndRow + 2) != breaks.end());
    for (int row : breaks)
        EXPECT_TRUE(row < screen->ReportEndRow + 2 || (row - screen->ReportEndRow - 2) % 17 == 0) << row;
    EXPECT_EQ(print.header, "Report");
    EXPECT_TRUE(print.footer.starts_with("&C &08 Report printed as at "));
    EXPECT_EQ(reportControlsEnabled(w), std::vector<bool>(9, true));
    EXPECT_EQ(report->GetCursorCell().row, 1);
}

TEST_F(ReportTest, WithoutATickedKpiTheUserIsToldAndTheSheetIsLeftAlone)
{
    WatchingUi watch;
    watch.w = w;
    ui::setBackend(&watch);
    w->MnuViewReports_Click();
    userTick(0, false);
    report->setSheetText(3, 3, "kept");
    watch.answerMessage(ui::OK);
    screen->Command1_Click();
    ui::setBackend(&ui);

    ASSERT_EQ(watch.messageBoxes().size(), 1u);
    EXPECT_EQ(watch.messageBoxes()[0].text, "You must select at least one KPI.");
    EXPECT_EQ(watch.messageBoxes()[0].icon, ui::Information);
    EXPECT_EQ(watch.messageBoxes()[0].caption, App::title());
    EXPECT_EQ(watch.atBox[0], std::vector<bool>(9, false)) << "the controls are off while the report runs";
    EXPECT_EQ(reportControlsEnabled(w), std::vector<bool>(9, true));
    EXPECT_TRUE(ticks()[0]) << "Select All is ticked again";
    EXPECT_EQ(report->SheetText(3, 3), "kept");
    EXPECT_EQ(report->SheetText(1, 1), "");
    EXPECT_TRUE(watch.failures().empty());
}

TEST_F(ReportTest, AFailingStepIsToldAndTheRestOfTheReportIsStillBuilt)
{
    // A template whose cells refuse pastes: every variance cell fails, nothing else does.
    {
        workbook::Book locked;
        locked.ReadBookFile((dir.path() / "actbud.rt").string());
        locked.setSheetProtected(true);
        locked.WriteBookFile((dir.path() / "actbud.rt").string(), workbook::kFileNative);
    }
    WatchingUi watch;
    watch.w = w;
    ui::setBackend(&watch);
    watch.answerMessage(ui::OK);   // the first month's variance
    watch.answerMessage(ui::OK);   // the total's variance
    generate(kLast, kLast, reports::kActualAndBudget, false, {2});
    ui::setBackend(&ui);

    const auto boxes = watch.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, "Command 1 click_err");
        EXPECT_TRUE(box.text.contains("\r\r(Error #20030)")) << box.text.toStdString();
        EXPECT_EQ(box.icon, ui::NoIcon);
    }
    EXPECT_EQ(watch.atBox[0], std::vector<bool>(9, false));
    EXPECT_TRUE(watch.failures().empty());
    EXPECT_EQ(report->SheetText(4, 1), "Gross Margin");
    EXPECT_EQ(report->SheetNumber(5, 3), actual(2, kLast));
    EXPECT_EQ(report->SheetNumber(6, 3), target(2, kLast));
    EXPECT_EQ(report->SheetText(4, 4), "Average");
    EXPECT_EQ(report->SheetText(2, 1), "4");
    EXPECT_EQ(report->book().Print().header, "Report");
    EXPECT_EQ(reportControlsEnabled(w), std::vector<bool>(9, true));
}
