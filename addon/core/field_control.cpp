#include "addon/core/field_control.h"

#include "platform/win/window_handle.h"

#include <algorithm>

namespace ks::addon {
namespace {
// The control messages of the window layer's buttons, combo boxes and list boxes.
constexpr UINT kButtonGetCheck = 0x00F0, kComboGetCurSel = 0x0147, kListGetSel = 0x0187;
constexpr LRESULT kChecked = 1;
}

HWND FieldControl(const HtmlCtx& ctx, const FieldRecord& field)
{
    for (HWND child : win::childWindows(ctx.editorWindow))
        if (GetDlgCtrlID(child) == field.controlId)
            return child;
    return nullptr;
}

std::string FieldControlText(HWND control, int most)
{
    if (!control || most <= 0)
        return {};
    std::string text(static_cast<std::size_t>(most) + 1, '\0');
    LRESULT n = SendMessage(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(n, 0, most)));
    return text;
}

bool FieldControlChecked(HWND control) { return control && SendMessage(control, kButtonGetCheck, 0, 0) == kChecked; }

bool FieldOptionSelected(const FieldRecord& field, HWND control, int option)
{
    if (!control) {
        auto* options = static_cast<const FieldOption*>(field.value);
        return options && option >= 0 && option <= field.optionCapacity && options[option].selected;
    }
    if (field.size == 1)
        return SendMessage(control, kComboGetCurSel, 0, 0) == option;
    return SendMessage(control, kListGetSel, static_cast<WPARAM>(option), 0) > 0;
}

}
