// The scorecard window's menu bar and its edit, print, format and protection commands,
// driven on the sample scorecard with the scripted ui backend.
#include "edit_commands_fixture.h"

#include "main/frm_about.h"
#include "platform/workbook/engine/clipboard.h"
#include "platform/workbook/engine/errors.h"
#include "scorecard/window/form_graph_options.h"
#include "scorecard/window/form_options.h"
#include "tests/support/pdf_reader.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include "platform/workbook/view/grid_view.h"

using namespace ks;
using namespace ks::scorecard::layout;
using test::ScorecardCommandTest;

namespace {

const QString kSingleValue =
    "You can not copy and paste more than one value at a time as your information needs to be updated.";

// "caption" or "(hidden) caption" for each item, a submenu's items indented below it.
QStringList itemsOf(const QMenu& menu, const QString& indent = "")
{
    QStringList items;
    for (QAction* action : menu.actions()) {
        items << indent + (action->isVisible() ? "" : "(hidden) ") + action->text();
        if (action->menu())
            items << itemsOf(*action->menu(), indent + "  ");
    }
    return items;
}

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

}

TEST_F(ScorecardCommandTest, MenuBarHasEveryItemInOrderWithItsCaptionAndShortcut)
{
    QStringList menus;
    QMap<QString, QStringList> items;
    for (QAction* top : w->MenuBar->actions()) {
        menus << top->text();
        items[top->text()] = itemsOf(*top->menu());
    }
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "F&ormat", "&Tools", "&Help"}));
    EXPECT_EQ(items["&File"], QStringList({"&New", "Open...", "Save", "Save as...", "Page Setup...", "Print",
                                           "Print Setup...", "Print Preview...", "Exit"}));
    EXPECT_EQ(items["&Edit"], QStringList({"Hide/show Edit Bar", "Cu&t", "&Copy", "&Paste", "Paste External Data",
                                           "P&aste Special...", "(hidden) Insert Page Break"}));
    EXPECT_EQ(items["&View"], QStringList({"Monthly Data", "Bulk Data", "KPI Setup", "Reports"}));
    EXPECT_EQ(items["F&ormat"], QStringList({"&Font...", "&Alignment...", "&Cells..."}));
    EXPECT_EQ(items["&Tools"], QStringList({"Options", "(hidden) Graph Options", "Company Name", "Protection",
                                            "  Off", "(hidden) Import Data"}));
    EXPECT_EQ(items["&Help"], QStringList({"About...", "Help Manual", "Quickstart Tutorial", "Video Help",
                                           "  Overview", "  Setup Module", "  Report Module", "  Bulk Module"}));
    EXPECT_EQ(w->MnuCut->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(w->MnuCopy->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(w->MnuPaste->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_TRUE(w->MnuPasteExternal->shortcut().isEmpty());
}

TEST_F(ScorecardCommandTest, CopyTakesOneCellOnTheMonthViewAndOnTheReport)
{
    // Two cells of the month view: refused, the clipboard keeps what it had.
    QGuiApplication::clipboard()->setText("kept");
    book->SelectBlock(month::kpiRow(1), month::kActualCol, month::kpiRow(1), month::kTargetCol);
    ui.answerMessage(ui::OK);
    w->MnuCopy_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, kSingleValue);
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Information);
    EXPECT_EQ(ui.messageBoxes()[0].caption, App::title());
    EXPECT_EQ(clipboardText(), "kept");

    // One cell of the month view is copied.
    book->SelectBlock(month::kpiRow(1), month::kActualCol, month::kpiRow(1), month::kActualCol);
    w->MnuCopy_Click();
    EXPECT_EQ(clipboardText().trimmed(), QString::fromStdString(book->SheetShownText(month::kpiRow(1), month::kActualCol)));

    // The set-up sheet copies a block.
    book->setCurrentSheet(kSetup);
    book->SelectBlock(setup::kpiRow(1), setup::kNameCol, setup::kpiRow(2), setup::kNameCol + 1);
    w->MnuCopy_Click();
    EXPECT_EQ(workbook::sharedClipboard().rows, 2);
    EXPECT_EQ(workbook::sharedClipboard().cols, 2);

    // The report: a block copies nothing and says nothing; one cell is copied.
    showReport();
    QGuiApplication::clipboard()->setText("kept");
    w->reportspread->SelectBlock(1, 1, 1, 2);
    w->MnuCopy_Click();
    EXPECT_EQ(clipboardText(), "kept");
    w->reportspread->SelectBlock(1, 2, 1, 2);
    w->MnuCopy_Click();
    EXPECT_EQ(clipboardText().trimmed(), "12");
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
}

TEST_F(ScorecardCommandTest, PasteOnTheMonthViewAlwaysReachesTheHistory)
{
    const int row = month::kpiRow(1), col = month::kActualCol;
    // A value copied on the set-up sheet, pasted on an actual the user clicked.
    book->setCurrentSheet(kSetup);
    book->setSheetNumber(setup::kpiRow(1), setup::kFirstCol + 5, 321);
    book->SelectBlock(setup::kpiRow(1), setup::kFirstCol + 5, setup::kpiRow(1), setup::kFirstCol + 5);
    w->MnuCopy_Click();
    book->setCurrentSheet(kMonthView);
    book->SelectBlock(row, col, row, col);
    w->F1BookMain_Click();
    w->MnuPaste_Click();
    EXPECT_EQ(book->SheetNumber(row, col), 321);
    EXPECT_EQ(historyActual(1), 321);
    EXPECT_EQ(w->CellEdit.valueEdit, 0);

    // The cursor moved by the keyboard, not by a click: the cell pasted into is carried.
    const int target = month::kpiRow(3);
    book->SelectBlock(target, month::kTargetCol, target, month::kTargetCol);
    w->MnuPaste_Click();
    EXPECT_EQ(book->BookNumber(kHistory, actualLine() + 1, history::kpiCol(3)), 321);

    // An empty cell pasted over a value empties the history too, and the pasted cell
    // stays editable though it came from a locked cell.
    book->SelectBlock(row, 4, row, 4);
    ASSERT_TRUE(book->book().CellFormatAt(kMonthView, row, 4).locked);
    w->MnuCopy_Click();
    book->SelectBlock(row, col, row, col);
    w->MnuPaste_Click();
    EXPECT_EQ(book->SheetText(row, col), "");
    EXPECT_EQ(historyActual(1), 0);
    EXPECT_FALSE(book->book().CellFormatAt(kMonthView, row, col).locked);

    // Data from another program.
    QGuiApplication::clipboard()->setText("77");
    w->MnuPasteExternal_Click();
    EXPECT_EQ(book->SheetNumber(row, col), 77);
    EXPECT_EQ(historyActual(1), 77);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ScorecardCommandTest, SeveralCellsAreNeverPastedOnTheMonthView)
{
    const int row = month::kpiRow(2), col = month::kActualCol;
    const std::string before = book->SheetText(row, col), below = book->SheetText(row + 1, col);
    const double history = historyActual(2);
    book->setCurrentSheet(kSetup);
    book->SelectBlock(setup::kpiRow(1), setup::kFirstCol, setup::kpiRow(2), setup::kFirstCol);
    w->MnuCopy_Click();
    book->setCurrentSheet(kMonthView);
    book->SelectBlock(row, col, row, col);
    ui.answerMessage(ui::OK);
    w->MnuPaste_Click();
    ui.answerMessage(ui::OK);
    w->MnuPasteSpecial_Click();
    QGuiApplication::clipboard()->setText("1\t2\r\n");
    ui.answerMessage(ui::OK);
    w->MnuPasteExternal_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 3u);
    for (const auto& box : ui.messageBoxes())
        EXPECT_EQ(box.text, kSingleValue);
    EXPECT_EQ(book->SheetText(row, col), before);
    EXPECT_EQ(book->SheetText(row + 1, col), below);
    EXPECT_EQ(historyActual(2), history);

    // On the set-up sheet the same block pastes whole.
    book->setCurrentSheet(kSetup);
    book->SelectBlock(setup::kpiRow(5), setup::kFirstCol, setup::kpiRow(5), setup::kFirstCol);
    w->MnuPaste_Click();
    EXPECT_EQ(book->SheetText(setup::kpiRow(6), setup::kFirstCol), book->SheetText(setup::kpiRow(2), setup::kFirstCol));
    EXPECT_EQ(ui.messageBoxes().size(), 3u);
}

TEST_F(ScorecardCommandTest, PasteOnTheBulkSheetAndOnTheReport)
{
    // The bulk view: the history takes the value directly; no edit is flagged.
    book->setCurrentSheet(kHistory);
    const int line = history::actualRow(2), col = history::kpiCol(1);
    book->setSheetNumber(line, col, 5);
    book->SelectBlock(line, col, line, col);
    w->MnuCopy_Click();
    book->SelectBlock(line + 1, col, line + 1, col);
    w->MnuPaste_Click();
    EXPECT_EQ(book->SheetNumber(line + 1, col), 5);
    EXPECT_EQ(w->CellEdit.valueEdit, 0);
    EXPECT_EQ(w->CellEdit.textEdit, 0);
    EXPECT_EQ(w->CellEdit.row, line + 1);
    EXPECT_EQ(book->HostTag(), "dirty");

    // The report takes the paste while it is shown; the scorecard is left alone.
    showReport();
    w->reportspread->SelectBlock(1, 1, 1, 1);
    w->MnuCopy_Click();
    w->reportspread->SelectBlock(3, 3, 3, 3);
    w->MnuPaste_Click();
    EXPECT_EQ(w->reportspread->SheetNumber(3, 3), 11);
    EXPECT_EQ(book->SheetNumber(line + 1, col), 5);
    QGuiApplication::clipboard()->setText("x\ty");
    w->reportspread->SelectBlock(5, 1, 5, 1);
    w->MnuPasteExternal_Click();
    EXPECT_EQ(w->reportspread->SheetText(5, 2), "y");
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ScorecardCommandTest, CutEmptiesACellButKeepsItsLook)
{
    const int row = month::kpiRow(1), col = month::kActualCol;
    book->SelectBlock(row, col, row, col);
    book->setSelectionNumberFormat("#,##0.00");
    book->SetSelectionPattern(1, 0x00FF00, 0xFFFFFF);
    book->SetSelectionBorder(-1, 1, 1, 2, 2, 0, -1, 0xFF, 0xFF, 0xFF, 0xFF);
    book->setSheetNumber(row, col, 12);
    const workbook::CellFormat before = book->book().CellFormatAt(kMonthView, row, col);
    ASSERT_FALSE(before.locked);
    w->F1BookMain_Click();
    w->MnuCut_Click();
    EXPECT_EQ(book->SheetText(row, col), "");
    const workbook::CellFormat& look = book->book().CellFormatAt(kMonthView, row, col);
    EXPECT_EQ(look.numberFormat, "#,##0.00");
    EXPECT_EQ(look.pattern, (workbook::Pattern{1, 0x00FF00, 0xFFFFFF}));
    EXPECT_EQ(look.borders.top, 2);
    EXPECT_EQ(look.borders.leftColor, 0xFF);
    EXPECT_EQ(look, before) << "font, alignment and protection stay too";
    // The emptied actual is carried into the history as a deleted one would be.
    EXPECT_EQ(historyActual(1), 0);
    book->SelectBlock(row, month::kTargetCol, row, month::kTargetCol);
    w->MnuPaste_Click();
    EXPECT_EQ(book->SheetNumber(row, month::kTargetCol), 12);

    // Two cells of the month view are refused.
    book->setSheetNumber(row, col, 3);
    book->SelectBlock(row, col, row, month::kTargetCol);
    ui.answerMessage(ui::OK);
    w->MnuCut_Click();
    EXPECT_EQ(ui.messageBoxes().back().text, kSingleValue);
    EXPECT_EQ(book->SheetNumber(row, col), 3);

    // A block of the set-up sheet: each cell keeps its own format.
    book->setCurrentSheet(kSetup);
    const int r = setup::kpiRow(4);
    book->SelectBlock(r, 2, r, 2);
    book->setSelectionNumberFormat("0%");
    book->SelectBlock(r, 3, r, 3);
    book->setSelectionNumberFormat("0.000");
    book->SelectBlock(r, 2, r, 3);
    w->MnuCut_Click();
    EXPECT_EQ(book->book().CellFormatAt(kSetup, r, 2).numberFormat, "0%");
    EXPECT_EQ(book->book().CellFormatAt(kSetup, r, 3).numberFormat, "0.000");

    // A locked cell under protection: the standard box, nothing cut.
    book->setCurrentSheet(kMonthView);
    book->SelectBlock(row, month::kNameCol, row, month::kNameCol);
    const std::string name = book->SheetText(row, month::kNameCol);
    ui.answerMessage(ui::OK);
    w->MnuCut_Click();
    EXPECT_EQ(ui.messageBoxes().back().caption, "Error in Cut");
    EXPECT_TRUE(ui.messageBoxes().back().text.endsWith("(Error #20030)"));
    EXPECT_EQ(book->SheetText(row, month::kNameCol), name);
}

TEST_F(ScorecardCommandTest, ProtectionAndEditBarFollowTheSheetSeen)
{
    ASSERT_TRUE(book->SheetProtected());
    emit w->MnuProtection->aboutToShow();
    EXPECT_EQ(w->MnuProtectionOff_On->text(), "Turn off");
    w->MnuProtectionOff_On->trigger();
    EXPECT_FALSE(book->SheetProtected());
    w->MnuProtection_Click();
    EXPECT_EQ(w->MnuProtectionOff_On->text(), "Turn on");
    w->MnuProtectionOff_On_Click();
    EXPECT_TRUE(book->SheetProtected());

    w->mnuHideEditBar_Click();
    EXPECT_FALSE(book->EditBarShown());
    EXPECT_EQ(w->MnuEditBar->text(), "Show Edit Bar");

    // The report screen: its own protection and edit bar.
    showReport();
    w->MnuProtection_Click();
    EXPECT_EQ(w->MnuProtectionOff_On->text(), "Turn on");
    w->MnuProtectionOff_On_Click();
    EXPECT_TRUE(w->reportspread->SheetProtected());
    w->mnuHideEditBar_Click();
    EXPECT_FALSE(w->reportspread->EditBarShown());
    EXPECT_FALSE(book->EditBarShown());
    w->mnuHideEditBar_Click();
    EXPECT_TRUE(w->reportspread->EditBarShown());
    EXPECT_EQ(w->MnuEditBar->text(), "Hide Edit Bar");
    EXPECT_TRUE(book->SheetProtected());
}

TEST_F(ScorecardCommandTest, FormatDialogsLiftTheScorecardsProtectionOnlyWhileOpen)
{
    // A font for a locked heading of the month view.
    book->SelectBlock(month::kpiRow(1), month::kNameCol, month::kpiRow(1), month::kNameCol);
    ui::FontChoice font;
    font.face = "DejaVu Sans";
    font.points = 15;
    font.bold = true;
    ui.answerFont(font);
    w->MnuFormatFont_Click();
    EXPECT_EQ(book->book().CellFormatAt(kMonthView, month::kpiRow(1), month::kNameCol).font.size, 15);
    EXPECT_TRUE(book->SheetProtected());

    bool unprotectedWhileOpen = false;
    test::onNextModal([&](QWidget& dialog) {
        unprotectedWhileOpen = !book->SheetProtected();
        static_cast<QDialog&>(dialog).reject();
    });
    w->MnuFormatCells_Click();
    EXPECT_TRUE(unprotectedWhileOpen);
    EXPECT_TRUE(book->SheetProtected());

    // The report's dialog leaves every protection as it was.
    showReport();
    bool reportOwnsDialog = false;
    test::rejectNextDialog(w->reportspread, reportOwnsDialog);
    w->MnuFormatAlignment_Click();
    EXPECT_TRUE(reportOwnsDialog);
    EXPECT_FALSE(w->reportspread->SheetProtected());
    EXPECT_TRUE(book->SheetProtected());
    EXPECT_TRUE(ui.messageBoxes().empty());
}

namespace {

// A control without a printer: the dialogs that need one fail with 20024.
struct NoPrinterUi : ui::ScriptedBackend {
    QPrinter* pageSetupPrinter = nullptr;
    bool printDialog(QPrinter&, QWidget*) override { throw RuntimeError(workbook::kErrNoPrinter, "No default printer"); }
    bool pageSetupDialog(QPrinter& printer, QWidget*) override
    {
        pageSetupPrinter = &printer;
        throw RuntimeError(workbook::kErrNoPrinter, "No default printer");
    }
};

const QString kNoPrinter =
    "You have no default printer setup on your machine. Please install a printer so you can access this feature!";

}

TEST_F(ScorecardCommandTest, PrintingReachesThePrintJobOfTheSheetSeen)
{
    const QString pdf = QString::fromStdString(dir.str()) + "/scorecard.pdf";
    ui.answerPrint(true, pdf);
    w->MnuPrint_Click();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(book->printer().outputFileName(), pdf);

    showReport();
    const QString report = QString::fromStdString(dir.str()) + "/report.pdf";
    ui.answerPrint(true, report);
    w->MnuPrint_Click();
    EXPECT_TRUE(QFile::exists(report));
    EXPECT_EQ(w->reportspread->printer().outputFileName(), report);
    ui.answerPageSetup(true);
    w->MnuPageSetup_Click();
    ui.answerPrint(false);
    w->MnuPrintSetup_Click();
    EXPECT_EQ(ui.records().back().kind, ui::ScriptedBackend::Kind::Print);

    bool previewOfReport = false;
    test::onNextModal([&](QWidget& dialog) {
        previewOfReport = qobject_cast<QPrintPreviewDialog*>(&dialog) && dialog.parentWidget() == w->reportspread;
        static_cast<QDialog&>(dialog).reject();
    });
    w->MnuPrintPreview_Click();
    EXPECT_TRUE(previewOfReport);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ScorecardCommandTest, EveryPrintedPageOfTheScorecardHoldsSomething)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = QString::fromStdString(dir.str()) + "/scorecard.pdf";
    ui.answerPrint(true, pdf);
    w->MnuPrint_Click();
    auto run = [](const QString& program, const QStringList& arguments) {
        QProcess p;
        p.start(program, arguments);
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(run(pdfinfo, {pdf})).captured(1).toInt();
    ASSERT_GE(pages, 1);
    for (int page = 1; page <= pages; ++page) {
        const QString n = QString::number(page);
        EXPECT_FALSE(run(pdftotext, {"-f", n, "-l", n, pdf, "-"}).trimmed().isEmpty()) << "page " << page << " of " << pages;
    }
}

TEST_F(ScorecardCommandTest, TheScorecardPrintsEveryColumnOnThePagesWidthWithNoWordCut)
{
    if (!test::havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = QString::fromStdString(dir.str()) + "/scorecard.pdf";
    ui.answerPrint(true, pdf);
    w->MnuPrint_Click();
    QStringList pages;
    for (int page = 1, count = test::pdfPageCount(pdf); page <= count; ++page)
        pages << test::pdfPageText(pdf, page).normalized(QString::NormalizationForm_KC);
    ASSERT_FALSE(pages.isEmpty());
    const workbook::Book& sheet = book->book();
    // The right-hand texts, the last column, each drawn to the end of its last word.
    constexpr int kDpi = 100;
    std::vector<std::pair<QImage, std::vector<test::PdfWord>>> drawn;
    for (int page = 1; page <= pages.size(); ++page)
        drawn.emplace_back(test::pdfPageImage(pdf, page, kDpi), test::pdfWords(pdf, page));
    for (int row = 1; row <= month::kPrintLastRow; ++row) {
        const QString text = QString::fromStdString(sheet.SheetShownText(row, month::kRightTextCol)).simplified();
        if (text.isEmpty())
            continue;
        const QString last = text.section(' ', -1);
        bool whole = false;
        for (const auto& [image, words] : drawn)
            for (const test::PdfWord& word : words)
                whole = whole || (word.text == last && test::inkedToItsEnd(image, word, kDpi));
        EXPECT_TRUE(whole) << "row " << row << ": " << text.toStdString();
    }
    // Each KPI's name on the line with its actual and target.
    for (int k = 1; k <= kKpiCount; ++k) {
        const QString name = QString::fromStdString(sheet.SheetShownText(month::kpiRow(k), month::kNameCol));
        if (name.isEmpty())
            continue;
        const QString actual = QString::fromStdString(sheet.SheetShownText(month::kpiRow(k), month::kActualCol));
        const QString target = QString::fromStdString(sheet.SheetShownText(month::kpiRow(k), month::kTargetCol));
        const QRegularExpression line("^\\s*" + QRegularExpression::escape(name) + "\\s+" + QRegularExpression::escape(actual) +
                                          "\\s+" + QRegularExpression::escape(target) + "(\\s|$)",
                                      QRegularExpression::MultilineOption);
        bool beside = false;
        for (const QString& page : pages)
            beside = beside || line.match(page).hasMatch();
        EXPECT_TRUE(beside) << name.toStdString();
    }
}

TEST_F(ScorecardCommandTest, WithoutAPrinterTheUserIsToldSo)
{
    if (QPrinterInfo::defaultPrinterName().isEmpty()) {
        // Confirming the print dialog without choosing a file: the job cannot start.
        ui.answerPrint(true);
        ui.answerMessage(ui::OK);
        w->MnuPrint_Click();
        ASSERT_EQ(ui.messageBoxes().size(), 1u);
        EXPECT_EQ(ui.messageBoxes()[0].text, kNoPrinter);
        EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Critical);
        EXPECT_EQ(ui.messageBoxes()[0].caption, App::title());
    }

    NoPrinterUi noPrinter;
    ui::setBackend(&noPrinter);
    noPrinter.answerMessage(ui::OK);
    w->MnuPageSetup_Click();
    EXPECT_EQ(noPrinter.pageSetupPrinter, &book->printer());
    noPrinter.answerMessage(ui::OK);
    w->MnuPrintSetup_Click();
    noPrinter.answerMessage(ui::OK);
    w->MnuPrint_Click();
    ui::setBackend(&ui);
    const auto boxes = noPrinter.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, kNoPrinter);
    EXPECT_EQ(boxes[0].icon, ui::Critical);
    EXPECT_EQ(boxes[1].caption, "Error in Print Setup");
    EXPECT_EQ(boxes[1].text, "No default printer\r\r(Error #20024)");
    EXPECT_EQ(boxes[1].icon, ui::NoIcon);
    EXPECT_EQ(boxes[2].text, kNoPrinter);
    EXPECT_TRUE(noPrinter.failures().isEmpty());
}

TEST_F(ScorecardCommandTest, ToolsAndHelpOpenTheirWindowsModally)
{
    bool optionsModal = false, graphModal = false, aboutModal = false;
    test::onNextModal([&](QWidget& modal) {
        optionsModal = &modal == formSlot<FormOptions>().existing();
        form<FormOptions>().CommandCancel_Click();
    });
    w->MnuToolsOptions->trigger();
    EXPECT_TRUE(optionsModal);
    EXPECT_FALSE(formSlot<FormOptions>().isLoaded());

    test::onNextModal([&](QWidget& modal) {
        graphModal = &modal == formSlot<FormGraphOptions>().existing();
        form<FormGraphOptions>().CommandCancel_Click();
    });
    w->MnuGraphOptions_Click();
    EXPECT_TRUE(graphModal);

    test::onNextModal([&](QWidget& modal) {
        aboutModal = &modal == formSlot<frmAbout>().existing();
        form<frmAbout>().cmdOK_Click();
    });
    w->MnuHelpAbout->trigger();
    EXPECT_TRUE(aboutModal);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ScorecardCommandTest, TheShortcutKeysInTheGridRunTheCommands)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QWidget& grid = book->grid();
    grid.setFocus();
    const int row = month::kpiRow(2);
    book->setSheetNumber(row, month::kTargetCol, 64);
    book->SelectBlock(row, month::kTargetCol, row, month::kTargetCol);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText().trimmed(), QString::fromStdString(book->SheetShownText(row, month::kTargetCol)));
    book->SelectBlock(row, month::kActualCol, row, month::kActualCol);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(book->SheetNumber(row, month::kActualCol), 64);
    EXPECT_EQ(historyActual(2), 64);
    EXPECT_EQ(w->CellEdit.valueEdit, 0);
    QTest::keyClick(&grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(book->SheetText(row, month::kActualCol), "");
    EXPECT_EQ(historyActual(2), 0);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ScorecardCommandTest, PasteSpecialIsCarriedAndKeepsTheCellEditable)
{
    const int row = month::kpiRow(4), col = month::kActualCol;
    book->SelectBlock(row, 4, row, 4);   // a locked cell of the template
    book->setSheetNumber(row, 4, 9);
    w->MnuCopy_Click();
    book->SelectBlock(row, col, row, col);
    test::onNextModal([](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
    w->MnuPasteSpecial_Click();
    EXPECT_NE(book->SheetNumber(row, col), 9);

    test::onNextModal([](QWidget& dialog) { static_cast<QDialog&>(dialog).accept(); });
    w->MnuPasteSpecial_Click();
    EXPECT_EQ(book->SheetNumber(row, col), 9);
    EXPECT_EQ(historyActual(4), 9);
    EXPECT_FALSE(book->book().CellFormatAt(kMonthView, row, col).locked);

    // The report opens its dialog only when something was copied.
    showReport();
    bool reportDialog = false;
    test::rejectNextDialog(w->reportspread, reportDialog);
    w->MnuPasteSpecial_Click();
    EXPECT_TRUE(reportDialog);
    EXPECT_TRUE(ui.messageBoxes().empty());
}
