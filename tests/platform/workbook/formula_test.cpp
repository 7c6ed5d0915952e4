#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/errors.h"

#include "tests/platform/workbook/error_number.h"

#include <gtest/gtest.h>

using namespace ks::workbook;
using ks::workbook::test::errorNumberOf;

namespace {
// The text a formula gives in a fresh cell.
std::string eval(Book& book, const std::string& formula)
{
    book.setSheetFormula(50, 50, formula);
    return book.SheetText(50, 50);
}
}

TEST(Formula, OperatorsAndPrecedence)
{
    Book book;
    EXPECT_EQ(eval(book, "=1+2*3"), "7");
    EXPECT_EQ(eval(book, "(1+2)*3"), "9");
    EXPECT_EQ(eval(book, "=2^3^2"), "64");   // left to right
    EXPECT_EQ(eval(book, "=-2^2"), "4");     // negation binds first
    EXPECT_EQ(eval(book, "=2*-3"), "-6");
    EXPECT_EQ(eval(book, "=50%"), "0.5");
    EXPECT_EQ(eval(book, "=200*10%"), "20");
    EXPECT_EQ(eval(book, "=1+2&\"x\""), "3x");
    EXPECT_EQ(eval(book, "=\"a\"&\"b\"=\"AB\""), "TRUE");  // text compares without case
    EXPECT_EQ(eval(book, "=1<\"a\""), "TRUE");             // numbers before texts
    EXPECT_EQ(eval(book, "=\"z\"<TRUE"), "TRUE");
    EXPECT_EQ(eval(book, "=3>=3"), "TRUE");
    EXPECT_EQ(eval(book, "=1<>1"), "FALSE");
    EXPECT_EQ(eval(book, "=\"say \"\"hi\"\"\""), "say \"hi\"");
    EXPECT_EQ(eval(book, "=0.1+0.2"), "0.3");
    EXPECT_EQ(eval(book, "=\"3\"*2"), "6");
    EXPECT_EQ(eval(book, "=\"x\"*2"), "#VALUE!");
}

// Comparisons read texts in place; their order must stay that of the folded texts.
TEST(Formula, TextComparisonsAndTruthTexts)
{
    Book book;
    EXPECT_EQ(eval(book, "=\"apple\"<\"APPLES\""), "TRUE");   // a prefix comes first, whatever the case
    EXPECT_EQ(eval(book, "=\"Zeta\">\"alpha\""), "TRUE");
    EXPECT_EQ(eval(book, "=\"abc\"=\"abd\""), "FALSE");
    EXPECT_EQ(eval(book, "=\"\xc3\xa9\">\"z\""), "TRUE");     // bytes above 127 after ASCII
    EXPECT_EQ(eval(book, "=\"\"<\"a\""), "TRUE");
    EXPECT_EQ(eval(book, "=A1<\"a\""), "TRUE");                // an empty cell is "" beside a text
    EXPECT_EQ(eval(book, "=A1<TRUE"), "TRUE");                  // and FALSE beside a truth value
    EXPECT_EQ(eval(book, "=A1>-1"), "TRUE");                    // and 0 beside a number
    EXPECT_EQ(eval(book, "=TRUE>\"zzz\""), "TRUE");
    book.setSheetText(1, 1, "tRuE");
    EXPECT_EQ(eval(book, "=IF(A1,\"y\",\"n\")"), "y");
    book.setSheetText(1, 1, "false");
    EXPECT_EQ(eval(book, "=AND(A1)"), "#VALUE!");  // a referenced text counts for nothing, leaving no argument
    book.setSheetText(1, 1, "truer");
    EXPECT_EQ(eval(book, "=IF(A1,1,2)"), "#VALUE!");
    EXPECT_EQ(eval(book, "=NOT(\"FALSE\")"), "TRUE");
}

TEST(Formula, EmptyCellsAndReferences)
{
    Book book;
    EXPECT_EQ(eval(book, "=A1"), "0");
    EXPECT_EQ(eval(book, "=A1&\"|\""), "|");
    EXPECT_EQ(eval(book, "=A1=0"), "TRUE");
    EXPECT_EQ(eval(book, "=A1=\"\""), "TRUE");
    book.setSheetNumber(1, 1, 4);
    book.setSheetText(2, 1, "text");
    book.setSheetNumber(3, 1, 6);
    EXPECT_EQ(eval(book, "=sum(A1:A3)"), "10");
    EXPECT_EQ(eval(book, "=$A$1+A$3"), "10");
    EXPECT_EQ(eval(book, "=count(a1:a4)"), "2");
    EXPECT_EQ(eval(book, "=AVERAGE(A1:A4)"), "5");
    EXPECT_EQ(eval(book, "=MAX(A1:A4,7)&MIN(A1:A4)"), "74");
    EXPECT_EQ(eval(book, "=A1:A3"), "#VALUE!");

    book.setSheetCount(2);
    book.setSheetName(2, "Data Sheet");
    book.setBookNumber(2, 5, 2, 11);
    EXPECT_EQ(eval(book, "='Data Sheet'!B5*2"), "22");
    EXPECT_EQ(book.SheetFormula(50, 50), "'Data Sheet'!B5*2");
    book.setSheetName(2, "Data2");
    EXPECT_EQ(book.SheetFormula(50, 50), "Data2!B5*2");
    book.setSheetName(2, "Data Sheet");
    book.DefineName("Rate", "'Data Sheet'!$B$5");
    EXPECT_EQ(eval(book, "=rate+1"), "12");
    EXPECT_EQ(eval(book, "=Missing+1"), "#NAME?");
    EXPECT_EQ(eval(book, "=NOSUCH(1)"), "#NAME?");
    EXPECT_EQ(errorNumberOf([&] { book.setSheetFormula(1, 2, "=Nowhere!A1"); }), kErrBadFormula);
    EXPECT_EQ(errorNumberOf([&] { book.setSheetFormula(1, 2, "=1+"); }), kErrBadFormula);
    EXPECT_EQ(errorNumberOf([&] { book.setSheetFormula(1, 2, "=SUM(1"); }), kErrBadFormula);
    EXPECT_EQ(errorNumberOf([&] { book.setSheetFormula(1, 2, std::string(500, '(') + "1"); }), kErrBadFormula);
    EXPECT_EQ(book.SheetText(1, 2), "");  // a refused formula leaves the cell alone
}

TEST(Formula, Functions)
{
    Book book;
    EXPECT_EQ(eval(book, "=IF(1>2,\"a\",\"b\")"), "b");
    EXPECT_EQ(eval(book, "=IF(FALSE,1)"), "FALSE");
    EXPECT_EQ(eval(book, "=AND(TRUE,1,2>1)&OR(FALSE,0)&NOT(0)"), "TRUEFALSETRUE");
    EXPECT_EQ(eval(book, "=MOD(-7,3)"), "2");   // sign of the divisor
    EXPECT_EQ(eval(book, "=MOD(7,-3)"), "-2");
    EXPECT_EQ(eval(book, "=MOD(7,0)"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=INT(-2.5)"), "-3");
    EXPECT_EQ(eval(book, "=ABS(-2.5)"), "2.5");
    EXPECT_EQ(eval(book, "=ROUND(2.5,0)&ROUND(-2.5,0)&\" \"&ROUND(2.675,2)&\" \"&ROUND(1234,-2)"), "3-3 2.68 1200");
    EXPECT_EQ(eval(book, "=VALUE(\" 12.5 \")+1"), "13.5");
    EXPECT_EQ(eval(book, "=VALUE(\"abc\")"), "#VALUE!");
    EXPECT_EQ(eval(book, "=CHOOSE(2,\"a\",\"b\",\"c\")"), "b");
    EXPECT_EQ(eval(book, "=CHOOSE(4,\"a\",\"b\",\"c\")"), "#VALUE!");
    EXPECT_EQ(eval(book, "=TEXT(DATE(2004,1,1),\"mmmm\")&\"-\"&TEXT(DATE(2004,1,1),\"yyyy\")"), "January-2004");
    EXPECT_EQ(eval(book, "=TEXT(-1234.5,\"#,##0.00;(#,##0.00)\")"), "(1,234.50)");

    // DATE rolls months and days over into years and months.
    EXPECT_EQ(book.SheetNumber(50, 50), book.SheetNumber(50, 50));
    EXPECT_EQ(eval(book, "=DATE(2004,13,1)=DATE(2005,1,1)"), "TRUE");
    EXPECT_EQ(eval(book, "=DATE(2004,0,1)=DATE(2003,12,1)"), "TRUE");
    EXPECT_EQ(eval(book, "=DATE(2004,-11,1)=DATE(2003,1,1)"), "TRUE");
    EXPECT_EQ(eval(book, "=DATE(2004,3,0)=DATE(2004,2,29)"), "TRUE");
    EXPECT_EQ(eval(book, "=YEAR(DATE(2004,14,1))*100+MONTH(DATE(2004,14,1))"), "200502");
    EXPECT_EQ(eval(book, "=DATE(1900,1,1)"), "2");  // epoch 1899-12-30
    EXPECT_EQ(eval(book, "=DATE(4,1,1)=DATE(1904,1,1)"), "TRUE");

    book.setClock([] { return dateSerial(2026, 12, 8); });
    EXPECT_EQ(eval(book, "=TODAY()"), "46364");
    book.setClock([] { return dateSerial(2026, 12, 9); });
    EXPECT_EQ(book.SheetText(50, 50), "46365");  // the clock's change recalculates
}

TEST(Formula, IndexAndMatch)
{
    Book book;
    for (int r = 1; r <= 4; ++r) {
        book.setSheetNumber(r, 1, r * 10);
        book.setSheetText(r, 2, std::string(1, char('a' + r - 1)));
    }
    EXPECT_EQ(eval(book, "=INDEX(A1:B4,3,2)"), "c");
    EXPECT_EQ(eval(book, "=INDEX(A1:A4,2)"), "20");
    EXPECT_EQ(eval(book, "=INDEX(A1:A4,5)"), "#REF!");
    EXPECT_EQ(eval(book, "=MATCH(\"C\",B1:B4,0)"), "3");
    EXPECT_EQ(eval(book, "=MATCH(25,A1:A4)"), "2");
    EXPECT_EQ(eval(book, "=MATCH(5,A1:A4)"), "#N/A");
    EXPECT_EQ(eval(book, "=MATCH(99,A1:A4,0)"), "#N/A");
    EXPECT_EQ(eval(book, "=INDEX(B1:B4,MATCH(40,A1:A4,0))"), "d");
    EXPECT_EQ(eval(book, "=INDEX(A1:A4,1,5)"), "#REF!");
}

TEST(Formula, ErrorsPropagateAndCyclesStop)
{
    Book book;
    book.setSheetFormula(1, 1, "=1/0");
    book.setSheetFormula(1, 2, "=A1+1");
    book.setSheetFormula(1, 3, "=SUM(A1:B1)");
    book.setSheetFormula(1, 4, "=IF(TRUE,5,A1)");
    EXPECT_EQ(book.SheetText(1, 2), "#DIV/0!");
    EXPECT_EQ(book.SheetText(1, 3), "#DIV/0!");
    EXPECT_EQ(book.SheetText(1, 4), "5");
    EXPECT_EQ(book.SheetNumber(1, 2), 0);

    book.setSheetFormula(3, 1, "=C3+1");
    book.setSheetFormula(3, 2, "=A3+1");
    book.setSheetFormula(3, 3, "=B3+1");
    book.setSheetFormula(4, 1, "=A4");
    book.setSheetFormula(5, 1, "=SUM(A3:A6)");
    book.setSheetFormula(6, 1, "=7");
    EXPECT_EQ(book.SheetText(3, 1), "#CYCLE!");
    EXPECT_EQ(book.SheetText(3, 3), "#CYCLE!");
    EXPECT_EQ(book.SheetText(4, 1), "#CYCLE!");
    EXPECT_EQ(book.SheetText(5, 1), "#CYCLE!");  // the block holds itself
    EXPECT_EQ(book.SheetText(6, 1), "7");
    book.setSheetNumber(3, 3, 1);                 // breaking the cycle
    EXPECT_EQ(book.SheetText(3, 2), "3");
}

// Errors and truth values pass through parentheses, nested sums and conditions unchanged,
// the leftmost error first.
TEST(Formula, NestedOperandsAndConditionsKeepTheirErrors)
{
    Book book;
    book.setSheetFormula(1, 1, "=1/0");
    book.setSheetText(1, 2, "x");
    book.setSheetNumber(1, 3, 4);
    EXPECT_EQ(eval(book, "=((A1-1)/2)+1"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=(B1*2)+A1"), "#VALUE!");
    EXPECT_EQ(eval(book, "=(A1*2)+B1"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=-(B1)"), "#VALUE!");
    EXPECT_EQ(eval(book, "=1/(C1-4)"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=(C1-4)^0"), "#NUM!");
    EXPECT_EQ(eval(book, "=(C1-4)^-1"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=(1E308*10)-1"), "#NUM!");
    EXPECT_EQ(eval(book, "=(C1/2)*(1+1)%"), "0.04");
    EXPECT_EQ(eval(book, "=(\"3\"+D1)*(TRUE+1)"), "6");  // a numeric text, an empty cell, a truth value

    EXPECT_EQ(eval(book, "=B1>5"), "TRUE");  // a text sorts after every number
    EXPECT_EQ(eval(book, "=D1<1"), "TRUE");  // an empty cell is 0 beside a number
    EXPECT_EQ(eval(book, "=C1>=4"), "TRUE");
    EXPECT_EQ(eval(book, "=IF(A1>0,1,2)"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=IF(1>A1,1,2)"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=IF((C1>3),\"big\",\"small\")"), "big");
    EXPECT_EQ(eval(book, "=IF(D1,1,2)"), "2");
    EXPECT_EQ(eval(book, "=IF(C1-4,1,2)"), "2");
    EXPECT_EQ(eval(book, "=AND(C1=4,B1=\"X\")"), "TRUE");
    EXPECT_EQ(eval(book, "=AND(C1=4,A1=0)"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=OR(C1<0,\"x\")"), "#VALUE!");  // a text given directly must read as a truth value
    EXPECT_EQ(eval(book, "=NOT(A1)"), "#DIV/0!");
    EXPECT_EQ(eval(book, "=NOT(C1>5)"), "TRUE");
}

TEST(Formula, RecalculatesWhatDependsOnAChange)
{
    Book book;
    book.setSheetCount(2);
    book.setBookNumber(2, 1, 1, 2);
    book.setSheetFormula(1, 1, "=Sheet2!A1*10");
    book.setSheetFormula(1, 2, "=A1+SUM(Sheet2!A1:A5)");
    book.setSheetFormula(1, 3, "=B1&\"!\"");
    EXPECT_EQ(book.SheetText(1, 3), "22!");
    book.setBookNumber(2, 3, 1, 5);   // inside the block only
    EXPECT_EQ(book.SheetText(1, 3), "27!");
    book.setBookNumber(2, 1, 1, 1);   // the single cell and the block
    EXPECT_EQ(book.SheetText(1, 3), "16!");
    book.setBookText(2, 1, 1, "");
    EXPECT_EQ(book.SheetText(1, 3), "5!");
    book.setSheetFormula(2, 1, "=3");  // a formula changed later
    book.setBookFormula(2, 1, 1, "=B1");
    EXPECT_EQ(book.SheetNumber(1, 1), 0);
    EXPECT_EQ(book.SheetFormula(1, 2), "A1+SUM(Sheet2!A1:A5)");
    EXPECT_EQ(book.SheetFormula(1, 5), "");
    book.setSheetFormula(1, 5, "sum(b1:b2)");
    EXPECT_EQ(book.SheetFormula(1, 5), "SUM(B1:B2)");
}

TEST(Formula, ReportFormulasAndHistoryLookups)
{
    Book book;
    const std::string percentOfTarget =
        "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6=0,0,IF(C6<0,((C6-C5)/C6)+1,C5/C6)))";
    const std::string variance =
        "IF(AND(C6=0,C5>0)=TRUE,100%,IF(C6<0,((C6-C5)/C6),IF(C6=0,0,(C5/C6)-100%)))";
    struct Case {
        double actual, target, percent, varianceValue;
    };
    for (const Case& c : {Case{50, 100, 0.5, -0.5}, Case{5, 0, 1, 1}, Case{0, 0, 0, 0}, Case{-50, -100, 1.5, 0.5}}) {
        book.setSheetNumber(5, 3, c.actual);
        book.setSheetNumber(6, 3, c.target);
        book.setSheetFormula(7, 3, percentOfTarget);
        EXPECT_DOUBLE_EQ(book.SheetNumber(7, 3), c.percent) << c.actual << "/" << c.target;
        book.setSheetFormula(7, 3, variance);
        EXPECT_DOUBLE_EQ(book.SheetNumber(7, 3), c.varianceValue) << c.actual << "/" << c.target;
    }
    book.setSheetNumber(5, 4, 1);
    book.setSheetFormula(5, 15, "sum(c5:N5)");
    EXPECT_EQ(book.SheetNumber(5, 15), -49);
    EXPECT_EQ(book.SheetFormula(5, 15), "SUM(C5:N5)");

    // A month line without text reads "0", as the month view expects of the history sheets.
    book.setSheetNumber(6, 2, 3);
    book.setSheetText(17, 7, "met the plan");
    book.setSheetFormula(9, 7, "=INDEX(G$16:G$300,$B$6-1)");
    book.setSheetFormula(9, 8, "=INDEX(H$16:H$300,$B$6-1)");
    EXPECT_EQ(book.SheetText(9, 7), "met the plan");
    EXPECT_EQ(book.SheetText(9, 8), "0");
}
