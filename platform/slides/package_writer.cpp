#include "platform/slides/package_writer.h"

#include "platform/slides/opc.h"
#include "platform/slides/package_xml.h"
#include "platform/slides/slide_xml.h"
#include "platform/slides/zip_archive.h"

#include <map>

namespace ks::slides {

namespace {
using opc::Relationship;

struct Package {
    std::map<std::string, PackagePart> parts;
    std::map<std::string, std::shared_ptr<const std::string>> media;  // slide pictures, by part name

    void add(const std::string& name, const char* type, std::string bytes) { parts[name] = {type, std::move(bytes)}; }
    void addRelationships(const std::string& source, const std::vector<Relationship>& relationships)
    {
        parts[opc::relsPartName(source)] = {opc::kTypeRels, opc::relationshipsXml(relationships)};
    }
};

constexpr const char* kMain = "ppt/presentation.xml";

std::string freeMediaName(const Design& design, int& counter)
{
    std::string name;
    do
        name = "ppt/media/slidepicture" + std::to_string(++counter) + ".jpeg";
    while (design.parts.count(name));
    return name;
}

// Adds the slide part, its relationships and its pictures; returns the slide's part name.
std::string addSlide(Package& package, const Design& design, const Slide& slide, int number, int& pictureCounter)
{
    std::string name = "ppt/slides/slide" + std::to_string(number) + ".xml";
    std::vector<Relationship> relationships{
        {"rId1", opc::kRelSlideLayout, opc::relativeTarget(name, design.layouts.at(slide.layout()).partName)}};
    int ordinal = 0;
    for (int k = 1; k <= slide.shapeCount(); ++k) {
        const Shape& shape = slide.shape(k);
        if (shape.kind() != Shape::Kind::Picture)
            continue;
        std::string media = freeMediaName(design, pictureCounter);
        package.media[media] = shape.pictureData().bytes;
        relationships.push_back({pictureRelationshipId(ordinal++), opc::kRelImage, opc::relativeTarget(name, media)});
    }
    package.add(name, opc::kTypeSlide, slideXml(slide));
    package.addRelationships(name, relationships);
    return name;
}

void addFrame(Package& package, const Design& design, const std::vector<const Slide*>& slides, bool asTemplate)
{
    std::vector<Relationship> mainRelationships{
        {"rId1", opc::kRelSlideMaster, opc::relativeTarget(kMain, design.masterPart)},
        {"rId2", opc::kRelTheme, opc::relativeTarget(kMain, design.themePart)},
        {"rId3", opc::kRelPresProps, "presProps.xml"},
        {"rId4", opc::kRelViewProps, "viewProps.xml"},
        {"rId5", opc::kRelTableStyles, "tableStyles.xml"}};
    std::vector<SlideEntry> entries;
    int pictureCounter = 0;
    for (std::size_t i = 0; i < slides.size(); ++i) {
        std::string part = addSlide(package, design, *slides[i], static_cast<int>(i) + 1, pictureCounter);
        std::string id = "rId" + std::to_string(i + 6);
        mainRelationships.push_back({id, opc::kRelSlide, opc::relativeTarget(kMain, part)});
        entries.push_back({slides[i]->id(), id});
    }
    package.add(kMain, asTemplate ? opc::kTypeTemplate : opc::kTypePresentation,
                presentationXml(design, "rId1", entries));
    package.addRelationships(kMain, mainRelationships);
    package.add("ppt/presProps.xml", opc::kTypePresProps, presentationPropertiesXml());
    package.add("ppt/viewProps.xml", opc::kTypeViewProps, viewPropertiesXml());
    package.add("ppt/tableStyles.xml", opc::kTypeTableStyles, tableStylesXml());
    std::string title = slides.empty() || slides[0]->shapeCount() == 0 ? design.name : slides[0]->shape(1).text();
    package.add("docProps/core.xml", opc::kTypeCore, corePropertiesXml(title));
    package.add("docProps/app.xml", opc::kTypeExtended, appPropertiesXml(static_cast<int>(slides.size())));
    package.addRelationships("", {{"rId1", opc::kRelOfficeDocument, kMain},
                                  {"rId2", opc::kRelCoreProperties, "docProps/core.xml"},
                                  {"rId3", opc::kRelExtendedProperties, "docProps/app.xml"}});
}

void write(const std::string& path, const Design& design, const std::vector<const Slide*>& slides, bool asTemplate)
{
    Package package;
    package.parts = design.parts;
    addFrame(package, design, slides, asTemplate);
    std::string contentTypes = contentTypesXml(package.parts);
    std::vector<ZipEntry> entries{{"[Content_Types].xml", &contentTypes}};
    const std::string& rootRels = package.parts.at("_rels/.rels").bytes;
    entries.push_back({"_rels/.rels", &rootRels});
    for (const auto& [name, part] : package.parts)
        if (name != "_rels/.rels")
            entries.push_back({name, &part.bytes});
    for (const auto& [name, bytes] : package.media)
        entries.push_back({name, bytes.get(), true});
    writeZipFile(path, entries);
}
}

void writePresentationPackage(const std::string& path, const Design& design, const std::vector<const Slide*>& slides)
{
    write(path, design, slides, false);
}

void writeTemplatePackage(const std::string& path, const Design& design) { write(path, design, {}, true); }

}
