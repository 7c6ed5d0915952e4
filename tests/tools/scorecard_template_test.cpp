#include "tests/tools/template_fixture.h"

#include "platform/workbook/engine/errors.h"

#include <set>

namespace ks::test {

TEST_F(TemplateTest, HistoryDatesRunFromTheStartAcrossTheYearEnd)
{
    historyStart("November", 2023);
    EXPECT_EQ(book.BookNumber(kHistory, history::actualRow(0), history::kDateCol), dateSerial(2023, 11, 1));
    EXPECT_EQ(book.BookNumber(kHistory, history::actualRow(1), history::kDateCol), dateSerial(2023, 12, 1));
    EXPECT_EQ(book.BookNumber(kHistory, history::actualRow(2), history::kDateCol), dateSerial(2024, 1, 1));
    EXPECT_EQ(book.BookNumber(kHistory, history::actualRow(kHistoryMonths - 1), history::kDateCol),
              dateSerial(2029, 10, 1));
    book.setCurrentSheet(kHistory);
    EXPECT_EQ(book.SheetShownText(history::actualRow(1), history::kDateCol), "Dec-23");
    EXPECT_EQ(book.BookNumber(kSetup, setup::kFirstYearRow, setup::kHistoryCol), 2023);
    // A short month name is taken too.
    historyStart("feb", 2025);
    EXPECT_EQ(book.BookNumber(kHistory, history::kFirstRow, history::kDateCol), dateSerial(2025, 2, 1));
}

TEST_F(TemplateTest, SelectedMonthGivesItsDateLinesAndTexts)
{
    historyStart("November", 2023);
    select(2024, 1);
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol), dateSerial(2024, 1, 1));
    EXPECT_EQ(book.BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol), history::actualRow(2));
    EXPECT_EQ(book.BookNumber(kKpiComments, texts::kMonthNumberRow, texts::kMonthNumberCol), 2);
    EXPECT_EQ(book.BookNumber(kSectionTexts, texts::kMonthNumberRow, texts::kMonthNumberCol), 2);
    EXPECT_EQ(book.BookText(kMonthView, month::kMonthTextRow, month::kSelectedTextCol), "January");
    EXPECT_EQ(book.BookText(kMonthView, month::kYearTextRow, month::kSelectedTextCol), "2024");
    select(2023, 12);
    EXPECT_EQ(book.BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol), history::actualRow(1));
    EXPECT_EQ(book.BookText(kMonthView, month::kMonthTextRow, month::kSelectedTextCol), "December");
    EXPECT_EQ(book.BookText(kMonthView, month::kYearTextRow, month::kSelectedTextCol), "2023");

    // Before the history start the date says so, while the lines stay on the first month.
    select(2023, 10);
    EXPECT_LT(book.BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol),
              book.BookNumber(kHistory, history::kFirstRow, history::kDateCol));
    EXPECT_EQ(book.BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol), history::kFirstRow);
    EXPECT_EQ(book.BookNumber(kKpiComments, texts::kMonthNumberRow, texts::kMonthNumberCol), 0);
}

TEST_F(TemplateTest, YearListItemNIsTheYearEndingInNWithinTenYears)
{
    historyStart("March", 2027);
    ASSERT_EQ(book.ListItemCount(month::kYearListId), 10);
    for (int n = 0; n < 10; ++n) {
        int year = std::stoi(book.ListItemText(month::kYearListId, n));
        EXPECT_EQ(year % 10, n);
        EXPECT_GE(year, 2027);
        EXPECT_LE(year, 2036);
    }
    select(2033, 2);  // the history's last month
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol), dateSerial(2033, 2, 1));
    EXPECT_EQ(book.BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol),
              history::actualRow(kHistoryMonths - 1));
    select(2036, 12);  // a later year of the list: the date says so, the lines stay on the last month
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol), dateSerial(2036, 12, 1));
    EXPECT_EQ(book.BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol),
              history::actualRow(kHistoryMonths - 1));
    EXPECT_LE(history::targetRow(kHistoryMonths - 1) + 2, 299) << "every history line lies in the bulk range";
}

TEST_F(TemplateTest, SelectedValuesTextsAndNames)
{
    select(2024, 3);
    book.setBookText(kSetup, setup::kpiRow(2), setup::kNameCol, "Sales");
    enter(2, 120, 100);
    EXPECT_EQ(book.BookText(kMonthView, month::kpiRow(2), month::kNameCol), "Sales");
    EXPECT_EQ(book.BookText(kMonthView, month::kpiRow(1), month::kNameCol), "");
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedActualRow, history::kpiCol(2)), 120);
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedTargetRow, history::kpiCol(2)), 100);
    EXPECT_EQ(book.BookText(kHistory, history::kSelectedActualRow, history::kpiCol(3)), "0");

    int m = static_cast<int>(book.BookNumber(kKpiComments, texts::kMonthNumberRow, texts::kMonthNumberCol));
    book.setBookText(kKpiComments, texts::lineRow(m), texts::commentCol(2), "Good month");
    book.setBookText(kSectionTexts, texts::lineRow(m), texts::sectionColumn(31, 6), "Cut costs");
    EXPECT_EQ(book.BookText(kKpiComments, texts::kSelectedRow, texts::commentCol(2)), "Good month");
    EXPECT_EQ(book.BookText(kKpiComments, texts::kSelectedRow, texts::commentCol(1)), "0");
    EXPECT_EQ(book.BookText(kSectionTexts, texts::kSelectedRow, texts::sectionColumn(31, 6)), "Cut costs");
    EXPECT_EQ(book.BookText(kSectionTexts, texts::kSelectedRow, texts::kLastSectionCol), "0");
    select(2024, 4);  // another month has none of them
    EXPECT_EQ(book.BookText(kKpiComments, texts::kSelectedRow, texts::commentCol(2)), "0");
    EXPECT_EQ(book.BookNumber(kHistory, history::kSelectedActualRow, history::kpiCol(2)), 0);
}

TEST_F(TemplateTest, PercentageRowsOfEachMonth)
{
    select(2024, 2);
    enter(1, 80, 100);
    enter(2, 50, -100);
    enter(3, 30);
    int j = 1;
    EXPECT_DOUBLE_EQ(book.BookNumber(kHistory, history::percentRow(j), history::kpiCol(1)), 0.8);
    EXPECT_DOUBLE_EQ(book.BookNumber(kHistory, history::varianceRow(j), history::kpiCol(1)), -0.2);
    EXPECT_DOUBLE_EQ(book.BookNumber(kHistory, history::percentRow(j), history::kpiCol(2)), 2.5);
    EXPECT_DOUBLE_EQ(book.BookNumber(kHistory, history::percentRow(j), history::kpiCol(3)), 1);  // no target
    EXPECT_EQ(book.BookText(kHistory, history::percentRow(j), history::kpiCol(4)), "");          // no actual
    EXPECT_DOUBLE_EQ(book.BookNumber(kHistory, history::percentRow(j), history::kFirstPercentCol), (0.8 + 2.5 + 1) / 3);
    EXPECT_EQ(book.BookText(kHistory, history::percentRow(0), history::kFirstPercentCol), "");
}

TEST_F(TemplateTest, DefaultsObjectsNamesAndFormats)
{
    EXPECT_EQ(book.BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), 1);
    EXPECT_EQ(book.BookText(kSetup, setup::kVarianceRow, setup::kVarianceCol), "0");
    EXPECT_EQ(book.BookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol), "January");
    EXPECT_EQ(book.BookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol), "2024");
    EXPECT_EQ(book.BookText(kSetup, setup::kFyMonthRow, setup::kFyMonthCol), "January");
    EXPECT_EQ(book.BookText(kSetup, setup::kFyYearRow, setup::kFyYearCol), "2024");
    for (int k = 1; k <= kKpiCount; ++k) {
        EXPECT_EQ(book.BookNumber(kSetup, setup::kindRow(k), setup::kKindCol), 1);
        EXPECT_EQ(book.BookText(kSetup, setup::kpiRow(k), setup::kFormatTypeCol), "number");
        EXPECT_EQ(book.BookText(kSetup, setup::kpiRow(k), setup::kDecimalsCol), "0");
        EXPECT_EQ(book.BookText(kSetup, setup::kpiRow(k), setup::kFormatSampleCol), "0");
        EXPECT_EQ(book.NameReference(kpiName(k)).empty(), false);
        book.setSelectionReference(kpiName(k));
        EXPECT_EQ(book.CurrentSheet(), kMonthView);
        EXPECT_EQ(book.GetSelectedBlock(), (workbook::Block{month::kpiRow(k), 2, month::kpiRow(k), 3}));
        book.setSelectionReference(kpiBulkName(k));
        EXPECT_EQ(book.CurrentSheet(), kHistory);
        EXPECT_EQ(book.GetSelectedBlock(),
                  (workbook::Block{history::kSelectedActualRow, history::kpiCol(k), history::kLastRow,
                                   history::kpiCol(k)}));
    }
    // The first history month is selected; the month list names the months.
    EXPECT_EQ(book.ListSelection(month::kMonthListId), 0);
    EXPECT_EQ(book.ListSelection(month::kYearListId), 4);
    EXPECT_EQ(book.ListItemCount(month::kMonthListId), 12);
    EXPECT_EQ(book.ListItemText(month::kMonthListId, 11), "December");
    EXPECT_EQ(book.FindList(month::kMonthListId)->name, month::kMonthListName);
    for (int id : {month::kMonthListId, month::kSuccessListId, month::kYearListId, month::kPlanListId,
                   month::kInnovationListId}) {
        ASSERT_NE(book.FindList(id), nullptr) << id;
        EXPECT_TRUE(book.FindList(id)->linkedCell.has_value()) << id;
    }
    EXPECT_EQ(book.ListObjects(kMonthView).size(), 5u);
    for (int id : {month::kSuccessListId, month::kPlanListId, month::kInnovationListId}) {
        book.AppendListItem(id, "Sales");  // the program fills them
        EXPECT_EQ(book.ListItemCount(id), 1);
    }
    EXPECT_EQ(book.CellFormatAt(kHistory, history::kFirstRow, history::kDateCol).numberFormat, "mmm-yy");
    EXPECT_EQ(book.CellFormatAt(kHistory, history::kSelectedDateRow, history::kSelectedDateCol).numberFormat, "mmm-yy");
    EXPECT_EQ(book.CellFormatAt(kHistory, history::percentRow(5), 5).numberFormat, "0%;(0%)");
    EXPECT_EQ(book.CellFormatAt(kHistory, history::varianceRow(kHistoryMonths - 1), 25).numberFormat, "0%;(0%)");
    EXPECT_EQ(book.CellFormatAt(kMonthView, month::kpiRow(1), month::kActualCol).numberFormat, "#,##0;(#,##0)");
    financialYear("July", 2024);
    EXPECT_EQ(book.BookText(kMonthView, month::kYearNoteFirstRow, month::kYearNoteCol),
              "Financial year starts in July 2024");
}

// Every unlocked cell is one the user types into: the month view's values, comments and
// section lines, the KPI set-up and kinds, and the bulk view's actuals and targets.
TEST_F(TemplateTest, ExactlyTheTypedCellsAreUnlocked)
{
    std::set<std::tuple<int, int, int>> expected;
    for (int r = month::kFirstKpiRow; r <= month::kLastKpiRow; ++r)
        for (int c : {month::kActualCol, month::kTargetCol, month::kCommentCol})
            expected.insert({kMonthView, r, c});
    for (int r = month::kSuccessFirstRow; r <= month::kInnovationLastRow; ++r)
        for (int c : {month::kLeftTextCol, month::kRightTextCol})
            if (texts::sectionColumn(r, c))
                expected.insert({kMonthView, r, c});
    for (int r = setup::kFirstKpiRow; r <= setup::kLastKpiRow; ++r)
        for (int c = setup::kFirstCol; c <= setup::kLastCol; ++c)
            expected.insert({kSetup, r, c});
    for (int k = 1; k <= kKpiCount; ++k)
        expected.insert({kSetup, setup::kindRow(k), setup::kKindCol});
    for (int j = 0; j < kHistoryMonths; ++j)
        for (int k = 1; k <= kKpiCount; ++k)
            for (int r : {history::actualRow(j), history::targetRow(j)})
                expected.insert({kHistory, r, history::kpiCol(k)});

    std::set<std::tuple<int, int, int>> unlocked;
    for (int s = 1; s <= book.SheetCount(); ++s) {
        book.setCurrentSheet(s);
        EXPECT_TRUE(book.SheetProtected()) << "sheet " << s;
        for (int r = 1; r <= history::kLastRow + 20; ++r)
            for (int c = 1; c <= 45; ++c)
                if (!book.CellLocked(r, c))
                    unlocked.insert({s, r, c});
    }
    EXPECT_EQ(unlocked, expected);

    // A typed entry into a computed cell is refused and the formula stays.
    book.setCurrentSheet(kMonthView);
    std::string formula = book.SheetFormula(month::kpiRow(1), month::kNameCol);
    try {
        book.EnterCellText(month::kpiRow(1), month::kNameCol, "typed");
        ADD_FAILURE() << "a locked cell took an entry";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), workbook::kErrLockedCell);
    }
    EXPECT_EQ(book.SheetFormula(month::kpiRow(1), month::kNameCol), formula);
    book.EnterCellText(month::kpiRow(1), month::kActualCol, "42");
    EXPECT_EQ(book.SheetNumber(month::kpiRow(1), month::kActualCol), 42);
}

TEST_F(TemplateTest, BadOptionTextsGiveErrorsNotCrashes)
{
    historyStart("Smarch", 2024);
    EXPECT_EQ(book.BookText(kHistory, history::kFirstRow, history::kDateCol), "#N/A");
    book.setBookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol, "May");
    book.setBookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol, "next year");
    EXPECT_EQ(book.BookText(kHistory, history::kFirstRow, history::kDateCol), "#VALUE!");
    historyStart("May", 2024);
    EXPECT_EQ(book.BookNumber(kHistory, history::kFirstRow, history::kDateCol), dateSerial(2024, 5, 1));
}

}
