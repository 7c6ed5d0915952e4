#pragma once
// How a cell looks and whether it may be changed; shared by many cells through a style table.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ks::workbook {

enum class HAlign : std::uint8_t { General, Left, Center, Right, Fill, Justify };
enum class VAlign : std::uint8_t { Top, Center, Bottom };

struct Font {
    std::string name = "Arial";
    double size = 10;
    bool bold = false, italic = false, underline = false;
    std::int32_t color = 0;  // 0xRRGGBB
    bool operator==(const Font&) const = default;
};

struct Borders {
    // Line styles (0 none) and colours (0xRRGGBB) of the four edges, and the shade style.
    int left = 0, right = 0, top = 0, bottom = 0, shade = 0;
    std::int32_t leftColor = 0, rightColor = 0, topColor = 0, bottomColor = 0;
    bool operator==(const Borders&) const = default;
};

struct Pattern {
    int pattern = 0;  // 0 none, 1 solid, higher: hatchings
    std::int32_t foreground = 0, background = 0xFFFFFF;
    bool operator==(const Pattern&) const = default;
};

struct CellFormat {
    std::string numberFormat = "General";
    HAlign hAlign = HAlign::General;
    VAlign vAlign = VAlign::Bottom;
    bool wrap = false;
    int orientation = 0;
    Font font;
    Pattern pattern;
    Borders borders;
    bool locked = true;
    bool hidden = false;
    bool operator==(const CellFormat&) const = default;
};

// Distinct formats, each kept once; index 0 is the default format.
class StyleTable {
public:
    StyleTable();
    std::uint32_t intern(const CellFormat& format);
    const CellFormat& at(std::uint32_t index) const { return formats_[index]; }
    std::size_t size() const { return formats_.size(); }

private:
    std::vector<CellFormat> formats_;
    std::unordered_multimap<std::size_t, std::uint32_t> byHash_;
};

}
