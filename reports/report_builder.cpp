// "Generate Report": the actual/budget/variance report of the ticked KPIs over the
// chosen periods, built on the report sheet from a fresh copy of its template.
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/app.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_periods.h"
#include "reports/report_sheet.h"
#include "reports/report_failures.h"
#include "reports/report_print.h"
#include "reports/report_screen.h"

#include <QComboBox>
#include <QDateTime>
#include <QListWidget>
#include <QLocale>
#include <cmath>

namespace ks::reports {

using namespace scorecard::layout;

namespace {

const QString kBuilderTitle = QStringLiteral("Command 1 click_err");

template <class F>
void builderStep(F&& f)
{
    reportStep(kBuilderTitle, std::forward<F>(f));
}

constexpr int kRightAligned = 4, kCentredVertically = 2;

void headingAt(WorkbookControl& sheet, int row, int col)
{
    sheet.PlaceCursor(row, col);
    sheet.setCursorHeading(true);
}

void formatAt(WorkbookControl& sheet, int row, int col, const QString& format)
{
    sheet.PlaceCursor(row, col);
    sheet.setCursorNumberFormat(format.toStdString());
}

// A variance cell is a copy of the first block's, so its references follow its column.
// The first block's cell is copied once per report: every paste takes that same cell,
// and copying it again after each paste would recalculate the whole sheet every time.
void copyVarianceSource(WorkbookControl& sheet)
{
    workbook::Book& book = sheet.book();
    book.SelectBlock(kVarianceSourceRow, kVarianceSourceCol, kVarianceSourceRow, kVarianceSourceCol);
    book.CopyBlock();
}

void pasteVariance(WorkbookControl& sheet, int row, int col)
{
    workbook::Book& book = sheet.book();
    book.SelectBlock(row, col, row, col);
    book.PasteBlock();
}

}

void ReportScreen::Command1_Click()
{
    DisableReportControls();
    ChartLeftOffset = 0;
    ChartRightOffset = 0;
    ReportChartCount = 0;
    ReportEndRow = 0;
    ReportKpiIndex = 0;
    bool noneTicked = false;
    builderStep([&] { noneTicked = tickedKpiCount() == 0; });
    if (noneTicked) {
        ui::MsgBox(QStringLiteral("You must select at least one KPI."), ui::OKOnly | ui::Information, App::title());
        builderStep([&] { setKpiTicked(0, true); });
        EnableReportControls();
        return;
    }
    loadtemplate();
    builderStep([&] { reportspread->setRowHiddenFlag(kTitleRow, false); });
    builderStep([&] { reportspread->setSheetText(kTitleRow, kLabelCol, kReportTitle); });
    ReportEndRow = kFirstBlockRow;
    ReportType = static_cast<std::int16_t>(combotype->currentIndex());
    if (ReportType == kActualAndBudget)
        builderStep([&] {
            const int choice = static_cast<int>(std::nearbyint(F1BookMain->BookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol)));
            reportspread->setSheetFormula(kVarianceSourceRow, kVarianceSourceCol, varianceFormula(choice));
            copyVarianceSource(*reportspread);
        });
    builderStep([&] {
        if (kpiTicked(0))
            for (int i = 0; i < KPIList->count(); ++i)
                setKpiTicked(i, true);
        setKpiTicked(0, false);
    });

    int totalCol = 0;
    for (int i = 0; i < KPIList->count(); ++i) {
        bool ticked = false;
        builderStep([&] { ticked = kpiTicked(i); });
        if (ticked && !writeReportBlock(i, totalCol))
            return;
    }
    finishReportSheet(totalCol);
}

bool ReportScreen::writeReportBlock(int item, int& totalCol)
{
    const int row = ReportEndRow;
    builderStep([&] {
        const QString name = KPIList->item(item)->text();
        // The item's own KPI, so that a gap in the KPI names cannot shift the data.
        ReportKpiIndex = kpiOfListItem(item);
        getformat();
        reportspread->setSheetText(row, kLabelCol, name.toStdString());
        headingAt(*reportspread, row, kLabelCol);
    });
    const int first = Combo1[0]->currentIndex(), last = Combo1[1]->currentIndex();
    int col = kFirstMonthCol;
    for (int period = first; period <= last; ++period, ++col)
        writeMonthColumn(item, row, col, period);
    const int lastMonthCol = col - 1;
    if (lastMonthCol > kMaxLastMonthCol) {
        ui::MsgBox(QStringLiteral("Can't produce a report with this volume of data. Please reduce the start and "
                                  "finish periods."),
                   ui::OKOnly | ui::Information, App::title());
        EnableReportControls();
        return false;
    }
    totalCol = col;
    writeTotalColumn(row, lastMonthCol, totalCol);
    ReportEndRow = row + kBlockRows;
    return true;
}

void ReportScreen::writeMonthColumn(int item, int row, int col, int period)
{
    const int dateRow = periodRow(period);
    double actual = 0, target = 0;
    builderStep([&] {
        const int kpi = kpiOfListItem(item);
        actual = F1BookMain->BookNumber(kHistory, dateRow, history::kpiCol(kpi));
        target = F1BookMain->BookNumber(kHistory, dateRow + 1, history::kpiCol(kpi));
    });
    builderStep([&] {
        reportspread->setSheetNumber(row, col, F1BookMain->BookNumber(kHistory, dateRow, history::kDateCol));
        formatAt(*reportspread, row, col, QString::fromLatin1(kPeriodDateFormat));
        reportspread->setCursorHeading(true);
    });
    auto line = [&](int offset, double value, const char* label) {
        builderStep([&] {
            reportspread->setSheetNumber(row + offset, col, value);
            formatAt(*reportspread, row + offset, col, KPIFormat);
            reportspread->setSheetText(row + offset, kLabelCol, label);
        });
    };
    switch (ReportType) {
    case kActualAndBudget:
        line(1, actual, kActualLabel);
        line(2, target, kBudgetLabel);
        builderStep([&] { reportspread->setSheetText(row + 3, kLabelCol, kVarianceLabel); });
        builderStep([&] { pasteVariance(*reportspread, row + 3, col); });
        break;
    case kActualsOnly:
        line(1, actual, kActualLabel);
        break;
    case kBudgetOnly:
        line(1, target, kBudgetLabel);
        break;
    default:
        break;
    }
}

void ReportScreen::writeTotalColumn(int row, int lastMonthCol, int totalCol)
{
    const std::string format = KPIFormat.toStdString();
    auto caption = [&] {
        reportspread->PlaceCursor(row, totalCol);
        reportspread->SetSelectionAlignment(kRightAligned, false, kCentredVertically, 0);
        reportspread->setCursorHeading(true);
    };
    builderStep([&] {
        reportspread->setSheetFormula(row + 1, totalCol, totalFormula(row + 1, lastMonthCol, format));
        reportspread->setSheetText(row, totalCol, totalCaption(format));
        formatAt(*reportspread, row + 1, totalCol, KPIFormat);
        caption();
    });
    if (ReportType != kActualAndBudget)
        return;
    builderStep([&] {
        reportspread->setSheetFormula(row + 2, totalCol, totalFormula(row + 2, lastMonthCol, format));
        formatAt(*reportspread, row + 2, totalCol, KPIFormat);
    });
    builderStep([&] { pasteVariance(*reportspread, row + 3, totalCol); });
    builderStep(caption);
}

void ReportScreen::finishReportSheet(int totalCol)
{
    builderStep([&] { reportspread->setSheetText(kTotalColumnRow, kLabelCol, std::to_string(totalCol)); });
    const PrintArea area = reportPrintArea(ReportEndRow, totalCol);
    const QString printedAt = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    setUpReportPrint(*reportspread, area, printedAt.toStdString(), kBuilderTitle);
    if (ComboGraph->currentIndex() == 0)
        dochart2();
    EnableReportControls();
    homeReportCursor(*reportspread, kBuilderTitle);
}

}
