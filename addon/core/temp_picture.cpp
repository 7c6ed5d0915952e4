#include "addon/core/temp_picture.h"

#include "platform/editor/vek32.h"

#include <cstring>
#include <string>

namespace ks::addon {
namespace {

constexpr std::uint32_t kFlagMetafilePictures = 0x200;
constexpr std::size_t kBaseCharacters = 4;

// The base name's folder and the first characters of its file part, then "_".
std::string tempStem(const char* baseName)
{
    if (!baseName || !*baseName)
        return "PLX_";
    std::string base = baseName;
    std::size_t part = base.find_last_of("\\:/");
    part = part == std::string::npos ? 0 : part + 1;
    std::string file = base.substr(part);
    file = file.substr(0, std::min(file.find('.'), kBaseCharacters));
    return base.substr(0, part) + file + "_";
}

}

int MakeTempPictName(HtmlCtx& ctx, int picture, const char* baseName)
{
    HWND hWnd = ctx.editorWindow;
    char name[kPictureNameSize]{};
    if (!EditorPictureFileName(hWnd, picture, 1, name))
        return 0;
    if (name[0])
        return 1;
    ++ctx.tempPictureCount;
    std::string file = tempStem(baseName) + std::to_string(ctx.tempPictureCount);
    bool metafile = (ctx.flags & kFlagMetafilePictures) != 0;
    file += metafile ? ".WMF" : ".PNG";
    if (file.size() >= kPictureNameSize)
        return 0;
    int saved = metafile ? EditorSavePictureWmf(hWnd, picture, file.c_str())
                         : EditorSavePicturePng(hWnd, picture, 1, file.c_str(), 0, 0);
    // A picture whose file could not be written keeps no name that points nowhere.
    if (!saved)
        return 0;
    std::memcpy(name, file.c_str(), file.size() + 1);
    return EditorPictureFileName(hWnd, picture, 0, name);
}

}
