#pragma once
// A design: the slide master, its layouts and theme as package parts, and what the
// presentation needs to know of them (slide size, the placeholders of each layout).
#include "platform/slides/geometry.h"
#include "platform/slides/layout.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ks::slides {

struct PackagePart {
    std::string contentType;
    std::string bytes;
};

// A placeholder as a layout declares it: "title", "ctrTitle", "subTitle", "body", "chart", ...
struct PlaceholderPattern {
    std::string type;
    std::optional<std::uint32_t> idx;
    Box box;
};

struct LayoutPattern {
    std::string partName;  // e.g. "ppt/slideLayouts/slideLayout1.xml"
    std::vector<PlaceholderPattern> placeholders;  // in the order slides get them
};

struct Design {
    std::string name;  // the theme's name
    std::int64_t slideWidthEmu = 0;
    std::int64_t slideHeightEmu = 0;
    std::string masterPart;
    std::uint32_t masterId = 0;
    std::string themePart;
    std::map<Layout, LayoutPattern> layouts;
    // Every part the master reaches (itself, layouts, theme, pictures, their .rels), by name.
    std::map<std::string, PackagePart> parts;
};

}
