#include "platform/editor/view/doc_layout.h"

#include <algorithm>
#include <climits>

namespace ks::editor::view {
namespace {

constexpr float kMarkerRoom = 24;

}

float ParaBox::markerRoom() const { return listed() && format.firstIndent >= 0 ? kMarkerRoom : 0; }

ParaText DocLayout::text(std::size_t para, const ParaBox& b) const
{
    const auto& paras = editor_.doc.paragraphs();
    if (para >= paras.size())
        return {{}, nullptr, &b.format, 0, false};
    return {paras[para].chars, paras[para].fonts.data(), &b.format, b.markerRoom(), b.listed()};
}

// Changes add up: the first one's range grows by each later one, in the model's numbering
// after it.
void DocLayout::changed(const TextChange& c)
{
    if (!pending_.any) {
        pending_ = {true, c.first, c.first + c.removed, c.first + c.added, c.inPlace, c.at, c.erased, c.inserted};
        return;
    }
    std::size_t end = std::max(pending_.newEnd, c.first + c.removed);
    pending_.oldEnd += end - pending_.newEnd;
    pending_.newEnd = end - c.removed + c.added;
    pending_.first = std::min(pending_.first, c.first);
    pending_.inPlace = false;
}

bool DocLayout::upToDate(int width) const
{
    return !pending_.any && fontsSeen_ == editor_.fonts.revision() && std::max(1, width - 2 * kMargin) == width_;
}

std::size_t DocLayout::sync(int width)
{
    width = std::max(1, width - 2 * kMargin);
    editor_.doc.lineCount();   // lets the model finish its own pending edits (and report them) first
    bool fontsChanged = fontsSeen_ != editor_.fonts.revision() && fonts_.sync(editor_.fonts);
    fontsSeen_ = editor_.fonts.revision();
    bool all = fontsChanged || width != width_;
    width_ = width;
    Pending c = pending_;
    pending_ = {};
    std::size_t n = editor_.doc.paragraphs().size(), old = boxes_.size();
    if (all) {
        pictures_.clear();
        relayout(0, old, n, nullptr);
        return n;
    }
    if (!c.any)
        return 0;
    // Reports past the end come from an edit the model then cut short.
    c.newEnd = std::min(c.newEnd, n);
    c.oldEnd = std::min(c.oldEnd, old);
    c.first = std::min({c.first, c.newEnd, c.oldEnd});
    // A table is laid out whole: widen the change to the tables at its ends.
    const auto& paras = editor_.doc.paragraphs();
    while (c.first > 0 && paras[c.first - 1].meta.cell != 0) {
        --c.first;
        c.inPlace = false;
    }
    while (c.newEnd < n && c.oldEnd < old && paras[c.newEnd].meta.cell != 0) {
        ++c.newEnd;
        ++c.oldEnd;
        c.inPlace = false;
    }
    relayout(c.first, c.oldEnd, c.newEnd, c.inPlace ? &c : nullptr);
    return c.newEnd - c.first;
}

// Replaces boxes [first, oldEnd) by layouts of paragraphs [first, newEnd). With inPlace (one
// paragraph edited inside, same width and fonts), its old lines outside the change may serve.
void DocLayout::relayout(std::size_t first, std::size_t oldEnd, std::size_t newEnd, const Pending* inPlace)
{
    const auto& paras = editor_.doc.paragraphs();
    int oldTop = first < boxes_.size() ? boxes_[first].blockTop() : height() - kMargin;
    int oldBottom = oldEnd > first && oldEnd <= boxes_.size() ? blockBottom(oldEnd - 1) : oldTop;
    std::vector<ParaBox> fresh(newEnd - first);
    for (std::size_t i = first; i < newEnd; ++i) {
        ParaBox& b = fresh[i - first];
        b.format = editor_.formatOf(i);
        b.cell = paras[i].meta.cell;
    }
    // One paragraph edited in place (a keystroke): its old lines outside the change are kept.
    const ParaBox* before = inPlace && newEnd - first == 1 && oldEnd - first == 1 ? &boxes_[first] : nullptr;
    for (std::size_t i = first; i < newEnd;) {
        ParaBox& b = fresh[i - first];
        if (b.cell == 0) {
            b.width = width_;
            ParaText t = text(i, b);
            if (before && before->cell == 0 && before->format == b.format) {
                std::size_t n = t.chars.size(), unchanged = inPlace->at + inPlace->inserted;
                b.geometry = relayoutParagraph(t, fonts_, width_, before->geometry, inPlace->at,
                                               n - std::min(n, unchanged), n - inPlace->inserted + inPlace->erased);
            } else {
                b.geometry = layoutParagraph(t, fonts_, width_);
            }
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
        box.geometry = layoutParagraph(text(p, box), fonts_, w);
        return box.geometry.height;
    }, [&](std::size_t p) {
        ContentWidth w = contentWidth(text(p, fresh[p - offset]), fonts_);
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
    const ScreenLine& l = boxes_[para].geometry.lines[line];
    std::string_view chars = text(para).chars;
    std::uint32_t end = l.start + l.length;
    // The caret stays before an end mark or a forced break, not after it.
    if (end > l.start && end <= chars.size() && (endsParagraph(chars[end - 1]) || chars[end - 1] == kLineBreak))
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
    ParaText t = text(para);
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
    ParaText t = text(para);
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
        ParaText t = text(i);
        if (t.chars.find(kObjectChar) == std::string::npos)
            continue;
        for (const ScreenLine& l : b.geometry.lines)
            for (LineWalker w(t, fonts_, l); !w.done(); w.next())
                if (t.chars[w.col()] == kObjectChar) {
                    const ScreenFont& f = fonts_.get(t.fonts[w.col()]);
                    QRect r(kMargin + b.x + static_cast<int>(w.x()), b.y + l.top + l.baseline - static_cast<int>(f.ascent),
                            f.objectWidth, f.objectHeight);
                    if (r.intersects(area))
                        found.push_back({t.fonts[w.col()], r});
                }
    }
    return found;
}

std::vector<int> DocLayout::pageTops(int pageHeight) const
{
    std::vector<int> tops{0};
    pageHeight = std::max(pageHeight, 1);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const ParaBox& b = boxes_[i];
        for (const ScreenLine& l : b.geometry.lines) {
            int top = b.y + l.top, bottom = top + l.height;
            // A line that would cross the page's foot starts the next page (a taller one is cut).
            if (bottom - tops.back() > pageHeight && top > tops.back())
                tops.push_back(top);
        }
        // A page-break paragraph ends its page.
        std::string_view chars = text(i).chars;
        if (!chars.empty() && chars.front() == kPageBreak && b.y + b.geometry.height < height())
            tops.push_back(b.y + b.geometry.height);
    }
    return tops;
}

}
