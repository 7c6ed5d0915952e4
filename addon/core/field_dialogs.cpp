// Dialogs "TextFieldParam" ("Text Field Parameters") and "ButtonFieldParam" ("Button Field
// Parameters"): a new field's kind, name and sizes or label. a < 0 is a new field; an
// existing field keeps its kind.
#include "addon/base/dialog_fields.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/plx_module.h"

#include <utility>

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTextTemplate = win::registerDialogTemplate({
    "TextFieldParam", "Text Field Parameters", 226, 124,
    {{ControlKind::Label, -1, "Name ", 8, 10, 60, 8},
     {ControlKind::Edit, kDlgName, "", 84, 8, 84, 12},
     {ControlKind::GroupBox, -1, "Field Type", 8, 26, 160, 26},
     {ControlKind::RadioButton, kDlgTextLine, "Text Line", 14, 38, 46, 10, true},
     {ControlKind::RadioButton, kDlgTextArea, "Text Area", 62, 38, 46, 10},
     {ControlKind::RadioButton, kDlgPassword, "Password", 112, 38, 46, 10},
     {ControlKind::Label, -1, "Number of Columns", 8, 62, 74, 8},
     {ControlKind::NumberEdit, kDlgColumns, "", 84, 60, 30, 12},
     {ControlKind::Label, -1, "Maximum Columns", 8, 80, 74, 8},
     {ControlKind::NumberEdit, kDlgMaxColumns, "", 84, 78, 30, 12},
     {ControlKind::Label, kDlgRowsLabel, "Number of Rows", 8, 98, 74, 8},
     {ControlKind::NumberEdit, kDlgRows, "", 84, 96, 30, 12},
     {ControlKind::DefaultButton, IDOK, "OK", 174, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 174, 26, 46, 14}}});

const win::DialogTemplate& kButtonTemplate = win::registerDialogTemplate({
    "ButtonFieldParam", "Button Field Parameters", 226, 110,
    {{ControlKind::Label, -1, "Name ", 8, 10, 40, 8},
     {ControlKind::Edit, kDlgName, "", 50, 8, 118, 12},
     {ControlKind::Label, -1, "Text", 8, 28, 40, 8},
     {ControlKind::Edit, kDlgButtonText, "", 50, 26, 118, 12},
     {ControlKind::GroupBox, -1, "Button Type", 8, 44, 160, 40},
     {ControlKind::RadioButton, kDlgRadio, "Radio Button", 14, 56, 64, 10, true},
     {ControlKind::RadioButton, kDlgCheckBox, "Check Box", 90, 56, 64, 10},
     {ControlKind::RadioButton, kDlgSubmit, "Submit Button", 14, 70, 64, 10},
     {ControlKind::RadioButton, kDlgReset, "Reset Button", 90, 70, 64, 10},
     {ControlKind::CheckBox, kDlgChecked, "Checked", 8, 92, 50, 10},
     {ControlKind::DefaultButton, IDOK, "OK", 174, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 174, 26, 46, 14}}});

// Radio buttons and the field types they stand for.
constexpr std::pair<int, int> kTextKinds[] = {
    {kDlgTextLine, kFieldText}, {kDlgTextArea, kFieldTextArea}, {kDlgPassword, kFieldPassword}};
constexpr std::pair<int, int> kButtonKinds[] = {
    {kDlgRadio, kFieldRadio}, {kDlgCheckBox, kFieldCheckBox}, {kDlgSubmit, kFieldSubmit}, {kDlgReset, kFieldReset}};

template <std::size_t N>
int radioOf(const std::pair<int, int> (&kinds)[N], int type)
{
    for (auto [id, kind] : kinds)
        if (kind == type)
            return id;
    return kinds[0].first;
}

template <std::size_t N>
int chosenKind(HWND dialog, const std::pair<int, int> (&kinds)[N])
{
    for (auto [id, kind] : kinds)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return kind;
    return kinds[0].second;
}

// Shows the field's kind; an existing field's kind cannot change.
template <std::size_t N>
void startKinds(HWND dialog, const std::pair<int, int> (&kinds)[N], int type, int first, int last)
{
    CheckRadioButton(dialog, first, last, radioOf(kinds, type));
    for (auto [id, kind] : kinds)
        EnableWindow(GetDlgItem(dialog, id), type < 0);
}

void showRows(HWND dialog)
{
    bool area = IsDlgButtonChecked(dialog, kDlgTextArea) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, kDlgRows), area);
    EnableWindow(GetDlgItem(dialog, kDlgRowsLabel), area);
}

void startText(HWND dialog, HtmlCtx& ctx)
{
    const std::int32_t* v = ctx.dialog.values;
    SetDlgItemText(dialog, kDlgName, exchangeText1(ctx));
    SetDlgItemNumber(dialog, kDlgColumns, v[kValueB]);
    SetDlgItemNumber(dialog, kDlgMaxColumns, v[kValueC]);
    SetDlgItemNumber(dialog, kDlgRows, v[kValueD]);
    startKinds(dialog, kTextKinds, v[kValueA], kDlgTextLine, kDlgPassword);
    showRows(dialog);
    SetFocus(GetDlgItem(dialog, kDlgName));
}

void commandText(HWND dialog, HtmlCtx&, int id, unsigned)
{
    if (id == kDlgTextLine || id == kDlgTextArea || id == kDlgPassword)
        showRows(dialog);
}

// A number the dialog checks against its range, then reads.
bool number(HWND dialog, int item, unsigned minimum, unsigned maximum, unsigned& out)
{
    return CheckDlgValue(dialog, 'I', item, minimum, maximum) && CheckDlgInt(dialog, item, &out);
}

bool storeText(HWND dialog, HtmlCtx& ctx)
{
    char name[kCtxTextSize];
    unsigned columns = 0, most = 0, rows = 0;
    int type = chosenKind(dialog, kTextKinds);
    if (!RequiredDlgText(dialog, kDlgName, name, sizeof name) || !number(dialog, kDlgColumns, 1, 200, columns) ||
        !number(dialog, kDlgMaxColumns, columns, 200, most) ||
        (type == kFieldTextArea && !number(dialog, kDlgRows, 2, 50, rows)))
        return false;
    std::int32_t* v = ctx.dialog.values;
    v[kValueA] = type;
    v[kValueB] = std::int32_t(columns);
    v[kValueC] = std::int32_t(most);
    if (type == kFieldTextArea)
        v[kValueD] = std::int32_t(rows);
    copyCtxText(exchangeText1(ctx), name);
    return true;
}

void showChecked(HWND dialog)
{
    int kind = chosenKind(dialog, kButtonKinds);
    EnableWindow(GetDlgItem(dialog, kDlgChecked), kind == kFieldRadio || kind == kFieldCheckBox);
}

void startButton(HWND dialog, HtmlCtx& ctx)
{
    const std::int32_t* v = ctx.dialog.values;
    SetDlgItemText(dialog, kDlgName, exchangeText1(ctx));
    SetDlgItemText(dialog, kDlgButtonText, exchangeText2(ctx));
    startKinds(dialog, kButtonKinds, v[kValueA], kDlgRadio, kDlgCheckBox);
    CheckDlgButton(dialog, kDlgChecked, v[kValueB] ? BST_CHECKED : BST_UNCHECKED);
    showChecked(dialog);
    SetFocus(GetDlgItem(dialog, kDlgName));
}

void commandButton(HWND dialog, HtmlCtx&, int id, unsigned)
{
    for (auto [radio, kind] : kButtonKinds)
        if (id == radio)
            showChecked(dialog);
}

bool storeButton(HWND dialog, HtmlCtx& ctx)
{
    char name[kCtxTextSize];
    if (!RequiredDlgText(dialog, kDlgName, name, sizeof name))
        return false;
    std::int32_t* v = ctx.dialog.values;
    v[kValueA] = chosenKind(dialog, kButtonKinds);
    v[kValueB] = IsWindowEnabled(GetDlgItem(dialog, kDlgChecked)) && IsDlgButtonChecked(dialog, kDlgChecked) == BST_CHECKED;
    copyCtxText(exchangeText1(ctx), name);
    GetDlgItemText(dialog, kDlgButtonText, exchangeText2(ctx), kCtxTextSize);
    return true;
}

}
}

using namespace ks::addon;

LRESULT TextFieldParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startText, storeText, commandText};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}

LRESULT ButtonFieldParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{startButton, storeButton, commandButton};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
