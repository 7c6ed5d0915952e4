#include "platform/workbook/view/grid_view.h"

#include "platform/ui/ui.h"
#include "platform/workbook/view/cell_painter.h"
#include "platform/workbook/view/key_codes.h"
#include "platform/workbook/view/workbook_control.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

namespace ks::workbook::view {

namespace {
const QColor kHeadingFill(0xEE, 0xEE, 0xEE);
const QColor kHeadingActive(0xC8, 0xD4, 0xE8);
const QColor kSelectionFill(0x33, 0x66, 0xCC, 0x30);

// A drop-down keeps its keys: they are not the grid's to report.
class ObjectListBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        QComboBox::keyPressEvent(event);
        event->accept();
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        QComboBox::keyReleaseEvent(event);
        event->accept();
    }
};

QStringList itemsOf(const Book& book, int id)
{
    QStringList items;
    for (int i = 0, n = book.ListItemCount(id); i < n; ++i)
        items << QString::fromStdString(book.ListItemText(id, i));
    return items;
}
}

GridView::GridView(WorkbookControl& control) : control_(control), book_(control.book())
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setRange(1, kMaxRows);
    horizontalScrollBar()->setRange(1, kMaxColumns);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(20);
    horizontalScrollBar()->setPageStep(5);
    editor_ = new QLineEdit(viewport());
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    shownSheet_ = book_.CurrentSheet();
    syncLists();
}

// The scroll bars count from 1; before their ranges are set they may still read 0.
int GridView::topRow() const { return std::max(1, verticalScrollBar()->value()); }
int GridView::leftColumn() const { return std::max(1, horizontalScrollBar()->value()); }

const SheetGeometry& GridView::geometry()
{
    if (geometryDirty_) {
        geometry_.rebuild(book_.data().sheets[static_cast<std::size_t>(book_.CurrentSheet()) - 1], book_.data().styles);
        geometryDirty_ = false;
    }
    return geometry_;
}

QPoint GridView::sheetOrigin()
{
    const SheetGeometry& g = geometry();
    return {g.colLeft(leftColumn()) - rowHeaderWidth_, g.rowTop(topRow()) - colHeaderHeight_};
}

std::optional<CellPos> GridView::cellAtPoint(const QPoint& point)
{
    if (point.x() < rowHeaderWidth_ || point.y() < colHeaderHeight_)
        return std::nullopt;
    QPoint s = point + sheetOrigin();
    return CellPos{geometry().rowAt(s.y()), geometry().colAt(s.x())};
}

QPoint GridView::cellCenter(int row, int col)
{
    const SheetGeometry& g = geometry();
    QPoint s(g.colLeft(col) + g.colWidth(col) / 2, g.rowTop(row) + g.rowHeight(row) / 2);
    return s - sheetOrigin();
}

QComboBox* GridView::listBox(int id) const
{
    auto it = lists_.find(id);
    return it == lists_.end() ? nullptr : it->second.data();
}

void GridView::setHeadingsShown(bool shown)
{
    headings_ = shown;
    rowHeaderWidth_ = shown ? 44 : 0;
    colHeaderHeight_ = shown ? 20 : 0;
    placeEditor();
    placeLists();
    viewport()->update();
}

Block GridView::shownBlock()
{
    const SheetGeometry& g = geometry();
    QPoint o = sheetOrigin();
    int lastRow = g.rowAt(o.y() + viewport()->height());
    int lastCol = g.colAt(o.x() + viewport()->width());
    return {topRow(), leftColumn(), std::max(topRow(), lastRow), std::max(leftColumn(), lastCol)};
}

void GridView::bookChanged(const BookChange& change)
{
    bool sheetSwitched = book_.CurrentSheet() != shownSheet_;
    if (sheetSwitched || change.kind == BookChange::Whole) {
        cancelEdit();
        shownSheet_ = book_.CurrentSheet();
    }
    if (sheetSwitched || change.kind == BookChange::Layout || change.kind == BookChange::Whole ||
        change.kind == BookChange::Sheets || change.kind == BookChange::Formats)
        geometryDirty_ = true;
    if (sheetSwitched || change.kind == BookChange::Objects || change.kind == BookChange::Whole ||
        change.kind == BookChange::Sheets)
        syncLists();
    else if (change.kind == BookChange::Layout || change.kind == BookChange::Formats)
        placeLists();
    viewport()->update();
}

void GridView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    Block shown = shownBlock();
    QPoint o = sheetOrigin();
    p.save();
    p.setClipRect(QRect(rowHeaderWidth_, colHeaderHeight_, viewport()->width(), viewport()->height()));
    p.translate(-o);
    paintBlock(p, book_, geometry(), shown, PaintOptions{});
    paintSelection(p);
    p.restore();
    if (headings_)
        paintHeadings(p, shown);
}

void GridView::paintSelection(QPainter& p)
{
    const SheetGeometry& g = geometry();
    Block s = book_.GetSelectedBlock();
    auto rectOf = [&](const Block& b) {
        return QRect(QPoint(g.colLeft(b.col1), g.rowTop(b.row1)),
                     QPoint(g.colLeft(b.col2 + 1) - 1, g.rowTop(b.row2 + 1) - 1));
    };
    if (s.rows() > 1 || s.cols() > 1)
        p.fillRect(rectOf(s), kSelectionFill);
    CellPos c = book_.GetCursorCell();
    p.setPen(QPen(QColor(0x22, 0x44, 0x99), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rectOf({c.row, c.col, c.row, c.col}).adjusted(1, 1, -1, -1));
}

void GridView::paintHeadings(QPainter& p, const Block& shown)
{
    const SheetGeometry& g = geometry();
    QPoint o = sheetOrigin();
    CellPos cursor = book_.GetCursorCell();
    QFont font = fontOf(Font{});
    p.setFont(font);
    p.fillRect(QRect(0, 0, viewport()->width(), colHeaderHeight_), kHeadingFill);
    p.fillRect(QRect(0, 0, rowHeaderWidth_, viewport()->height()), kHeadingFill);
    p.setPen(Qt::gray);
    for (int col = shown.col1; col <= shown.col2; ++col) {
        QRect r(g.colLeft(col) - o.x(), 0, g.colWidth(col), colHeaderHeight_);
        if (r.right() < rowHeaderWidth_)
            continue;
        if (col == cursor.col)
            p.fillRect(r, kHeadingActive);
        p.setPen(Qt::gray);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(columnLetters(col)));
    }
    for (int row = shown.row1; row <= shown.row2; ++row) {
        int h = g.rowHeight(row);
        if (h == 0)
            continue;
        QRect r(0, g.rowTop(row) - o.y(), rowHeaderWidth_, h);
        if (row == cursor.row)
            p.fillRect(r, kHeadingActive);
        p.setPen(Qt::gray);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::number(row));
    }
    p.fillRect(QRect(0, 0, rowHeaderWidth_, colHeaderHeight_), kHeadingFill);
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    placeEditor();
    placeLists();
}

void GridView::scrollContentsBy(int, int)
{
    placeEditor();
    placeLists();
    viewport()->update();
}

void GridView::scrollToCursor()
{
    const SheetGeometry& g = geometry();
    CellPos c = book_.GetCursorCell();
    int areaH = viewport()->height() - colHeaderHeight_, areaW = viewport()->width() - rowHeaderWidth_;
    if (c.row < topRow())
        verticalScrollBar()->setValue(c.row);
    else if (g.rowTop(c.row + 1) - g.rowTop(topRow()) > areaH)
        verticalScrollBar()->setValue(std::min(c.row, g.rowAt(g.rowTop(c.row + 1) - areaH) + 1));
    if (c.col < leftColumn())
        horizontalScrollBar()->setValue(c.col);
    else if (g.colLeft(c.col + 1) - g.colLeft(leftColumn()) > areaW)
        horizontalScrollBar()->setValue(std::min(c.col, g.colAt(g.colLeft(c.col + 1) - areaW) + 1));
    viewport()->update();
}

// --- mouse ---

void GridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus();
    if (editing_ && !commitEdit())
        return;
    QPoint pos = event->position().toPoint();
    if (pos.x() < rowHeaderWidth_ && pos.y() >= colHeaderHeight_) {
        int row = geometry().rowAt(pos.y() + sheetOrigin().y());
        book_.SelectBlock(row, 1, row, kMaxColumns);
        return;
    }
    if (pos.y() < colHeaderHeight_ && pos.x() >= rowHeaderWidth_) {
        int col = geometry().colAt(pos.x() + sheetOrigin().x());
        book_.SelectBlock(1, col, kMaxRows, col);
        return;
    }
    auto cell = cellAtPoint(pos);
    if (!cell)
        return;
    if (event->modifiers() & Qt::ShiftModifier) {
        CellPos from = book_.GetCursorCell();
        book_.SelectBlock(from.row, from.col, cell->row, cell->col);
    } else {
        book_.PlaceCursor(cell->row, cell->col);
        anchor_ = extentEnd_ = *cell;
    }
    dragging_ = true;
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    auto cell = cellAtPoint(event->position().toPoint());
    if (!cell)
        return;
    Block current = book_.GetSelectedBlock();
    Block wanted = Block{anchor_.row, anchor_.col, cell->row, cell->col}.normalised();
    if (!(current == wanted)) {
        book_.SelectBlock(anchor_.row, anchor_.col, cell->row, cell->col);
        extentEnd_ = *cell;
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    CellPos c = book_.GetCursorCell();
    control_.raiseClick(c.row, c.col);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    auto cell = cellAtPoint(event->position().toPoint());
    if (!cell || editing_)
        return;
    std::string formula = book_.SheetFormula(cell->row, cell->col);
    startEdit(QString::fromStdString(formula.empty() ? book_.SheetText(cell->row, cell->col) : "=" + formula));
}

// --- keys ---

bool GridView::focusNextPrevChild(bool)
{
    return false;  // Tab moves the cursor, not the focus
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (editing_)
        return;
    int key = keyCodeOf(*event), shift = shiftStateOf(*event);
    if (key != 0 && !control_.raiseKeyDown(key, shift))
        return;  // the handler took the key
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        event->ignore();
        return;
    }
    switch (key) {
    case kKeyDelete: deleteSelection(); return;
    case kKeyF2: {
        CellPos c = book_.GetCursorCell();
        std::string formula = book_.SheetFormula(c.row, c.col);
        startEdit(QString::fromStdString(formula.empty() ? book_.SheetText(c.row, c.col) : "=" + formula));
        return;
    }
    case kKeyBack: startEdit(QString()); return;
    case kKeyEscape: return;
    case kKeyReturn: case kKeyTab: case kKeyUp: case kKeyDown: case kKeyLeft: case kKeyRight:
    case 33: case 34: case 36:
        moveCursor(key, shift);
        return;
    default: break;
    }
    QString text = event->text();
    if (!text.isEmpty() && text[0].isPrint())
        startEdit(text);
}

void GridView::keyReleaseEvent(QKeyEvent* event)
{
    if (!editing_)
        raiseKeyUp(event);
}

void GridView::raiseKeyUp(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    int key = keyCodeOf(*event);
    if (key != 0)
        control_.raiseKeyUp(key, shiftStateOf(*event));
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor_)
        return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return editorKeyPress(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::KeyRelease && !editing_) {
        // The key that ended the edit is released after the commit.
        raiseKeyUp(static_cast<QKeyEvent*>(event));
        return true;
    }
    return false;
}

bool GridView::editorKeyPress(QKeyEvent* event)
{
    int key = keyCodeOf(*event), shift = shiftStateOf(*event);
    bool ends = key == kKeyReturn || key == kKeyTab || key == kKeyUp || key == kKeyDown || key == kKeyEscape;
    if (!ends || !editing_)
        return false;
    if (!control_.raiseKeyDown(key, shift))
        return true;
    if (key == kKeyEscape) {
        cancelEdit();
        return true;
    }
    if (commitEdit())
        moveCursor(key, shift);
    return true;
}

void GridView::extendSelection(int key)
{
    // Shift with an arrow moves the far corner of the selection; the anchor stays.
    Block now = book_.GetSelectedBlock();
    if (!(Block{anchor_.row, anchor_.col, extentEnd_.row, extentEnd_.col}.normalised() == now))
        anchor_ = extentEnd_ = book_.GetCursorCell();
    CellPos& e = extentEnd_;
    switch (key) {
    case kKeyUp: e.row = std::max(1, e.row - 1); break;
    case kKeyDown: e.row = std::min(kMaxRows, e.row + 1); break;
    case kKeyLeft: e.col = std::max(1, e.col - 1); break;
    case kKeyRight: e.col = std::min(kMaxColumns, e.col + 1); break;
    default: break;
    }
    book_.SelectBlock(anchor_.row, anchor_.col, e.row, e.col);
}

void GridView::moveCursor(int key, int shift)
{
    bool arrow = key == kKeyUp || key == kKeyDown || key == kKeyLeft || key == kKeyRight;
    if (arrow && (shift & 1) && !editing_) {
        extendSelection(key);
        return;
    }
    CellPos c = book_.GetCursorCell();
    const SheetGeometry& g = geometry();
    bool back = shift & 1;
    int page = std::max(1, (viewport()->height() - colHeaderHeight_) / SheetGeometry::pixelsOfHeight(0));
    int dRow = 0, dCol = 0;
    switch (key) {
    case kKeyReturn: dRow = back ? -1 : 1; break;
    case kKeyTab: dCol = back ? -1 : 1; break;
    case kKeyUp: dRow = -1; break;
    case kKeyDown: dRow = 1; break;
    case kKeyLeft: dCol = -1; break;
    case kKeyRight: dCol = 1; break;
    case 33: dRow = -page; break;
    case 34: dRow = page; break;
    case 36: c.col = 1; break;
    default: return;
    }
    int step = dRow < 0 ? -1 : 1;
    for (int n = std::abs(dRow); n > 0;) {
        int next = c.row + step;
        if (next < 1 || next > kMaxRows)
            break;
        c.row = next;
        if (g.rowHeight(next) > 0)
            --n;  // hidden rows are passed over
    }
    c.col = std::clamp(c.col + dCol, 1, kMaxColumns);
    if (g.rowHeight(c.row) == 0)
        c = book_.GetCursorCell();
    book_.PlaceCursor(c.row, c.col);
    scrollToCursor();
}

void GridView::deleteSelection()
{
    try {
        book_.DeleteSelection();
    } catch (const RuntimeError&) {
        ui::Beep();  // locked cells of a protected sheet keep their contents
    }
}

// --- the in-cell editor ---

void GridView::startEdit(const QString& text)
{
    CellPos c = book_.GetCursorCell();
    if (book_.CellLocked(c.row, c.col)) {
        ui::Beep();
        return;
    }
    control_.raiseStartEdit();
    editing_ = true;
    editCell_ = c;
    editor_->setFont(fontOf(book_.CellFormatAt(book_.CurrentSheet(), c.row, c.col).font));
    editor_->setText(text);
    placeEditor();
    editor_->show();
    editor_->setFocus();
    editor_->end(false);
}

bool GridView::commitEdit()
{
    if (!editing_)
        return true;
    std::string text = editor_->text().toStdString();
    control_.raiseEndEdit(text);
    try {
        book_.EnterCellText(editCell_.row, editCell_.col, text);
    } catch (const RuntimeError& e) {
        if (e.number() != kErrLockedCell) {
            // A formula that does not parse: say so and let the user mend it.
            ui::MsgBox(QString::fromStdString(e.description()), ui::OKOnly | ui::Exclamation,
                      QString::fromStdString(control_.ControlTitle()));
            editor_->setFocus();
            return false;
        }
        ui::Beep();
    }
    editing_ = false;
    editor_->hide();
    setFocus();
    viewport()->update();
    return true;
}

void GridView::cancelEdit()
{
    if (!editing_)
        return;
    editing_ = false;
    editor_->hide();
    if (editor_->hasFocus())
        setFocus();
    viewport()->update();
}

void GridView::placeEditor()
{
    if (!editing_)
        return;
    const SheetGeometry& g = geometry();
    QPoint o = sheetOrigin();
    QRect r(g.colLeft(editCell_.col) - o.x(), g.rowTop(editCell_.row) - o.y(), g.colWidth(editCell_.col),
            g.rowHeight(editCell_.row));
    editor_->setGeometry(r.adjusted(2, 2, -2, -2));
}

// --- embedded drop-downs ---

void GridView::syncLists()
{
    std::map<int, QPointer<QComboBox>> kept;
    for (const ListObject* list : book_.ListObjects(book_.CurrentSheet())) {
        QPointer<QComboBox> box = listBox(list->id);
        if (!box) {
            box = new ObjectListBox(viewport());
            int id = list->id;
            // activated comes from the user only; the program's changes raise nothing.
            connect(box, &QComboBox::activated, this, [this, id](int item) {
                const ListObject* changed = book_.FindList(id);
                if (!changed)
                    return;
                std::string name = changed->name;
                book_.setListSelection(id, item);
                control_.raiseObjValueChanged(name, id);
            });
        }
        QSignalBlocker block(box);
        QStringList items = itemsOf(book_, list->id);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        if (shown != items) {
            box->clear();
            box->addItems(items);
        }
        if (box->currentIndex() != list->selection)
            box->setCurrentIndex(list->selection);
        kept[list->id] = box;
    }
    for (auto& [id, box] : lists_)
        if (box && !kept.count(id))
            delete box.data();
    lists_ = std::move(kept);
    placeLists();
}

void GridView::placeLists()
{
    // Without drop-downs there is nothing to place, and no geometry to rebuild for it.
    if (lists_.empty())
        return;
    QPoint o = sheetOrigin();
    QRect area(rowHeaderWidth_, colHeaderHeight_, viewport()->width(), viewport()->height());
    for (auto& [id, box] : lists_) {
        const ListObject* list = book_.FindList(id);
        if (!box || !list)
            continue;
        QRect r = geometry().anchorRect(list->anchor).toRect().translated(-o);
        box->setGeometry(r);
        box->setVisible(r.intersects(area) && r.height() > 0);
    }
}

}
