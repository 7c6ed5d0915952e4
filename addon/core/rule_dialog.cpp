#include "addon/core/rule_dialog.h"

#include "addon/base/dialog_fields.h"
#include "addon/core/editor_ops.h"

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "RuleParam", "Horizontal Rule Parameters", 186, 92,
    {{ControlKind::Label, -1, "Width (percent)", 8, 10, 64, 8},
     {ControlKind::NumberEdit, kRuleWidth, "", 76, 8, 36, 12},
     {ControlKind::Label, -1, "Thickness (pt)", 8, 28, 64, 8},
     {ControlKind::NumberEdit, kRuleThickness, "", 76, 26, 36, 12},
     {ControlKind::GroupBox, -1, "Alignment", 8, 46, 120, 38},
     {ControlKind::RadioButton, kRuleLeft, "Left", 14, 60, 32, 10, true},
     {ControlKind::RadioButton, kRuleCentre, "Center", 48, 60, 38, 10},
     {ControlKind::RadioButton, kRuleRight, "Right", 90, 60, 34, 10},
     {ControlKind::DefaultButton, IDOK, "OK", 132, 8, 48, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 132, 26, 48, 14}}});

int radioOf(int alignment) { return alignment == kParaCentre ? kRuleCentre : alignment == kParaRight ? kRuleRight : kRuleLeft; }

void start(HWND dialog, HtmlCtx& ctx)
{
    const std::int32_t* v = ctx.dialog.values;
    SetDlgItemNumber(dialog, kRuleWidth, v[kRuleValueWidth]);
    if (v[kRuleValueThickness])
        SetDlgItemNumber(dialog, kRuleThickness, v[kRuleValueThickness]);
    CheckRadioButton(dialog, kRuleLeft, kRuleRight, radioOf(v[kRuleValueAlignment]));
    SetFocus(GetDlgItem(dialog, kRuleWidth));
}

bool store(HWND dialog, HtmlCtx& ctx)
{
    unsigned width = 0, thickness = 0;
    if (!CheckDlgValue(dialog, 'I', kRuleWidth, 1, 100) || !CheckDlgValue(dialog, 'I', kRuleThickness, 0, 50) ||
        !CheckDlgInt(dialog, kRuleWidth, &width) || !CheckDlgInt(dialog, kRuleThickness, &thickness))
        return false;
    std::int32_t* v = ctx.dialog.values;
    v[kRuleValueWidth] = std::int32_t(width);
    v[kRuleValueThickness] = std::int32_t(thickness);
    v[kRuleValueAlignment] = IsDlgButtonChecked(dialog, kRuleCentre) ? kParaCentre
                             : IsDlgButtonChecked(dialog, kRuleRight) ? kParaRight
                                                                      : kParaLeft;
    return true;
}

}
}

using namespace ks::addon;

LRESULT RuleParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, store};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
