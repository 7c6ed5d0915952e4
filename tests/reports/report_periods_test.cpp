#include "platform/workbook/engine/date_serial.h"
#include "reports/report_periods.h"

#include <gtest/gtest.h>

using namespace ks::reports;

TEST(ReportPeriods, EveryPeriodIsAHistoryMonthFourRowsApart)
{
    EXPECT_EQ(periodRow(0), 12);
    EXPECT_EQ(periodRow(1), 16);
    EXPECT_EQ(periodRow(kPeriodCount - 1), 152);
}

TEST(ReportPeriods, LabelsShowTheMonthAndTwoDigitYear)
{
    const double jan2004 = ks::workbook::dateSerial(2004, 1, 1);
    EXPECT_EQ(periodLabel(std::to_string(static_cast<int>(jan2004))), "Jan-04");
    EXPECT_EQ(periodLabel(std::to_string(ks::workbook::dateSerial(2025, 12, 31))), "Dec-25");
    EXPECT_EQ(periodLabel(""), "") << "an empty date cell gives an empty label";
    EXPECT_EQ(periodLabel("Budget"), "Budget") << "a text that is no date stands as it is";
    EXPECT_EQ(periodLabel("12abc"), "12abc");
}

TEST(ReportPeriods, TheFinishIsTheSelectedMonthUnlessItIsTheFirstOrOutsideTheList)
{
    EXPECT_EQ(finishPeriodIndex(12, 36), 35) << "the first history month gives the last entry";
    EXPECT_EQ(finishPeriodIndex(52, 36), 10);
    EXPECT_EQ(finishPeriodIndex(14, 36), 35) << "(14-12)/4 = 0.5 rounds to even 0";
    EXPECT_EQ(finishPeriodIndex(18, 36), 2) << "(18-12)/4 = 1.5 rounds to even 2";
    EXPECT_EQ(finishPeriodIndex(104.4, 36), 23) << "the line itself is rounded first";
    EXPECT_EQ(finishPeriodIndex(152, 36), 35);
    EXPECT_EQ(finishPeriodIndex(156, 36), 35) << "a month after the list";
    EXPECT_EQ(finishPeriodIndex(0, 36), 35) << "no selected month";
    EXPECT_EQ(finishPeriodIndex(-400, 36), 35);
}
