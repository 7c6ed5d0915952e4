#pragma once
// The diagram control: nodes and links drawn on a scrolling widget at a zoom
// in x and y (100 is natural size). A click selects the item under the mouse
// (Ctrl adds to the selection). Changes of text, fill colour, font and
// alignment can be undone and redone, one step per change or per action.
#include "platform/diagram/diagram_items.h"

#include <QAbstractScrollArea>
#include <QList>
#include <memory>
#include <vector>

class QPainter;

namespace ks::diagram {

class UndoLog;

class DiagramControl : public QAbstractScrollArea {
public:
    explicit DiagramControl(QWidget* parent = nullptr);
    ~DiagramControl() override;

    // ---- Items, in the order they were added (later ones drawn on top).
    Node& AddNode(const QRectF& twips, const QString& text = QString());
    // Both ends must be nodes of this diagram, else kErrBadArgument.
    Link& AddLink(Node& org, Node& dst, const QString& text = QString());
    QList<Node*> Nodes() const;
    QList<Link*> Links() const;
    QList<Node*> SelectedNodes() const;
    QList<Link*> SelectedLinks() const;
    // Removes every node and link and forgets undo and redo.
    void Clear();

    // ---- Zoom in percent, 100 natural size; 1 to 10000, else kErrBadArgument.
    int xZoom() const { return xZoom_; }
    void setXZoom(int percent);
    int yZoom() const { return yZoom_; }
    void setYZoom(int percent);

    // The diagram's own size at natural size, in twips: the right and bottom
    // edges of its furthest nodes (hidden ones included); 0 when empty.
    double DiagramWidth() const;
    double DiagramHeight() const;

    // ---- Drawing. While Repaint is off, changes are not drawn until it is
    // switched on again or Refresh is called.
    bool Repaint() const { return repaint_; }
    void setRepaint(bool on);
    void Refresh();
    // 0 brings the control in front of its siblings, 1 sends it behind them.
    void ZOrder(int position = 0);

    // ---- Undo and redo of text, fill colour, font and alignment changes.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // Changes made while the returned object lives undo as one step.
    class Action {
    public:
        explicit Action(DiagramControl& diagram);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;
    private:
        DiagramControl& diagram_;
    };

    // Draws the diagram's shown items in twips at natural size: the painter's
    // transform gives the zoom. Selection marks are for the screen only.
    void paintDiagram(QPainter& painter, bool withSelection) const;

    // ---- For the items: record a change for undo and repaint; a change of
    // place or size also resizes the scrolling area.
    UndoLog& undoLog() { return *undo_; }
    void itemChanged();
    void itemMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();
    double pixelsPerTwipX() const;
    double pixelsPerTwipY() const;
    DiagramItem* itemAt(const QPointF& twips) const;

    std::vector<std::unique_ptr<Node>> nodes_;
    std::vector<std::unique_ptr<Link>> links_;
    std::unique_ptr<UndoLog> undo_;
    int xZoom_ = 100, yZoom_ = 100;
    bool repaint_ = true;
};

}
