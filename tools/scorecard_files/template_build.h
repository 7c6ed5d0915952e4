#pragma once
// The template's sheets, one builder per file; called in this order by buildTemplate.
#include "platform/workbook/engine/book.h"

namespace ks::scorecard::files {

void buildHelperSheets(workbook::Book& book);      // sheets 3 to 5
void buildSetupSheet(workbook::Book& book, int year);
void buildHistorySheets(workbook::Book& book);     // sheets 6 to 8
void buildMonthView(workbook::Book& book, int year);
void protectTemplate(workbook::Book& book);

// Small styling steps shared by the builders, on the current sheet.
void styleBlock(workbook::Book& book, int row1, int col1, int row2, int col2, const std::string& format);
void heading(workbook::Book& book, int row, int col, const std::string& text);

}
