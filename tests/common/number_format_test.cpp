#include "common/number_format.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace ks;

TEST(FormatDecimals, KpiFormatsGainAndLoseOneDecimal)
{
    struct Row { const char* format; const char* up; const char* upCount; const char* down; const char* downCount; };
    const Row rows[] = {
        {"#,##0;(#,##0)", "#,##0.0;(#,##0.0)", "1", "#,##0;(#,##0)", "0"},
        {"#,##0.0;(#,##0.0)", "#,##0.00;(#,##0.00)", "2", "#,##0;(#,##0)", "0"},
        {"#,##0.00;(#,##0.00)", "#,##0.000;(#,##0.000)", "2", "#,##0.0;(#,##0.0)", "1"},
        {"0%;(0%)", "0.0%;(0.0%)", "1", "0%;(0%)", "0"},
        {"0.0%;(0%)", "0.00%;(0%)", "2", "0%;(0%)", "0"},
        {"$#,##0.00;($#,##0.00)", "$#,##0.000;($#,##0.000)", "2", "$#,##0.0;($#,##0.0)", "1"},
        {"General", "General", "0", "General", "0"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FormatDecimals(r.format, 1), r.up) << r.format;
        EXPECT_EQ(DecimalCount, r.upCount) << r.format;
        EXPECT_EQ(FormatDecimals(r.format, 0), r.down) << r.format;
        EXPECT_EQ(DecimalCount, r.downCount) << r.format;
    }
    EXPECT_EQ(FormatDecimals("0.0_);(0.0)", 0), "0_);(0)");
}

TEST(CurrencyString, IsTheLocalesWholeSymbol)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(CurrencyString(), "$");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));   // sign after the number
    EXPECT_EQ(CurrencyString(), QString::fromUtf8("€"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    EXPECT_EQ(CurrencyString(), "CHF");
    // The C and POSIX locales (LANG=C) have no currency sign of their own.
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(CurrencyString(), "$");
    QLocale::setDefault(QLocale("POSIX"));
    EXPECT_EQ(CurrencyString(), "$");
    QLocale::setDefault(saved);
}
