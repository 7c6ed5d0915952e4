#include "reports/report_print.h"

#include "platform/workbook/view/workbook_control.h"
#include "reports/report_failures.h"

namespace ks {

using workbook::view::WorkbookControl;

void setUpReportPrint(WorkbookControl& sheet, const reports::PrintArea& area, const std::string& printedAt,
                      const QString& caption)
{
    reportStep(caption, [&] {
        sheet.SelectBlock(1, 1, area.lastRow, area.lastCol);
        sheet.PrintRangeFromSelection();
    });
    reportStep(caption, [&] { sheet.setPrintFooterText(reports::reportFooter(printedAt)); });
    reportStep(caption, [&] { sheet.setPrintHeaderText(reports::kReportTitle); });
    reportStep(caption, [&] { sheet.setPrintSwitch(false); });
    reportStep(caption, [&] { sheet.SetPrintScale(100, true, area.pagesTall, area.pagesWide); });
    // The months run across: landscape, with the KPI names and the head on every page, and
    // breaks where the printout breaks (between rows of charts) written into the sheet.
    reportStep(caption, [&] { sheet.setPrintLandscape(true); });
    reportStep(caption, [&] { sheet.SetPrintTitles(reports::kFirstBlockRow - 1, reports::kFirstMonthCol - 1); });
    reportStep(caption, [&] { sheet.SetRowBreaksAsPrinted(); });
}

void homeReportCursor(WorkbookControl& sheet, const QString& caption)
{
    reportStep(caption, [&] {
        sheet.SelectBlock(1, 1, 1, 1);
        sheet.PlaceCursor(1, 1);
        sheet.ScrollToCursor();
    });
}

}
