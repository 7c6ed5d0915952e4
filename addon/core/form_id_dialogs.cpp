// Dialogs of forms: "FormListParam" ("Form Id Display") picks a form to change or asks for
// a new one, "FormEditParam" ("Form Id Parameters") edits one, "SetFormParam" ("Form Id
// Selection") picks the form of a block of form text.
#include "addon/base/dialog_fields.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/plx_module.h"

#include <cstdio>

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kListTemplate = win::registerDialogTemplate({
    "FormListParam", "Form Id Display", 252, 110,
    {{ControlKind::Label, -1, "Available Form Ids", 8, 6, 120, 8},
     {ControlKind::ListBox, kDlgFormList, "", 8, 16, 180, 86},
     {ControlKind::PushButton, kDlgFormNew, "New...", 196, 16, 50, 14},
     {ControlKind::PushButton, kDlgFormProperties, "Properties...", 196, 34, 50, 14},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 196, 52, 50, 14}}});

const win::DialogTemplate& kSelectionTemplate = win::registerDialogTemplate({
    "SetFormParam", "Form Id Selection", 252, 110,
    {{ControlKind::Label, -1, "Available Form Ids", 8, 6, 120, 8},
     {ControlKind::ListBox, kDlgFormList, "", 8, 16, 180, 86},
     {ControlKind::DefaultButton, IDOK, "OK", 196, 16, 50, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 196, 34, 50, 14}}});

const win::DialogTemplate& kEditTemplate = win::registerDialogTemplate({
    "FormEditParam", "Form Id Parameters", 226, 84,
    {{ControlKind::Label, -1, "Form Id", 8, 10, 40, 8},
     {ControlKind::Label, kDlgFormId, "", 50, 10, 40, 8},
     {ControlKind::GroupBox, -1, "Method", 8, 24, 120, 26},
     {ControlKind::RadioButton, kDlgFormGet, "Get", 14, 36, 40, 10, true},
     {ControlKind::RadioButton, kDlgFormPost, "Post", 60, 36, 40, 10},
     {ControlKind::Label, -1, "Action", 8, 62, 40, 8},
     {ControlKind::Edit, kDlgFormAction, "", 50, 60, 118, 12},
     {ControlKind::DefaultButton, IDOK, "OK", 174, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 174, 26, 46, 14}}});

// One entry per form, its index as the entry's data; the entry of form `selected` (or the
// first) is selected.
void fillFormList(HWND dialog, const HtmlCtx& ctx, int selected)
{
    int count = ctx.formCount < kFormCount ? ctx.formCount : kFormCount;
    for (int i = 0; i < count; ++i) {
        char entry[sizeof ctx.forms[i].action + 48];
        std::snprintf(entry, sizeof entry, "Id: %d, Method: %s, Action: %s", i, ctx.forms[i].method ? "Post" : "Get",
                      ctx.forms[i].action);
        AddListItem(dialog, kDlgFormList, entry, i);
    }
    if (count > 0)
        SendDlgItemMessage(dialog, kDlgFormList, LB_SETCURSEL, selected >= 0 && selected < count ? selected : 0, 0);
}

// The form index of the selected entry, or -1.
int selectedForm(HWND dialog)
{
    LRESULT at = SendDlgItemMessage(dialog, kDlgFormList, LB_GETCURSEL, 0, 0);
    return at < 0 ? -1 : int(SendDlgItemMessage(dialog, kDlgFormList, LB_GETITEMDATA, WPARAM(at), 0));
}

void startList(HWND dialog, HtmlCtx& ctx)
{
    fillFormList(dialog, ctx, 0);
    bool any = ctx.formCount > 0;
    EnableWindow(GetDlgItem(dialog, kDlgFormList), any);
    EnableWindow(GetDlgItem(dialog, kDlgFormProperties), any);
    SetFocus(GetDlgItem(dialog, any ? kDlgFormList : kDlgFormNew));
}

void commandList(HWND dialog, HtmlCtx& ctx, int id, unsigned code)
{
    if (id == kDlgFormNew)
        EndDialog(dialog, ctx.formCount);
    else if ((id == kDlgFormProperties || (id == kDlgFormList && code == LBN_DBLCLK)) && selectedForm(dialog) >= 0)
        EndDialog(dialog, selectedForm(dialog));
}

void startSelection(HWND dialog, HtmlCtx& ctx)
{
    fillFormList(dialog, ctx, ctx.dialog.values[kValueA]);
    SetFocus(GetDlgItem(dialog, kDlgFormList));
}

// A form must be chosen: without one the dialog beeps and stays.
bool storeSelection(HWND dialog, HtmlCtx&)
{
    int form = selectedForm(dialog);
    if (form < 0) {
        MessageBeep(0);
        return false;
    }
    EndDialog(dialog, form);
    return true;
}

void commandSelection(HWND dialog, HtmlCtx& ctx, int id, unsigned code)
{
    if (id == kDlgFormList && code == LBN_DBLCLK)
        storeSelection(dialog, ctx);
}

void startEdit(HWND dialog, HtmlCtx& ctx)
{
    int form = ctx.dialog.values[kValueA];
    bool existing = form >= 0 && form < ctx.formCount && form < kFormCount;
    SetDlgItemNumber(dialog, kDlgFormId, form);
    CheckRadioButton(dialog, kDlgFormGet, kDlgFormPost, existing && !ctx.forms[form].method ? kDlgFormGet : kDlgFormPost);
    SetDlgItemText(dialog, kDlgFormAction, existing ? ctx.forms[form].action : "");
    SetFocus(GetDlgItem(dialog, kDlgFormAction));
}

bool storeEdit(HWND dialog, HtmlCtx& ctx)
{
    char action[kCtxTextSize];
    if (!RequiredDlgText(dialog, kDlgFormAction, action, sizeof action))
        return false;
    ctx.dialog.values[kValueB] = IsDlgButtonChecked(dialog, kDlgFormPost) == BST_CHECKED;
    copyCtxText(exchangeText1(ctx), action);
    return true;
}

}

void PrepareExchange(HtmlCtx& ctx, int a, int b, int c, int d)
{
    std::int32_t* v = ctx.dialog.values;
    v[kValueA] = a;
    v[kValueB] = b;
    v[kValueC] = c;
    v[kValueD] = d;
    exchangeText1(ctx)[0] = exchangeText2(ctx)[0] = 0;
}

}

using namespace ks::addon;

LRESULT FormListParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startList, nullptr, commandList, -1};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}

LRESULT SetFormParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startSelection, storeSelection, commandSelection, -1};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}

LRESULT FormEditParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startEdit, storeEdit};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
