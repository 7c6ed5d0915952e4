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
#include <string>

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
    // The record holds what of the run fits it; a longer run is read whole from the editor
    // (the click put the caret in its link).
    std::string data = record->hiddenRun;
    if (data.size() + 1 >= sizeof record->hiddenRun)
        readHiddenRun(hWnd, data);
    std::string href, target;
    GetHtmlAttrib(&ctx, data.c_str(), "HREF", href);
    copyCtxText(record->hiddenRun, href.c_str(), sizeof record->hiddenRun);
    if (!GetHtmlAttrib(&ctx, data.c_str(), "target", target) || target.empty())
        target = ctx.defaultTarget;

    if (href[0] == '#') {
        m.linkBuffer = href;
        LPARAM text = reinterpret_cast<LPARAM>(m.linkBuffer.c_str());
        if (readOnly) {
            SendHtmlNotify(&ctx, kNotifyNamedAnchor, reinterpret_cast<WPARAM>(hWnd), text, false);
            return PositionName(hWnd, href.c_str() + 1);
        }
        SendHtmlNotify(&ctx, kNotifyEditLink, reinterpret_cast<WPARAM>(hWnd), text, true, true);
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
    m.linkBuffer = href + suffix;
    HtmlCtx* top = GetTopHtmlCtx(hWnd);
    HWND topWindow = top ? top->editorWindow : hWnd;
    if (readOnly && top)
        copyCtxText(top->targetName, target.c_str());
    SendHtmlNotify(&ctx, readOnly ? kNotifyViewLink : kNotifyEditLink, reinterpret_cast<WPARAM>(topWindow),
                   reinterpret_cast<LPARAM>(m.linkBuffer.c_str()), true, true);
    return 1;
}

}
