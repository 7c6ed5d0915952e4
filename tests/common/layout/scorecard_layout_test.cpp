#include <algorithm>
#include <vector>
#include "common/layout/kpi_format.h"
#include "common/layout/scorecard_layout.h"

#include <gtest/gtest.h>

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

TEST(ScorecardLayout, KpiPositionsAndNames)
{
    EXPECT_EQ(month::kpiRow(1), 4);
    EXPECT_EQ(month::ratingRow(20), 68);
    EXPECT_EQ(setup::kindRow(1), 54);
    EXPECT_EQ(history::kpiCol(20), 25);
    EXPECT_EQ(history::actualRow(71) + 3, history::kBulkLastRow);
    EXPECT_EQ(texts::lineRow(0), 15);
    EXPECT_EQ(kpiName(7), "KPI_7");
    EXPECT_EQ(kpiBulkName(20), "KPI_20_bulk");
}

TEST(ScorecardLayout, KpiFormatsByTypeAndDecimals)
{
    EXPECT_EQ(kpiNumberFormat("percent", "1"), "0.0%;(0%)");
    EXPECT_EQ(kpiNumberFormat("currency", "2"), "$#,##0.00;($#,##0.00)");
    EXPECT_EQ(kpiNumberFormat("Currency", "2"), "#,##0.00;(#,##0.00)");
    EXPECT_EQ(kpiNumberFormat("", "3"), "#,##0;(#,##0)");
    EXPECT_EQ(kpiNumberFormat("percent", "2.0"), "0%;(0%)");
}
