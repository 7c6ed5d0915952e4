#pragma once
// Reads a design from a presentation template package (or any presentation package):
// its first slide master with everything that master reaches, its theme, and its
// title and text-and-chart layouts.
#include "platform/slides/design.h"

#include <string>

namespace ks::slides {

// Raises kErrFileNotFound for a missing file, kErrFileAccess for an unreadable one and
// kErrBadFileFormat for a package that is no presentation or lacks a layout we need.
Design readDesignTemplate(const std::string& path);

}
