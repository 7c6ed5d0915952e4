// Dialog FONTSIZEPARAM: an HTML font size, absolute (1 to 7) or relative (-7 to 7).
#include "addon/base/dialog_fields.h"
#include "addon/core/font_dialogs.h"
#include "addon/core/link_dialogs.h"

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "FontSizeParam", "Font Size Selection", 170, 52,
    {{ControlKind::Label, -1, "Font Size (1 to 7)", 8, 10, 66, 8},
     {ControlKind::Edit, kFontSizeEdit, "", 76, 8, 30, 12},
     {ControlKind::CheckBox, kFontSizeRelativeCheck, "Relative", 8, 28, 60, 10},
     {ControlKind::DefaultButton, IDOK, "OK", 116, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 116, 26, 46, 14}}});

void start(HWND dialog, HtmlCtx& ctx)
{
    // Signed: a relative size below 0 shows as itself, not as a huge unsigned number.
    SetDlgItemInt(dialog, kFontSizeEdit, unsigned(ctx.dialog.values[kFontSizeValue]), true);
    CheckDlgButton(dialog, kFontSizeRelativeCheck, ctx.dialog.values[kFontSizeRelative] ? BST_CHECKED : BST_UNCHECKED);
    DialogFont(&ctx, dialog, kFontSizeEdit);
    SetFocus(GetDlgItem(dialog, kFontSizeEdit));
}

bool store(HWND dialog, HtmlCtx& ctx)
{
    bool relative = IsDlgButtonChecked(dialog, kFontSizeRelativeCheck) == BST_CHECKED;
    bool number = false;
    int size = int(GetDlgItemInt(dialog, kFontSizeEdit, &number, true));
    if (!number || size > 7 || size < (relative ? -7 : 1)) {
        MessageBeep(0);
        SetFocus(GetDlgItem(dialog, kFontSizeEdit));
        return false;
    }
    ctx.dialog.values[kFontSizeValue] = size;
    ctx.dialog.values[kFontSizeRelative] = relative;
    return true;
}

}
}

using namespace ks::addon;

LRESULT FontSizeParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, store};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
