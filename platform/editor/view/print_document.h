#pragma once
// Printing an editor window's document: laid out again at the page's width and cut
// between screen lines into pages. VekPrint reaches it through the handler that the
// first view registers with the library.
#include "platform/editor/model/editor.h"

class QPrinter;

namespace ks::editor::view {

// Paints the document onto printer, page after page. False when the printer cannot
// start (a PDF file that cannot be written); nothing is printed then.
bool printDocument(Editor& editor, QPrinter& printer);

// VekPrint's handler: the print dialog (set to a PDF file when the machine has no
// printer), then the pages. 1 when printed, 0 when cancelled or failed (the user is told;
// a PDF file chosen is replaced only by a whole new one).
int printWindow(HWND hWnd);

// Registers printWindow with the library; the first view does this.
void installPrintHandler();

}
