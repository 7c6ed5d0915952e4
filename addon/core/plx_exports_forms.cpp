// The form exports: C linkage over the library's functions.
#include "addon/core/form_fields.h"
#include "addon/core/plx32.h"

using namespace ks::addon;

extern "C" {

int PlxInsertTextField(HWND hWnd, const char* name, int type, int columns, int maxLength, int rows,
                       const char* value, int repaint)
{
    return InsertTextField(hWnd, name, type, columns, maxLength, rows, value, repaint);
}
int PlxInsertButtonField(HWND hWnd, const char* name, int type, int checked, const char* text, int repaint)
{
    return InsertButtonField(hWnd, name, type, checked, text, repaint);
}
int PlxInsertSelectField(HWND hWnd, const char* name, int multiple, int visibleItems, int repaint)
{
    return InsertSelectField(hWnd, name, multiple, visibleItems, repaint);
}
int PlxAddSelectionItem(HWND hWnd, int controlId, const char* text, const char* value, int selected, int insert)
{
    return AddSelectionOption(hWnd, controlId, text, value, selected, insert);
}
int PlxDelSelectionItem(HWND hWnd, int controlId) { return DeleteSelectionOptions(hWnd, controlId); }
int PlxSetForm(HWND hWnd, int on, int repaint) { return SetForm(hWnd, on, repaint); }
int PlxSetFormId(HWND hWnd, int form) { return SetFormId(hWnd, form); }
int PlxEditFormId(HWND hWnd, int isNew, int form, int method, const char* action, int dialog)
{
    return EditFormId(hWnd, isNew, form, method, action, dialog);
}

}
