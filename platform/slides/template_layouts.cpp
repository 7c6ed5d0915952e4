#include "platform/slides/template_layouts.h"

#include "platform/slides/xml_names.h"

#include <cstring>
#include <map>
#include <optional>

namespace ks::slides {

namespace {
struct FoundPlaceholder {
    PlaceholderSpec spec;
    bool placed = false;  // it has a position of its own
};

// Date, footer, slide number and header are not put on new slides.
bool addedToSlides(const std::string& type)
{
    return type != "dt" && type != "ftr" && type != "sldNum" && type != "hdr";
}

// The master placeholder a layout placeholder inherits from.
std::string masterKind(const std::string& type)
{
    return type == "title" || type == "ctrTitle" ? "title" : addedToSlides(type) ? "body" : type;
}

std::optional<Box> boxOf(const pugi::xml_node& shape)
{
    auto xfrm = childNamed(childNamed(shape, "spPr"), "xfrm");
    auto off = childNamed(xfrm, "off");
    auto ext = childNamed(xfrm, "ext");
    if (!off || !ext)
        return std::nullopt;
    return Box{toPoints(off.attribute("x").as_llong()), toPoints(off.attribute("y").as_llong()),
               toPoints(ext.attribute("cx").as_llong()), toPoints(ext.attribute("cy").as_llong())};
}

std::vector<FoundPlaceholder> placeholdersOf(const pugi::xml_document& doc)
{
    std::vector<FoundPlaceholder> out;
    auto tree = childNamed(childNamed(doc.document_element(), "cSld"), "spTree");
    for (auto shape : childrenNamed(tree, "sp")) {
        auto ph = childNamed(childNamed(childNamed(shape, "nvSpPr"), "nvPr"), "ph");
        if (!ph)
            continue;
        FoundPlaceholder found;
        found.spec.type = ph.attribute("type") ? ph.attribute("type").value() : "obj";
        if (ph.attribute("idx"))
            found.spec.idx = ph.attribute("idx").as_uint();
        auto box = boxOf(shape);
        found.placed = box.has_value();
        found.spec.box = box.value_or(Box{});
        out.push_back(found);
    }
    return out;
}

std::optional<Layout> kindOf(const pugi::xml_document& layout)
{
    std::string type = layout.document_element().attribute("type").value();
    if (type == layoutType(Layout::Title))
        return Layout::Title;
    if (type == layoutType(Layout::TextAndChart))
        return Layout::TextAndChart;
    return std::nullopt;
}

// The export writes to two shapes of a title slide and uses the third of a text-and-chart one.
std::size_t placeholdersNeeded(Layout kind) { return kind == Layout::Title ? 2 : 3; }
}

void addLayout(Design& design, const std::string& part, const pugi::xml_document& layout,
               const pugi::xml_document& master)
{
    auto kind = kindOf(layout);
    if (!kind || design.layouts.count(*kind))
        return;
    std::map<std::string, Box> masterBoxes;
    for (const auto& found : placeholdersOf(master))
        if (found.placed)
            masterBoxes.emplace(masterKind(found.spec.type), found.spec.box);
    LayoutSpec spec{part, {}};
    for (auto& found : placeholdersOf(layout)) {
        if (!addedToSlides(found.spec.type))
            continue;
        if (!found.placed)
            if (auto inherited = masterBoxes.find(masterKind(found.spec.type)); inherited != masterBoxes.end())
                found.spec.box = inherited->second;
        spec.placeholders.push_back(found.spec);
    }
    if (spec.placeholders.size() >= placeholdersNeeded(*kind))
        design.layouts[*kind] = std::move(spec);
}

}
