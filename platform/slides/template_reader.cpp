#include "platform/slides/template_reader.h"

#include "platform/slides/content_types.h"
#include "platform/slides/errors.h"
#include "platform/slides/opc.h"
#include "platform/slides/template_layouts.h"
#include "platform/slides/xml_names.h"
#include "platform/slides/zip_archive.h"

#include <deque>
#include <set>

namespace ks::slides {

namespace {
constexpr std::size_t kMaxParts = 2000;
constexpr std::size_t kMaxDesignBytes = 256u << 20;

// Part names our own package writer uses; a design part under one of them would clash.
bool reservedName(const std::string& name)
{
    return name.rfind("ppt/slides/", 0) == 0 || name.rfind("docProps/", 0) == 0 || name == "ppt/presentation.xml" ||
           name == "ppt/presProps.xml" || name == "ppt/viewProps.xml" || name == "ppt/tableStyles.xml" ||
           name.rfind("ppt/media/slidepicture", 0) == 0;
}

class TemplatePackage {
public:
    explicit TemplatePackage(const std::string& path) : path_(path), zip_(path)
    {
        types_ = guarded([&] { return ContentTypes::parse(zip_.read("[Content_Types].xml")); });
    }

    [[noreturn]] void fail(const std::string& why) const
    {
        raise(kErrBadFileFormat, "Cannot apply the design template \"" + path_ + "\": " + why);
    }

    std::string read(const std::string& part) const { return zip_.read(part); }
    std::string typeOf(const std::string& part) const { return types_.typeOf(part); }

    pugi::xml_document parse(const std::string& part) const
    {
        std::string bytes = read(part);
        pugi::xml_document doc;
        if (!doc.load_buffer(bytes.data(), bytes.size()))
            fail("the part " + part + " is not well-formed XML");
        return doc;
    }

    std::vector<opc::Relationship> relationshipsOf(const std::string& part) const
    {
        std::string rels = opc::relsPartName(part);
        if (!zip_.has(rels))
            return {};
        return guarded([&] { return opc::parseRelationships(read(rels)); });
    }

    // The part a relationship of source leads to, found by id or by type.
    std::string target(const std::string& source, const char* type, const std::string& id = {}) const
    {
        for (const auto& rel : relationshipsOf(source))
            if (!rel.external && (id.empty() ? rel.type == type : rel.id == id))
                return opc::resolveTarget(source, rel.target);
        return {};
    }

private:
    template <class Body>
    auto guarded(Body&& body) const -> decltype(body())
    {
        try {
            return body();
        } catch (const RuntimeError& e) {
            fail(e.description());
        }
    }

    std::string path_;
    ZipReader zip_;
    ContentTypes types_;
};

std::string mainPart(const TemplatePackage& package)
{
    std::string main = package.target("", opc::kRelOfficeDocument);
    std::string type = package.typeOf(main);
    if (main.empty() || (type != opc::kTypeTemplate && type != opc::kTypePresentation && type != opc::kTypeSlideshow))
        package.fail("it is not a presentation template");
    return main;
}

// Copies the master and every part it reaches, with their relationships, into the design.
void collectParts(const TemplatePackage& package, Design& design)
{
    std::deque<std::string> pending{design.masterPart};
    std::set<std::string> seen{design.masterPart};
    std::size_t total = 0;
    while (!pending.empty()) {
        std::string part = pending.front();
        pending.pop_front();
        std::string type = package.typeOf(part);
        if (type.empty() || reservedName(part) || design.parts.size() >= kMaxParts)
            package.fail("the part " + part + " cannot be taken over");
        design.parts[part] = {type, package.read(part)};
        total += design.parts[part].bytes.size();
        if (total > kMaxDesignBytes)
            package.fail("its design is too large");
        auto relationships = package.relationshipsOf(part);
        if (!relationships.empty())
            design.parts[opc::relsPartName(part)] = {opc::kTypeRels, package.read(opc::relsPartName(part))};
        for (const auto& rel : relationships) {
            std::string target = opc::resolveTarget(part, rel.target);
            if (!rel.external && rel.type != opc::kRelSlide && seen.insert(target).second)
                pending.push_back(target);
        }
    }
}

void readMaster(const TemplatePackage& package, const std::string& main, Design& design)
{
    auto doc = package.parse(main);
    auto presentation = doc.document_element();
    auto masterId = childNamed(childNamed(presentation, "sldMasterIdLst"), "sldMasterId");
    design.masterPart = package.target(main, opc::kRelSlideMaster, relationshipId(masterId));
    // The master's number in the presentation: its "id" attribute, not the relationship's r:id.
    design.masterId = masterId.attribute("id").as_uint(2147483648u);
    if (design.masterPart.empty())
        package.fail("it has no slide master");
    auto size = childNamed(presentation, "sldSz");
    design.slideWidthEmu = size.attribute("cx").as_llong(9144000);
    design.slideHeightEmu = size.attribute("cy").as_llong(6858000);
    if (design.slideWidthEmu <= 0 || design.slideHeightEmu <= 0)
        package.fail("its slide size is invalid");
}

void readTheme(const TemplatePackage& package, Design& design)
{
    design.themePart = package.target(design.masterPart, opc::kRelTheme);
    if (design.themePart.empty() || !design.parts.count(design.themePart))
        package.fail("its slide master has no theme");
    auto doc = package.parse(design.themePart);
    design.name = doc.document_element().attribute("name").value();
}
}

Design readDesignTemplate(const std::string& path)
{
    TemplatePackage package(path);
    Design design;
    readMaster(package, mainPart(package), design);
    collectParts(package, design);
    readTheme(package, design);
    LayoutChooser chooser(package.parse(design.masterPart));
    for (const auto& rel : package.relationshipsOf(design.masterPart)) {
        if (rel.type != opc::kRelSlideLayout)
            continue;
        std::string part = opc::resolveTarget(design.masterPart, rel.target);
        chooser.consider(part, package.parse(part));
    }
    if (!chooser.chooseInto(design))
        package.fail("it has no slide layout for a title slide or for a slide with text and a chart");
    return design;
}

}
