#pragma once
// Form fields and forms a host makes and changes at the caret; without the values the
// export's dialog asks for them.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// New fields: the control id, or 0.
int InsertTextField(HWND hWnd, const char* name, int type, int columns, int maxLength, int rows, const char* value,
                    int repaint);
int InsertButtonField(HWND hWnd, const char* name, int type, int checked, const char* text, int repaint);
int InsertSelectField(HWND hWnd, const char* name, int multiple, int visibleItems, int repaint);
// A selection list's options; controlId < 0: the field at the caret. 1 or 0.
int AddSelectionOption(HWND hWnd, int controlId, const char* text, const char* value, int selected, int insert);
int DeleteSelectionOptions(HWND hWnd, int controlId);

int SetForm(HWND hWnd, int on, int repaint);
int SetFormId(HWND hWnd, int form);
// The form's index, or -1.
int EditFormId(HWND hWnd, int isNew, int form, int method, const char* action, int dialog);

}
