#pragma once
#include "platform/chart/chart_control.h"
#include "tests/platform/workbook/error_number.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ks::chart::test {

using workbook::test::errorNumberOf;

inline const QStringList kMonths = {"Jan-26", "Feb-26", "Mar-26", "Apr-26", "May-26", "Jun-26",
                                    "Jul-26", "Aug-26", "Sep-26", "Oct-26", "Nov-26", "Dec-26"};

// Fills the chart the way the report fills it: a row per series, a column per month,
// cell texts, month labels, the legend below and the KPI's name above.
inline void fillReportChart(ChartControl& chart, const std::vector<std::vector<QString>>& rows,
                            const QStringList& names, const QString& title)
{
    chart.setRowCount(static_cast<int>(rows.size()));
    chart.setColumnCount(static_cast<int>(rows.front().size()));
    chart.setSeriesInRows(true);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            chart.setRow(static_cast<int>(r) + 1);
            chart.setColumn(static_cast<int>(c) + 1);
            chart.setData(rows[r][c]);
        }
    for (int c = 1; c <= chart.ColumnCount(); ++c) {
        chart.setColumn(c);
        chart.setColumnLabel(kMonths[(c - 1) % 12]);
    }
    chart.setLegendVisible(true);
    for (int s = 1; s <= names.size(); ++s)
        chart.setSeriesLegendText(s, names[s - 1]);
    chart.setAxisLabelFontSize(kSecondValueAxis, 1);
    chart.setAxisLabelFontSize(kValueAxis, 8);
    chart.setAxisLabelBold(kValueAxis, false);
    chart.setAxisLabelFontSize(kCategoryAxis, 10);
    chart.setLegendPosition(kBottom);
    chart.setLegendFontSize(8);
    chart.setTitlePosition(kTop);
    chart.setTitleText(title);
    chart.setTitleVisible(true);
    chart.setTitleTextLayout(0, 0, 2);
}

}
