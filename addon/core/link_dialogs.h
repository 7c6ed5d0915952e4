#pragma once
// Dialogs LINKPARAM ("Link Parameters") and LINKDATAPARAM ("Update Link Parameters"):
// they take and give their texts through the context's dialog exchange area
// (link text, picture file, href, name, target) and value 0 (Is Map).
#include "addon/base/html_ctx.h"

namespace ks::addon {

enum LinkDialogItem : int {
    kLinkIsMap = 728, kLinkSelectFile = 730, kLinkPictureFile = 731, kLinkPictureLabel = 732,
    kLinkPictureCheck = 733, kLinkText = 734, kLinkTextLabel = 735, kLinkHref = 736, kLinkName = 737,
    kLinkTarget = 767,
};
inline constexpr int kLinkValueIsMap = 0;

}

extern "C" {
LRESULT LinkParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT LinkDataParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// On a multi-byte code page gives the dialog and the item the system's interface font; 1.
int DialogFont(ks::addon::HtmlCtx* ctx, HWND dialog, int item);
}
