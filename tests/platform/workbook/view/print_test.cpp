#include "control_fixture.h"

#include "platform/workbook/view/header_footer.h"
#include "platform/workbook/view/print_job.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>

using namespace ks;
using namespace ks::test;
using ks::workbook::view::expandHeaderFooter;
using ks::workbook::view::PageFields;
using ks::workbook::Block;

namespace {
int pdfPages(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QByteArray pdf = file.readAll();
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}
}

TEST(HeaderFooter, CodesFillTheSectionsWithPageNumbersAndSizes)
{
    PageFields fields;
    fields.page = 3;
    fields.pages = 5;
    fields.sheetName = "Report";
    auto s = expandHeaderFooter("&C &08 Report printed as at 1/2/2026, Page &P", fields);
    EXPECT_EQ(s[1].text, "Report printed as at 1/2/2026, Page 3");
    EXPECT_EQ(s[1].points, 8);
    EXPECT_TRUE(s[0].text.isEmpty());

    s = expandHeaderFooter("Report", fields);
    EXPECT_EQ(s[1].text, "Report");
    s = expandHeaderFooter("&L&BLeft&R&A &P of &N && more&Z", fields);
    EXPECT_EQ(s[0].text, "Left");
    EXPECT_TRUE(s[0].bold);
    EXPECT_EQ(s[2].text, "Report 3 of 5 & more&Z");
    EXPECT_EQ(expandHeaderFooter("&00 trailing &", fields)[1].text, "trailing &");
}

TEST_F(ControlTest, PrintingToAPdfFollowsPageBreaksScaleAndHeaderCodes)
{
    TempDir dir;
    for (int row = 1; row <= 60; ++row)
        control.setSheetNumber(row, 1, row);
    control.SelectBlock(1, 1, 60, 3);
    control.PrintRangeFromSelection();
    control.setPrintHeaderText("Report");
    control.setPrintFooterText("&C &08 Report printed as at today, Page &P");
    control.SetRowPageBreak(21);
    control.SetRowPageBreak(41);

    std::string pdf = dir.str() + "/breaks.pdf";
    ui.answerPrint(true, QString::fromStdString(pdf));
    control.PrintBook(true);
    EXPECT_EQ(pdfPages(pdf), 3);

    // Fit to one page tall and wide takes 400 rows onto a single page.
    for (int row = 61; row <= 400; ++row)
        control.setSheetNumber(row, 1, row);
    control.SelectBlock(1, 1, 400, 3);
    control.PrintRangeFromSelection();
    control.SetPrintScale(100, true, 1, 1);
    std::string fit = dir.str() + "/fit.pdf";
    ui.answerPrint(true, QString::fromStdString(fit));
    control.PrintBook(true);
    EXPECT_EQ(pdfPages(fit), 1);

    // At full size the same rows take several pages.
    control.SetPrintScale(100, false, 1, 1);
    std::string full = dir.str() + "/full.pdf";
    ui.answerPrint(true, QString::fromStdString(full));
    control.PrintBook(true);
    EXPECT_GT(pdfPages(full), 3);

    // A cancelled dialog prints nothing.
    std::string none = dir.str() + "/none.pdf";
    ui.answerPrint(false, QString::fromStdString(none));
    control.PrintBook(true);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(none)));
}

TEST_F(ControlTest, APrintoutCutShortByAFullDiskIsReportedAndKeepsThePreviousPdf)
{
    TempDir dir;
    for (int row = 1; row <= 200; ++row)
        control.setSheetNumber(row, 1, row);
    const std::string pdf = dir.str() + "/sheet.pdf";
    ui.answerPrint(true, QString::fromStdString(pdf));
    control.PrintBook(true);
    const int pages = pdfPages(pdf);
    ASSERT_GT(pages, 1);

    control.setSheetNumber(1, 1, 12345);
    ui.answerPrint(true, QString::fromStdString(pdf));
    try {
        FullDisk full(4096);
        control.PrintBook(true);
        FAIL() << "a printout cut short by the disk was taken for a success";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), workbook::kErrNoPrinter);
    }
    EXPECT_EQ(pdfPages(pdf), pages) << "the previous PDF is whole";
    EXPECT_EQ(folderListing(dir.str()), "sheet.pdf\n");
}

TEST_F(ControlTest, PrintingWithoutDialogNeedsADefaultPrinter)
{
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        GTEST_SKIP() << "this machine has a default printer";
    try {
        control.PrintBook(false);
        FAIL() << "printed without a printer";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), workbook::kErrNoPrinter);
    }
}

TEST(PrintPages, APageWithNothingOnItIsLeftOut)
{
    // Three pages down (manual breaks) and three across: only what is drawn decides.
    workbook::Book book;
    book.SelectBlock(1, 1, 120, 6);
    book.PrintRangeFromSelection();
    book.SetRowPageBreak(41);
    book.SetRowPageBreak(81);
    book.setColumnWidth(4, 200);   // wider than a page: columns 4 and 5..6 go onto pages of their own
    auto pages = [&] {
        workbook::view::SheetGeometry g;
        g.rebuild(book.data().sheets[0], book.data().styles);
        const QSizeF area(g.colLeft(4) - g.colLeft(1) + 1, 100000);
        std::vector<std::string> cut;
        for (const Block& b : workbook::view::cutPages(book, g, area).pages)
            cut.push_back(std::to_string(b.row1) + "-" + std::to_string(b.row2) + "/" + std::to_string(b.col1));
        return cut;
    };
    EXPECT_EQ(pages(), std::vector<std::string>{"1-40/1"}) << "an empty range still prints one page";

    book.setSheetText(5, 1, "Heading");
    book.setSheetText(100, 2, "Total");
    EXPECT_EQ(pages(), (std::vector<std::string>{"1-40/1", "81-120/1"}));

    // A fill or a border alone shows on paper; a text in a hidden row does not.
    book.SelectBlock(60, 5, 60, 5);
    book.SetSelectionPattern(1, 0xFFFF00, 0xFFFFFF);
    book.SelectBlock(30, 4, 30, 4);
    book.SetSelectionBorder(-1, 0, 0, 0, 1, 0, -1, 0, 0, 0, 0);
    book.setSheetText(90, 6, "hidden");
    book.setRowHiddenFlag(90, true);
    EXPECT_EQ(pages(), (std::vector<std::string>{"1-40/1", "81-120/1", "1-40/4", "41-80/5"}));
}

TEST(PrintPages, CutsKeepPicturesWholePreferBlankRowsAndMakeRoomForTheTitles)
{
    workbook::Book book;
    for (int row = 1; row <= 120; ++row)
        book.setSheetText(row, 1, "line " + std::to_string(row));
    book.SelectBlock(1, 1, 120, 4);
    book.PrintRangeFromSelection();
    book.AddPictureObject(2, 35, 4, 55, "", 7, 100, 100);   // rows 35 to 54
    workbook::view::SheetGeometry g;
    auto pages = [&] {
        g.rebuild(book.data().sheets[0], book.data().styles);
        const QSizeF area(g.colLeft(5) - g.colLeft(1), g.rowTop(41) - g.rowTop(1));   // 40 rows a page
        std::vector<std::string> cut;
        for (const Block& b : workbook::view::cutPages(book, g, area).pages)
            cut.push_back(std::to_string(b.row1) + "-" + std::to_string(b.row2));
        return cut;
    };
    EXPECT_EQ(pages(), (std::vector<std::string>{"1-34", "35-74", "75-114", "115-120"}))
        << "the first page ends above the picture";

    book.SetPrintTitles(2, 1);
    EXPECT_EQ(pages(), (std::vector<std::string>{"1-34", "35-72", "73-110", "111-120"}))
        << "each later page holds the two title rows too";

    book.setSheetText(60, 1, "");
    EXPECT_EQ(pages(), (std::vector<std::string>{"1-34", "35-60", "61-98", "99-120"}))
        << "a page ends after a blank row in its last half";

    // Fitted one page across, a manual break counts when the pages down are left open.
    book.SetRowPageBreak(90);
    book.SetPrintScale(100, true, 0, 1);
    EXPECT_EQ(pages(), (std::vector<std::string>{"1-34", "35-60", "61-89", "90-120"}));
    book.SetPrintScale(100, true, 4, 1);
    EXPECT_EQ(pages().size(), 4u);
    EXPECT_EQ(pages()[2], "61-98") << "fitted to a number of pages down, the break is not kept";
}

TEST(PrintPages, TextRunningOnPastTheLastColumnWidensThePrintout)
{
    workbook::Book book;
    book.setSheetText(1, 1, "short");
    book.setSheetText(2, 2, std::string(80, 'x'));
    book.SelectBlock(1, 1, 2, 2);
    book.PrintRangeFromSelection();
    book.SetPrintScale(100, true, 0, 1);
    workbook::view::SheetGeometry g;
    g.rebuild(book.data().sheets[0], book.data().styles);
    const double rangeWidth = g.colLeft(3) - g.colLeft(1);
    const workbook::view::PageCut cut = workbook::view::cutPages(book, g, QSizeF(rangeWidth * 1.5, 1000));
    EXPECT_GT(cut.runOnRight, rangeWidth * 0.5) << "the long text's run is measured";
    EXPECT_LT(cut.scale, 1.0) << "and fitted onto the page with the columns";
    EXPECT_NEAR((rangeWidth + cut.runOnRight) * cut.scale, rangeWidth * 1.5, 1.0);
}
