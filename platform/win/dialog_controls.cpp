#include "platform/win/dialog_controls.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace ks::win {
namespace {

class ButtonControl : public Window {
public:
    ButtonControl() : Window(WindowKind::Control, "Button") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case BM_GETCHECK: return LRESULT(checked_);
        case BM_SETCHECK: checked_ = wParam; return 0;
        case BM_CLICK: click(); return 0;
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }

private:
    unsigned kind() const { return style() & BS_TYPEMASK; }
    // As a mouse click: a disabled button ignores it; the dialog hears BN_CLICKED.
    void click()
    {
        if (!enabled())
            return;
        if (kind() == BS_AUTOCHECKBOX)
            checked_ = checked_ ? BST_UNCHECKED : BST_CHECKED;
        if (kind() == BS_AUTORADIOBUTTON)
            checkAlone();
        SendMessage(parent(), WM_COMMAND, MAKEWPARAM(unsigned(id()), BN_CLICKED), reinterpret_cast<LPARAM>(handle()));
    }
    // Unchecks the radio buttons of its group: the run from a WS_GROUP control to the next.
    void checkAlone()
    {
        std::vector<HWND> group;
        bool mine = false;
        for (HWND child : childWindows(parent())) {
            if ((findWindow(child)->style() & WS_GROUP) && !group.empty()) {
                if (mine)
                    break;
                group.clear();
            }
            group.push_back(child);
            mine = mine || child == handle();
        }
        for (HWND other : group)
            if (auto w = findWindowAs<ButtonControl>(other); w && w->kind() == BS_AUTORADIOBUTTON)
                w->checked_ = other == handle() ? BST_CHECKED : BST_UNCHECKED;
    }
    WPARAM checked_ = BST_UNCHECKED;
};

class ListBoxControl : public Window {
public:
    ListBoxControl() : Window(WindowKind::Control, "ListBox") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        bool valid = wParam < entries_.size();
        switch (message) {
        case LB_ADDSTRING:
            entries_.push_back({lParam ? reinterpret_cast<const char*>(lParam) : "", 0});
            return LRESULT(entries_.size() - 1);
        case LB_GETCOUNT: return LRESULT(entries_.size());
        case LB_SETITEMDATA: return valid ? (entries_[wParam].data = lParam, 0) : LB_ERR;
        case LB_GETITEMDATA: return valid ? entries_[wParam].data : LB_ERR;
        case LB_SETCURSEL: current_ = valid ? LRESULT(wParam) : LB_ERR; return current_;
        case LB_GETCURSEL: return current_;
        case LB_GETTEXTLEN: return valid ? LRESULT(entries_[wParam].text.size()) : LB_ERR;
        case LB_GETTEXT: return valid && lParam ? copyText(entries_[wParam].text, reinterpret_cast<char*>(lParam)) : LB_ERR;
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }

private:
    // The caller's buffer holds LB_GETTEXTLEN + 1 bytes, as the message requires.
    static LRESULT copyText(const std::string& text, char* out)
    {
        std::memcpy(out, text.c_str(), text.size() + 1);
        return LRESULT(text.size());
    }
    struct Entry {
        std::string text;
        LPARAM data;
    };
    std::vector<Entry> entries_;
    LRESULT current_ = LB_ERR;
};

}

std::shared_ptr<Window> makeDialogControl(const std::string& className)
{
    if (className == "Button")
        return std::make_shared<ButtonControl>();
    if (className == "ListBox")
        return std::make_shared<ListBoxControl>();
    return nullptr;
}

}
