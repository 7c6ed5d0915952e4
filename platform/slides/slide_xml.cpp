#include "platform/slides/slide_xml.h"

#include "platform/slides/opc.h"
#include "platform/slides/xml_text.h"

#include <pugixml.hpp>

namespace ks::slides {

namespace {
void setNonVisual(pugi::xml_node properties, const Shape& shape)
{
    auto cNvPr = properties.append_child("p:cNvPr");
    cNvPr.append_attribute("id") = shape.id();
    cNvPr.append_attribute("name") = shape.name().c_str();
    if (shape.kind() == Shape::Kind::Picture)
        cNvPr.append_attribute("descr") = shape.pictureData().fileName.c_str();
}

void appendBox(pugi::xml_node spPr, const Box& box)
{
    auto xfrm = spPr.append_child("a:xfrm");
    auto off = xfrm.append_child("a:off");
    off.append_attribute("x") = toEmu(box.left);
    off.append_attribute("y") = toEmu(box.top);
    auto ext = xfrm.append_child("a:ext");
    ext.append_attribute("cx") = toEmu(box.width);
    ext.append_attribute("cy") = toEmu(box.height);
}

void appendText(pugi::xml_node shape, const Shape& source)
{
    auto body = shape.append_child("p:txBody");
    body.append_child("a:bodyPr");
    body.append_child("a:lstStyle");
    auto paragraphs = source.paragraphs();
    if (paragraphs.empty())
        paragraphs.emplace_back();
    for (const auto& text : paragraphs) {
        auto paragraph = body.append_child("a:p");
        if (!text.empty()) {
            auto run = paragraph.append_child("a:r");
            auto properties = run.append_child("a:rPr");
            properties.append_attribute("lang") = "en-GB";
            properties.append_attribute("dirty") = "0";
            run.append_child("a:t").text() = text.c_str();
        }
        paragraph.append_child("a:endParaRPr").append_attribute("lang") = "en-GB";
    }
}

void appendPlaceholder(pugi::xml_node tree, const Shape& shape)
{
    auto sp = tree.append_child("p:sp");
    auto nvSpPr = sp.append_child("p:nvSpPr");
    setNonVisual(nvSpPr, shape);
    nvSpPr.append_child("p:cNvSpPr").append_child("a:spLocks").append_attribute("noGrp") = "1";
    auto ph = nvSpPr.append_child("p:nvPr").append_child("p:ph");
    ph.append_attribute("type") = shape.placeholderType().c_str();
    if (shape.placeholderIdx())
        ph.append_attribute("idx") = *shape.placeholderIdx();
    appendBox(sp.append_child("p:spPr"), shape.box());
    appendText(sp, shape);
}

void appendPicture(pugi::xml_node tree, const Shape& shape, int ordinal)
{
    auto pic = tree.append_child("p:pic");
    auto nvPicPr = pic.append_child("p:nvPicPr");
    setNonVisual(nvPicPr, shape);
    nvPicPr.append_child("p:cNvPicPr").append_child("a:picLocks").append_attribute("noChangeAspect") = "1";
    nvPicPr.append_child("p:nvPr");
    auto fill = pic.append_child("p:blipFill");
    fill.append_child("a:blip").append_attribute("r:embed") = pictureRelationshipId(ordinal).c_str();
    fill.append_child("a:stretch").append_child("a:fillRect");
    auto spPr = pic.append_child("p:spPr");
    appendBox(spPr, shape.box());
    auto geometry = spPr.append_child("a:prstGeom");
    geometry.append_attribute("prst") = "rect";
    geometry.append_child("a:avLst");
}

void appendGroupHeader(pugi::xml_node tree)
{
    auto nv = tree.append_child("p:nvGrpSpPr");
    auto cNvPr = nv.append_child("p:cNvPr");
    cNvPr.append_attribute("id") = 1;
    cNvPr.append_attribute("name") = "";
    nv.append_child("p:cNvGrpSpPr");
    nv.append_child("p:nvPr");
    tree.append_child("p:grpSpPr");
}
}

std::string pictureRelationshipId(int pictureOrdinal) { return "rId" + std::to_string(pictureOrdinal + 2); }

std::string slideXml(const Slide& slide)
{
    pugi::xml_document doc;
    auto root = doc.append_child("p:sld");
    root.append_attribute("xmlns:a") = opc::kNsA;
    root.append_attribute("xmlns:r") = opc::kNsR;
    root.append_attribute("xmlns:p") = opc::kNsP;
    auto tree = root.append_child("p:cSld").append_child("p:spTree");
    appendGroupHeader(tree);
    int pictures = 0;
    for (int k = 1; k <= slide.shapeCount(); ++k) {
        const Shape& shape = slide.shape(k);
        if (shape.kind() == Shape::Kind::Picture)
            appendPicture(tree, shape, pictures++);
        else
            appendPlaceholder(tree, shape);
    }
    root.append_child("p:clrMapOvr").append_child("a:masterClrMapping");
    return xmlString(doc);
}

}
