#pragma once
// Error numbers the chart control raises.
#include "platform/runtime/runtime_error.h"

#include <string>

namespace ks::chart {

enum ErrorNumber : int {
    kErrBadArgument = 5,   // a row, column, axis, position or format out of range
    kErrFileWrite = 75,    // the picture file could not be written
};

[[noreturn]] inline void raiseError(int number, const std::string& description)
{
    throw RuntimeError(number, description, "Chart");
}

}
