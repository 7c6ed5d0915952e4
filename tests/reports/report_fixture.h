#pragma once
// The scorecard window on the sample scorecard with the report template beside it,
// and helpers that drive the report screen as a user would.
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "tests/scorecard/scorecard_window_fixture.h"

#include <QComboBox>
#include <QListWidget>

namespace ks::test {

struct ReportTest : SpreadFormTest {
    static constexpr int kLast = 23;   // the sample's last month with actuals
    static constexpr int kKpis = 12;   // the sample's KPIs
    SpreadForm* w = nullptr;
    reports::ReportScreen* screen = nullptr;
    WorkbookControl* book = nullptr;
    WorkbookControl* report = nullptr;

    ReportTest()
    {
        dir.copyProgramFile("actbud.rt");
        Main();
        w = &form<SpreadForm>();
        screen = w->Reports.get();
        // The charts' progress text is shown without its second's wait, except where a test asks for it.
        screen->ChartProgressMs = 0;
        book = w->F1BookMain;
        report = w->reportspread;
    }
    ~ReportTest() override { book->setHostTag({}); }

    // What the user does on the list: the item gets the focus, then its tick changes.
    void userTick(int item, bool ticked)
    {
        screen->KPIList->setCurrentRow(item);
        screen->KPIList->item(item)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    std::vector<bool> ticks() const
    {
        std::vector<bool> all;
        for (int i = 0; i < screen->KPIList->count(); ++i)
            all.push_back(screen->KPIList->item(i)->checkState() == Qt::Checked);
        return all;
    }
    // The report screen with a report of the given choices; the KPIs by list item.
    void generate(int first, int last, int type, bool graphs, const std::vector<int>& items = {})
    {
        w->MnuViewReports_Click();
        screen->Combo1[1]->setCurrentIndex(last);
        screen->Combo1[0]->setCurrentIndex(first);
        screen->combotype->setCurrentIndex(type);
        screen->ComboGraph->setCurrentIndex(graphs ? 0 : 1);
        if (!items.empty()) {
            userTick(0, false);
            for (int item : items)
                userTick(item, true);
        }
        screen->Command1_Click();
    }
    double actual(int kpi, int period) const
    {
        using namespace scorecard::layout;
        return book->BookNumber(kHistory, history::actualRow(period), history::kpiCol(kpi));
    }
    double target(int kpi, int period) const
    {
        using namespace scorecard::layout;
        return book->BookNumber(kHistory, history::targetRow(period), history::kpiCol(kpi));
    }
    double monthDate(int period) const
    {
        using namespace scorecard::layout;
        return book->BookNumber(kHistory, history::actualRow(period), history::kDateCol);
    }
    std::string formatAt(int row, int col) const
    {
        return report->book().CellFormatAt(1, row, col).numberFormat;
    }
    bool boldAt(int row, int col) const { return report->book().CellFormatAt(1, row, col).font.bold; }
};

}
