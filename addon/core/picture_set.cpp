// Refilling a picture of the document from another file, and its client-side map.
#include "addon/base/allocators.h"
#include "addon/convert/jpg_reader.h"
#include "addon/convert/tif_reader.h"
#include "addon/core/html_context.h"
#include "addon/core/picture_edit.h"
#include "addon/core/picture_read.h"
#include "addon/core/tag_data.h"
#include "platform/editor/vek32.h"

#include <new>

namespace ks::addon {
namespace {

constexpr int kPackedDib = 8;

// Puts a decoded DIB into the picture; frees the DIB.
int refillWithDib(HWND hWnd, int picture, win::HGLOBAL dib)
{
    if (!dib)
        return 0;
    int id = EditorPreparePictureReplace(hWnd, picture) ? EditorInsertPictureHandle(hWnd, kPackedDib, dib, 0, 0, 0) : 0;
    GlobalFree(dib);
    return id;
}

int refillWithGif(HtmlCtx& ctx, int picture, const char* fileName)
{
    void* block = MemAlloc(sizeof(GifFrameTable));
    if (!block)
        return 0;
    auto* frames = new (block) GifFrameTable{};
    win::HGLOBAL dib = nullptr;
    GifRead(&ctx, false, fileName, nullptr, 0, &dib, frames);
    int id = refillWithDib(ctx.editorWindow, picture, dib);
    if (id && frames->frameCount > 0 && !AddPictFrames(&ctx, id, frames, 0))
        id = 0;
    FreePictFrames(frames);
    return id;
}

int refill(HtmlCtx& ctx, int picture, int type, const char* fileName)
{
    HWND hWnd = ctx.editorWindow;
    win::HGLOBAL dib = nullptr;
    switch (type) {
    case kPictBmp:
    case kPictWmf:
        if (!EditorPreparePictureReplace(hWnd, picture))
            return 0;
        return type == kPictBmp ? EditorInsertBmpFile(hWnd, fileName, 0, 0) : EditorInsertWmfFile(hWnd, fileName, 0, 0);
    case kPictGif: return refillWithGif(ctx, picture, fileName);
    case kPictTif: return refillWithDib(hWnd, picture, TifRead(&ctx, false, fileName, nullptr, 0, &dib));
    case kPictJpg: return refillWithDib(hWnd, picture, JpgRead(&ctx, false, fileName, nullptr, 0, &dib));
    default: return 0;
    }
}

// A size the page gave the picture holds for the new contents too; a percentage width (kept
// negative) takes the old picture's width in pixels, a side the page left open stays natural.
void keepPageSize(HtmlCtx& ctx, int picture, const RECT& old)
{
    const TagData* size = FindTagData(ctx, kTagPictureSize, picture);
    if (!size)
        return;
    auto side = [](int stored, int before) { return stored < 0 ? before : stored > 0 ? stored : -1; };
    int width = side(size->value1, old.right - old.left), height = side(size->value2, old.bottom - old.top);
    if (width > 0 || height > 0)
        EditorSetPictureSize(ctx.editorWindow, picture, width, height);
}

}

int SetPicture(HWND hWnd, int picture, int type, const char* fileName)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx || !fileName)
        return 0;
    unsigned flags = 0;
    RECT old;
    int alignment = 0, aux = 0;
    if (!EditorGetFontData(hWnd, picture, &flags, &old, &alignment, &aux))
        return 0;
    int id = refill(*ctx, picture, type, fileName);
    if (!id)
        return 0;
    keepPageSize(*ctx, id, old);
    EditorSetPictureProps(hWnd, id, flags, alignment, aux);
    EditorRepaintParas(hWnd, 0);
    return 1;
}

int SetPictUseMap(HWND hWnd, int picture, const char* mapName)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return 0;
    int entry = FindTagDataFrom(*ctx, kTagPictureMap, picture, 0);
    if (entry >= 0)
        DeleteTagData(*ctx, entry);
    // An empty name would be written as a map without a name: it only removes the map.
    if (mapName && *mapName)
        AddTagData(*ctx, kTagPictureMap, picture, mapName);
    return 1;
}

}
