// Pictures, forms and their fields.
#include "addon/convert/html_entities.h"
#include "addon/core/field_control.h"
#include "addon/core/html_writer.h"
#include "addon/core/para_type.h"
#include "addon/core/paragraph_form.h"
#include "addon/core/tag_data.h"
#include "addon/core/temp_picture.h"
#include "platform/win/window_handle.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace ks::addon {
namespace {

constexpr int kControlText = 300, kTextAreaText = 3000;
using editor::kObjectChar;
constexpr int kAltTextSize = 301;   // the editor keeps 300 characters of it
// A picture's aux value for image field n is n + 2.
constexpr int kFirstImageFieldAux = 2;

// The whole of a text that the editor or a form record keeps only the start of (kept in the
// tag data as read), while it still holds that start; else what it holds.
std::string wholeText(const HtmlCtx& ctx, int type, int id, const std::string& held)
{
    const TagData* kept = FindTagData(ctx, type, id);
    std::string_view whole = kept && kept->text1 ? kept->text1 : "";
    return !held.empty() && whole.size() > held.size() && whole.starts_with(held) ? std::string(whole) : held;
}

const char* fieldValue(const FieldRecord& f) { return f.type != kFieldSelect ? static_cast<const char*>(f.value) : nullptr; }

// What the control holds (at least `most` characters of it, and all of a longer text), with
// the kept references of the value it was shown from where the user left them; the value
// itself without a control.
std::string controlValue(const FieldRecord& f, HWND control, int most)
{
    const char* value = fieldValue(f) ? fieldValue(f) : "";
    if (!control)
        return value;
    int length = int(std::clamp<LRESULT>(SendMessage(control, WM_GETTEXTLENGTH, 0, 0), 0, INT32_MAX - 1));
    return KeepReferences(FieldControlText(control, std::max(most, length)), value);
}

int putName(HtmlWriter& w, const FieldRecord& f, bool always)
{
    return (f.name[0] || always) ? PutAttr(&w.ctx, w.out, "name", f.name) : 1;
}

int putValue(HtmlWriter& w, const char* value)
{
    return value && *value ? PutAttr(&w.ctx, w.out, "value", value) : 1;
}

// In a table the next output line is indented: after the line end (dropped when read, as
// one after a begin tag is) its blanks would read back as a blank after the field.
int endInput(HtmlWriter& w) { return PutTagEnd(&w.ctx, w.out, w.cur.level == 0); }

// The end tags of a text area and a list end no output line: read back, a line end after an
// end tag inside a paragraph is the blank between it and what follows.
int writeTextArea(HtmlWriter& w, const FieldRecord& f, HWND control)
{
    if (!PutTagOpen(&w.ctx, w.out, "textarea") || !putName(w, f, true) || !PutAttrInt(&w.ctx, w.out, "rows", f.rows) ||
        !PutAttrInt(&w.ctx, w.out, "cols", f.columns) || !PutTagEnd(&w.ctx, w.out, true))
        return 0;
    std::string text = controlValue(f, control, kTextAreaText);
    // Escaped like document text, so that the value reads back as it was typed.
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find("\r\n", at);
        if (!PutText(&w.ctx, w.out, std::string_view(text).substr(at, end == std::string::npos ? std::string::npos : end - at)))
            return 0;
        if (end == std::string::npos)
            break;
        if (!Tag(w, "p", true, true))
            return 0;
        at = end + 2;
    }
    return Flush(w) && Tag(w, "textarea", false, false) ? 1 : 0;
}

int writeSelect(HtmlWriter& w, const FieldRecord& f, HWND control)
{
    if (!PutTagOpen(&w.ctx, w.out, "select") || !putName(w, f, true) ||
        (f.multiple && !PutAttr(&w.ctx, w.out, "multiple", nullptr)) || !PutAttrInt(&w.ctx, w.out, "size", f.size) ||
        !PutTagEnd(&w.ctx, w.out, true) || !Flush(w))
        return 0;
    auto* options = static_cast<const FieldOption*>(f.value);
    for (int i = 0; options && i <= f.checked && i <= f.optionCapacity; ++i) {
        const FieldOption& o = options[i];
        bool selected = FieldOptionSelected(f, control, i);
        // A blank that begins the text is dropped when read, as one after another blank is:
        // it is written as the no-break space it was read from.
        if (!PutTagOpen(&w.ctx, w.out, "option") || (selected && !PutAttr(&w.ctx, w.out, "selected", nullptr)) ||
            (o.value && !PutAttr(&w.ctx, w.out, "value", o.value)) || !PutTagEnd(&w.ctx, w.out, false) ||
            !PutText(&w.ctx, w.out, o.display ? o.display : "", ' ') || !Flush(w))
            return 0;
    }
    return Tag(w, "select", false, false);
}

// A placeholder's own size is only how it is shown: it writes the size the page gave, if any,
// so that the picture has its natural size once its file is there.
int putPictureSize(HtmlWriter& w, int picture, const RECT& rect)
{
    if (!EditorPictureIsPlaceholder(w.hWnd, picture))
        return PutAttrInt(&w.ctx, w.out, "width", rect.right - rect.left) &&
               PutAttrInt(&w.ctx, w.out, "height", rect.bottom - rect.top);
    const TagData* given = FindTagData(w.ctx, kTagPictureSize, picture);
    if (!given)
        return 1;
    std::string width = given->value1 < 0 ? std::to_string(-given->value1) + "%" : std::to_string(given->value1);
    return (given->value1 == 0 || PutAttr(&w.ctx, w.out, "width", width.c_str())) &&
           (given->value2 < 1 || PutAttrInt(&w.ctx, w.out, "height", given->value2));
}

}

int WriteField(HtmlWriter& w, int index, int object)
{
    const FieldRecord& f = w.ctx.fields[index];
    HWND control = object ? EditorGetObjectControl(w.hWnd, object) : nullptr;
    if (!CloseAllFormatting(w))
        return 0;
    switch (f.type) {
    case kFieldTextArea:
        return writeTextArea(w, f, control);
    case kFieldSelect:
        return writeSelect(w, f, control);
    default:
        break;
    }
    if (!PutTagOpen(&w.ctx, w.out, "input") || !putName(w, f, false))
        return 0;
    bool checked = control ? FieldControlChecked(control) : f.checked != 0;
    switch (f.type) {
    case kFieldText:
    case kFieldPassword: {
        std::string text = controlValue(f, control, kControlText);
        return PutAttr(&w.ctx, w.out, "type", f.type == kFieldText ? "text" : "password") &&
                       PutAttrInt(&w.ctx, w.out, "size", f.size) &&
                       (f.maxLength <= 0 || PutAttrInt(&w.ctx, w.out, "maxlength", f.maxLength)) &&
                       putValue(w, text.c_str()) && endInput(w)
                   ? 1
                   : 0;
    }
    case kFieldRadio:
    case kFieldCheckBox:
        // A check box keeps its submitted value too; without it the form would submit "on".
        return PutAttr(&w.ctx, w.out, "type", f.type == kFieldRadio ? "radio" : "checkbox") &&
                       putValue(w, fieldValue(f)) && (!checked || PutAttr(&w.ctx, w.out, "checked", nullptr)) &&
                       endInput(w)
                   ? 1
                   : 0;
    case kFieldSubmit:
    case kFieldReset: {
        std::string label = controlValue(f, control, kControlText);
        return PutAttr(&w.ctx, w.out, "type", f.type == kFieldSubmit ? "submit" : "reset") &&
                       putValue(w, label.c_str()) && endInput(w)
                   ? 1
                   : 0;
    }
    case kFieldHidden:
        return PutAttr(&w.ctx, w.out, "type", "hidden") && putValue(w, fieldValue(f)) && endInput(w) ? 1 : 0;
    default:
        return endInput(w);
    }
}

int WritePicture(HtmlWriter& w, int picture)
{
    if (!CloseAllFormatting(w))
        return 0;
    unsigned style = 0;
    RECT rect{};
    int vertical = 0, kind = 0;
    EditorGetFontData(w.hWnd, picture, &style, &rect, &vertical, &kind);
    char name[kPictureNameSize]{};
    EditorPictureFileName(w.hWnd, picture, 1, name);
    // A placeholder has no picture to save in a file of its own: it keeps the source it
    // was read with, or none (an image field without one).
    if (!name[0] && !EditorPictureIsPlaceholder(w.hWnd, picture) && MakeTempPictName(w.ctx, picture, w.pictureBase))
        EditorPictureFileName(w.hWnd, picture, 1, name);
    std::string whole = wholeText(w.ctx, kTagPictureSource, picture, name);
    const char* src = whole.c_str();
    if (w.ctx.flags & 4)
        if (const char* cut = std::strrchr(src, '\\') ; cut || (cut = std::strrchr(src, ':')) || (cut = std::strrchr(src, '/')))
            src = cut + 1;
    bool input = kind >= 2;
    if (!PutTagOpen(&w.ctx, w.out, input ? "input" : "img") || (input && !PutAttr(&w.ctx, w.out, "type", "image")))
        return 0;
    // An image field keeps its name, so that the form still submits it.
    int field = kind - 2;
    if (input && field < w.ctx.fieldCount && field < kFieldCount && w.ctx.fields[field].name[0] &&
        !PutAttr(&w.ctx, w.out, "name", w.ctx.fields[field].name))
        return 0;
    if (src[0] && !PutAttr(&w.ctx, w.out, "src", src))
        return 0;
    if (!input) {
        int side = EditorGetPictAlign(w.hWnd, picture);
        const char* align = side == 1 ? "left" : side == 2 ? "right" : vertical == 1 ? "middle" : vertical == 2 ? "top" : nullptr;
        if ((kind == 1 && !PutAttr(&w.ctx, w.out, "ismap", nullptr)) || (align && !PutAttr(&w.ctx, w.out, "align", align)))
            return 0;
    }
    if (!putPictureSize(w, picture, rect))
        return 0;
    char shown[kAltTextSize]{};
    std::string alt = EditorPictureAltText(w.hWnd, picture, 1, shown) ? shown : "";
    if (const TagData* kept = FindTagData(w.ctx, kTagPictureAlt, picture); kept && kept->text1) {
        std::string wholeShown = ShownText(kept->text1);
        alt = wholeShown.size() > alt.size() && wholeShown.starts_with(alt) ? std::string(kept->text1)
                                                                            : KeepReferences(alt, kept->text1);
    }
    if (!alt.empty() && !PutAttr(&w.ctx, w.out, "alt", alt.c_str()))
        return 0;
    if (const TagData* map = FindTagData(w.ctx, kTagPictureMap, picture); map && map->text1 &&
        !PutAttr(&w.ctx, w.out, "usemap", map->text1))
        return 0;
    return PutTagEnd(&w.ctx, w.out, false);
}

namespace {

bool lineInForm(HWND hWnd, int line)
{
    VekLineRecord r{};
    return EditorGetLineRecord(hWnd, line, &r) && (static_cast<std::uint32_t>(r.typeWord) & kParaInForm);
}

}

int ObjectField(HtmlCtx& ctx, HWND hWnd, int font)
{
    int controlId = EditorGetObjectField(hWnd, font);
    for (int f = 0; controlId && f < ctx.fieldCount && f < kFieldCount; ++f)
        if (ctx.fields[f].controlId == controlId)
            return f;
    // An image field is a picture, not a control: its aux value names the field. A form
    // whose only field it is keeps its method and action so.
    int aux = 0;
    if (!controlId && EditorGetFontData(hWnd, font, nullptr, nullptr, nullptr, &aux) && aux >= kFirstImageFieldAux &&
        aux - kFirstImageFieldAux < std::min(ctx.fieldCount, kFieldCount) &&
        ctx.fields[aux - kFirstImageFieldAux].type == kFieldImage)
        return aux - kFirstImageFieldAux;
    return -1;
}

int FirstFieldFrom(HtmlCtx& ctx, HWND hWnd, int line, int* at)
{
    char chars[kHtmlLineMax + 2];
    std::uint16_t fonts[kHtmlLineMax + 2];
    int block = FormTextNumber(hWnd, line), l = line;
    for (; block >= 0 && FormTextNumber(hWnd, l) == block; ++l) {
        int count = EditorGetLineChars(hWnd, l, chars, fonts);
        for (int i = 0; i < count; ++i)
            if (int field = chars[i] == kObjectChar ? ObjectField(ctx, hWnd, fonts[i]) : -1; field >= 0) {
                if (at)
                    *at = l;
                return field;
            }
    }
    if (at)
        *at = l - 1;
    return -1;
}

int FindLineForm(HtmlCtx& ctx, HWND hWnd, int line)
{
    int block = FormTextNumber(hWnd, line);
    if (block < 0)
        return -1;
    int first = line;
    while (first > 0 && FormTextNumber(hWnd, first - 1) == block)
        --first;
    return FirstFieldFrom(ctx, hWnd, first);
}

namespace {

bool showsNoField(const HtmlCtx& ctx, int form)
{
    for (int f = 0; f < ctx.fieldCount && f < kFieldCount; ++f)
        if (ctx.fields[f].form == form && ctx.fields[f].type != kFieldHidden)
            return false;
    return true;
}

// Forms are numbered in the order they stand: lines of a form that shows no field (only
// text, or only hidden fields) are those of the next such form after the last one written.
// Known only when the whole document is written, and not for a form begun again after a
// list or quote that held its start ended it (its lines before are in a form).
int formShowingNoField(HtmlWriter& w, int line)
{
    if (w.firstLine != 0 || (line > 0 && lineInForm(w.hWnd, line - 1)))
        return -1;
    for (int form = w.lastForm + 1; form < w.ctx.formCount && form < kFormCount; ++form)
        if (showsNoField(w.ctx, form))
            return form;
    return -1;
}

}

int WriteFormStart(HtmlWriter& w, int line)
{
    // A form begun again within a block (after a quote or a cell that held the one before
    // ended it) is the form of the fields from here on, else of the block's fields, else
    // the one its paragraphs were put in.
    int field = FirstFieldFrom(w.ctx, w.hWnd, line);
    if (field < 0)
        field = FindLineForm(w.ctx, w.hWnd, line);
    int form = field >= 0 ? w.ctx.fields[field].form : ParagraphForm(w.ctx, w.hWnd, line);
    if (form < 0)
        form = formShowingNoField(w, line);
    w.formOpen = true;
    w.formInPre = w.preOpen;
    w.formInAddress = w.addressOpen;
    w.formQuotes = w.openQuotes();
    w.afterBreak = false;
    w.currentForm = form >= 0 && form < w.ctx.formCount && form < kFormCount ? form : -1;
    if (!Flush(w))
        return 0;
    // Paragraphs of no form the table holds get a form of the reader's defaults, as their
    // tag reads back: a bare "form" is written "method=post" once it has its record.
    static const FormRecord kReadDefaults{.method = 1};
    if (w.currentForm >= 0)
        w.lastForm = std::max(w.lastForm, w.currentForm);
    const FormRecord& record = w.currentForm >= 0 ? w.ctx.forms[w.currentForm] : kReadDefaults;
    std::string action = wholeText(w.ctx, kTagFormAction, w.currentForm, record.action);
    return PutTagOpen(&w.ctx, w.out, "form") && PutAttr(&w.ctx, w.out, "method", record.method ? "post" : "get") &&
                   (action.empty() || PutAttr(&w.ctx, w.out, "action", action.c_str())) && PutTagEnd(&w.ctx, w.out, true)
               ? 1
               : 0;
}

int LeaveForm(HtmlWriter& w)
{
    for (int f = 0; w.currentForm >= 0 && f < w.ctx.fieldCount && f < kFieldCount; ++f)
        if (w.ctx.fields[f].type == kFieldHidden && w.ctx.fields[f].form == w.currentForm && !WriteField(w, f, 0))
            return 0;
    w.formOpen = false;
    w.currentForm = -1;
    return 1;
}

int WriteFormEnd(HtmlWriter& w)
{
    if (!LeaveForm(w))
        return 0;
    // Lists and quotes begun inside the form end before it, as its end tag ends them when
    // read; the next paragraph opens them again.
    return Flush(w) && CloseListsTo(w, w.formListLevel) && WriteQuotes(w, std::min(w.formQuotes, w.openQuotes())) &&
                   Tag(w, "form", false, true)
               ? 1
               : 0;
}

}
