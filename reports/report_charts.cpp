// The chart pass after a report with graphs: one chart per reported KPI, written as
// its picture file and placed below the report, then the print set-up of the report
// with its charts.
#include "common/paths.h"
#include "common/settings.h"
#include "platform/chart/chart_control.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_failures.h"
#include "reports/report_periods.h"
#include "reports/report_print.h"
#include "reports/report_screen.h"
#include "reports/report_sheet.h"

#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QFrame>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>

namespace ks::reports {

namespace {

const QString kChartsTitle = QStringLiteral("Error in dochart2");

// The chart control's codes for what the report charts look like.
enum ChartAxis : int { kCategoryAxis = 0, kValueAxis = 1, kSecondValueAxis = 2 };
const QSize kLeastChartSize(480, 320);
constexpr int kLegendBelow = 6, kTitleAbove = 1;

void chartStep(const std::function<void()>& f) { reportStep(kChartsTitle, f); }

}

QString ReportScreen::chartPicturePath(int item)
{
    const QString name = QStringLiteral("KPI_%1.jpg").arg(kpiOfListItem(item));
    // The GRAPHDIR setting names the folder; a missing separator at its end is added.
    if (!GraphFolder.isEmpty() && FolderExists(GraphFolder)) {
        GraphFolderInUse = AddBackslash(GraphFolder);
        return GraphFolderInUse + name;
    }
    const QString folder = AddBackslash(AddBackslash(App::path()) + QStringLiteral("graphs"));
    if (!FolderExists(folder))
        MakeDirPath(folder);
    GraphFolderInUse = folder;
    return folder + name;
}

void ReportScreen::dochart2()
{
    int first = 0, last = 0;
    chartStep([&] {
        first = Combo1[0]->currentIndex();
        last = Combo1[1]->currentIndex();
    });
    chartStep([&] { VtChart1->setChartType(storedGraphType()); });
    const int months = lastMonthColumn(first, last) - 2;
    chartStep([&] { VtChart1->setColumnCount(months); });
    // A chart picture needs room for its axes, legend and title whatever the window's size.
    chartStep([&] {
        VtChart1->resize(VtChart1->size().expandedTo(kLeastChartSize));
        placeChart();
    });
    ReportChartCount = 0;
    for (int i = 0; i < KPIList->count(); ++i) {
        bool ticked = false;
        chartStep([&] { ticked = kpiTicked(i); });
        if (ticked)
            drawKpiChart(i, months);
    }
    finishChartedReport(lastMonthColumn(first, last));
}

void ReportScreen::drawKpiChart(int item, int months)
{
    chartStep([&] {
        // The last chart would show the next KPI's numbers under its own title and axis
        // format while the grid is refilled; it is shown again once dressed.
        VtChart1->hide();
        VtChart1->Refresh();
        VtChart1->setRepaint(true);
        DoEvents();
    });
    chartStep([&] { clearChartGrid(months); });
    const int k = ++ReportChartCount;
    const int row = blockHeaderRow(k) + 1;
    chartStep([&] { VtChart1->setColumnCount(months); });
    QString name;
    chartStep([&] { name = QString::fromStdString(reportspread->SheetText(row - 1, kLabelCol)); });
    chartStep([&] { VtChart1->setSeriesInRows(true); });
    chartStep([&] { fillChartGrid(row, months); });
    showChartProgress(name);
    dressChart(item, name);
    chartStep([&] { labelChartMonths(); });
    chartStep([&] {
        VtChart1->show();
        VtChart1->raise();   // over the report sheet, under the progress window
    });
    chartStep([&] {
        VtChart1->WritePictureFile(chartPicturePath(item), chart::kPictureJpeg, kChartJpegQuality);
        DoEvents();
        DoEvents();
    });
    MoveChartPictureToSheet(item);
}

void ReportScreen::clearChartGrid(int months)
{
    VtChart1->setRowCount(2);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= months; ++c) {
            VtChart1->setRow(r);
            VtChart1->setColumn(c);
            VtChart1->setData(QString());
        }
}

// One series per charted line of the KPI's block: actual and budget, or the one line.
void ReportScreen::fillChartGrid(int row, int months)
{
    const int series = ReportType == kActualAndBudget ? 2 : 1;
    VtChart1->setRowCount(series);
    for (int s = 1; s <= series; ++s)
        for (int c = 1; c <= months; ++c) {
            VtChart1->setRow(s);
            VtChart1->setColumn(c);
            VtChart1->setData(QString::fromStdString(reportspread->SheetText(row + s - 1, c + kFirstMonthCol - 1)));
        }
}

// The progress window names the chart for a second while events run.
void ReportScreen::showChartProgress(const QString& name)
{
    chartStep([&] {
        QElapsedTimer wait;
        wait.start();
        do {
            if (window_.showProgress)
                window_.showProgress(QStringLiteral("generating the ") + name + QStringLiteral(" Graph"));
            DoEvents();
        } while (wait.elapsed() < ChartProgressMs);
        if (window_.hideProgress)
            window_.hideProgress();
    });
}

void ReportScreen::dressChart(int item, const QString& name)
{
    chartStep([&] { VtChart1->setLegendVisible(true); });
    chartStep([&] { VtChart1->setAxisLabelFontSize(kSecondValueAxis, 1); });
    chartStep([&] {
        VtChart1->setAxisLabelFontSize(kValueAxis, 8);
        VtChart1->setAxisLabelBold(kValueAxis, false);
    });
    chartStep([&] {
        ReportKpiIndex = kpiOfListItem(item);
        getformat();
        VtChart1->setAxisLabelFormat(kValueAxis, KPIFormat);
    });
    chartStep([&] {
        switch (combotype->currentIndex()) {
        case kActualAndBudget:
            VtChart1->setSeriesLegendText(1, QStringLiteral("Actual"));
            VtChart1->setSeriesLegendText(2, QStringLiteral("Budget"));
            break;
        case kActualsOnly:
            VtChart1->setSeriesLegendText(1, QStringLiteral("Actual"));
            break;
        case kBudgetOnly:
            VtChart1->setSeriesLegendText(1, QStringLiteral("Budget"));
            break;
        default:
            break;
        }
    });
    chartStep([&] {
        VtChart1->setAxisLabelFontSize(kCategoryAxis, 10);
        VtChart1->setAxisLabelBold(kCategoryAxis, false);
    });
    chartStep([&] {
        VtChart1->setLegendPosition(kLegendBelow);
        VtChart1->setLegendFontSize(8);
    });
    chartStep([&] {
        VtChart1->setTitlePosition(kTitleAbove);
        window_.window->setVisible(true);
        VtChart1->setTitleText(name);
        VtChart1->setTitleVisible(window_.window->isVisible());
        VtChart1->setTitleTextLayout(0, 0, 2);
    });
}

// The month columns' labels from the dates above the first block.
void ReportScreen::labelChartMonths()
{
    const int columns = VtChart1->ColumnCount();
    for (int c = 1; c <= columns; ++c) {
        const std::string date = reportspread->SheetText(kFirstBlockRow, c + kFirstMonthCol - 1);
        VtChart1->setColumn(c);
        VtChart1->setColumnLabel(QString::fromStdString(periodLabel(date)));
        DoEvents();
        VtChart1->Refresh();
        VtChart1->setRepaint(true);
        DoEvents();
    }
}

void ReportScreen::finishChartedReport(int lastMonthCol)
{
    chartStep([&] {
        Frame3->show();
        cmdExport->show();
    });
    const PrintArea area = chartedPrintArea(ReportEndRow, lastMonthCol);
    // Over more than one page across, the charts start a page of their own: the pages to
    // their right then hold nothing (the KPI names repeated beside would show slices of
    // charts) and are left out.
    if (area.pagesWide > 1)
        chartStep([&] { reportspread->SetRowPageBreak(ReportEndRow + 2); });
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    setUpReportPrint(*reportspread, area, today.toStdString(), kChartsTitle);
    chartStep([&] { VtChart1->hide(); });
    EnableReportControls();
    homeReportCursor(*reportspread, kChartsTitle);
}

}
