#pragma once
// The package-level parts of a presentation: the presentation part, its property
// parts, the document properties and the content-type table.
#include "platform/slides/design.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ks::slides {

struct SlideEntry {
    std::uint32_t id;
    std::string relationshipId;
};

// No slide list at all when slides is empty (a template).
std::string presentationXml(const Design& design, const std::string& masterRelationshipId,
                            const std::vector<SlideEntry>& slides);
std::string presentationPropertiesXml();
std::string viewPropertiesXml();
std::string tableStylesXml();
std::string corePropertiesXml(const std::string& title);
std::string appPropertiesXml(int slideCount);
// Every part but the relationship parts gets its own override; JPEG and XML have defaults.
std::string contentTypesXml(const std::map<std::string, PackagePart>& parts);

}
