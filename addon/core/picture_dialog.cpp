// Dialog "PictureParam", "Picture Parameters": a picture file, its alignment and, for an
// image field, whether it is a server-side map.
#include "addon/base/dialog_fields.h"
#include "addon/core/html_write.h"
#include "addon/core/picture_edit.h"
#include "addon/core/plx_module.h"

#include <utility>

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "PictureParam", "Picture Parameters", 232, 112,
    {{ControlKind::Label, -1, "Picture File Name", 8, 10, 64, 8},
     {ControlKind::Edit, kPictFileName, "", 74, 8, 96, 12},
     {ControlKind::PushButton, kPictSelectFile, "Select File...", 74, 24, 60, 14},
     {ControlKind::GroupBox, -1, "Alignment", 8, 44, 162, 40},
     {ControlKind::RadioButton, kPictTop, "Top", 14, 56, 30, 10, true},
     {ControlKind::RadioButton, kPictMiddle, "Middle", 48, 56, 36, 10},
     {ControlKind::RadioButton, kPictBottom, "Bottom", 90, 56, 36, 10},
     {ControlKind::RadioButton, kPictFloatLeft, "Left", 14, 70, 30, 10},
     {ControlKind::RadioButton, kPictFloatRight, "Right", 48, 70, 36, 10},
     {ControlKind::CheckBox, kPictIsMap, "Is Map", 8, 92, 50, 10},
     {ControlKind::DefaultButton, IDOK, "OK", 180, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 180, 26, 46, 14}}});

constexpr const char* kPictureFilter =
    "Bitmap format(*.BMP)|*.BMP|Windows Metafile(*.WMF)|*.WMF|GIF Format(*.GIF)|*.GIF|TIFF Format(*.TIF)|*.TIF|"
    "JPEG Format(*.JPG)|*.JPG|";

// Radio buttons and the alignment codes they stand for.
constexpr std::pair<int, int> kAlignments[] = {
    {kPictTop, 2}, {kPictMiddle, 1}, {kPictBottom, 0}, {kPictFloatLeft, kAlignFloatLeft}, {kPictFloatRight, kAlignFloatRight}};

void start(HWND dialog, HtmlCtx& ctx)
{
    const DialogExchange& x = ctx.dialog;
    SetDlgItemText(dialog, kPictFileName, x.pictureFile);
    // Shown again after a file that would not load: the choices as they were.
    bool again = x.pictureFile[0] != 0;
    int radio = kPictBottom;
    for (auto [id, code] : kAlignments)
        if (again && code == x.values[kPictValueAlignment])
            radio = id;
    CheckRadioButton(dialog, kPictFloatLeft, kPictBottom, radio);
    bool imageField = x.values[kPictValueImageField] != 0;
    CheckDlgButton(dialog, kPictIsMap, again && imageField && x.values[kPictValueIsMap] ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, kPictIsMap), imageField);
    SetFocus(GetDlgItem(dialog, kPictSelectFile));
}

void command(HWND dialog, HtmlCtx& ctx, int id, unsigned)
{
    if (id != kPictSelectFile)
        return;
    char name[kCtxNameSize]{};
    GetDlgItemText(dialog, kPictFileName, name, sizeof name);
    if (SelectFileName(ctx, true, name, "bmp", kPictureFilter))
        SetDlgItemText(dialog, kPictFileName, name);
}

bool store(HWND dialog, HtmlCtx& ctx)
{
    DialogExchange& x = ctx.dialog;
    char name[kCtxTextSize];
    GetDlgItemText(dialog, kPictFileName, name, sizeof name);
    if (!*name) {
        MessageBeep(0);
        SetFocus(GetDlgItem(dialog, kPictFileName));
        return false;
    }
    copyCtxText(x.pictureFile, name);
    x.values[kPictValueIsMap] = IsDlgButtonChecked(dialog, kPictIsMap) == BST_CHECKED;
    x.values[kPictValueAlignment] = 0;
    for (auto [id, code] : kAlignments)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            x.values[kPictValueAlignment] = code;
    return true;
}

}
}

using namespace ks::addon;

LRESULT PictureParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, store, command};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
