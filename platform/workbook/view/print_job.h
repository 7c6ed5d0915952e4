#pragma once
// Prints the current sheet: its print range (the used cells when none is set), cut into
// pages by the page size, the scale or fit-to-pages setting and the page breaks, pages
// taken down first and then across, each with its header, footer and print titles. A
// page of the range without anything on it is not printed. Automatic cuts fall between
// pictures and between texts running on, unless one is larger than the page.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/view/sheet_geometry.h"

#include <QSizeF>
#include <vector>

class QPrinter;

namespace ks::workbook::view {

struct PageCut {
    double scale = 1;          // sheet pixels to page space
    std::vector<Block> pages;  // in printing order, without the print titles
    int runOnRight = 0;        // sheet pixels that texts run on past the range's last column
};

// Cuts the range into pages whose cell area is `area` (in 96-dpi pixels), leaving out the
// pages that would show nothing.
PageCut cutPages(const Book& book, const SheetGeometry& geometry, const QSizeF& area);
// The same for the pages of a printer.
PageCut cutPages(const Book& book, const QPrinter& printer);

// Gives the printer the book's page orientation, before a print or page-setup dialog.
void applyPageSetup(const Book& book, QPrinter& printer);

// Prints on a printer whose painter the caller has not begun; returns the page count.
// Raises 20024 when the printer cannot be started.
int printSheet(const Book& book, QPrinter& printer);

}
