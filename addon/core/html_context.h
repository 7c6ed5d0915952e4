#pragma once
// Finding a window's context, with link-target redirection between the windows
// of a frameset, and the ties of a frame window to its frameset.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// The window's context or null. With redirect, a target name or an active frame
// of the frameset may select another window: *hWnd then names it.
HtmlCtx* GetHtmlCtx(HWND* hWnd, bool redirect);
inline HtmlCtx* GetHtmlCtx(HWND hWnd)
{
    return GetHtmlCtx(&hWnd, false);
}
// The context of the window's top window (the window's own when it is its own top).
HtmlCtx* GetTopHtmlCtx(HWND hWnd);
// As GetHtmlCtx, but without a context reports "Html Not initialized!" (code 2).
HtmlCtx* RequireHtmlCtx(HWND* hWnd, bool redirect);
HtmlCtx* RequireTopHtmlCtx(HWND hWnd);

HtmlCtx* SetTopWin(HWND hWnd, HWND top);
int SetParentWin(HWND hWnd, HWND parent);
int SetFrameParent(HWND hWnd, HtmlCtx* top);

// The window of the first frame, depth first, named name (ignoring case); 0 for none.
HWND FindFrameByName(HtmlCtx* ctx, const FrameRecord* record, const char* name);
bool IsFrameSet(HWND hWnd);
int SetClipChildren(HWND window, int on);

// Calls visit(window) for every frame window of the tree below record, depth first,
// descending into frame windows that show a frameset themselves; stops when visit is true.
template <class Visit>
bool visitFrames(const FrameRecord& record, Visit&& visit);

}

#include "addon/core/html_context_frames.h"
