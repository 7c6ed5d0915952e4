// Forms and their fields, pictures and scripts.
#include "addon/base/allocators.h"
#include "addon/base/number_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/core/field_records.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/tag_data.h"
#include "addon/core/para_type.h"
#include "addon/core/plx_module.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <strings.h>
#include <string>
#include <string_view>

namespace ks::addon {
namespace {

constexpr std::uint32_t kUnsupportedScript = 0x10;
// Text areas and lists larger than a screen could show are cut to these.
constexpr int kMostTextAreaLines = 500, kMostTextAreaColumns = 500;
constexpr int kMostFieldSize = 10000;

struct FieldTypeName {
    const char* name;
    int type;
};
constexpr FieldTypeName kInputTypes[] = {{"TEXT", kFieldText},      {"CHECKBOX", kFieldCheckBox},
                                         {"RADIO", kFieldRadio},    {"SUBMIT", kFieldSubmit},
                                         {"RESET", kFieldReset},    {"HIDDEN", kFieldHidden},
                                         {"PASSWORD", kFieldPassword}, {"IMAGE", kFieldImage}};

int inputType(const char* value)
{
    for (const FieldTypeName& t : kInputTypes)
        if (strcasecmp(value, t.name) == 0)
            return t.type;
    return kFieldText;
}

int number(HtmlCtx* ctx, HtmlReader* r, const char* name, int fallback, int low, int high)
{
    std::string value;
    return TagAttribute(ctx, r, name, value) ? std::clamp(TextToInt(value.c_str()), low, high) : fallback;
}

void takeName(HtmlCtx* ctx, HtmlReader* r, FieldRecord& f)
{
    std::string value;
    if (TagAttribute(ctx, r, "NAME", value))
        copyCtxText(f.name, value.c_str(), sizeof f.name);
}

FieldRecord* currentField(HtmlCtx* ctx, HtmlReader* r)
{
    int f = r->currentField;
    return f >= 0 && f < ctx->fieldCount && f < kFieldCount ? &ctx->fields[f] : nullptr;
}

// The line end before an option's or a text area's end is read as a blank that is no part
// of its text (kept, it would widen the list and grow the text at every save).
void trimFieldText(FieldRecord& f)
{
    char* text = nullptr;
    if (f.type == kFieldSelect && f.value && f.checked >= 0)
        text = static_cast<FieldOption*>(f.value)[f.checked].display;
    else if (f.type == kFieldTextArea)
        text = static_cast<char*>(f.value);
    std::size_t n = text ? std::strlen(text) : 0;
    while (n > 0 && text[n - 1] == ' ')
        text[--n] = 0;
}

// Fields are made in a form, but not of what "noframes" holds: that is thrown away with its
// text. (A field kept there had no paragraph end and no form, and read back it was lost.)
bool makesFields(HtmlReader* r) { return r->currentForm >= 0 && !r->currentGroup().noFrames; }

// A text area's or a selection list's end: its control is made from what was read.
int endFieldBlock(HtmlCtx* ctx, HtmlReader* r, int type)
{
    // An end with none of its kind open has no group of its own: it would close another
    // element's in the middle of its paragraph.
    int& begun = type == kFieldSelect ? r->selectsOpen : r->textAreasOpen;
    if (begun == 0)
        return kTagDone;
    // The end of a list inside a text area (or the other way round) is none of its own: it
    // would leave the open one without its control, its text lost.
    if (FieldRecord* open = r->currentForm >= 0 ? currentField(ctx, r) : nullptr;
        open && open->type != type && (open->type == kFieldSelect || open->type == kFieldTextArea))
        return kTagDone;
    int result = kTagDone;
    if (r->currentForm >= 0) {
        if (!FlushHtmlText(ctx, r))
            return kTagFailed;
        FieldRecord* field = currentField(ctx, r);
        if (field && field->type == type)
            trimFieldText(*field);
        if (field && field->type == type) {
            if (!HtmlDocPass(ctx, kDocField, &r->currentGroup(), r))
                result = kTagAborted;
            // Its control is in the paragraph now, as an input's is: the form's end ends it.
            r->paraStart = r->afterLineBreak = r->onlyHiddenOnLine = 0;
        }
        r->currentField = -1;
    }
    --begun;
    CloseGroup(r);
    return result;
}

// A text area's or a selection list's begin: in a form, its field becomes the current one
// (f null when the table is full or no form is current). False when the flush fails.
bool startFieldBlock(HtmlCtx* ctx, HtmlReader* r, int type, FieldRecord*& f)
{
    if (!makesFields(r))
        return true;
    if (!FlushHtmlText(ctx, r))
        return false;
    int index = AppendFieldRecord(ctx, r->currentForm);
    if (index < 0)
        return true;
    f = &ctx->fields[index];
    f->type = type;
    takeName(ctx, r, *f);
    r->currentField = index;
    return true;
}

// A field begun in a list left open ends the list, as a browser ends it there: the list's
// control is made before the new field's (it was left without one and lost). The list's end
// closes the new field's group, a copy of the list's: the list's own goes on as the new one's.
int endOpenList(HtmlCtx* ctx, HtmlReader* r)
{
    return SelectListOpen(ctx, r) ? endFieldBlock(ctx, r, kFieldSelect) : kTagDone;
}

}

bool FieldBlockOpen(HtmlCtx* ctx, HtmlReader* r)
{
    FieldRecord* field = r->currentForm >= 0 ? currentField(ctx, r) : nullptr;
    return field && (field->type == kFieldSelect || field->type == kFieldTextArea);
}

bool SelectListOpen(HtmlCtx* ctx, HtmlReader* r)
{
    FieldRecord* field = r->currentForm >= 0 ? currentField(ctx, r) : nullptr;
    return field && field->type == kFieldSelect;
}

bool TextAreaOpen(const HtmlCtx* ctx, const HtmlReader* r)
{
    int f = r->currentForm >= 0 ? r->currentField : -1;
    return ctx && f >= 0 && f < ctx->fieldCount && f < kFieldCount && ctx->fields[f].type == kFieldTextArea &&
           ctx->fields[f].value;
}

bool AtTextAreaLineStart(const HtmlCtx* ctx, const HtmlReader* r)
{
    if (!TextAreaOpen(ctx, r) || r->pendingLength > 0)
        return false;
    std::string_view value = static_cast<const char*>(ctx->fields[r->currentField].value);
    return value.empty() || value.back() == '\n';
}

int EndOpenFieldBlock(HtmlCtx* ctx, HtmlReader* r)
{
    return FieldBlockOpen(ctx, r) ? endFieldBlock(ctx, r, currentField(ctx, r)->type) : kTagDone;
}

namespace {

bool holdsHiddenField(const HtmlCtx* ctx, int form)
{
    for (int f = 0; f < ctx->fieldCount && f < kFieldCount; ++f)
        if (ctx->fields[f].form == form && ctx->fields[f].type == kFieldHidden)
            return true;
    return false;
}

// A form that put nothing in the document but hidden fields gets an empty paragraph, as a
// browser gives it a blank line: else its place, and so its fields, would not be written.
int endFormParagraph(HtmlCtx* ctx, HtmlReader* r)
{
    if (!EndOpenParagraph(ctx, r, true))
        return 0;
    return r->currentForm < 0 || r->formHoldsLine || !holdsHiddenField(ctx, r->currentForm) ||
           EndParagraph(ctx, r, ctx->marker, true);
}

}

int FormTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag) {
        // A list or a text area left open ends with its form: its control is made.
        if (int ended = EndOpenFieldBlock(ctx, r); ended != kTagDone)
            return ended;
        if (!FlushHtmlText(ctx, r) || !endFormParagraph(ctx, r))
            return kTagFailed;
        CloseGroup(r);
        r->currentForm = r->currentField = -1;
        return kTagDone;
    }
    // So does one left open where the next form begins: its control goes in its own form.
    // (Left open, the list was lost and its paragraph end read as none, the two forms'
    // fields sharing one paragraph.)
    if (int ended = EndOpenFieldBlock(ctx, r); ended != kTagDone)
        return ended;
    if (!endFormParagraph(ctx, r))
        return kTagFailed;
    // The form table holds 25 forms: a further form's fields are not made.
    if (ctx->formCount < 0 || ctx->formCount >= kFormCount) {
        r->currentForm = -1;
        return kTagDone;
    }
    r->currentForm = ctx->formCount++;
    r->formHoldsLine = 0;
    FormRecord& form = ctx->forms[r->currentForm];
    form = FormRecord{};
    std::string value;
    form.method = TagAttribute(ctx, r, "METHOD", value) && strcasecmp(value.c_str(), "GET") == 0 ? 0 : 1;
    if (TagAttribute(ctx, r, "ACTION", value)) {
        copyCtxText(form.action, value.c_str(), sizeof form.action);
        // The record keeps 99 characters; the save writes a longer action whole.
        if (value.size() >= sizeof form.action)
            AddTagData(*ctx, kTagFormAction, r->currentForm, value.c_str());
    }
    r->currentGroup().typeWord |= kParaInForm;
    return kTagDone;
}

int InputTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    if (int ended = endOpenList(ctx, r); ended != kTagDone)
        return ended;
    int index = makesFields(r) ? AppendFieldRecord(ctx, r->currentForm) : -1;
    if (index >= 0) {
        FieldRecord& f = ctx->fields[index];
        std::string value;
        f.type = TagAttribute(ctx, r, "TYPE", value) ? inputType(value.c_str()) : kFieldText;
        takeName(ctx, r, f);
        if (GetHtmlAttribKept(ctx, r->tokenizer.attributes.c_str(), "VALUE", value))
            f.value = OurCopyText(value.c_str());
        f.size = number(ctx, r, "SIZE", 40, 0, kMostFieldSize);
        f.maxLength = number(ctx, r, "MAXLENGTH", 0, 0, INT32_MAX);
        f.checked = TagAttribute(ctx, r, "CHECKED", value) ? 1 : 0;
        bool hidden = f.type == kFieldHidden;
        if (!hidden && !FlushHtmlText(ctx, r))
            return kTagFailed;
        r->currentField = index;
        int made = HtmlDocPass(ctx, kDocField, &r->currentGroup(), r);
        r->currentField = -1;
        if (!made)
            return kTagAborted;
        if (!hidden)
            r->paraStart = r->afterLineBreak = r->onlyHiddenOnLine = 0;
    }
    CloseGroup(r);
    return kTagDone;
}

int TextAreaTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag)
        return endFieldBlock(ctx, r, kFieldTextArea);
    if (int ended = endOpenList(ctx, r); ended != kTagDone)
        return ended;
    ++r->textAreasOpen;
    FieldRecord* f = nullptr;
    if (!startFieldBlock(ctx, r, kFieldTextArea, f))
        return kTagFailed;
    if (f) {
        f->rows = number(ctx, r, "ROWS", 3, 1, kMostTextAreaLines);
        f->columns = number(ctx, r, "COLS", 40, 1, kMostTextAreaColumns);
        f->maxLength = f->rows * f->columns + 1;
        f->value = OurAlloc(std::size_t(f->maxLength) + 2);
    }
    return kTagDone;
}

int SelectTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag)
        return endFieldBlock(ctx, r, kFieldSelect);
    if (int ended = endOpenList(ctx, r); ended != kTagDone)
        return ended;
    ++r->selectsOpen;
    FieldRecord* f = nullptr;
    if (!startFieldBlock(ctx, r, kFieldSelect, f))
        return kTagFailed;
    if (f) {
        AllocateOptions(*f, kOptionGrowth);
        std::string value;
        f->multiple = TagAttribute(ctx, r, "MULTIPLE", value) ? 1 : 0;
        f->size = number(ctx, r, "SIZE", f->multiple ? 5 : 1, 1, kMostFieldSize);
    }
    return kTagDone;
}

int OptionTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    FieldRecord* f = r->currentForm >= 0 ? currentField(ctx, r) : nullptr;
    if (f && f->type == kFieldSelect && f->value) {
        if (!FlushHtmlText(ctx, r))
            return kTagFailed;
        trimFieldText(*f);
        if (f->checked + 1 < f->optionCapacity || GrowOptions(*f)) {
            FieldOption& option = static_cast<FieldOption*>(f->value)[++f->checked];
            option = FieldOption{};
            option.display = OurCopyText("");
            std::string value;
            option.selected = TagAttribute(ctx, r, "SELECTED", value) ? 1 : 0;
            if (GetHtmlAttribKept(ctx, r->tokenizer.attributes.c_str(), "value", value))
                option.value = OurCopyText(value.c_str());
        }
    }
    CloseGroup(r);
    return kTagDone;
}

int ImageTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    // A picture inside a selection list or a text area shows nowhere, as in a browser: in
    // the document it took the place the list's control comes to at its end. Nor does one
    // in "noframes", whose text is thrown away.
    if (FieldBlockOpen(ctx, r) || r->currentGroup().noFrames) {
        CloseGroup(r);
        return kTagDone;
    }
    bool inLink = r->currentGroup().inLink;
    if ((!inLink && !ReleaseHeldId(ctx, r)) || !HtmlDocPass(ctx, kDocPicture, &r->currentGroup(), r))
        return kTagAborted;
    CloseGroup(r);
    return kTagDone;
}

int ScriptTag(HtmlCtx* ctx, HtmlReader* r)
{
    ctx->unsupported |= kUnsupportedScript;
    if (r->tokenizer.beginTag) {
        if (!(r->flags & kReadInScript))
            r->suppressedAroundScript = r->textSuppressed;
        r->flags |= kReadInScript;
        r->textSuppressed = 1;
        return kTagDone;
    }
    // An end with no script open has no group of its own: it would close another element's
    // in the middle of its paragraph.
    if (!(r->flags & kReadInScript))
        return kTagDone;
    // Text after it is suppressed where it was before it (in a table outside its cells):
    // there it went into a row's end.
    r->flags &= ~kReadInScript;
    CloseGroup(r);
    r->textSuppressed = r->suppressedAroundScript;
    return kTagDone;
}

}
