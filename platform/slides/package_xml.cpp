#include "platform/slides/package_xml.h"

#include "platform/slides/opc.h"
#include "platform/slides/xml_text.h"

#include <ctime>
#include <pugixml.hpp>

namespace ks::slides {

namespace {
pugi::xml_node presentationRoot(pugi::xml_document& doc, const char* name)
{
    auto root = doc.append_child(name);
    root.append_attribute("xmlns:a") = opc::kNsA;
    root.append_attribute("xmlns:r") = opc::kNsR;
    root.append_attribute("xmlns:p") = opc::kNsP;
    return root;
}

std::string nowUtc()
{
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}
}

std::string presentationXml(const Design& design, const std::string& masterRelationshipId,
                            const std::vector<SlideEntry>& slides)
{
    pugi::xml_document doc;
    auto root = presentationRoot(doc, "p:presentation");
    root.append_attribute("saveSubsetFonts") = "1";
    auto master = root.append_child("p:sldMasterIdLst").append_child("p:sldMasterId");
    master.append_attribute("id") = design.masterId;
    master.append_attribute("r:id") = masterRelationshipId.c_str();
    if (!slides.empty()) {
        auto list = root.append_child("p:sldIdLst");
        for (const auto& slide : slides) {
            auto entry = list.append_child("p:sldId");
            entry.append_attribute("id") = slide.id;
            entry.append_attribute("r:id") = slide.relationshipId.c_str();
        }
    }
    auto size = root.append_child("p:sldSz");
    size.append_attribute("cx") = design.slideWidthEmu;
    size.append_attribute("cy") = design.slideHeightEmu;
    auto notes = root.append_child("p:notesSz");
    notes.append_attribute("cx") = 6858000;
    notes.append_attribute("cy") = 9144000;
    return xmlString(doc);
}

std::string presentationPropertiesXml()
{
    pugi::xml_document doc;
    presentationRoot(doc, "p:presentationPr");
    return xmlString(doc);
}

std::string viewPropertiesXml()
{
    // The normal view, with the slide list beside the slide.
    pugi::xml_document doc;
    auto normal = presentationRoot(doc, "p:viewPr").append_child("p:normalViewPr");
    normal.append_child("p:restoredLeft").append_attribute("sz") = 15620;
    normal.append_child("p:restoredTop").append_attribute("sz") = 94660;
    return xmlString(doc);
}

std::string tableStylesXml()
{
    pugi::xml_document doc;
    auto root = doc.append_child("a:tblStyleLst");
    root.append_attribute("xmlns:a") = opc::kNsA;
    root.append_attribute("def") = "{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}";
    return xmlString(doc);
}

std::string corePropertiesXml(const std::string& title)
{
    pugi::xml_document doc;
    auto root = doc.append_child("cp:coreProperties");
    root.append_attribute("xmlns:cp") = "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
    root.append_attribute("xmlns:dc") = "http://purl.org/dc/elements/1.1/";
    root.append_attribute("xmlns:dcterms") = "http://purl.org/dc/terms/";
    root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    root.append_child("dc:title").text() = title.c_str();
    std::string now = nowUtc();
    for (const char* name : {"dcterms:created", "dcterms:modified"}) {
        auto stamp = root.append_child(name);
        stamp.append_attribute("xsi:type") = "dcterms:W3CDTF";
        stamp.text() = now.c_str();
    }
    return xmlString(doc);
}

std::string appPropertiesXml(int slideCount)
{
    pugi::xml_document doc;
    auto root = doc.append_child("Properties");
    root.append_attribute("xmlns") = "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties";
    root.append_child("Application").text() = "Kestrune";
    root.append_child("Slides").text() = slideCount;
    return xmlString(doc);
}

std::string contentTypesXml(const std::map<std::string, PackagePart>& parts)
{
    pugi::xml_document doc;
    auto root = doc.append_child("Types");
    root.append_attribute("xmlns") = opc::kNsContentTypes;
    auto addDefault = [&](const char* extension, const char* type) {
        auto node = root.append_child("Default");
        node.append_attribute("Extension") = extension;
        node.append_attribute("ContentType") = type;
    };
    addDefault("rels", opc::kTypeRels);
    addDefault("xml", "application/xml");
    addDefault("jpeg", opc::kTypeJpeg);
    for (const auto& [name, part] : parts) {
        if (part.contentType == opc::kTypeRels)
            continue;
        auto node = root.append_child("Override");
        node.append_attribute("PartName") = ("/" + name).c_str();
        node.append_attribute("ContentType") = part.contentType.c_str();
    }
    return xmlString(doc);
}

}
