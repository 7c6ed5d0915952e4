#include "platform/slides/opc.h"

#include "platform/slides/errors.h"
#include "platform/slides/xml_text.h"

#include <pugixml.hpp>
#include <sstream>

namespace ks::slides::opc {

namespace {
std::string folderOf(const std::string& partName)
{
    auto slash = partName.rfind('/');
    return slash == std::string::npos ? std::string() : partName.substr(0, slash);
}

std::vector<std::string> segments(const std::string& path)
{
    std::vector<std::string> out;
    std::string piece;
    std::istringstream in(path);
    while (std::getline(in, piece, '/'))
        if (!piece.empty())
            out.push_back(piece);
    return out;
}
}

std::string relsPartName(const std::string& partName)
{
    auto slash = partName.rfind('/');
    if (slash == std::string::npos)
        return "_rels/" + partName + ".rels";
    return partName.substr(0, slash) + "/_rels/" + partName.substr(slash + 1) + ".rels";
}

std::string resolveTarget(const std::string& sourcePart, const std::string& target)
{
    std::vector<std::string> parts;
    if (target.empty() || target[0] != '/')
        parts = segments(folderOf(sourcePart));
    for (const auto& piece : segments(target)) {
        if (piece == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (piece != ".") {
            parts.push_back(piece);
        }
    }
    std::string out;
    for (const auto& piece : parts)
        out += (out.empty() ? "" : "/") + piece;
    return out;
}

std::string relativeTarget(const std::string& fromPart, const std::string& toPart)
{
    auto from = segments(folderOf(fromPart));
    auto to = segments(toPart);
    std::size_t common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common])
        ++common;
    std::string out;
    for (std::size_t i = common; i < from.size(); ++i)
        out += "../";
    for (std::size_t i = common; i < to.size(); ++i)
        out += to[i] + (i + 1 < to.size() ? "/" : "");
    return out;
}

std::string relationshipsXml(const std::vector<Relationship>& relationships)
{
    pugi::xml_document doc;
    auto root = doc.append_child("Relationships");
    root.append_attribute("xmlns") = kNsRels;
    for (const auto& rel : relationships) {
        auto node = root.append_child("Relationship");
        node.append_attribute("Id") = rel.id.c_str();
        node.append_attribute("Type") = rel.type.c_str();
        node.append_attribute("Target") = rel.target.c_str();
        if (rel.external)
            node.append_attribute("TargetMode") = "External";
    }
    return xmlString(doc);
}

std::vector<Relationship> parseRelationships(const std::string& xml)
{
    pugi::xml_document doc;
    std::vector<Relationship> out;
    if (!doc.load_buffer(xml.data(), xml.size()))
        raise(kErrBadFileFormat, "malformed relationships");
    for (auto node : doc.document_element().children("Relationship"))
        out.push_back({node.attribute("Id").value(), node.attribute("Type").value(),
                       node.attribute("Target").value(),
                       std::string(node.attribute("TargetMode").value()) == "External"});
    return out;
}

}
