#pragma once
// The document laid out for the screen (or a page) at a width: every paragraph
// of the model as screen lines, one under the other. Layout is incremental: the
// owner passes on the model's reports of changed paragraphs (changed()), and
// sync() lays out again only those, then moves the ones below. The text itself
// is read from the model, never copied.
#include "platform/editor/model/editor.h"
#include "platform/editor/view/font_cache.h"
#include "platform/editor/view/list_marker.h"
#include "platform/editor/view/para_layout.h"
#include "platform/editor/view/picture_cache.h"
#include "platform/editor/view/table_layout.h"

#include <QRect>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>

class QPainter;

namespace ks::editor::view {

struct ParaBox {
    int y = 0;                   // top, document pixels
    int x = 0, width = 0;        // its column: the window's text width, or a table cell's inside
    int relY = 0;                // in a table: its top below the table's
    std::shared_ptr<TableGeometry> table;   // the outermost table holding it, null outside tables
    int blockTop() const { return table ? table->y : y; }
    QRect rect() const { return QRect(x, y, width, geometry.height); }
    ParaGeometry geometry;
    QString marker;              // list bullet or number, empty without
    ParaFormat format;           // as laid out
    int cell = 0;
    // A list marker takes room before the text unless the first line hangs into the indent.
    float markerRoom() const;
    bool listed() const { return format.listFormat != 0 || (format.flags & kListNumbered); }
};

// What to draw besides the text.
struct PaintOptions {
    std::uint64_t selectionFrom = 0, selectionTo = 0;
    bool paragraphMarks = false;
    std::function<int(int)> frameOf;   // the picture an animated object shows now

};

class DocLayout {
public:
    static constexpr int kMargin = 6;   // pixels between the window's edge and the text

    explicit DocLayout(Editor& editor) : editor_(editor) {}

    // The model changed these paragraphs; the next sync lays them out.
    void changed(const TextChange& change);
    // Whether sync at this window width has anything to do.
    bool upToDate(int width) const;
    // Brings the layout up to date for a window width; returns how many paragraphs were laid out.
    std::size_t sync(int width);
    int width() const { return width_; }
    // The document rectangle the last sync changed (down to the end when text below moved).
    QRect changedArea() const { return changed_; }
    int height() const;
    std::size_t paragraphCount() const { return boxes_.size(); }
    const ParaBox& box(std::size_t para) const { return boxes_[para]; }

    // The caret's rectangle at a text position (document pixels); empty when there is none.
    QRect caretRect(std::uint64_t pos) const;
    // The text position nearest to a document point; with under, the character under it.
    std::uint64_t positionAt(QPoint point, bool under = false) const;
    // The paragraph whose box holds y (the last one below the end).
    std::size_t paragraphAt(int y) const;
    // The screen line of a position: its paragraph and line index.
    bool lineOf(std::uint64_t pos, std::size_t& para, std::size_t& line) const;
    // Positions at the start and end of a screen line.
    std::uint64_t lineStart(std::size_t para, std::size_t line) const;
    std::uint64_t lineEnd(std::size_t para, std::size_t line) const;

    // The objects (pictures, controls) of the lines inside a document rectangle, with their rectangles.
    struct PlacedObject {
        int id;
        QRect rect;
    };
    std::vector<PlacedObject> objectsIn(const QRect& area) const;

    // The document's background picture (EditorSetBkPicture) under clip: tiled in mode 2, else once at the top.
    void paintBackground(QPainter& painter, const QRect& clip) const;
    // Paints the part of the document inside clip (document pixels).
    void paint(QPainter& painter, const QRect& clip, const PaintOptions& options) const;
    // The tops of pages of a height, cut between screen lines: page n shows [tops[n], tops[n+1]).
    std::vector<int> pageTops(int pageHeight) const;

private:
    // Paragraphs changed since the last sync: [first, oldEnd) of the boxes are [first, newEnd) of the model.
    struct Pending {
        bool any = false;
        std::size_t first = 0, oldEnd = 0, newEnd = 0;
        bool inPlace = false;   // one paragraph, characters [at, at + inserted) new, erased ones gone
        std::size_t at = 0, erased = 0, inserted = 0;
    };
    ParaText text(std::size_t para, const ParaBox& box) const;
    ParaText text(std::size_t para) const { return text(para, boxes_[para]); }
    void relayout(std::size_t first, std::size_t oldEnd, std::size_t newEnd, const Pending* inPlace);
    void place(std::size_t from);
    void layoutTable(std::vector<ParaBox>& fresh, std::size_t offset, std::size_t a, std::size_t b);
    int blockBottom(std::size_t para) const;
    void paintTable(QPainter& p, const TableGeometry& t) const;
    void numberLists();
    std::uint64_t paraPos(std::size_t para) const;
    void paintParagraph(QPainter& p, std::size_t para, const QRect& clip, const PaintOptions& o) const;
    void paintLine(QPainter& p, const ParaBox& b, const ParaText& t, const ScreenLine& l, int top,
                   const PaintOptions& o, std::uint64_t base) const;
    void paintObject(QPainter& p, int id, const QRectF& rect, const PaintOptions& o) const;

    Editor& editor_;
    FontCache fonts_;
    mutable PictureCache pictures_;
    std::vector<ParaBox> boxes_;
    int width_ = -1;
    QRect changed_;
    Pending pending_;
    std::uint64_t fontsSeen_ = ~std::uint64_t(0);   // the font table's revision last looked at
};

}
