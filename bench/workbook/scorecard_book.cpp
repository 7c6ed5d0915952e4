#include "bench/workbook/scorecard_book.h"

#include <string>

namespace ks::workbook::bench {

namespace {
std::string col(int c)
{
    return columnLetters(c);
}

// Sheet 8: dates chained from the first month, actuals and targets, two percentage rows.
void history(Book& book)
{
    book.setBookFormula(8, 12, 4, "=DATE(2021,1,1)");
    for (int j = 0; j < kMonths; ++j) {
        int r = 12 + 4 * j;
        if (j > 0)
            book.setBookFormula(8, r, 4, "=DATE(YEAR(D" + std::to_string(r - 4) + "),MONTH(D" +
                                             std::to_string(r - 4) + ")+1,1)");
        for (int k = 1; k <= kKpis; ++k) {
            int c = k + 5;
            book.setBookNumber(8, r, c, 100 + (j * 37 + k * 11) % 90);
            book.setBookNumber(8, r + 1, c, 120 + (j * 13 + k * 7) % 40);
            std::string a = col(c) + std::to_string(r), t = col(c) + std::to_string(r + 1);
            book.setBookFormula(8, r + 2, c, "=IF(" + t + "=0,0," + a + "/" + t + ")");
            book.setBookFormula(8, r + 3, c, "=" + a + "-" + t);
        }
        std::string a = std::to_string(r);
        book.setBookFormula(8, r + 2, 5, "=SUM(F" + std::to_string(r + 2) + ":Y" + std::to_string(r + 2) + ")");
        book.setBookFormula(8, r + 3, 5, "=AVERAGE(F" + std::to_string(r + 3) + ":Y" + std::to_string(r + 3) + ")");
    }
}

// Sheets 3 and 4: year-to-date sums of actuals and targets, restarting at the financial-year month.
void yearToDate(Book& book)
{
    book.setBookNumber(2, 39, 8, 4);  // financial year starts in April
    for (int sheet : {3, 4}) {
        int offset = sheet == 3 ? 0 : 1;
        for (int j = 0; j < kMonths; ++j) {
            int r = 12 + j;
            std::string hist = std::to_string(12 + 4 * j + offset);
            book.setBookFormula(sheet, r, 4, "=Sheet8!D" + std::to_string(12 + 4 * j));
            for (int k = 1; k <= kKpis; ++k) {
                int c = k + 5;
                std::string own = "Sheet8!" + col(c) + hist;
                std::string formula = j == 0 ? "=" + own
                                             : "=IF(MONTH($D" + std::to_string(r) + ")=Sheet2!$H$39," + own + "," +
                                                   col(c) + std::to_string(r - 1) + "+" + own + ")";
                book.setBookFormula(sheet, r, c, formula);
            }
        }
    }
}

// The selected month, its history line, its values and the ratings on sheet 1.
void selection(Book& book)
{
    book.setBookNumber(1, 2, 30, 5);  // month list choice (item from 0)
    book.setBookNumber(1, 3, 30, 3);  // year list choice: the year ending in 3
    book.setBookFormula(8, 3, 4, "=DATE(2020+Sheet1!AD3,Sheet1!AD2+1,1)");
    book.setBookFormula(8, 4, 5, "=12+4*(MATCH(D3,Sheet3!D12:D" + std::to_string(11 + kMonths) + ",0)-1)");
    book.setBookFormula(8, 4, 6, "=MATCH(D3,Sheet3!D12:D" + std::to_string(11 + kMonths) + ",0)");
    for (int k = 1; k <= kKpis; ++k) {
        int c = k + 5;
        std::string column = col(c) + "$12:" + col(c) + "$" + std::to_string(11 + 4 * kMonths);
        book.setBookFormula(8, 6, c, "=INDEX(" + column + ",$E$4-11)");
        book.setBookFormula(8, 7, c, "=INDEX(" + column + ",$E$4-10)");
        std::string ytdA = "INDEX(Sheet3!" + col(c) + "12:" + col(c) + std::to_string(11 + kMonths) + ",Sheet8!$F$4)";
        std::string ytdT = "INDEX(Sheet4!" + col(c) + "12:" + col(c) + std::to_string(11 + kMonths) + ",Sheet8!$F$4)";
        book.setBookText(2, k + 2, 2, "KPI " + std::to_string(k));
        book.setBookFormula(1, k + 3, 1, "=Sheet2!B" + std::to_string(k + 2));
        book.setBookFormula(1, k + 3, 2, "=Sheet8!" + col(c) + "6");
        book.setBookFormula(1, k + 3, 3, "=Sheet8!" + col(c) + "7");
        std::string ratio = "IF(C" + std::to_string(k + 3) + "=0,0,B" + std::to_string(k + 3) + "/C" + std::to_string(k + 3) + ")";
        book.setBookFormula(1, k + 48, 22, "=IF(" + ratio + ">=1.1,5,IF(" + ratio + ">=1,4,IF(" + ratio +
                                               ">=0.9,3,IF(" + ratio + ">=0.8,2,1))))");
        std::string ytd = "IF(" + ytdT + "=0,0," + ytdA + "/" + ytdT + ")";
        book.setBookFormula(1, k + 48, 19, "=IF(" + ytd + ">=1.1,5,IF(" + ytd + ">=1,4,IF(" + ytd +
                                               ">=0.9,3,IF(" + ytd + ">=0.8,2,1))))");
        book.setBookFormula(1, k + 48, 23, "=ROUND(" + ratio + "*100,1)&\"%\"");
    }
    book.setBookFormula(2, 23, 22, "=COUNT(Sheet3!D12:D" + std::to_string(11 + kMonths) + ")");
}

// Sheets 6 and 7: the selected month's texts ("0" when none); sheet 5: monthly totals.
void textsAndTotals(Book& book)
{
    for (int sheet : {6, 7}) {
        book.setBookFormula(sheet, 6, 2, "=Sheet8!F4");
        int lastColumn = sheet == 6 ? 26 : 38;
        for (int c = 7; c <= lastColumn; ++c) {
            book.setBookText(sheet, 16 + c % 5, c, "note " + std::to_string(c));
            std::string column = col(c) + "$16:" + col(c) + "$" + std::to_string(15 + kMonths);
            book.setBookFormula(sheet, 9, c, "=INDEX(" + column + ",$B$6)");
        }
    }
    for (int j = 0; j < kMonths; ++j) {
        std::string r = std::to_string(12 + 4 * j), t = std::to_string(13 + 4 * j);
        book.setBookFormula(5, 12 + j, 1, "=SUM(Sheet8!F" + r + ":Y" + r + ")");
        book.setBookFormula(5, 12 + j, 2, "=SUM(Sheet8!F" + t + ":Y" + t + ")");
        book.setBookFormula(5, 12 + j, 3, "=IF(B" + std::to_string(12 + j) + "=0,0,A" + std::to_string(12 + j) +
                                              "/B" + std::to_string(12 + j) + ")");
    }
}
}

void buildScorecardBook(Book& book)
{
    book.setSheetCount(8);
    history(book);
    yearToDate(book);
    selection(book);
    textsAndTotals(book);
}

}
