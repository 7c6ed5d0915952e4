#include "platform/slides/template_layouts.h"

#include "platform/slides/xml_names.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace ks::slides {

namespace {
struct FoundPlaceholder {
    PlaceholderPattern pattern;
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
        found.pattern.type = ph.attribute("type") ? ph.attribute("type").value() : "obj";
        if (ph.attribute("idx"))
            found.pattern.idx = ph.attribute("idx").as_uint();
        auto box = boxOf(shape);
        found.placed = box.has_value();
        found.pattern.box = box.value_or(Box{});
        out.push_back(found);
    }
    return out;
}

// Layout types that can stand in for ours, best first.
const std::vector<std::string>& standIns(Layout kind)
{
    static const std::vector<std::string> title{"title", "tx", "obj"};
    static const std::vector<std::string> textAndChart{"txAndChart", "chartAndTx", "txAndObj", "objAndTx", "twoObj"};
    return kind == Layout::Title ? title : textAndChart;
}

// The export writes to two shapes of a title slide and uses the third of a text-and-chart one.
std::size_t placeholdersNeeded(Layout kind) { return kind == Layout::Title ? 2 : 3; }
}

LayoutChooser::LayoutChooser(const pugi::xml_document& master)
{
    for (const auto& found : placeholdersOf(master))
        if (found.placed)
            masterBoxes_.emplace(masterKind(found.pattern.type), found.pattern.box);
}

void LayoutChooser::consider(const std::string& part, const pugi::xml_document& layout)
{
    std::string type = layout.document_element().attribute("type").as_string("cust");
    LayoutPattern pattern{part, {}};
    for (auto& found : placeholdersOf(layout)) {
        if (!addedToSlides(found.pattern.type))
            continue;
        if (!found.placed)
            if (auto inherited = masterBoxes_.find(masterKind(found.pattern.type)); inherited != masterBoxes_.end())
                found.pattern.box = inherited->second;
        pattern.placeholders.push_back(found.pattern);
    }
    for (Layout kind : {Layout::Title, Layout::TextAndChart}) {
        const auto& types = standIns(kind);
        auto rank = static_cast<std::size_t>(std::find(types.begin(), types.end(), type) - types.begin());
        auto best = best_.find(kind);
        if (rank < types.size() && pattern.placeholders.size() >= placeholdersNeeded(kind) &&
            (best == best_.end() || rank < best->second.first))
            best_[kind] = {rank, pattern};
    }
}

bool LayoutChooser::chooseInto(Design& design) const
{
    for (const auto& [kind, choice] : best_)
        design.layouts[kind] = choice.second;
    return best_.size() == 2;
}

}
