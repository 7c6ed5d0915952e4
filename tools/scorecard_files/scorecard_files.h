#pragma once
// Builds the scorecard files of the program folder through the workbook engine: the
// template "newxx2.tem", the report template "actbud.rt" and the sample "Sample.vqa".
#include "platform/workbook/engine/book.h"

#include <string>

namespace ks::scorecard::files {

// A fresh book becomes the scorecard template; history and financial year start in
// January of the given year.
void buildTemplate(workbook::Book& book, int year);
// A fresh book becomes the report template.
void buildReportTemplate(workbook::Book& book);
// A fresh book becomes the sample scorecard: two years of actuals ending with the month
// before the given one.
void buildSample(workbook::Book& book, int year, int month);
// Names all KPIs and gives the first `months` history months actuals and targets (for benchmarks).
void fillHistory(workbook::Book& book, int months);
// Writes the three files into the program folder.
void writeProgramFiles(const std::string& programFolder, int year, int month);

}
