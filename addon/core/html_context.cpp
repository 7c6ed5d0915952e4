#include "addon/core/html_context.h"

#include "addon/base/print_error.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <strings.h>

namespace ks::addon {
namespace {

bool named(const char* text, const char* name) { return text && strcasecmp(text, name) == 0; }

HWND selectTarget(HtmlCtx& decider, HtmlCtx& ctx, HWND self)
{
    const char* target = decider.targetName;
    if (named(target, "_top"))
        return ctx.topWindow;
    if (named(target, "_parent"))
        return ctx.parentWindow;
    if (named(target, "_self"))
        return self;
    return FindFrameByName(&decider, &decider.rootFrame, target);
}

}

HtmlCtx* GetHtmlCtx(HWND* hWnd, bool redirect)
{
    if (!hWnd)
        return nullptr;
    auto* ctx = static_cast<HtmlCtx*>(EditorGetAddonData(*hWnd));
    if (!ctx || !redirect || !ctx->topWindow)
        return ctx;
    HtmlCtx* decider = (ctx->topWindow == *hWnd || !ctx->topCtx) ? ctx : ctx->topCtx;
    if (decider->noRedirect)
        return ctx;
    if (decider->targetName[0]) {
        HWND selected = selectTarget(*decider, *ctx, *hWnd);
        if (HtmlCtx* chosen = selected ? GetHtmlCtx(selected) : nullptr) {
            *hWnd = selected;
            return chosen;
        }
    }
    HWND active = decider->activeFrameWindow;
    if (*hWnd == ctx->topWindow && active && active != ctx->topWindow) {
        if (HtmlCtx* chosen = GetHtmlCtx(active)) {
            *hWnd = active;
            return chosen;
        }
    }
    return ctx;
}

HtmlCtx* GetTopHtmlCtx(HWND hWnd)
{
    HtmlCtx* ctx = GetHtmlCtx(hWnd);
    if (!ctx || !ctx->topWindow || ctx->topWindow == hWnd)
        return ctx;
    return GetHtmlCtx(ctx->topWindow);
}

HtmlCtx* RequireHtmlCtx(HWND* hWnd, bool redirect)
{
    HtmlCtx* ctx = GetHtmlCtx(hWnd, redirect);
    if (!ctx)
        PrintError(nullptr, "Html Not initialized!", kErrNotInitialized);
    return ctx;
}

HtmlCtx* RequireTopHtmlCtx(HWND hWnd)
{
    HtmlCtx* ctx = GetTopHtmlCtx(hWnd);
    if (!ctx)
        PrintError(nullptr, "Html Not initialized!", kErrNotInitialized);
    return ctx;
}

HtmlCtx* SetTopWin(HWND hWnd, HWND top)
{
    HtmlCtx* ctx = hWnd ? GetHtmlCtx(hWnd) : nullptr;
    if (ctx)
        ctx->topWindow = top;
    return ctx;
}

int SetParentWin(HWND hWnd, HWND parent)
{
    HtmlCtx* ctx = hWnd ? GetHtmlCtx(hWnd) : nullptr;
    return ctx ? (ctx->parentWindow = parent, 1) : 0;
}

int SetFrameParent(HWND hWnd, HtmlCtx* top)
{
    HtmlCtx* ctx = hWnd ? GetHtmlCtx(hWnd) : nullptr;
    return ctx ? (ctx->topCtx = top, 1) : 0;
}

namespace {

HWND findFrameAt(HtmlCtx* ctx, const FrameRecord* record, const char* name, int depth)
{
    if (!record || depth > kMaxFrameDepth)
        return nullptr;
    for (int i = 0; i < record->childCount && record->children; ++i) {
        const FrameRecord& child = record->children[i];
        if (child.frameset) {
            if (HWND found = findFrameAt(ctx, &child, name, depth + 1))
                return found;
            continue;
        }
        if (named(child.name, name))
            return child.window;
        HtmlCtx* own = child.window ? GetHtmlCtx(child.window) : nullptr;
        if (own && own != ctx && own->rootFrame.childCount > 0)
            if (HWND found = findFrameAt(own, &own->rootFrame, name, depth + 1))
                return found;
    }
    return nullptr;
}

}

HWND FindFrameByName(HtmlCtx* ctx, const FrameRecord* record, const char* name)
{
    return name && *name ? findFrameAt(ctx, record, name, 0) : nullptr;
}

bool IsFrameSet(HWND hWnd)
{
    HtmlCtx* ctx = GetHtmlCtx(hWnd);
    return ctx && ctx->topWindow == hWnd && ctx->rootFrame.childCount > 0;
}

int SetClipChildren(HWND window, int on)
{
    if (EditorSetClipChildren(window, on))
        return 1;
    if (auto w = win::findWindow(window))
        w->setStyle(on ? (w->style() | WS_CLIPCHILDREN) : (w->style() & ~WS_CLIPCHILDREN));
    return 1;
}

}
