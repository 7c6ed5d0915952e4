#include "platform/editor/model/editor.h"
#include "platform/editor/model/commands.h"

#include <memory>

namespace ks::editor {
namespace {

class EditorWindow : public win::Window {
public:
    EditorWindow() : Window(win::WindowKind::Editor, "Vek32Class"), editor(nullptr) {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            // Notifications of embedded controls go to the add-on; anything else is a command.
            if (lParam && GetParent(reinterpret_cast<HWND>(lParam)) == handle())
                return editor.raise(WM_COMMAND, wParam, lParam);
            return runCommand(editor, static_cast<int>(wParam & 0xFFFF));
        case WM_SETFOCUS:
            return editor.raise(kEventFocus, 12, 0);
        case WM_KILLFOCUS:
            return editor.raise(kEventFocus, 13, static_cast<LPARAM>(wParam));
        case WM_SIZE:
            editor.width = static_cast<int>(lParam & 0xFFFF);
            editor.height = static_cast<int>((lParam >> 16) & 0xFFFF);
            return editor.raise(kEventResized, wParam, lParam);
        default:
            return Window::handleMessage(message, wParam, lParam);
        }
    }

    void onDestroy() override
    {
        editor.raise(kEventDestroy, 0, 0);
        editor.addonCallback = nullptr;
        if (editor.view)
            editor.view->windowGone();
        editor.view = nullptr;
    }

    Editor editor;
};

}

Editor* findEditor(HWND window)
{
    // Every call of the editor API starts here: only editor windows are of the editor kind,
    // so no dynamic cast and no shared pointer is needed.
    win::Window* w = win::windowOf(window);
    return w && w->kind() == win::WindowKind::Editor ? &static_cast<EditorWindow*>(w)->editor : nullptr;
}

HWND createEditorWindow(HWND parent, const std::string& title, unsigned style, int x, int y, int w, int h)
{
    if (parent && !IsWindow(parent))
        return nullptr;
    auto window = std::make_shared<EditorWindow>();
    window->setText(title);
    window->setStyle(style);
    window->setParent(parent);
    window->setRect({x, y, x + w, y + h});
    HWND handle = win::registerWindow(window);
    Editor& e = window->editor;
    e.self = handle;
    e.width = w < 0 ? 0 : w;
    e.height = h < 0 ? 0 : h;
    e.readOnly = (style & kStyleReadOnly) != 0;
    e.hostWindow = parent;
    if (Editor* outer = findEditor(parent); outer && outer->view)
        outer->view->childCreated(handle);
    return handle;
}

}
