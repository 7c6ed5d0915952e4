// Dialog LINKPARAM, "Link Parameters": a text link or a picture link, and its anchor.
#include "addon/base/dialog_fields.h"
#include "addon/core/html_write.h"
#include "addon/core/link_dialogs.h"

#include <cstring>

namespace ks::addon {
namespace {

using win::ControlKind;

const win::DialogTemplate& kTemplate = win::registerDialogTemplate({
    "LinkParam", "Link Parameters", 232, 150,
    {{ControlKind::Label, kLinkTextLabel, "Link Text", 8, 10, 60, 8},
     {ControlKind::Edit, kLinkText, "", 70, 8, 100, 12},
     {ControlKind::CheckBox, kLinkPictureCheck, "Picture Link", 8, 28, 70, 10},
     {ControlKind::Label, kLinkPictureLabel, "Picture file name", 8, 46, 60, 8},
     {ControlKind::Edit, kLinkPictureFile, "", 70, 44, 100, 12},
     {ControlKind::PushButton, kLinkSelectFile, "Select File...", 70, 60, 60, 14},
     {ControlKind::CheckBox, kLinkIsMap, "Is Map", 136, 62, 40, 10},
     {ControlKind::GroupBox, -1, "Link Anchor", 8, 82, 166, 56},
     {ControlKind::Label, -1, "Link Href", 14, 98, 50, 8},
     {ControlKind::Edit, kLinkHref, "", 66, 96, 100, 12},
     {ControlKind::Label, -1, "Link Name", 14, 116, 50, 8},
     {ControlKind::Edit, kLinkName, "", 66, 114, 100, 12},
     {ControlKind::DefaultButton, IDOK, "OK", 180, 8, 46, 14, true},
     {ControlKind::PushButton, IDCANCEL, "Cancel", 180, 26, 46, 14}}});

constexpr const char* kPictureFilter =
    "Bitmap format(*.BMP)|*.BMP|Windows Metafile(*.WMF)|*.WMF|GIF Format(*.GIF)|*.GIF|TIFF Format(*.TIF)|*.TIF|";

// The text fields, or the picture fields, take input.
void showPictureFields(HWND dialog, bool picture)
{
    for (int id : {kLinkText, kLinkTextLabel})
        EnableWindow(GetDlgItem(dialog, id), !picture);
    for (int id : {kLinkPictureFile, kLinkPictureLabel, kLinkSelectFile, kLinkIsMap})
        EnableWindow(GetDlgItem(dialog, id), picture);
}

void start(HWND dialog, HtmlCtx& ctx)
{
    const DialogExchange& x = ctx.dialog;
    const std::pair<int, const char*> fields[] = {
        {kLinkText, x.linkText}, {kLinkPictureFile, x.pictureFile}, {kLinkHref, x.href}, {kLinkName, x.name}};
    for (auto [id, text] : fields) {
        SetDlgItemText(dialog, id, text);
        DialogFont(&ctx, dialog, id);
    }
    // Shown again after a picture that would not load: the picture fields as they were.
    bool picture = !x.linkText[0] && x.pictureFile[0];
    CheckDlgButton(dialog, kLinkPictureCheck, picture ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kLinkIsMap, picture && x.values[kLinkValueIsMap] ? BST_CHECKED : BST_UNCHECKED);
    showPictureFields(dialog, picture);
    SetFocus(GetDlgItem(dialog, picture ? kLinkPictureFile : kLinkText));
}

void selectFile(HWND dialog, HtmlCtx& ctx)
{
    char name[kCtxNameSize]{};
    GetDlgItemText(dialog, kLinkPictureFile, name, sizeof name);
    if (SelectFileName(ctx, true, name, "bmp", kPictureFilter))
        SetDlgItemText(dialog, kLinkPictureFile, name);
}

// A required text that is empty beeps and takes the focus.
bool required(HWND dialog, int id, char* text)
{
    GetDlgItemText(dialog, id, text, kCtxTextSize);
    if (*text)
        return true;
    MessageBeep(0);
    SetFocus(GetDlgItem(dialog, id));
    return false;
}

void command(HWND dialog, HtmlCtx& ctx, int id, unsigned)
{
    if (id == kLinkPictureCheck)
        showPictureFields(dialog, IsDlgButtonChecked(dialog, kLinkPictureCheck));
    else if (id == kLinkSelectFile)
        selectFile(dialog, ctx);
}

bool store(HWND dialog, HtmlCtx& ctx)
{
    DialogExchange& x = ctx.dialog;
    if (IsDlgButtonChecked(dialog, kLinkPictureCheck)) {
        if (!required(dialog, kLinkPictureFile, x.pictureFile))
            return false;
        x.values[kLinkValueIsMap] = IsDlgButtonChecked(dialog, kLinkIsMap) == BST_CHECKED;
        x.linkText[0] = 0;
    } else {
        if (!required(dialog, kLinkText, x.linkText))
            return false;
        x.pictureFile[0] = 0;
    }
    GetDlgItemText(dialog, kLinkHref, x.href, kCtxTextSize);
    GetDlgItemText(dialog, kLinkName, x.name, kCtxTextSize);
    if (*x.href || *x.name)
        return true;
    MessageBeep(0);
    SetFocus(GetDlgItem(dialog, kLinkHref));
    return false;
}

}
}

using namespace ks::addon;

LRESULT LinkParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr DialogSteps steps{start, store, command};
    return runDialogSteps(steps, dialog, message, wParam, lParam);
}
