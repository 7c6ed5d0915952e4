#include "addon/base/dialog_fields.h"

#include "addon/base/message_sink.h"
#include "addon/base/text_utils.h"

#include <cctype>
#include <cstdio>

namespace ks::addon {
namespace {

constexpr int kFieldChars = 100;

int refuse(HWND dialog, int item, const char* text, const char* caption)
{
    showMessage(dialog, text, caption);
    SetFocus(GetDlgItem(dialog, item));
    return 0;
}

// The item's text, blanks trimmed, at most kFieldChars characters.
void readField(HWND dialog, int item, char (&text)[kFieldChars + 1])
{
    GetDlgItemText(dialog, item, text, sizeof text);
    TrimString(text);
}

// The leading "-12.5" of a text; 0 when it starts with no number.
double leadingReal(const char* text)
{
    while (*text == ' ')
        ++text;
    double sign = *text == '-' ? -1 : 1;
    text += *text == '-' || *text == '+';
    double value = 0, scale = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)) || (*text == '.' && scale == 0); ++text) {
        if (*text == '.')
            scale = 1;
        else
            value = scale ? value + (*text - '0') * (scale /= 10) : value * 10 + (*text - '0');
    }
    return sign * value;
}

}

LRESULT CallDialogBox(HtmlCtx* ctx, const char* templateName, DLGPROC procedure, LPARAM value)
{
    DialogParam param{ctx, value};
    HWND owner = ctx ? ctx->editorWindow : nullptr;
    LRESULT result = DialogBoxParam(templateName, owner, procedure, reinterpret_cast<LPARAM>(&param));
    if (owner)
        SetFocus(owner);
    return result;
}

const DialogParam& acceptDialogParam(HWND dialog, LPARAM lParam)
{
    static const DialogParam none;
    const auto* param = reinterpret_cast<const DialogParam*>(lParam);
    SetWindowLongPtr(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(param ? param->ctx : nullptr));
    return param ? *param : none;
}

HtmlCtx* dialogContext(HWND dialog) { return reinterpret_cast<HtmlCtx*>(GetWindowLongPtr(dialog, DWLP_USER)); }

LRESULT runDialogSteps(const DialogSteps& steps, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        if (HtmlCtx* ctx = acceptDialogParam(dialog, lParam).ctx; ctx && steps.start)
            steps.start(dialog, *ctx);
        return 0;
    }
    HtmlCtx* ctx = dialogContext(dialog);
    if (message != WM_COMMAND || !ctx)
        return 0;
    int id = int(LOWORD(wParam));
    if (id == IDOK && steps.store && steps.store(dialog, *ctx))
        EndDialog(dialog, 1);
    else if (id == IDCANCEL)
        EndDialog(dialog, steps.cancelResult);
    else if (id != IDOK && steps.command)
        steps.command(dialog, *ctx, id, HIWORD(wParam));
    return 1;
}

int CheckDlgInt(HWND dialog, int item, unsigned* out)
{
    char text[kFieldChars + 1];
    readField(dialog, item, text);
    unsigned value = 0;
    bool number = true;
    if (*text)
        value = GetDlgItemInt(dialog, item, &number, false);
    if (!number)
        return refuse(dialog, item, "Invalid value", "Please reenter");
    if (out)
        *out = value;
    return 1;
}

int CheckDlgValue(HWND dialog, char kind, int item, double minimum, double maximum)
{
    char text[kFieldChars + 1];
    readField(dialog, item, text);
    bool number = true;
    double value = 0;
    if (kind == 'I')
        value = *text ? GetDlgItemInt(dialog, item, &number, false) : 0;
    else
        value = leadingReal(text);
    if (!number || value < minimum || value > maximum)
        return refuse(dialog, item, "Invalid value or value out of range", "");
    return 1;
}

int SetDlgItemNumber(HWND dialog, int item, long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    SetDlgItemText(dialog, item, text);
    return 1;
}

int RequiredDlgText(HWND dialog, int item, char* text, int size)
{
    GetDlgItemText(dialog, item, text, size);
    if (*text)
        return 1;
    MessageBeep(0);
    SetFocus(GetDlgItem(dialog, item));
    return 0;
}

int AddListItem(HWND dialog, int listItem, const char* text, LPARAM data)
{
    HWND list = GetDlgItem(dialog, listItem);
    LRESULT at = list ? SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : "")) : LB_ERR;
    if (at == LB_ERR || at == LB_ERRSPACE) {
        showMessage(dialog, "Error adding string to listbox", "");
        return 0;
    }
    if (SendMessage(list, LB_SETITEMDATA, WPARAM(at), data) == LB_ERR) {
        showMessage(dialog, "Error adding value to listbox", "");
        return 0;
    }
    return 1;
}

}
