#include "platform/workbook/engine/book.h"

#include <gtest/gtest.h>
#include <random>

using namespace ks::workbook;

namespace {
constexpr int kRows = 12, kCols = 6;

std::string randomRef(std::mt19937& random)
{
    std::uniform_int_distribution<int> row(1, kRows), col(1, kCols), sheet(0, 3);
    std::string prefix = sheet(random) == 0 ? "Sheet2!" : "";
    return prefix + cellName(row(random), col(random), random() % 4 == 0, random() % 5 == 0);
}

std::string randomFormula(std::mt19937& random)
{
    switch (random() % 7) {
    case 0: return randomRef(random) + "+" + randomRef(random);
    case 1: return "SUM(" + randomRef(random) + ":" + cellName(kRows, kCols) + ")";
    case 2: return "IF(" + randomRef(random) + ">50," + randomRef(random) + ",-" + randomRef(random) + ")";
    case 3: return "INDEX(A1:F12," + std::to_string(1 + random() % kRows) + "," + std::to_string(1 + random() % kCols) + ")";
    case 4: return "MOD(" + randomRef(random) + ",7)*2^2%";
    case 5: return "Total*" + randomRef(random);
    default: return "ROUND(AVERAGE(" + randomRef(random) + "," + randomRef(random) + "),1)";
    }
}

std::vector<std::string> snapshot(const Book& book)
{
    std::vector<std::string> texts;
    for (int s = 1; s <= book.SheetCount(); ++s)
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                texts.push_back(book.BookText(s, r, c));
    return texts;
}
}

// Whatever is changed, the values read afterwards are those a full recalculation gives.
TEST(Recalc, IncrementalAgreesWithFullRecalculation)
{
    std::mt19937 random(2026);
    for (int round = 0; round < 20; ++round) {
        Book book;
        book.setSheetCount(2);
        book.DefineName("Total", "Sheet2!A1");
        for (int step = 0; step < 150; ++step) {
            int sheet = 1 + static_cast<int>(random() % 2);
            int row = 1 + static_cast<int>(random() % kRows), col = 1 + static_cast<int>(random() % kCols);
            switch (random() % 6) {
            case 0: book.setBookFormula(sheet, row, col, randomFormula(random)); break;
            case 1: book.setBookText(sheet, row, col, random() % 2 ? "" : "t"); break;
            case 2:
                book.setCurrentSheet(sheet);
                book.ClearBlock(row, col, std::min(kRows, row + 1), col, kClearContents);
                break;
            case 3:
                book.setCurrentSheet(sheet);
                book.SelectBlock(row, col, row, col);
                book.CopyBlock();
                book.SelectBlock(1 + static_cast<int>(random() % kRows), 1 + static_cast<int>(random() % kCols),
                                 1, 1);
                book.PasteBlock();
                break;
            default: book.setBookNumber(sheet, row, col, static_cast<double>(random() % 100)); break;
            }
            if (step % 10 == 0) {
                std::vector<std::string> incremental = snapshot(book);
                book.RecalculateBook();
                ASSERT_EQ(incremental, snapshot(book)) << "round " << round << " step " << step;
            }
        }
    }
}

// A formula printed and read again prints the same, and evaluates the same.
TEST(Recalc, PrintedFormulasReadBackUnchanged)
{
    std::mt19937 random(11);
    Book book;
    book.setSheetCount(2);
    book.DefineName("Total", "Sheet2!A1");
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c)
            book.setBookNumber(2, r, c, r * 10 + c);
    for (int i = 0; i < 300; ++i) {
        std::string formula = randomFormula(random);
        book.setBookFormula(1, 20, 1, formula);
        std::string printed = book.BookFormula(1, 20, 1);
        std::string value = book.BookText(1, 20, 1);
        book.setBookFormula(1, 21, 1, printed);
        EXPECT_EQ(book.BookFormula(1, 21, 1), printed) << formula;
        EXPECT_EQ(book.BookText(1, 21, 1), value) << formula;
    }
    book.setBookFormula(1, 22, 1, " = 1 + ( 2 * -A1 ) & \"a b\" ");
    EXPECT_EQ(book.BookFormula(1, 22, 1), "1+(2*-A1)&\"a b\"");
}

TEST(Recalc, LongChainsAndWideBlocksDoNotOverflow)
{
    Book book;
    const int length = 20000;
    book.setSheetNumber(1, 1, 1);
    for (int r = 2; r <= length; ++r)
        book.setSheetFormula(r, 1, "=A" + std::to_string(r - 1) + "+1");
    EXPECT_EQ(book.SheetNumber(length, 1), length);
    book.setSheetNumber(1, 1, 5);
    EXPECT_EQ(book.SheetNumber(length, 1), length + 4);
    book.setSheetFormula(1, 1, "=A" + std::to_string(length));  // one long cycle
    EXPECT_EQ(book.SheetText(length / 2, 1), "#CYCLE!");
    book.setSheetFormula(1, 2, "=SUM(A1:A" + std::to_string(length) + ")");
    EXPECT_EQ(book.SheetText(1, 2), "#CYCLE!");
}
