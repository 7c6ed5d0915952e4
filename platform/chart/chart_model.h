#pragma once
// Everything a chart shows: its type, data grid and the dressing around the plot.
// The painter draws from this alone, so a chart can be drawn on screen or into a
// picture the same way.
#include "platform/chart/chart_type.h"
#include "platform/chart/data_grid.h"

#include <array>
#include <map>
#include <string>

namespace ks::chart {

// Where the legend or the title sits around the plot.
enum Position : int {
    kTopLeft = 0, kTop = 1, kTopRight = 2,
    kLeft = 3, kRight = 4,
    kBottomLeft = 5, kBottom = 6, kBottomRight = 7,
};
bool isPosition(int code);

enum AxisId : int { kCategoryAxis = 0, kValueAxis = 1, kSecondValueAxis = 2 };

struct AxisLabels {
    std::string numberFormat = "General";  // for the value axes
    double fontSize = 9;                   // points
    bool bold = false;
};

// How a text is laid out: its orientation, whether it wraps, its alignment.
enum Orientation : int { kHorizontal = 0, kUpward = 1, kDownward = 2 };
enum Alignment : int { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };
struct TextLayout {
    int orientation = kHorizontal;
    bool wordWrap = false;
    int alignment = kAlignCentre;
};

struct Legend {
    bool visible = false;
    int position = kRight;
    double fontSize = 9;
};

struct Title {
    std::string text;
    bool visible = true;
    int position = kTop;
    TextLayout layout;
    double fontSize = 12;
};

struct ChartModel {
    int type = kBar;
    DataGrid grid;
    bool seriesInRows = true;
    Legend legend;
    Title title;
    std::array<AxisLabels, 3> axes;
    std::map<int, std::string> seriesNames;  // set legend texts by series number

    int seriesCount() const { return seriesInRows ? grid.RowCount() : grid.ColumnCount(); }
    int categoryCount() const { return seriesInRows ? grid.ColumnCount() : grid.RowCount(); }
    std::optional<double> value(int series, int category) const
    {
        return seriesInRows ? grid.value(series, category) : grid.value(category, series);
    }
    // The legend text of a series: the one set, else the grid's label, else "Series n".
    std::string seriesName(int series) const;
    // The category axis text: the grid's label, else the category's number.
    std::string categoryLabel(int category) const;
};

}
