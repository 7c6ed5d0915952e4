#pragma once
// The per-window add-on context, as far as the decoders and the error report
// read it. The editing interface adds its fields here.
#include <cstdint>

namespace ks::addon {

using COLORREF = std::uint32_t;   // red in the low byte, then green, blue

struct HtmlCtx {
    void* hostWindow = nullptr;
    void* editorWindow = nullptr;
    void* activeFrameWindow = nullptr;
    std::int32_t lastError = 0;          // written by PrintError
    COLORREF defaultBkColor = 0xC0C0C0;
    COLORREF bkColor = 0xC0C0C0;
    COLORREF docBkColor = 0;             // transparent GIF pixels take it
};

}
