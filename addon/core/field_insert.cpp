// New form fields at the caret: text lines, text areas and passwords; buttons; selection lists.
#include "addon/base/allocators.h"
#include "addon/base/dialog_fields.h"
#include "addon/core/html_reader.h"
#include "addon/core/field_controls.h"
#include "addon/core/field_records.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/form_fields.h"
#include "addon/core/html_context.h"
#include "addon/core/plx_module.h"

#include <algorithm>

namespace ks::addon {
namespace {

bool empty(const char* text) { return !text || !*text; }

// A field's values in the order of its dialog's exchange numbers a, b, c, d.
struct FieldValues {
    char name[kCtxTextSize]{};
    char text[kCtxTextSize]{};
    int a = 0, b = 0, c = 0, d = 0;
};

struct FieldDialog {
    const char* name;
    DLGPROC procedure;
};

// The context when the caret's form may take a field, with the field's values: the
// arguments when a name is given, else what the dialog (started from `asked`) gives back.
HtmlCtx* fieldValues(HWND& hWnd, const char* name, const FieldDialog& dialog, FieldValues& v, const FieldValues& asked)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || !GetCaretForm(ctx, true))
        return nullptr;
    if (!empty(name)) {
        copyCtxText(v.name, name);
        return ctx;
    }
    PrepareExchange(*ctx, asked.a, asked.b, asked.c, asked.d);
    if (CallDialogBox(ctx, dialog.name, dialog.procedure, 0) != 1)
        return nullptr;
    copyCtxText(v.name, exchangeText1(*ctx));
    copyCtxText(v.text, exchangeText2(*ctx));
    const std::int32_t* x = ctx->dialog.values;
    v.a = x[kValueA];
    v.b = x[kValueB];
    v.c = x[kValueC];
    v.d = x[kValueD];
    return ctx;
}

// Appends the record, lets fill complete it and has its control made at the caret. A field
// whose control cannot be made leaves the table as it was.
template <class Fill>
int makeField(HtmlCtx& ctx, const char* name, int repaint, Fill&& fill)
{
    HtmlReader* reader = nullptr;
    HtmlGroup* group = nullptr;
    FieldRecord* field = nullptr;
    if (!NewFieldRecord(&ctx, &reader, &group, &field))
        return 0;
    copyCtxText(field->name, name, sizeof field->name);
    bool filled = fill(*field);
    int made = filled && CreateFieldControl(&ctx, group, 0, repaint) ? field->controlId : 0;
    FreeFieldState(reader, group);
    if (!made) {
        OurFree(field->value);
        *field = FieldRecord{};
        --ctx.fieldCount;
    }
    return made;
}

char* copyOrNull(const char* text) { return empty(text) ? nullptr : OurCopyText(text); }

}

int InsertTextField(HWND hWnd, const char* name, int type, int columns, int maxLength, int rows, const char* value,
                    int repaint)
{
    FieldValues v{.a = type, .b = columns, .c = maxLength, .d = rows};
    HtmlCtx* ctx = fieldValues(hWnd, name, {"TextFieldParam", TextFieldParam}, v, {.a = -1, .b = 30, .c = 50, .d = 2});
    if (!ctx)
        return 0;
    // A field from the dialog starts empty. Only the text kinds have a text control: another
    // type would misread the record.
    const char* initial = empty(name) ? nullptr : value;
    bool textKind = v.a == kFieldText || v.a == kFieldTextArea || v.a == kFieldPassword;
    if (!textKind || v.b < 1 || (v.a == kFieldTextArea && v.d < 2))
        return 0;
    return makeField(*ctx, v.name, repaint, [&](FieldRecord& f) {
        f.type = v.a;
        f.value = copyOrNull(initial);
        f.size = f.columns = v.b;
        f.maxLength = std::max(0, v.c);
        f.rows = v.d;
        return empty(initial) || f.value;
    });
}

int InsertButtonField(HWND hWnd, const char* name, int type, int checked, const char* text, int repaint)
{
    FieldValues v{.a = type, .b = checked};
    copyCtxText(v.text, text);
    HtmlCtx* ctx = fieldValues(hWnd, name, {"ButtonFieldParam", ButtonFieldParam}, v, {.a = -1, .b = checked});
    if (!ctx || (v.a != kFieldRadio && v.a != kFieldCheckBox && v.a != kFieldSubmit && v.a != kFieldReset))
        return 0;
    return makeField(*ctx, v.name, repaint, [&](FieldRecord& f) {
        f.type = v.a;
        f.value = copyOrNull(v.text);
        f.checked = v.b ? 1 : 0;
        return !v.text[0] || f.value;
    });
}

int InsertSelectField(HWND hWnd, const char* name, int multiple, int visibleItems, int repaint)
{
    FieldValues v{.a = multiple, .b = visibleItems};
    HtmlCtx* ctx = fieldValues(hWnd, name, {"SelectFieldParam", SelectFieldParam}, v, {.a = 0, .b = 4});
    if (!ctx)
        return 0;
    int items = std::clamp(v.b, 1, 20);
    return makeField(*ctx, v.name, repaint, [&](FieldRecord& f) {
        f.type = kFieldSelect;
        f.size = items;
        f.multiple = items > 1 && v.a ? 1 : 0;
        return AllocateOptions(f, kOptionGrowth);
    });
}

}
