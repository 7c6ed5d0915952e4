#pragma once
// What a host reads back of a document's forms: the form at the caret, a form's action
// and method, and each field's name, check mark and value as the user left them.
#include "platform/win/win_types.h"

namespace ks::addon {

inline constexpr int kFormActionSize = 100;
inline constexpr int kMethodSize = 5;

// The caret's form, or -1; formCount (may be null) receives the number of forms.
int GetCurForm(HWND hWnd, int* formCount);
// The number of fields of the form, or -1; action (100 bytes) and method ("POST"/"GET",
// 5 bytes) receive the form's values when not null.
int GetFormInfo(HWND hWnd, int form, char* action, char* method);
// The type of field n of the form (form < 0: the field last activated), or -1. name gets
// 60 bytes; value gets at most valueSize bytes, its zero included.
int GetFieldData(HWND hWnd, int form, int n, char* name, int* checked, char* value, int valueSize);

}
