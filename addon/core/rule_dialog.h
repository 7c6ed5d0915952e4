#pragma once
// Dialog RULEPARAM, "Horizontal Rule Parameters": width, thickness and alignment of
// a rule, through the context's dialog exchange values 0, 1 and 2.
#include "platform/win/win_types.h"

namespace ks::addon {

enum RuleDialogItem : int {
    kRuleWidth = 720, kRuleThickness = 721, kRuleLeft = 722, kRuleCentre = 723, kRuleRight = 724,
};
// Exchange value indexes.
inline constexpr int kRuleValueWidth = 0, kRuleValueThickness = 1, kRuleValueAlignment = 2;

}

extern "C" LRESULT RuleParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
