#include "common/layout/kpi_format.h"
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/engine/book.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

using namespace ks::scorecard::layout;

TEST(ScorecardLayout, SectionLinesMapOntoTheTextHistoryColumnsInOrder)
{
    // Every sheet-1 section line has its own column, 7 to 38, in sheet-1 order.
    std::vector<int> seen;
    for (int col : {month::kLeftTextCol, month::kRightTextCol})
        for (int row = month::kSuccessFirstRow; row <= month::kInnovationLastRow; ++row)
            if (int c = texts::sectionColumn(row, col))
                seen.push_back(c);
    std::sort(seen.begin(), seen.end());
    ASSERT_EQ(seen.size(), 32u);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], texts::kSuccessCol + static_cast<int>(i));
    EXPECT_EQ(texts::sectionColumn(25, 5), texts::kSuccessCol);
    EXPECT_EQ(texts::sectionColumn(25, 6), texts::kObstacleCol);
    EXPECT_EQ(texts::sectionColumn(30, 6), texts::kFinancialCol);
    EXPECT_EQ(texts::sectionColumn(45, 6), texts::kLastSectionCol);
    for (auto [row, col] : {std::pair{27, 5}, {29, 6}, {37, 5}, {38, 6}, {46, 5}, {30, 4}, {25, 7}})
        EXPECT_EQ(texts::sectionColumn(row, col), 0) << row << "," << col;
}

// The template the build generated: the cells the program reads by these positions must be
// the ones the template gives the meaning, for every KPI.
TEST(ScorecardLayout, KpiPositionsAndNamesMatchTheGeneratedTemplate)
{
    ks::workbook::Book book;
    book.ReadBookFile((std::filesystem::path(std::getenv("KS_PROGRAM_DIR")) / "newxx2.tem").string());
    for (int k = 1; k <= kKpiCount; ++k)
        book.setBookText(kSetup, setup::kpiRow(k), setup::kNameCol, "Kpi " + std::to_string(k));
    book.RecalculateBook();

    for (int k = 1; k <= kKpiCount; ++k) {
        const std::string name = "Kpi " + std::to_string(k);
        // The set-up name shows on the KPI's line of the month view, of the kind list, of the
        // comment texts and of the history, and nowhere else in those places.
        EXPECT_EQ(book.BookText(kMonthView, month::kpiRow(k), month::kNameCol), name);
        EXPECT_EQ(book.BookText(kSetup, setup::kindRow(k), setup::kKindCol - 1), name);
        EXPECT_EQ(book.BookNumber(kSetup, setup::kindRow(k), setup::kKindCol), 1) << "an ordinary KPI by default";
        EXPECT_EQ(book.BookText(kKpiComments, texts::lineRow(0) - 1, texts::commentCol(k)), name);
        EXPECT_EQ(book.BookText(kHistory, history::kFirstRow - 1, history::kpiCol(k)), name);
        EXPECT_FALSE(book.BookFormula(kMonthView, month::ratingRow(k), month::kMonthRatingCol).empty()) << k;
        EXPECT_FALSE(book.BookFormula(kMonthView, month::ratingRow(k), month::kYtdRatingCol).empty()) << k;

        // "KPI_<n>" is the KPI's actual and target on the month view; "KPI_<n>_bulk" its cells of
        // the bulk view: the selected month's lines and every month of its history column.
        book.setSelectionReference(kpiName(k));
        EXPECT_EQ(book.CurrentSheet(), kMonthView) << kpiName(k);
        EXPECT_EQ(book.GetSelectedBlock(), (ks::workbook::Block{month::kpiRow(k), month::kActualCol,
                                                                month::kpiRow(k), month::kTargetCol}));
        book.setSelectionReference(kpiBulkName(k));
        EXPECT_EQ(book.CurrentSheet(), kHistory) << kpiBulkName(k);
        const ks::workbook::Block bulk = book.GetSelectedBlock();
        EXPECT_EQ(bulk.col1, history::kpiCol(k));
        EXPECT_EQ(bulk.cols(), 1);
        EXPECT_EQ(bulk.row1, history::kSelectedActualRow);
        EXPECT_LT(history::kSelectedTargetRow, history::actualRow(0));
        EXPECT_EQ(bulk.row2, history::varianceRow(kHistoryMonths - 1));
        EXPECT_EQ(bulk.row2, history::kBulkLastRow) << "the bulk view shows every history line";
    }
    EXPECT_EQ(book.BookText(kMonthView, month::kpiRow(kKpiCount) + 1, month::kNameCol).find("Kpi"),
              std::string::npos) << "no KPI line past the last";
}

TEST(ScorecardLayout, KpiFormatsByTypeAndDecimals)
{
    EXPECT_EQ(kpiNumberFormat("percent", "1"), "0.0%;(0%)");
    EXPECT_EQ(kpiNumberFormat("currency", "2"), "$#,##0.00;($#,##0.00)");
    EXPECT_EQ(kpiNumberFormat("Currency", "2"), "#,##0.00;(#,##0.00)");
    EXPECT_EQ(kpiNumberFormat("", "3"), "#,##0;(#,##0)");
    EXPECT_EQ(kpiNumberFormat("percent", "2.0"), "0%;(0%)");
}
