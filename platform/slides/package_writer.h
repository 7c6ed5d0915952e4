#pragma once
// Writes a design and slides as a presentation package (.pptx), or a design alone as
// a presentation template package.
#include "platform/slides/design.h"
#include "platform/slides/slide.h"

#include <string>
#include <vector>

namespace ks::slides {

// Both write atomically and raise kErrFileAccess when the file cannot be written.
void writePresentationPackage(const std::string& path, const Design& design, const std::vector<const Slide*>& slides);
void writeTemplatePackage(const std::string& path, const Design& design);

}
