#include "reports/report_sheet.h"

#include "platform/runtime/runtime_error.h"

#include <gtest/gtest.h>

using namespace ks::reports;

TEST(ReportSheet, BlocksTakeFiveRowsFromRowFour)
{
    EXPECT_EQ(blockHeaderRow(1), 4);
    EXPECT_EQ(blockHeaderRow(2), 9);
    EXPECT_EQ(blockHeaderRow(20), 99);
    EXPECT_EQ(lastMonthColumn(0, 0), 3) << "one month: column 3";
    EXPECT_EQ(lastMonthColumn(0, 11), 14);
    EXPECT_EQ(lastMonthColumn(0, 35), 38);
}

TEST(ReportSheet, ColumnLettersRunFromAToAZAndNoFurther)
{
    EXPECT_EQ(columnLetters(1), "A");
    EXPECT_EQ(columnLetters(14), "N");
    EXPECT_EQ(columnLetters(26), "Z");
    EXPECT_EQ(columnLetters(27), "AA");
    EXPECT_EQ(columnLetters(38), "AL");
    EXPECT_EQ(columnLetters(52), "AZ");
    EXPECT_THROW(columnLetters(53), ks::RuntimeError);
    EXPECT_THROW(columnLetters(0), ks::RuntimeError);
}

TEST(ReportSheet, PercentKpisAreAveragedAndTheOthersTotalled)
{
    EXPECT_EQ(totalFormula(5, 14, "$#,##0;($#,##0)"), "sum(c5:N5)");
    EXPECT_EQ(totalFormula(11, 14, "#,##0.0;(#,##0.0)"), "sum(c11:N11)");
    EXPECT_EQ(totalFormula(5, 38, "0.0%;(0%)"), "average(c5:AL5)");
    EXPECT_EQ(totalFormula(5, 3, "0%;(0%)"), "average(c5:C5)");
    EXPECT_EQ(totalCaption("0.0%;(0%)"), "Average");
    EXPECT_EQ(totalCaption("0.00%;(0.00%)"), "Average");
    EXPECT_EQ(totalCaption("$#,##0;($#,##0)"), "Total");
    EXPECT_EQ(totalCaption("0%"), "Total") << "only a format ending in \"%)\" is a percent format";
    EXPECT_EQ(totalCaption(""), "Total");
}

TEST(ReportSheet, TheVarianceChoicePicksItsFormula)
{
    EXPECT_EQ(varianceFormula(0), "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6=0,0,IF(C6<0,((C6-C5)/C6)+1,C5/C6)))");
    const std::string variance = "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6<0,((C6-C5)/C6),IF(C6=0,0,(C5/C6)-100%)))";
    EXPECT_EQ(varianceFormula(1), variance);
    EXPECT_EQ(varianceFormula(-3), variance) << "any value but 0 is the variance";
}

TEST(ReportSheet, PrintAreasCoverTheReportAndItsCharts)
{
    const PrintArea report = reportPrintArea(14, 15);
    EXPECT_EQ(report.lastRow, 16);
    EXPECT_EQ(report.lastCol, 16);
    EXPECT_EQ(report.pagesTall, 1);
    EXPECT_EQ(report.pagesWide, 1);

    EXPECT_EQ(chartedPrintArea(14, 14).lastRow, 42);
    EXPECT_EQ(chartedPrintArea(14, 12).lastCol, 14) << "at least 14 columns, where the right-hand charts end";
    EXPECT_EQ(chartedPrintArea(14, 13).lastCol, 14);
    EXPECT_EQ(chartedPrintArea(14, 14).lastCol, 15);
    // Down, as many pages as the rows need, so that the breaks between rows of charts hold.
    EXPECT_EQ(chartedPrintArea(16, 3).pagesTall, 0);
    EXPECT_EQ(chartedPrintArea(104, 26).pagesTall, 0);
    EXPECT_EQ(chartedPrintArea(4, 20).pagesWide, 1);
    EXPECT_EQ(chartedPrintArea(4, 21).pagesWide, 2);
    EXPECT_EQ(chartedPrintArea(4, 39).pagesWide, 2);
    EXPECT_EQ(chartedPrintArea(4, 40).pagesWide, 3);
}

TEST(ReportSheet, TheFooterNamesThePrintTimeAndPage)
{
    EXPECT_EQ(reportFooter("9/12/26 1:58 AM"), "&C &08 Report printed as at 9/12/26 1:58 AM, Page &P");
}
