#include "addon/core/vek_callback.h"

#include "addon/base/allocators.h"
#include "addon/base/print_error.h"
#include "addon/base/text_utils.h"
#include "addon/convert/gif_reader.h"
#include "addon/convert/tif_reader.h"
#include "addon/core/editor_ops.h"
#include "addon/core/field_controls.h"
#include "addon/core/field_table.h"
#include "addon/core/frame_teardown.h"
#include "addon/core/html_context.h"
#include "addon/core/html_notify.h"
#include "addon/core/html_read.h"
#include "addon/core/link_click.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx_module.h"
#include "addon/core/tag_data.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <cstring>
#include <new>
#include <string>

namespace ks::addon {
namespace {

constexpr UINT kCtlColorEdit = 0x133, kCtlColorListBox = 0x134, kCtlColorBtn = 0x135;
constexpr UINT kCtlColorDlg = 0x136, kCtlColorScrollBar = 0x137, kCtlColorStatic = 0x138;

void freePictureFrames(HtmlCtx& ctx)
{
    FreePictFrames(ctx.pictureFrames);
    ctx.pictureFrames = nullptr;
}

// The picture requested by name is placed: an animation keeps its further frames.
LRESULT picturePlaced(HtmlCtx& ctx, int picture)
{
    if (ctx.pictureFrames && ctx.pictureFrames->frameCount > 0)
        AddPictFrames(&ctx, picture, ctx.pictureFrames, 0);
    freePictureFrames(ctx);
    return 0;
}

void resetForm(HtmlCtx& ctx, int form)
{
    for (int i = 0; i < ctx.fieldCount && i < kFieldCount; ++i)
        if (ctx.fields[i].form == form && ctx.fields[i].type != kFieldReset)
            ResetFieldControl(&ctx, &ctx.fields[i]);
}

LRESULT windowGoing(HtmlCtx& ctx, HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    FreeFieldTable(ctx);
    FreeTagData(ctx);
    freePictureFrames(ctx);
    if (ctx.rootFrame.childCount > 0)
        if (HtmlCtx* top = GetTopHtmlCtx(hWnd))
            top->activeFrameWindow = ctx.topWindow;
    // A frameset's list may have made children that no frame filled.
    if (ctx.rootFrame.children)
        DestroyFrames(ctx);
    SendMessage(ctx.hostWindow, kVekDestroy, wParam, lParam);
    removeWindow(hWnd);
    return 0;
}

// A GIF or TIFF picture of the document, as a packed DIB, with an animation's frames kept.
LRESULT pictureNeeded(HtmlCtx& ctx, const char* name)
{
    if (!name)
        return 0;
    std::string upper = name;
    StrUpper(upper.data());
    freePictureFrames(ctx);
    void* block = MemAlloc(sizeof(GifFrameTable));
    if (!block)
        return 0;
    ctx.pictureFrames = new (block) GifFrameTable{};
    win::HGLOBAL dib = nullptr;
    // The file system keeps letter case: the name is read as given.
    if (upper.find(".GIF") != std::string::npos)
        GifRead(&ctx, false, name, nullptr, 0, &dib, ctx.pictureFrames);
    else if (upper.find(".TIF") != std::string::npos)
        TifRead(&ctx, false, name, nullptr, 0, &dib);
    return reinterpret_cast<LRESULT>(dib);
}

LRESULT fieldCommand(HtmlCtx& ctx, WPARAM wParam)
{
    int index = FindFieldByControl(ctx, static_cast<int>(wParam & 0xFFFF));
    if (index < 0)
        return 0;
    ctx.currentField = index;
    FieldRecord& field = ctx.fields[index];
    int code = static_cast<int>((wParam >> 16) & 0xFFFF);
    switch (field.type) {
    case kFieldText:
        if (code == static_cast<int>(kFieldEnterCode) && CountFormFields(ctx, field.form) == 1)
            SubmitForm(&ctx, field.form);
        break;
    case kFieldRadio:
        CheckRadioField(ctx, index);
        break;
    case kFieldSubmit:
        SubmitForm(&ctx, field.form);
        break;
    case kFieldReset:
        resetForm(ctx, field.form);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT focusChange(HtmlCtx& ctx, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam == 12) {
        if (HtmlCtx* top = GetTopHtmlCtx(hWnd))
            top->activeFrameWindow = hWnd;
    } else if (wParam == 13) {
        HWND other = reinterpret_cast<HWND>(lParam);
        HtmlCtx* otherCtx = other ? GetHtmlCtx(other) : nullptr;
        EditorInfo info;
        if (otherCtx && otherCtx->topWindow == ctx.topWindow && ctx.topWindow != hWnd && readInfo(hWnd, info) &&
            info.selectionKind != 0)
            EditorRepaint(hWnd, 1);
    }
    SendHtmlNotify(&ctx, message, wParam, lParam, false);
    return 0;
}

LRESULT resized(HtmlCtx& ctx, HWND hWnd)
{
    EditorInfo info;
    if (!readInfo(hWnd, info))
        return 0;
    ctx.rootFrame.left = info.windowLeft;
    ctx.rootFrame.top = info.windowTop;
    ctx.rootFrame.width = info.windowRight - info.windowLeft;
    ctx.rootFrame.height = info.windowBottom - info.windowTop;
    if (ctx.rootFrame.childCount > 0) {
        LayoutFrames(&ctx, &ctx.rootFrame);
        MoveFrames(&ctx, &ctx.rootFrame);
    }
    return 0;
}

}

LRESULT vekCallback(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HtmlCtx* ctx = GetHtmlCtx(hWnd);
    if (!ctx)
        return PrintError(nullptr, "Html Not initialized!", kErrNotInitialized);
    bool readOnly = EditorGetReadOnly(hWnd) != 0;
    switch (message) {
    case kVekLinkClick:
        return LinkClicked(*ctx, hWnd, reinterpret_cast<LinkClickRecord*>(lParam), readOnly);
    case kVekDestroy:
        return windowGoing(*ctx, hWnd, wParam, lParam);
    case kVekPictureNeeded:
        return pictureNeeded(*ctx, reinterpret_cast<const char*>(lParam));
    case kVekPictureMade:
        return picturePlaced(*ctx, static_cast<int>(lParam));
    case WM_COMMAND:
        return fieldCommand(*ctx, wParam);
    case kVekFocus:
        return focusChange(*ctx, hWnd, message, wParam, lParam);
    case kVekResized:
        return resized(*ctx, hWnd);
    case kCtlColorBtn:
        return kLightGreyBrush;
    case kCtlColorEdit: case kCtlColorListBox: case kCtlColorDlg: case kCtlColorScrollBar: case kCtlColorStatic:
        return 0;
    default:
        SendHtmlNotify(ctx, message, wParam, lParam, false);
        return 0;
    }
}

}
