#include "platform/editor/view/doc_layout.h"

#include <algorithm>
#include <climits>

namespace ks::editor::view {
namespace {

constexpr float kMarkerRoom = 24;

}

float ParaBox::markerRoom() const { return listed() && format.firstIndent >= 0 ? kMarkerRoom : 0; }

bool DocLayout::same(std::size_t para, const ParaBox& b) const
{
    const Paragraph& p = editor_.doc.paragraphs()[para];
    return p.meta.cell == b.cell && p.chars.size() == b.chars.size() && p.chars == b.chars && p.fonts == b.fonts &&
           editor_.formatOf(para) == b.format;
}

std::size_t DocLayout::sync(int width)
{
    width = std::max(1, width - 2 * kMargin);
    editor_.doc.lineCount();   // lets the model finish its own pending edits first
    bool all = fonts_.sync(editor_.fonts) || width != width_;
    width_ = width;
    std::size_t n = editor_.doc.paragraphs().size(), old = boxes_.size();
    if (all) {
        pictures_.clear();
        relayout(0, old, n, false);
        return n;
    }
    std::size_t first = 0;
    while (first < n && first < old && same(first, boxes_[first]))
        ++first;
    std::size_t tail = 0;
    while (tail < n - first && tail < old - first && same(n - 1 - tail, boxes_[old - 1 - tail]))
        ++tail;
    if (first == n && first == old)
        return 0;
    // A table is laid out whole: widen the change to the tables at its ends.
    const auto& paras = editor_.doc.paragraphs();
    while (first > 0 && paras[first - 1].meta.cell != 0)
        --first;
    while (tail > 0 && paras[n - tail].meta.cell != 0)
        --tail;
    relayout(first, old - tail, n - tail, true);
    return n - tail - first;
}

// Replaces boxes [first, oldEnd) by layouts of paragraphs [first, newEnd). With edited, the
// width and fonts are those of the old boxes, so an edited paragraph's old lines may serve.
void DocLayout::relayout(std::size_t first, std::size_t oldEnd, std::size_t newEnd, bool edited)
{
    const auto& paras = editor_.doc.paragraphs();
    int oldTop = first < boxes_.size() ? boxes_[first].blockTop() : height() - kMargin;
    int oldBottom = oldEnd > first && oldEnd <= boxes_.size() ? blockBottom(oldEnd - 1) : oldTop;
    std::vector<ParaBox> fresh(newEnd - first);
    for (std::size_t i = first; i < newEnd; ++i) {
        ParaBox& b = fresh[i - first];
        b.chars = paras[i].chars;
        b.fonts = paras[i].fonts;
        b.format = editor_.formatOf(i);
        b.cell = paras[i].meta.cell;
    }
    // One paragraph edited in place (a keystroke): its old lines outside the change are kept.
    const ParaBox* before = edited && newEnd - first == 1 && oldEnd - first == 1 ? &boxes_[first] : nullptr;
    for (std::size_t i = first; i < newEnd;) {
        ParaBox& b = fresh[i - first];
        if (b.cell == 0) {
            b.width = width_;
            b.geometry = before && before->cell == 0 && before->format == b.format
                             ? relayoutParagraph(b.text(), fonts_, width_, before->geometry, before->chars, before->fonts.data())
                             : layoutParagraph(b.text(), fonts_, width_);
            ++i;
            continue;
        }
        std::size_t j = i;
        for (int id = outerTable(editor_, b.cell); j < newEnd && outerTable(editor_, paras[j].meta.cell) == id;)
            ++j;
        layoutTable(fresh, first, i, j);
        i = j;
    }
    boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(first), boxes_.begin() + static_cast<std::ptrdiff_t>(oldEnd));
    boxes_.insert(boxes_.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(fresh.begin()),
                  std::make_move_iterator(fresh.end()));
    place(first);
    numberLists();
    int top = first < boxes_.size() ? boxes_[first].blockTop() : oldTop;
    int bottom = newEnd > first ? blockBottom(newEnd - 1) : top;
    int wide = width_ + 2 * kMargin;
    bool numbersMoved = false;
    for (std::size_t i = newEnd; i < boxes_.size() && boxes_[i].listed() && !numbersMoved; ++i)
        numbersMoved = true;   // the numbers of the list below may have changed
    changed_ = bottom == oldBottom && !numbersMoved ? QRect(0, std::min(top, oldTop), wide, bottom - std::min(top, oldTop))
                                                    : QRect(0, std::min(top, oldTop), wide, INT_MAX / 2);
}

void DocLayout::layoutTable(std::vector<ParaBox>& fresh, std::size_t offset, std::size_t a, std::size_t b)
{
    std::vector<CellSlot> places(b - a);
    TableLayouter layouter(editor_, [&](std::size_t p, int w) {
        ParaBox& box = fresh[p - offset];
        box.geometry = layoutParagraph(box.text(), fonts_, w);
        return box.geometry.height;
    }, [&](std::size_t p) {
        ContentWidth w = contentWidth(fresh[p - offset].text(), fonts_);
        return std::pair(w.narrowest, w.widest);
    }, places, a);
    auto geometry = std::make_shared<TableGeometry>(layouter.layout(a, b, width_));
    for (std::size_t p = a; p < b; ++p) {
        ParaBox& box = fresh[p - offset];
        box.x = places[p - a].x;
        box.width = places[p - a].width;
        box.relY = places[p - a].relY;
        box.table = geometry;
    }
}

int DocLayout::blockBottom(std::size_t para) const
{
    const ParaBox& b = boxes_[para];
    return b.table ? b.table->y + b.table->height : b.y + b.geometry.height;
}

// Paragraphs one under another; a table takes its height, its paragraphs sit inside it.
void DocLayout::place(std::size_t from)
{
    int y = from > 0 ? blockBottom(from - 1) : kMargin;
    for (std::size_t i = from; i < boxes_.size(); ++i) {
        ParaBox& b = boxes_[i];
        if (!b.table) {
            b.y = y;
            y += b.geometry.height;
            continue;
        }
        if (i == 0 || boxes_[i - 1].table != b.table) {
            b.table->y = y;
            y += b.table->height;
        }
        b.y = b.table->y + b.relY;
    }
}

// A row end takes no room in its table, but the caret after a table that ends the
// document stands on it: the document reaches down to its line too.
int DocLayout::height() const
{
    if (boxes_.empty())
        return 2 * kMargin;
    const ParaBox& last = boxes_.back();
    return std::max(blockBottom(boxes_.size() - 1), last.y + last.geometry.height) + kMargin;
}

std::uint64_t DocLayout::paraPos(std::size_t para) const { return editor_.doc.paraPos(para); }

std::size_t DocLayout::paragraphAt(int y) const
{
    auto it = std::upper_bound(boxes_.begin(), boxes_.end(), y, [](int v, const ParaBox& b) { return v < b.blockTop(); });
    return it == boxes_.begin() ? 0 : static_cast<std::size_t>(it - boxes_.begin()) - 1;
}

bool DocLayout::lineOf(std::uint64_t pos, std::size_t& para, std::size_t& line) const
{
    std::size_t modelLine, col;
    if (boxes_.empty() || !editor_.doc.posToLineCol(pos, modelLine, col))
        return false;
    const Line* l = editor_.doc.line(modelLine);
    if (!l || l->para >= boxes_.size())
        return false;
    para = l->para;
    std::uint32_t c = static_cast<std::uint32_t>(l->start + col);
    const auto& lines = boxes_[para].geometry.lines;
    line = 0;
    while (line + 1 < lines.size() && c >= lines[line + 1].start)
        ++line;
    return true;
}

std::uint64_t DocLayout::lineStart(std::size_t para, std::size_t line) const
{
    return paraPos(para) + boxes_[para].geometry.lines[line].start;
}

std::uint64_t DocLayout::lineEnd(std::size_t para, std::size_t line) const
{
    const ParaBox& b = boxes_[para];
    const ScreenLine& l = b.geometry.lines[line];
    std::uint32_t end = l.start + l.length;
    // The caret stays before an end mark or a forced break, not after it.
    if (end > l.start && (endsParagraph(b.chars[end - 1]) || b.chars[end - 1] == kLineBreak))
        --end;
    return paraPos(para) + end;
}

QRect DocLayout::caretRect(std::uint64_t pos) const
{
    std::size_t para, line;
    if (!lineOf(pos, para, line))
        return {};
    const ParaBox& b = boxes_[para];
    const ScreenLine& l = b.geometry.lines[line];
    ParaText t = b.text();
    LineWalker w(t, fonts_, l);
    std::uint32_t col = static_cast<std::uint32_t>(pos - paraPos(para));
    while (!w.done() && w.col() < col)
        w.next();
    return QRect(kMargin + b.x + static_cast<int>(w.x()), b.y + l.top, 1, l.height);
}

std::uint64_t DocLayout::positionAt(QPoint point, bool under) const
{
    if (boxes_.empty())
        return 0;
    std::size_t para = paragraphAt(point.y());
    if (boxes_[para].table) {
        // In a table: the paragraph whose box holds the point, else the nearest one.
        while (para > 0 && boxes_[para - 1].table == boxes_[para].table)
            --para;
        std::size_t best = para;
        int bestDistance = INT_MAX;
        for (std::size_t i = para; i < boxes_.size() && boxes_[i].table == boxes_[para].table; ++i) {
            QRect r = boxes_[i].rect().translated(kMargin, 0);
            int dx = std::max({r.left() - point.x(), 0, point.x() - r.right()});
            int dy = std::max({r.top() - point.y(), 0, point.y() - r.bottom()});
            if (dx + dy < bestDistance)
                bestDistance = dx + dy, best = i;
        }
        para = best;
    }
    const ParaBox& b = boxes_[para];
    const auto& lines = b.geometry.lines;
    std::size_t line = 0;
    while (line + 1 < lines.size() && point.y() >= b.y + lines[line + 1].top)
        ++line;
    ParaText t = b.text();
    LineWalker w(t, fonts_, lines[line]);
    float x = static_cast<float>(point.x() - kMargin - b.x);
    std::uint64_t last = lineEnd(para, line) - paraPos(para);
    while (!w.done() && w.col() < last && w.x() + (under ? w.advance() : w.advance() / 2) < x)
        w.next();
    return paraPos(para) + std::min<std::uint64_t>(w.col(), last);
}

void DocLayout::numberLists()
{
    std::vector<int> counters, levels;
    int previous = 0;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        ParaBox& b = boxes_[i];
        int id = b.format.listFormat ? b.format.listFormat : (b.format.flags & kListNumbered ? -1 : 0);
        if (id == 0) {
            b.marker.clear();
            previous = 0;
            continue;
        }
        if (previous == 0)
            counters.clear();
        previous = id;
        ListFormat list = id > 0 ? editor_.lists.get(id) : ListFormat{0, 1, 0, 0};
        std::size_t slot = static_cast<std::size_t>(id + 1);
        if (counters.size() <= slot) {
            counters.resize(slot + 1, 0);
            levels.resize(slot + 1, 0);
        }
        levels[slot] = list.level;
        // An item of an outer list ends the lists nested deeper: the next one starts anew.
        for (std::size_t deeper = 0; deeper < counters.size(); ++deeper)
            if (levels[deeper] > list.level)
                counters[deeper] = 0;
        int number = list.start + counters[slot]++;
        b.marker = listMarker(list, number);
    }
}

std::vector<DocLayout::PlacedObject> DocLayout::objectsIn(const QRect& area) const
{
    std::vector<PlacedObject> found;
    std::size_t i = boxes_.empty() ? 0 : paragraphAt(area.top());
    while (i > 0 && boxes_[i].table && boxes_[i - 1].table == boxes_[i].table)
        --i;
    for (; i < boxes_.size() && boxes_[i].blockTop() <= area.bottom(); ++i) {
        const ParaBox& b = boxes_[i];
        if (b.chars.find(kObjectChar) == std::string::npos)
            continue;
        ParaText t = b.text();
        for (const ScreenLine& l : b.geometry.lines)
            for (LineWalker w(t, fonts_, l); !w.done(); w.next())
                if (b.chars[w.col()] == kObjectChar) {
                    const ScreenFont& f = fonts_.get(b.fonts[w.col()]);
                    QRect r(kMargin + b.x + static_cast<int>(w.x()), b.y + l.top + l.baseline - static_cast<int>(f.ascent),
                            f.objectWidth, f.objectHeight);
                    if (r.intersects(area))
                        found.push_back({b.fonts[w.col()], r});
                }
    }
    return found;
}

std::vector<int> DocLayout::pageTops(int pageHeight) const
{
    std::vector<int> tops{0};
    pageHeight = std::max(pageHeight, 1);
    for (const ParaBox& b : boxes_) {
        for (const ScreenLine& l : b.geometry.lines) {
            int top = b.y + l.top, bottom = top + l.height;
            // A line that would cross the page's foot starts the next page (a taller one is cut).
            if (bottom - tops.back() > pageHeight && top > tops.back())
                tops.push_back(top);
        }
        // A page-break paragraph ends its page.
        if (!b.chars.empty() && b.chars.front() == kPageBreak && b.y + b.geometry.height < height())
            tops.push_back(b.y + b.geometry.height);
    }
    return tops;
}

}
