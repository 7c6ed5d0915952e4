#include "platform/workbook/engine/base64.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/formula_shapes.h"
#include "platform/workbook/engine/native_file.h"

#include <charconv>
#include <cmath>
#include <pugixml.hpp>
#include <sstream>

namespace ks::workbook {

namespace {
constexpr std::size_t kMaxStyles = 1'000'000;
constexpr std::size_t kMaxPictureBytes = 64u << 20;

[[noreturn]] void damaged(const std::string& what)
{
    raise(kErrFileUnreadable, "The file is not a workbook or is damaged (" + what + ")");
}

long long integer(const char* text, long long lo, long long hi, const char* what)
{
    long long v = 0;
    std::string_view s(text);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi)
        damaged(what);
    return v;
}

int intValue(pugi::xml_attribute a, int fallback, long long lo, long long hi, const char* what)
{
    return a ? static_cast<int>(integer(a.value(), lo, hi, what)) : fallback;
}

int intAttr(pugi::xml_node n, const char* name, int fallback, long long lo, long long hi)
{
    return intValue(n.attribute(name), fallback, lo, hi, name);
}

bool boolAttr(pugi::xml_node n, const char* name, bool fallback)
{
    pugi::xml_attribute a = n.attribute(name);
    if (!a)
        return fallback;
    std::string_view v = a.value();
    if (v != "true" && v != "false")
        damaged(name);
    return v == "true";
}

double real(const char* text, const char* what)
{
    double v = 0;
    std::string_view s(text);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        damaged(what);
    return v;
}

std::vector<long long> numbers(const char* text, std::size_t count, long long lo, long long hi, const char* what)
{
    std::vector<long long> out;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        out.push_back(integer(word.c_str(), lo, hi, what));
    if (count && out.size() != count)
        damaged(what);
    return out;
}

Block block(const char* text, const char* what)
{
    auto v = numbers(text, 4, 1, kMaxRows, what);
    Block b{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    if (!validCell(b.row1, b.col1) || !validCell(b.row2, b.col2) || b.row1 > b.row2 || b.col1 > b.col2)
        damaged(what);
    return b;
}

Anchor anchor(const char* text)
{
    std::istringstream in(text);
    std::string a, b, c, d, extra;
    if (!(in >> a >> b >> c >> d) || (in >> extra))
        damaged("anchor");
    Anchor out{real(a.c_str(), "anchor"), real(b.c_str(), "anchor"), real(c.c_str(), "anchor"), real(d.c_str(), "anchor")};
    if (out.left < 1 || out.top < 1 || out.right < out.left || out.bottom < out.top ||
        out.right > kMaxColumns + 1 || out.bottom > kMaxRows + 1)
        damaged("anchor");
    return out;
}

CellFormat readStyle(pugi::xml_node n)
{
    CellFormat f;
    f.numberFormat = n.attribute("numberFormat").as_string("General");
    f.hAlign = static_cast<HAlign>(intAttr(n, "hAlign", 0, 0, 5));
    f.vAlign = static_cast<VAlign>(intAttr(n, "vAlign", 2, 0, 2));
    f.wrap = boolAttr(n, "wrap", false);
    f.orientation = intAttr(n, "orientation", 0, -180, 255);
    f.font.name = n.attribute("font").as_string("Arial");
    f.font.size = n.attribute("size") ? real(n.attribute("size").value(), "size") : 10;
    if (f.font.size <= 0 || f.font.size > 409)
        damaged("size");
    f.font.bold = boolAttr(n, "bold", false);
    f.font.italic = boolAttr(n, "italic", false);
    f.font.underline = boolAttr(n, "underline", false);
    f.font.color = intAttr(n, "color", 0, 0, 0xFFFFFF);
    f.pattern.pattern = intAttr(n, "pattern", 0, 0, 255);
    f.pattern.foreground = intAttr(n, "fg", 0, 0, 0xFFFFFF);
    f.pattern.background = intAttr(n, "bg", 0xFFFFFF, 0, 0xFFFFFF);
    if (pugi::xml_attribute b = n.attribute("borders")) {
        auto v = numbers(b.value(), 9, 0, 0xFFFFFF, "borders");
        f.borders = {int(v[0]), int(v[1]), int(v[2]), int(v[3]), int(v[4]),
                     std::int32_t(v[5]), std::int32_t(v[6]), std::int32_t(v[7]), std::int32_t(v[8])};
    }
    f.locked = boolAttr(n, "locked", true);
    f.hidden = boolAttr(n, "hidden", false);
    return f;
}

// A cell's attributes, found in one pass: books hold thousands of cells.
struct CellAttributes {
    pugi::xml_attribute r, c, s, f, t, v;
    explicit CellAttributes(pugi::xml_node cell)
    {
        for (pugi::xml_attribute a : cell.attributes()) {
            const char* name = a.name();
            if (!name[0] || name[1])
                continue;
            pugi::xml_attribute* slot = nullptr;
            switch (name[0]) {
            case 'r': slot = &r; break;
            case 'c': slot = &c; break;
            case 's': slot = &s; break;
            case 'f': slot = &f; break;
            case 't': slot = &t; break;
            case 'v': slot = &v; break;
            default: break;
            }
            if (slot && !*slot)  // the first of a repeated name counts
                *slot = a;
        }
    }
};

void readCell(pugi::xml_node c, Sheet& sheet, const BookData& book, FormulaShapes& formulas)
{
    CellAttributes at(c);
    if (!at.r || !at.c)
        damaged("cell position");
    int r = intValue(at.r, 0, 1, kMaxRows, "r"), col = intValue(at.c, 0, 1, kMaxColumns, "c");
    Cell& cell = sheet.at(r, col);
    if (cell.hasContent() || cell.style)
        damaged("cell given twice");
    cell.style = static_cast<std::uint32_t>(intValue(at.s, 0, 0, static_cast<long long>(book.styles.size()) - 1, "s"));
    if (at.f) {
        try {
            cell.formula = formulas.read(at.f.value(), r, col);
        } catch (const RuntimeError&) {
            damaged("formula");
        }
        return;
    }
    std::string_view type = at.t.value();
    const char* v = at.v.value();
    if (type == "n")
        cell.value = Value::ofNumber(real(v, "number"));
    else if (type == "s")
        cell.value = Value::ofText(v);
    else if (type == "b")
        cell.value = Value::ofBool(boolAttr(c, "v", false));
    else if (type == "e") {
        auto code = parseErrorText(v);
        if (!code)
            damaged("error value");
        cell.value = Value::ofError(*code);
    } else if (!type.empty())
        damaged("cell type");
}

void readObjects(pugi::xml_node objects, Sheet& sheet, std::set<int>& ids)
{
    auto takeId = [&](pugi::xml_node n) {
        int id = intAttr(n, "id", 0, 1, 1'000'000'000);
        if (!ids.insert(id).second)
            damaged("object id");
        return id;
    };
    for (pugi::xml_node l : objects.children("list")) {
        ListObject list;
        list.id = takeId(l);
        list.name = l.attribute("name").value();
        list.anchor = anchor(l.attribute("anchor").value());
        if (pugi::xml_attribute s = l.attribute("source"))
            list.source = block(s.value(), "list source");
        if (pugi::xml_attribute link = l.attribute("link")) {
            auto v = numbers(link.value(), 2, 1, kMaxRows, "list link");
            if (!validCell(int(v[0]), int(v[1])))
                damaged("list link");
            list.linkedCell = CellPos{int(v[0]), int(v[1])};
        }
        for (pugi::xml_node item : l.children("item"))
            list.items.push_back(item.text().get());
        int count = list.source ? list.source->rows() * list.source->cols() : static_cast<int>(list.items.size());
        list.selection = intAttr(l, "selection", -1, -1, count - 1);
        sheet.lists.push_back(std::move(list));
    }
    for (pugi::xml_node p : objects.children("picture")) {
        PictureObject picture;
        picture.id = takeId(p);
        picture.anchor = anchor(p.attribute("anchor").value());
        picture.mappingMode = intAttr(p, "mapping", 0, 0, 1000);
        picture.width = real(p.attribute("width").as_string("0"), "width");
        picture.height = real(p.attribute("height").as_string("0"), "height");
        std::string text = p.text().get();
        if (text.size() / 4 * 3 > kMaxPictureBytes)
            damaged("picture too large");
        auto data = base64Decode(text);
        if (!data)
            damaged("picture data");
        picture.data = std::move(*data);
        sheet.pictures.push_back(std::move(picture));
    }
}

void readSheetLayout(pugi::xml_node n, Sheet& sheet)
{
    sheet.isProtected = boolAttr(n, "protected", false);
    auto cursor = numbers(n.attribute("cursor").as_string("1 1"), 2, 1, kMaxRows, "cursor");
    if (!validCell(int(cursor[0]), int(cursor[1])))
        damaged("cursor");
    sheet.cursor = {int(cursor[0]), int(cursor[1])};
    sheet.selection = block(n.attribute("selection").as_string("1 1 1 1"), "selection");
    pugi::xml_node print = n.child("print");
    if (pugi::xml_attribute range = print.attribute("range"))
        sheet.print.range = block(range.value(), "print range");
    sheet.print.header = print.attribute("header").value();
    sheet.print.footer = print.attribute("footer").value();
    sheet.print.scale = intAttr(print, "scale", 100, 10, 400);
    sheet.print.fitToPages = boolAttr(print, "fit", false);
    sheet.print.pagesTall = intAttr(print, "tall", 1, 0, 32767);
    sheet.print.pagesWide = intAttr(print, "wide", 1, 0, 32767);
    sheet.print.landscape = boolAttr(print, "landscape", false);
    sheet.print.titleRows = intAttr(print, "titleRows", 0, 0, kMaxRows);
    sheet.print.titleColumns = intAttr(print, "titleColumns", 0, 0, kMaxColumns);
    for (long long r : numbers(print.attribute("rowBreaks").value(), 0, 2, kMaxRows, "row breaks"))
        sheet.rowBreaks.insert(int(r));
    for (long long c : numbers(print.attribute("columnBreaks").value(), 0, 2, kMaxColumns, "column breaks"))
        sheet.columnBreaks.insert(int(c));
    pugi::xml_node rows = n.child("rows");
    for (long long r : numbers(rows.attribute("hidden").value(), 0, 1, kMaxRows, "hidden rows"))
        sheet.hiddenRows.insert(int(r));
    for (pugi::xml_node r : rows.children("row")) {
        double height = real(r.attribute("height").value(), "row height");
        if (height <= 0 || height > 409)
            damaged("row height");
        sheet.rowHeights[intAttr(r, "r", 1, 1, kMaxRows)] = height;
    }
    for (pugi::xml_node c : n.child("columns").children("column")) {
        double width = real(c.attribute("width").value(), "column width");
        if (width <= 0 || width > 255)
            damaged("column width");
        sheet.columnWidths[intAttr(c, "c", 1, 1, kMaxColumns)] = width;
    }
}
}

BookData readNativeXml(std::string bytes)
{
    pugi::xml_document doc;
    unsigned flags = pugi::parse_default & ~pugi::parse_wconv_attribute & ~pugi::parse_eol;
    if (!doc.load_buffer_inplace(bytes.data(), bytes.size(), flags, pugi::encoding_utf8))
        damaged("not XML");
    pugi::xml_node root = doc.child("workbook");
    if (!root)
        damaged("no workbook");
    if (intAttr(root, "version", 0, 1, 1000000) > kNativeFormatVersion)
        damaged("made by a newer version");

    BookData book;
    book.sheets.clear();
    std::size_t styleCount = 0;
    for (pugi::xml_node s : root.child("styles").children("style")) {
        if (++styleCount > kMaxStyles)
            damaged("too many styles");
        CellFormat f = readStyle(s);
        if (styleCount == 1 && !(f == CellFormat{}))
            damaged("default style");
        if (styleCount > 1 && book.styles.intern(f) != styleCount - 1)
            damaged("style given twice");
    }
    // Sheets first, so that formulas can name any of them.
    for (pugi::xml_node s : root.children("sheet")) {
        if (book.sheets.size() >= static_cast<std::size_t>(kMaxSheets))
            damaged("too many sheets");
        std::string name = s.attribute("name").value();
        if (name.empty() || book.sheetNames().find(name) >= 0)
            damaged("sheet name");
        book.sheets.emplace_back(name);
    }
    if (book.sheets.empty())
        damaged("no sheet");
    SheetNames names = book.sheetNames();
    FormulaShapes formulas(names);
    std::set<int> ids;
    std::size_t index = 0;
    for (pugi::xml_node s : root.children("sheet")) {
        Sheet& sheet = book.sheets[index++];
        readSheetLayout(s, sheet);
        for (pugi::xml_node c : s.child("cells").children("c"))
            readCell(c, sheet, book, formulas);
        readObjects(s.child("objects"), sheet, ids);
    }
    for (pugi::xml_node n : root.child("names").children("name")) {
        DefinedName defined{n.attribute("name").value(), {}};
        for (pugi::xml_node a : n.children("area")) {
            int sheet = intAttr(a, "sheet", 0, 1, static_cast<long long>(book.sheets.size()));
            defined.areas.push_back(Area{sheet - 1, block(a.attribute("block").value(), "name block")});
        }
        if (defined.name.empty() || defined.areas.empty() || !book.names.emplace(upperName(defined.name), defined).second)
            damaged("defined name");
    }
    book.currentSheet = intAttr(root, "current", 1, 1, static_cast<long long>(book.sheets.size())) - 1;
    int largestId = ids.empty() ? 0 : *ids.rbegin();
    book.nextObjectId = intAttr(root, "nextObjectId", largestId + 1, largestId + 1, 2'000'000'000);
    return book;
}

}
