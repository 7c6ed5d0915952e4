#include "platform/win/dialog_box.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>

namespace ks::win {
namespace {

DialogRunner*& runner()
{
    static DialogRunner* installed = nullptr;
    return installed;
}

std::shared_ptr<DialogWindow> dialogOf(HWND dialog) { return findWindowAs<DialogWindow>(dialog); }

// Makes the template's controls; returns the first one that takes the keyboard.
HWND createControls(HWND dialog, const DialogTemplate& t)
{
    HWND first = nullptr;
    for (const DialogControl& c : t.controls) {
        RECT place{c.x, c.y, c.x + c.width, c.y + c.height};
        HWND control = createChildWindow(controlClassName(c.kind), c.caption, controlStyle(c), place, dialog, c.id);
        if (!first && (controlStyle(c) & WS_TABSTOP))
            first = control;
    }
    return first;
}

// Nobody to act on the dialog: it is cancelled as Esc would cancel it.
void cancelUnattended(HWND dialog) { SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

}

std::string controlClassName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return "Static";
    case ControlKind::Edit:
    case ControlKind::NumberEdit: return "Edit";
    case ControlKind::ListBox: return "ListBox";
    default: return "Button";
    }
}

unsigned controlStyle(const DialogControl& control)
{
    unsigned style = WS_CHILD | WS_VISIBLE | (control.groupStart ? WS_GROUP : 0);
    switch (control.kind) {
    case ControlKind::Label: return style;
    case ControlKind::GroupBox: return style | BS_GROUPBOX;
    case ControlKind::Edit: return style | WS_TABSTOP | ES_AUTOHSCROLL;
    case ControlKind::NumberEdit: return style | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER;
    case ControlKind::PushButton: return style | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::DefaultButton: return style | WS_TABSTOP | BS_DEFPUSHBUTTON;
    case ControlKind::CheckBox: return style | WS_TABSTOP | BS_AUTOCHECKBOX;
    case ControlKind::RadioButton: return style | (control.groupStart ? WS_TABSTOP : 0) | BS_AUTORADIOBUTTON;
    case ControlKind::ListBox: return style | WS_TABSTOP | LBS_NOTIFY;
    }
    return style;
}

LRESULT DialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT || message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
        Window::handleMessage(message, wParam, lParam);
    return procedure_(handle(), message, wParam, lParam);
}

LONG_PTR DialogWindow::setLongPtr(int index, LONG_PTR value)
{
    if (index == DWLP_USER)
        return std::exchange(user_, value);
    if (index == DWLP_MSGRESULT)
        return std::exchange(messageResult_, value);
    return Window::setLongPtr(index, value);
}

LONG_PTR DialogWindow::longPtr(int index) const
{
    return index == DWLP_USER ? user_ : index == DWLP_MSGRESULT ? messageResult_ : Window::longPtr(index);
}

void DialogWindow::end(LRESULT result)
{
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    if (runner())
        runner()->ended(handle());
}

DialogRunner* setDialogRunner(DialogRunner* installed) { return std::exchange(runner(), installed); }

}

using namespace ks::win;

LRESULT DialogBoxParam(const char* templateName, HWND owner, DLGPROC procedure, LPARAM param)
{
    const DialogTemplate* t = templateName ? findDialogTemplate(templateName) : nullptr;
    return t ? DialogBoxIndirectParam(*t, owner, procedure, param) : -1;
}

LRESULT DialogBoxIndirectParam(const DialogTemplate& dialogTemplate, HWND owner, DLGPROC procedure, LPARAM param)
{
    if (!procedure)
        return -1;
    auto window = std::make_shared<DialogWindow>(dialogTemplate, procedure);
    window->setText(dialogTemplate.title);
    window->setParent(owner);
    window->setRect({0, 0, dialogTemplate.width, dialogTemplate.height});
    HWND dialog = registerWindow(window);
    HWND focusBefore = GetFocus();
    HWND first = createControls(dialog, dialogTemplate);
    if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first)
        SetFocus(first);
    if (!window->ended()) {
        if (runner())
            runner()->run(dialog);
        else
            cancelUnattended(dialog);
    }
    window->end(window->ended() ? window->result() : -1);
    LRESULT result = window->result();
    DestroyWindow(dialog);
    if (focusBefore)
        SetFocus(focusBefore);
    return result;
}

bool EndDialog(HWND dialog, LRESULT result)
{
    auto window = dialogOf(dialog);
    if (!window)
        return false;
    window->end(result);
    return true;
}

HWND GetDlgItem(HWND dialog, int id)
{
    for (HWND child : childWindows(dialog))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessage(GetDlgItem(dialog, id), message, wParam, lParam);
}

unsigned GetDlgItemText(HWND dialog, int id, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = 0;
    return unsigned(SendDlgItemMessage(dialog, id, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

bool SetDlgItemText(HWND dialog, int id, const char* text)
{
    HWND item = GetDlgItem(dialog, id);
    return item && SendMessage(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

unsigned GetDlgItemInt(HWND dialog, int id, bool* translated, bool isSigned)
{
    if (translated)
        *translated = false;
    char text[64];
    HWND item = GetDlgItem(dialog, id);
    if (!item || SendMessage(item, WM_GETTEXTLENGTH, 0, 0) >= LRESULT(sizeof text))
        return 0;
    GetDlgItemText(dialog, id, text, sizeof text);
    const char* p = text;
    while (*p == ' ')
        ++p;
    bool negative = isSigned && *p == '-';
    p += negative || (isSigned && *p == '+');
    long long value = 0;
    const char* digits = p;
    for (; std::isdigit(static_cast<unsigned char>(*p)) && value <= UINT_MAX; ++p)
        value = value * 10 + (*p - '0');
    while (*p == ' ')
        ++p;
    long long limit = isSigned ? (negative ? -(long long)INT_MIN : INT_MAX) : UINT_MAX;
    if (p == digits || *p || value > limit)
        return 0;
    if (translated)
        *translated = true;
    return unsigned(negative ? -value : value);
}

bool SetDlgItemInt(HWND dialog, int id, unsigned value, bool isSigned)
{
    char text[16];
    if (isSigned)
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    else
        std::snprintf(text, sizeof text, "%u", value);
    return SetDlgItemText(dialog, id, text);
}

bool CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return false;
    SendMessage(item, BM_SETCHECK, check, 0);
    return true;
}

UINT IsDlgButtonChecked(HWND dialog, int id) { return UINT(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0)); }

bool CheckRadioButton(HWND dialog, int first, int last, int check)
{
    bool found = false;
    for (HWND child : childWindows(dialog)) {
        int id = GetDlgCtrlID(child);
        if (id >= first && id <= last) {
            SendMessage(child, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
            found = found || id == check;
        }
    }
    return found;
}
