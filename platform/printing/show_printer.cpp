#include "platform/printing/show_printer.h"

#include "platform/printing/printers.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/ui.h"

#include <QPageLayout>
#include <QPrinter>
#include <QWidget>
#include <functional>

namespace ks::printing {
namespace {

PrinterDialogRecords& records()
{
    static PrinterDialogRecords last;
    return last;
}

std::string ansi(const QString& text) { return text.toLatin1().toStdString(); }

// The device mode the dialog is started with: name, orientation, paper and duplex.
DevMode startingDevMode(const Printer& printer)
{
    DevMode mode;
    mode.dmDeviceName = ansi(printer.DeviceName());
    mode.dmFields = DevMode::kOrientationField | DevMode::kDuplexField;
    mode.dmOrientation = std::int16_t(printer.Orientation());
    mode.dmPaperSize = std::int16_t(printer.PaperSize());
    mode.dmDuplex = std::int16_t(printer.Duplex());
    return mode;
}

// The device mode the dialog hands back: everything it lets the user choose.
DevMode chosenDevMode(const Printer& printer)
{
    DevMode mode = startingDevMode(printer);
    mode.dmCopies = std::int16_t(printer.Copies());
    mode.dmDefaultSource = std::int16_t(printer.PaperBin());
    mode.dmPrintQuality = std::int16_t(printer.PrintQuality());
    mode.dmColor = std::int16_t(printer.ColorMode());
    return mode;
}

DevNames devNamesOf(const Printer& printer)
{
    return DevNames::of(ansi(printer.DriverName()), ansi(printer.DeviceName()), ansi(printer.Port()));
}

// A setting the printer refuses is left as it was; the others still go through.
void ignoringFailure(const std::function<void()>& step)
{
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

// The chosen printer becomes current: the installed one of that name (the last
// match), or the file the dialog chose.
void makeCurrent(const Printer& chosen)
{
    Printer& current = CurrentPrinter();
    if (current.DeviceName().compare(chosen.DeviceName(), Qt::CaseInsensitive) == 0)
        return;
    if (chosen.printsToFile()) {
        SetCurrentPrinter(chosen);
        return;
    }
    const std::vector<Printer> installed = Printers();
    QStringList names;
    for (const Printer& printer : installed)
        names << printer.DeviceName();
    const int match = lastNamed(names, chosen.DeviceName());
    SetCurrentPrinter(match >= 0 ? installed[std::size_t(match)] : chosen);
}

void copySettings(const Printer& chosen, const DevMode& mode)
{
    Printer& current = CurrentPrinter();
    ignoringFailure([&] { current.setCopies(mode.dmCopies); });
    ignoringFailure([&] { current.setDuplex(mode.dmDuplex); });
    ignoringFailure([&] { current.setOrientation(mode.dmOrientation); });
    // A size without a device-mode number is taken as the dialog left it.
    if (mode.dmPaperSize != 0)
        ignoringFailure([&] { current.setPaperSize(mode.dmPaperSize); });
    else
        current.qprinter().setPageSize(chosen.qprinter().pageLayout().pageSize());
    ignoringFailure([&] { current.setPrintQuality(mode.dmPrintQuality); });
    ignoringFailure([&] { current.setColorMode(mode.dmColor); });
    ignoringFailure([&] { current.setPaperBin(mode.dmDefaultSource); });
    if (chosen.printsToFile())
        current.setPdfFile(chosen.Port());
}

}

bool ShowPrinter(QWidget* owner, std::int32_t& flags)
{
    PrinterDialogRecords& last = records();
    last.printDlg = PrintDlg{};
    last.printDlg.hwndOwner = owner ? std::uint32_t(owner->effectiveWinId()) : 0;
    last.printDlg.Flags = std::uint32_t(flags);
    const Printer& current = CurrentPrinter();
    last.devMode = startingDevMode(current);
    last.devNames = devNamesOf(current);

    // The dialog works on a copy, so a cancelled one leaves the current printer as it was.
    Printer chosen(current);
    if (!ui::backend().printDialog(chosen.qprinter(), owner))
        return false;
    last.devMode = chosenDevMode(chosen);
    last.devNames = devNamesOf(chosen);
    makeCurrent(chosen);
    copySettings(chosen, last.devMode);
    return true;
}

const PrinterDialogRecords& LastPrinterDialog() { return records(); }

}
