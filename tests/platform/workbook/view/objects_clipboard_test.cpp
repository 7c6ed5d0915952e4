#include "control_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>

using namespace ks;
using namespace ks::test;

TEST_F(ControlTest, ADropDownChangedByTheUserRaisesObjValueChangedAndByTheProgramNot)
{
    workbook::Book& book = control.book();
    int id = book.AddListObject(2, 2, 4, 3, "monthcombo");
    for (const char* month : {"Jan", "Feb", "Mar"})
        book.AppendListItem(id, month);
    book.setListLinkedCell(id, 10, 1);
    logEvents(10, 1);

    QComboBox* box = control.grid().listBox(id);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->count(), 3);

    control.setListSelection(id, 1);
    EXPECT_EQ(box->currentText(), "Feb");
    EXPECT_TRUE(log.empty());

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(log, (Log{"ObjValueChanged monthcombo " + std::to_string(id)}));
    EXPECT_EQ(control.ListSelection(id), 2);

    // Items the program appends show at once, again without an event.
    control.AppendListItem(id, "Apr");
    EXPECT_EQ(box->count(), 4);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(ControlTest, CopyAndPasteBetweenTwoControlsCarriesFormulasAndFormats)
{
    control.setSheetNumber(2, 2, 21);
    control.setSheetFormula(2, 3, "B2*2");
    control.SelectBlock(2, 2, 2, 3);
    control.setSelectionNumberFormat("0.00");
    control.SetSelectionPattern(1, 0xFFFF00, 0xFFFFFF);
    control.CopyBlock();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "21.00\t42.00\r\n");

    workbook::view::WorkbookControl other;
    other.PlaceCursor(5, 4);
    other.PasteBlock();
    EXPECT_DOUBLE_EQ(other.SheetNumber(5, 4), 21);
    EXPECT_EQ(other.SheetFormula(5, 5), "D5*2");
    EXPECT_EQ(other.SheetShownText(5, 5), "42.00");
    EXPECT_EQ(other.book().CellFormatAt(1, 5, 5).pattern.foreground, 0xFFFF00);

    // Text another program put on the clipboard is pasted as text.
    QGuiApplication::clipboard()->setText("1\t2\r\n3\t4\r\n");
    other.PlaceCursor(8, 1);
    other.PasteBlock();
    EXPECT_DOUBLE_EQ(other.SheetNumber(9, 2), 4);
    EXPECT_EQ(other.SheetFormula(8, 1), "");

    // Paste special: values only.
    other.PlaceCursor(12, 1);
    other.PasteSpecial(3, 0);
    EXPECT_EQ(other.SheetFormula(12, 2), "");
    EXPECT_DOUBLE_EQ(other.SheetNumber(12, 2), 42);
}

TEST_F(ControlTest, CutAndPasteRespectProtectionAndLoseNothing)
{
    control.setSheetText(2, 2, "locked");
    control.setSheetProtected(true);
    control.PlaceCursor(2, 2);
    try {
        control.CutBlock();
        FAIL() << "cut of a locked cell";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), workbook::kErrLockedCell);
    }
    EXPECT_EQ(control.SheetText(2, 2), "locked");

    control.setSheetProtected(false);
    control.CutBlock();
    EXPECT_EQ(control.SheetText(2, 2), "");
    control.PlaceCursor(4, 4);
    control.PasteBlock();
    EXPECT_EQ(control.SheetText(4, 4), "locked");
    EXPECT_THROW(control.PasteSpecial(9, 0), RuntimeError);
}
