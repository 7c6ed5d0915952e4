// Inserting a link or named anchor at the caret: its data run, then its text or picture.
#include "addon/base/allocators.h"
#include "addon/base/dialog_fields.h"
#include "addon/base/print_error.h"
#include "addon/core/html_reader.h"
#include "addon/core/editor_ops.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_context.h"
#include "addon/core/link_dialogs.h"
#include "addon/core/link_edit.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <memory>
#include <new>
#include <new>

namespace ks::addon {
namespace {

// The values of one link; pictures need room for a resolved path.
struct LinkValues {
    char text[kCtxTextSize]{};
    char picture[kPictPathSize]{};
    char href[kCtxTextSize]{};
    char name[kCtxTextSize]{};
    int isMap = 0;
};

struct CaretFont {
    int id = 0;
    unsigned style = 0;
    int userId = 0;
    unsigned colour = 0;
};

CaretFont caretFont(HWND hWnd)
{
    CaretFont f;
    f.id = EditorGetCurFont(hWnd);
    EditorGetFontData(hWnd, f.id, &f.style, nullptr, nullptr, &f.userId);
    EditorGetFontColors(hWnd, f.id, &f.colour, nullptr);
    return f;
}

bool empty(const char* text) { return !text || !*text; }

bool askLink(HtmlCtx& ctx, LinkValues& v)
{
    if (CallDialogBox(&ctx, "LinkParam", LinkParam, 0) != 1)
        return false;
    copyCtxText(v.text, ctx.dialog.linkText);
    copyCtxText(v.picture, ctx.dialog.pictureFile, sizeof v.picture);
    copyCtxText(v.href, ctx.dialog.href);
    copyCtxText(v.name, ctx.dialog.name);
    v.isMap = ctx.dialog.values[kLinkValueIsMap];
    return true;
}

// The picture of a picture link, or 0 after the failure was handled: without the dialog it
// is reported, with it the dialog is shown again.
int linkPicture(HtmlCtx& ctx, LinkValues& v, bool dialog)
{
    int picture = LoadPictFile(&ctx, v.picture, 0);
    if (picture)
        EditorPictureFileName(ctx.editorWindow, picture, 0, v.picture);
    else if (!dialog)
        PrintError(&ctx, "Invalid Picture File", kErrPictureRefused);
    return picture;
}

void insertHidden(HWND hWnd, const char* data)
{
    EditorSetCharStyle(hWnd, kStyleHiddenLink, 1, 0);
    EditorInsertText(hWnd, data);
    EditorSetCharStyle(hWnd, kStyleHiddenLink, 0, 0);
}

// The visible text: link style and colour with an address; the element's link or variant user id.
void insertText(HtmlCtx& ctx, HWND hWnd, const LinkValues& v, const CaretFont& f)
{
    bool address = !empty(v.href);
    int element = f.userId % kLinkFontBase;
    int userId = f.userId >= kLinkFontBase ? f.userId : element + (address ? kLinkFontBase : kVariantFontBase);
    unsigned linkBits = ctx.linkStyle | kStyleLinkText;
    EditorSetNextUserId(hWnd, userId);
    if (address) {
        EditorSetCharStyle(hWnd, linkBits, 1, 0);
        EditorSetNextColor(hWnd, ctx.linkColor);
    }
    EditorInsertText(hWnd, v.text);
    if (address) {
        EditorSetCharStyle(hWnd, linkBits, 0, 0);
        EditorSetNextColor(hWnd, f.colour);
    }
    EditorSetNextUserId(hWnd, f.userId);
}

}

int InsertLink(HWND hWnd, const char* text, const char* picture, const char* href, const char* name, int isMap,
               int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    EditorInfo info;
    unsigned flags = 0;
    if (!readInfo(hWnd, info) || !readLineFlags(hWnd, info.caretLine, flags) || (flags & kLineIsRule))
        return 0;
    CaretFont font = caretFont(hWnd);
    if (font.style & (kStyleHiddenLink | kStyleLinkText)) {
        MessageBeep(0);
        return 0;
    }
    std::unique_ptr<LinkValues> v(new (std::nothrow) LinkValues);
    if (!v)
        return PrintError(ctx, "Ran out of memory for HTML data.", kErrMemory);
    DialogExchange& x = ctx->dialog;
    x.linkText[0] = x.pictureFile[0] = x.href[0] = x.name[0] = 0;
    bool dialog = empty(text) && empty(picture);
    int pictureId = 0;
    for (;;) {
        if (dialog && !askLink(*ctx, *v))
            return 0;
        if (!dialog) {
            copyCtxText(v->text, text);
            copyCtxText(v->picture, picture, sizeof v->picture);
            copyCtxText(v->href, href);
            copyCtxText(v->name, name);
            v->isMap = isMap;
        }
        if (!empty(v->text) || (pictureId = linkPicture(*ctx, *v, dialog)) != 0)
            break;
        if (!dialog)
            return 0;
    }
    // The host's own address and name go in whole; the dialog's hold 300 characters.
    insertHidden(hWnd, (dialog ? BuildLinkData(v->href, v->name, nullptr) : BuildLinkData(href, name, nullptr)).c_str());
    if (pictureId) {
        EditorSetPictureProps(hWnd, pictureId, 0x4080, 0, v->isMap ? 1 : 0);
        EditorPlacePicture(hWnd, pictureId, repaint);
    } else {
        insertText(*ctx, hWnd, *v, font);
    }
    if (repaint)
        EditorRepaint(hWnd, 1);
    return 1;
}

}
