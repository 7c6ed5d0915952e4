// Dialog SELECTLINKATTRIB: the style bits and the colour of link text.
#include "addon/base/dialog_fields.h"
#include "addon/core/font_dialogs.h"
#include "addon/core/link_dialogs.h"

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "SelectLinkAttrib", "Select Link Attributes", 170, 84,
    {{ControlKind::CheckBox, kLinkBold, "Bold", 8, 8, 80, 10},
     {ControlKind::CheckBox, kLinkItalic, "Italic", 8, 22, 80, 10},
     {ControlKind::CheckBox, kLinkUnderline, "Underline", 8, 36, 80, 10},
     {ControlKind::CheckBox, kLinkStrike, "Strikethrough", 8, 50, 80, 10},
     {ControlKind::PushButton, kLinkColourButton, "Link Text Color", 8, 64, 70, 14},
     {ControlKind::DefaultButton, IDOK, "OK", 116, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 116, 26, 46, 14}}});

struct StyleBox {
    int id;
    std::uint32_t bit;
};
constexpr StyleBox kBoxes[] = {{kLinkBold, 2}, {kLinkItalic, 4}, {kLinkUnderline, 1}, {kLinkStrike, 8}};

void start(HWND dialog, HtmlCtx& ctx)
{
    for (const StyleBox& box : kBoxes)
        CheckDlgButton(dialog, box.id, (ctx.linkStyle & box.bit) ? BST_CHECKED : BST_UNCHECKED);
    ctx.dialog.values[kLinkAttribColour] = std::int32_t(ctx.linkColor);
    DialogFont(&ctx, dialog, kLinkBold);
    SetFocus(GetDlgItem(dialog, kLinkBold));
}

// The colour dialog, its custom colours sixteen greys from 15 to 255.
void chooseColour(HWND dialog, HtmlCtx& ctx)
{
    COLORREF greys[16];
    for (int n = 1; n <= 16; ++n) {
        auto level = COLORREF(n * 15.9375);
        greys[n - 1] = level | level << 8 | level << 16;
    }
    CHOOSECOLOR request;
    request.hwndOwner = dialog;
    request.rgbResult = COLORREF(ctx.dialog.values[kLinkAttribColour]);
    request.lpCustColors = greys;
    request.Flags = CC_RGBINIT;
    if (ChooseColor(&request))
        ctx.dialog.values[kLinkAttribColour] = std::int32_t(request.rgbResult);
}

void command(HWND dialog, HtmlCtx& ctx, int id, unsigned)
{
    if (id == kLinkColourButton)
        chooseColour(dialog, ctx);
}

bool store(HWND dialog, HtmlCtx& ctx)
{
    std::uint32_t style = ctx.linkStyle & ~0xFu;
    for (const StyleBox& box : kBoxes)
        if (IsDlgButtonChecked(dialog, box.id))
            style |= box.bit;
    ctx.dialog.values[kLinkAttribStyle] = std::int32_t(style);
    return true;
}

}
}

using namespace ks::addon;

LRESULT SelectLinkAttrib(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, store, command};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
