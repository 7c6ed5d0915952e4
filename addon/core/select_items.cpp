// The options of a selection list: added at the list's selection or its end, and deleted,
// in the field's option list and its control alike.
#include "addon/base/allocators.h"
#include "addon/base/dialog_fields.h"
#include "addon/core/editor_ops.h"
#include "addon/core/field_control.h"
#include "addon/core/field_records.h"
#include "addon/core/field_table.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/form_fields.h"
#include "addon/core/html_context.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <algorithm>

namespace ks::addon {
namespace {

FieldOption* optionsOf(FieldRecord& f) { return static_cast<FieldOption*>(f.value); }
int optionCount(const FieldRecord& f) { return f.checked + 1; }
// A list showing one item is a combo box; the others are list boxes.
bool isCombo(const FieldRecord& f) { return f.size <= 1; }
bool isMultipleList(const FieldRecord& f) { return !isCombo(f) && f.multiple; }

// The selection list of the control id (< 0: the field object at the caret), or null.
FieldRecord* selectField(HtmlCtx& ctx, HWND hWnd, int controlId)
{
    if (controlId < 0) {
        EditorInfo info;
        controlId = readInfo(hWnd, info) ? info.fieldControlId : -1;
    }
    int index = controlId >= 0 ? FindFieldByControl(ctx, controlId) : -1;
    FieldRecord* f = index >= 0 ? &ctx.fields[index] : nullptr;
    return f && f->type == kFieldSelect && f->value ? f : nullptr;
}

LRESULT send(HWND control, const FieldRecord& f, UINT combo, UINT list, WPARAM wParam, LPARAM lParam)
{
    return control ? SendMessage(control, isCombo(f) ? combo : list, wParam, lParam) : -1;
}

int currentSelection(HWND control, const FieldRecord& f)
{
    return int(send(control, f, CB_GETCURSEL, LB_GETCURSEL, 0, 0));
}

struct ItemValues {
    char text[kCtxTextSize]{};
    char value[kCtxTextSize]{};
    bool hasValue = false;
    int selected = 0, insert = 0;
};

bool askItem(HtmlCtx& ctx, ItemValues& v)
{
    PrepareExchange(ctx, 0, 1);
    if (CallDialogBox(&ctx, "AddSelectionItem", AddSelectionItem, 0) != 1)
        return false;
    copyCtxText(v.text, exchangeText1(ctx));
    copyCtxText(v.value, exchangeText2(ctx));
    // A value left empty in the dialog means none: the option submits its text.
    v.hasValue = v.value[0] != 0;
    v.selected = ctx.dialog.values[kValueA];
    v.insert = ctx.dialog.values[kValueB];
    return true;
}

void freeOption(FieldOption& o)
{
    OurFree(o.value);
    OurFree(o.display);
    o = FieldOption{};
}

// Removes option `at` from the list and the control; the later ones move down.
void deleteOption(FieldRecord& f, HWND control, int at)
{
    FieldOption* options = optionsOf(f);
    freeOption(options[at]);
    std::move(options + at + 1, options + optionCount(f), options + at);
    options[optionCount(f) - 1] = FieldOption{};
    --f.checked;
    send(control, f, CB_DELETESTRING, LB_DELETESTRING, WPARAM(at), 0);
}

}

int AddSelectionOption(HWND hWnd, int controlId, const char* text, const char* value, int selected, int insert)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    FieldRecord* f = ctx ? selectField(*ctx, hWnd, controlId) : nullptr;
    if (!f)
        return 0;
    ItemValues v;
    if (text && *text) {
        copyCtxText(v.text, text);
        copyCtxText(v.value, value);
        v.hasValue = value != nullptr;
        v.selected = selected;
        v.insert = insert;
    } else if (!askItem(*ctx, v)) {
        return 0;
    }
    if (optionCount(*f) + 1 > f->optionCapacity && !GrowOptions(*f))
        return 0;
    FieldOption added;
    added.selected = v.selected ? 1 : 0;
    added.display = OurCopyText(v.text);
    added.value = v.hasValue ? OurCopyText(v.value) : nullptr;
    if (!added.display || (v.hasValue && !added.value)) {
        freeOption(added);
        return 0;
    }
    HWND control = FieldControl(*ctx, *f);
    int count = optionCount(*f);
    int at = v.insert ? std::clamp(currentSelection(control, *f), 0, std::max(count - 1, 0)) : count;
    FieldOption* options = optionsOf(*f);
    std::move_backward(options + at, options + count, options + count + 1);
    options[at] = added;
    ++f->checked;
    auto label = reinterpret_cast<LPARAM>(options[at].display);
    if (v.insert)
        send(control, *f, CB_INSERTSTRING, LB_INSERTSTRING, WPARAM(at), label);
    else
        send(control, *f, CB_ADDSTRING, LB_ADDSTRING, 0, label);
    // A multiple-selection list box takes a selection per item; the others one current item.
    if (v.selected && isMultipleList(*f))
        SendMessage(control, LB_SETSEL, 1, at);
    else if (v.selected)
        send(control, *f, CB_SETCURSEL, LB_SETCURSEL, WPARAM(at), 0);
    EditorSetModified(hWnd, 1);
    return 1;
}

int DeleteSelectionOptions(HWND hWnd, int controlId)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    FieldRecord* f = ctx ? selectField(*ctx, hWnd, controlId) : nullptr;
    if (!f || optionCount(*f) < 1)
        return 0;
    HWND control = FieldControl(*ctx, *f);
    if (isMultipleList(*f)) {
        for (int at = optionCount(*f) - 1; at >= 0; --at)
            if (control && SendMessage(control, LB_GETSEL, WPARAM(at), 0) > 0)
                deleteOption(*f, control, at);
    } else if (int at = currentSelection(control, *f); at >= 0 && at < optionCount(*f)) {
        deleteOption(*f, control, at);
    }
    EditorSetModified(hWnd, 1);
    return 1;
}

}
