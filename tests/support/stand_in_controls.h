#pragma once
// Buttons and list boxes that answer the messages a dialog box sends, for the
// dialog-box tests: the checks, clicks and entries the dialog layer relies on.
#include "platform/win/dialog_box.h"

#include <utility>
#include <vector>

namespace ks::test {

class StandInButton : public win::Window {
public:
    StandInButton() : Window(win::WindowKind::Control, "Button") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == BM_GETCHECK)
            return checked_;
        if (message == BM_SETCHECK)
            checked_ = wParam;
        if (message != BM_CLICK)
            return Window::handleMessage(message, wParam, lParam);
        unsigned kind = style() & BS_TYPEMASK;
        if (kind == BS_AUTOCHECKBOX)
            checked_ = !checked_;
        if (kind == BS_AUTORADIOBUTTON)
            checkAlone();
        SendMessage(parent(), WM_COMMAND, MAKEWPARAM(unsigned(id()), BN_CLICKED), reinterpret_cast<LPARAM>(handle()));
        return 0;
    }

private:
    // Unchecks the radio buttons of its group: the run from a WS_GROUP control to the next.
    void checkAlone()
    {
        std::vector<HWND> group;
        for (HWND child : win::childWindows(parent())) {
            auto w = win::findWindow(child);
            if (w->style() & WS_GROUP) {
                if (std::find(group.begin(), group.end(), handle()) != group.end())
                    break;
                group.clear();
            }
            group.push_back(child);
        }
        for (HWND other : group)
            if ((win::findWindow(other)->style() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                SendMessage(other, BM_SETCHECK, other == handle(), 0);
    }
    WPARAM checked_ = 0;
};

class StandInList : public win::Window {
public:
    StandInList() : Window(win::WindowKind::Control, "ListBox") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        bool valid = wParam < items_.size();
        switch (message) {
        case LB_ADDSTRING: items_.emplace_back(reinterpret_cast<const char*>(lParam), 0); return LRESULT(items_.size() - 1);
        case LB_SETITEMDATA: return valid ? (items_[wParam].second = lParam, 0) : LB_ERR;
        case LB_GETITEMDATA: return valid ? items_[wParam].second : LB_ERR;
        case LB_GETCOUNT: return LRESULT(items_.size());
        case LB_SETCURSEL: current_ = valid ? LRESULT(wParam) : LB_ERR; return current_;
        case LB_GETCURSEL: return current_;
        case LB_GETTEXTLEN: return valid ? LRESULT(items_[wParam].first.size()) : LB_ERR;
        case LB_GETTEXT:
            if (!valid)
                return LB_ERR;
            std::copy(items_[wParam].first.begin(), items_[wParam].first.end(), reinterpret_cast<char*>(lParam));
            reinterpret_cast<char*>(lParam)[items_[wParam].first.size()] = 0;
            return LRESULT(items_[wParam].first.size());
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }

private:
    std::vector<std::pair<std::string, LPARAM>> items_;
    LRESULT current_ = LB_ERR;
};

// Installs the stand-ins for the scope.
struct StandInControls {
    StandInControls()
    {
        win::setControlMaker([](const std::string& name) -> std::shared_ptr<win::Window> {
            if (name == "Button")
                return std::make_shared<StandInButton>();
            if (name == "ListBox")
                return std::make_shared<StandInList>();
            return nullptr;
        });
    }
    ~StandInControls() { win::setControlMaker({}); }
};

}
