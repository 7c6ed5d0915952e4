#include "platform/win/edit_control.h"

#include <algorithm>
#include <cctype>

namespace ks::win {
namespace {

constexpr std::size_t kNoLimit = 0x7FFFFFFE;
constexpr WPARAM kBackspace = 0x08, kReturn = 0x0D;

class EditControl : public Window {
public:
    EditControl() : Window(WindowKind::Control, "Edit") {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CHAR: typed(wParam); return 0;
        case WM_SETTEXT: {
            LRESULT r = Window::handleMessage(message, wParam, lParam);
            start_ = end_ = 0;
            return r;
        }
        case EM_SETSEL: select(LPARAM(wParam), lParam); return 0;
        case EM_GETSEL: return selection(wParam, lParam);
        case EM_REPLACESEL: replace(lParam ? reinterpret_cast<const char*>(lParam) : "", false); return 0;
        case EM_LIMITTEXT: limit_ = wParam ? std::size_t(wParam) : kNoLimit; return 0;
        case EM_GETLIMITTEXT: return LRESULT(limit_);
        case EM_SETPASSWORDCHAR: mask_ = char(wParam); return 0;
        case EM_GETPASSWORDCHAR: return LRESULT(static_cast<unsigned char>(passwordChar()));
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }

private:
    char passwordChar() const { return (style() & ES_PASSWORD) ? mask_ : 0; }

    // A negative start drops the selection to the caret; a negative end means the text's end.
    void select(LPARAM start, LPARAM end)
    {
        std::size_t size = text().size();
        if (start < 0) {
            start_ = end_;
            return;
        }
        start_ = std::min(std::size_t(start), size);
        end_ = end < 0 ? size : std::min(std::size_t(end), size);
        if (start_ > end_)
            std::swap(start_, end_);
    }

    LRESULT selection(WPARAM startOut, LPARAM endOut) const
    {
        if (startOut)
            *reinterpret_cast<unsigned*>(startOut) = unsigned(start_);
        if (endOut)
            *reinterpret_cast<unsigned*>(endOut) = unsigned(end_);
        return LRESULT(MAKEWPARAM(unsigned(start_), unsigned(end_)));
    }

    // A character as the user types it: disabled and read-only edits take nothing.
    void typed(WPARAM c)
    {
        if (!enabled() || (style() & ES_READONLY))
            return;
        if (c == kBackspace) {
            if (start_ == end_ && start_ > 0)
                start_ -= (start_ >= 2 && text().compare(start_ - 2, 2, "\r\n") == 0) ? 2 : 1;
            replace("", true);
        } else if (c == kReturn) {
            if (style() & ES_MULTILINE)
                replace("\r\n", true);
        } else if (c >= 0x20 && c <= 0xFF) {
            if ((style() & ES_NUMBER) && !std::isdigit(int(c)))
                return;
            replace(std::string(1, char(c)), true);
        }
    }

    // Replaces the selection; text past the limit is cut off (a user's typing is refused instead).
    void replace(const std::string& with, bool byUser)
    {
        std::string now = text();
        std::size_t room = limit_ - std::min(limit_, now.size() - (end_ - start_));
        if (with.size() > room && byUser) {
            SendMessage(parent(), WM_COMMAND, MAKEWPARAM(unsigned(id()), EN_MAXTEXT), reinterpret_cast<LPARAM>(handle()));
            return;
        }
        std::string inserted = with.substr(0, room);
        now.replace(start_, end_ - start_, inserted);
        setText(std::move(now));
        start_ = end_ = start_ + inserted.size();
        if (byUser)
            SendMessage(parent(), WM_COMMAND, MAKEWPARAM(unsigned(id()), EN_CHANGE), reinterpret_cast<LPARAM>(handle()));
    }

    std::size_t start_ = 0, end_ = 0;
    std::size_t limit_ = kNoLimit;
    char mask_ = '*';
};

}

std::shared_ptr<Window> makeEdit() { return std::make_shared<EditControl>(); }

}
