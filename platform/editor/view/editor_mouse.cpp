// The mouse: click to place the caret (or follow a link), drag and shift-click to select,
// double-click for a word.
#include "platform/editor/view/editor_view.h"
#include "platform/editor/vek32.h"

#include <QMouseEvent>

namespace ks::editor::view {

void EditorView::mousePressEvent(QMouseEvent* event)
{
    if (!editor_ || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    QPoint at = event->position().toPoint();
    editor_->mouseX = at.x();   // the information record's last mouse position
    editor_->mouseY = at.y();
    DocLayout* l = layout();
    bool ctrl = event->modifiers() & Qt::ControlModifier;
    std::uint64_t under = l->positionAt(documentPoint(at), true);
    std::size_t line, col;
    if (!(event->modifiers() & Qt::ShiftModifier) && editor_->doc.posToLineCol(under, line, col) &&
        EditorClickAt(hwnd_, static_cast<int>(line), static_cast<int>(col), at.x(), at.y(), ctrl) != -1) {
        viewport()->update();
        return;   // a link click: the add-on has it
    }
    moveCaret(l->positionAt(documentPoint(at)), event->modifiers() & Qt::ShiftModifier);
    goalX_ = -1;
}

void EditorView::mouseMoveEvent(QMouseEvent* event)
{
    if (!editor_ || !(event->buttons() & Qt::LeftButton))
        return;
    DocLayout* l = layout();
    moveCaret(l->positionAt(documentPoint(event->position().toPoint())), true);
}

void EditorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!editor_ || event->button() != Qt::LeftButton)
        return;
    selectWord(layout()->positionAt(documentPoint(event->position().toPoint()), true));
}

void EditorView::selectWord(std::uint64_t pos)
{
    std::uint64_t start = wordStep(pos + 1, false);
    std::uint64_t end = pos;
    char c;
    std::uint16_t f;
    while (end < lastCaretPos() && editor_->doc.charAt(end, c, f) &&
           (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0xC0 || c == '_'))
        ++end;
    if (end <= start)
        end = std::min(start + 1, lastCaretPos());
    moveCaret(start, false);
    moveCaret(end, true);
}

}
