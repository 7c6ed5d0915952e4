#include "platform/win/user_dialogs.h"

#include <cstring>

namespace ks::win {
namespace {

UserDialogs& installed()
{
    static UserDialogs dialogs;
    return dialogs;
}

bool& cursorState()
{
    static bool wait = false;
    return wait;
}

// "a\0b\0\0" as "a|b".
std::string filterText(const char* filter)
{
    std::string text;
    for (const char* part = filter; part && *part; part += std::strlen(part) + 1)
        text += (text.empty() ? "" : "|") + std::string(part);
    return text;
}

bool fileDialog(bool save, OPENFILENAME* request)
{
    if (!request || !request->lpstrFile || request->nMaxFile == 0 || !installed().fileDialog)
        return false;
    FileChoice choice = installed().fileDialog(save, *request, filterText(request->lpstrFilter));
    if (choice.path.empty() || choice.path.size() >= request->nMaxFile)
        return false;
    std::memcpy(request->lpstrFile, choice.path.c_str(), choice.path.size() + 1);
    request->nFilterIndex = choice.filterIndex;
    return true;
}

}

bool setWaitCursor(bool on)
{
    bool before = cursorState();
    cursorState() = on;
    if (before != on && installed().waitCursor)
        installed().waitCursor(on);
    return before;
}

bool waitCursor() { return cursorState(); }

UserDialogs setUserDialogs(UserDialogs dialogs)
{
    UserDialogs before = std::move(installed());
    installed() = std::move(dialogs);
    return before;
}

}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    auto& dialogs = ks::win::installed();
    if (dialogs.messageBox)
        return dialogs.messageBox(owner, text ? text : "", caption ? caption : "", type);
    UINT buttons = type & 0xF;
    return buttons == MB_YESNO ? IDNO : buttons == MB_OK ? IDOK : IDCANCEL;
}

bool MessageBeep(UINT)
{
    if (auto& beep = ks::win::installed().beep)
        beep();
    return true;
}

bool GetOpenFileName(OPENFILENAME* request) { return ks::win::fileDialog(false, request); }
bool GetSaveFileName(OPENFILENAME* request) { return ks::win::fileDialog(true, request); }

bool ChooseFont(CHOOSEFONT* request)
{
    auto& dialog = ks::win::installed().fontDialog;
    if (!request || !request->lpLogFont || !dialog)
        return false;
    LOGFONT& lf = *request->lpLogFont;
    ks::win::FontPick font;
    if (request->Flags & CF_INITTOLOGFONTSTRUCT) {
        font.face = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName));
        int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
        font.tenthsOfPoint = height * 720 / kLogicalPixelsPerInch;
        font.bold = lf.lfWeight > 500;
        font.italic = lf.lfItalic;
        font.underline = lf.lfUnderline;
        font.strikeOut = lf.lfStrikeOut;
    }
    font.effects = request->Flags & CF_EFFECTS;
    font.colour = request->rgbColors;
    if (!dialog(request->hwndOwner, font) || font.face.empty() || font.tenthsOfPoint <= 0)
        return false;
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::strncpy(lf.lfFaceName, font.face.c_str(), sizeof lf.lfFaceName - 1);
    lf.lfHeight = -(font.tenthsOfPoint * kLogicalPixelsPerInch + 360) / 720;
    lf.lfWeight = font.bold ? 700 : 400;
    lf.lfItalic = font.italic;
    request->iPointSize = font.tenthsOfPoint;
    if (font.effects) {
        lf.lfUnderline = font.underline;
        lf.lfStrikeOut = font.strikeOut;
        request->rgbColors = font.colour;
    }
    return true;
}

bool ChooseColor(CHOOSECOLOR* request)
{
    auto& dialog = ks::win::installed().colourDialog;
    if (!request || !request->lpCustColors || !dialog)
        return false;
    ks::win::ColourPick pick;
    pick.initial = request->Flags & CC_RGBINIT;
    pick.colour = pick.initial ? request->rgbResult : 0;
    std::memcpy(pick.custom, request->lpCustColors, sizeof pick.custom);
    if (!dialog(request->hwndOwner, pick))
        return false;
    request->rgbResult = pick.colour;
    std::memcpy(request->lpCustColors, pick.custom, sizeof pick.custom);
    return true;
}
