#pragma once
// The add-on error report: a box captioned "Error", the code kept in the
// window's context, and 0 for the caller to return.
#include "addon/base/html_ctx.h"

namespace ks::addon {

enum AddonError : int {
    kErrMemory = 1,
    kErrNotInitialized = 2,
    kErrFile = 5,
    kErrPictureMissing = 6,
    kErrGifMemory = 7,
    kErrLzwMemory = 8,
    kErrMetafile = 9,
    kErrPictureFormat = 10,
    kErrEditorVersion = 11,
    kErrPictureRefused = 12,
    kErrForms = 13,
    kErrJpegDecoding = 14,
};

int PrintError(HtmlCtx* ctx, const char* message, int code);

}
