#include "platform/workbook/engine/base64.h"
#include "platform/workbook/engine/native_file.h"

#include <charconv>
#include <pugixml.hpp>
#include <sstream>

namespace ks::workbook {

namespace {
std::string num(double v)
{
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, end);
}

std::string blockText(const Block& b)
{
    return std::to_string(b.row1) + " " + std::to_string(b.col1) + " " + std::to_string(b.row2) + " " +
           std::to_string(b.col2);
}

std::string anchorText(const Anchor& a)
{
    return num(a.left) + " " + num(a.top) + " " + num(a.right) + " " + num(a.bottom);
}

template <class Set>
std::string listText(const Set& values)
{
    std::string out;
    for (int v : values)
        out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

void writeStyle(pugi::xml_node node, const CellFormat& f)
{
    node.append_attribute("numberFormat") = f.numberFormat.c_str();
    node.append_attribute("hAlign") = static_cast<int>(f.hAlign);
    node.append_attribute("vAlign") = static_cast<int>(f.vAlign);
    node.append_attribute("wrap") = f.wrap;
    node.append_attribute("orientation") = f.orientation;
    node.append_attribute("font") = f.font.name.c_str();
    node.append_attribute("size") = num(f.font.size).c_str();
    node.append_attribute("bold") = f.font.bold;
    node.append_attribute("italic") = f.font.italic;
    node.append_attribute("underline") = f.font.underline;
    node.append_attribute("color") = f.font.color;
    node.append_attribute("pattern") = f.pattern.pattern;
    node.append_attribute("fg") = f.pattern.foreground;
    node.append_attribute("bg") = f.pattern.background;
    const Borders& b = f.borders;
    std::ostringstream borders;
    borders << b.left << ' ' << b.right << ' ' << b.top << ' ' << b.bottom << ' ' << b.shade << ' ' << b.leftColor
            << ' ' << b.rightColor << ' ' << b.topColor << ' ' << b.bottomColor;
    node.append_attribute("borders") = borders.str().c_str();
    node.append_attribute("locked") = f.locked;
    node.append_attribute("hidden") = f.hidden;
}

void writeCell(pugi::xml_node cells, int r, int c, const Cell& cell, const SheetNames& names)
{
    pugi::xml_node node = cells.append_child("c");
    node.append_attribute("r") = r;
    node.append_attribute("c") = c;
    if (cell.style)
        node.append_attribute("s") = cell.style;
    if (cell.formula) {
        node.append_attribute("f") = printFormula(*cell.formula, names).c_str();
        return;
    }
    const Value& v = cell.value;
    switch (v.type) {
    case ValueType::Empty: break;
    case ValueType::Number: node.append_attribute("t") = "n"; node.append_attribute("v") = num(v.number).c_str(); break;
    case ValueType::Text: node.append_attribute("t") = "s"; node.append_attribute("v") = v.text.c_str(); break;
    case ValueType::Boolean: node.append_attribute("t") = "b"; node.append_attribute("v") = v.number != 0; break;
    case ValueType::Error: node.append_attribute("t") = "e"; node.append_attribute("v") = errorText(v.error).c_str(); break;
    }
}

void writeObjects(pugi::xml_node node, const Sheet& sheet)
{
    for (const ListObject& list : sheet.lists) {
        pugi::xml_node l = node.append_child("list");
        l.append_attribute("id") = list.id;
        l.append_attribute("name") = list.name.c_str();
        l.append_attribute("anchor") = anchorText(list.anchor).c_str();
        l.append_attribute("selection") = list.selection;
        if (list.source)
            l.append_attribute("source") = blockText(*list.source).c_str();
        if (list.linkedCell)
            l.append_attribute("link") = (std::to_string(list.linkedCell->row) + " " + std::to_string(list.linkedCell->col)).c_str();
        for (const std::string& item : list.items)
            l.append_child("item").text() = item.c_str();
    }
    for (const PictureObject& picture : sheet.pictures) {
        pugi::xml_node p = node.append_child("picture");
        p.append_attribute("id") = picture.id;
        p.append_attribute("anchor") = anchorText(picture.anchor).c_str();
        p.append_attribute("mapping") = picture.mappingMode;
        p.append_attribute("width") = num(picture.width).c_str();
        p.append_attribute("height") = num(picture.height).c_str();
        p.text() = base64Encode(picture.data).c_str();
    }
}

void writeSheet(pugi::xml_node node, const Sheet& sheet, const SheetNames& names)
{
    node.append_attribute("name") = sheet.name.c_str();
    node.append_attribute("protected") = sheet.isProtected;
    node.append_attribute("cursor") = (std::to_string(sheet.cursor.row) + " " + std::to_string(sheet.cursor.col)).c_str();
    node.append_attribute("selection") = blockText(sheet.selection).c_str();
    pugi::xml_node print = node.append_child("print");
    if (sheet.print.range)
        print.append_attribute("range") = blockText(*sheet.print.range).c_str();
    print.append_attribute("header") = sheet.print.header.c_str();
    print.append_attribute("footer") = sheet.print.footer.c_str();
    print.append_attribute("scale") = sheet.print.scale;
    print.append_attribute("fit") = sheet.print.fitToPages;
    print.append_attribute("tall") = sheet.print.pagesTall;
    print.append_attribute("wide") = sheet.print.pagesWide;
    print.append_attribute("landscape") = sheet.print.landscape;
    print.append_attribute("titleRows") = sheet.print.titleRows;
    print.append_attribute("titleColumns") = sheet.print.titleColumns;
    print.append_attribute("rowBreaks") = listText(sheet.rowBreaks).c_str();
    print.append_attribute("columnBreaks") = listText(sheet.columnBreaks).c_str();
    pugi::xml_node rows = node.append_child("rows");
    rows.append_attribute("hidden") = listText(sheet.hiddenRows).c_str();
    for (const auto& [row, height] : sheet.rowHeights) {
        pugi::xml_node r = rows.append_child("row");
        r.append_attribute("r") = row;
        r.append_attribute("height") = num(height).c_str();
    }
    pugi::xml_node cols = node.append_child("columns");
    for (const auto& [col, width] : sheet.columnWidths) {
        pugi::xml_node c = cols.append_child("column");
        c.append_attribute("c") = col;
        c.append_attribute("width") = num(width).c_str();
    }
    pugi::xml_node cells = node.append_child("cells");
    sheet.forEachCell([&](int r, int c, const Cell& cell) { writeCell(cells, r, c, cell, names); });
    writeObjects(node.append_child("objects"), sheet);
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
};
}

std::string writeNativeXml(const BookData& book)
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("workbook");
    root.append_attribute("version") = kNativeFormatVersion;
    root.append_attribute("current") = book.currentSheet + 1;
    root.append_attribute("nextObjectId") = book.nextObjectId;
    pugi::xml_node styles = root.append_child("styles");
    for (std::size_t i = 0; i < book.styles.size(); ++i)
        writeStyle(styles.append_child("style"), book.styles.at(static_cast<std::uint32_t>(i)));
    pugi::xml_node names = root.append_child("names");
    for (const auto& [key, defined] : book.names) {
        pugi::xml_node n = names.append_child("name");
        n.append_attribute("name") = defined.name.c_str();
        for (const Area& area : defined.areas) {
            pugi::xml_node a = n.append_child("area");
            a.append_attribute("sheet") = area.sheet + 1;
            a.append_attribute("block") = blockText(area.block).c_str();
        }
    }
    SheetNames sheetNames = book.sheetNames();
    for (const Sheet& sheet : book.sheets)
        writeSheet(root.append_child("sheet"), sheet, sheetNames);
    StringWriter writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.out;
}

}
