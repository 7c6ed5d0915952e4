// The chart pass after a report with graphs, and the print set-up of the report with
// its charts below it.
#include "platform/chart/chart_control.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_sheet.h"
#include "reports/report_failures.h"
#include "reports/report_print.h"
#include "reports/report_screen.h"

#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QLocale>
#include <QPushButton>

namespace ks::reports {

void ReportScreen::dochart2()
{
    const QString kChartsTitle = QStringLiteral("Error in dochart2");
    auto step = [&](auto&& f) { reportStep(kChartsTitle, f); };
    step([&] {
        Frame3->show();
        cmdExport->show();
    });
    const int lastMonthCol = lastMonthColumn(Combo1[0]->currentIndex(), Combo1[1]->currentIndex());
    const PrintArea area = chartedPrintArea(ReportEndRow, lastMonthCol);
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    setUpReportPrint(*reportspread, area, today.toStdString(), kChartsTitle);
    step([&] { VtChart1->hide(); });
    EnableReportControls();
    homeReportCursor(*reportspread, kChartsTitle);
}

}
