// Paragraph spacing, table width, the caret paragraph's type, and the document's
// background colour, text colour and background picture.
#include "addon/core/html_context.h"
#include "addon/core/para_change.h"
#include "addon/core/para_formatting.h"
#include "addon/core/para_type.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx_module.h"
#include "platform/editor/vek32.h"

#include <cstring>

namespace ks::addon {
namespace {

constexpr int kTiled = 2;

bool caretProps(HWND hWnd, ParaProps& p)
{
    EditorInfo info;
    return readInfo(hWnd, info) && readParaProps(hWnd, info.caretLine, p);
}

template <class T>
void put(T* out, T value)
{
    if (out)
        *out = value;
}

}

int SetParaSpace(HWND hWnd, int on, int repaint)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    ParaProps p;
    if (!ctx || !caretProps(hWnd, p) || p.typeWord != 0)
        return 0;
    if (on)
        return EditorSetParaSpacing(hWnd, ctx->spacing[1], ctx->spacing[0], 0, repaint) ? 1 : 0;
    return EditorSetParaSpacing(hWnd, 0, 0, 0, repaint) ? 1 : 0;
}

int SetTableWidth(HWND hWnd, int width, int flag)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (width > 0)
        width = pixelsToTwips(*ctx, width);
    if (!EditorSetTableWidth(hWnd, -1, width))
        return 0;
    EditorUpdateTables(hWnd);
    EditorSetCaretPos(hWnd, flag);
    EditorSetModified(hWnd, 1);
    return 1;
}

int GetParaAttrib(HWND hWnd, int* header, int* listType, int* listLevel, std::uint32_t* word, int* otherType)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    ParaProps p;
    if (!ctx || !caretProps(hWnd, p))
        return 0;
    auto w = static_cast<std::uint32_t>(p.typeWord);
    put(header, GetParaHeader(ctx, w));
    put(listType, GetParaListType(ctx, w));
    put(listLevel, GetParaListLevel(ctx, w));
    put(word, w);
    put(otherType, GetParaMiscType(ctx, w));
    return 1;
}

void ShowDocBkColor(HtmlCtx& ctx, HWND hWnd)
{
    ctx.bkColor = ctx.docBkColor;
    EditorInfo info;
    if (readInfo(hWnd, info)) {
        info.background = ctx.bkColor;
        EditorSetInfo(hWnd, &info);
    }
    EditorInvalidate(hWnd, 1);
}

int SetNewBkColor(HWND hWnd, COLORREF colour, int set)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    ctx->docBkColor = set ? colour : ctx->defaultBkColor;
    if (ctx->docBkColor != ctx->bkColor)
        ShowDocBkColor(*ctx, hWnd);
    ctx->bkColorSet = ctx->bkColor != ctx->defaultBkColor;
    return 1;
}

int SetNewTextColor(HWND hWnd, COLORREF colour)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (colour != ctx->textColor) {
        EditorSetTextColor(hWnd, colour, 1);
        ctx->textColor = colour;
        ctx->textColorSet = 1;
    }
    return 1;
}

int SetBkPict(HWND hWnd, const char* fileName)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    if (!fileName || !*fileName) {
        EditorSetBkPicture(hWnd, 0, kTiled, 1);
        ctx->bkPictureName[0] = 0;
        return 1;
    }
    // A name the context cannot keep whole is refused, not cut.
    if (std::strlen(fileName) >= static_cast<std::size_t>(kCtxNameSize))
        return 0;
    char name[kPictPathSize];
    std::strncpy(name, fileName, sizeof name - 1);
    name[sizeof name - 1] = 0;
    int picture = LoadPictFile(ctx, name, 0);
    if (!picture)
        return 0;
    EditorSetBkPicture(hWnd, picture, kTiled, 1);
    copyCtxText(ctx->bkPictureName, fileName, kCtxNameSize);
    return 1;
}

}
