// Printing of the workbook control: the print, page-setup and printer-setup dialogs go
// through the ui layer; without a dialog a default printer is required. A printout to
// a PDF file replaces the file only when written whole.
#include "platform/printing/pdf_output.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/grid_view.h"
#include "platform/workbook/view/print_job.h"
#include "platform/workbook/view/workbook_control.h"

#include <QPrintPreviewDialog>
#include <QPrinterInfo>

namespace ks::workbook::view {

bool WorkbookControl::hasDefaultPrinter() const
{
    return !QPrinterInfo::defaultPrinterName().isEmpty();
}

void WorkbookControl::PrintBook(bool withDialog)
{
    grid_->commitEdit();
    applyPageSetup(*book_, *printer_);
    if (withDialog) {
        // The dialog also offers printing to a PDF file, so it needs no printer.
        if (!ui::backend().printDialog(*printer_, this))
            return;
    } else if (!hasDefaultPrinter() && printer_->outputFileName().isEmpty()) {
        workbook::raise(kErrNoPrinter, "No default printer");
    }
    // A PDF file is replaced only by a whole new one; a failed write keeps the old file.
    const files::Outcome printed = printing::printWhole(*printer_, [this] {
        printSheet(*book_, *printer_);
        return true;
    });
    if (!printed)
        workbook::raise(kErrNoPrinter, "The printout could not be written: " + printed.reason);
}

void WorkbookControl::PageSetupDialog()
{
    applyPageSetup(*book_, *printer_);
    if (ui::backend().pageSetupDialog(*printer_, this))
        keepOrientation();
}

// The orientation chosen in a set-up dialog is the sheet's from now on.
void WorkbookControl::keepOrientation()
{
    book_->setPrintLandscape(printer_->pageLayout().orientation() == QPageLayout::Landscape);
}

void WorkbookControl::SetRowBreaksAsPrinted()
{
    applyPageSetup(*book_, *printer_);
    const PageCut cut = cutPages(*book_, *printer_);
    for (const Block& page : cut.pages)
        if (page.row1 > cut.pages.front().row1)
            book_->SetRowPageBreak(page.row1);
}

void WorkbookControl::PrinterSetupDialog()
{
    // Choosing the printer without printing: the choice is kept for the next PrintBook.
    applyPageSetup(*book_, *printer_);
    if (ui::backend().printDialog(*printer_, this))
        keepOrientation();
}

void WorkbookControl::ShowPrintPreview()
{
    grid_->commitEdit();
    applyPageSetup(*book_, *printer_);
    QPrintPreviewDialog preview(printer_.get(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        try {
            printSheet(*book_, *printer);
        } catch (const RuntimeError& e) {
            ui::showFailure(e, {});   // under the application title
        }
    });
    preview.exec();
}

}
