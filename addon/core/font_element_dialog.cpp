// Dialog SELECTFONTELEMENT: the twenty font elements by name; ends with the chosen one.
#include "addon/base/dialog_fields.h"
#include "addon/core/font_dialogs.h"
#include "addon/core/font_elements.h"
#include "addon/core/link_dialogs.h"

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "SelectFontElement", "Select Font Element", 170, 120,
    {{ControlKind::ListBox, kElementList, "", 8, 8, 100, 104},
     {ControlKind::DefaultButton, IDOK, "OK", 116, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 116, 26, 46, 14}}});

void start(HWND dialog, HtmlCtx& ctx)
{
    for (int e = 0; e < kFontElementCount; ++e)
        AddListItem(dialog, kElementList, fontElementName(e), e);
    SendDlgItemMessage(dialog, kElementList, LB_SETCURSEL, 0, 0);
    DialogFont(&ctx, dialog, kElementList);
    SetFocus(GetDlgItem(dialog, kElementList));
}

// Ends with the selected entry's element.
bool choose(HWND dialog, HtmlCtx&)
{
    LRESULT at = SendDlgItemMessage(dialog, kElementList, LB_GETCURSEL, 0, 0);
    if (at < 0)
        return false;
    EndDialog(dialog, SendDlgItemMessage(dialog, kElementList, LB_GETITEMDATA, WPARAM(at), 0));
    return true;
}

void command(HWND dialog, HtmlCtx& ctx, int id, unsigned code)
{
    if (id == kElementList && code == LBN_DBLCLK)
        choose(dialog, ctx);
}

}
}

using namespace ks::addon;

LRESULT SelectFontElement(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, choose, command, -1};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
