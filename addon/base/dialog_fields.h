#pragma once
// The add-on's dialog routine and the checks of its dialog fields: numbers read
// from edits (a wrong one is reported over the dialog and gets the focus), list
// entries with their data, and the modal launcher that hands each dialog
// procedure the context and the caller's value.
#include "addon/base/html_ctx.h"
#include "platform/win/dialog_box.h"

namespace ks::addon {

// What a dialog procedure receives as WM_INITDIALOG's lParam.
struct DialogParam {
    HtmlCtx* ctx = nullptr;
    LPARAM value = 0;
};

// Runs the named dialog modally, owned by the context's editor window; the focus goes
// back to the editor window afterwards. The dialog's result (-1: no such dialog).
LRESULT CallDialogBox(HtmlCtx* ctx, const char* templateName, DLGPROC procedure, LPARAM value);
// At WM_INITDIALOG: keeps the context in the dialog's data and returns the pair.
const DialogParam& acceptDialogParam(HWND dialog, LPARAM lParam);
// The context kept by acceptDialogParam; null before.
HtmlCtx* dialogContext(HWND dialog);

// The shape every add-on dialog procedure shares: start fills the dialog from the context;
// OK runs store, which keeps the values and gives true (the dialog then ends with 1, unless
// store ended it with a result of its own) or false to keep the dialog open; Cancel ends
// with cancelResult; any other command goes to command (which may be null).
struct DialogSteps {
    void (*start)(HWND dialog, HtmlCtx& ctx) = nullptr;
    bool (*store)(HWND dialog, HtmlCtx& ctx) = nullptr;
    void (*command)(HWND dialog, HtmlCtx& ctx, int id, unsigned code) = nullptr;
    LRESULT cancelResult = 0;
};
LRESULT runDialogSteps(const DialogSteps& steps, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// An empty (or blank) item gives 0 and 1; a number gives its value and 1; anything else
// shows "Invalid value" captioned "Please reenter", focuses the item and gives 0.
int CheckDlgInt(HWND dialog, int item, unsigned* out);
// Kind 'I': the item as an unsigned number (empty counts as 0); any other kind: the
// leading real number of its text (0 when there is none). Outside minimum..maximum, or
// not a number, shows "Invalid value or value out of range", focuses the item and gives 0.
int CheckDlgValue(HWND dialog, char kind, int item, double minimum, double maximum);
int SetDlgItemNumber(HWND dialog, int item, long value);
// Reads a text the dialog cannot do without (size bytes): an empty one beeps, takes the
// focus and gives 0.
int RequiredDlgText(HWND dialog, int item, char* text, int size);
// Adds the text with its item data; a refusal is shown and gives 0.
int AddListItem(HWND dialog, int listItem, const char* text, LPARAM data);

}
