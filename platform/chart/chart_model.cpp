#include "platform/chart/chart_model.h"

namespace ks::chart {

bool isPosition(int code) { return code >= kTopLeft && code <= kBottomRight; }

std::string ChartModel::seriesName(int series) const
{
    if (auto it = seriesNames.find(series); it != seriesNames.end())
        return it->second;
    std::string label = seriesInRows ? grid.rowLabel(series) : grid.columnLabel(series);
    return label.empty() ? "Series " + std::to_string(series) : label;
}

std::string ChartModel::categoryLabel(int category) const
{
    std::string label = seriesInRows ? grid.columnLabel(category) : grid.rowLabel(category);
    return label.empty() ? std::to_string(category) : label;
}

}
