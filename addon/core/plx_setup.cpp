#include "addon/core/plx_setup.h"

#include "addon/base/print_error.h"
#include "addon/core/editor_ops.h"
#include "addon/core/field_table.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_context.h"
#include "addon/core/plx_module.h"
#include "addon/core/vek_callback.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <new>

namespace ks::addon {
namespace {

constexpr int kSetupCommand = 710;
constexpr unsigned kModeHiddenProtected = 0x4000000;
constexpr unsigned kMode2Html = 0x2000;
// The headless layout of the editor: 8 by 16 pixels a character cell.
constexpr int kFixedCharWidth = 8, kFixedCharHeight = 16, kScreenPixelsPerInch = 96;

void setDefaults(HtmlCtx& ctx, HWND hWnd, HWND hostWnd)
{
    ctx.hostWindow = hostWnd;
    ctx.editorWindow = hWnd;
    COLORREF moduleBk = plxModule().defaultBkColor;
    ctx.defaultBkColor = moduleBk ? moduleBk : kDefaultBackground;
    ctx.bkColor = ctx.defaultBkColor;
    ctx.docBkColor = 0;
    ctx.viewMode = EditorGetReadOnly(hWnd);
    ctx.topWindow = ctx.parentWindow = hWnd;
    ctx.topCtx = &ctx;
}

void createElementFonts(HtmlCtx& ctx, HWND hWnd)
{
    char font0[32]{};
    EditorGetFontInfo(hWnd, 0, font0, nullptr, nullptr);
    setFontElementDefaults(ctx, plxModule().multiByte, font0);
    for (int e = 0; e < kFontElementCount; ++e)
        GetElementFont(ctx, e, 0, 0, 0, 0, nullptr);
}

void writeSetupInfo(HWND hWnd, const HtmlCtx& ctx, EditorInfo info)
{
    info.background = ctx.defaultBkColor;
    info.option692 = 0x4080;
    info.option680 = info.option684 = info.option688 = info.option708 = 0;
    info.modified = 0;
    info.option704 = 1;
    EditorSetInfo(hWnd, &info);
}

void setRootFrame(HtmlCtx& ctx, HWND hWnd, const EditorInfo& info)
{
    ctx.rootFrame = FrameRecord{};
    ctx.rootFrame.frameset = 1;
    ctx.rootFrame.left = info.windowLeft;
    ctx.rootFrame.top = info.windowTop;
    ctx.rootFrame.height = info.windowBottom - info.windowTop;
    ctx.rootFrame.width = info.windowRight - info.windowLeft;
    ctx.rootFrame.window = hWnd;
}

}

int initializeWindow(HWND hWnd, HWND hostWnd)
{
    // A window initialised again starts afresh; what the old context owned goes first.
    if (HtmlCtx* old = GetHtmlCtx(hWnd))
        FreeFieldTable(*old);
    if (!EditorAllocAddonData(hWnd, sizeof(HtmlCtx)))
        return PrintError(nullptr, "Error allocating HTML memory!", kErrMemory);
    void* block = EditorGetAddonData(hWnd);
    if (!block)
        return PrintError(nullptr, "Html Not initialized!", kErrNotInitialized);
    HtmlCtx& ctx = *new (block) HtmlCtx{};
    setDefaults(ctx, hWnd, hostWnd);
    createElementFonts(ctx, hWnd);
    EditorSetOption(hWnd, 300, 0);
    ctx.linkColor = 0xFF0000;
    ctx.linkStyle = 1;

    EditorInfo info;
    if (!readInfo(hWnd, info) || info.size != kEditorInfoSize)
        return PrintError(&ctx, "Invalid VEK version", kErrEditorVersion);
    writeSetupInfo(hWnd, ctx, info);
    EditorSetParaSpacing(hWnd, ctx.spacing[1], ctx.spacing[0], 0, 0);
    SendMessage(hWnd, WM_COMMAND, kSetupCommand, 0);
    // Set-up is no edit: the document is as unmodified as the record written above says.
    EditorSetModified(hWnd, 0);

    ctx.pixelsX = ctx.pixelsY = kScreenPixelsPerInch;
    ctx.charWidth = kFixedCharWidth;
    ctx.charHeight = kFixedCharHeight;
    setRootFrame(ctx, hWnd, info);
    EditorSetAddonCallback(hWnd, &vekCallback);
    enterWindow(hWnd);
    ctx.hostCallback = EditorGetHostCallback(hWnd);
    EditorSetModeFlags(hWnd, 1, kModeHiddenProtected);
    EditorSetModeFlags2(hWnd, 1, kMode2Html);
    return 1;
}

int unhookAllWindows()
{
    PlxModule& m = plxModule();
    for (int i = 0; i < m.windowCount; ++i) {
        if (!m.windows[i])
            continue;
        EditorSetAddonCallback(m.windows[i], nullptr);
        m.windows[i] = nullptr;
    }
    return 1;
}

}
