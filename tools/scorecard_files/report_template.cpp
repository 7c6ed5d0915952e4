// "actbud.rt": the empty sheet every report is built on. Row 7, column 3 takes the
// variance formula, so it carries the percent format that its copies take along. Row 2
// holds the report's total column for the exports to read, not for the reader: hidden.
#include "tools/scorecard_files/scorecard_files.h"

namespace ks::scorecard::files {

void buildReportTemplate(workbook::Book& book)
{
    book.setSheetName(1, "Report");
    book.setColumnWidth(1, 24);
    for (int col = 3; col <= 40; ++col)
        book.setColumnWidth(col, 11);
    book.setRowHiddenFlag(2, true);
    book.SelectBlock(7, 3, 7, 3);
    book.setSelectionNumberFormat("0%;(0%)");
    book.SelectBlock(1, 1, 1, 1);
}

}
