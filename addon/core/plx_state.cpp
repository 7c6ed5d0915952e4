#include "addon/core/plx_state.h"

#include "addon/convert/html_entities.h"
#include "addon/core/editor_ops.h"
#include "addon/core/html_context.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

namespace ks::addon {
namespace {

template <class Body>
int withTop(HWND hWnd, Body&& body)
{
    HtmlCtx* top = RequireTopHtmlCtx(hWnd);
    return top ? body(*top) : 0;
}

template <class Body>
int withOwn(HWND hWnd, Body&& body)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, false);
    return ctx ? body(*ctx) : 0;
}

int copyOut(char* buffer, const char* text)
{
    if (!buffer)
        return 0;
    copyCtxText(buffer, text);
    return 1;
}

int editorModified(HWND window)
{
    EditorInfo info;
    return readInfo(window, info) ? info.modified : 0;
}

}

std::uint32_t SetFlags(HWND hWnd, int on, std::uint32_t bits)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    ctx->flags = on ? (ctx->flags | bits) : (ctx->flags & ~bits);
    return ctx->flags;
}

HWND GetTopWin(HWND hWnd)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    return ctx ? ctx->topWindow : nullptr;
}

std::uint32_t GetUsfList(HWND hWnd) { return withTop(hWnd, [](HtmlCtx& t) { return int(t.unsupported); }); }

int SetDocTitle(HWND hWnd, const char* text)
{
    // A title the host had from the page and gives back keeps the references it was shown with.
    return withTop(hWnd, [&](HtmlCtx& t) {
        return copyCtxTitle(t.docTitle, KeepReferences(text ? text : "", t.docTitle)), 1;
    });
}

int SetTarget(HWND hWnd, const char* text)
{
    return withTop(hWnd, [&](HtmlCtx& t) { return copyCtxText(t.targetName, text), 1; });
}

int GetTarget(HWND hWnd, char* buffer)
{
    return withTop(hWnd, [&](HtmlCtx& t) { return copyOut(buffer, t.targetName); });
}

int SetActiveWnd(HWND hWnd)
{
    return withTop(hWnd, [&](HtmlCtx& t) { return t.activeFrameWindow = hWnd, 1; });
}

HWND GetActiveWnd(HWND hWnd)
{
    HtmlCtx* top = RequireTopHtmlCtx(hWnd);
    return top ? top->activeFrameWindow : nullptr;
}

int InViewMode(HWND hWnd) { return withTop(hWnd, [](HtmlCtx& t) { return t.viewMode; }); }

int SetFrameName(HWND hWnd, const char* text)
{
    return withOwn(hWnd, [&](HtmlCtx& c) { return copyCtxText(c.frameName, text), 1; });
}

int GetFrameName(HWND hWnd, char* buffer)
{
    return withOwn(hWnd, [&](HtmlCtx& c) { return copyOut(buffer, c.frameName); });
}

int SetDefaultTarget(HWND hWnd, const char* text)
{
    return withOwn(hWnd, [&](HtmlCtx& c) { return copyCtxText(c.defaultTarget, text), 1; });
}

int Modified(HWND hWnd)
{
    return withOwn(hWnd, [&](HtmlCtx& c) {
        if (!IsFrameSet(hWnd))
            return editorModified(hWnd);
        return visitFrames(c.rootFrame, [](HWND frame) { return editorModified(frame) != 0; }) ? 1 : 0;
    });
}

int SetReadOnly(HWND hWnd, int on)
{
    return withOwn(hWnd, [&](HtmlCtx& c) {
        if (!IsFrameSet(hWnd))
            return EditorSetReadOnly(hWnd, on);
        visitFrames(c.rootFrame, [&](HWND frame) { return EditorSetReadOnly(frame, on), false; });
        return EditorSetReadOnly(hWnd, 1);
    });
}

}
