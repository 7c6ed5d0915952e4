// The view mode: the document shown read-only, its links live. Entering and leaving
// rebuild the document so that it is laid out for the mode it is now in.
#include "addon/core/document_exports.h"
#include "addon/core/menu_commands.h"
#include "addon/core/plx_state.h"
#include "platform/win/user_dialogs.h"

namespace ks::addon {
namespace {

constexpr std::uint32_t kFlagNoViewQuestion = 0x40;
const char kViewQuestion[] = "File Modified. A Hyperlink Jump in the Viewer Mode may Lose the Modifications. "
                             "Do You Still Wish to Switch to the Viewer Mode?";

}

int EnterViewMode(HtmlCtx& top)
{
    HWND w = top.editorWindow;
    if (top.viewMode)
        return 1;
    bool ask = !(top.flags & kFlagNoViewQuestion) && Modified(w);
    if (ask && MessageBox(w, kViewQuestion, "", MB_YESNO) != IDYES)
        return 0;
    top.viewMode = 1;
    SetReadOnly(w, 1);
    return Reformat(w);
}

int LeaveViewMode(HtmlCtx& top)
{
    HWND w = top.editorWindow;
    if (!top.viewMode)
        return 1;
    top.viewMode = 0;
    SetReadOnly(w, 0);
    return Reformat(w);
}

}
