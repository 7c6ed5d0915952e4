#include "addon/core/field_controls.h"

#include "addon/base/number_utils.h"
#include "addon/convert/html_entities.h"
#include "addon/core/field_control.h"
#include "addon/core/html_read.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <strings.h>

namespace ks::addon {
namespace {

// Control messages of the window layer.
constexpr UINT kEditLimitText = 0x00C5;
constexpr UINT kButtonSetCheck = 0x00F1;
constexpr UINT kComboAddString = 0x0143, kComboSetCurSel = 0x014E, kComboSetItemHeight = 0x0153;
constexpr UINT kListAddString = 0x0180, kListSetSel = 0x0185, kListSetCurSel = 0x0186;

// Window styles of the field controls.
constexpr unsigned kTextLineStyle = 0x800080, kPasswordStyle = 0x8000A0, kTextAreaStyle = 0xA00004;
constexpr unsigned kRadioStyle = 4, kCheckBoxStyle = 3, kPushButtonStyle = 0;
constexpr unsigned kComboStyle = 0xA00043, kListStyle = 0xA00001, kListMultiple = 8;
constexpr char kObjectText[] = {editor::kObjectChar, 0};

FieldRecord* readerField(HtmlCtx* ctx, HtmlReader* r)
{
    int f = r ? r->currentField : -1;
    return f >= 0 && f < ctx->fieldCount && f < kFieldCount ? &ctx->fields[f] : nullptr;
}

// As shown: kept references as they were written.
std::string valueText(const FieldRecord& f) { return ShownText(f.value ? static_cast<const char*>(f.value) : ""); }

// A button's label: its value, else "Submit" or "Reset".
std::string label(const FieldRecord& f)
{
    std::string text = valueText(f);
    return !text.empty() ? text : f.type == kFieldReset ? "Reset" : "Submit";
}

int insertControl(HtmlCtx* ctx, const FieldRecord& f, const char* className, unsigned style, int width, int height)
{
    int twipsWide = MulDiv(width, 1440, ctx->pixelsX > 0 ? ctx->pixelsX : 96);
    int twipsHigh = MulDiv(height, 1440, ctx->pixelsY > 0 ? ctx->pixelsY : 96);
    return EditorInsertControl(ctx->editorWindow, className, style, twipsWide, twipsHigh, 1, f.controlId, 0);
}

// A radio button checked as read unchecks the earlier ones of its name; the first of a
// name is checked.
void settleRadio(HtmlCtx* ctx, FieldRecord& f)
{
    bool earlier = false;
    for (FieldRecord* other = ctx->fields; other < &f; ++other) {
        if (other->type != kFieldRadio || other->form != f.form || strcasecmp(other->name, f.name) != 0)
            continue;
        earlier = true;
        if (f.checked && other->checked) {
            other->checked = 0;
            if (HWND control = FieldControl(*ctx, *other))
                SendMessage(control, kButtonSetCheck, 0, 0);
        }
    }
    if (!earlier)
        f.checked = 1;
}

int makeControl(HtmlCtx* ctx, FieldRecord& f)
{
    int w = ctx->charWidth, h = ctx->charHeight;
    switch (f.type) {
    case kFieldText:
    case kFieldPassword: {
        int id = insertControl(ctx, f, "Edit", f.type == kFieldText ? kTextLineStyle : kPasswordStyle,
                               w * (f.size + 3), h * 7 / 4);
        if (id && f.maxLength > 0)
            SendMessage(EditorGetObjectControl(ctx->editorWindow, id), kEditLimitText, WPARAM(f.maxLength), 0);
        return id;
    }
    case kFieldTextArea:
        return insertControl(ctx, f, "Edit", kTextAreaStyle, w * (f.columns + 3), h * (f.rows + 1));
    case kFieldRadio:
        settleRadio(ctx, f);
        return insertControl(ctx, f, "Button", kRadioStyle, h, h);
    case kFieldCheckBox:
        return insertControl(ctx, f, "Button", kCheckBoxStyle, h, h);
    case kFieldSubmit:
    case kFieldReset:
        return insertControl(ctx, f, "Button", kPushButtonStyle, w * int(label(f).size() + 3), h * 7 / 4);
    default:
        return 0;
    }
}

// The longest option text, 15 without options, within 3 to 60 characters.
int optionWidth(const FieldRecord& f)
{
    auto* options = static_cast<const FieldOption*>(f.value);
    if (!options || f.checked < 0)
        return 15;
    std::size_t longest = 0;
    for (int i = 0; i <= f.checked && i <= f.optionCapacity; ++i)
        longest = std::max(longest, options[i].display ? std::strlen(options[i].display) : 0);
    return std::clamp(int(longest), 3, 60);
}

void resetSelection(HWND control, const FieldRecord& f)
{
    auto* options = static_cast<const FieldOption*>(f.value);
    int count = options && f.checked >= 0 ? std::min(f.checked, f.optionCapacity) + 1 : 0;
    int first = -1, last = -1;
    for (int i = 0; i < count; ++i)
        if (options[i].selected) {
            first = first < 0 ? i : first;
            last = i;
        }
    if (f.size == 1) {
        SendMessage(control, kComboSetCurSel, WPARAM(std::max(first, 0)), 0);
    } else if (f.multiple) {
        for (int i = 0; i < count; ++i)
            SendMessage(control, kListSetSel, WPARAM(options[i].selected ? 1 : 0), i);
        if (first < 0)
            SendMessage(control, kListSetSel, 1, 0);
    } else {
        SendMessage(control, kListSetCurSel, WPARAM(std::max(last, 0)), 0);
    }
}

}

int CreateSelectControl(HtmlCtx* ctx, HtmlGroup* group)
{
    FieldRecord* f = readerField(ctx, group->reader);
    if (!f)
        return 0;
    HWND hWnd = ctx->editorWindow;
    int w = ctx->charWidth, h = ctx->charHeight;
    int width = w * (optionWidth(*f) + 3);
    bool single = f->size <= 1;
    if (single)
        f->multiple = 0;
    int id = single ? insertControl(ctx, *f, "ComboBox", kComboStyle, width, h * 8)
                    : insertControl(ctx, *f, "ListBox", kListStyle | (f->multiple ? kListMultiple : 0), width,
                                    h * (f->size + 2));
    HWND control = id ? EditorGetObjectControl(hWnd, id) : nullptr;
    if (!control)
        return 0;
    if (single) {
        int itemHeight = h * 6 / 4;
        SendMessage(control, kComboSetItemHeight, WPARAM(-1), itemHeight);
        EditorSetPictureSize(hWnd, id, -1, itemHeight + 5);
    } else {
        RECT rect;
        if (GetWindowRect(control, &rect))
            EditorSetPictureSize(hWnd, id, rect.right - rect.left, rect.bottom - rect.top);
    }
    auto* options = static_cast<const FieldOption*>(f->value);
    for (int i = 0; options && i <= f->checked && i <= f->optionCapacity; ++i) {
        std::string shown = ShownText(options[i].display ? options[i].display : "");
        SendMessage(control, single ? kComboAddString : kListAddString, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    ResetFieldControl(ctx, f);
    return id;
}

int ResetFieldControl(HtmlCtx* ctx, FieldRecord* f)
{
    HWND control = f ? FieldControl(*ctx, *f) : nullptr;
    if (!control)
        return 1;
    switch (f->type) {
    case kFieldText: case kFieldTextArea: case kFieldPassword:
        SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(valueText(*f).c_str()));
        break;
    case kFieldRadio: case kFieldCheckBox:
        SendMessage(control, kButtonSetCheck, WPARAM(f->checked ? 1 : 0), 0);
        break;
    case kFieldSubmit: case kFieldReset:
        SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label(*f).c_str()));
        break;
    case kFieldSelect:
        resetSelection(control, *f);
        break;
    default:
        break;
    }
    return 1;
}

int CreateFieldControl(HtmlCtx* ctx, HtmlGroup* group, int fromReader, int repaint)
{
    HtmlReader* r = group->reader;
    FieldRecord* f = readerField(ctx, r);
    if (!f)
        return 0;
    if (f->type == kFieldImage) {
        group->inLink = 1;
        return ReadImgTag(ctx, r);
    }
    if (f->type == kFieldHidden)
        return 1;
    int id = f->type == kFieldSelect ? CreateSelectControl(ctx, group) : makeControl(ctx, *f);
    if (!id)
        return 0;
    if (f->type != kFieldSelect)
        ResetFieldControl(ctx, f);
    HWND hWnd = ctx->editorWindow;
    if (fromReader)
        EditorAppendText(hWnd, kObjectText, id, ObjectParaFormat(ctx, *group), CurrentTableCell(r), -1, 0);
    else
        EditorPlacePicture(hWnd, id, repaint);
    if (HWND control = EditorGetObjectControl(hWnd, id))
        f->previousProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassEdit)));
    return 1;
}

}
