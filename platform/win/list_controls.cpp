#include "platform/win/list_controls.h"

#include <cstring>
#include <vector>

namespace ks::win {
namespace {

struct Entry {
    std::string text;
    LPARAM data = 0;
    bool selected = false;
};

// The messages of a list box and those of a combo box, by what they do.
struct ListMessages {
    UINT add, insert, remove, reset, count, setCurrent, getCurrent, text, textLength, getData, setData;
    UINT selChange, dblClick;
};
constexpr ListMessages kListBox{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
                                LB_SETCURSEL, LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN, LB_GETITEMDATA,
                                LB_SETITEMDATA, LBN_SELCHANGE, LBN_DBLCLK};
constexpr ListMessages kComboBox{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,
                                 CB_SETCURSEL, CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA,
                                 CB_SETITEMDATA, CBN_SELCHANGE, CBN_DBLCLK};

const char* textOf(LPARAM lParam) { return lParam ? reinterpret_cast<const char*>(lParam) : ""; }

class ListControl : public Window {
public:
    ListControl(const char* className, const ListMessages& m) : Window(WindowKind::Control, className), m_(m) {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (LRESULT result; handleEntries(message, wParam, lParam, result))
            return result;
        if (isCombo())
            return handleCombo(message, wParam, lParam);
        return handleSelections(message, wParam, lParam);
    }

    // The user's pick: the current selection (alone, unless the list selects many) and the notice.
    void pick(int index, bool twice)
    {
        if (!enabled() || index < 0 || std::size_t(index) >= entries_.size())
            return;
        if (!multiple())
            for (Entry& e : entries_)
                e.selected = false;
        entries_[index].selected = multiple() ? !entries_[index].selected : true;
        current_ = index;
        if (isCombo() || (style() & LBS_NOTIFY))
            SendMessage(parent(), WM_COMMAND, MAKEWPARAM(unsigned(id()), twice ? m_.dblClick : m_.selChange),
                        reinterpret_cast<LPARAM>(handle()));
    }

private:
    bool isCombo() const { return &m_ == &kComboBox; }
    bool multiple() const { return !isCombo() && (style() & LBS_MULTIPLESEL); }
    bool valid(WPARAM index) const { return index < entries_.size(); }
    LRESULT error() const { return isCombo() ? CB_ERR : LB_ERR; }

    bool handleEntries(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        if (message == m_.add)
            result = insert(entries_.size(), textOf(lParam));
        else if (message == m_.insert)
            result = insert(LPARAM(wParam) == -1 ? entries_.size() : wParam, textOf(lParam));
        else if (message == m_.remove)
            result = remove(wParam);
        else if (message == m_.reset)
            result = (entries_.clear(), current_ = -1, 0);
        else if (message == m_.count)
            result = LRESULT(entries_.size());
        else if (message == m_.setCurrent)
            result = setCurrent(wParam);
        else if (message == m_.getCurrent)
            result = current_;
        else if (message == m_.textLength)
            result = valid(wParam) ? LRESULT(entries_[wParam].text.size()) : error();
        else if (message == m_.text)
            result = valid(wParam) && lParam ? copyText(entries_[wParam].text, reinterpret_cast<char*>(lParam)) : error();
        else if (message == m_.getData)
            result = valid(wParam) ? entries_[wParam].data : error();
        else if (message == m_.setData)
            result = valid(wParam) ? (entries_[wParam].data = lParam, 0) : error();
        else
            return false;
        return true;
    }

    LRESULT handleCombo(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case CB_SETITEMHEIGHT: itemHeight_ = int(lParam); return 0;
        case CB_GETITEMHEIGHT: return itemHeight_;
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }

    LRESULT handleSelections(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case LB_GETSEL:
            return valid(wParam) ? LRESULT(entries_[wParam].selected) : LB_ERR;
        case LB_SETSEL: return setSelected(wParam != 0, lParam);
        case LB_GETSELCOUNT: {
            LRESULT n = 0;
            for (const Entry& e : entries_)
                n += e.selected;
            return multiple() ? n : LB_ERR;
        }
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }

    LRESULT insert(std::size_t at, const char* text)
    {
        if (at > entries_.size())
            return error();
        entries_.insert(entries_.begin() + std::ptrdiff_t(at), Entry{text});
        if (current_ >= LRESULT(at))
            ++current_;
        return LRESULT(at);
    }

    // Returns the entries left; the current selection follows its entry, or is gone with it.
    LRESULT remove(WPARAM index)
    {
        if (!valid(index))
            return error();
        entries_.erase(entries_.begin() + std::ptrdiff_t(index));
        if (current_ == LRESULT(index))
            current_ = -1;
        else if (current_ > LRESULT(index))
            --current_;
        return LRESULT(entries_.size());
    }

    // -1 (or out of range) clears the selection and answers an error, as the message does.
    LRESULT setCurrent(WPARAM index)
    {
        if (multiple())
            return LB_ERR;
        for (Entry& e : entries_)
            e.selected = false;
        current_ = valid(index) ? LRESULT(index) : -1;
        if (current_ >= 0)
            entries_[index].selected = true;
        return current_ >= 0 ? current_ : error();
    }

    // Selects one entry of a multiple-selection list, or all with index -1.
    LRESULT setSelected(bool on, LPARAM index)
    {
        if (!multiple() || (index != -1 && !valid(WPARAM(index))))
            return LB_ERR;
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (index == -1 || LPARAM(i) == index)
                entries_[i].selected = on;
        if (index != -1)
            current_ = index;
        return 0;
    }

    // The caller's buffer holds the text length + 1 bytes, as the message requires.
    static LRESULT copyText(const std::string& text, char* out)
    {
        std::memcpy(out, text.c_str(), text.size() + 1);
        return LRESULT(text.size());
    }

    const ListMessages& m_;
    std::vector<Entry> entries_;
    LRESULT current_ = -1;
    int itemHeight_ = 16;
};

}

std::shared_ptr<Window> makeListBox() { return std::make_shared<ListControl>("ListBox", kListBox); }
std::shared_ptr<Window> makeComboBox() { return std::make_shared<ListControl>("ComboBox", kComboBox); }

void userSelects(HWND list, int index)
{
    if (auto w = findWindowAs<ListControl>(list))
        w->pick(index, false);
}

void userDoubleClicks(HWND list, int index)
{
    if (auto w = findWindowAs<ListControl>(list))
        w->pick(index, true);
}

}
