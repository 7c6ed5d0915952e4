#include "addon/core/form_readout.h"

#include "addon/convert/html_entities.h"
#include "addon/core/editor_ops.h"
#include "addon/core/field_control.h"
#include "addon/core/field_table.h"
#include "addon/core/html_context.h"
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"
#include "addon/core/paragraph_form.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace ks::addon {
namespace {

constexpr int kControlText = 300;

// As shown: kept references as they were written.
void copyOut(char* out, std::size_t size, const std::string& text)
{
    if (!out || size == 0)
        return;
    std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    RestoreKeptReferences(out, int(n));
    out[n] = 0;
}

const char* textValue(const FieldRecord& f) { return f.type != kFieldSelect && f.value ? static_cast<const char*>(f.value) : ""; }

// The n-th field of the form in table order, or the field last activated; -1 for none.
int findField(const HtmlCtx& ctx, int form, int n)
{
    int fields = std::min(ctx.fieldCount, kFieldCount);
    if (form < 0)
        return ctx.currentField >= 0 && ctx.currentField < fields ? ctx.currentField : -1;
    if (form >= ctx.formCount || n < 0 || n >= fields)
        return -1;
    for (int i = 0, seen = 0; i < fields; ++i)
        if (ctx.fields[i].form == form && seen++ == n)
            return i;
    return -1;
}

std::string selectedOptions(const FieldRecord& f, HWND control)
{
    auto* options = static_cast<const FieldOption*>(f.value);
    std::string joined;
    for (int i = 0; options && i <= f.checked && i <= f.optionCapacity; ++i) {
        if (!FieldOptionSelected(f, control, i))
            continue;
        const char* shown = options[i].value ? options[i].value : options[i].display ? options[i].display : "";
        joined += (joined.empty() ? "" : "|") + std::string(shown);
        if (f.size == 1)
            break;
    }
    return joined;
}

}

int GetCurForm(HWND hWnd, int* formCount)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return -1;
    if (formCount)
        *formCount = ctx->formCount;
    EditorInfo info;
    ParaProps props;
    if (ctx->formCount <= 0 || !readInfo(hWnd, info) || !readParaProps(hWnd, info.caretLine, props) ||
        !(static_cast<std::uint32_t>(props.typeWord) & kParaInForm))
        return -1;
    // A block of form text that holds no field is known by the form it was put in.
    int field = FindLineForm(*ctx, hWnd, info.caretLine);
    return field >= 0 ? ctx->fields[field].form : ParagraphForm(*ctx, hWnd, info.caretLine);
}

int GetFormInfo(HWND hWnd, int form, char* action, char* method)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || form < 0 || form >= ctx->formCount || form >= kFormCount)
        return -1;
    const FormRecord& record = ctx->forms[form];
    copyOut(action, kFormActionSize, record.action);
    copyOut(method, kMethodSize, record.method ? "POST" : "GET");
    return CountFormFields(*ctx, form);
}

int GetFieldData(HWND hWnd, int form, int n, char* name, int* checked, char* value, int valueSize)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    int index = ctx ? findField(*ctx, form, n) : -1;
    if (index < 0)
        return -1;
    const FieldRecord& f = ctx->fields[index];
    HWND control = FieldControl(*ctx, f);
    std::size_t size = valueSize > 0 ? static_cast<std::size_t>(valueSize) : 0;
    if (checked)
        *checked = 0;
    copyOut(value, size, "");
    copyOut(name, sizeof f.name, f.name);
    switch (f.type) {
    case kFieldText:
    case kFieldTextArea:
    case kFieldPassword:
        copyOut(value, size, control ? FieldControlText(control, valueSize) : textValue(f));
        break;
    case kFieldRadio:
    case kFieldCheckBox:
        if (checked)
            *checked = control ? FieldControlChecked(control) : f.checked != 0;
        copyOut(value, size, textValue(f));
        break;
    case kFieldHidden:
        copyOut(value, size, textValue(f));
        break;
    case kFieldImage: {
        char point[32];
        std::snprintf(point, sizeof point, "%d,%d", f.clickX, f.clickY);
        copyOut(value, size, point);
        break;
    }
    case kFieldSelect:
        copyOut(value, size, selectedOptions(f, control));
        break;
    default:
        break;
    }
    return f.type;
}

}
