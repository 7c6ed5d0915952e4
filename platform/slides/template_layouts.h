#pragma once
// The layouts of a template's master that the presentation uses, with the place of
// each placeholder (its own, or else the master's for its kind).
#include "platform/slides/design.h"

#include <pugixml.hpp>
#include <string>

namespace ks::slides {

// Adds the layout part to design.layouts when it is the first usable title or
// text-and-chart layout; others are kept as parts only.
void addLayout(Design& design, const std::string& part, const pugi::xml_document& layout,
               const pugi::xml_document& master);

}
