#pragma once
// Error numbers the presentation layer raises; the export reports any of them the same way.
#include "platform/runtime/runtime_error.h"

#include <string>

namespace ks::slides {

enum ErrorNumber : int {
    kErrBadArgument = 5,       // a layout, size or position that cannot be used
    kErrBadIndex = 9,          // a slide, shape or placeholder index outside its collection
    kErrFileNotFound = 53,     // a picture or design template that is not there
    kErrFileAccess = 75,       // a file that cannot be read or written
    kErrBadFileFormat = 321,   // not a JPEG picture, not a presentation template
};

[[noreturn]] inline void raise(int number, const std::string& description)
{
    throw RuntimeError(number, description, "Slides");
}

// Collections count from 1, as the presentation's callers do.
inline void checkIndex(const char* what, int index, int count)
{
    if (index < 1 || index > count)
        raise(kErrBadIndex, std::string(what) + " index " + std::to_string(index) + " is out of range (1 to " +
                                std::to_string(count) + ")");
}

}
