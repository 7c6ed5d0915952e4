#include "platform/workbook/engine/cell_format.h"

#include <functional>

namespace ks::workbook {

namespace {
std::size_t hashOf(const CellFormat& f)
{
    std::size_t h = std::hash<std::string>{}(f.numberFormat);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(static_cast<std::size_t>(f.hAlign) | static_cast<std::size_t>(f.vAlign) << 4 | std::size_t(f.wrap) << 8);
    mix(static_cast<std::size_t>(f.orientation));
    mix(std::hash<std::string>{}(f.font.name));
    mix(std::hash<double>{}(f.font.size) ^ (std::size_t(f.font.bold) | std::size_t(f.font.italic) << 1));
    mix(static_cast<std::size_t>(f.font.color) ^ static_cast<std::size_t>(f.pattern.pattern) << 24);
    mix(static_cast<std::size_t>(f.pattern.foreground) ^ static_cast<std::size_t>(f.pattern.background) << 1);
    mix(static_cast<std::size_t>(f.borders.left + 8 * f.borders.right + 64 * f.borders.top + 512 * f.borders.bottom));
    mix(std::size_t(f.locked) | std::size_t(f.hidden) << 1);
    return h;
}
}

StyleTable::StyleTable()
{
    intern(CellFormat{});
}

std::uint32_t StyleTable::intern(const CellFormat& format)
{
    std::size_t h = hashOf(format);
    auto [first, last] = byHash_.equal_range(h);
    for (auto it = first; it != last; ++it)
        if (formats_[it->second] == format)
            return it->second;
    auto index = static_cast<std::uint32_t>(formats_.size());
    formats_.push_back(format);
    byHash_.emplace(h, index);
    return index;
}

}
