#include "platform/slides/design_writer.h"

#include "platform/slides/design_xml.h"
#include "platform/slides/opc.h"

namespace ks::slides {

namespace {
using namespace design_xml;

constexpr const char* kMaster = "ppt/slideMasters/slideMaster1.xml";
constexpr const char* kTitleLayout = "ppt/slideLayouts/slideLayout1.xml";
constexpr const char* kTextAndChartLayout = "ppt/slideLayouts/slideLayout2.xml";
constexpr const char* kTheme = "ppt/theme/theme1.xml";

void addPart(Design& design, const std::string& name, const char* type, std::string bytes,
             const std::vector<opc::Relationship>& relationships)
{
    design.parts[name] = {type, std::move(bytes)};
    design.parts[opc::relsPartName(name)] = {opc::kTypeRels, opc::relationshipsXml(relationships)};
}

opc::Relationship relationTo(const char* from, const char* id, const char* type, const char* to)
{
    return {id, type, opc::relativeTarget(from, to)};
}
}

DesignStyle plainStyle()
{
    DesignStyle style;
    style.name = "Plain";
    style.colours = {"000000", "FFFFFF", "333333", "EEEEEE", "4F6D8F", "7F7F7F", "A5A5A5",
                     "5F5F5F", "8FA9C4", "BFBFBF", "1F4E99", "6F4E8F"};
    style.headingFont = "Arial";
    style.bodyFont = "Arial";
    return style;
}

Design makeDesign(const DesignStyle& style)
{
    Design design;
    design.name = style.name;
    design.slideWidthEmu = toEmu(kSlideWidth);
    design.slideHeightEmu = toEmu(kSlideHeight);
    design.masterPart = kMaster;
    design.masterId = 2147483648u;
    design.themePart = kTheme;
    design.layouts[Layout::Title] = {kTitleLayout, {{"ctrTitle", std::nullopt, kCentredTitleBox},
                                                    {"subTitle", 1u, kSubtitleBox}}};
    design.layouts[Layout::TextAndChart] = {kTextAndChartLayout, {{"title", std::nullopt, kTitleBox},
                                                                  {"body", 1u, kTextBox},
                                                                  {"chart", 2u, kChartBox}}};

    addPart(design, kMaster, opc::kTypeSlideMaster, masterXml(style),
            {relationTo(kMaster, "rId1", opc::kRelSlideLayout, kTitleLayout),
             relationTo(kMaster, "rId2", opc::kRelSlideLayout, kTextAndChartLayout),
             relationTo(kMaster, "rId3", opc::kRelTheme, kTheme)});
    addPart(design, kTitleLayout, opc::kTypeSlideLayout, titleLayoutXml(style),
            {relationTo(kTitleLayout, "rId1", opc::kRelSlideMaster, kMaster)});
    addPart(design, kTextAndChartLayout, opc::kTypeSlideLayout, textAndChartLayoutXml(style),
            {relationTo(kTextAndChartLayout, "rId1", opc::kRelSlideMaster, kMaster)});
    design.parts[kTheme] = {opc::kTypeTheme, themeXml(style)};
    return design;
}

}
