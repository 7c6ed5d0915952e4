#include "tests/tools/template_fixture.h"

namespace ks::test {

TEST_F(TemplateTest, MonthRatingAtEachThreshold)
{
    select(2024, 6);
    EXPECT_EQ(monthRating(1), 0) << "no actual, no rating";
    EXPECT_EQ(ratio(1), 0);
    const std::pair<double, double> cases[] = {{0, 1},   {89, 1},  {90, 2},  {99, 2},  {100, 3},
                                               {101, 4}, {110, 4}, {111, 5}, {500, 5}, {-20, 1}};
    for (auto [actual, rating] : cases) {
        enter(1, actual, 100);
        EXPECT_EQ(monthRating(1), rating) << actual;
        EXPECT_DOUBLE_EQ(ratio(1), actual / 100) << actual;
    }
    // The thresholds are cells: a wider "met" band.
    book.setBookNumber(kRatings, scorecard::files::ratings::kBelowRow, scorecard::files::ratings::kThresholdCol, 0.95);
    book.setBookNumber(kRatings, scorecard::files::ratings::kMetRow, scorecard::files::ratings::kThresholdCol, 1.05);
    enter(1, 96, 100);
    EXPECT_EQ(monthRating(1), 3);
    enter(1, 105, 100);
    EXPECT_EQ(monthRating(1), 3);
}

TEST_F(TemplateTest, ZeroAndNegativeTargets)
{
    select(2024, 6);
    enter(1, 0, 0);
    EXPECT_EQ(ratio(1), 1);
    EXPECT_EQ(monthRating(1), 3);
    enter(1, 250, 0);
    EXPECT_EQ(ratio(1), 2);
    EXPECT_EQ(monthRating(1), 5);
    enter(1, -5, 0);
    EXPECT_EQ(ratio(1), -1);
    EXPECT_EQ(monthRating(1), 1);
    // A negative target (a loss) is beaten by a smaller loss.
    enter(1, -50, -100);
    EXPECT_DOUBLE_EQ(ratio(1), 1.5);
    EXPECT_EQ(monthRating(1), 5);
    enter(1, -100, -100);
    EXPECT_EQ(ratio(1), 1);
    EXPECT_EQ(monthRating(1), 3);
    enter(1, -150, -100);
    EXPECT_DOUBLE_EQ(ratio(1), 0.5);
    EXPECT_EQ(monthRating(1), 1);
}

TEST_F(TemplateTest, YearToDateRestartsAtTheFinancialYearStart)
{
    financialYear("April", 2024);
    for (int m = 1; m <= 12; ++m) {
        select(2024, m);
        enter(3, m <= 3 ? 50 : 100, 100);
    }
    select(2024, 3);  // January to March: the history starts in January
    EXPECT_EQ(ytdRating(3), 1);
    select(2024, 4);  // April alone
    EXPECT_EQ(ytdRating(3), 3);
    EXPECT_EQ(monthRating(3), 3);
    select(2024, 6);  // April to June
    EXPECT_EQ(ytdRating(3), 3);
    select(2025, 3);  // April 2024 to March 2025; the empty 2025 months count for nothing
    EXPECT_EQ(ytdRating(3), 3);
    EXPECT_EQ(monthRating(3), 0);
    select(2025, 4);  // a new year with no actuals yet
    EXPECT_EQ(ytdRating(3), 0);

    financialYear("January", 2024);
    select(2024, 6);  // (3 x 50 + 3 x 100) / 600
    EXPECT_EQ(ytdRating(3), 1);
    enter(3, 400, 100);  // June makes up for it: 750 / 600
    EXPECT_EQ(ytdRating(3), 5);
    EXPECT_EQ(book.BookNumber(kRatings, scorecard::files::ratings::kYtdRatio, history::kpiCol(3)), 1.25);
}

TEST_F(TemplateTest, YearToDateComparesOnlyMonthsWithActuals)
{
    select(2024, 1);
    enter(1, 100, 100);
    select(2024, 2);
    book.setBookNumber(kHistory, history::targetRow(1), history::kpiCol(1), 100);  // budget only
    EXPECT_EQ(ytdRating(1), 3);
    EXPECT_EQ(monthRating(1), 0);
}

TEST_F(TemplateTest, LatenessAgainstToday)
{
    EXPECT_EQ(welcome(setup::kGuardRow), 0) << "no data at all";
    EXPECT_EQ(welcome(setup::kLateRow), 0);
    EXPECT_EQ(welcome(setup::kMonthsLateRow), 0);
    EXPECT_EQ(book.BookText(kSetup, setup::kLastDataRow, setup::kWelcomeCol), "");

    select(2024, 5);
    enter(1, 10);  // May 2024 has an actual; a target alone would not count
    select(2024, 6);
    book.setBookNumber(kHistory, history::targetRow(6), history::kpiCol(2), 5);
    EXPECT_EQ(welcome(setup::kGuardRow), 1);
    EXPECT_EQ(book.BookNumber(kSetup, setup::kLastDataRow, setup::kWelcomeCol), dateSerial(2024, 5, 1));
    const std::pair<int, int> months[] = {{5, 0}, {6, 0}, {7, 1}, {8, 2}, {9, 3}, {10, 4}, {11, 5}, {12, 6}};
    for (auto [month, late] : months) {
        today(2024, month, 28);
        EXPECT_EQ(welcome(setup::kMonthsLateRow), late) << month;
        EXPECT_EQ(welcome(setup::kLateRow), late > 0 ? 1 : 0) << month;
    }
    today(2025, 2, 1);  // across the year end
    EXPECT_EQ(welcome(setup::kMonthsLateRow), 8);
    EXPECT_EQ(book.BookNumber(kSetup, setup::kHistoryMonthsRow, setup::kHistoryMonthsCol), 14);
    today(2023, 6, 1);  // today before the history start
    EXPECT_EQ(welcome(setup::kMonthsLateRow), 0);
    EXPECT_EQ(book.BookNumber(kSetup, setup::kHistoryMonthsRow, setup::kHistoryMonthsCol), 0);
}

}
