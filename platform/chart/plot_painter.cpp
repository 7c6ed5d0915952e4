// The plot: gridlines and value labels on the left, category labels below, and the
// series drawn as the chart type says. Missing values leave gaps.
#include "platform/chart/paint_parts.h"
#include "platform/chart/value_scale.h"
#include "platform/workbook/engine/number_format.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace ks::chart {

QColor seriesColor(int series)
{
    static const QColor colors[] = {{31, 84, 160}, {214, 96, 38}, {60, 150, 70}, {140, 80, 160},
                                    {200, 160, 30}, {40, 160, 170}, {170, 50, 80}, {110, 110, 110}};
    return colors[(series - 1) % 8];
}

QFont chartFont(double pointSize, bool bold)
{
    QFont f;
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(std::clamp(pointSize, 1.0, 72.0));
    f.setBold(bold);
    return f;
}

std::string valueLabelText(double v, const std::string& numberFormat)
{
    try {
        return workbook::formatNumber(v, numberFormat.empty() ? "General" : numberFormat);
    } catch (const std::exception&) {
        return workbook::generalNumberText(v);  // a format the formatter refuses still labels the axis
    }
}

namespace {

struct Frame {
    QRectF rect;
    ValueScale scale;
    int categories = 1;
    double depth = 0;

    double slot() const { return rect.width() / categories; }
    double left(int c) const { return rect.left() + (c - 1) * slot(); }
    double centre(int c) const { return left(c) + slot() / 2; }
    double y(double v) const { return rect.bottom() - scale.fraction(v) * rect.height(); }
    double baseline() const { return y(std::clamp(0.0, scale.low, scale.high)); }
};

std::pair<double, double> valueRange(const ChartModel& m)
{
    double lo = 0, hi = 0;
    bool any = false;
    for (int s = 1; s <= m.seriesCount(); ++s)
        for (int c = 1; c <= m.categoryCount(); ++c)
            if (std::optional<double> v = m.value(s, c)) {
                lo = any ? std::min(lo, *v) : *v;
                hi = any ? std::max(hi, *v) : *v;
                any = true;
            }
    return {lo, hi};
}

QColor faceShade(int series) { return seriesColor(series).darker(140); }

// A quadrilateral from a to b and back along the same edge moved by the depth.
void paintDepthEdge(QPainter& p, QPointF a, QPointF b, double d, const QColor& color)
{
    const QPointF off(d, -d);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({a, b, b + off, a + off}));
}

void paintBar(QPainter& p, const Frame& f, QRectF bar, int series)
{
    p.setPen(QPen(seriesColor(series).darker(150), 0.8));
    if (f.depth > 0) {
        paintDepthEdge(p, bar.topLeft(), bar.topRight(), f.depth, seriesColor(series).lighter(120));
        paintDepthEdge(p, bar.topRight(), bar.bottomRight(), f.depth, faceShade(series));
    }
    p.setBrush(seriesColor(series));
    p.drawRect(bar);
}

void paintBars(QPainter& p, const Frame& f, const ChartModel& m, int first, int last)
{
    const int n = last - first + 1;
    const double group = f.slot() * 0.7, width = group / n;
    for (int c = 1; c <= f.categories; ++c)
        for (int s = first; s <= last; ++s)
            if (std::optional<double> v = m.value(s, c)) {
                const double x = f.centre(c) - group / 2 + (s - first) * width;
                paintBar(p, f, QRectF(QPointF(x, f.y(*v)), QPointF(x + width, f.baseline())).normalized(), s);
            }
}

// Runs of neighbouring categories that all have a value.
std::vector<std::vector<QPointF>> runs(const Frame& f, const ChartModel& m, int series)
{
    std::vector<std::vector<QPointF>> out(1);
    for (int c = 1; c <= f.categories; ++c) {
        if (std::optional<double> v = m.value(series, c))
            out.back().push_back({f.centre(c), f.y(*v)});
        else if (!out.back().empty())
            out.emplace_back();
    }
    if (out.back().empty())
        out.pop_back();
    return out;
}

void paintPolyline(QPainter& p, const Frame& f, const std::vector<QPointF>& points, int series)
{
    if (f.depth > 0) {
        p.setPen(Qt::NoPen);
        for (std::size_t i = 1; i < points.size(); ++i)
            paintDepthEdge(p, points[i - 1], points[i], f.depth, faceShade(series));
    }
    p.setPen(QPen(seriesColor(series), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void paintMarkers(QPainter& p, const std::vector<QPointF>& points, int series)
{
    p.setPen(QPen(seriesColor(series).darker(150), 1));
    p.setBrush(seriesColor(series));
    for (const QPointF& pt : points)
        p.drawEllipse(pt, 3.5, 3.5);
}

void paintLine(QPainter& p, const Frame& f, const ChartModel& m, int series)
{
    for (const auto& run : runs(f, m, series)) {
        paintPolyline(p, f, run, series);
        paintMarkers(p, run, series);
    }
}

// Each value holds across its whole category, joined by risers to the next.
void paintStep(QPainter& p, const Frame& f, const ChartModel& m, int series)
{
    for (const auto& run : runs(f, m, series)) {
        std::vector<QPointF> points;
        for (const QPointF& pt : run) {
            const double left = pt.x() - f.slot() / 2;
            points.push_back({left, pt.y()});
            points.push_back({left + f.slot(), pt.y()});
        }
        paintPolyline(p, f, points, series);
    }
}

// Areas stand on 0; a lone value is a block over the middle of its category.
void paintArea(QPainter& p, const Frame& f, const ChartModel& m, int series)
{
    QColor fill = seriesColor(series);
    fill.setAlpha(200);
    for (auto run : runs(f, m, series)) {
        if (run.size() == 1) {
            const QPointF pt = run.front();
            run = {{pt.x() - f.slot() * 0.3, pt.y()}, {pt.x() + f.slot() * 0.3, pt.y()}};
        }
        QPolygonF shape(QList<QPointF>(run.begin(), run.end()));
        shape.append({run.back().x(), f.baseline()});
        shape.append({run.front().x(), f.baseline()});
        if (f.depth > 0) {
            p.setPen(Qt::NoPen);
            for (std::size_t i = 1; i < run.size(); ++i)
                paintDepthEdge(p, run[i - 1], run[i], f.depth, faceShade(series));
            paintDepthEdge(p, run.back(), shape[shape.size() - 2], f.depth, faceShade(series));
        }
        p.setPen(QPen(seriesColor(series).darker(130), 1.2));
        p.setBrush(fill);
        p.drawPolygon(shape);
    }
}

// Areas overlap: the larger ones go behind so the smaller stay in sight.
std::vector<int> largestFirst(const ChartModel& m)
{
    std::vector<std::pair<double, int>> sizes;
    for (int s = 1; s <= m.seriesCount(); ++s) {
        double sum = 0;
        for (int c = 1; c <= m.categoryCount(); ++c)
            sum += std::abs(m.value(s, c).value_or(0));
        sizes.push_back({-sum, s});
    }
    std::stable_sort(sizes.begin(), sizes.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<int> order;
    for (auto& size : sizes)
        order.push_back(size.second);
    return order;
}

// Every area's top edge is drawn over all the fills, so a dip behind another area still shows.
void paintAreaEdge(QPainter& p, const Frame& f, const ChartModel& m, int series)
{
    p.setPen(QPen(seriesColor(series).darker(120), 1.6));
    p.setBrush(Qt::NoBrush);
    for (const auto& run : runs(f, m, series))
        if (run.size() > 1)
            p.drawPolyline(run.data(), static_cast<int>(run.size()));
}

void paintSeries(QPainter& p, const Frame& f, const ChartModel& m, ChartKind kind)
{
    const int n = m.seriesCount();
    switch (kind) {
    case ChartKind::Bar: paintBars(p, f, m, 1, n); break;
    case ChartKind::Combination:
        paintBars(p, f, m, 1, 1);  // the first series as bars, the others as lines over them
        for (int s = 2; s <= n; ++s)
            paintLine(p, f, m, s);
        break;
    case ChartKind::Line: for (int s = 1; s <= n; ++s) paintLine(p, f, m, s); break;
    case ChartKind::Step: for (int s = 1; s <= n; ++s) paintStep(p, f, m, s); break;
    case ChartKind::Area:
        for (int s : largestFirst(m))
            paintArea(p, f, m, s);
        for (int s = 1; s <= n; ++s)
            paintAreaEdge(p, f, m, s);
        break;
    }
}

void paintValueAxis(QPainter& p, const Frame& f, const AxisLabels& axis, const std::vector<QString>& labels,
                    double labelLeft)
{
    const std::vector<double> ticks = f.scale.ticks();
    p.setFont(chartFont(axis.fontSize, axis.bold));
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double y = f.y(ticks[i]);
        p.setPen(QPen(QColor(220, 220, 220), 1));
        // With depth the gridline runs along the back wall, reached by a short slant.
        const QPointF back(f.rect.left() + f.depth, y - f.depth);
        if (f.depth > 0)
            p.drawLine(QPointF(f.rect.left(), y), back);
        p.drawLine(back, QPointF(f.rect.right() + f.depth, y - f.depth));
        p.setPen(Qt::black);
        p.drawText(QRectF(labelLeft, y - 20, f.rect.left() - 5 - labelLeft, 40), Qt::AlignRight | Qt::AlignVCenter, labels[i]);
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(f.rect.topLeft(), f.rect.bottomLeft());
    p.drawLine(QPointF(f.rect.left(), f.baseline()), QPointF(f.rect.right(), f.baseline()));
}

// Labels that would run into each other are thinned to every second, third, ... one.
void paintCategoryAxis(QPainter& p, const Frame& f, const ChartModel& m, double labelTop)
{
    p.setFont(chartFont(m.axes[kCategoryAxis].fontSize, m.axes[kCategoryAxis].bold));
    const QFontMetricsF fm(p.font());
    double widest = 0;
    for (int c = 1; c <= f.categories; ++c)
        widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(m.categoryLabel(c))));
    const int every = std::max(1, static_cast<int>(std::ceil((widest + 6) / f.slot())));
    p.setPen(Qt::black);
    for (int c = 1; c <= f.categories; c += every) {
        const QRectF box(f.centre(c) - widest / 2 - 3, labelTop, widest + 6, fm.height());
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(m.categoryLabel(c)));
        p.drawLine(QPointF(f.centre(c), f.rect.bottom()), QPointF(f.centre(c), f.rect.bottom() + 3));
    }
}

}

void paintPlot(QPainter& p, const QRectF& area, const ChartModel& m)
{
    const ChartTypeInfo info = chartTypeInfo(m.type);
    const auto [lo, hi] = valueRange(m);
    Frame f;
    f.categories = std::max(1, m.categoryCount());
    f.scale = valueScaleFor(lo, hi, info.kind != ChartKind::Line && info.kind != ChartKind::Step);

    const AxisLabels& valueAxis = m.axes[kValueAxis];
    std::vector<QString> labels;
    double labelWidth = 0;
    const QFontMetricsF valueMetrics(chartFont(valueAxis.fontSize, valueAxis.bold));
    for (double t : f.scale.ticks()) {
        labels.push_back(QString::fromStdString(valueLabelText(t, valueAxis.numberFormat)));
        labelWidth = std::max(labelWidth, valueMetrics.horizontalAdvance(labels.back()));
    }
    const AxisLabels& categoryAxis = m.axes[kCategoryAxis];
    const double categoryHeight = QFontMetricsF(chartFont(categoryAxis.fontSize, categoryAxis.bold)).height();
    QRectF plot = area.adjusted(labelWidth + 8, valueMetrics.height() / 2, -valueMetrics.height() / 2,
                                -(categoryHeight + 6));
    f.depth = info.depth ? std::min(12.0, std::min(plot.width() / f.categories * 0.25, plot.height() * 0.1)) : 0;
    f.rect = plot.adjusted(0, f.depth, -f.depth, 0);
    if (f.rect.width() < 4 || f.rect.height() < 4)
        return;

    p.save();
    paintValueAxis(p, f, valueAxis, labels, area.left());
    p.setClipRect(area.adjusted(-1, -1, 1, 1));
    paintSeries(p, f, m, info.kind);
    paintCategoryAxis(p, f, m, f.rect.bottom() + 5);
    p.restore();
}

}
