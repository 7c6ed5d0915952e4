#pragma once
// The registry of window handles. Every window the libraries hand out (editor
// windows, host windows, dialogs, child controls) is a Window object here; the
// handle is an opaque number that is never reused, so a stale or foreign handle
// simply finds nothing. Free of Qt: a view attaches to a window, not the reverse.
#include "platform/win/control_messages.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ks::win {

enum class WindowKind { Editor, Host, Dialog, Control };

class Window {
public:
    Window(WindowKind kind, std::string className) : kind_(kind), className_(std::move(className)) {}
    virtual ~Window() = default;

    // Handles a sent or posted message; the default keeps the window text.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once, before its children are destroyed and the handle stops being valid.
    virtual void onDestroy() {}
    // Window data by index (SetWindowLongPtr); the base keeps GWLP_USERDATA and GWLP_WNDPROC
    // (subclassing: SendMessage goes to that procedure). Returns the value before.
    virtual LONG_PTR setLongPtr(int index, LONG_PTR value);
    virtual LONG_PTR longPtr(int index) const;

    WindowKind kind() const { return kind_; }
    const std::string& className() const { return className_; }
    HWND handle() const { return handle_; }
    HWND parent() const { return parent_; }
    int id() const { return id_; }
    unsigned style() const { return style_; }
    const RECT& rect() const { return rect_; }
    const std::string& text() const { return text_; }
    bool enabled() const { return !(style_ & WS_DISABLED); }
    WNDPROC subclassProc() const { return proc_; }

    // Called after each message the window handled and when it is enabled or disabled: a widget
    // showing the window mirrors its state then. One watcher at a time; null stops it.
    void watch(std::function<void()> onChange) { watcher_ = std::move(onChange); }
    void changed() const
    {
        if (watcher_)
            watcher_();
    }

    void setParent(HWND parent) { parent_ = parent; }
    void setId(int id) { id_ = id; }
    void setStyle(unsigned style) { style_ = style; }
    void setRect(const RECT& rect) { rect_ = rect; }
    void setText(std::string text) { text_ = std::move(text); }

private:
    friend HWND registerWindow(std::shared_ptr<Window>);
    WindowKind kind_;
    std::string className_;
    HWND handle_ = nullptr;
    HWND parent_ = nullptr;
    int id_ = 0;
    unsigned style_ = 0;
    RECT rect_;
    std::string text_;
    LONG_PTR userData_ = 0;
    WNDPROC proc_ = nullptr;   // a subclass's procedure; null while the window answers itself
    std::function<void()> watcher_;
};

// Gives the window a new handle and keeps it alive until destroyWindow.
HWND registerWindow(std::shared_ptr<Window> window);
std::shared_ptr<Window> findWindow(HWND handle);
// The same without taking a share: for lookups on every call that keep no pointer.
Window* windowOf(HWND handle);
template <class T>
std::shared_ptr<T> findWindowAs(HWND handle)
{
    return std::dynamic_pointer_cast<T>(findWindow(handle));
}
// Destroys the window and its children; false for an unknown handle.
bool destroyWindow(HWND handle);
std::vector<HWND> childWindows(HWND parent);

// Makes a child control of a class ("Edit", "Button", ...): the controls of
// dialog_controls.h unless a test installs its own maker; any other class is a
// plain window that keeps text, id, style and rectangle.
using ControlMaker = std::function<std::shared_ptr<Window>(const std::string& className)>;
void setControlMaker(ControlMaker maker);
HWND createChildWindow(const std::string& className, const std::string& text, unsigned style,
                       const RECT& rect, HWND parent, int id);

}

// The Windows-style calls on handles.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message; false for an unknown window.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message with a private copy of text as lParam: callers post texts
// that live in shared buffers they reuse before the message is handled.
bool PostMessageText(HWND window, UINT message, WPARAM wParam, const char* text);
// Delivers the queued messages in order (also those posted while delivering); returns their count.
int DispatchPostedMessages();
// Drops the queued messages of one window for which keep(message) is false.
void RemovePostedMessages(HWND window, const std::function<bool(UINT)>& keep);
bool IsWindow(HWND window);
bool DestroyWindow(HWND window);
HWND GetParent(HWND window);
// Enabling keeps the WS_DISABLED style bit; the result is whether the window was disabled before.
bool EnableWindow(HWND window, bool enable);
bool IsWindowEnabled(HWND window);
// The window that takes the keyboard: the old one hears WM_KILLFOCUS, the new one WM_SETFOCUS
// (wParam the other window). Returns the window that had it; a stale handle changes nothing.
HWND SetFocus(HWND window);
HWND GetFocus();
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
// Hands a message on to a procedure, usually the one a subclass replaced.
LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Whether a key is down: the high bit of the result (negative). The Qt layer keeps the state.
short GetKeyState(int virtualKey);
namespace ks::win {
void setKeyDown(int virtualKey, bool down);
}
LONG_PTR GetWindowLongPtr(HWND window, int index);
int GetDlgCtrlID(HWND window);
bool GetWindowRect(HWND window, RECT* rect);
