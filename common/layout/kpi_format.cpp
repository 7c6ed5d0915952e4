#include "common/layout/kpi_format.h"

namespace ks::scorecard::layout {

std::string kpiNumberFormat(const std::string& type, const std::string& decimals)
{
    int row = type == "currency" ? 0 : type == "percent" ? 1 : 2;
    int col = decimals == "2" ? 0 : decimals == "1" ? 1 : 2;
    static const char* const table[3][3] = {
        {"$#,##0.00;($#,##0.00)", "$#,##0.0;($#,##0.0)", "$#,##0;($#,##0)"},
        {"0.00%;(0.00%)", "0.0%;(0%)", "0%;(0%)"},
        {"#,##0.00;(#,##0.00)", "#,##0.0;(#,##0.0)", "#,##0;(#,##0)"},
    };
    return table[row][col];
}

}
