#pragma once
// What the C-style libraries ask of the user: questions in message boxes, the wait
// cursor, and the open and save file dialogs, in the Windows terms the libraries use.
// Headless until a program installs its user interface (setUserDialogs): a question
// is then answered as Cancel (or No) would answer it, a file dialog is cancelled.
#include "platform/win/win_types.h"

#include <cstdint>
#include <functional>
#include <string>

// Buttons and icons of a message box, and its answers.
constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4;
constexpr UINT MB_ICONHAND = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONASTERISK = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
// The warning sound of a refused action (type as MessageBox's icons; unused here).
bool MessageBeep(UINT type);

// The open and save dialogs' request and answer.
struct OPENFILENAME {
    HWND hwndOwner = nullptr;
    const char* lpstrFilter = nullptr;   // description, pattern, ...: each ends in a zero, the list in two
    int nFilterIndex = 1;                // 1-based; the chosen filter on return
    char* lpstrFile = nullptr;           // in: the initial name; out: the chosen path
    unsigned nMaxFile = 0;
    const char* lpstrDefExt = nullptr;   // without the dot
    const char* lpstrTitle = nullptr;
    unsigned Flags = 0;
};
constexpr unsigned OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_NOCHANGEDIR = 0x8, OFN_SHOWHELP = 0x10,
                   OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000;

// False when cancelled, or when the chosen path does not fit lpstrFile.
bool GetOpenFileName(OPENFILENAME* request);
bool GetSaveFileName(OPENFILENAME* request);

using COLORREF = std::uint32_t;   // red in the low byte, then green, blue

// The font dialog's request and answer. Heights are in pixels of the layer's
// logical inch (kLogicalPixelsPerInch), negative for the character height.
struct LOGFONT {
    int lfHeight = 0, lfWidth = 0, lfEscapement = 0, lfOrientation = 0, lfWeight = 400;
    unsigned char lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0;
    unsigned char lfOutPrecision = 0, lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
    char lfFaceName[32]{};
};
struct CHOOSEFONT {
    unsigned lStructSize = 60;
    HWND hwndOwner = nullptr;
    void* hDC = nullptr;
    LOGFONT* lpLogFont = nullptr;
    int iPointSize = 0;       // out: tenths of a point
    unsigned Flags = 0;
    COLORREF rgbColors = 0;   // in with CF_EFFECTS and out: the text colour
};
constexpr unsigned CF_SCREENFONTS = 0x1, CF_PRINTERFONTS = 0x2, CF_INITTOLOGFONTSTRUCT = 0x40, CF_EFFECTS = 0x100;
constexpr int kLogicalPixelsPerInch = 96;

// The colour dialog's request and answer; lpCustColors holds 16 colours, kept and given back.
struct CHOOSECOLOR {
    unsigned lStructSize = 36;
    HWND hwndOwner = nullptr;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;
    unsigned Flags = 0;
};
constexpr unsigned CC_RGBINIT = 0x1, CC_FULLOPEN = 0x2, CC_PREVENTFULLOPEN = 0x4;

// False when cancelled (or with no place for the answer); the request is then unchanged.
bool ChooseFont(CHOOSEFONT* request);
bool ChooseColor(CHOOSECOLOR* request);

namespace ks::win {

// The wait cursor is one screen-wide state; the result is the state before.
bool setWaitCursor(bool on);
bool waitCursor();

// A program's user interface for the calls above. A filter reaches fileDialog as
// "description|pattern|..."; it answers the chosen path ("" when cancelled) and filter.
struct FileChoice {
    std::string path;
    int filterIndex = 1;
};
// A font as the font dialog shows it; the colour only with effects.
struct FontPick {
    std::string face;
    int tenthsOfPoint = 100;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    bool effects = false;
    COLORREF colour = 0;
};
// The colour dialog: the start colour (when asked) and 16 custom colours, changed in place when confirmed.
struct ColourPick {
    COLORREF colour = 0;
    bool initial = false;
    COLORREF custom[16]{};
};
struct UserDialogs {
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> messageBox;
    std::function<FileChoice(bool save, const OPENFILENAME& request, const std::string& filter)> fileDialog;
    std::function<void(bool on)> waitCursor;
    std::function<void()> beep;
    std::function<bool(HWND owner, FontPick& font)> fontDialog;
    std::function<bool(HWND owner, ColourPick& colour)> colourDialog;
};
// Returns the dialogs in force before; empty members are headless.
UserDialogs setUserDialogs(UserDialogs dialogs);

}
