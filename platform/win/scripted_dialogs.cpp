#include "platform/win/scripted_dialogs.h"

#include <algorithm>
#include <strings.h>

namespace ks::win {
namespace {

std::string windowText(HWND window)
{
    auto w = findWindow(window);
    return w ? w->text() : std::string();
}

// What the control tells its dialog after a user's action that has no message of its own.
void notify(HWND dialog, HWND control, UINT code)
{
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(unsigned(GetDlgCtrlID(control)), code), reinterpret_cast<LPARAM>(control));
}

bool isClass(HWND window, const char* className)
{
    auto w = findWindow(window);
    return w && w->className() == className;
}

}

std::string DialogUser::title() const { return windowText(dialog_); }

bool DialogUser::open() const
{
    auto d = findWindowAs<DialogWindow>(dialog_);
    return d && !d->ended();
}

std::string DialogUser::text(int id) const { return windowText(item(id)); }
bool DialogUser::checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
bool DialogUser::enabled(int id) const { return IsWindowEnabled(item(id)); }
bool DialogUser::focused(int id) const { return item(id) && GetFocus() == item(id); }

std::vector<std::string> DialogUser::listItems(int id) const
{
    std::vector<std::string> items;
    LRESULT count = SendDlgItemMessage(dialog_, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(std::size_t(std::max<LRESULT>(0, SendDlgItemMessage(dialog_, id, LB_GETTEXTLEN, WPARAM(i), 0))), '\0');
        SendDlgItemMessage(dialog_, id, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text.c_str());
    }
    return items;
}

int DialogUser::listSelection(int id) const { return int(SendDlgItemMessage(dialog_, id, LB_GETCURSEL, 0, 0)); }

bool DialogUser::usable(int id) const { return open() && item(id) && enabled(id); }

bool DialogUser::type(int id, const std::string& text)
{
    if (!usable(id) || !isClass(item(id), "Edit"))
        return false;
    SetFocus(item(id));
    SendMessage(item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    notify(dialog_, item(id), EN_CHANGE);
    return true;
}

bool DialogUser::click(int id)
{
    if (!usable(id) || !isClass(item(id), "Button"))
        return false;
    SetFocus(item(id));
    SendMessage(item(id), BM_CLICK, 0, 0);
    return true;
}

bool DialogUser::select(int listId, int index)
{
    if (!usable(listId) || !isClass(item(listId), "ListBox") || index < 0 ||
        index >= SendDlgItemMessage(dialog_, listId, LB_GETCOUNT, 0, 0))
        return false;
    SetFocus(item(listId));
    SendDlgItemMessage(dialog_, listId, LB_SETCURSEL, WPARAM(index), 0);
    notify(dialog_, item(listId), LBN_SELCHANGE);
    return true;
}

bool DialogUser::doubleClick(int listId, int index)
{
    if (!select(listId, index))
        return false;
    notify(dialog_, item(listId), LBN_DBLCLK);
    return true;
}

ScriptedDialogs::ScriptedDialogs()
{
    before_ = setDialogRunner(this);
    userDialogsBefore_ = setUserDialogs({});
    UserDialogs counting = userDialogsBefore_;
    counting.beep = [this, earlier = userDialogsBefore_.beep] {
        ++beeps_;
        if (earlier)
            earlier();
    };
    setUserDialogs(std::move(counting));
}

ScriptedDialogs::~ScriptedDialogs()
{
    setUserDialogs(std::move(userDialogsBefore_));
    setDialogRunner(before_);
}

void ScriptedDialogs::expect(const std::string& templateName, Step step)
{
    queue_.push_back({templateName, std::move(step)});
}

std::vector<std::string> ScriptedDialogs::faults() const
{
    std::vector<std::string> all = faults_;
    for (const Expected& e : queue_)
        all.push_back("dialog \"" + e.templateName + "\" was expected but never shown");
    return all;
}

void ScriptedDialogs::run(HWND dialog)
{
    auto window = findWindowAs<DialogWindow>(dialog);
    const std::string& name = window->dialogTemplate().name;
    shown_.push_back({name, window->text(), -1});
    std::size_t index = shown_.size() - 1;
    if (queue_.empty() || strcasecmp(queue_.front().templateName.c_str(), name.c_str()) != 0) {
        faults_.push_back("dialog \"" + name + "\" was not expected");
    } else {
        Step step = std::move(queue_.front().step);
        queue_.erase(queue_.begin());
        DialogUser user(dialog);
        step(user);
        if (user.open())
            faults_.push_back("dialog \"" + name + "\" was left open by its step");
    }
    shown_[index].result = window->ended() ? window->result() : -1;
}

}
