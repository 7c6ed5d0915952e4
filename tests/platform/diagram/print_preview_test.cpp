#include "platform/diagram/diagram_control.h"
#include "platform/diagram/diagram_errors.h"
#include "platform/diagram/print_preview.h"

#include "tests/support/file_faults.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/qt_print.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

namespace ks::diagram {
namespace {

class PrintPreviewTest : public ::testing::Test {
protected:
    PrintPreviewTest()
    {
        // Three boxes in a row, 30000 twips wide: more than a page across.
        Node& first = diagram.AddNode(QRectF(0, 0, 3000, 1500), "Plan");
        Node& second = diagram.AddNode(QRectF(13500, 9000, 3000, 1500), "Build");
        Node& third = diagram.AddNode(QRectF(27000, 18000, 3000, 1500), "Review");
        diagram.AddLink(first, second);
        diagram.AddLink(second, third);
        preview.setDiagram(&diagram);
    }

    QString pdfPath(const char* name) const { return QString::fromStdString(dir.str()) + "/" + name; }

    // Prints the preview to a PDF file and returns its path.
    QString printToPdf(const char* name)
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath(name));
        preview.Print(printer);
        EXPECT_FALSE(printer.fullPage()) << "the printer's own setting is put back";
        return pdfPath(name);
    }

    test::TempDir dir;
    DiagramControl diagram;
    PrintPreview preview;
};

TEST_F(PrintPreviewTest, FreshPreviewHasTheDesignDefaults)
{
    EXPECT_EQ(preview.Header(), "");
    EXPECT_EQ(preview.Footer(), "|<PAGE>|");
    EXPECT_EQ(preview.Orientation(), 1);
    EXPECT_FALSE(preview.FitToPage());
    EXPECT_EQ(preview.Zoom(), 100);
    EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST_F(PrintPreviewTest, PagesFollowFitOrientationAndTheDiagramsZoom)
{
    preview.Refresh();
    const int across = preview.PagesAcross(), down = preview.PagesDown();
    EXPECT_GT(across, 1);
    EXPECT_GT(down, 1);
    EXPECT_EQ(preview.PageCount(), across * down);

    preview.setOrientation(2);
    EXPECT_EQ(preview.PagesAcross(), across);   // nothing moves until laid out again
    preview.Refresh();
    EXPECT_LE(preview.PagesAcross(), across);
    EXPECT_GE(preview.PagesDown(), down - 1);

    diagram.setXZoom(25);
    diagram.setYZoom(25);
    preview.Refresh();
    EXPECT_EQ(preview.PageCount(), 1);

    diagram.setXZoom(100);
    diagram.setYZoom(100);
    preview.setFitToPage(true);
    preview.Refresh();
    EXPECT_EQ(preview.PagesAcross(), 1);
    EXPECT_EQ(preview.PagesDown(), 1);
}

TEST_F(PrintPreviewTest, PagesTurnWithinTheLayoutAndStayInItWhenItShrinks)
{
    preview.Refresh();
    const int pages = preview.PageCount();
    preview.PreviousPage();
    EXPECT_EQ(preview.CurrentPage(), 1);
    for (int i = 0; i < pages + 2; ++i)
        preview.NextPage();
    EXPECT_EQ(preview.CurrentPage(), pages);
    preview.setFitToPage(true);
    preview.Refresh();
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_THROW(preview.setCurrentPage(2), RuntimeError);
    EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST_F(PrintPreviewTest, BadZoomsAndOrientationsAreRefusedAndChangeNothing)
{
    preview.setZoom(75);   // a zoom outside the usual list is fine
    EXPECT_EQ(preview.Zoom(), 75);
    EXPECT_THROW(preview.setZoom(5), RuntimeError);
    EXPECT_THROW(preview.setZoom(401), RuntimeError);
    EXPECT_EQ(preview.Zoom(), 75);
    EXPECT_THROW(preview.setOrientation(3), RuntimeError);
    EXPECT_EQ(preview.Orientation(), 1);
}

TEST_F(PrintPreviewTest, FitToOnePagePrintsOnePageWithHeaderAndFooter)
{
    if (!test::havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    preview.setFitToPage(true);
    preview.setHeader("Quarter plan||Draft");
    preview.setFooter("|Page <PAGE>|");
    preview.setTitle("Process map");
    preview.Refresh();
    const QString pdf = printToPdf("fit.pdf");
    ASSERT_EQ(test::pdfPageCount(pdf), 1);
    const QString text = test::pdfPageText(pdf, 1);
    EXPECT_TRUE(text.contains("Quarter plan")) << text.toStdString();
    EXPECT_TRUE(text.contains("Draft")) << text.toStdString();
    EXPECT_TRUE(text.contains("Page 1")) << text.toStdString();
    for (const char* box : {"Plan", "Build", "Review"})
        EXPECT_TRUE(text.contains(box)) << box;
    EXPECT_EQ(test::pdfInfo(pdf, "Title"), "Process map");
}

TEST_F(PrintPreviewTest, TwoByTwoPagesPrintEachPartOfTheDiagramOnItsOwnPage)
{
    if (!test::havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    // Zoom the diagram so it covers just over one page each way.
    preview.setOrientation(2);
    preview.Refresh();
    diagram.setXZoom(60);
    diagram.setYZoom(60);
    preview.setFooter("|<PAGE>|Footer text");
    preview.Refresh();
    ASSERT_EQ(preview.PagesAcross(), 2);
    ASSERT_EQ(preview.PagesDown(), 2);
    const QString pdf = printToPdf("pages.pdf");
    ASSERT_EQ(test::pdfPageCount(pdf), 4);
    for (int page = 1; page <= 4; ++page) {
        const QString text = test::pdfPageText(pdf, page);
        EXPECT_TRUE(text.contains("Footer text")) << "page " << page;
        EXPECT_TRUE(text.contains(QString::number(page))) << "page " << page;
    }
    // Pages run across first: the first box top left, the last bottom right.
    EXPECT_TRUE(test::pdfPageText(pdf, 1).contains("Plan"));
    EXPECT_FALSE(test::pdfPageText(pdf, 1).contains("Review"));
    EXPECT_TRUE(test::pdfPageText(pdf, 4).contains("Review"));
    EXPECT_FALSE(test::pdfPageText(pdf, 4).contains("Plan"));
    // Printing lays out on the printer's paper but leaves the preview as it was.
    EXPECT_EQ(preview.PageCount(), 4);
}

TEST_F(PrintPreviewTest, APrinterThatCannotBeWrittenIsReportedAndTheOldFileIsKept)
{
    dir.write("kept.pdf", "an older file");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath("no such folder/out.pdf"));
    try {
        preview.Print(printer);
        FAIL() << "printing into a missing folder succeeded";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kErrPrinter);
    }
    EXPECT_EQ(dir.read("kept.pdf"), "an older file");

    // A disk that fills up half way: reported, the older file whole, no temporary left.
    printer.setOutputFileName(pdfPath("kept.pdf"));
    {
        test::FullDisk full(4096);
        EXPECT_THROW(preview.Print(printer), RuntimeError) << "a printout cut short is not a success";
    }
    EXPECT_EQ(dir.read("kept.pdf"), "an older file");
    EXPECT_EQ(test::folderListing(dir.str()), "kept.pdf\n");
    EXPECT_EQ(printer.outputFileName(), pdfPath("kept.pdf")) << "the printer keeps the file chosen";
}

TEST_F(PrintPreviewTest, ADiagramThatGoesAwayLeavesEmptyPages)
{
    auto* passing = new DiagramControl;
    passing->AddNode(QRectF(0, 0, 90000, 1000));
    preview.setDiagram(passing);
    delete passing;
    preview.Refresh();
    EXPECT_EQ(preview.PageCount(), 1);
    EXPECT_EQ(preview.Diagram(), nullptr);
}

}
}
