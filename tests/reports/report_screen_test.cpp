// The report screen: entering it, its lists and first choices, and its two list rules.
#include "reports/report_periods.h"
#include "tests/reports/report_fixture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <filesystem>

using namespace ks;
using namespace ks::scorecard::layout;
using test::ReportTest;

namespace {

QAction* menuItem(QMenuBar* bar, const QString& menu, const QString& item)
{
    for (QAction* top : bar->actions())
        if (top->text() == menu && top->menu())
            for (QAction* a : top->menu()->actions())
                if (a->text() == item)
                    return a;
    return nullptr;
}

QAction* buttonWithKey(QToolBar* bar, const QString& key)
{
    for (QAction* a : bar->actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

}

TEST_F(ReportTest, EnteringTheScreenOffersEveryPeriodTheKpisAndTheFirstChoices)
{
    QAction* item = menuItem(w->MenuBar, "&View", "Reports");
    ASSERT_NE(item, nullptr);
    item->trigger();

    ASSERT_EQ(screen->Combo1[0]->count(), 36);
    ASSERT_EQ(screen->Combo1[1]->count(), 36);
    for (int i = 0; i < 36; ++i) {
        const std::string label = reports::periodLabel(book->BookText(kHistory, 12 + 4 * i, 4));
        EXPECT_EQ(screen->Combo1[0]->itemText(i).toStdString(), label);
        EXPECT_EQ(screen->Combo1[1]->itemText(i).toStdString(), label);
    }
    EXPECT_TRUE(QRegularExpression("^[A-Z][a-z]{2}-\\d\\d$").match(screen->Combo1[0]->itemText(0)).hasMatch());
    EXPECT_EQ(screen->Combo1[0]->currentIndex(), 0);
    EXPECT_EQ(screen->Combo1[1]->currentIndex(), 23) << "the sample shows its 24th month";
    EXPECT_EQ(screen->combotype->count(), 3);
    EXPECT_EQ(screen->combotype->itemText(0), "Actual+Budget");
    EXPECT_EQ(screen->combotype->itemText(1), "Actuals Only");
    EXPECT_EQ(screen->combotype->itemText(2), "Budget Only");
    EXPECT_EQ(screen->combotype->currentIndex(), 0);
    EXPECT_EQ(screen->ComboGraph->itemText(0), "Include Graphs");
    EXPECT_EQ(screen->ComboGraph->itemText(1), "No Graphs");
    EXPECT_EQ(screen->ComboGraph->currentIndex(), 0);

    ASSERT_EQ(screen->KPIList->count(), 13) << "Select All and the sample's twelve KPIs";
    EXPECT_EQ(screen->KPIList->item(0)->text(), "Select All");
    EXPECT_EQ(screen->KPIList->item(1)->text(), "Sales Revenue");
    EXPECT_EQ(screen->KPIList->item(12)->text(), "Overheads");
    std::vector<bool> onlySelectAll(13, false);
    onlySelectAll[0] = true;
    EXPECT_EQ(ticks(), onlySelectAll);

    EXPECT_EQ(screen->Label1[0]->text(), "Start Period:");
    EXPECT_EQ(screen->Label1[1]->text(), "End Period:");
    EXPECT_EQ(screen->Label1[2]->text(), "KPI :");
    EXPECT_EQ(screen->Label1[3]->text(), "Graphs");
    EXPECT_EQ(screen->Label5->text(), "Report Type :");
    EXPECT_EQ(screen->Command1->text(), "&Generate Report");
    EXPECT_EQ(screen->cmdExport->text(), "&Export");
    EXPECT_EQ(screen->Command2->text(), "Custom");

    // The report sheet and its panel replace the scorecard's controls.
    EXPECT_TRUE(screen->Frame10->isVisible());
    EXPECT_TRUE(report->HostVisible());
    EXPECT_EQ(report->HostZOrder(), 0);
    EXPECT_FALSE(w->ComboCoachMode->isVisible());
    EXPECT_FALSE(w->LabelCoachMode->isVisible());
    EXPECT_FALSE(w->ComboBulkData->isVisible());
    EXPECT_TRUE(screen->cmdExport->isHidden());
    EXPECT_TRUE(screen->Frame3->isHidden());
    int shown = 0;
    for (QAction* a : w->Toolbar2->actions())
        shown += a->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 1) << "only the help button stays";
    EXPECT_EQ(std::filesystem::path(report->BookFileName()).filename(), "actbud.rt");
    EXPECT_EQ(report->SheetText(1, 1), "") << "an empty template";

    // Monthly Data leaves the screen again.
    w->MnuMonthData_Click();
    EXPECT_FALSE(screen->Frame10->isVisible());
    EXPECT_FALSE(report->HostVisible());
}

TEST_F(ReportTest, TheToolbarsReportButtonEntersTheScreenAndEveryEntryStartsAfresh)
{
    w->Toolbar1_ButtonClick("Graph Report");
    EXPECT_TRUE(screen->Frame10->isVisible());
    ASSERT_NE(buttonWithKey(w->Toolbar1, "Graph Report"), nullptr);

    screen->Combo1[0]->setCurrentIndex(5);
    screen->combotype->setCurrentIndex(2);
    screen->ComboGraph->setCurrentIndex(1);
    userTick(3, true);
    report->setSheetText(1, 1, "an earlier report");
    w->MnuViewReports_Click();
    EXPECT_EQ(screen->Combo1[0]->currentIndex(), 0);
    EXPECT_EQ(screen->Combo1[1]->currentIndex(), 23);
    EXPECT_EQ(screen->combotype->currentIndex(), 0);
    EXPECT_EQ(screen->ComboGraph->currentIndex(), 0);
    EXPECT_TRUE(ticks()[0]);
    EXPECT_EQ(report->SheetText(1, 1), "") << "the template replaces the earlier report";
}

TEST_F(ReportTest, TheCoachsWindowStaysHiddenOnTheReportScreenHoweverItIsEntered)
{
    ASSERT_TRUE(videoShown()) << "the coach is there beside the scorecard";
    QAction* reports = menuItem(w->MenuBar, "&View", "Reports");
    ASSERT_NE(reports, nullptr);
    reports->trigger();
    EXPECT_FALSE(videoShown()) << "View > Reports";

    w->Toolbar1_ButtonClick("MonthData");
    ASSERT_TRUE(videoShown());
    w->Toolbar1_ButtonClick("Graph Report");
    EXPECT_FALSE(videoShown()) << "the toolbar's Report button";
}

TEST_F(ReportTest, TheStoredGraphTypeChoosesItsButton)
{
    const std::pair<double, int> cases[] = {{1, 4}, {3, 3}, {5, 5}, {2, 7}, {0, 7}, {51, 7}, {0.6, 4}, {2.5, 7}, {3.4, 3}};
    for (auto [stored, button] : cases) {
        book->setBookNumber(kSetup, 4, 36, stored);
        w->MnuViewReports_Click();
        EXPECT_TRUE(screen->OptionGraph[button]->isChecked()) << "graph type " << stored;
    }
    EXPECT_EQ(screen->OptionGraph[3]->text(), "Line Graph");
    EXPECT_EQ(screen->OptionGraph[4]->text(), "Bar Graph");
    EXPECT_EQ(screen->OptionGraph[5]->text(), "Area Graph");
    EXPECT_EQ(screen->OptionGraph[6]->text(), "Default Graph");
    EXPECT_EQ(screen->OptionGraph[7]->text(), "Custom Graph");
}

TEST_F(ReportTest, TheFinishFollowsTheSelectedMonth)
{
    const std::pair<double, int> cases[] = {{12, 35}, {52, 10}, {14, 35}, {18, 2}, {152, 35}, {300, 35}};
    for (auto [line, finish] : cases) {
        // The selected month's line is a formula of the template; a number replaces it here.
        book->setBookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol, line);
        screen->loadcombodates();
        EXPECT_EQ(screen->Combo1[1]->currentIndex(), finish) << "line " << line;
        EXPECT_EQ(screen->Combo1[0]->currentIndex(), 0);
    }
}

TEST_F(ReportTest, TheStartNeverLiesAfterTheFinish)
{
    w->MnuViewReports_Click();
    screen->Combo1[0]->setCurrentIndex(10);
    screen->Combo1[1]->setCurrentIndex(4);
    EXPECT_EQ(screen->Combo1[0]->currentIndex(), 4) << "a finish before the start pulls the start back";
    EXPECT_EQ(screen->Combo1[1]->currentIndex(), 4);
    screen->Combo1[0]->setCurrentIndex(9);
    EXPECT_EQ(screen->Combo1[0]->currentIndex(), 4) << "a start after the finish falls back to it";
    EXPECT_EQ(screen->Combo1[1]->currentIndex(), 4) << "the finish is never moved";
    screen->Combo1[0]->setCurrentIndex(2);
    EXPECT_EQ(screen->Combo1[0]->currentIndex(), 2);
    screen->Combo1[1]->setCurrentIndex(30);
    EXPECT_EQ(screen->Combo1[0]->currentIndex(), 2);
    EXPECT_EQ(screen->Combo1[1]->currentIndex(), 30);
}

TEST_F(ReportTest, SelectAllAndSingleKpisExcludeEachOther)
{
    w->MnuViewReports_Click();
    userTick(3, true);
    EXPECT_FALSE(ticks()[3]) << "while Select All is ticked no single KPI stays ticked";
    EXPECT_TRUE(ticks()[0]);

    userTick(0, false);
    userTick(3, true);
    userTick(5, true);
    EXPECT_TRUE(ticks()[3]);
    EXPECT_TRUE(ticks()[5]);
    userTick(5, false);
    EXPECT_FALSE(ticks()[5]);
    EXPECT_TRUE(ticks()[3]);

    userTick(0, true);
    std::vector<bool> onlySelectAll(13, false);
    onlySelectAll[0] = true;
    EXPECT_EQ(ticks(), onlySelectAll) << "ticking Select All clears the single ticks";
}

TEST_F(ReportTest, KpisWithoutANameAreLeftOutOfTheList)
{
    book->setBookText(kSetup, setup::kpiRow(3), setup::kNameCol, "");
    book->RecalculateBook();
    w->MnuViewReports_Click();
    ASSERT_EQ(screen->KPIList->count(), 12);
    EXPECT_EQ(screen->KPIList->item(3)->text(), "Marketing Spend");
    EXPECT_EQ(screen->kpiOfListItem(3), 4) << "each item keeps its own KPI";
    EXPECT_EQ(screen->kpiOfListItem(0), 0);
    screen->ComboGraph->setCurrentIndex(1);
    userTick(0, false);
    userTick(3, true);
    screen->Command1_Click();
    EXPECT_EQ(report->SheetText(4, 1), "Marketing Spend");
    EXPECT_EQ(report->SheetNumber(5, 3), book->BookNumber(kHistory, history::actualRow(0), history::kpiCol(4)))
        << "the report shows the named KPI's data, not the one at its list position";
    EXPECT_EQ(report->book().CellFormatAt(1, 5, 3).numberFormat, "$#,##0;($#,##0)");

    for (int k = 1; k <= kKpiCount; ++k)
        book->setBookText(kSetup, setup::kpiRow(k), setup::kNameCol, "");
    book->RecalculateBook();
    screen->Loadtree();
    ASSERT_EQ(screen->KPIList->count(), 1);
    EXPECT_EQ(screen->KPIList->item(0)->text(), "Select All");
}

TEST_F(ReportTest, AMissingTemplateIsToldAndTheScreenStillOpens)
{
    std::filesystem::remove(dir.path() / "actbud.rt");
    ui.answerMessage(ui::OK);
    w->MnuViewReports_Click();
    const auto boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Having problems finding the template." + screen->reportTemplatePath());
    EXPECT_TRUE(boxes[0].text.endsWith("/actbud.rt"));
    EXPECT_EQ(boxes[0].icon, ui::Information);
    EXPECT_EQ(boxes[0].caption, App::title());
    EXPECT_TRUE(screen->Frame10->isVisible());
    EXPECT_TRUE(report->HostVisible());
    EXPECT_EQ(screen->KPIList->count(), 13);
}
