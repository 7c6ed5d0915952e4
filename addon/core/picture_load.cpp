#include "addon/core/picture_load.h"

#include "addon/base/text_utils.h"
#include "addon/convert/gif_reader.h"
#include "addon/convert/jpg_reader.h"
#include "addon/convert/tif_reader.h"
#include "platform/editor/vek32.h"

#include <string>

namespace ks::addon {
namespace {

constexpr int kPackedDib = 8;

bool hasExtension(const std::string& upper, const char* extension)
{
    return upper.find(extension) != std::string::npos;
}

int insertDib(HWND hWnd, win::HGLOBAL dib)
{
    if (!dib)
        return 0;
    int id = EditorInsertPictureHandle(hWnd, kPackedDib, dib, 0, 0, 0);
    GlobalFree(dib);
    return id;
}

}

int LoadPictureFile(HtmlCtx& ctx, HWND hWnd, const char* fileName)
{
    if (!fileName || !*fileName)
        return 0;
    std::string upper = fileName;
    StrUpper(upper.data());
    win::HGLOBAL dib = nullptr;
    if (hasExtension(upper, ".GIF")) {
        GifFrameTable frames;
        GifRead(&ctx, false, fileName, nullptr, 0, &dib, &frames);
        for (int i = 0; i < frames.frameCount && i < kGifMaxFrames; ++i)
            GlobalFree(frames.frames[i]);
        return insertDib(hWnd, dib);
    }
    if (hasExtension(upper, ".TIF"))
        return insertDib(hWnd, TifRead(&ctx, false, fileName, nullptr, 0, &dib) ? dib : nullptr);
    if (hasExtension(upper, ".JPG") || hasExtension(upper, ".JPEG"))
        return insertDib(hWnd, JpgRead(&ctx, false, fileName, nullptr, 0, &dib) ? dib : nullptr);
    if (hasExtension(upper, ".WMF"))
        return EditorInsertWmfFile(hWnd, fileName, 0, 0);
    if (hasExtension(upper, ".PNG"))
        return EditorInsertPngFile(hWnd, fileName, 0, 0);
    return EditorInsertBmpFile(hWnd, fileName, 0, 0);
}

}
