#pragma once
// The package conventions of an Office Open XML presentation: content types,
// relationship types, where a part's relationships live and how targets resolve.
#include <string>
#include <vector>

namespace ks::slides::opc {

inline constexpr const char* kNsRels = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kNsContentTypes = "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* kNsA = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kNsR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kNsP = "http://schemas.openxmlformats.org/presentationml/2006/main";

inline constexpr const char* kRelOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kRelCoreProperties =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
inline constexpr const char* kRelExtendedProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
inline constexpr const char* kRelSlideMaster =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideMaster";
inline constexpr const char* kRelSlideLayout =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout";
inline constexpr const char* kRelSlide = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
inline constexpr const char* kRelTheme = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";
inline constexpr const char* kRelImage = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
inline constexpr const char* kRelPresProps =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/presProps";
inline constexpr const char* kRelViewProps =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/viewProps";
inline constexpr const char* kRelTableStyles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/tableStyles";

inline constexpr const char* kTypeRels = "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr const char* kTypePresentation =
    "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";
inline constexpr const char* kTypeTemplate =
    "application/vnd.openxmlformats-officedocument.presentationml.template.main+xml";
inline constexpr const char* kTypeSlideshow =
    "application/vnd.openxmlformats-officedocument.presentationml.slideshow.main+xml";
inline constexpr const char* kTypeSlide = "application/vnd.openxmlformats-officedocument.presentationml.slide+xml";
inline constexpr const char* kTypeSlideMaster =
    "application/vnd.openxmlformats-officedocument.presentationml.slideMaster+xml";
inline constexpr const char* kTypeSlideLayout =
    "application/vnd.openxmlformats-officedocument.presentationml.slideLayout+xml";
inline constexpr const char* kTypeTheme = "application/vnd.openxmlformats-officedocument.theme+xml";
inline constexpr const char* kTypePresProps =
    "application/vnd.openxmlformats-officedocument.presentationml.presProps+xml";
inline constexpr const char* kTypeViewProps =
    "application/vnd.openxmlformats-officedocument.presentationml.viewProps+xml";
inline constexpr const char* kTypeTableStyles =
    "application/vnd.openxmlformats-officedocument.presentationml.tableStyles+xml";
inline constexpr const char* kTypeCore = "application/vnd.openxmlformats-package.core-properties+xml";
inline constexpr const char* kTypeExtended =
    "application/vnd.openxmlformats-officedocument.extended-properties+xml";
inline constexpr const char* kTypeJpeg = "image/jpeg";

struct Relationship {
    std::string id;
    std::string type;
    std::string target;  // relative to the source part's folder
    bool external = false;
};

// "ppt/slides/slide1.xml" -> "ppt/slides/_rels/slide1.xml.rels"; "" (the package) -> "_rels/.rels".
std::string relsPartName(const std::string& partName);
// A relationship target resolved against its source part: a part name without a leading "/".
std::string resolveTarget(const std::string& sourcePart, const std::string& target);
// The target that reaches toPart from fromPart, as a relative path.
std::string relativeTarget(const std::string& fromPart, const std::string& toPart);

std::string relationshipsXml(const std::vector<Relationship>& relationships);
std::vector<Relationship> parseRelationships(const std::string& xml);

}
