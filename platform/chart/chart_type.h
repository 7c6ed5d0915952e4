#pragma once
// Chart type codes and how each is drawn. Odd codes are flat, the even code below
// each is the same chart drawn with depth. A code outside the table is still held
// (a chart keeps whatever it was given) and drawn as a flat bar chart.
#include <string>
#include <vector>

namespace ks::chart {

enum ChartTypeCode : int {
    kBarDepth = 0, kBar = 1,
    kLineDepth = 2, kLine = 3,
    kAreaDepth = 4, kArea = 5,
    kStepDepth = 6, kStep = 7,
    kCombinationDepth = 8, kCombination = 9,
};

enum class ChartKind { Bar, Line, Area, Step, Combination };

struct ChartTypeInfo {
    int code;
    ChartKind kind;
    bool depth;
    const char* name;
};

// The drawing of a code; unknown codes draw as a flat bar chart.
ChartTypeInfo chartTypeInfo(int code);
bool isKnownChartType(int code);
// Every code the chart draws, in the order the type dialog lists them.
const std::vector<ChartTypeInfo>& chartTypes();

}
