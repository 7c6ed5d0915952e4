#include "platform/workbook/engine/base64.h"
#include "platform/workbook/engine/cell_address.h"
#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/decimal_round.h"
#include "platform/workbook/engine/value.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

using namespace ks::workbook;

TEST(CellAddress, NamesAndLetters)
{
    EXPECT_EQ(columnLetters(1), "A");
    EXPECT_EQ(columnLetters(26), "Z");
    EXPECT_EQ(columnLetters(27), "AA");
    EXPECT_EQ(columnLetters(52), "AZ");
    EXPECT_EQ(columnLetters(256), "IV");
    for (int c = 1; c <= kMaxColumns; ++c) {
        auto parsed = parseCellName(columnLetters(c) + "7");
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->col, c);
    }
    auto abs = parseCellName("$b$12");
    ASSERT_TRUE(abs);
    EXPECT_EQ(abs->row, 12);
    EXPECT_TRUE(abs->rowAbs && abs->colAbs);
    EXPECT_EQ(cellName(12, 2, true, false), "B$12");
    for (const char* bad : {"", "A", "12", "A0", "IW1", "A65537", "A1B", "$$A1", "AAAA1", "A 1", "A12345678"})
        EXPECT_FALSE(parseCellName(bad)) << bad;
    EXPECT_EQ(quoteSheetName("Sheet1"), "Sheet1");
    EXPECT_EQ(quoteSheetName("Set up"), "'Set up'");
    EXPECT_EQ(quoteSheetName("it's"), "'it''s'");
    EXPECT_EQ(quoteSheetName("A1"), "'A1'");     // would read as a cell
    EXPECT_EQ(quoteSheetName("2024"), "'2024'");
    EXPECT_EQ((Block{5, 6, 1, 2}.normalised()), (Block{1, 2, 5, 6}));
    CellKey key = cellKey(7, 65536, 256);
    EXPECT_EQ(keySheet(key), 7);
    EXPECT_EQ(keyRow(key), 65536);
    EXPECT_EQ(keyCol(key), 256);
}

TEST(Values, PlainTextAndNumberParsing)
{
    EXPECT_EQ(plainNumberText(0), "0");
    EXPECT_EQ(plainNumberText(-0.0), "0");
    EXPECT_EQ(plainNumberText(37987), "37987");
    EXPECT_EQ(plainNumberText(-12.5), "-12.5");
    EXPECT_EQ(plainNumberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(plainNumberText(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(plainNumberText(1e100), "1E+100");
    EXPECT_EQ(plainNumberText(0.000123), "0.000123");
    EXPECT_EQ(parseNumberText(" 42 "), 42);
    EXPECT_EQ(parseNumberText("+1.5e3"), 1500);
    EXPECT_EQ(parseNumberText("-7"), -7);
    EXPECT_EQ(parseNumberText("12.5%"), 0.125);
    for (const char* bad : {"", " ", "abc", "1,000", "1e999", "nan", "inf", "%", "--1", "1 2"})
        EXPECT_FALSE(parseNumberText(bad)) << bad;
    EXPECT_EQ(numberOf(Value::ofText("12")), 0);  // a text reads as 0, whatever it holds
    EXPECT_EQ(numberOf(Value::ofBool(true)), 1);
    EXPECT_EQ(textOf(Value::ofError(ErrorCode::NA)), "#N/A");
    for (ErrorCode code : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref, ErrorCode::Name,
                           ErrorCode::Num, ErrorCode::NA, ErrorCode::Cycle})
        EXPECT_EQ(parseErrorText(errorText(code)), code);
    EXPECT_EQ(parseErrorText("#div/0!"), ErrorCode::Div0);
    EXPECT_FALSE(parseErrorText("#WHAT"));
}

TEST(DecimalRound, HalfAwayFromZeroOnShownDigits)
{
    EXPECT_EQ(roundHalfAway(2.675, 2), 2.68);
    EXPECT_EQ(roundHalfAway(1.005, 2), 1.01);
    EXPECT_EQ(roundHalfAway(-2.5, 0), -3);
    EXPECT_EQ(roundHalfAway(0.5, 0), 1);
    EXPECT_EQ(roundHalfAway(0.4999, 0), 0);
    EXPECT_EQ(roundHalfAway(1250, -2), 1300);
    EXPECT_EQ(roundHalfAway(49, -2), 0);
    EXPECT_EQ(roundHalfAway(999.96, 1), 1000);
    EXPECT_EQ(roundHalfAway(0.005, 2), 0.01);
    EXPECT_EQ(roundHalfAway(1e300, 2), 1e300);
    DecimalText d = decimalDigits(1234.5678, 2);
    EXPECT_EQ(d.integer, "1234");
    EXPECT_EQ(d.fraction, "57");
    d = decimalDigits(0.0049, 2);
    EXPECT_EQ(d.integer, "");
    EXPECT_EQ(d.fraction, "00");
    d = decimalDigits(9.999, 2);
    EXPECT_EQ(d.integer, "10");
    EXPECT_EQ(d.fraction, "00");
    d = decimalDigits(123456789012345678.0, 0);
    EXPECT_EQ(d.integer, "123456789012346000");
}

TEST(DateSerial, CalendarAndEpoch)
{
    EXPECT_EQ(dateSerial(1899, 12, 30), 0);
    EXPECT_EQ(dateSerial(1900, 3, 1), 61);
    EXPECT_EQ(dateSerial(2004, 1, 1), 37987);
    EXPECT_EQ(dateSerial(2004, 13, 1), dateSerial(2005, 1, 1));
    EXPECT_EQ(dateSerial(2004, -1, 1), dateSerial(2003, 11, 1));
    EXPECT_EQ(dateSerial(2004, 1, 32), dateSerial(2004, 2, 1));
    EXPECT_EQ(dateSerial(2004, 1, 0), dateSerial(2003, 12, 31));
    for (double s = 0; s < 80000; s += 7.25) {
        CivilDate d = civilFromSerial(s);
        EXPECT_EQ(dateSerial(d.year, d.month, d.day), std::floor(s));
    }
    EXPECT_EQ(weekdayOfSerial(dateSerial(2026, 12, 8)), 2);  // a Tuesday
    EXPECT_GT(todaySerial(), dateSerial(2020, 1, 1));
}

TEST(Base64, RoundTripAndRejects)
{
    std::mt19937 random(7);
    for (std::size_t size = 0; size < 40; ++size) {
        std::string bytes(size, '\0');
        for (char& ch : bytes)
            ch = static_cast<char>(random());
        EXPECT_EQ(base64Decode(base64Encode(bytes)), bytes);
    }
    EXPECT_EQ(base64Encode("Man"), "TWFu");
    EXPECT_EQ(base64Decode("TW\nFu"), "Man");
    EXPECT_FALSE(base64Decode("TW*u"));
    EXPECT_FALSE(base64Decode("TQ==TQ"));
}
