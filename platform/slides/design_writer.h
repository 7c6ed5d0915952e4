#pragma once
// Builds a design's master, layouts and theme parts from a style. Every design it
// makes shares one geometry (a 4:3 slide of 720 x 540 points), so a presentation keeps
// its pictures where its placeholders were when the design changes.
#include "platform/slides/design.h"
#include "platform/slides/design_style.h"

namespace ks::slides {

Design makeDesign(const DesignStyle& style);

}
