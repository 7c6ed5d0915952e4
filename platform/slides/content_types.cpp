#include "platform/slides/content_types.h"

#include "platform/slides/errors.h"

#include <algorithm>
#include <pugixml.hpp>

namespace ks::slides {

namespace {
// Part names compare without regard to ASCII case.
std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}

ContentTypes ContentTypes::parse(const std::string& xml)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size()))
        raise(kErrBadFileFormat, "malformed content types");
    ContentTypes types;
    for (auto node : doc.document_element().children("Default"))
        types.defaults_[lower(node.attribute("Extension").value())] = node.attribute("ContentType").value();
    for (auto node : doc.document_element().children("Override")) {
        std::string name = node.attribute("PartName").value();
        if (!name.empty() && name[0] == '/')
            name.erase(0, 1);
        types.overrides_[lower(name)] = node.attribute("ContentType").value();
    }
    return types;
}

std::string ContentTypes::typeOf(const std::string& partName) const
{
    if (auto found = overrides_.find(lower(partName)); found != overrides_.end())
        return found->second;
    auto dot = partName.rfind('.');
    if (dot == std::string::npos)
        return {};
    auto found = defaults_.find(lower(partName.substr(dot + 1)));
    return found == defaults_.end() ? std::string() : found->second;
}

}
