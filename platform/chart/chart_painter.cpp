// The bands around the plot: the title and the legend, each on the side its
// position names; the plot takes what is left.
#include "platform/chart/chart_painter.h"
#include "platform/chart/paint_parts.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ks::chart {

namespace {

constexpr double kMargin = 6, kSwatch = 10, kGap = 6, kEntryGap = 14;

bool onTop(int position) { return position <= kTopRight; }
bool onBottom(int position) { return position >= kBottomLeft; }
bool onSide(int position) { return position == kLeft || position == kRight; }

Qt::Alignment horizontalAlignment(int position, int alignment)
{
    if (position == kTopLeft || position == kBottomLeft || position == kLeft)
        return Qt::AlignLeft;
    if (position == kTopRight || position == kBottomRight || position == kRight)
        return Qt::AlignRight;
    return alignment == kAlignLeft ? Qt::AlignLeft : alignment == kAlignRight ? Qt::AlignRight : Qt::AlignHCenter;
}

// Takes a band of the given height off the top or the bottom of area.
QRectF takeBand(QRectF& area, double height, bool top)
{
    QRectF band(area.left(), top ? area.top() : area.bottom() - height, area.width(), height);
    if (top)
        area.setTop(area.top() + height + kGap);
    else
        area.setBottom(area.bottom() - height - kGap);
    return band;
}

// A title turned upward or downward stands in a band down the side its position
// names, the left one unless that is a right-hand position.
void paintTurnedTitle(QPainter& p, QRectF& area, const Title& title, int flags, const QString& text)
{
    const bool right = title.position == kRight || title.position == kTopRight || title.position == kBottomRight;
    const double thickness = p.boundingRect(QRectF(0, 0, area.height(), area.width()), flags, text).height();
    const QRectF band(right ? area.right() - thickness : area.left(), area.top(), thickness, area.height());
    if (right)
        area.setRight(band.left() - kGap);
    else
        area.setLeft(band.right() + kGap);
    p.save();
    if (title.layout.orientation == kUpward) {
        p.translate(band.left(), band.bottom());
        p.rotate(-90);
    } else {
        p.translate(band.right(), band.top());
        p.rotate(90);
    }
    p.drawText(QRectF(0, 0, band.height(), band.width()), flags, text);
    p.restore();
}

void paintTitle(QPainter& p, QRectF& area, const Title& title)
{
    if (!title.visible || title.text.empty())
        return;
    p.setFont(chartFont(title.fontSize, true));
    p.setPen(Qt::black);
    const QString text = QString::fromStdString(title.text);
    const int wrap = title.layout.wordWrap ? Qt::TextWordWrap : 0;
    if (title.layout.orientation != kHorizontal) {
        paintTurnedTitle(p, area, title, horizontalAlignment(kTop, title.layout.alignment) | Qt::AlignVCenter | wrap,
                         text);
        return;
    }
    const int flags = horizontalAlignment(title.position, title.layout.alignment) | Qt::AlignVCenter | wrap;
    const QRectF need = p.boundingRect(area, flags, text);
    const QRectF band = takeBand(area, need.height(), !onBottom(title.position));
    p.drawText(band, flags, text);
}

struct LegendEntry {
    QString text;
    double width;
};

std::vector<LegendEntry> legendEntries(const ChartModel& model, const QFontMetricsF& fm)
{
    std::vector<LegendEntry> entries;
    for (int s = 1; s <= model.seriesCount(); ++s) {
        QString text = QString::fromStdString(model.seriesName(s));
        entries.push_back({text, kSwatch + 4 + fm.horizontalAdvance(text)});
    }
    return entries;
}

void paintEntry(QPainter& p, QPointF at, double lineHeight, int series, const LegendEntry& entry)
{
    const QRectF swatch(at.x(), at.y() + (lineHeight - kSwatch) / 2, kSwatch, kSwatch);
    p.setPen(Qt::black);
    p.setBrush(seriesColor(series));
    p.drawRect(swatch);
    p.drawText(QRectF(at.x() + kSwatch + 4, at.y(), entry.width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
               entry.text);
}

// Top and bottom legends run across in rows; side legends stand in one column.
void paintLegend(QPainter& p, QRectF& area, const ChartModel& model)
{
    const Legend& legend = model.legend;
    if (!legend.visible)
        return;
    p.setFont(chartFont(legend.fontSize, false));
    const QFontMetricsF fm(p.font());
    const double lineHeight = std::max(fm.height(), kSwatch);
    const std::vector<LegendEntry> entries = legendEntries(model, fm);
    if (onSide(legend.position)) {
        double width = 0;
        for (const LegendEntry& e : entries)
            width = std::max(width, e.width);
        const double height = lineHeight * entries.size();
        const double x = legend.position == kLeft ? area.left() : area.right() - width;
        double y = area.center().y() - height / 2;
        for (std::size_t i = 0; i < entries.size(); ++i, y += lineHeight)
            paintEntry(p, {x, y}, lineHeight, static_cast<int>(i) + 1, entries[i]);
        if (legend.position == kLeft)
            area.setLeft(area.left() + width + kGap);
        else
            area.setRight(area.right() - width - kGap);
        return;
    }
    // Rows of entries that fit the width.
    std::vector<std::vector<int>> rows(1);
    double used = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double w = entries[i].width + (rows.back().empty() ? 0 : kEntryGap);
        if (!rows.back().empty() && used + w > area.width()) {
            rows.emplace_back();
            used = 0;
        }
        used += rows.back().empty() ? entries[i].width : w;
        rows.back().push_back(static_cast<int>(i));
    }
    const QRectF band = takeBand(area, lineHeight * rows.size(), onTop(legend.position));
    const Qt::Alignment align = horizontalAlignment(legend.position, kAlignCentre);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double width = -kEntryGap;
        for (int i : rows[r])
            width += entries[i].width + kEntryGap;
        double x = align == Qt::AlignLeft ? band.left() : align == Qt::AlignRight ? band.right() - width
                                                                                   : band.center().x() - width / 2;
        for (int i : rows[r]) {
            paintEntry(p, {x, band.top() + r * lineHeight}, lineHeight, i + 1, entries[i]);
            x += entries[i].width + kEntryGap;
        }
    }
}

}

void paintChart(QPainter& p, const QRectF& area, const ChartModel& model)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(area, Qt::white);
    QRectF rest = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    paintTitle(p, rest, model.title);
    paintLegend(p, rest, model);
    if (rest.width() > 10 && rest.height() > 10)
        paintPlot(p, rest, model);
    p.restore();
}

}
