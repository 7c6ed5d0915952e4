#pragma once
// The print dialog over the program's current printer.
#include "platform/printing/dialog_records.h"

#include <cstdint>

class QWidget;

namespace ks::printing {

// Shows the print dialog, owned by owner, started from the current printer and its
// settings. When the user confirms, the chosen printer becomes the current printer
// and takes the chosen copies, duplex, orientation, paper size, quality, colour mode
// and paper source; when the user cancels nothing changes. flags is the dialog's flag
// word, kept in the records. True when confirmed.
bool ShowPrinter(QWidget* owner, std::int32_t& flags);

// What the last ShowPrinter handed to the dialog, or, once confirmed, what the
// dialog handed back.
const PrinterDialogRecords& LastPrinterDialog();

}
