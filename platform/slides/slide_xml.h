#pragma once
// The XML of one slide part. The slide's pictures take the relationship ids
// rId2, rId3, ... in stacking order; rId1 is the slide's layout.
#include "platform/slides/slide.h"

#include <string>

namespace ks::slides {

std::string slideXml(const Slide& slide);
std::string pictureRelationshipId(int pictureOrdinal);  // 0 -> "rId2"

}
