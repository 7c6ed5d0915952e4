#include "platform/chart/chart_control.h"
#include "platform/chart/chart_errors.h"
#include "platform/chart/chart_painter.h"
#include "platform/chart/chart_type_dialog.h"

#include <QPainter>

namespace ks::chart {

namespace {

void checkPosition(int position)
{
    if (!isPosition(position))
        raiseError(kErrBadArgument, "No chart position has the code " + std::to_string(position));
}

}

ChartControl::ChartControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartControl::Refresh()
{
    if (repaint_)
        repaint();
}

void ChartControl::setRepaint(bool on)
{
    repaint_ = on;
    changed();
}

void ChartControl::changed()
{
    if (repaint_)
        update();
}

void ChartControl::setChartType(int code)
{
    model_.type = code;
    changed();
}

void ChartControl::EditChartType()
{
    setChartType(editChartType(model_, window()));
}

void ChartControl::setRowCount(int count)
{
    model_.grid.setRowCount(count);
    changed();
}

void ChartControl::setColumnCount(int count)
{
    model_.grid.setColumnCount(count);
    changed();
}

void ChartControl::setData(const QString& text)
{
    model_.grid.setData(text.toStdString());
    changed();
}

void ChartControl::setColumnLabel(const QString& text)
{
    model_.grid.setColumnLabel(text.toStdString());
    changed();
}

void ChartControl::setRowLabel(const QString& text)
{
    model_.grid.setRowLabel(text.toStdString());
    changed();
}

void ChartControl::setSeriesInRows(bool rows)
{
    model_.seriesInRows = rows;
    changed();
}

void ChartControl::checkSeries(int series) const
{
    if (series < 1 || series > model_.seriesCount())
        raiseError(kErrBadArgument, "The chart has no series " + std::to_string(series) + " (it has " +
                                   std::to_string(model_.seriesCount()) + ")");
}

QString ChartControl::SeriesLegendText(int series) const
{
    checkSeries(series);
    return QString::fromStdString(model_.seriesName(series));
}

void ChartControl::setSeriesLegendText(int series, const QString& text)
{
    checkSeries(series);
    model_.seriesNames[series] = text.toStdString();
    changed();
}

void ChartControl::setLegendVisible(bool visible)
{
    model_.legend.visible = visible;
    changed();
}

void ChartControl::setLegendPosition(int position)
{
    checkPosition(position);
    model_.legend.position = position;
    changed();
}

void ChartControl::checkFontSize(double points)
{
    if (!(points > 0 && points <= 500))
        raiseError(kErrBadArgument, "A chart font size must be above 0 and at most 500 points, not " +
                                   std::to_string(points));
}

void ChartControl::setLegendFontSize(double points)
{
    checkFontSize(points);
    model_.legend.fontSize = points;
    changed();
}

void ChartControl::checkAxis(int axis)
{
    if (axis < kCategoryAxis || axis > kSecondValueAxis)
        raiseError(kErrBadArgument, "The chart has no axis " + std::to_string(axis) + " (0 to 2)");
}

const AxisLabels& ChartControl::AxisLabelLevel(int axis) const
{
    checkAxis(axis);
    return model_.axes[axis];
}

void ChartControl::setAxisLabelFormat(int axis, const QString& numberFormat)
{
    checkAxis(axis);
    model_.axes[axis].numberFormat = numberFormat.toStdString();
    changed();
}

void ChartControl::setAxisLabelFontSize(int axis, double points)
{
    checkAxis(axis);
    checkFontSize(points);
    model_.axes[axis].fontSize = points;
    changed();
}

void ChartControl::setAxisLabelBold(int axis, bool bold)
{
    checkAxis(axis);
    model_.axes[axis].bold = bold;
    changed();
}

void ChartControl::setTitleText(const QString& text)
{
    model_.title.text = text.toStdString();
    changed();
}

void ChartControl::setTitlePosition(int position)
{
    checkPosition(position);
    model_.title.position = position;
    changed();
}

void ChartControl::setTitleVisible(bool visible)
{
    model_.title.visible = visible;
    changed();
}

void ChartControl::setTitleTextLayout(int orientation, int wordWrap, int alignment)
{
    if (orientation < kHorizontal || orientation > kDownward || wordWrap < 0 || wordWrap > 1 ||
        alignment < kAlignLeft || alignment > kAlignCentre)
        raiseError(kErrBadArgument, "No title text layout " + std::to_string(orientation) + ", " +
                                   std::to_string(wordWrap) + ", " + std::to_string(alignment));
    model_.title.layout = TextLayout{orientation, wordWrap == 1, alignment};
    changed();
}

void ChartControl::WritePictureFile(const QString& path, int format, int option) const
{
    writeChartPicture(model_, size(), path.toStdString(), format, option);
}

ChartMetafile ChartControl::RenderMetafile(int kind) const
{
    if (kind != 1)
        raiseError(kErrBadArgument, "The chart renders metafiles of kind 1 only, not " + std::to_string(kind));
    return renderChartMetafile(model_, size());
}

void ChartControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintChart(p, QRectF(rect()), model_);
}

}
