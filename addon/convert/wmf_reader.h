#pragma once
// ReadWmfFile: placeable metafiles, their standard metafile handed to the editor
// as a picture in a movable block.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <functional>

namespace ks::addon {

inline constexpr int kPictureFormatMetafile = 3;

// Inserts a picture block into the editor window; the picture id or 0.
using InsertPictureHandle = std::function<int(void* editorWindow, int format, win::HGLOBAL block,
                                              int alignment)>;

// The editor's picture id, or 0. The block is freed after the insertion.
int ReadWmfFile(HtmlCtx* ctx, const char* fileName, int alignment, const InsertPictureHandle& insert);

}
