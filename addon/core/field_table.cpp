#include "addon/core/field_table.h"

#include "addon/base/allocators.h"
#include "addon/core/field_control.h"
#include "platform/win/window_handle.h"

#include <strings.h>

namespace ks::addon {
namespace {

constexpr UINT kButtonSetCheck = 0x00F1;

void freeOptions(FieldRecord& f)
{
    auto* options = static_cast<FieldOption*>(f.value);
    for (int i = 0; options && i <= f.optionCapacity; ++i) {
        OurFree(options[i].value);
        OurFree(options[i].display);
    }
    OurFree(options);
}

void setChecked(HtmlCtx& ctx, FieldRecord& f, bool on)
{
    f.checked = on ? 1 : 0;
    if (HWND control = FieldControl(ctx, f))
        SendMessage(control, kButtonSetCheck, on ? 1 : 0, 0);
}

}

int FreeFieldTable(HtmlCtx& ctx)
{
    for (int i = 0; i < ctx.fieldCount && i < kFieldCount; ++i) {
        FieldRecord& f = ctx.fields[i];
        if (f.type == kFieldSelect)
            freeOptions(f);
        else
            OurFree(f.value);
        f = FieldRecord{};
    }
    ctx.fieldCount = 0;
    ctx.formCount = 0;
    return 1;
}

int FindFieldByControl(const HtmlCtx& ctx, int controlId)
{
    for (int i = 0; i < ctx.fieldCount && i < kFieldCount; ++i)
        if (ctx.fields[i].controlId == controlId)
            return i;
    return -1;
}

int CountFormFields(const HtmlCtx& ctx, int form)
{
    int count = 0;
    for (int i = 0; i < ctx.fieldCount && i < kFieldCount; ++i)
        count += ctx.fields[i].form == form;
    return count;
}

bool CheckRadioField(HtmlCtx& ctx, int field)
{
    FieldRecord& radio = ctx.fields[field];
    if (radio.checked)
        return false;
    setChecked(ctx, radio, true);
    for (int i = 0; i < ctx.fieldCount && i < kFieldCount; ++i) {
        FieldRecord& other = ctx.fields[i];
        if (i != field && other.type == kFieldRadio && other.form == radio.form &&
            strcasecmp(other.name, radio.name) == 0 && other.checked)
            setChecked(ctx, other, false);
    }
    return true;
}

}
