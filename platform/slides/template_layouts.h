#pragma once
// The layouts of a template's master that the presentation uses, with the place of
// each placeholder (its own, or else the master's for its kind).
#include "platform/slides/design.h"

#include <map>
#include <pugixml.hpp>
#include <string>

namespace ks::slides {

// Picks, for each of our layouts, the template's layout that serves best: one of the
// same type, else a close one (a title and text, two content areas) with enough
// placeholders. The others stay in the design as parts only.
class LayoutChooser {
public:
    explicit LayoutChooser(const pugi::xml_document& master);
    void consider(const std::string& part, const pugi::xml_document& layout);
    // Sets design.layouts; false when one of ours has no layout to serve it.
    bool chooseInto(Design& design) const;

private:
    std::map<std::string, Box> masterBoxes_;
    std::map<Layout, std::pair<std::size_t, LayoutPattern>> best_;  // rank, layout
};

}
