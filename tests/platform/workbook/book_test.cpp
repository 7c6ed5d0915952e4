#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/errors.h"

#include "tests/platform/workbook/error_number.h"

#include <gtest/gtest.h>

using namespace ks::workbook;
using ks::workbook::test::errorNumberOf;

TEST(Book, ReadsAndWritesOfCells)
{
    Book book;
    book.setSheetCount(8);
    EXPECT_EQ(book.BookText(8, 408, 6), "");   // past the used range
    EXPECT_EQ(book.BookNumber(8, 408, 6), 0);
    book.setBookText(1, 1, 1, "Acme");
    EXPECT_EQ(book.BookNumber(1, 1, 1), 0);
    book.setBookText(1, 2, 1, "0042");         // a text put stays text
    EXPECT_EQ(book.BookText(1, 2, 1), "0042");
    EXPECT_EQ(book.BookNumber(1, 2, 1), 0);
    book.setBookNumber(1, 3, 1, 1234.5);
    EXPECT_EQ(book.BookText(1, 3, 1), "1234.5");
    book.setBookNumber(1, 4, 1, 0.1 + 0.2);
    EXPECT_EQ(book.BookText(1, 4, 1), "0.3");
    book.setBookFormula(1, 5, 1, "DATE(2004,1,1)");  // without "="
    EXPECT_EQ(book.BookText(1, 5, 1), "37987");
    book.setBookNumber(1, 6, 1, 1e-7);
    EXPECT_EQ(book.BookText(1, 6, 1), "1E-07");
    book.setCurrentSheet(1);
    book.PlaceCursor(5, 1);
    book.setSelectionNumberFormat("mmm-yy");
    EXPECT_EQ(book.SheetShownText(5, 1), "Jan-04");
    EXPECT_EQ(book.SheetText(5, 1), "37987");

    EXPECT_EQ(errorNumberOf([&] { book.BookText(9, 1, 1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.setBookNumber(1, 0, 1, 1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.setCurrentSheet(0); }), kErrBadArgument);
    EXPECT_EQ(book.CurrentSheet(), 1);
}

TEST(Book, ProtectionStopsUsersNotTheProgram)
{
    Book book;
    book.SelectBlock(2, 2, 3, 2);
    book.SetSelectionProtection(false, false);
    book.setSheetProtected(true);
    book.EnterCellText(2, 2, "12.5");              // unlocked
    EXPECT_EQ(book.SheetNumber(2, 2), 12.5);
    book.EnterCellText(3, 2, "=B2*2");
    EXPECT_EQ(book.SheetNumber(3, 2), 25);
    EXPECT_EQ(errorNumberOf([&] { book.EnterCellText(1, 1, "x"); }), kErrLockedCell);
    EXPECT_EQ(book.SheetText(1, 1), "");
    book.setSheetText(1, 1, "program");            // program writes bypass it
    EXPECT_EQ(book.SheetText(1, 1), "program");
    book.SelectBlock(1, 1, 2, 2);
    EXPECT_EQ(errorNumberOf([&] { book.DeleteSelection(); }), kErrLockedCell);
    EXPECT_EQ(book.SheetNumber(2, 2), 12.5);       // nothing of the block was emptied

    book.SelectBlock(1, 1, 1, 1);
    EXPECT_EQ(errorNumberOf([&] { book.CutBlock(); }), kErrLockedCell);
    EXPECT_EQ(book.SheetText(1, 1), "program");
    book.CopyBlock();                              // copying reads only
    book.SelectBlock(2, 2, 2, 2);
    book.PasteBlock();
    EXPECT_EQ(book.SheetText(2, 2), "program");
    book.SelectBlock(3, 2, 3, 2);
    book.CopyBlock();
    book.SelectBlock(4, 2, 4, 2);                  // a locked target
    EXPECT_EQ(errorNumberOf([&] { book.PasteBlock(); }), kErrLockedCell);
    EXPECT_EQ(errorNumberOf([&] { book.PasteText("1\t2"); }), kErrLockedCell);
    EXPECT_EQ(book.SheetText(4, 2), "");
    book.setSheetProtected(false);
    book.PasteBlock();
    EXPECT_EQ(book.SheetFormula(4, 2), "B3*2");
    book.setSheetProtected(true);
    EXPECT_TRUE(book.CellLocked(2, 2));            // the paste carried the source's lock
    book.SelectBlock(3, 2, 4, 2);                  // unlocked cells: the Delete key empties them
    book.DeleteSelection();
    EXPECT_EQ(book.SheetText(3, 2), "");
    EXPECT_EQ(book.SheetText(4, 2), "");
}

TEST(Book, PasteShiftsRelativeReferences)
{
    Book source, target;
    source.setSheetNumber(5, 3, 10);
    source.setSheetNumber(6, 3, 4);
    source.setSheetFormula(7, 3, "=IF(C6=0,0,C5/C6)+$A$1+C$5+$C6");
    source.SelectBlock(7, 3, 7, 3);
    source.SetSelectionPattern(1, 0xFF0000, 0xFFFFFF);
    source.setSelectionNumberFormat("0%;(0%)");
    source.CopyBlock();

    source.SelectBlock(10, 5, 10, 5);
    source.PasteBlock();
    EXPECT_EQ(source.SheetFormula(10, 5), "IF(E9=0,0,E8/E9)+$A$1+E$5+$C9");
    EXPECT_EQ(source.SelectionNumberFormat(), "0%;(0%)");
    EXPECT_EQ(source.GetSelectionPattern().foreground, 0xFF0000);
    source.SelectBlock(7, 3, 7, 3);
    source.PasteBlock();                             // onto itself: unchanged
    EXPECT_EQ(source.SheetFormula(7, 3), "IF(C6=0,0,C5/C6)+$A$1+C$5+$C6");
    EXPECT_EQ(source.SheetShownText(7, 3), "1650%");

    target.SelectBlock(2, 3, 2, 3);                  // another book, moved up off the sheet
    target.PasteBlock();
    EXPECT_EQ(target.SheetFormula(2, 3), "IF(C1=0,0,#REF!/C1)+$A$1+C$5+$C1");
    EXPECT_EQ(target.SheetText(2, 3), "0");  // the #REF! branch is not taken

    source.SelectBlock(5, 3, 7, 3);
    source.CopyBlock();
    target.SelectBlock(1, 1, 1, 1);
    target.PasteBlock(PasteWhat::Values);
    EXPECT_EQ(target.SheetFormula(3, 1), "");
    EXPECT_EQ(target.SheetNumber(3, 1), 16.5);

    source.SelectBlock(5, 3, 6, 3);
    source.CutBlock();
    EXPECT_EQ(source.SheetText(5, 3), "");
    source.SelectBlock(20, 1, 20, 1);
    source.PasteBlock();
    EXPECT_EQ(source.SheetNumber(20, 1), 10);
    EXPECT_EQ(source.SheetNumber(21, 1), 4);
}

TEST(Book, TabSeparatedTextForOtherPrograms)
{
    Book book;
    book.setSheetNumber(1, 1, 1.5);
    book.setSheetText(1, 2, "a");
    book.setSheetFormula(2, 2, "=A1*2");
    book.SelectBlock(1, 1, 2, 2);
    book.setSelectionNumberFormat("0.00");
    EXPECT_EQ(book.SelectionAsText(), "1.50\ta\r\n\t3.00\r\n");
    book.SelectBlock(5, 1, 5, 1);
    book.PasteText("7\tword\r\n=A5+1\t=broken(\n");
    EXPECT_EQ(book.SheetNumber(5, 1), 7);
    EXPECT_EQ(book.SheetText(5, 2), "word");
    EXPECT_EQ(book.SheetNumber(6, 1), 8);
    EXPECT_EQ(book.SheetText(6, 2), "=broken(");
    EXPECT_EQ(book.GetSelectedBlock(), (Block{5, 1, 6, 2}));
}

TEST(Book, SelectionNamesAndClearing)
{
    Book book;
    book.setSheetCount(2);
    book.DefineName("KPI_1", "Sheet2!B4:C4");
    EXPECT_EQ(book.NameReference("kpi_1"), "Sheet2!$B$4:$C$4");
    EXPECT_EQ(book.NameReference("KPI_2"), "");
    book.setSelectionReference(book.NameReference("KPI_1"));
    EXPECT_EQ(book.CurrentSheet(), 2);
    EXPECT_EQ(book.GetSelectedBlock(), (Block{4, 2, 4, 3}));
    EXPECT_EQ(book.GetCursorCell(), (CellPos{4, 2}));
    book.setSelectionNumberFormat("$#,##0;($#,##0)");
    EXPECT_EQ(book.SelectionNumberFormat(), "$#,##0;($#,##0)");
    EXPECT_EQ(errorNumberOf([&] { book.DefineName("A1", "B2"); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.setSelectionReference("Nowhere!A1"); }), kErrBadArgument);

    book.setSheetNumber(4, 2, 5);
    book.ClearBlock(4, 2, 4, 2, kClearContents);   // keeps the look
    EXPECT_EQ(book.SheetText(4, 2), "");
    EXPECT_EQ(book.CellFormatAt(2, 4, 2).numberFormat, "$#,##0;($#,##0)");
    book.setSheetNumber(4, 3, 5);
    book.ClearBlock(4, 3, 4, 3, kClearAll);
    EXPECT_EQ(book.CellFormatAt(2, 4, 3).numberFormat, "General");
    EXPECT_EQ(errorNumberOf([&] { book.ClearBlock(1, 1, 1, 1, 9); }), kErrBadArgument);

    book.SelectBlock(2, 2, 3, 3);
    book.SetSelectionBorder(2, 1, -1, -1, -1, -1, 0xFF, -1, -1, -1, -1);
    book.PlaceCursor(2, 2);
    BorderState corner = book.GetSelectionBorder();
    EXPECT_EQ(corner.left, 2);     // outline on the outer edges
    EXPECT_EQ(corner.top, 2);
    EXPECT_EQ(corner.right, 0);
    EXPECT_EQ(corner.leftColor, 0xFF);
    book.PlaceCursor(3, 3);
    EXPECT_EQ(book.GetSelectionBorder().left, 1);
    EXPECT_EQ(book.GetSelectionBorder().bottom, 2);
}

TEST(Book, DropDownsRecordTheirChoice)
{
    Book book;
    int months = book.AddListObject(2, 2, 4, 3, "monthcombo");
    for (const char* m : {"January", "February", "March"})
        book.AppendListItem(months, m);
    book.setListLinkedCell(months, 10, 10);
    book.setSheetFormula(10, 11, "=J10+1");
    book.setListSelection(months, 2);
    EXPECT_EQ(book.ListSelection(months), 2);
    EXPECT_EQ(book.SheetNumber(10, 11), 3);
    EXPECT_EQ(book.ListItemText(months, 1), "February");
    book.RemoveListItem(months, 0);
    EXPECT_EQ(book.ListItemCount(months), 2);
    EXPECT_EQ(book.ListSelection(months), 1);
    EXPECT_EQ(errorNumberOf([&] { book.setListSelection(months, 2); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.ListItemText(99, 0); }), kErrBadArgument);

    book.setSheetFormula(1, 20, "=2000+ROW_BASE");
    book.DefineName("ROW_BASE", "A30");
    book.setSheetNumber(30, 1, 4);
    book.setSheetNumber(2, 20, 2005);
    int years = book.AddListObject(5, 2, 7, 3, "yearcombo");
    book.setListSource(years, "T1:T2");
    EXPECT_EQ(book.ListItemCount(years), 2);
    EXPECT_EQ(book.ListItemText(years, 0), "2004");
    EXPECT_EQ(errorNumberOf([&] { book.AppendListItem(years, "x"); }), kErrBadArgument);
    EXPECT_NE(years, months);
    EXPECT_EQ(errorNumberOf([&] { book.AddListObject(0, 1, 2, 2, "bad"); }), kErrBadArgument);
}

TEST(Book, ObserversHearOfChanges)
{
    Book book;
    std::vector<BookChange::Kind> heard;
    int id = book.addChangeListener([&](const BookChange& c) { heard.push_back(c.kind); });
    book.setSheetNumber(1, 1, 1);
    book.PlaceCursor(2, 2);
    book.setSelectionNumberFormat("0");
    book.setRowHiddenFlag(3, true);
    book.RecalculateBook();
    book.removeChangeListener(id);
    book.setSheetNumber(1, 1, 2);
    EXPECT_EQ(heard, (std::vector<BookChange::Kind>{BookChange::Cells, BookChange::Selection, BookChange::Formats,
                                                    BookChange::Layout, BookChange::Values}));
}

TEST(Book, ClipboardBlocksFormatsAndLimits)
{
    Book book;
    book.SelectBlock(1, 1, 2, 2);
    book.setSelectionNumberFormat("0.00");
    book.setSheetNumber(1, 1, 1);
    book.setSheetFormula(2, 2, "=A1*3");
    book.CopyBlock();
    book.SelectBlock(10, 10, 10, 10);
    book.PasteBlock(PasteWhat::Formats);
    EXPECT_EQ(book.SheetText(10, 10), "");
    EXPECT_EQ(book.CellFormatAt(1, 11, 11).numberFormat, "0.00");
    book.PasteBlock(PasteWhat::Formulas);
    EXPECT_EQ(book.SheetFormula(11, 11), "J10*3");
    EXPECT_EQ(book.SheetShownText(11, 11), "3.00");

    book.SelectBlock(kMaxRows, 1, kMaxRows, 1);      // the block would run off the sheet
    EXPECT_EQ(errorNumberOf([&] { book.PasteBlock(); }), kErrBadArgument);
    EXPECT_EQ(book.SheetText(kMaxRows, 1), "");
    book.SelectBlock(1, 1, kMaxRows, kMaxColumns);
    EXPECT_EQ(errorNumberOf([&] { book.CopyBlock(); }), kErrCopyRefused);
    EXPECT_EQ(errorNumberOf([&] { book.SelectionAsText(); }), kErrCopyRefused);
    book.SelectBlock(20, 1, 20, 1);
    book.PasteBlock();                                 // the earlier block is still there
    EXPECT_EQ(book.SheetFormula(21, 2), "A20*3");

    Book other;                                        // one clipboard for all books
    other.SelectBlock(3, 3, 3, 3);
    other.PasteBlock();
    EXPECT_EQ(other.SheetFormula(4, 4), "C3*3");
    EXPECT_EQ(other.SheetNumber(4, 4), 3);
}

TEST(Book, PrintSetupAndPictures)
{
    Book book;
    book.SelectBlock(1, 1, 68, 6);
    book.PrintRangeFromSelection();
    EXPECT_EQ(book.Print().range, (Block{1, 1, 68, 6}));
    book.SetPrintScale(100, true, 1, 1);
    EXPECT_TRUE(book.Print().fitToPages);
    EXPECT_EQ(errorNumberOf([&] { book.SetPrintScale(0, false, 1, 1); }), kErrBadArgument);
    book.SetPrintTitles(3, 1);
    EXPECT_EQ(errorNumberOf([&] { book.SetPrintTitles(-1, 1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.SetPrintTitles(1, kMaxColumns + 1); }), kErrBadArgument);
    EXPECT_EQ(book.Print().titleRows, 3) << "a refused change changes nothing";
    EXPECT_EQ(book.Print().titleColumns, 1);
    book.PlaceCursor(1, 1);
    book.AddPageBreak();                               // nothing to break before row 1
    EXPECT_TRUE(book.RowPageBreaks().empty());
    book.SetRowPageBreak(81);
    book.SetRowPageBreak(81);
    EXPECT_EQ(book.RowPageBreaks(), (std::vector<int>{81}));
    int picture = book.AddPictureObject(1, 20, 7, 36, "jpeg bytes", 7, 640, 480);
    ASSERT_EQ(book.PictureObjects(1).size(), 1u);
    EXPECT_EQ(book.PictureObjects(1).front()->id, picture);
    EXPECT_EQ(book.PictureObjects(1).front()->anchor, (Anchor{1, 20, 7, 36}));
    EXPECT_EQ(errorNumberOf([&] { book.AddPictureObject(7, 20, 1, 36, "", 7, 1, 1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.setRowHeight(1, 1000); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.SetSelectionAlignment(9, false, 1, 0); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { book.SetSelectionAlignment(1, false, 0, 0); }), kErrBadArgument);
    // The report's headings: right, no wrap, centred vertically.
    book.SelectBlock(3, 3, 3, 3);
    book.SetSelectionAlignment(4, false, 2, 0);
    EXPECT_EQ(book.CellFormatAt(book.CurrentSheet(), 3, 3).hAlign, HAlign::Right);
    EXPECT_EQ(book.CellFormatAt(book.CurrentSheet(), 3, 3).vAlign, VAlign::Center);
}
