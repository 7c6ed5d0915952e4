#pragma once
// The editor window on screen: a scroll area over one editor window handle
// that lays the model's document out, paints it, and turns keys and mouse
// into the model's operations (so the model's events fire from real input).
#include "platform/editor/model/view_hooks.h"
#include "platform/editor/view/animation.h"
#include "platform/editor/view/doc_layout.h"
#include "platform/win/win_types.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>

#include <map>
#include <memory>

namespace ks::editor::view {

class EditorView : public QAbstractScrollArea, private ViewHooks {
    Q_OBJECT
public:
    // Shows the editor window hWnd (made by EditorCreateWindow); an unknown handle shows nothing.
    explicit EditorView(HWND hWnd, QWidget* parent = nullptr);
    // Makes a new editor window (style as EditorCreateWindow's) shown by a new view it owns.
    static EditorView* create(QWidget* parent, unsigned style = 0x54002041);
    ~EditorView() override;

    HWND handle() const { return hwnd_; }
    // The layout, brought up to date: for printing and tests.
    DocLayout* layout();
    // The caret's rectangle in the viewport's pixels.
    QRect caretRect();
    // Copies the selection to the clipboard (plain text and RTF); cut also deletes it.
    void copy();
    void cut();
    // The character style the formatting buttons show: of the selection's first character,
    // else of the typing font, else of the character before the caret.
    std::uint32_t caretStyle();
    // The viewport area the last edit repainted.
    QRect lastEditArea() const { return editArea_; }
    // Pastes the clipboard's text at the caret; characters outside Windows-1252 become "?" and the user is told.
    void paste();

signals:
    // After a view option (toolbar, ruler, paragraph marks) changed.
    void viewOptionsChanged();
    // After the caret moved or the text changed through the view.
    void caretMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool) override { return false; }   // Tab is text

private:
    // ViewHooks
    bool pointOf(std::uint64_t pos, int& x, int& y) override;
    void repaint() override;
    void textChanged(const TextChange& change) override;
    void showCaret() override;
    void optionsChanged() override;
    void moved(int x, int y, int width, int height) override;
    void windowGone() override;
    void childCreated(void* child) override;

    // Keys (editor_keys.cpp).
    bool speedKey(QKeyEvent* event);
    bool navigationKey(QKeyEvent* event);
    bool editingKey(QKeyEvent* event);
    void typeText(const QString& text);
    void deleteAround(bool forward);
    std::uint64_t wordStep(std::uint64_t pos, bool forward);
    std::uint64_t overHidden(std::uint64_t pos, bool forward);
    std::uint64_t lineStep(std::uint64_t pos, int dy);

    // Caret and selection.
    std::uint64_t caretPos();
    std::uint64_t anchorPos();
    std::uint64_t lastCaretPos();
    void moveCaret(std::uint64_t pos, bool extend);
    void selectWord(std::uint64_t pos);
    bool editable();
    void edited();
    void ensureCaretVisible();
    void updateScrollRange();
    QPoint documentPoint(QPoint viewportPoint) const;
    void placeControls();
    void layOutSoon();

    HWND hwnd_ = nullptr;
    Editor* editor_ = nullptr;
    std::unique_ptr<DocLayout> layout_;
    bool ownsWindow_ = false;
    bool child_ = false;   // made for a window inside another: goes when its window goes
    bool moving_ = false;
    bool caretOn_ = true;
    bool layoutQueued_ = false;
    float goalX_ = -1;   // the column up and down keep to
    QTimer blink_;
    QRect editArea_;
    Animator animator_;
    QRect paintedCaret_;   // document pixels
    std::map<HWND, QPointer<QWidget>> controlWidgets_;
};

}
