#pragma once
// Writes a design of ours as a presentation template package that applyTemplate reads.
#include "platform/slides/design_style.h"

#include <string>

namespace ks::slides {

// Atomic; raises kErrFileAccess when the file cannot be written.
void writeDesignTemplate(const std::string& path, const DesignStyle& style);

}
