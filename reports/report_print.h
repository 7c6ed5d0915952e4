#pragma once
// The report sheet's print set-up and its return to the first cell, shared by the
// report builder and the chart pass after it.
#include "reports/report_sheet.h"

#include <QString>
#include <string>

namespace ks {

namespace workbook::view { class WorkbookControl; }

// Each step on its own: a failure is told under caption and the next step runs.
void setUpReportPrint(workbook::view::WorkbookControl& sheet, const reports::PrintArea& area,
                      const std::string& printedAt, const QString& caption);
void homeReportCursor(workbook::view::WorkbookControl& sheet, const QString& caption);

}
