#pragma once
// Error numbers the diagram control and its print preview raise.
#include "platform/runtime/runtime_error.h"

#include <string>

namespace ks::diagram {

enum ErrorNumber : int {
    kErrBadArgument = 5,   // a zoom, orientation, page or item that does not fit
    kErrPrinter = 482,     // the printer could not be opened or drawn on
};

[[noreturn]] inline void raiseError(int number, const std::string& description)
{
    throw RuntimeError(number, description, "Diagram");
}

}
