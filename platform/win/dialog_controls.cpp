#include "platform/win/dialog_controls.h"

#include "platform/win/edit_control.h"
#include "platform/win/list_controls.h"

#include <algorithm>
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
        // Plain check boxes and radio buttons leave their mark to the parent, which hears the click.
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

}
std::shared_ptr<Window> makeDialogControl(const std::string& className)
{
    if (className == "Button")
        return std::make_shared<ButtonControl>();
    if (className == "ListBox")
        return makeListBox();
    if (className == "ComboBox")
        return makeComboBox();
    if (className == "Edit")
        return makeEdit();
    return nullptr;
}

}
