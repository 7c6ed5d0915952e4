#pragma once
// The items of a diagram: nodes (boxes with text) and links (arrows from one
// node to another). Positions and sizes are twips at natural size (zoom 100);
// colours are 0xBBGGRR values like every colour the programs keep. Changes to
// text, fill colour, font and alignment are recorded for undo by the diagram
// that owns the item and repaint it.
#include <QFont>
#include <QRectF>
#include <QString>
#include <QtGlobal>

namespace ks::diagram {

class DiagramControl;
class Node;

// What nodes and links share: the caller's tag text, visibility, selection,
// text and its font and alignment.
class DiagramItem {
public:
    virtual ~DiagramItem() = default;
    DiagramItem(const DiagramItem&) = delete;
    DiagramItem& operator=(const DiagramItem&) = delete;

    // Free text for the caller; the diagram never reads it.
    const QString& Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    // A hidden item is neither drawn nor printed nor picked by a click.
    bool Hidden() const { return hidden_; }
    void setHidden(bool hidden);

    bool Selected() const { return selected_; }
    void setSelected(bool selected);

    const QString& Text() const { return text_; }
    void setText(const QString& text);

    // The text's font; the diagram keeps one for every item.
    const QFont& Font() const { return font_; }
    void setFont(const QFont& font);

    // Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight; others raise kErrBadArgument.
    Qt::Alignment Alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);

    DiagramControl& diagram() const { return owner_; }

protected:
    DiagramItem(DiagramControl& owner, const QString& text);

private:
    friend class UndoLog;
    DiagramControl& owner_;
    QString tag_, text_;
    QFont font_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    bool hidden_ = false, selected_ = false;
};

class Node : public DiagramItem {
public:
    // Left, top, width and height in twips.
    const QRectF& Rect() const { return rect_; }
    void setRect(const QRectF& twips);

    quint32 FillColor() const { return fillColor_; }
    void setFillColor(quint32 bgr);

private:
    friend class DiagramControl;
    friend class UndoLog;
    Node(DiagramControl& owner, const QRectF& twips, const QString& text);
    QRectF rect_;
    quint32 fillColor_ = 0xFFFFFF;
};

class Link : public DiagramItem {
public:
    // The node the link starts at and the node its arrow points to.
    Node& Org() const { return org_; }
    Node& Dst() const { return dst_; }

private:
    friend class DiagramControl;
    Link(DiagramControl& owner, Node& org, Node& dst, const QString& text);
    Node& org_;
    Node& dst_;
};

// 0xBBGGRR to and from Qt's colour.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor& color);

}
