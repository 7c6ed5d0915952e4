#pragma once
// What the C-style libraries ask of the user: questions in message boxes, the wait
// cursor, and the open and save file dialogs, in the Windows terms the libraries use.
// Headless until a program installs its user interface (setUserDialogs): a question
// is then answered as Cancel (or No) would answer it, a file dialog is cancelled.
#include "platform/win/win_types.h"

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
struct UserDialogs {
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> messageBox;
    std::function<FileChoice(bool save, const OPENFILENAME& request, const std::string& filter)> fileDialog;
    std::function<void(bool on)> waitCursor;
    std::function<void()> beep;
};
// Returns the dialogs in force before; empty members are headless.
UserDialogs setUserDialogs(UserDialogs dialogs);

}
