#include "platform/workbook/view/sheet_geometry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace ks::workbook::view {

namespace {
constexpr double kDefaultColumnChars = 8.43;
constexpr double kDefaultRowPoints = 12.75;

int indexAt(const std::vector<int>& starts, int pos)
{
    // The last start at or before pos; a zero-size entry (hidden row) is never chosen.
    auto it = std::upper_bound(starts.begin(), starts.end() - 1, pos);
    int index = static_cast<int>(it - starts.begin());
    return std::clamp(index, 1, static_cast<int>(starts.size()) - 1);
}
}

int SheetGeometry::pixelsOfWidth(double characters)
{
    return static_cast<int>(std::lround((characters > 0 ? characters : kDefaultColumnChars) * 7 + 5));
}

int SheetGeometry::pixelsOfHeight(double points)
{
    return static_cast<int>(std::lround((points > 0 ? points : kDefaultRowPoints) * 96 / 72));
}

void SheetGeometry::rebuild(const Sheet& sheet, const StyleTable& styles)
{
    std::map<int, double> fitted;  // points, for rows whose fonts need more than the default
    sheet.forEachCell([&](int row, int, const Cell& cell) {
        double points = styles.at(cell.style).font.size * kDefaultRowPoints / 10;
        if (points > kDefaultRowPoints && !sheet.rowHeights.count(row))
            fitted[row] = std::max(fitted[row], points);
    });
    // Every row at the default height, then the few that differ: a rebuild follows each
    // change shown, so it must not look every one of the sheet's rows up in the maps.
    std::vector<int> heights(kMaxRows + 1, pixelsOfHeight(0));
    for (const auto& [row, points] : fitted)
        heights[static_cast<std::size_t>(row)] = pixelsOfHeight(points);
    for (const auto& [row, points] : sheet.rowHeights)
        if (row >= 1 && row <= kMaxRows)
            heights[static_cast<std::size_t>(row)] = pixelsOfHeight(points);
    for (int row : sheet.hiddenRows)
        if (row >= 1 && row <= kMaxRows)
            heights[static_cast<std::size_t>(row)] = 0;
    rowTops_.assign(kMaxRows + 1, 0);
    int y = 0;
    for (int row = 1; row <= kMaxRows; ++row) {
        rowTops_[static_cast<std::size_t>(row) - 1] = y;
        y += heights[static_cast<std::size_t>(row)];
    }
    rowTops_[kMaxRows] = y;

    colLefts_.assign(kMaxColumns + 1, 0);
    int x = 0;
    for (int col = 1; col <= kMaxColumns; ++col) {
        colLefts_[static_cast<std::size_t>(col) - 1] = x;
        auto w = sheet.columnWidths.find(col);
        x += pixelsOfWidth(w == sheet.columnWidths.end() ? 0 : w->second);
    }
    colLefts_[kMaxColumns] = x;
}

int SheetGeometry::rowAt(int y) const { return indexAt(rowTops_, y); }
int SheetGeometry::colAt(int x) const { return indexAt(colLefts_, x); }

double SheetGeometry::xOf(double units) const
{
    double clamped = std::clamp(units, 1.0, double(kMaxColumns) + 0.999);
    int col = static_cast<int>(clamped);
    return colLeft(col) + (clamped - col) * colWidth(col);
}

double SheetGeometry::yOf(double units) const
{
    double clamped = std::clamp(units, 1.0, double(kMaxRows) + 0.999);
    int row = static_cast<int>(clamped);
    return rowTop(row) + (clamped - row) * rowHeight(row);
}

QRectF SheetGeometry::anchorRect(const Anchor& a) const
{
    return QRectF(QPointF(xOf(a.left), yOf(a.top)), QPointF(xOf(a.right), yOf(a.bottom))).normalized();
}

}
