// The interface font of the add-on's dialogs on a multi-byte code page.
#include "addon/core/link_dialogs.h"
#include "addon/core/plx_module.h"
#include "platform/win/dialog_box.h"

int DialogFont(ks::addon::HtmlCtx*, HWND dialog, int item)
{
    // Font 0 is the system's own: the dialog font cannot show the code page's characters.
    if (ks::addon::plxModule().multiByte) {
        SendMessage(dialog, WM_SETFONT, 0, 1);
        SendDlgItemMessage(dialog, item, WM_SETFONT, 0, 1);
    }
    return 1;
}
