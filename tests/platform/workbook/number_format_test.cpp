#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/number_format.h"

#include <gtest/gtest.h>

using namespace ks::workbook;

TEST(NumberFormat, TheNineKpiFormats)
{
    struct Case {
        const char* format;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {"$#,##0.00;($#,##0.00)", 1234567.891, "$1,234,567.89"},
        {"$#,##0.00;($#,##0.00)", -1234.5, "($1,234.50)"},
        {"$#,##0.0;($#,##0.0)", 999.95, "$1,000.0"},
        {"$#,##0.0;($#,##0.0)", -0.04, "($0.0)"},
        {"$#,##0;($#,##0)", 0, "$0"},
        {"$#,##0;($#,##0)", -1500.5, "($1,501)"},
        {"0.00%;(0.00%)", 0.12345, "12.35%"},
        {"0.00%;(0.00%)", -0.5, "(50.00%)"},
        {"0.0%;(0%)", 0.0125, "1.3%"},
        {"0.0%;(0%)", -0.0125, "(1%)"},
        {"0%;(0%)", 1.005, "101%"},
        {"0%;(0%)", -0.994, "(99%)"},
        {"#,##0.00;(#,##0.00)", 1.005, "1.01"},
        {"#,##0.00;(#,##0.00)", -1000000, "(1,000,000.00)"},
        {"#,##0.0;(#,##0.0)", 12.25, "12.3"},
        {"#,##0.0;(#,##0.0)", -12.25, "(12.3)"},
        {"#,##0;(#,##0)", 999.5, "1,000"},
        {"#,##0;(#,##0)", -2.5, "(3)"},
        {"#,##0;(#,##0)", 0.4, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.format), c.shown) << c.format << " " << c.value;
}

TEST(NumberFormat, FormatDecimalsOutputs)
{
    EXPECT_EQ(formatNumber(1234.5678, "#,##0.000;(#,##0.000)"), "1,234.568");
    EXPECT_EQ(formatNumber(-1234.5678, "#,##0.000;(#,##0.000)"), "(1,234.568)");
    EXPECT_EQ(formatNumber(-1234.5678, "$#,##0.000;($#,##0.000)"), "($1,234.568)");
    EXPECT_EQ(formatNumber(0.12345, "0.0%;(0.0%)"), "12.3%");
    EXPECT_EQ(formatNumber(-0.12345, "0.0%;(0.0%)"), "(12.3%)");
    EXPECT_EQ(formatNumber(-0.12345, "0.00%;(0%)"), "(12%)");
    EXPECT_EQ(formatNumber(0.12345, "0.00%;(0%)"), "12.35%");
    EXPECT_EQ(formatNumber(-0.12345, "0.000%;(0.000%)"), "(12.345%)");
    EXPECT_EQ(formatNumber(1.5, "#,##0.0000"), "1.5000");
}

TEST(NumberFormat, DatesTextsAndGeneral)
{
    double jan2004 = dateSerial(2004, 1, 15);
    EXPECT_EQ(formatNumber(jan2004, "mmm-yy"), "Jan-04");
    EXPECT_EQ(formatNumber(dateSerial(1999, 12, 1), "mmm-yy"), "Dec-99");
    EXPECT_EQ(formatNumber(dateSerial(2010, 9, 30), "mmmm"), "September");
    EXPECT_EQ(formatNumber(jan2004, "yyyy"), "2004");
    EXPECT_EQ(formatNumber(jan2004, "d"), "15");
    EXPECT_EQ(formatNumber(jan2004, "d/m/yyyy"), "15/1/2004");
    EXPECT_EQ(formatNumber(jan2004 + 0.75, "h:mm AM/PM"), "6:00 PM");
    EXPECT_EQ(formatNumber(-1, "mmm-yy"), "#######");

    EXPECT_EQ(formatNumber(1234.5, "General"), "1234.5");
    EXPECT_EQ(formatNumber(1.0 / 3, "General"), "0.333333333");
    EXPECT_EQ(formatNumber(-2.0 / 3, "General"), "-0.666666667");
    EXPECT_EQ(formatNumber(123456789012.0, "General"), "1.23457E+11");
    EXPECT_EQ(formatNumber(-5, "0"), "-5");
    EXPECT_EQ(formatNumber(-0.2, "0"), "0");
    EXPECT_EQ(formatNumber(0, "0;(0);\"zero\""), "zero");
    EXPECT_EQ(formatNumber(5, "\"Total: \"0\" units\""), "Total: 5 units");
    EXPECT_EQ(formatNumber(5, "[$£-809]#,##0.00"), "£5.00");
    EXPECT_EQ(formatNumber(0.5, "#.##"), ".5");
    EXPECT_EQ(formatNumber(12345, "0.00E+00"), "1.23E+04");
    EXPECT_EQ(formatNumber(2500000, "#,##0,"), "2,500");
    EXPECT_EQ(formatValue(Value::ofText("abc"), "0.00;(0.00);0;\"<\"@\">\""), "<abc>");
    EXPECT_EQ(formatValue(Value::ofText("abc"), "#,##0"), "abc");
    EXPECT_EQ(formatValue(Value::ofBool(true), "0"), "TRUE");
    EXPECT_EQ(formatValue(Value{}, "0"), "");
}
