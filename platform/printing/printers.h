#pragma once
// The program's current printer, which drawing and printing go to, and the list of
// installed printers it can be replaced by. With no printer installed the current
// printer writes a PDF file. Nothing here changes which printer the system itself
// takes as its default.
#include "platform/printing/printer.h"

#include <QStringList>
#include <vector>

namespace ks::printing {

// The installed printers, in the order the system lists them.
std::vector<Printer> Printers();

// The current printer: at first the system's default printer, else the first
// installed one, else a PDF file in the user's documents folder named after the program.
Printer& CurrentPrinter();
void SetCurrentPrinter(const Printer& printer);

// The index of the last of names that equals name without regard to case; -1 when none does.
int lastNamed(const QStringList& names, const QString& name);

}
