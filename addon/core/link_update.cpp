// Rewriting the link data run at the caret with new attributes.
#include "addon/base/dialog_fields.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/html_reader.h"
#include "addon/core/editor_ops.h"
#include "addon/core/html_context.h"
#include "addon/core/link_dialogs.h"
#include "addon/core/link_edit.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <cstring>
#include <string>

namespace ks::addon {
namespace {

constexpr unsigned kKeepHiddenMode = 0x4000000;

bool empty(const char* text) { return !text || !*text; }

struct LinkParts {
    std::string href, name, target;
};

// The link's values whole, from its run at the caret.
LinkParts currentParts(HtmlCtx& ctx, HWND hWnd)
{
    LinkParts parts;
    std::string run;
    readHiddenRun(hWnd, run);
    GetHtmlAttrib(&ctx, run.c_str(), "HREF", parts.href);
    GetHtmlAttrib(&ctx, run.c_str(), "NAME", parts.name);
    GetHtmlAttrib(&ctx, run.c_str(), "TARGET", parts.target);
    return parts;
}

// The dialog's answer for a value: an exchange text holds 300 characters, so a longer value
// it gives back exactly as it was given stays whole.
std::string answered(const char* exchange, const std::string& whole)
{
    return whole.size() >= kCtxTextSize && whole.compare(0, kCtxTextSize - 1, exchange) == 0 ? whole : exchange;
}

// The current values in the exchange texts, the dialog, and its answer.
bool askLinkData(HtmlCtx& ctx, HWND hWnd, LinkParts& parts)
{
    DialogExchange& x = ctx.dialog;
    LinkParts was = currentParts(ctx, hWnd);
    copyCtxText(x.href, was.href.c_str());
    copyCtxText(x.name, was.name.c_str());
    copyCtxText(x.target, was.target.c_str());
    if (CallDialogBox(&ctx, "LinkDataParam", LinkDataParam, 0) != 1)
        return false;
    parts = {answered(x.href, was.href), answered(x.name, was.name), answered(x.target, was.target)};
    return true;
}

// Deletes the run and types the new data in its place, hidden, outside any link style.
int replaceRun(HtmlCtx& ctx, HWND hWnd, const char* data, int repaint)
{
    std::string run;
    int line = 0, col = 0;
    int start = readHiddenRun(hWnd, run, &line, &col) ? EditorLineColToPos(hWnd, line, col) : -1;
    if (start < 0)
        return 0;
    unsigned mode = EditorGetModeFlags(hWnd, 1);
    EditorSetModeFlags(hWnd, 0, kKeepHiddenMode);
    EditorSelectRange(hWnd, start, start + EditorGetRunLength(hWnd, start));
    EditorDeleteSelection(hWnd);
    EditorRepaint(hWnd, 0);
    EditorMoveCaret(hWnd, start, -1, 0);
    EditorSetCharStyle(hWnd, ctx.linkStyle | kStyleLinkText, 0, 0);
    EditorSetCharStyle(hWnd, kStyleHiddenLink, 1, 0);
    EditorInsertText(hWnd, data);
    EditorSetCharStyle(hWnd, kStyleHiddenLink | kStyleLinkText | ctx.linkStyle, 0, 0);
    EditorMoveCaret(hWnd, start + int(std::strlen(data)), -1, repaint);
    if (mode & kKeepHiddenMode)
        EditorSetModeFlags(hWnd, 1, kKeepHiddenMode);
    return 1;
}

}

int UpdateLinkEx(HWND hWnd, const char* href, const char* name, const char* target, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (EditorGetHiddenRun(hWnd, nullptr, 0, nullptr, nullptr) <= 0)
        return 0;
    LinkParts parts;
    if (empty(href) && empty(name) && empty(target)) {
        if (!askLinkData(*ctx, hWnd, parts))
            return 0;
    } else {
        parts = {href ? href : "", name ? name : "", target ? target : ""};
    }
    return replaceRun(*ctx, hWnd, BuildLinkData(parts.href.c_str(), parts.name.c_str(), parts.target.c_str()).c_str(),
                      repaint);
}

}
