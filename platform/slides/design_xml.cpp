#include "platform/slides/design_xml.h"

#include "platform/slides/xml_text.h"

namespace ks::slides::design_xml {

const char* const kNamespaces = R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
                                R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
                                R"(xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main")";

std::string xfrm(const Box& box)
{
    return "<a:xfrm><a:off x=\"" + std::to_string(toEmu(box.left)) + "\" y=\"" + std::to_string(toEmu(box.top)) +
           "\"/><a:ext cx=\"" + std::to_string(toEmu(box.width)) + "\" cy=\"" + std::to_string(toEmu(box.height)) +
           "\"/></a:xfrm>";
}

std::string shapeTree(const std::string& shapes)
{
    return R"(<p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>)"
           R"(<p:grpSpPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="0" cy="0"/><a:chOff x="0" y="0"/>)"
           R"(<a:chExt cx="0" cy="0"/></a:xfrm></p:grpSpPr>)" +
           shapes + "</p:spTree>";
}

std::string schemeFill(const char* schemeColour)
{
    return std::string("<a:solidFill><a:schemeClr val=\"") + schemeColour + "\"/></a:solidFill>";
}

std::string filledRectangle(std::uint32_t id, const std::string& name, const Box& box, const char* schemeColour)
{
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + xmlEscape(name) +
           "\"/><p:cNvSpPr/><p:nvPr userDrawn=\"1\"/></p:nvSpPr><p:spPr>" + xfrm(box) +
           "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>" + schemeFill(schemeColour) +
           "<a:ln><a:noFill/></a:ln></p:spPr></p:sp>";
}

std::string placeholder(std::uint32_t id, const std::string& name, const char* type, std::optional<std::uint32_t> idx,
                        const Box& box, const std::string& bodyPr, const std::string& lstStyle)
{
    std::string ph = std::string("<p:ph type=\"") + type + "\"" +
                     (idx ? " idx=\"" + std::to_string(*idx) + "\"" : std::string()) + "/>";
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + xmlEscape(name) +
           "\"/><p:cNvSpPr><a:spLocks noGrp=\"1\"/></p:cNvSpPr><p:nvPr>" + ph + "</p:nvPr></p:nvSpPr><p:spPr>" +
           xfrm(box) + "</p:spPr><p:txBody>" + bodyPr + "<a:lstStyle>" + lstStyle +
           "</a:lstStyle><a:p><a:endParaRPr lang=\"en-GB\"/></a:p></p:txBody></p:sp>";
}

}
