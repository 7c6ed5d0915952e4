// The slide master and the two layouts of a design built from a style.
#include "platform/slides/design_xml.h"

namespace ks::slides::design_xml {

namespace {
const char* const kColourMap =
    R"(<p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" accent3="accent3" )"
    R"(accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink"/>)";

const char* titleColour(const DesignStyle& style) { return style.titleBands ? "bg1" : "tx1"; }

std::string runDefaults(int hundredthsOfPoint, const char* colour, const char* font, bool bold = false)
{
    return "<a:defRPr sz=\"" + std::to_string(hundredthsOfPoint) + "\"" + (bold ? " b=\"1\"" : "") +
           " kern=\"1200\">" + schemeFill(colour) + "<a:latin typeface=\"" + font + "\"/></a:defRPr>";
}

std::string bulletLevel(int level, int marginEmu, int size, const char* bullet)
{
    std::string tag = "a:lvl" + std::to_string(level) + "pPr";
    return "<" + tag + " marL=\"" + std::to_string(marginEmu) + "\" indent=\"-285750\" algn=\"l\">" +
           "<a:spcBef><a:spcPts val=\"600\"/></a:spcBef><a:buClr><a:schemeClr val=\"accent1\"/></a:buClr>"
           "<a:buFont typeface=\"Arial\"/><a:buChar char=\"" + bullet + "\"/>" +
           runDefaults(size, "tx1", "+mn-lt") + "</" + tag + ">";
}

std::string textStyles(const DesignStyle& style)
{
    return "<p:txStyles><p:titleStyle><a:lvl1pPr algn=\"l\"><a:spcBef><a:spcPct val=\"0\"/></a:spcBef><a:buNone/>" +
           runDefaults(3200, titleColour(style), "+mj-lt", style.titleBands) +
           "</a:lvl1pPr></p:titleStyle><p:bodyStyle>" + bulletLevel(1, 342900, 2400, "\xE2\x80\xA2") +
           bulletLevel(2, 742950, 2000, "\xE2\x80\x93") + bulletLevel(3, 1143000, 1800, "\xE2\x80\xA2") +
           "</p:bodyStyle><p:otherStyle><a:lvl1pPr>" + runDefaults(1800, "tx1", "+mn-lt") +
           "</a:lvl1pPr></p:otherStyle></p:txStyles>";
}

std::string layoutXml(const char* type, const char* name, bool showMaster, const std::string& shapes)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + "\n<p:sldLayout " +
           kNamespaces + " type=\"" + type + "\" preserve=\"1\"" + (showMaster ? "" : " showMasterSp=\"0\"") +
           "><p:cSld name=\"" + name + "\">" + shapeTree(shapes) +
           "</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";
}

const char* const kNoBullets = R"(<a:lvl1pPr marL="0" indent="0" algn="ctr"><a:buNone/>)";
}

std::string masterXml(const DesignStyle& style)
{
    std::string shapes;
    if (style.titleBands)
        shapes += filledRectangle(2, "Title Band", kMasterBand, "tx2") +
                  filledRectangle(3, "Title Rule", kMasterRule, "accent2") +
                  filledRectangle(4, "Footer Rule", kFooterRule, "accent1");
    shapes += placeholder(5, "Title Placeholder 1", "title", std::nullopt, kTitleBox,
                          R"(<a:bodyPr vert="horz" lIns="91440" tIns="45720" rIns="91440" bIns="45720" anchor="ctr">)"
                          R"(<a:normAutofit/></a:bodyPr>)",
                          "");
    shapes += placeholder(6, "Text Placeholder 2", "body", 1u, kBodyBox,
                          R"(<a:bodyPr vert="horz" lIns="91440" tIns="45720" rIns="91440" bIns="45720">)"
                          R"(<a:normAutofit/></a:bodyPr>)",
                          "");
    return std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + "\n<p:sldMaster " +
           kNamespaces + "><p:cSld><p:bg><p:bgPr>" + schemeFill("bg1") + "<a:effectLst/></p:bgPr></p:bg>" +
           shapeTree(shapes) + "</p:cSld>" + kColourMap +
           R"(<p:sldLayoutIdLst><p:sldLayoutId id="2147483649" r:id="rId1"/>)"
           R"(<p:sldLayoutId id="2147483650" r:id="rId2"/></p:sldLayoutIdLst>)" +
           textStyles(style) + "</p:sldMaster>";
}

std::string titleLayoutXml(const DesignStyle& style)
{
    std::string shapes;
    if (style.titleBands)
        shapes += filledRectangle(2, "Title Band", kTitleSlideBand, "tx2") +
                  filledRectangle(3, "Title Rule", kTitleSlideRule, "accent2");
    shapes += placeholder(4, "Title 1", "ctrTitle", std::nullopt, kCentredTitleBox, R"(<a:bodyPr anchor="ctr"/>)",
                          R"(<a:lvl1pPr algn="ctr">)" + runDefaults(4000, titleColour(style), "+mj-lt", true) +
                              "</a:lvl1pPr>");
    shapes += placeholder(5, "Subtitle 2", "subTitle", 1u, kSubtitleBox, R"(<a:bodyPr anchor="t"/>)",
                          kNoBullets + runDefaults(2400, style.titleBands ? "tx2" : "tx1", "+mn-lt") + "</a:lvl1pPr>");
    return layoutXml("title", "Title Slide", !style.titleBands, shapes);
}

std::string textAndChartLayoutXml(const DesignStyle& style)
{
    std::string shapes = placeholder(2, "Title 1", "title", std::nullopt, kTitleBox, "<a:bodyPr/>", "") +
                         placeholder(3, "Text Placeholder 2", "body", 1u, kTextBox, "<a:bodyPr/>",
                                     R"(<a:lvl1pPr>)" + runDefaults(2000, "tx1", "+mn-lt") + "</a:lvl1pPr>") +
                         placeholder(4, "Chart Placeholder 3", "chart", 2u, kChartBox, "<a:bodyPr/>", "");
    return layoutXml("txAndChart", "Title, Text, and Chart", true, shapes);
}

}
