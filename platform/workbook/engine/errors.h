#pragma once
// Error numbers the workbook raises; callers branch on some of them.
#include "platform/runtime/runtime_error.h"

#include <string>

namespace ks::workbook {

enum ErrorNumber : int {
    kErrBadArgument = 20001,  // sheet, cell, object or option out of range
    kErrBadFormula = 20002,   // formula or reference text that does not parse
    kErrFileUnreadable = 20012,
    kErrFileWrite = 20013,
    kErrDialogCancelled = 20023,
    kErrNoPrinter = 20024,
    kErrCopyRefused = 20029,
    kErrLockedCell = 20030,   // a user change to a locked cell of a protected sheet
};

[[noreturn]] inline void raise(int number, const std::string& description)
{
    throw RuntimeError(number, description, "Workbook");
}

}
