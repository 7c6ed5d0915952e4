// Dialog LINKDATAPARAM, "Update Link Parameters": the href, name and target of a link.
#include "addon/base/dialog_fields.h"
#include "addon/core/link_dialogs.h"

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "LinkDataParam", "Update Link Parameters", 222, 70,
    {{ControlKind::Label, -1, "Link Href", 8, 10, 50, 8},
     {ControlKind::Edit, kLinkHref, "", 60, 8, 100, 12},
     {ControlKind::Label, -1, "Link Name", 8, 28, 50, 8},
     {ControlKind::Edit, kLinkName, "", 60, 26, 100, 12},
     {ControlKind::Label, -1, "Link Target", 8, 46, 50, 8},
     {ControlKind::Edit, kLinkTarget, "", 60, 44, 100, 12},
     {ControlKind::DefaultButton, IDOK, "OK", 168, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 168, 26, 46, 14}}});

struct Field {
    int id;
    char* text;
};

void fields(HtmlCtx& ctx, Field (&out)[3])
{
    out[0] = {kLinkHref, ctx.dialog.href};
    out[1] = {kLinkName, ctx.dialog.name};
    out[2] = {kLinkTarget, ctx.dialog.target};
}

void start(HWND dialog, HtmlCtx& ctx)
{
    Field all[3];
    fields(ctx, all);
    for (const Field& f : all) {
        SetDlgItemText(dialog, f.id, f.text);
        DialogFont(&ctx, dialog, f.id);
    }
    SetFocus(GetDlgItem(dialog, kLinkHref));
}

// All three empty would leave a link without anything: refused.
bool store(HWND dialog, HtmlCtx& ctx)
{
    char texts[3][kCtxTextSize];
    Field all[3];
    fields(ctx, all);
    for (int i = 0; i < 3; ++i)
        GetDlgItemText(dialog, all[i].id, texts[i], kCtxTextSize);
    if (!*texts[0] && !*texts[1] && !*texts[2]) {
        MessageBeep(0);
        SetFocus(GetDlgItem(dialog, kLinkHref));
        return false;
    }
    for (int i = 0; i < 3; ++i)
        std::copy(texts[i], texts[i] + kCtxTextSize, all[i].text);
    return true;
}

}
}

using namespace ks::addon;

LRESULT LinkDataParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, store};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
