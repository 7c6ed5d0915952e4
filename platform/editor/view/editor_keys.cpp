// The keyboard: speed keys, caret movement, typing and deletion through the model's operations.
#include "platform/editor/view/editor_view.h"
#include "platform/editor/view/speed_keys.h"
#include "platform/ui/cp1252_text.h"
#include "platform/editor/model/commands.h"
#include "platform/editor/vek32.h"
#include "platform/ui/ui.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace ks::editor::view {
namespace {

bool wordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0xC0 || c == '_'; }

// Commands that change the document need an editable window.
bool changesText(int command)
{
    return command != kCmdSelectAll && command != kCmdParagraphMarks;
}

}

void EditorView::keyPressEvent(QKeyEvent* event)
{
    if (!editor_) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (speedKey(event) || navigationKey(event) || editingKey(event)) {
        event->accept();
        return;
    }
    QString text = event->text();
    bool printable = !text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                     (text.at(0).isPrint() || text.at(0) == u'\t');
    if (printable) {
        typeText(text);
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// Text an input method composed arrives whole, as if typed.
void EditorView::inputMethodEvent(QInputMethodEvent* event)
{
    if (editor_ && !event->commitString().isEmpty())
        typeText(event->commitString());
    event->accept();
}

QVariant EditorView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle && editor_ && layout_)
        return layout_->caretRect(editor_->posOf(editor_->caret)).translated(0, -verticalScrollBar()->value());
    return QAbstractScrollArea::inputMethodQuery(query);
}

bool EditorView::speedKey(QKeyEvent* event)
{
    int command = speedKeyCommand(event->keyCombination());
    if (command == 0)
        return false;
    if (!VekSpeedKeyEnabled(hwnd_, command))
        return true;   // switched off by the host: the key does nothing at all
    if (changesText(command) && !editable()) {
        ui::Beep();
        return true;
    }
    switch (command) {
    case kKeyBold: case kKeyItalic: case kKeyUnderline: {
        unsigned bit = command == kKeyBold ? kBold : command == kKeyItalic ? kItalic : kUnderline;
        EditorSetCharStyle(hwnd_, bit, caretStyle() & bit ? 0 : 1, 1);
        break;
    }
    case kKeyCentre: EditorSetParaFlags(hwnd_, kAlignCentre, 1, 1); break;
    case kKeyLeft: EditorSetParaFlags(hwnd_, kAlignLeft, 1, 1); break;
    case kKeyRight: EditorSetParaFlags(hwnd_, kAlignRight, 1, 1); break;
    case kKeyJustify: EditorSetParaFlags(hwnd_, kAlignJustify, 1, 1); break;
    default: EditorRunCommand(hwnd_, command); break;
    }
    edited();
    return true;
}

bool EditorView::navigationKey(QKeyEvent* event)
{
    bool extend = event->modifiers() & Qt::ShiftModifier;
    bool ctrl = event->modifiers() & Qt::ControlModifier;
    std::uint64_t pos = caretPos();
    std::uint64_t from, to;
    editor_->selectionRange(from, to);
    DocLayout* l = layout();
    std::size_t para, line;
    float keepGoal = goalX_;
    switch (event->key()) {
    case Qt::Key_Left:
        pos = ctrl ? wordStep(pos, false) : (!extend && from != to) ? from : overHidden(pos, false);
        break;
    case Qt::Key_Right:
        pos = ctrl ? wordStep(pos, true) : (!extend && from != to) ? to : overHidden(pos, true);
        break;
    case Qt::Key_Home:
        pos = ctrl ? 0 : l->lineOf(pos, para, line) ? l->lineStart(para, line) : pos;
        break;
    case Qt::Key_End:
        pos = ctrl ? lastCaretPos() : l->lineOf(pos, para, line) ? l->lineEnd(para, line) : pos;
        break;
    case Qt::Key_Up: pos = lineStep(pos, -1); keepGoal = goalX_; break;
    case Qt::Key_Down: pos = lineStep(pos, 1); keepGoal = goalX_; break;
    case Qt::Key_PageUp: pos = lineStep(pos, -viewport()->height()); keepGoal = goalX_; break;
    case Qt::Key_PageDown: pos = lineStep(pos, viewport()->height()); keepGoal = goalX_; break;
    default: return false;
    }
    moveCaret(pos, extend);
    goalX_ = keepGoal;
    return true;
}

// One character left or right; hidden runs take no room, so the caret passes them in one step.
std::uint64_t EditorView::overHidden(std::uint64_t pos, bool forward)
{
    auto hidden = [&](std::uint64_t p) { return (editor_->styleAt(p) & kHidden) != 0; };
    std::uint64_t end = lastCaretPos();
    if (forward) {
        pos = std::min(pos + 1, end);
        while (pos < end && hidden(pos - 1))
            ++pos;
        return pos;
    }
    pos = pos > 0 ? pos - 1 : 0;
    while (pos > 0 && hidden(pos))
        --pos;
    return pos;
}

// Up and down keep to the column the caret came from; dy of ±1 is one screen line.
std::uint64_t EditorView::lineStep(std::uint64_t pos, int dy)
{
    DocLayout* l = layout();
    QRect r = l->caretRect(pos);
    if (goalX_ < 0)
        goalX_ = r.x();
    int y = dy < 0 ? r.top() - 1 + (dy == -1 ? 0 : dy) : r.bottom() + 1 + (dy == 1 ? 0 : dy);
    if (dy != 1 && dy != -1)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
    if (y < 0)
        return 0;
    if (y >= l->height())
        return lastCaretPos();
    return l->positionAt(QPoint(static_cast<int>(goalX_), y));
}

std::uint64_t EditorView::wordStep(std::uint64_t pos, bool forward)
{
    auto at = [&](std::uint64_t p) {
        char c = 0;
        std::uint16_t f;
        editor_->doc.charAt(p, c, f);
        return c;
    };
    std::uint64_t end = lastCaretPos();
    if (forward) {
        // Over the rest of this word, then the blanks up to the next.
        while (pos < end && wordChar(at(pos)))
            ++pos;
        while (pos < end && !wordChar(at(pos)) && !endsParagraph(at(pos)))
            ++pos;
        return pos == caretPos() ? std::min(pos + 1, end) : pos;
    }
    while (pos > 0 && !wordChar(at(pos - 1)))
        --pos;
    while (pos > 0 && wordChar(at(pos - 1)))
        --pos;
    return pos;
}

bool EditorView::editingKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ShiftModifier))
            cut();
        else if (!editable())
            ui::Beep();
        else
            deleteAround(event->key() == Qt::Key_Delete);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        typeText(QStringLiteral("\r"));
        return true;
    case Qt::Key_Insert:
        if (event->modifiers() & Qt::ShiftModifier)
            paste();
        else if (event->modifiers() & Qt::ControlModifier)
            copy();
        return true;
    default:
        break;
    }
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Cut))
        cut();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else
        return false;
    return true;
}

void EditorView::typeText(const QString& text)
{
    if (!editable()) {
        ui::Beep();   // a read-only window refuses typing
        return;
    }
    ui::Cp1252Text bytes = ui::toCp1252(text);
    if (bytes.replaced > 0) {
        ui::Beep();   // a key the document cannot hold types nothing
        return;
    }
    EditorInsertText(hwnd_, bytes.bytes.c_str());
    edited();
}

void EditorView::deleteAround(bool forward)
{
    std::uint64_t from, to;
    editor_->selectionRange(from, to);
    if (from == to) {
        if (forward ? from >= lastCaretPos() : from == 0)
            return;
        EditorSelectRange(hwnd_, static_cast<int>(forward ? from : from - 1), static_cast<int>(forward ? from + 1 : from));
    }
    EditorDeleteSelection(hwnd_);
    edited();
}

}
