// The printer object: settings in the device mode's numbering, refusals that change
// nothing, copies that keep the device, and the current printer without any installed.
#include "platform/printing/printers.h"
#include "platform/runtime/runtime_error.h"
#include "tests/support/qt_print.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::printing;

TEST(Printer, SettingsReadBackAsSet)
{
    Printer p("/tmp/unused.pdf");
    p.setCopies(3);
    p.setDuplex(kDuplexShortEdge);
    p.setOrientation(kLandscape);
    p.setPaperSize(5);   // legal
    p.setPrintQuality(kQualityDraft);
    p.setColorMode(kMonochrome);
    p.setPaperBin(4);    // manual feed
    EXPECT_EQ(p.Copies(), 3);
    EXPECT_EQ(p.Duplex(), kDuplexShortEdge);
    EXPECT_EQ(p.Orientation(), kLandscape);
    EXPECT_EQ(p.PaperSize(), 5);
    EXPECT_EQ(p.PrintQuality(), kQualityDraft);
    EXPECT_EQ(p.ColorMode(), kMonochrome);
    EXPECT_EQ(p.PaperBin(), 4);
    // The settings reach the device that drawing goes to.
    EXPECT_EQ(p.qprinter().copyCount(), 3);
    EXPECT_EQ(p.qprinter().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(p.qprinter().colorMode(), QPrinter::GrayScale);

    p.setPrintQuality(300);
    EXPECT_EQ(p.PrintQuality(), 300);
    EXPECT_EQ(p.qprinter().resolution(), 300);
}

TEST(Printer, WidthIsThePaperAcrossInTwips)
{
    Printer p;
    p.setPaperSize(1);   // letter: 8.5 by 11 inches
    p.setOrientation(kPortrait);
    EXPECT_EQ(p.Width(), 8.5 * 1440);
    p.setOrientation(kLandscape);
    EXPECT_EQ(p.Width(), 11 * 1440);
}

TEST(Printer, AValueTheDeviceModeDoesNotDefineIsRefusedAndChangesNothing)
{
    Printer p;
    p.setOrientation(kPortrait);
    p.setPaperSize(9);
    p.setCopies(2);
    const auto refused = [](auto set) {
        try {
            set();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(refused([&] { p.setOrientation(3); }), 380);
    EXPECT_EQ(refused([&] { p.setPaperSize(999); }), 380);
    EXPECT_EQ(refused([&] { p.setCopies(0); }), 380);
    EXPECT_EQ(refused([&] { p.setDuplex(4); }), 380);
    EXPECT_EQ(refused([&] { p.setPrintQuality(-5); }), 380);
    EXPECT_EQ(refused([&] { p.setPrintQuality(0); }), 380);
    EXPECT_EQ(refused([&] { p.setColorMode(0); }), 380);
    EXPECT_EQ(refused([&] { p.setPaperBin(12); }), 380);
    EXPECT_EQ(p.Orientation(), kPortrait);
    EXPECT_EQ(p.PaperSize(), 9);
    EXPECT_EQ(p.Copies(), 2);
}

TEST(Printer, ACopyKeepsTheDeviceAndItsSettingsButIsItsOwn)
{
    Printer p("/tmp/first.pdf");
    p.setCopies(4);
    p.setOrientation(kLandscape);
    p.setPaperSize(8);
    Printer copy(p);
    EXPECT_TRUE(copy.printsToFile());
    EXPECT_EQ(copy.DeviceName(), kPdfDevice);
    EXPECT_EQ(copy.Port(), "/tmp/first.pdf");
    EXPECT_EQ(copy.Copies(), 4);
    EXPECT_EQ(copy.Orientation(), kLandscape);
    EXPECT_EQ(copy.PaperSize(), 8);
    copy.setCopies(1);
    copy.setPdfFile("/tmp/second.pdf");
    EXPECT_EQ(p.Copies(), 4);
    EXPECT_EQ(p.Port(), "/tmp/first.pdf");
}

TEST(CurrentPrinter, WithoutAnInstalledPrinterIsAPdfFile)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed here";
    EXPECT_TRUE(Printers().empty());
    Printer& current = CurrentPrinter();
    EXPECT_TRUE(current.printsToFile());
    EXPECT_EQ(current.DeviceName(), kPdfDevice);
    EXPECT_TRUE(current.Port().endsWith(".pdf")) << current.Port().toStdString();
    EXPECT_EQ(current.qprinter().outputFormat(), QPrinter::PdfFormat);
}

TEST(CurrentPrinter, SettingItTakesTheDeviceAndSettings)
{
    Printer chosen("/tmp/chosen.pdf");
    chosen.setCopies(6);
    SetCurrentPrinter(chosen);
    EXPECT_EQ(CurrentPrinter().Port(), "/tmp/chosen.pdf");
    EXPECT_EQ(CurrentPrinter().Copies(), 6);
    chosen.setCopies(1);
    EXPECT_EQ(CurrentPrinter().Copies(), 6);
}

TEST(CurrentPrinter, ANameIsMatchedWithoutRegardToCaseAndTheLastMatchWins)
{
    const QStringList names{"Office", "Hall", "OFFICE", "Lab"};
    EXPECT_EQ(lastNamed(names, "office"), 2);
    EXPECT_EQ(lastNamed(names, "hall"), 1);
    EXPECT_EQ(lastNamed(names, "Basement"), -1);
    EXPECT_EQ(lastNamed({}, "Office"), -1);
}
