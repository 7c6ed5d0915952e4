// Painting the laid-out document: paragraph backgrounds, borders, rules, list
// markers, selection, text runs and pictures.
#include "platform/editor/view/doc_layout.h"
#include "platform/ui/cp1252_text.h"

#include <QPainter>
#include <QPixmap>

namespace ks::editor::view {
namespace {

const QColor kSelection(0xB4, 0xD5, 0xFF);
constexpr std::uint32_t kNoBackground = 0xFFFFFF;

bool drawn(char c)
{
    return static_cast<unsigned char>(c) >= 0x20 || c == kNoBreakSpace;
}

int contentHeight(const ParaGeometry& g)
{
    return g.lines.empty() ? 0 : g.lines.back().top + g.lines.back().height - g.spaceBefore;
}

// A rule's width (low word: percent, or negative pixels; 0 the whole width) and place.
QRect ruleRect(const ParaFormat& f, const QRect& room, int y, int thickness)
{
    auto low = static_cast<std::int16_t>(f.ruleWord & 0xFFFF);
    int width = low > 0 ? room.width() * std::min<int>(low, 100) / 100 : low < 0 ? std::min<int>(-low, room.width()) : room.width();
    std::uint32_t align = static_cast<std::uint32_t>(f.ruleWord) >> 16;
    int x = room.left();
    if (align == kAlignCentre || (low != 0 && align == 0))
        x += (room.width() - width) / 2;   // rules of a given width centre unless told otherwise
    else if (align == kAlignRight)
        x += room.width() - width;
    return QRect(x, y, width, thickness);
}

}

void DocLayout::paint(QPainter& p, const QRect& clip, const PaintOptions& o) const
{
    std::size_t i = boxes_.empty() ? 0 : paragraphAt(clip.top());
    while (i > 0 && boxes_[i].table && boxes_[i - 1].table == boxes_[i].table)
        --i;   // a table is painted from its start
    for (; i < boxes_.size() && boxes_[i].blockTop() <= clip.bottom(); ++i) {
        const ParaBox& b = boxes_[i];
        if (b.table && (i == 0 || boxes_[i - 1].table != b.table))
            paintTable(p, *b.table);
        if (b.rect().translated(kMargin, 0).intersects(clip) || b.geometry.height == 0)
            paintParagraph(p, i, clip, o);
    }
}

void DocLayout::paintParagraph(QPainter& p, std::size_t para, const QRect& clip, const PaintOptions& o) const
{
    const ParaBox& b = boxes_[para];
    const ParaGeometry& g = b.geometry;
    QRect room(kMargin + b.x + g.left, b.y + g.spaceBefore, std::max(1, b.width - g.left - g.right), contentHeight(g));
    if (b.format.background != kNoBackground)
        p.fillRect(room, colourOf(b.format.background));
    if (b.format.flags & kBorderBits) {
        p.setPen(QPen(Qt::black, 1));
        std::uint32_t f = b.format.flags;
        if (f & kBorderTop) p.drawLine(room.topLeft(), room.topRight());
        if (f & kBorderBottom) p.drawLine(room.bottomLeft(), room.bottomRight());
        if (f & kBorderLeft) p.drawLine(room.topLeft(), room.bottomLeft());
        if (f & kBorderRight) p.drawLine(room.topRight(), room.bottomRight());
    }
    if (g.rule && !g.lines.empty()) {
        const ScreenLine& l = g.lines.front();
        int thickness = l.baseline - (l.height - l.baseline);
        QRect r = ruleRect(b.format, room, b.y + l.top + l.height - l.baseline, std::max(1, thickness));
        p.fillRect(r, QColor(0x80, 0x80, 0x80));
        return;
    }
    ParaText t = text(para);
    if (!b.marker.isEmpty() && !g.lines.empty() && !t.chars.empty()) {
        const ScreenFont& f = fonts_.get(t.fonts[0]);
        p.setFont(f.font);
        p.setPen(f.colour.isValid() ? f.colour : QColor(Qt::black));
        const ScreenLine& l = g.lines.front();
        p.drawText(QPointF(kMargin + b.x + g.firstLeft, b.y + l.top + l.baseline), b.marker);
    }
    std::uint64_t base = paraPos(para);
    for (const ScreenLine& l : g.lines) {
        int top = b.y + l.top;
        if (top > clip.bottom())
            break;
        if (top + l.height >= clip.top())
            paintLine(p, b, t, l, top, o, base);
    }
}

void DocLayout::paintLine(QPainter& p, const ParaBox& b, const ParaText& t, const ScreenLine& l, int top,
                          const PaintOptions& o, std::uint64_t base) const
{
    int left = kMargin + b.x;
    // Selection first, under the text.
    std::uint64_t from = std::max(o.selectionFrom, base + l.start), to = std::min(o.selectionTo, base + l.start + l.length);
    if (from < to) {
        float x0 = -1, x1 = 0;
        for (LineWalker w(t, fonts_, l); !w.done(); w.next()) {
            std::uint64_t pos = base + w.col();
            if (pos >= from && pos < to) {
                if (x0 < 0)
                    x0 = w.x();
                x1 = w.x() + std::max(w.advance(), endsParagraph(t.chars[w.col()]) ? 6.0f : 0.0f);
            }
        }
        if (x0 >= 0)
            p.fillRect(QRectF(left + x0, top, x1 - x0, l.height), kSelection);
    }
    // Text in runs of one font; blanks of a justified line, tabs and objects end a run.
    int baseline = top + l.baseline;
    QString run;
    float runX = 0;
    int runFont = -1;
    auto flush = [&] {
        if (!run.isEmpty()) {
            const ScreenFont& f = fonts_.get(runFont);
            QPointF at(left + runX, baseline + f.baselineShift);
            if (f.highlight.isValid()) {
                QFontMetricsF m(f.font);
                p.fillRect(QRectF(at.x(), at.y() - f.ascent, m.horizontalAdvance(run), f.ascent + f.descent), f.highlight);
            }
            p.setFont(f.font);
            p.setPen(f.colour.isValid() ? f.colour : QColor(Qt::black));
            p.drawText(at, run);
        }
        run.clear();
    };
    for (LineWalker w(t, fonts_, l); !w.done(); w.next()) {
        std::uint32_t i = w.col();
        char c = t.chars[i];
        int font = t.fonts[i];
        const ScreenFont& f = fonts_.get(font);
        if (c == kObjectChar && f.object) {
            flush();
            paintObject(p, font, QRectF(left + w.x(), baseline - f.ascent, f.objectWidth, f.objectHeight), o);
            continue;
        }
        if (f.hidden || !drawn(c) || c == '\t' || (c == ' ' && l.blankExtra > 0)) {
            flush();
            if (o.paragraphMarks && endsParagraph(c)) {
                p.setFont(fonts_.get(font).font);
                p.setPen(Qt::gray);
                p.drawText(QPointF(left + w.x(), baseline), QString(QChar(0xB6)));
            }
            continue;
        }
        if (font != runFont || run.isEmpty()) {
            flush();
            runFont = font;
            runX = w.x();
        }
        run += c == kNoBreakSpace ? QChar(0xA0) : ui::charFromCp1252(static_cast<unsigned char>(c));
    }
    flush();
}

void DocLayout::paintBackground(QPainter& p, const QRect& clip) const
{
    const ObjectData* o = editor_.object(editor_.backgroundPicture);
    const QImage* image = o && o->kind == ObjectData::Kind::Picture ? pictures_.get(*o) : nullptr;
    if (!image || image->isNull())
        return;
    constexpr int kTiledMode = 2;
    if (editor_.backgroundMode == kTiledMode)
        p.drawTiledPixmap(clip, QPixmap::fromImage(*image), clip.topLeft());
    else
        p.drawImage(QPoint(0, 0), *image);
}

void DocLayout::paintTable(QPainter& p, const TableGeometry& t) const
{
    for (const CellGeometry& c : t.cells) {
        QRect r = c.rect.translated(kMargin, t.y);
        if (c.background.isValid())
            p.fillRect(r, c.background);
        if (c.border > 0) {
            p.setPen(QPen(QColor(0x80, 0x80, 0x80), c.border));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

void DocLayout::paintObject(QPainter& p, int id, const QRectF& r, const PaintOptions& options) const
{
    const ObjectData* o = editor_.object(id);
    if (!o || o->kind != ObjectData::Kind::Picture)
        return;   // controls are widgets of their own
    int shown = options.frameOf ? options.frameOf(id) : id;
    if (const ObjectData* frame = editor_.object(shown); frame && frame != o)
        o = frame, id = shown;
    if (const QImage* image = pictures_.get(*o)) {
        p.drawImage(r, *image);
        return;
    }
    // A missing picture, or bytes that cannot be decoded, keep their place as a frame
    // with the picture's alt text, as browsers show them.
    p.save();
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (!o->altText.empty()) {
        p.setPen(Qt::darkGray);
        p.setClipRect(r, Qt::IntersectClip);
        p.drawText(r.adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, ui::fromCp1252(o->altText));
    }
    p.restore();
}

}
