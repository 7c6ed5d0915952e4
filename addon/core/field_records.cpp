#include "addon/core/field_records.h"

#include "addon/base/allocators.h"
#include "addon/base/print_error.h"
#include "addon/core/editor_ops.h"
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"
#include "addon/core/paragraph_form.h"
#include "platform/editor/vek32.h"
#include "platform/win/user_dialogs.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace ks::addon {
namespace {


}

int AppendFieldRecord(HtmlCtx* ctx, int form)
{
    if (ctx->fieldCount < 0 || ctx->fieldCount >= kFieldCount)
        return -1;
    int index = ctx->fieldCount++;
    FieldRecord& f = ctx->fields[index];
    f = FieldRecord{};
    f.form = form;
    f.controlId = ctx->nextFieldId++;
    return index;
}

bool AllocateOptions(FieldRecord& field, int capacity)
{
    void* options = OurAlloc(sizeof(FieldOption) * std::size_t(capacity + 1));
    if (!options)
        return false;
    auto* list = static_cast<FieldOption*>(options);
    for (int i = 0; i <= capacity; ++i)
        new (&list[i]) FieldOption{};
    field.value = list;
    field.optionCapacity = capacity;
    field.checked = -1;
    return true;
}

bool GrowOptions(FieldRecord& field)
{
    int capacity = field.optionCapacity + kOptionGrowth;
    void* grown = OurRealloc(field.value, sizeof(FieldOption) * std::size_t(capacity + 1));
    if (!grown)
        return false;
    auto* options = static_cast<FieldOption*>(grown);
    for (int i = field.optionCapacity + 1; i <= capacity; ++i)
        new (&options[i]) FieldOption{};
    field.value = options;
    field.optionCapacity = capacity;
    return true;
}

int GetCaretForm(HtmlCtx* ctx, bool report)
{
    if (ctx->formCount == 0) {
        ctx->forms[0] = FormRecord{};
        std::strcpy(ctx->forms[0].action, "empty");
        ctx->formCount = 1;
    }
    HWND hWnd = ctx->editorWindow;
    EditorInfo info;
    unsigned flags = 0;
    if (!readInfo(hWnd, info) || !readLineFlags(hWnd, info.caretLine, flags) || (flags & kLineIsRule))
        return 0;
    ParaProps p;
    if (readParaProps(hWnd, info.caretLine, p) && (std::uint32_t(p.typeWord) & kParaInForm)) {
        unsigned style = 0;
        EditorGetFontData(hWnd, EditorGetCurFont(hWnd), &style, nullptr, nullptr, nullptr);
        if (style & (editor::kHidden | editor::kLinkText)) {
            if (report)
                MessageBeep(0);
            return 0;
        }
        return 1;
    }
    if (report)
        PrintError(ctx, "Must be positioned in a Form", kErrForms);
    return 0;
}

int NewFieldRecord(HtmlCtx* ctx, HtmlReader** reader, HtmlGroup** group, FieldRecord** field)
{
    HWND hWnd = ctx->editorWindow;
    EditorInfo info;
    int found = readInfo(hWnd, info) ? FindLineForm(*ctx, hWnd, info.caretLine) : -1;
    // A form that holds no field yet is the one the caret's paragraph stands in.
    int form = found >= 0 && found < ctx->fieldCount ? ctx->fields[found].form : 0;
    if (found < 0 && readInfo(hWnd, info))
        form = std::max(0, ParagraphForm(*ctx, hWnd, info.caretLine));
    void* r = OurAlloc(sizeof(HtmlReader));
    if (!r)
        return PrintError(ctx, "Ran out of memory for HTML data.", kErrMemory);
    auto* state = new (r) HtmlReader{};
    state->currentForm = form;
    void* g = OurAlloc(sizeof(HtmlGroup));
    if (!g) {
        state->~HtmlReader();
        OurFree(r);
        return PrintError(ctx, "Ran out of memory for HTML group table.", kErrMemory);
    }
    auto* entry = new (g) HtmlGroup{};
    entry->reader = state;
    state->groups = entry;
    int index = AppendFieldRecord(ctx, form);
    if (index < 0) {
        FreeFieldState(state, entry);
        return 0;
    }
    state->currentField = index;
    *reader = state;
    *group = entry;
    *field = &ctx->fields[index];
    return 1;
}

void FreeFieldState(HtmlReader* reader, HtmlGroup* group)
{
    OurFree(group);
    if (reader)
        reader->~HtmlReader();
    OurFree(reader);
}

}
