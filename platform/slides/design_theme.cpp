// The theme part of a design built from a style: colours, fonts, plain fills and lines.
#include "platform/slides/design_xml.h"

#include "platform/slides/xml_text.h"

namespace ks::slides::design_xml {

namespace {
std::string colour(const char* slot, const std::string& rgb)
{
    return std::string("<a:") + slot + "><a:srgbClr val=\"" + rgb + "\"/></a:" + slot + ">";
}

std::string colourScheme(const DesignStyle& style)
{
    const ThemeColours& c = style.colours;
    return "<a:clrScheme name=\"" + xmlEscape(style.name) + "\">" + colour("dk1", c.dark1) +
           colour("lt1", c.light1) + colour("dk2", c.dark2) + colour("lt2", c.light2) + colour("accent1", c.accent1) +
           colour("accent2", c.accent2) + colour("accent3", c.accent3) + colour("accent4", c.accent4) +
           colour("accent5", c.accent5) + colour("accent6", c.accent6) + colour("hlink", c.hyperlink) +
           colour("folHlink", c.followedHyperlink) + "</a:clrScheme>";
}

std::string fonts(const char* tag, const std::string& typeface)
{
    return std::string("<a:") + tag + "><a:latin typeface=\"" + xmlEscape(typeface) +
           "\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/></a:" + tag + ">";
}

std::string threeTimes(const std::string& element) { return element + element + element; }

std::string formatScheme(const DesignStyle& style)
{
    const std::string fill = schemeFill("phClr");
    auto line = [&](int width) {
        return "<a:ln w=\"" + std::to_string(width) + "\" cap=\"flat\" cmpd=\"sng\" algn=\"ctr\">" + fill +
               "<a:prstDash val=\"solid\"/></a:ln>";
    };
    return "<a:fmtScheme name=\"" + xmlEscape(style.name) + "\"><a:fillStyleLst>" + threeTimes(fill) +
           "</a:fillStyleLst><a:lnStyleLst>" + line(9525) + line(25400) + line(38100) +
           "</a:lnStyleLst><a:effectStyleLst>" + threeTimes("<a:effectStyle><a:effectLst/></a:effectStyle>") +
           "</a:effectStyleLst><a:bgFillStyleLst>" + threeTimes(fill) + "</a:bgFillStyleLst></a:fmtScheme>";
}
}

std::string themeXml(const DesignStyle& style)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
           "\n<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"" +
           xmlEscape(style.name) + "\"><a:themeElements>" + colourScheme(style) + "<a:fontScheme name=\"" +
           xmlEscape(style.name) + "\">" + fonts("majorFont", style.headingFont) + fonts("minorFont", style.bodyFont) +
           "</a:fontScheme>" + formatScheme(style) +
           "</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>";
}

}
