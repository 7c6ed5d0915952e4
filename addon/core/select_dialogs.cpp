// Dialogs "SelectFieldParam" ("Select Field Parameters"), a selection list's name, visible
// items and multiple choice, and "AddSelectionItem" ("Add Selection Item"), one option.
#include "addon/base/dialog_fields.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/plx_module.h"

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kSelectTemplate = win::registerDialogTemplate({
    "SelectFieldParam", "Select Field Parameters", 226, 66,
    {{ControlKind::Label, -1, "Name ", 8, 10, 86, 8},
     {ControlKind::Edit, kDlgName, "", 96, 8, 72, 12},
     {ControlKind::Label, -1, "Number of Display Items", 8, 28, 86, 8},
     {ControlKind::NumberEdit, kDlgItems, "", 96, 26, 30, 12},
     {ControlKind::CheckBox, kDlgMultiple, "Allow multiple selection", 8, 46, 100, 10},
     {ControlKind::DefaultButton, IDOK, "OK", 174, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 174, 26, 46, 14}}});

const win::DialogTemplate& kItemTemplate = win::registerDialogTemplate({
    "AddSelectionItem", "Add Selection Item", 226, 80,
    {{ControlKind::Label, -1, "Item", 8, 10, 30, 8},
     {ControlKind::Edit, kDlgItemText, "", 40, 8, 128, 12},
     {ControlKind::Label, -1, "Value", 8, 28, 30, 8},
     {ControlKind::Edit, kDlgItemValue, "", 40, 26, 128, 12},
     {ControlKind::CheckBox, kDlgItemSelected, "Selected", 8, 46, 50, 10},
     {ControlKind::RadioButton, kDlgItemInsert, "Insert", 8, 62, 40, 10, true},
     {ControlKind::RadioButton, kDlgItemAppend, "Append", 52, 62, 40, 10},
     {ControlKind::DefaultButton, IDOK, "OK", 174, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 174, 26, 46, 14}}});

void startSelect(HWND dialog, HtmlCtx& ctx)
{
    const std::int32_t* v = ctx.dialog.values;
    SetDlgItemText(dialog, kDlgName, exchangeText1(ctx));
    SetDlgItemNumber(dialog, kDlgItems, v[kValueB]);
    CheckDlgButton(dialog, kDlgMultiple, v[kValueA] ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(GetDlgItem(dialog, kDlgName));
}

bool storeSelect(HWND dialog, HtmlCtx& ctx)
{
    char name[kCtxTextSize];
    unsigned items = 0;
    if (!RequiredDlgText(dialog, kDlgName, name, sizeof name) || !CheckDlgValue(dialog, 'I', kDlgItems, 1, 20) ||
        !CheckDlgInt(dialog, kDlgItems, &items))
        return false;
    std::int32_t* v = ctx.dialog.values;
    v[kValueA] = IsDlgButtonChecked(dialog, kDlgMultiple) == BST_CHECKED;
    v[kValueB] = std::int32_t(items);
    copyCtxText(exchangeText1(ctx), name);
    return true;
}

void startItem(HWND dialog, HtmlCtx& ctx)
{
    const std::int32_t* v = ctx.dialog.values;
    SetDlgItemText(dialog, kDlgItemText, exchangeText1(ctx));
    SetDlgItemText(dialog, kDlgItemValue, exchangeText2(ctx));
    CheckDlgButton(dialog, kDlgItemSelected, v[kValueA] ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, kDlgItemInsert, kDlgItemAppend, v[kValueB] ? kDlgItemInsert : kDlgItemAppend);
    SetFocus(GetDlgItem(dialog, kDlgItemText));
}

bool storeItem(HWND dialog, HtmlCtx& ctx)
{
    char text[kCtxTextSize];
    if (!RequiredDlgText(dialog, kDlgItemText, text, sizeof text))
        return false;
    std::int32_t* v = ctx.dialog.values;
    v[kValueA] = IsDlgButtonChecked(dialog, kDlgItemSelected) == BST_CHECKED;
    v[kValueB] = IsDlgButtonChecked(dialog, kDlgItemInsert) == BST_CHECKED;
    copyCtxText(exchangeText1(ctx), text);
    GetDlgItemText(dialog, kDlgItemValue, exchangeText2(ctx), kCtxTextSize);
    return true;
}

}
}

using namespace ks::addon;

LRESULT SelectFieldParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startSelect, storeSelect};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}

LRESULT AddSelectionItem(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startItem, storeItem};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
