#include "control_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "tests/support/temp_dir.h"

using namespace ks;
using namespace ks::test;

namespace {
// Runs `fill` on the next modal dialog, then accepts or rejects it.
void onNextDialog(std::function<void(QDialog&)> fill, bool accept = true)
{
    QTimer::singleShot(0, [fill, accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(*dialog);
        accept ? dialog->accept() : dialog->reject();
    });
}
}

TEST_F(ControlTest, SaveAndOpenDialogsGoThroughTheUiLayer)
{
    workbook::FileChoice choice{"report", workbook::kFileXlsx};
    ui.answerSave("/tmp/out/report", 2);
    control.SaveDialog("Save report to excel", choice);
    EXPECT_EQ(choice.name, "/tmp/out/report.xlsx");
    EXPECT_EQ(choice.type, workbook::kFileXlsx);
    EXPECT_EQ(ui.records().back().file.title, "Save report to excel");
    EXPECT_EQ(ui.records().back().file.fileName, "report");

    ui.answerSave("");
    try {
        control.SaveDialog("Save", choice);
        FAIL() << "a cancelled save dialog must raise";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), workbook::kErrDialogCancelled);
    }
    EXPECT_EQ(choice.name, "/tmp/out/report.xlsx");

    ui.answerOpen("");
    EXPECT_EQ(control.OpenDialog("Open", 0), "");
    ui.answerOpen("/tmp/a.vqa");
    EXPECT_EQ(control.OpenDialog("Open", 0), "/tmp/a.vqa");
}

TEST_F(ControlTest, FormatDialogPagesChangeTheSelectionOnlyWhenConfirmed)
{
    control.setSheetNumber(2, 2, 0.5);
    control.SelectBlock(2, 2, 3, 3);

    ks::ui::FontChoice font;
    font.face = "DejaVu Sans";
    font.points = 14;
    font.bold = true;
    ui.answerFont(font);
    control.FormatDialog(4);
    EXPECT_TRUE(control.book().CellFormatAt(1, 3, 3).font.bold);
    EXPECT_EQ(control.book().CellFormatAt(1, 3, 3).font.size, 14);

    onNextDialog([](QDialog& d) { d.findChild<QComboBox*>("horizontal")->setCurrentIndex(3); });
    control.FormatDialog(2);
    EXPECT_EQ(control.book().CellFormatAt(1, 2, 2).hAlign, workbook::HAlign::Right);

    onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("numberFormat")->setText("0%");
        d.findChild<QCheckBox*>("locked")->setChecked(false);
    });
    control.FormatDialog(56);
    EXPECT_EQ(control.SheetShownText(2, 2), "50%");
    control.setSheetProtected(true);
    EXPECT_FALSE(control.book().CellLocked(3, 3));

    onNextDialog([](QDialog& d) { d.findChild<QLineEdit*>("numberFormat")->setText("0.000"); }, false);
    control.FormatDialog(24);
    EXPECT_EQ(control.SheetShownText(2, 2), "50%");

    EXPECT_THROW(control.FormatDialog(7), RuntimeError);
}

TEST_F(ControlTest, FilesRaiseTheHourglassEventAndABadFileChangesNothing)
{
    TempDir dir;
    int hourglass = 0;
    control.HourglassEvent = [&] { ++hourglass; };
    control.setSheetText(1, 1, "saved");
    std::string path = dir.str() + "/book.vqa";
    control.WriteBookFile(path, workbook::kFileNative);
    control.setSheetText(1, 1, "changed");

    std::string bad = dir.write("bad.vqa", "not a workbook").string();
    int type = -1;
    EXPECT_THROW(control.ReadBookFile(bad, type), RuntimeError);
    EXPECT_EQ(control.SheetText(1, 1), "changed");

    control.ReadBookFile(path, type);
    EXPECT_EQ(type, workbook::kFileNative);
    EXPECT_EQ(control.SheetText(1, 1), "saved");
    EXPECT_EQ(hourglass, 3);
}

TEST_F(ControlTest, PageSetupAndPreviewNeedNoPrinter)
{
    control.setSheetText(1, 1, "preview");
    ui.answerPageSetup(true);
    control.PageSetupDialog();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        shown = dialog != nullptr;
        if (dialog)
            dialog->reject();
    });
    control.ShowPrintPreview();
    EXPECT_TRUE(shown);
}
