// Running the picture and form commands of the menus.
#include "addon/core/menu_commands.h"

#include "addon/core/menu_ids.h"
#include "addon/core/plx32.h"

namespace ks::addon {

bool runObjectCommand(HtmlCtx& ctx, HWND hWnd, int id)
{
    using namespace menu;
    constexpr int kRepaint = 1, kAsk = -1;   // no name, form or control: the dialog or the caret's
    switch (id) {
    case kInsertPicture: PlxInsertPicture(hWnd, nullptr, 0, 0, 0, kRepaint); return true;
    case kImageField: PlxInsertPicture(hWnd, nullptr, 0, 0, 1, kRepaint); return true;
    case kEditForm: PlxEditFormId(hWnd, 0, 0, 0, nullptr, 1); return true;
    case kFormMark: PlxSetForm(hWnd, commandChecked(ctx, hWnd, id) ? 0 : 1, kRepaint); return true;
    case kFormOfBlock: PlxSetFormId(hWnd, kAsk); return true;
    case kTextField: PlxInsertTextField(hWnd, nullptr, 0, 0, 0, 0, nullptr, kRepaint); return true;
    case kButtonField: PlxInsertButtonField(hWnd, nullptr, 0, 0, nullptr, kRepaint); return true;
    case kSelectField: PlxInsertSelectField(hWnd, nullptr, 0, 0, kRepaint); return true;
    case kAddOption: PlxAddSelectionItem(hWnd, kAsk, nullptr, nullptr, 0, 0); return true;
    case kDeleteOption: PlxDelSelectionItem(hWnd, kAsk); return true;
    default: return false;
    }
}

}
