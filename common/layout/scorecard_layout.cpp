#include "common/layout/scorecard_layout.h"

namespace ks::scorecard::layout {

std::string kpiName(int n)
{
    return "KPI_" + std::to_string(n);
}

std::string kpiBulkName(int n)
{
    return kpiName(n) + "_bulk";
}

}
