#include "platform/chart/chart_type.h"

#include <algorithm>

namespace ks::chart {

const std::vector<ChartTypeInfo>& chartTypes()
{
    static const std::vector<ChartTypeInfo> types = {
        {kBar, ChartKind::Bar, false, "Bar"},
        {kLine, ChartKind::Line, false, "Line"},
        {kArea, ChartKind::Area, false, "Area"},
        {kStep, ChartKind::Step, false, "Step"},
        {kCombination, ChartKind::Combination, false, "Combination (bars and line)"},
        {kBarDepth, ChartKind::Bar, true, "Bar with depth"},
        {kLineDepth, ChartKind::Line, true, "Line with depth"},
        {kAreaDepth, ChartKind::Area, true, "Area with depth"},
        {kStepDepth, ChartKind::Step, true, "Step with depth"},
        {kCombinationDepth, ChartKind::Combination, true, "Combination with depth"},
    };
    return types;
}

static const ChartTypeInfo* findType(int code)
{
    const auto& types = chartTypes();
    auto it = std::find_if(types.begin(), types.end(), [code](const ChartTypeInfo& t) { return t.code == code; });
    return it == types.end() ? nullptr : &*it;
}

bool isKnownChartType(int code) { return findType(code) != nullptr; }

ChartTypeInfo chartTypeInfo(int code)
{
    if (const ChartTypeInfo* t = findType(code))
        return *t;
    return {code, ChartKind::Bar, false, "Bar"};
}

}
