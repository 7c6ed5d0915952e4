#include "platform/diagram/diagram_control.h"

#include "platform/diagram/diagram_errors.h"
#include "platform/diagram/undo_log.h"
#include "platform/runtime/events.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace ks::diagram {

namespace {

constexpr int kMinZoom = 1, kMaxZoom = 10000;

template <class Item>
QList<Item*> listOf(const std::vector<std::unique_ptr<Item>>& items, bool selectedOnly)
{
    QList<Item*> list;
    for (const auto& item : items)
        if (!selectedOnly || item->Selected())
            list.append(item.get());
    return list;
}

void checkZoom(int percent)
{
    if (percent < kMinZoom || percent > kMaxZoom)
        raiseError(kErrBadArgument, "Invalid zoom " + std::to_string(percent));
}

// A length in pixels as a scroll range can hold it, whatever the diagram's coordinates.
int pixelsOf(double length)
{
    constexpr double kLargest = 1 << 30;
    return std::isfinite(length) ? int(std::ceil(std::clamp(length, 0.0, kLargest))) : 0;
}

// Distance in twips from p to the segment a-b.
double distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + ab * t;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

}

DiagramControl::DiagramControl(QWidget* parent) : QAbstractScrollArea(parent), undo_(std::make_unique<UndoLog>())
{
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
}

DiagramControl::~DiagramControl() = default;

Node& DiagramControl::AddNode(const QRectF& twips, const QString& text)
{
    nodes_.push_back(std::unique_ptr<Node>(new Node(*this, twips, text)));
    itemMoved();
    return *nodes_.back();
}

Link& DiagramControl::AddLink(Node& org, Node& dst, const QString& text)
{
    auto ours = [this](const Node& node) { return &node.diagram() == this; };
    if (!ours(org) || !ours(dst))
        raiseError(kErrBadArgument, "The link's nodes belong to another diagram");
    links_.push_back(std::unique_ptr<Link>(new Link(*this, org, dst, text)));
    itemMoved();
    return *links_.back();
}

QList<Node*> DiagramControl::Nodes() const { return listOf(nodes_, false); }
QList<Link*> DiagramControl::Links() const { return listOf(links_, false); }
QList<Node*> DiagramControl::SelectedNodes() const { return listOf(nodes_, true); }
QList<Link*> DiagramControl::SelectedLinks() const { return listOf(links_, true); }

void DiagramControl::Clear()
{
    links_.clear();
    nodes_.clear();
    undo_->clear();
    itemMoved();
}

void DiagramControl::setXZoom(int percent)
{
    checkZoom(percent);
    xZoom_ = percent;
    itemMoved();
}

void DiagramControl::setYZoom(int percent)
{
    checkZoom(percent);
    yZoom_ = percent;
    itemMoved();
}

double DiagramControl::DiagramWidth() const
{
    double right = 0;
    for (const auto& node : nodes_)
        right = std::max(right, node->Rect().right());
    return right;
}

double DiagramControl::DiagramHeight() const
{
    double bottom = 0;
    for (const auto& node : nodes_)
        bottom = std::max(bottom, node->Rect().bottom());
    return bottom;
}

void DiagramControl::setRepaint(bool on)
{
    repaint_ = on;
    if (on)
        Refresh();
}

void DiagramControl::Refresh()
{
    updateScrollBars();
    viewport()->update();
}

void DiagramControl::ZOrder(int position)
{
    if (position == 0)
        raise();
    else
        lower();
}

bool DiagramControl::CanUndo() const { return undo_->canUndo(); }
bool DiagramControl::CanRedo() const { return undo_->canRedo(); }

void DiagramControl::Undo()
{
    undo_->undo();
}

void DiagramControl::Redo()
{
    undo_->redo();
}

DiagramControl::Action::Action(DiagramControl& diagram) : diagram_(diagram)
{
    diagram_.undo_->beginAction();
}

DiagramControl::Action::~Action()
{
    diagram_.undo_->endAction();
}

void DiagramControl::itemChanged()
{
    if (repaint_)
        viewport()->update();
}

void DiagramControl::itemMoved()
{
    if (repaint_)
        Refresh();
}

double DiagramControl::pixelsPerTwipX() const { return xZoom_ / 100.0 / twipsPerPixelX(); }
double DiagramControl::pixelsPerTwipY() const { return yZoom_ / 100.0 / twipsPerPixelY(); }

// The bars are switched on and off here rather than left to the area, which
// misses a range set while the diagram was hidden.
void DiagramControl::updateScrollBars()
{
    const int width = pixelsOf(DiagramWidth() * pixelsPerTwipX());
    const int height = pixelsOf(DiagramHeight() * pixelsPerTwipY());
    const QSize area = contentsRect().size();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needH = width > area.width(), needV = height > area.height();
    needH = width > area.width() - (needV ? bar : 0);
    needV = height > area.height() - (needH ? bar : 0);
    setHorizontalScrollBarPolicy(needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const QSize view(area.width() - (needV ? bar : 0), area.height() - (needH ? bar : 0));
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void DiagramControl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.scale(pixelsPerTwipX(), pixelsPerTwipY());
    paintDiagram(painter, true);
}

void DiagramControl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void DiagramControl::scrollContentsBy(int, int)
{
    viewport()->update();
}

DiagramItem* DiagramControl::itemAt(const QPointF& twips) const
{
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it)
        if (!(*it)->Hidden() && (*it)->Rect().contains(twips))
            return it->get();
    // A link is picked within four pixels of its line.
    const double reach = 4 / std::min(pixelsPerTwipX(), pixelsPerTwipY());
    for (auto it = links_.rbegin(); it != links_.rend(); ++it) {
        const Link& link = **it;
        if (!link.Hidden()
            && distanceToSegment(twips, link.Org().Rect().center(), link.Dst().Rect().center()) <= reach)
            return it->get();
    }
    return nullptr;
}

void DiagramControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const QPointF pixels = event->position() + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    DiagramItem* hit = itemAt(QPointF(pixels.x() / pixelsPerTwipX(), pixels.y() / pixelsPerTwipY()));
    const bool adding = event->modifiers() & Qt::ControlModifier;
    const bool wasRepainting = repaint_;
    repaint_ = false;
    if (!adding) {
        for (const auto& node : nodes_)
            node->setSelected(node.get() == hit);
        for (const auto& link : links_)
            link->setSelected(link.get() == hit);
    } else if (hit) {
        hit->setSelected(!hit->Selected());
    }
    repaint_ = wasRepainting;
    itemChanged();
}

}
