#pragma once
// New records of the context's field table, for fields read from a page and for fields
// inserted at the caret.
#include "addon/core/html_reader.h"

namespace ks::addon {

inline constexpr int kOptionGrowth = 50;

// Appends a cleared field record of the form, with the next control id; its index, or
// -1 when the table's 200 records are in use.
int AppendFieldRecord(HtmlCtx* ctx, int form);
// A selection list's option array, capacity + 1 entries; false when memory is refused.
bool AllocateOptions(FieldRecord& field, int capacity);
// Makes room for kOptionGrowth more options; false (the list as it was) when memory is refused.
bool GrowOptions(FieldRecord& field);

// 1 when the caret stands in form text that may take a field (the first form is made
// when there is none). With report, a caret outside forms gives "Must be positioned in
// a Form" (code 13) and a caret in link text a beep.
int GetCaretForm(HtmlCtx* ctx, bool report);
// Appends a field record of the caret's form and the reader state through which its
// control is made (NewFieldRecord). The caller fills *field, has the control made and
// releases the state with FreeFieldState.
int NewFieldRecord(HtmlCtx* ctx, HtmlReader** reader, HtmlGroup** group, FieldRecord** field);
void FreeFieldState(HtmlReader* reader, HtmlGroup* group);

}
