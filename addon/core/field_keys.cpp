// SubclassEdit: the window procedure every field control gets, so that Tab and
// Shift+Tab walk the document's fields and Enter in a text line can submit its form.
#include "addon/core/field_controls.h"
#include "addon/core/field_control.h"
#include "addon/core/html_context.h"
#include "addon/core/plx32.h"
#include "addon/core/vek_callback.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

namespace ks::addon {
namespace {

constexpr WPARAM kEnter = 13, kTab = 9;

FieldRecord* fieldOfControl(HtmlCtx& ctx, int controlId)
{
    for (int i = 0; i < ctx.fieldCount && i < kFieldCount; ++i)
        if (ctx.fields[i].controlId == controlId)
            return &ctx.fields[i];
    return nullptr;
}

bool takesFocus(const FieldRecord& f) { return f.type != kFieldHidden && f.type != kFieldImage; }

// The next field with a control from `from`, one step at a time in `step`'s direction,
// wrapping once past either end; null when there is none.
FieldRecord* nextField(HtmlCtx& ctx, int from, int step)
{
    int count = std::min(ctx.fieldCount, kFieldCount);
    int i = from + step;
    for (int seen = 0; seen < count; ++seen, i += step) {
        i = (i + count) % count;
        if (takesFocus(ctx.fields[i]))
            return &ctx.fields[i];
    }
    return nullptr;
}

// The caret goes to the field's object, scrolling only when the object is out of sight.
LRESULT moveToField(HtmlCtx& ctx, HWND editor, const FieldRecord& target)
{
    int pos = EditorFindControlPos(editor, target.controlId);
    if (pos < 0)
        return 1;
    int x = 0, y = 0, scroll = 1;
    VekInfo info;
    if (EditorGetPosPoint(editor, 2, pos, -1, &x, &y) && EditorGetInfo(editor, &info) && x >= 0 &&
        x < info.windowRight - info.windowLeft && y >= 0 && y < info.windowBottom - info.windowTop)
        scroll = 0;
    EditorMoveCaret(editor, pos, -1, scroll);
    if (HWND control = FieldControl(ctx, target))
        SetFocus(control);
    return 1;
}

}

}

using namespace ks::addon;

extern "C" LRESULT SubclassEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The field's own window: a link target or active frame of the frameset has no say
    // over which document a control belongs to.
    HWND editor = GetParent(hWnd);
    HtmlCtx* ctx = GetHtmlCtx(editor);
    FieldRecord* field = ctx ? fieldOfControl(*ctx, GetDlgCtrlID(hWnd)) : nullptr;
    if (!field)
        return 1;
    if (message == WM_CHAR && wParam == kEnter && field->type == kFieldText) {
        vekCallback(editor, WM_COMMAND, MAKEWPARAM(unsigned(field->controlId), kFieldEnterCode),
                    reinterpret_cast<LPARAM>(hWnd));
        return 1;
    }
    if (message == WM_CHAR && wParam == kTab) {
        int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        FieldRecord* target = nextField(*ctx, int(field - ctx->fields), step);
        return target ? moveToField(*ctx, editor, *target) : 1;
    }
    return CallWindowProc(field->previousProc, hWnd, message, wParam, lParam);
}
