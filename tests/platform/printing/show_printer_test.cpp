// The print dialog over the current printer, answered by the scripted ui.
#include "platform/printing/printers.h"
#include "platform/printing/show_printer.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::printing;

namespace {

class ShowPrinterTest : public testing::Test {
protected:
    void SetUp() override
    {
        Printer start(pdf("start.pdf"));
        start.setOrientation(kLandscape);
        start.setPaperSize(9);
        start.setCopies(1);
        start.setColorMode(kColour);
        SetCurrentPrinter(start);
    }
    QString pdf(const char* name) const { return QString::fromStdString((dir_.path() / name).string()); }

    test::TempDir dir_;
    test::ScriptedUi ui_;
};

}

TEST_F(ShowPrinterTest, CancellingChangesNothingAndSaysSo)
{
    ui_.answerPrint(false);
    std::int32_t flags = 0;
    EXPECT_FALSE(ShowPrinter(nullptr, flags));
    const Printer& current = CurrentPrinter();
    EXPECT_EQ(current.Port(), pdf("start.pdf"));
    EXPECT_EQ(current.Orientation(), kLandscape);
    EXPECT_EQ(current.PaperSize(), 9);
    EXPECT_EQ(current.Copies(), 1);
    ASSERT_EQ(ui_.records().size(), 1u);
    EXPECT_EQ(ui_.records()[0].kind, ui::ScriptedBackend::Kind::Print);
    // The dialog was started from the current printer.
    const PrinterDialogRecords& handed = LastPrinterDialog();
    EXPECT_EQ(handed.devMode.storedDeviceName(), kPdfDevice.toStdString());
    EXPECT_EQ(handed.devMode.dmFields, 4097u);
    EXPECT_EQ(handed.devMode.dmOrientation, kLandscape);
    EXPECT_EQ(handed.devMode.dmPaperSize, 9);
    EXPECT_EQ(handed.printDlg.lStructSize, 66u);
}

// The PDF file is the printer already current, so it is kept and takes the settings.
TEST_F(ShowPrinterTest, ConfirmingMakesTheChosenPrinterCurrentWithTheChosenSettings)
{
    const QString chosenFile = pdf("chosen.pdf");
    ui_.answerPrintWith([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosenFile);
        printer.setCopyCount(2);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageSize(QPageSize(QPageSize::A5));
        printer.setColorMode(QPrinter::GrayScale);
    });
    std::int32_t flags = 0x100000;
    EXPECT_TRUE(ShowPrinter(nullptr, flags));
    const Printer& current = CurrentPrinter();
    EXPECT_EQ(current.Port(), chosenFile);
    EXPECT_EQ(current.Copies(), 2);
    EXPECT_EQ(current.Orientation(), kPortrait);
    EXPECT_EQ(current.PaperSize(), 11);
    EXPECT_EQ(current.ColorMode(), kMonochrome);
    // What the dialog handed back is kept for a caller to read.
    const PrinterDialogRecords& back = LastPrinterDialog();
    EXPECT_EQ(back.printDlg.Flags, 0x100000u);
    EXPECT_EQ(back.devMode.dmCopies, 2);
    EXPECT_EQ(back.devMode.dmPaperSize, 11);
    EXPECT_EQ(back.devMode.dmColor, kMonochrome);
    EXPECT_EQ(back.devNames.text.substr(back.devNames.wOutputOffset - 8, chosenFile.size()), chosenFile.toStdString());
}

TEST_F(ShowPrinterTest, PrintingAfterwardsGoesToTheChosenFile)
{
    const QString chosenFile = pdf("out.pdf");
    ui_.answerPrint(true, chosenFile);
    std::int32_t flags = 0;
    ASSERT_TRUE(ShowPrinter(nullptr, flags));
    {
        QPainter painter(&CurrentPrinter().qprinter());
        painter.drawText(QPointF(100, 100), "Quarterly plan");
    }
    ASSERT_TRUE(QFileInfo::exists(chosenFile));
    EXPECT_FALSE(QFileInfo::exists(pdf("start.pdf")));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "no pdftotext to read the file with";
    QProcess read;
    read.start(pdftotext, {chosenFile, "-"});
    ASSERT_TRUE(read.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(read.readAllStandardOutput()).contains("Quarterly plan"));
}
