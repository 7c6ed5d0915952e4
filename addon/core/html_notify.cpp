#include "addon/core/html_notify.h"

#include "addon/core/html_context.h"
#include "platform/win/window_handle.h"

namespace ks::addon {

bool isPostedNotify(UINT code) { return code == kNotifyViewLink || code == kNotifyEditLink; }

LRESULT SendHtmlNotify(HtmlCtx* ctx, UINT code, WPARAM wParam, LPARAM lParam, bool post, bool textParam)
{
    HtmlCtx* top = ctx ? GetTopHtmlCtx(ctx->editorWindow) : nullptr;
    if (!top)
        return 0;
    if (top->hostCallback)
        return top->hostCallback(top->editorWindow, code, wParam, lParam);
    if (!post)
        return SendMessage(top->hostWindow, code, wParam, lParam);
    if (textParam)
        PostMessageText(top->hostWindow, code, wParam, reinterpret_cast<const char*>(lParam));
    else
        PostMessage(top->hostWindow, code, wParam, lParam);
    return 0;
}

LRESULT HtmlNotify(HtmlCtx* ctx, UINT code, WPARAM wParam, LPARAM lParam)
{
    return SendHtmlNotify(ctx, code, wParam, lParam, isPostedNotify(code), isPostedNotify(code));
}

int SubmitForm(HtmlCtx* ctx, int form)
{
    SendHtmlNotify(ctx, kNotifySubmit, reinterpret_cast<WPARAM>(ctx ? ctx->editorWindow : nullptr), form, false);
    return 1;
}

}
