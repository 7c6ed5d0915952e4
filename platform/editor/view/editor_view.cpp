#include "platform/editor/view/editor_view.h"
#include "platform/editor/model/commands.h"
#include "platform/editor/view/control_widgets.h"
#include "platform/editor/view/print_document.h"
#include "platform/editor/vek32.h"
#include "platform/win/qt_child_controls.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

namespace ks::editor::view {
namespace {

constexpr int kBlinkMs = 530;

}

EditorView::EditorView(HWND hWnd, QWidget* parent)
    : QAbstractScrollArea(parent), hwnd_(hWnd), animator_([this] { viewport()->update(); })
{
    installPrintHandler();
    ks::win::trackKeyStateFromQt();
    editor_ = findEditor(hWnd);
    if (editor_) {
        if (editor_->view)
            editor_->view->windowGone();   // one view shows a window at a time
        editor_->view = this;
        layout_ = std::make_unique<DocLayout>(*editor_);
    }
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(20);
    blink_.setInterval(kBlinkMs);
    connect(&blink_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        viewport()->update(caretRect().adjusted(-1, 0, 1, 0));
    });
}

EditorView* EditorView::create(QWidget* parent, unsigned style)
{
    HWND h = EditorCreateWindow(nullptr, "", style, 0, 0, 0, 0);
    auto* v = new EditorView(h, parent);
    v->ownsWindow_ = true;
    return v;
}

EditorView::~EditorView()
{
    if (!editor_)
        return;
    editor_->view = nullptr;
    if (ownsWindow_)
        EditorDestroyWindow(hwnd_);
}

// Lays out what the model reported changed (nothing when nothing did), then places the controls.
DocLayout* EditorView::layout()
{
    if (!layout_)
        return nullptr;
    if (layout_->upToDate(viewport()->width()))
        return layout_.get();
    layout_->sync(viewport()->width());
    updateScrollRange();
    placeControls();
    return layout_.get();
}

// Changes come in bursts (a page being read, a command): they are laid out once, after the
// burst, and before the paint they asked for.
void EditorView::layOutSoon()
{
    if (layoutQueued_)
        return;
    layoutQueued_ = true;
    QMetaObject::invokeMethod(this, [this] {
        layoutQueued_ = false;
        layout();
    }, Qt::QueuedConnection);
}

void EditorView::textChanged(const TextChange& change)
{
    if (!layout_)
        return;
    layout_->changed(change);
    layOutSoon();
}

void EditorView::updateScrollRange()
{
    int h = layout_ ? layout_->height() : 0;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, h - viewport()->height()));
}

QPoint EditorView::documentPoint(QPoint p) const { return p + QPoint(0, verticalScrollBar()->value()); }

std::uint64_t EditorView::caretPos() { return editor_ ? editor_->posOf(editor_->caret) : 0; }
std::uint64_t EditorView::anchorPos() { return editor_ ? editor_->posOf(editor_->anchor) : 0; }

// The caret never goes past the document's final paragraph mark.
std::uint64_t EditorView::lastCaretPos()
{
    std::uint64_t n = editor_->doc.length();
    const auto& paras = editor_->doc.paragraphs();
    return n > 0 && !paras.empty() && paras.back().terminated() ? n - 1 : n;
}

QRect EditorView::caretRect()
{
    DocLayout* l = layout();
    if (!l)
        return {};
    QRect r = l->caretRect(caretPos());
    return r.translated(0, -verticalScrollBar()->value()).adjusted(0, 0, 1, 0);
}

void EditorView::moveCaret(std::uint64_t pos, bool extend)
{
    if (!editor_)
        return;
    pos = std::min(pos, lastCaretPos());
    editor_->caret = editor_->positionOf(pos);
    if (!extend)
        editor_->anchor = editor_->caret;
    editor_->typingFont = -1;   // the typing font follows the caret
    caretOn_ = true;
    ensureCaretVisible();
    viewport()->update();
    emit caretMoved();
}

void EditorView::ensureCaretVisible()
{
    QRect r = caretRect();
    if (r.isNull())
        return;
    QScrollBar* bar = verticalScrollBar();
    if (r.top() < 0)
        bar->setValue(bar->value() + r.top());
    else if (r.bottom() > viewport()->height())
        bar->setValue(bar->value() + r.bottom() - viewport()->height());
}

std::uint32_t EditorView::caretStyle()
{
    if (!editor_)
        return 0;
    std::uint64_t from, to;
    editor_->selectionRange(from, to);
    if (from != to)
        return editor_->styleAt(from);
    if (editor_->typingFont >= 0) {
        const FontEntry* f = editor_->fonts.get(editor_->typingFont);
        return f ? f->style : 0;
    }
    return editor_->styleAt(from > 0 && editor_->caret.col > 0 ? from - 1 : from);
}

bool EditorView::editable() { return editor_ && !editor_->readOnly; }

// After an edit only what changed is painted again: the paragraphs laid out anew (down to
// the bottom when the text below moved) and the caret's old and new places.
void EditorView::edited()
{
    goalX_ = -1;
    int scroll = verticalScrollBar()->value();
    QRect oldCaret = paintedCaret_;
    bool changed = layout_ && layout_->sync(viewport()->width()) > 0;
    updateScrollRange();
    if (changed)
        placeControls();
    QRect area = changed ? layout_->changedArea() : QRect();
    area |= oldCaret.adjusted(-1, 0, 2, 0);
    area = area.translated(0, -scroll).intersected(viewport()->rect());
    ensureCaretVisible();
    caretOn_ = true;
    QRect caret = caretRect().adjusted(-1, 0, 2, 0);
    editArea_ = verticalScrollBar()->value() == scroll ? (area | caret).intersected(viewport()->rect()) : viewport()->rect();
    viewport()->update(editArea_);
    emit caretMoved();
}

void EditorView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    QRect clip = event->rect();
    p.fillRect(clip, editor_ ? colourOf(editor_->settings.background) : QColor(Qt::white));
    DocLayout* l = layout();
    if (!l)
        return;
    int scroll = verticalScrollBar()->value();
    p.translate(0, -scroll);
    l->paintBackground(p, clip.translated(0, scroll));
    PaintOptions o;
    editor_->selectionRange(o.selectionFrom, o.selectionTo);
    o.paragraphMarks = editor_->checkedCommands.count(kCmdParagraphMarks) != 0;
    animator_.update(*editor_);
    o.frameOf = [this](int id) { return animator_.frameOf(id); };
    l->paint(p, clip.translated(0, scroll), o);
    if (hasFocus() && caretOn_ && o.selectionFrom == o.selectionTo) {
        QRect c = l->caretRect(caretPos());
        p.fillRect(c.adjusted(0, 0, 1, 0), Qt::black);
        paintedCaret_ = c;
    }
}

// Control objects in sight get their widgets at their anchors; the others are hidden. Done
// after layout and scrolling, never while painting.
void EditorView::placeControls()
{
    if (!layout_)
        return;
    int scroll = verticalScrollBar()->value();
    std::map<HWND, QRect> inSight;
    for (const auto& placed : layout_->objectsIn(viewport()->rect().translated(0, scroll)))
        if (const ObjectData* o = editor_->object(placed.id); o && o->kind == ObjectData::Kind::Control && o->control)
            inSight[o->control] = placed.rect.translated(0, -scroll);
    for (auto& [control, rect] : inSight) {
        QPointer<QWidget>& w = controlWidgets_[control];
        if (!w)
            w = makeControlWidget(control, viewport());
        if (w) {
            w->setGeometry(rect);
            w->show();
        }
    }
    for (auto it = controlWidgets_.begin(); it != controlWidgets_.end();) {
        if (!IsWindow(it->first) || !it->second) {
            delete it->second.data();   // its window is gone
            it = controlWidgets_.erase(it);
            continue;
        }
        if (!inSight.count(it->first))
            it->second->hide();
        ++it;
    }
}

void EditorView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layout();
    updateScrollRange();
    if (!editor_ || moving_)
        return;
    // The window's client rectangle follows the widget; the add-on relays frames on 0xAAE.
    int w = width(), h = height();
    if (w != editor_->width || h != editor_->height) {
        if (auto win = ks::win::findWindow(hwnd_)) {
            RECT r = win->rect();
            win->setRect({r.left, r.top, r.left + w, r.top + h});
        }
        SendMessage(hwnd_, WM_SIZE, 0, static_cast<LPARAM>((h & 0xFFFF) << 16 | (w & 0xFFFF)));
    }
}

void EditorView::scrollContentsBy(int, int)
{
    placeControls();
    viewport()->update();
}

void EditorView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    caretOn_ = true;
    blink_.start();
    if (editor_)
        EditorNotifyFocus(hwnd_, 1, nullptr);
    viewport()->update();
}

void EditorView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    blink_.stop();
    if (editor_)
        EditorNotifyFocus(hwnd_, 0, nullptr);
    viewport()->update();
}

bool EditorView::pointOf(std::uint64_t pos, int& x, int& y)
{
    DocLayout* l = layout();
    if (!l)
        return false;
    QRect r = l->caretRect(pos);
    if (r.isNull())
        return false;
    x = r.x();
    y = r.y() - verticalScrollBar()->value();
    return true;
}

void EditorView::repaint()
{
    if (layout_)
        layOutSoon();   // a font or picture may have changed in place
    viewport()->update();
}

void EditorView::optionsChanged()
{
    viewport()->update();
    emit viewOptionsChanged();
}

void EditorView::showCaret() { ensureCaretVisible(); }

void EditorView::moved(int x, int y, int width, int height)
{
    moving_ = true;
    setGeometry(x, y, width, height);
    moving_ = false;
}

void EditorView::windowGone()
{
    editor_ = nullptr;
    layout_.reset();
    blink_.stop();
    animator_.stop();
    hide();
    if (child_)
        deleteLater();
}

// A frame window: a view of its own over the outer one's text, at the window's rectangle,
// with the border its style asks for.
void EditorView::childCreated(void* child)
{
    auto* v = new EditorView(static_cast<HWND>(child), viewport());
    v->child_ = true;
    if (auto w = ks::win::findWindow(static_cast<HWND>(child))) {
        RECT r = w->rect();
        bool framed = w->style() & (WS_THICKFRAME | WS_DLGFRAME);
        v->setFrameShape(framed ? QFrame::Box : QFrame::NoFrame);
        v->moved(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    v->show();
}

}
