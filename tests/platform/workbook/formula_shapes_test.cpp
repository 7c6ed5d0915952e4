#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/formula_shapes.h"
#include "platform/workbook/engine/native_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <random>

using namespace ks::workbook;

namespace {
const std::vector<std::string> kSheets = {"Data", "Q1", "My sheet", "B5", "B6"};

SheetNames sheetNames()
{
    return SheetNames{
        [](const std::string& name) {
            for (std::size_t i = 0; i < kSheets.size(); ++i)
                if (kSheets[i] == name)
                    return static_cast<int>(i);
            return -1;
        },
        [](int index) { return kSheets[static_cast<std::size_t>(index)]; },
    };
}

// The formula spelt out from its nodes, not from the text it was read from.
std::string printed(const Formula& formula)
{
    Formula copy = formula;
    copy.text.clear();
    return printFormula(copy, sheetNames());
}

// What the plain parser makes of the text: its printed nodes, or "refused".
std::string parsed(const std::string& text)
{
    try {
        return printed(*parseFormula(text, sheetNames(), true));
    } catch (const ks::RuntimeError&) {
        return "refused";
    }
}

std::string readByShape(FormulaShapes& shapes, const std::string& text, int row, int col)
{
    try {
        FormulaPtr formula = shapes.read(text, row, col);
        EXPECT_EQ(formula->text, text[0] == '=' ? "" : text);  // kept as read, for saving
        return printed(*formula);
    } catch (const ks::RuntimeError&) {
        return "refused";
    }
}

struct Placed {
    std::string text;
    int row, col;
};

// Formulas that share a key only when they are the same formula moved with the cell.
std::vector<Placed> trickyFormulas()
{
    return {
        {"A1+B$2*$C3+$D$4", 10, 5},     {"A2+B$2*$C4+$D$4", 11, 5},     {"B1+C$2*$C3+$D$4", 10, 6},
        {"SUM(B2:C3)", 5, 5},           {"SUM(B3:C4)", 6, 5},           {"SUM(B3 : C4)", 6, 5},
        {"\"A1\"&A1", 4, 2},            {"\"A2\"&A2", 5, 2},            {"\"A1\"&A2", 5, 2},
        {"\"say \"\"B1\"\"\"&B1", 1, 1}, {"\"say \"\"B2\"\"\"&B2", 2, 1},
        {"LOG10(A1)", 3, 3},            {"LOG11(A2)", 4, 3},            {"LOG10 (A2)", 4, 3},
        {"Q1!A1+A1", 2, 2},             {"Q1!A2+A2", 3, 2},             {"'My sheet'!C3*2", 7, 7},
        {"'My sheet'!C4*2", 8, 7},      {"'Q1'!B1", 1, 1},              {"'Q1'!B2", 2, 1},
        {"Data!$B$4+MOD(0-MOD(Data!$B$4,10),10)", 2, 26},
        {"Data!$B$4+MOD(1-MOD(Data!$B$4,10),10)", 3, 26},
        {"a1+b2", 2, 2},                {"A2+B3", 3, 2},                {"KPI_1+A1", 1, 1},
        {"KPI_2+A2", 2, 1},             {"XFD1+A1", 1, 1},              {"XFD2+A2", 2, 1},
        {"1E5+A1", 1, 1},               {"1E6+A2", 2, 1},               {"#REF!+A1", 1, 1},
        {"#REF!+A2", 2, 1},             {"TRUE+A1", 1, 1},              {"IF(A1,B1,)", 1, 1},
        {"IF(A2,B2,)", 2, 1},           {"A1+", 1, 1},                  {"A2+", 2, 1},
        {"SUM(A1", 1, 1},               {"\"A1", 1, 1},                 {"\"A2", 2, 1},
        {"A1B1", 1, 1},                 {"A2B2", 2, 1},                 {"=A1", 1, 1},
        {"=A2", 2, 1},                  {"Nowhere!A1", 1, 1},           {"Nowhere!A2", 2, 1},
        {"IV1+A1", 1, 1},               {"IV2+A2", 2, 1},               {"A65536+A1", 1, 1},
        {"A65537+A2", 2, 1},            {"TODAY()-A1", 1, 1},           {"TODAY()-A2", 2, 1},
        {"'B5'!C1", 1, 1},              {"'B6'!C2", 2, 1},              {"B5!C1", 1, 1},
        {"B6!C2", 2, 1},                {"B2(A1)", 1, 1},               {"B3(A2)", 2, 1},
        {"B2 (A1)", 1, 1},              {"B3 (A2)", 2, 1},              {"$A1+1", 1, 1},
        {"B1+1", 1, 1},
    };
}

// A random formula of operands with references at given offsets ("@"), now and then with a
// stray piece that may make it unreadable.
std::vector<std::string> randomPieces(std::mt19937& random)
{
    static const std::vector<std::string> kOperands = {
        "@", "$@", "@:@", "SUM(@:$@)", "IF(@,\"A1\",)", "LOG10(@)", "'My sheet'!@", "Q1!@", "Data!$@",
        "KPI_1", "1.5", "#N/A", "TRUE", "\"\"", "(@)", "-@%", "B5!@", "'B6'!@", "B2(@)",
    };
    static const std::vector<std::string> kOperators = {"+", "-", "*", "&", "=", "<>", " + "};
    static const std::vector<std::string> kStray = {":", "!", "(", ")", ",", "@", "\"", "'"};
    std::vector<std::string> pieces;
    for (int n = 1 + static_cast<int>(random() % 5); n > 0; --n) {
        if (!pieces.empty())
            pieces.push_back(kOperators[random() % kOperators.size()]);
        pieces.push_back(kOperands[random() % kOperands.size()]);
        if (random() % 12 == 0)
            pieces.push_back(kStray[random() % kStray.size()]);
    }
    return pieces;
}

// The pieces at (row, col): "@" is the cell one row up and one column left, "$@" that
// row with the column fixed at C.
std::string placed(const std::vector<std::string>& pieces, int row, int col)
{
    std::string text;
    for (const std::string& piece : pieces)
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (piece.compare(i, 2, "$@") == 0)
                text += cellName(row - 1, 3, false, true), ++i;
            else if (piece[i] == '@')
                text += cellName(row - 1, col - 1);
            else
                text += piece[i];
        }
    return text;
}
}

// Every cell gets exactly what the parser gives for its own text: a moved twin gets the
// first parse shifted, and texts that only look alike are parsed for themselves.
TEST(FormulaShapes, EachCellGetsWhatItsOwnTextParsesTo)
{
    FormulaShapes shapes(sheetNames());
    for (const Placed& f : trickyFormulas())
        EXPECT_EQ(readByShape(shapes, f.text, f.row, f.col), parsed(f.text)) << f.text;

    std::mt19937 random(11);
    FormulaShapes filled(sheetNames());
    int twinsRead = 0;
    for (int i = 0; i < 3000; ++i) {
        auto pieces = randomPieces(random);
        for (int row = 2; row < 6; ++row) {
            int col = 2 + static_cast<int>(random() % 3);
            std::string text = placed(pieces, row, col);
            std::string expected = parsed(text);
            twinsRead += expected != "refused";
            ASSERT_EQ(readByShape(filled, text, row, col), expected) << text << " at " << row << "," << col;
        }
    }
    EXPECT_GT(twinsRead, 3000);
}

TEST(FormulaShapes, KeysSeparateAbsoluteFromRelativeAndTextsFromReferences)
{
    std::string a, b;
    ASSERT_TRUE(formulaShapeKey("A1+$B$2", 1, 1, a));
    ASSERT_TRUE(formulaShapeKey("A2+$B$2", 2, 1, b));
    EXPECT_EQ(a, b);
    ASSERT_TRUE(formulaShapeKey("A2+$B$3", 2, 1, b));
    EXPECT_NE(a, b);
    ASSERT_TRUE(formulaShapeKey("$A1", 1, 1, a));
    ASSERT_TRUE(formulaShapeKey("$A2", 2, 5, b));
    EXPECT_EQ(a, b);
    ASSERT_TRUE(formulaShapeKey("$A1", 1, 1, a));
    ASSERT_TRUE(formulaShapeKey("$B2", 2, 2, b));
    EXPECT_NE(a, b);
    ASSERT_TRUE(formulaShapeKey("\"A1\"", 1, 1, a));
    ASSERT_TRUE(formulaShapeKey("\"A2\"", 2, 1, b));
    EXPECT_NE(a, b);
    EXPECT_FALSE(formulaShapeKey(std::string("A1&\"\x01\"", 6), 1, 1, a));
}

// A file of formulas filled down and across: each loaded cell computes from its own row,
// an edit of one leaves its twins alone, and the book saves back unchanged.
TEST(FormulaShapes, FilledFormulasLoadAsIndependentCells)
{
    ks::test::TempDir dir;
    Book book;
    for (int row = 1; row <= 20; ++row) {
        book.setSheetNumber(row, 1, row);
        for (int col = 2; col <= 4; ++col)
            book.setSheetFormula(row, col, "=" + cellName(row, col - 1) + "*2+$A$1+SUM($A$1:" + cellName(row, 1) + ")");
    }
    book.setSheetFormula(21, 1, "=A20+1");
    book.setSheetFormula(22, 1, "=A21+1");
    std::string path = dir.str() + "/filled.vqa";
    book.WriteBookFile(path, kFileNative);

    Book loaded;
    loaded.ReadBookFile(path);
    EXPECT_EQ(writeNativeXml(loaded.data()), writeNativeXml(book.data()));
    for (int row = 1; row <= 22; ++row)
        for (int col = 1; col <= 4; ++col)
            ASSERT_EQ(loaded.SheetNumber(row, col), book.SheetNumber(row, col)) << row << "," << col;
    EXPECT_EQ(loaded.SheetFormula(7, 3), "B7*2+$A$1+SUM($A$1:A7)");
    EXPECT_EQ(loaded.SheetNumber(22, 1), 22);

    loaded.setSheetFormula(7, 3, "=B7+1000");
    loaded.setSheetNumber(8, 1, 100);
    EXPECT_EQ(loaded.SheetFormula(8, 3), "B8*2+$A$1+SUM($A$1:A8)");
    EXPECT_EQ(loaded.SheetNumber(7, 3), loaded.SheetNumber(7, 2) + 1000);
    EXPECT_EQ(loaded.SheetNumber(8, 2), 100 * 2 + 1 + (28 + 100));
    EXPECT_EQ(loaded.SheetNumber(8, 3), loaded.SheetNumber(8, 2) * 2 + 1 + (28 + 100));

    loaded.setSheetName(1, "Renamed");  // each twin prints from its own nodes again
    loaded.setCurrentSheet(1);
    EXPECT_EQ(loaded.SheetFormula(9, 4), "C9*2+$A$1+SUM($A$1:A9)");
}
