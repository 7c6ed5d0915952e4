#pragma once
// Draws a chart into a rectangle of any paint device: the widget, a picture or an image.
#include "platform/chart/chart_model.h"

#include <QRectF>

class QPainter;

namespace ks::chart {

void paintChart(QPainter& painter, const QRectF& area, const ChartModel& model);

}
