// Drawing a diagram in twips: links under nodes, each link an arrow between
// the edges of its two nodes, each node a filled box with its text.
#include "platform/diagram/diagram_control.h"
#include "platform/diagram/twips_font.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ks::diagram {

namespace {

constexpr double kPen = 15;          // line width
constexpr double kTextPadding = 60;
constexpr double kArrowLength = 150;
constexpr double kHandle = 60;       // selection mark size

// Where the line from a node's centre towards `toward` leaves its box.
QPointF edgePoint(const QRectF& box, const QPointF& toward)
{
    const QPointF centre = box.center();
    const QPointF d = toward - centre;
    if (d.isNull())
        return centre;
    const double tx = d.x() != 0 ? box.width() / 2 / std::abs(d.x()) : INFINITY;
    const double ty = d.y() != 0 ? box.height() / 2 / std::abs(d.y()) : INFINITY;
    return centre + d * std::min({tx, ty, 1.0});
}

void drawArrowHead(QPainter& painter, const QPointF& from, const QPointF& tip)
{
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0)
        return;
    const QPointF unit = d / length, normal(-unit.y(), unit.x());
    const QPointF base = tip - unit * kArrowLength;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + normal * kArrowLength / 2);
    head.lineTo(base - normal * kArrowLength / 2);
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

void drawLink(QPainter& painter, const Link& link, bool withSelection)
{
    const QRectF from = link.Org().Rect(), to = link.Dst().Rect();
    const QPointF start = edgePoint(from, to.center()), end = edgePoint(to, from.center());
    const QColor colour = withSelection && link.Selected() ? QColor(Qt::blue) : QColor(Qt::black);
    painter.setPen(QPen(colour, withSelection && link.Selected() ? kPen * 3 : kPen));
    painter.drawLine(start, end);
    drawArrowHead(painter, start, end);
    if (!link.Text().isEmpty()) {
        painter.setFont(twipsFont(link.Font()));
        const QPointF middle = (start + end) / 2;
        const QRectF box(middle.x() - 1500, middle.y() - 400, 3000, 400);
        painter.drawText(box, int(link.Alignment()) | Qt::AlignBottom | Qt::TextWordWrap, link.Text());
    }
}

void drawSelectionMarks(QPainter& painter, const QRectF& box)
{
    for (const QPointF& corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
        painter.fillRect(QRectF(corner - QPointF(kHandle / 2, kHandle / 2), QSizeF(kHandle, kHandle)), Qt::blue);
}

void drawNode(QPainter& painter, const Node& node, bool withSelection)
{
    const QRectF box = node.Rect();
    painter.setPen(QPen(Qt::black, kPen));
    painter.setBrush(colorFromBgr(node.FillColor()));
    painter.drawRect(box);
    if (!node.Text().isEmpty()) {
        painter.setFont(twipsFont(node.Font()));
        painter.drawText(box.adjusted(kTextPadding, kTextPadding, -kTextPadding, -kTextPadding),
                         int(node.Alignment()) | Qt::AlignVCenter | Qt::TextWordWrap, node.Text());
    }
    if (withSelection && node.Selected())
        drawSelectionMarks(painter, box);
}

}

void DiagramControl::paintDiagram(QPainter& painter, bool withSelection) const
{
    painter.save();
    for (const auto& link : links_)
        if (!link->Hidden())
            drawLink(painter, *link, withSelection);
    for (const auto& node : nodes_)
        if (!node->Hidden())
            drawNode(painter, *node, withSelection);
    painter.restore();
}

}
