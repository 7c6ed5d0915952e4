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
