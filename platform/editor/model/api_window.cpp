// Exports: windows, add-on and host binding, the information record, modes, commands.
#include "platform/editor/model/api_support.h"
#include "platform/editor/model/commands.h"

using namespace ks::editor;

namespace {
// An add-on block larger than this is refused rather than attempted.
constexpr int kMaxAddonData = 16 << 20;
VekPrintHandler printHandler = nullptr;

unsigned setBits(std::uint32_t& word, int on, unsigned bits)
{
    word = on ? (word | bits) : (word & ~bits);
    return word;
}
}

extern "C" {

HWND EditorCreateWindow(HWND parent, const char* title, unsigned style, int x, int y, int w, int h)
{
    return createEditorWindow(parent, str(title), style, x, y, w, h);
}

int EditorDestroyWindow(HWND hWnd) { return findEditor(hWnd) && DestroyWindow(hWnd); }

int EditorMoveWindow(HWND hWnd, int x, int y, int w, int h)
{
    if (!findEditor(hWnd) || w < 0 || h < 0)
        return 0;
    ks::win::findWindow(hWnd)->setRect({x, y, x + w, y + h});
    if (Editor* e = findEditor(hWnd); e->view)
        e->view->moved(x, y, w, h);
    SendMessage(hWnd, WM_SIZE, 0, static_cast<LPARAM>((h & 0xFFFF) << 16 | (w & 0xFFFF)));
    return 1;
}

int EditorInvalidate(HWND hWnd, int erase)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.requestRepaint(), 1; });
}

int EditorSetClipChildren(HWND hWnd, int on)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        auto w = ks::win::findWindow(hWnd);
        w->setStyle(on ? (w->style() | WS_CLIPCHILDREN) : (w->style() & ~WS_CLIPCHILDREN));
        e.clipChildren = on != 0;
        return 1;
    });
}

int EditorNotifyFocus(HWND hWnd, int gained, HWND other)
{
    if (!findEditor(hWnd))
        return 0;
    SendMessage(hWnd, gained ? WM_SETFOCUS : WM_KILLFOCUS, reinterpret_cast<WPARAM>(other), 0);
    return 1;
}

long EditorClickAt(HWND hWnd, int line, int col, int x, int y, int ctrl)
{
    return withEditor(hWnd, -1L, [&](Editor& e) -> long {
        std::uint64_t pos;
        char c;
        std::uint16_t font;
        if (line < 0 || col < 0 || !e.doc.lineColToPos(line, col, pos) || !e.doc.charAt(pos, c, font))
            return -1;
        bool clickable = (e.mode1 & kModeLinkClicks) && (e.readOnly || ctrl);
        if (!clickable || !(e.styleAt(pos) & kLinkText))
            return -1;
        e.setCaret(pos);
        e.mouseX = x;
        e.mouseY = y;
        LinkClickRecord record{font, {}};
        std::string run;
        Position at;
        if (e.hiddenRunAtCaret(run, at))
            copyOut(record.hiddenRun, run, sizeof record.hiddenRun);
        return static_cast<long>(e.raise(kEventLinkClick, 0, reinterpret_cast<LPARAM>(&record)));
    });
}

int EditorAllocAddonData(HWND hWnd, int size)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (size < 0 || size > kMaxAddonData)
            return 0;
        e.addonData.assign(static_cast<std::size_t>(size) + 1, 0);   // never an empty block
        e.hasAddonData = true;
        return 1;
    });
}

void* EditorGetAddonData(HWND hWnd)
{
    Editor* e = findEditor(hWnd);
    return e && e->hasAddonData ? e->addonData.data() : nullptr;
}

int EditorSetAddonCallback(HWND hWnd, VekCallback callback)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.addonCallback = callback, 1; });
}

VekCallback EditorGetHostCallback(HWND hWnd)
{
    Editor* e = findEditor(hWnd);
    return e ? e->hostCallback : nullptr;
}

int EditorSetHostCallback(HWND hWnd, VekCallback callback)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.hostCallback = callback, 1; });
}

int EditorSetHostWindow(HWND hWnd, HWND host)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.hostWindow = host, 1; });
}

HWND EditorGetHostWindow(HWND hWnd)
{
    Editor* e = findEditor(hWnd);
    return e ? e->hostWindow : nullptr;
}

int EditorGetInfo(HWND hWnd, VekInfo* record)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return record ? (*record = e.info(), 1) : 0; });
}

int EditorSetInfo(HWND hWnd, const VekInfo* record)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (!record || record->size != static_cast<int>(sizeof(VekInfo)))
            return 0;
        e.settings.background = record->background;
        e.settings.option680 = record->option680;
        e.settings.option684 = record->option684;
        e.settings.option688 = record->option688;
        e.settings.option692 = record->option692;
        e.settings.option704 = record->option704;
        e.settings.option708 = record->option708;
        e.modified = record->modified != 0;
        e.requestRepaint();
        return 1;
    });
}

int EditorGetReadOnly(HWND hWnd)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.readOnly ? 1 : 0; });
}

int EditorSetReadOnly(HWND hWnd, int on)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        e.readOnly = on != 0;
        if (!e.readOnly)
            e.viewState = 0;
        return 1;
    });
}

unsigned EditorSetModeFlags(HWND hWnd, int on, unsigned bits)
{
    return withEditor(hWnd, 0u, [&](Editor& e) { return setBits(e.mode1, on, bits); });
}

unsigned EditorSetModeFlags2(HWND hWnd, int on, unsigned bits)
{
    return withEditor(hWnd, 0u, [&](Editor& e) { return setBits(e.mode2, on, bits); });
}

unsigned EditorGetModeFlags(HWND hWnd, int word)
{
    return withEditor(hWnd, 0u, [&](Editor& e) { return word == 2 ? e.mode2 : e.mode1; });
}

int EditorSetOption(HWND hWnd, int option, int value)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.options[option] = value, 1; });
}

int EditorGetOption(HWND hWnd, int option)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        auto it = e.options.find(option);
        return it == e.options.end() ? 0 : it->second;
    });
}

int EditorRunCommand(HWND hWnd, int command)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return runCommand(e, command); });
}

int EditorQueryCommand(HWND hWnd, int command)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return queryCommand(e, command); });
}

int EditorViewCommand(HWND hWnd, int on)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (!e.readOnly)
            return 0;
        e.viewState = on ? 1 : 0;
        return 1;
    });
}

int EditorPrepareEdit(HWND hWnd)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.typingFont = -1, 1; });
}

int EditorSetModified(HWND hWnd, int modified)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.modified = modified != 0, 1; });
}

unsigned VekSetFlags(HWND hWnd, int on, unsigned bits) { return EditorSetModeFlags(hWnd, on, bits); }
unsigned VekSetFlags2(HWND hWnd, int on, unsigned bits) { return EditorSetModeFlags2(hWnd, on, bits); }

int VekEnableSpeedKey(HWND hWnd, int key, int enable)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (enable)
            e.disabledSpeedKeys.erase(key);
        else
            e.disabledSpeedKeys.insert(key);
        return 1;
    });
}

int VekSpeedKeyEnabled(HWND hWnd, int key)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.disabledSpeedKeys.count(key) ? 0 : 1; });
}

int SetVekDefaultFont(HWND hWnd, const char* face, int size, int, int, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (!face || !*face || size <= 0 || size > 1638)
            return 0;
        FontEntry f0 = *e.fonts.get(0);
        f0.face = face;
        f0.points = size;
        e.fonts.set(0, std::move(f0));
        return 1;
    });
}

void VekSetPrintHandler(VekPrintHandler handler) { printHandler = handler; }

int VekPrint(HWND hWnd) { return findEditor(hWnd) && printHandler ? printHandler(hWnd) : 0; }

int VekShowToolbar(HWND hWnd, int show)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (show)
            e.checkedCommands.insert(kCmdToolbar);
        else
            e.checkedCommands.erase(kCmdToolbar);
        if (e.view)
            e.view->optionsChanged();
        return 1;
    });
}

int VekToolbarVisible(HWND hWnd)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.checkedCommands.count(kCmdToolbar) ? 1 : 0; });
}

}
