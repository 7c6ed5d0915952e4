#pragma once
// Finding elements by local name, whatever prefix a package's writer chose for them.
#include <pugixml.hpp>

#include <cstring>
#include <vector>

namespace ks::slides {

inline const char* localName(const pugi::xml_node& node)
{
    const char* name = node.name();
    const char* colon = std::strchr(name, ':');
    return colon ? colon + 1 : name;
}

inline pugi::xml_node childNamed(const pugi::xml_node& node, const char* local)
{
    for (auto child : node.children())
        if (std::strcmp(localName(child), local) == 0)
            return child;
    return {};
}

inline std::vector<pugi::xml_node> childrenNamed(const pugi::xml_node& node, const char* local)
{
    std::vector<pugi::xml_node> out;
    for (auto child : node.children())
        if (std::strcmp(localName(child), local) == 0)
            out.push_back(child);
    return out;
}

// The value of "<prefix>:id", the relationship id of an element such as sldMasterId.
inline const char* relationshipId(const pugi::xml_node& node)
{
    for (auto attribute : node.attributes()) {
        const char* colon = std::strchr(attribute.name(), ':');
        if (colon && std::strcmp(colon + 1, "id") == 0)
            return attribute.value();
    }
    return "";
}

}
