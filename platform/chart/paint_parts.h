#pragma once
// What the chart painter's parts share: series colours, fonts and the plot's drawing.
#include "platform/chart/chart_model.h"

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace ks::chart {

QColor seriesColor(int series);
QFont chartFont(double pointSize, bool bold);
// The text a value axis shows for v, in the axis' number format.
std::string valueLabelText(double v, const std::string& numberFormat);
// The plot: value axis and its labels, category axis and its labels, the series.
void paintPlot(QPainter& p, const QRectF& area, const ChartModel& model);

}
