#include "reports/report_sheet.h"

#include "platform/workbook/engine/errors.h"

namespace ks::reports {

std::string columnLetters(int col)
{
    if (col < 1 || col > kMaxLastMonthCol)
        workbook::raise(workbook::kErrBadArgument, "Column " + std::to_string(col) + " has no report letters");
    if (col <= 26)
        return std::string(1, static_cast<char>('A' + col - 1));
    return std::string("A") + static_cast<char>('A' + col - 27);
}

bool isAveragedFormat(const std::string& kpiFormat)
{
    return kpiFormat.size() >= 2 && kpiFormat.compare(kpiFormat.size() - 2, 2, "%)") == 0;
}

std::string totalCaption(const std::string& kpiFormat)
{
    return isAveragedFormat(kpiFormat) ? "Average" : "Total";
}

std::string totalFormula(int row, int lastMonthCol, const std::string& kpiFormat)
{
    const std::string r = std::to_string(row);
    const char* function = isAveragedFormat(kpiFormat) ? "average(c" : "sum(c";
    return function + r + ":" + columnLetters(lastMonthCol) + r + ")";
}

std::string varianceFormula(int varianceChoice)
{
    if (varianceChoice == 0)
        return "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6=0,0,IF(C6<0,((C6-C5)/C6)+1,C5/C6)))";
    return "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6<0,((C6-C5)/C6),IF(C6=0,0,(C5/C6)-100%)))";
}

PrintArea reportPrintArea(int endRow, int totalCol) { return {endRow + 2, totalCol + 1, 1, 1}; }

PrintArea chartedPrintArea(int endRow, int lastMonthCol)
{
    // As many pages down as the width's fit leaves: a fixed count of pages down would
    // squeeze the charts and make the page breaks between them void.
    const int wide = lastMonthCol <= 20 ? 1 : lastMonthCol <= 39 ? 2 : 3;
    const int lastCol = lastMonthCol + 1 < 14 ? 14 : lastMonthCol + 1;
    return {3 * endRow, lastCol, 0, wide};
}

std::string reportFooter(const std::string& printedAt)
{
    return "&C &08 Report printed as at " + printedAt + ", Page &P";
}

}
