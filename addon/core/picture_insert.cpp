// Inserting a picture at the caret: from a file name, or from dialog "PictureParam", which
// comes back until the chosen file loads.
#include "addon/base/dialog_fields.h"
#include "addon/base/print_error.h"
#include "addon/core/html_reader.h"
#include "addon/core/editor_ops.h"
#include "addon/core/field_records.h"
#include "addon/core/html_context.h"
#include "addon/core/picture_edit.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <cstdint>

namespace ks::addon {
namespace {

constexpr unsigned kPictureFlag = editor::kObjectStyle, kPictureLinked = editor::kLinkText;
constexpr int kImageMap = 1, kFirstImageField = 2;

unsigned styleOfFont(HWND hWnd, int font)
{
    unsigned style = 0;
    if (font >= 0)
        EditorGetFontData(hWnd, font, &style, nullptr, nullptr, nullptr);
    return style;
}

// The style of the character before the caret; 0 at a line's start.
unsigned styleBeforeCaret(HWND hWnd, const EditorInfo& info)
{
    std::uint16_t fonts[kCtxTextSize];
    int n = EditorGetLineChars(hWnd, info.caretLine, nullptr, fonts);
    int col = info.caretColumn - 1;
    return col >= 0 && col < n ? styleOfFont(hWnd, fonts[col]) : 0;
}

bool empty(const char* text) { return !text || !*text; }

struct PictureChoice {
    char name[kPictPathSize]{};
    int alignment = 0;
    int isMap = 0;
};

bool askPicture(HtmlCtx& ctx, PictureChoice& c, int imageField)
{
    ctx.dialog.values[kPictValueImageField] = imageField ? 1 : 0;
    if (CallDialogBox(&ctx, "PictureParam", PictureParam, 0) != 1)
        return false;
    copyCtxText(c.name, ctx.dialog.pictureFile, sizeof c.name);
    c.alignment = ctx.dialog.values[kPictValueAlignment];
    c.isMap = ctx.dialog.values[kPictValueIsMap];
    return true;
}

// Loads the chosen file. Given as an argument a file that will not load is reported;
// chosen in the dialog the dialog comes back, with the name as it was typed.
int loadChoice(HtmlCtx& ctx, PictureChoice& c, char* stored, bool dialog)
{
    copyCtxText(stored, c.name, sizeof c.name);
    int vertical = c.alignment == 1 || c.alignment == 2 ? c.alignment : 0;
    int id = LoadPictFile(&ctx, c.name, vertical);
    if (!id && !dialog)
        PrintError(&ctx, "Invalid Picture File", kErrPictureRefused);
    return id;
}

// The image field's record; its index, or -1 when none could be made.
int newImageField(HtmlCtx& ctx)
{
    HtmlReader* reader = nullptr;
    HtmlGroup* group = nullptr;
    FieldRecord* field = nullptr;
    if (!NewFieldRecord(&ctx, &reader, &group, &field))
        return -1;
    field->type = kFieldImage;
    int index = reader->currentField;
    FreeFieldState(reader, group);
    return index;
}

}

int InsertPicture(HWND hWnd, const char* fileName, int alignment, int isMap, int imageField, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || (imageField && !GetCaretForm(ctx, true)))
        return 0;
    EditorInfo info;
    unsigned lineFlags = 0;
    if (!readInfo(hWnd, info) || !readLineFlags(hWnd, info.caretLine, lineFlags) || (lineFlags & kLineIsRule))
        return 0;
    unsigned caretStyle = styleOfFont(hWnd, EditorGetCurFont(hWnd));
    if (caretStyle & kStyleHiddenLink) {
        MessageBeep(0);
        return 0;
    }
    ctx->dialog.pictureFile[0] = 0;
    bool dialog = empty(fileName);
    PictureChoice choice;
    char stored[kPictPathSize];
    int id = 0;
    do {
        if (dialog && !askPicture(*ctx, choice, imageField))
            return 0;
        if (!dialog) {
            copyCtxText(choice.name, fileName, sizeof choice.name);
            choice.alignment = alignment >= 1 && alignment <= kAlignFloatRight ? alignment : 0;
            choice.isMap = isMap;
        }
        id = loadChoice(*ctx, choice, stored, dialog);
        if (!id && !dialog)
            return 0;
    } while (!id);
    EditorPictureFileName(hWnd, id, 0, stored);
    unsigned flags = kPictureFlag;
    if ((caretStyle & kStyleLinkText) || imageField || (styleBeforeCaret(hWnd, info) & kStyleHiddenLink))
        flags |= kPictureLinked;
    int aux = choice.isMap ? kImageMap : 0;
    if (imageField) {
        int field = newImageField(*ctx);
        if (field < 0)
            return 0;
        aux = field + kFirstImageField;
    }
    EditorSetPictureProps(hWnd, id, flags, choice.alignment, aux);
    if (choice.alignment == kAlignFloatLeft || choice.alignment == kAlignFloatRight)
        EditorSetPictureFloat(hWnd, id, choice.alignment - 2, 0);
    EditorPlacePicture(hWnd, id, repaint);
    return id;
}

}
