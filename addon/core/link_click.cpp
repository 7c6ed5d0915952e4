#include "addon/core/link_click.h"

#include "addon/core/editor_ops.h"
#include "addon/core/html_context.h"
#include "addon/core/html_notify.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/named_anchor.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <cstdio>
#include <cstring>

namespace ks::addon {
namespace {

constexpr int kImageMapPicture = 1;
constexpr int kFirstImageField = 2;

struct ClickedPicture {
    bool picture = false;
    int userId = 0;
    int x = 0, y = 0;
};

// The character under the caret (where the click put it), and the point inside it when a picture.
ClickedPicture clickedCharacter(HWND hWnd)
{
    ClickedPicture c;
    EditorInfo info;
    std::uint16_t fonts[302]{};
    if (!readInfo(hWnd, info))
        return c;
    int count = EditorGetLineChars(hWnd, info.caretLine, nullptr, fonts);
    if (info.caretColumn < 0 || info.caretColumn >= count)
        return c;
    unsigned style = 0;
    RECT rect;
    if (!EditorGetFontData(hWnd, fonts[info.caretColumn], &style, &rect, nullptr, &c.userId) || !(style & editor::kObjectStyle))
        return c;
    c.picture = true;
    c.x = info.mouseX - rect.left - info.windowLeft;
    c.y = info.mouseY - rect.top - info.windowTop;
    return c;
}

}

LRESULT LinkClicked(HtmlCtx& ctx, HWND hWnd, LinkClickRecord* record, bool readOnly)
{
    if (!record)
        return 0;
    PlxModule& m = plxModule();
    char* scratch = m.scratch;
    copyCtxText(scratch, record->hiddenRun, sizeof m.scratch);
    char href[kCtxTextSize]{}, target[kCtxTextSize]{};
    GetHtmlAttrib(&ctx, scratch, "HREF", href);
    copyCtxText(record->hiddenRun, href, sizeof record->hiddenRun);
    if (!GetHtmlAttrib(&ctx, scratch, "target", target) || !target[0])
        copyCtxText(target, ctx.defaultTarget);

    if (href[0] == '#') {
        copyCtxText(m.linkBuffer, href, sizeof m.linkBuffer);
        if (readOnly) {
            SendHtmlNotify(&ctx, kNotifyNamedAnchor, reinterpret_cast<WPARAM>(hWnd),
                           reinterpret_cast<LPARAM>(m.linkBuffer), false);
            return PositionName(hWnd, href + 1);
        }
        SendHtmlNotify(&ctx, kNotifyEditLink, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(m.linkBuffer),
                       true, true);
        return 0;
    }

    char suffix[32]{};
    ClickedPicture picture = clickedCharacter(hWnd);
    if (picture.picture && picture.userId == kImageMapPicture) {
        std::snprintf(suffix, sizeof suffix, "?%d,%d", picture.x, picture.y);
    } else if (picture.picture && picture.userId >= kFirstImageField) {
        int field = picture.userId - kFirstImageField;
        if (field < ctx.fieldCount && field < kFieldCount) {
            ctx.fields[field].clickX = picture.x;
            ctx.fields[field].clickY = picture.y;
            ctx.currentField = field;
            SubmitForm(&ctx, ctx.fields[field].form);
        }
        return 1;
    }
    std::snprintf(m.linkBuffer, sizeof m.linkBuffer, "%s%s", href, suffix);
    HtmlCtx* top = GetTopHtmlCtx(hWnd);
    HWND topWindow = top ? top->editorWindow : hWnd;
    if (readOnly && top)
        copyCtxText(top->targetName, target);
    SendHtmlNotify(&ctx, readOnly ? kNotifyViewLink : kNotifyEditLink, reinterpret_cast<WPARAM>(topWindow),
                   reinterpret_cast<LPARAM>(m.linkBuffer), true, true);
    return 1;
}

}
