#include "tools/scorecard_files/scorecard_files.h"
#include "tools/scorecard_files/template_cells.h"

#include "platform/runtime/runtime_error.h"
#include "platform/workbook/engine/date_serial.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace ks::test {

using namespace ks::scorecard::layout;
namespace files = ks::scorecard::files;

TEST(ReportTemplate, OneEmptySheetWithThePercentCell)
{
    TempDir dir;
    files::writeProgramFiles(dir.str(), 2025, 3);
    for (const char* name : {"newxx2.tem", "actbud.rt", "spreadsheets/Sample.vqa"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << name;
    workbook::Book book;
    book.ReadBookFile((dir.path() / "actbud.rt").string());
    ASSERT_EQ(book.SheetCount(), 1);
    for (int r = 1; r <= 106; ++r)
        for (int c = 1; c <= 40; ++c)
            EXPECT_EQ(book.SheetText(r, c), "") << r << "," << c;
    EXPECT_EQ(book.CellFormatAt(1, 7, 3).numberFormat, "0%;(0%)");
    EXPECT_TRUE(book.data().names.empty());
    EXPECT_FALSE(book.SheetProtected());
    // The builder's variance formula works in it.
    book.setSheetNumber(5, 3, 50);
    book.setSheetNumber(6, 3, 100);
    book.setSheetFormula(7, 3, "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6=0,0,IF(C6<0,((C6-C5)/C6)+1,C5/C6)))");
    EXPECT_EQ(book.SheetShownText(7, 3), "50%");
}

TEST(ProgramFolder, TheBuildWroteTheScorecardFiles)
{
    std::filesystem::path folder = std::getenv("KS_PROGRAM_DIR");
    workbook::Book book;
    book.ReadBookFile((folder / "newxx2.tem").string());
    EXPECT_EQ(book.SheetCount(), 8);
    book.ReadBookFile((folder / "spreadsheets" / "Sample.vqa").string());
    EXPECT_FALSE(book.BookText(kMonthView, month::kpiRow(1), month::kNameCol).empty());
    EXPECT_EQ(book.ReadBookFile((folder / "actbud.rt").string()), workbook::kFileNative);
}

TEST(SampleScorecard, TwoYearsOfANamedCompanyShownOnItsLastMonth)
{
    workbook::Book book;
    files::buildSample(book, 2025, 3);  // data from March 2023 to February 2025
    book.setClock([] { return workbook::dateSerial(2025, 3, 10); });
    EXPECT_FALSE(book.BookText(kMonthView, month::kCompanyRow, month::kCompanyCol).empty());
    EXPECT_EQ(book.BookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol), "March");
    EXPECT_EQ(book.BookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol), "2023");
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol),
              workbook::dateSerial(2025, 2, 1));
    std::set<std::string> types;
    std::set<int> kinds;
    int named = 0;
    for (int k = 1; k <= kKpiCount; ++k) {
        if (book.BookText(kMonthView, month::kpiRow(k), month::kNameCol).empty())
            continue;
        ++named;
        types.insert(book.BookText(kSetup, setup::kpiRow(k), setup::kFormatTypeCol));
        kinds.insert(static_cast<int>(book.BookNumber(kSetup, setup::kindRow(k), setup::kKindCol)));
        for (int j = 0; j < 24; ++j)
            EXPECT_NE(book.BookText(kHistory, history::actualRow(j), history::kpiCol(k)), "") << k << " " << j;
        EXPECT_EQ(book.BookText(kHistory, history::actualRow(24), history::kpiCol(k)), "");
        EXPECT_EQ(book.BookNumber(kMonthView, month::kpiRow(k), month::kActualCol),
                  book.BookNumber(kHistory, history::actualRow(23), history::kpiCol(k)));
        EXPECT_GE(book.BookNumber(kMonthView, month::ratingRow(k), month::kMonthRatingCol), 1);
        EXPECT_GE(book.BookNumber(kMonthView, month::ratingRow(k), month::kYtdRatingCol), 1);
    }
    EXPECT_EQ(named, 12);
    EXPECT_EQ(types, (std::set<std::string>{"currency", "number", "percent"}));
    EXPECT_EQ(kinds, (std::set<int>{1, 2}));
    EXPECT_FALSE(book.BookText(kMonthView, month::kSuccessFirstRow, month::kLeftTextCol).empty());
    EXPECT_FALSE(book.BookText(kMonthView, month::kPlanFirstRow, month::kRightTextCol).empty());
    EXPECT_EQ(book.ListItemCount(month::kSuccessListId), 12);
    EXPECT_EQ(book.BookText(kMonthView, month::kSuccessHeaderRow, month::kSectionNameCol),
              book.ListItemText(month::kSuccessListId, 0));
    EXPECT_EQ(book.BookNumber(kSetup, setup::kGuardRow, setup::kWelcomeCol), 1);
    EXPECT_EQ(book.BookNumber(kSetup, setup::kLateRow, setup::kWelcomeCol), 0) << "on time in its own month";
    EXPECT_EQ(book.CellFormatAt(kMonthView, month::kpiRow(1), month::kActualCol).numberFormat, "$#,##0;($#,##0)");
}

TEST(HistoryFill, FillsTheFirstMonthsOfEveryKpi)
{
    workbook::Book book;
    files::buildTemplate(book, 2024);
    files::fillHistory(book, 72);
    for (int k = 1; k <= kKpiCount; ++k) {
        EXPECT_FALSE(book.BookText(kMonthView, month::kpiRow(k), month::kNameCol).empty());
        EXPECT_GT(book.BookNumber(kHistory, history::actualRow(71), history::kpiCol(k)), 0);
        EXPECT_EQ(book.BookText(kHistory, history::actualRow(72), history::kpiCol(k)), "");
    }
    book.setClock([] { return workbook::dateSerial(2030, 1, 5); });
    EXPECT_EQ(book.BookNumber(kSetup, setup::kMonthsLateRow, setup::kWelcomeCol), 0);
    files::fillHistory(book, 500);  // capped at the history's length
    EXPECT_GT(book.BookNumber(kHistory, history::actualRow(kHistoryMonths - 1), history::kpiCol(20)), 0);
}

TEST(ScorecardTemplate, NeedsAFreshBook)
{
    workbook::Book book;
    book.AddListObject(1, 1, 2, 2, "other");
    EXPECT_THROW(files::buildTemplate(book, 2024), ks::RuntimeError);
}

}
