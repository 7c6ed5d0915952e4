// The metafile reader takes a file name: each input is written to the process's file
// first. What passes the reader's header check goes on as the reader hands it on: into
// an editor window, placed, saved with the document and read back.
#include "addon/convert/wmf_reader.h"
#include "fuzz/fuzz_support.h"
#include "platform/editor/vek32.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks;
    if (size > fuzz::kMaxInput)
        return 0;
    const std::string& file = fuzz::processFile();
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    HWND editor = EditorCreateWindow(nullptr, "fuzz", 0x54002041, 0, 0, 640, 480);
    addon::HtmlCtx ctx;
    ctx.editorWindow = editor;
    const int id = addon::ReadWmfFile(&ctx, file.c_str(), 0, [](void* hWnd, int format, win::HGLOBAL block, int align) {
        return EditorInsertPictureHandle(hWnd, format, block, 0, align, 0);
    });
    if (id > 0 && EditorPlacePicture(editor, id, 0) && EditorSaveRtfEnd(editor, file.c_str())
        && EditorOpenRtf(editor, file.c_str()) != 1)
        __builtin_trap();   // our own output read back as damaged
    EditorDestroyWindow(editor);
    return 0;
}
