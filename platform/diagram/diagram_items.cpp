#include "platform/diagram/diagram_items.h"

#include "platform/diagram/diagram_control.h"
#include "platform/diagram/diagram_errors.h"
#include "platform/diagram/undo_log.h"

#include <QColor>

namespace ks::diagram {

using Property = UndoLog::Property;

DiagramItem::DiagramItem(DiagramControl& owner, const QString& text)
    : owner_(owner), text_(text), font_(QStringLiteral("Arial"), 10) {}

void DiagramItem::setHidden(bool hidden)
{
    if (hidden_ == hidden)
        return;
    hidden_ = hidden;
    owner_.itemChanged();
}

void DiagramItem::setSelected(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    owner_.itemChanged();
}

void DiagramItem::setText(const QString& text)
{
    if (text_ == text)
        return;
    owner_.undoLog().record(*this, Property::Text, text_, text);
    text_ = text;
    owner_.itemChanged();
}

void DiagramItem::setFont(const QFont& font)
{
    if (font_ == font)
        return;
    owner_.undoLog().record(*this, Property::Font, font_, font);
    font_ = font;
    owner_.itemChanged();
}

void DiagramItem::setAlignment(Qt::Alignment alignment)
{
    if (alignment != Qt::AlignLeft && alignment != Qt::AlignHCenter && alignment != Qt::AlignRight)
        raiseError(kErrBadArgument, "Invalid text alignment");
    if (alignment_ == alignment)
        return;
    owner_.undoLog().record(*this, Property::Alignment, int(alignment_), int(alignment));
    alignment_ = alignment;
    owner_.itemChanged();
}

Node::Node(DiagramControl& owner, const QRectF& twips, const QString& text)
    : DiagramItem(owner, text), rect_(twips.normalized()) {}

void Node::setRect(const QRectF& twips)
{
    rect_ = twips.normalized();
    diagram().itemMoved();
}

void Node::setFillColor(quint32 bgr)
{
    bgr &= 0xFFFFFF;
    if (fillColor_ == bgr)
        return;
    diagram().undoLog().record(*this, Property::FillColor, fillColor_, bgr);
    fillColor_ = bgr;
    diagram().itemChanged();
}

Link::Link(DiagramControl& owner, Node& org, Node& dst, const QString& text)
    : DiagramItem(owner, text), org_(org), dst_(dst) {}

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor& color)
{
    return quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16;
}

}
