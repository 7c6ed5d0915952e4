#include "platform/win/window_handle.h"
#include "platform/win/dialog_controls.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <unordered_map>
#include <utility>

namespace ks::win {
namespace {

struct Registry {
    std::unordered_map<std::uintptr_t, std::shared_ptr<Window>> windows;
    // The window found last: the editor API asks for the same window many times in a row.
    // Handles never repeat, so the entry holds until that window is destroyed.
    HWND lastHandle = nullptr;
    Window* lastWindow = nullptr;
    std::uintptr_t next = 0x10000;
    ControlMaker controlMaker;
    HWND focus = nullptr;
    std::unordered_map<int, bool> keysDown;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

std::uintptr_t key(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

// The procedure of a window not subclassed: its own handler.
LRESULT ownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto target = findWindow(window);
    return target ? target->handleMessage(message, wParam, lParam) : 0;
}

}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        text_ = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return 1;
    case WM_GETTEXT: {
        if (!lParam || wParam == 0)
            return 0;
        auto n = std::min<std::size_t>(text_.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text_.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text_.size());
    default:
        return 0;
    }
}

LONG_PTR Window::setLongPtr(int index, LONG_PTR value)
{
    if (index == GWLP_WNDPROC) {
        LONG_PTR before = longPtr(GWLP_WNDPROC);
        auto proc = reinterpret_cast<WNDPROC>(value);
        proc_ = proc == &ownProcedure ? nullptr : proc;
        return before;
    }
    if (index != GWLP_USERDATA)
        return 0;
    return std::exchange(userData_, value);
}

LONG_PTR Window::longPtr(int index) const
{
    if (index == GWLP_WNDPROC)
        return reinterpret_cast<LONG_PTR>(proc_ ? proc_ : &ownProcedure);
    return index == GWLP_USERDATA ? userData_ : 0;
}

HWND registerWindow(std::shared_ptr<Window> window)
{
    if (!window)
        return nullptr;
    auto& r = registry();
    // Steps of 4 keep handles looking like aligned pointers; they never repeat.
    HWND handle = reinterpret_cast<HWND>(r.next);
    r.next += 4;
    window->handle_ = handle;
    r.windows[key(handle)] = std::move(window);
    return handle;
}

std::shared_ptr<Window> findWindow(HWND handle)
{
    auto& windows = registry().windows;
    auto it = windows.find(key(handle));
    return it == windows.end() ? nullptr : it->second;
}

Window* windowOf(HWND handle)
{
    auto& r = registry();
    if (handle && handle == r.lastHandle)
        return r.lastWindow;
    auto it = r.windows.find(key(handle));
    if (it == r.windows.end())
        return nullptr;
    r.lastHandle = handle;
    r.lastWindow = it->second.get();
    return r.lastWindow;
}

std::vector<HWND> childWindows(HWND parent)
{
    std::vector<HWND> children;
    for (auto& [k, w] : registry().windows)
        if (w->parent() == parent)
            children.push_back(w->handle());
    std::sort(children.begin(), children.end());
    return children;
}

bool destroyWindow(HWND handle)
{
    auto window = findWindow(handle);
    if (!window)
        return false;
    // As on Windows: the window hears of it first, its children go after it.
    window->onDestroy();
    for (HWND child : childWindows(handle))
        destroyWindow(child);
    registry().windows.erase(key(handle));
    if (registry().lastHandle == handle)
        registry().lastHandle = nullptr, registry().lastWindow = nullptr;
    if (registry().focus == handle)
        registry().focus = nullptr;
    return true;
}

void setControlMaker(ControlMaker maker) { registry().controlMaker = std::move(maker); }

HWND createChildWindow(const std::string& className, const std::string& text, unsigned style,
                       const RECT& rect, HWND parent, int id)
{
    auto& maker = registry().controlMaker;
    std::shared_ptr<Window> window = maker ? maker(className) : makeDialogControl(className);
    if (!window)
        window = std::make_shared<Window>(WindowKind::Control, className);
    window->setText(text);
    window->setStyle(style);
    window->setRect(rect);
    window->setParent(parent);
    window->setId(id);
    return registerWindow(std::move(window));
}

}

using namespace ks::win;

namespace {

struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::shared_ptr<std::string> text;   // owns lParam's text when posted with one
};

std::deque<PostedMessage>& postQueue()
{
    static std::deque<PostedMessage> queue;
    return queue;
}

}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto target = findWindow(window);   // held: the handler may destroy its own window
    if (!target)
        return 0;
    WNDPROC proc = target->subclassProc();
    LRESULT result = proc ? proc(window, message, wParam, lParam) : target->handleMessage(message, wParam, lParam);
    target->changed();
    return result;
}

LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(window, message, wParam, lParam) : 0;
}

void ks::win::setKeyDown(int virtualKey, bool down) { registry().keysDown[virtualKey] = down; }

short GetKeyState(int virtualKey)
{
    auto& keys = registry().keysDown;
    auto it = keys.find(virtualKey);
    return it != keys.end() && it->second ? short(0x8000) : 0;
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window))
        return false;
    postQueue().push_back({window, message, wParam, lParam, nullptr});
    return true;
}

bool PostMessageText(HWND window, UINT message, WPARAM wParam, const char* text)
{
    if (!IsWindow(window))
        return false;
    auto copy = std::make_shared<std::string>(text ? text : "");
    postQueue().push_back({window, message, wParam, reinterpret_cast<LPARAM>(copy->c_str()), copy});
    return true;
}

int DispatchPostedMessages()
{
    int count = 0;
    auto& queue = postQueue();
    while (!queue.empty()) {
        PostedMessage m = std::move(queue.front());
        queue.pop_front();
        SendMessage(m.window, m.message, m.wParam, m.lParam);
        ++count;
    }
    return count;
}

void RemovePostedMessages(HWND window, const std::function<bool(UINT)>& keep)
{
    auto& queue = postQueue();
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [&](const PostedMessage& m) { return m.window == window && !keep(m.message); }),
                queue.end());
}

bool IsWindow(HWND window) { return findWindow(window) != nullptr; }
bool DestroyWindow(HWND window) { return destroyWindow(window); }

HWND GetParent(HWND window)
{
    auto w = findWindow(window);
    return w ? w->parent() : nullptr;
}

int GetDlgCtrlID(HWND window)
{
    auto w = findWindow(window);
    return w ? w->id() : 0;
}

bool GetWindowRect(HWND window, RECT* rect)
{
    auto w = findWindow(window);
    if (!w || !rect)
        return false;
    *rect = w->rect();
    return true;
}

bool EnableWindow(HWND window, bool enable)
{
    auto w = findWindow(window);
    if (!w)
        return false;
    bool wasDisabled = !w->enabled();
    w->setStyle(enable ? w->style() & ~WS_DISABLED : w->style() | WS_DISABLED);
    w->changed();
    return wasDisabled;
}

bool IsWindowEnabled(HWND window)
{
    auto w = findWindow(window);
    return w && w->enabled();
}

HWND SetFocus(HWND window)
{
    HWND before = registry().focus;
    if (!IsWindow(window) || window == before)
        return before;
    registry().focus = window;
    SendMessage(before, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(before), 0);
    return before;
}

HWND GetFocus() { return IsWindow(registry().focus) ? registry().focus : nullptr; }

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value)
{
    auto w = findWindow(window);
    return w ? w->setLongPtr(index, value) : 0;
}

LONG_PTR GetWindowLongPtr(HWND window, int index)
{
    auto w = findWindow(window);
    return w ? w->longPtr(index) : 0;
}
