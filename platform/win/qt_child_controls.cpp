#include "platform/win/qt_child_controls.h"

#include "platform/ui/ui.h"
#include "platform/win/list_controls.h"
#include "platform/win/qt_control_text.h"
#include "platform/win/window_handle.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace ks::win {
namespace {

constexpr WPARAM kBackspace = 0x08, kReturn = 0x0D, kTab = 0x09;

std::string controlText(HWND control) { return IsWindow(control) ? findWindow(control)->text() : std::string(); }

// Holds the control's widget, which mirrors the control whenever the control changes (once
// for a burst of messages: a list being filled is shown once, full).
class ControlFrame : public QWidget {
public:
    ControlFrame(HWND control, QWidget* parent) : QWidget(parent), control_(control)
    {
        auto* box = new QVBoxLayout(this);
        box->setContentsMargins(0, 0, 0, 0);
        if (Window* w = windowOf(control_))
            w->watch([this] { refreshSoon(); });
    }
    ~ControlFrame() override
    {
        if (Window* w = windowOf(control_))
            w->watch(nullptr);
    }
    HWND control() const { return control_; }
    void hold(QWidget* inner, std::function<void()> show)
    {
        layout()->addWidget(inner);
        setFocusProxy(inner);
        inner->installEventFilter(this);
        show_ = std::move(show);
        refresh();
    }
    // A user's action on the control, then the widget as the control (and its parent) left it.
    template <class Action>
    void act(Action&& action)
    {
        if (refreshing_ || !IsWindow(control_))
            return;
        SetFocus(control_);
        action();
        refresh();   // now, not later: the widget must not show the state before the action meanwhile
    }
    void refresh()
    {
        if (refreshing_ || !show_ || !IsWindow(control_))
            return;
        refreshing_ = true;
        setEnabled(IsWindowEnabled(control_));
        show_();
        refreshing_ = false;
    }
    bool refreshing() const { return refreshing_; }

protected:
    // The keyboard's owner in the window layer follows the widget's focus.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && IsWindow(control_) && GetFocus() != control_)
            SetFocus(control_);
        if (event->type() == QEvent::KeyPress && passTab(*static_cast<QKeyEvent*>(event)))
            return true;
        return QWidget::eventFilter(watched, event);
    }

private:
    // Tab and Shift+Tab in a subclassed control are its owner's (the add-on walks its
    // document's fields with them); the widget of the control then given the keyboard takes
    // the focus. Controls nobody subclassed keep Qt's own focus order.
    bool passTab(const QKeyEvent& key)
    {
        bool back = key.key() == Qt::Key_Backtab;
        auto window = findWindow(control_);
        if ((key.key() != Qt::Key_Tab && !back) || !window || !window->subclassProc())
            return false;
        setKeyDown(VK_SHIFT, back || (key.modifiers() & Qt::ShiftModifier));
        SendMessage(control_, WM_CHAR, kTab, 0);
        HWND focus = GetFocus();
        if (focus != control_ && parentWidget())
            for (QObject* sibling : parentWidget()->children())
                if (auto* frame = dynamic_cast<ControlFrame*>(sibling); frame && frame->control() == focus)
                    frame->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
    }

    // Messages the refresh itself sends (reading the state back) change nothing.
    void refreshSoon()
    {
        if (refreshing_ || refreshQueued_)
            return;
        refreshQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            refreshQueued_ = false;
            refresh();
        }, Qt::QueuedConnection);
    }

    HWND control_;
    std::function<void()> show_;
    bool refreshing_ = false;
    bool refreshQueued_ = false;
};

QWidget* makeButton(ControlFrame* frame, unsigned style)
{
    HWND control = frame->control();
    unsigned kind = style & BS_TYPEMASK;
    QAbstractButton* button;
    if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX)
        button = new QCheckBox(frame);
    else if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
        auto* radio = new QRadioButton(frame);
        radio->setAutoExclusive(false);   // the control's group decides
        button = radio;
    } else
        button = new QPushButton(frame);
    QObject::connect(button, &QAbstractButton::clicked, frame,
                     [frame, control] { frame->act([&] { SendMessage(control, BM_CLICK, 0, 0); }); });
    frame->hold(button, [button, control] {
        button->setText(qtText(controlText(control)));
        if (button->isCheckable())
            button->setChecked(SendMessage(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    });
    return frame;
}

// Edits: keys go to the control as WM_CHAR (through any subclass the add-on set), so the
// limit, digits-only and the add-on's own key handling hold; the widget only shows.
class EditKeys : public QObject {
public:
    EditKeys(ControlFrame* frame, bool multiline) : QObject(frame), frame_(frame), multiline_(multiline) {}

    // Offsets in the control's text, whose line ends are CR LF, and in the widget's (LF).
    static int toControl(const std::string& text, int widgetOffset)
    {
        int crs = 0;
        for (int i = 0, seen = 0; i < int(text.size()) && seen < widgetOffset; ++i)
            text[std::size_t(i)] == '\r' ? ++crs : ++seen;
        return widgetOffset + crs;
    }
    static int toWidget(const std::string& text, int controlOffset)
    {
        int crs = 0;
        for (int i = 0; i < controlOffset && i < int(text.size()); ++i)
            crs += text[std::size_t(i)] == '\r';
        return controlOffset - crs;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        std::string chars;
        QString typed = key->matches(QKeySequence::Paste) ? QApplication::clipboard()->text() : key->text();
        if (!std::all_of(typed.begin(), typed.end(), ui::inCp1252)) {
            ui::Beep();   // a character the control's 8-bit text cannot hold: nothing is typed
            return true;
        }
        if (key->matches(QKeySequence::Paste))
            chars = libraryText(typed);
        else if (key->key() == Qt::Key_Backspace)
            chars = std::string(1, char(kBackspace));
        else if (key->key() == Qt::Key_Delete)
            return deleteForward(), true;
        else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            chars = std::string(1, char(kReturn));
        else if (!key->text().isEmpty() && key->text()[0].unicode() >= 0x20 && !(key->modifiers() & Qt::ControlModifier))
            chars = libraryText(key->text());
        else
            return QObject::eventFilter(watched, event);   // moving, selecting, copying: the widget's own
        type(chars);
        return true;
    }

private:
    void syncSelection()
    {
        int start = 0, end = 0;
        selection(start, end);
        std::string text = controlText(frame_->control());
        SendMessage(frame_->control(), EM_SETSEL, WPARAM(toControl(text, start)), LPARAM(toControl(text, end)));
    }
    void type(const std::string& chars)
    {
        frame_->act([&] {
            syncSelection();
            for (char c : chars)
                if (c != '\n' || !multiline_)
                    SendMessage(frame_->control(), WM_CHAR, WPARAM(static_cast<unsigned char>(c == '\n' ? '\r' : c)), 0);
        });
        placeCursor();
    }
    void deleteForward()
    {
        int start = 0, end = 0;
        selection(start, end);
        if (start == end)
            select(start, start + 1);
        type(std::string(1, char(kBackspace)));
    }
    void selection(int& start, int& end) const;
    void select(int start, int end);
    void placeCursor();

    ControlFrame* frame_;
    bool multiline_;

public:
    QLineEdit* line = nullptr;
    QPlainTextEdit* area = nullptr;
};

void EditKeys::selection(int& start, int& end) const
{
    if (line) {
        start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        end = line->hasSelectedText() ? line->selectionEnd() : start;
    } else {
        start = area->textCursor().selectionStart();
        end = area->textCursor().selectionEnd();
    }
}

void EditKeys::select(int start, int end)
{
    if (line)
        line->setSelection(start, end - start);
    else {
        QTextCursor c = area->textCursor();
        c.setPosition(start);
        c.setPosition(std::min(end, int(area->toPlainText().size())), QTextCursor::KeepAnchor);
        area->setTextCursor(c);
    }
}

// The caret where the control's selection ends.
void EditKeys::placeCursor()
{
    unsigned start = 0, end = 0;
    SendMessage(frame_->control(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    int at = toWidget(controlText(frame_->control()), int(end));
    if (line)
        line->setCursorPosition(at);
    else {
        QTextCursor c = area->textCursor();
        c.setPosition(std::min(at, int(area->toPlainText().size())));
        area->setTextCursor(c);
    }
}

QWidget* makeEdit(ControlFrame* frame, unsigned style)
{
    HWND control = frame->control();
    auto* keys = new EditKeys(frame, style & ES_MULTILINE);
    auto shown = [control] {
        std::string text = controlText(control);
        std::string plain;
        for (char c : text)
            if (c != '\r')
                plain += c;
        return qtText(plain);
    };
    if (style & ES_MULTILINE) {
        auto* area = new QPlainTextEdit(frame);
        area->setReadOnly(style & ES_READONLY);
        keys->area = area;
        area->installEventFilter(keys);
        frame->hold(area, [area, shown] {
            if (QString t = shown(); area->toPlainText() != t)
                area->setPlainText(t);
        });
    } else {
        auto* line = new QLineEdit(frame);
        line->setReadOnly(style & ES_READONLY);
        if (style & ES_PASSWORD)
            line->setEchoMode(QLineEdit::Password);
        keys->line = line;
        line->installEventFilter(keys);
        frame->hold(line, [line, shown] {
            if (QString t = shown(); line->text() != t)
                line->setText(t);
        });
    }
    return frame;
}

QWidget* makeList(ControlFrame* frame, unsigned style)
{
    HWND control = frame->control();
    auto* list = new QListWidget(frame);
    bool multiple = style & LBS_MULTIPLESEL;
    list->setSelectionMode(multiple ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    QObject::connect(list, &QListWidget::itemClicked, frame, [frame, list, control](QListWidgetItem* item) {
        frame->act([&] { userSelects(control, list->row(item)); });
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, frame, [frame, list, control](QListWidgetItem* item) {
        frame->act([&] { userDoubleClicks(control, list->row(item)); });
    });
    frame->hold(list, [list, control, multiple] {
        QStringList all = controlEntries(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        if (shown != all) {
            list->clear();
            list->addItems(all);
        }
        int current = int(SendMessage(control, LB_GETCURSEL, 0, 0));
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(multiple ? SendMessage(control, LB_GETSEL, WPARAM(i), 0) > 0 : i == current);
        if (current >= 0)
            list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    });
    return frame;
}

QWidget* makeCombo(ControlFrame* frame)
{
    HWND control = frame->control();
    auto* combo = new QComboBox(frame);
    QObject::connect(combo, &QComboBox::activated, frame,
                     [frame, control](int index) { frame->act([&] { userSelects(control, index); }); });
    frame->hold(combo, [combo, control] {
        QStringList all = controlEntries(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        if (shown != all) {
            combo->clear();
            combo->addItems(all);
        }
        combo->setCurrentIndex(int(SendMessage(control, CB_GETCURSEL, 0, 0)));
    });
    return frame;
}

class KeyState : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto mods = static_cast<QInputEvent*>(event)->modifiers();
            setKeyDown(VK_SHIFT, mods & Qt::ShiftModifier);
            setKeyDown(VK_CONTROL, mods & Qt::ControlModifier);
            break;
        }
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }
};

}

QWidget* makeChildControlWidget(HWND control, QWidget* parent)
{
    auto window = findWindow(control);
    if (!window || window->kind() != WindowKind::Control)
        return nullptr;
    const std::string& cls = window->className();
    auto* frame = new ControlFrame(control, parent);
    if (cls == "Button")
        return makeButton(frame, window->style());
    if (cls == "Edit")
        return makeEdit(frame, window->style());
    if (cls == "ListBox")
        return makeList(frame, window->style());
    if (cls == "ComboBox")
        return makeCombo(frame);
    delete frame;
    return nullptr;
}

void trackKeyStateFromQt()
{
    static KeyState* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new KeyState;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}

}
