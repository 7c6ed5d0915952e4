#include "platform/chart/chart_errors.h"
#include "platform/chart/data_grid.h"
#include "tests/platform/workbook/error_number.h"

#include <gtest/gtest.h>

using namespace ks::chart;

using ks::workbook::test::errorNumberOf;

TEST(ChartValue, NumbersInTheirPlainAndShownFormsAreValues)
{
    EXPECT_EQ(chartValueOf("1234.5"), 1234.5);
    EXPECT_EQ(chartValueOf("-0.05"), -0.05);
    EXPECT_EQ(chartValueOf("1E-07"), 1e-7);
    EXPECT_EQ(chartValueOf("1.5E+20"), 1.5e20);
    EXPECT_EQ(chartValueOf("  42 "), 42);
    EXPECT_EQ(chartValueOf("+7"), 7);
    EXPECT_EQ(chartValueOf(".5"), 0.5);
    EXPECT_EQ(chartValueOf("1,234,567"), 1234567);
    EXPECT_EQ(chartValueOf("$1,234.50"), 1234.5);
    EXPECT_EQ(chartValueOf("($1,234.50)"), -1234.5);
    EXPECT_EQ(chartValueOf("-$5"), -5);
    EXPECT_EQ(chartValueOf("$-5"), -5);
    EXPECT_EQ(chartValueOf("12.5%"), 0.125);
    EXPECT_EQ(chartValueOf("(5.0%)"), -0.05);
    EXPECT_EQ(chartValueOf("0"), 0);
}

TEST(ChartValue, BlanksAndOtherTextsGiveNoValue)
{
    for (const char* text : {"", "   ", "abc", "12abc", "#DIV/0!", "TRUE", "inf", "nan", "-", "$", "%", "()",
                             "1,,2", ",5", "5,", "1.2.3", "--5", "1e999", "Jan-26"})
        EXPECT_FALSE(chartValueOf(text).has_value()) << text;
}

TEST(ChartValue, CommasGroupOnlyThousands)
{
    EXPECT_EQ(chartValueOf("12,345"), 12345);
    EXPECT_EQ(chartValueOf("123,456.75"), 123456.75);
    // A decimal comma is no grouping: "0,453" is not 453.
    for (const char* text : {"0,453", "1,5", "1,23", "1234,567", "12,3456", "1,234,56", "1.5,3", "0,000"})
        EXPECT_FALSE(chartValueOf(text).has_value()) << text;
}

TEST(DataGrid, CellsKeepTheirTextAndValueThroughResizing)
{
    DataGrid grid;
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.ColumnCount(), 1);
    grid.setRowCount(2);
    grid.setColumnCount(3);
    grid.setRow(2);
    grid.setColumn(3);
    grid.setData("$1,000");
    grid.setColumnLabel("Mar-26");
    EXPECT_EQ(grid.Data(), "$1,000");
    EXPECT_EQ(grid.value(2, 3), 1000);
    grid.setData("n/a");
    EXPECT_EQ(grid.text(2, 3), "n/a");
    EXPECT_FALSE(grid.value(2, 3).has_value()) << "a new text replaces the old value";
    EXPECT_FALSE(grid.value(1, 1).has_value()) << "new cells are blank";

    grid.setColumnCount(2);
    EXPECT_EQ(grid.Column(), 2) << "the current cell stays inside the grid";
    grid.setColumnCount(3);
    EXPECT_EQ(grid.text(2, 3), "") << "cells dropped by shrinking come back blank";
    EXPECT_EQ(grid.columnLabel(3), "");
    grid.setRowCount(1);
    EXPECT_EQ(grid.Row(), 1);
}

TEST(DataGrid, CountsAndCellsOutsideTheGridAreRefused)
{
    DataGrid grid;
    grid.setRowCount(2);
    grid.setColumnCount(2);
    EXPECT_EQ(errorNumberOf([&] { grid.setRowCount(0); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { grid.setColumnCount(DataGrid::kMaxCount + 1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { grid.setRow(3); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { grid.setColumn(0); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { grid.value(1, 3); }), kErrBadArgument);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColumnCount(), 2);
    EXPECT_EQ(grid.Row(), 1) << "a refused row leaves the current one";
}
