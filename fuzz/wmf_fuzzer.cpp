// What passes the metafile reader's header check goes on as the add-on hands it on:
// into an editor window, placed, saved with the document and read back.
#include "fuzz/fuzz_support.h"
#include "platform/editor/vek32.h"
#include "platform/pictures/wmf_reader.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks;
    if (size > fuzz::kMaxInput)
        return 0;
    pictures::Metafile wmf = pictures::readWmf({data, size});
    if (wmf.records.empty())
        return 0;
    win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, wmf.records.size() + 1);
    std::memcpy(win::GlobalLock(block), wmf.records.data(), wmf.records.size());
    win::GlobalUnlock(block);
    const std::string& file = fuzz::processFile();
    HWND editor = EditorCreateWindow(nullptr, "fuzz", 0x54002041, 0, 0, 640, 480);
    const int kMetafile = 3;
    const int id = EditorInsertPictureHandle(editor, kMetafile, block, 0, 0, 0);
    win::GlobalFree(block);
    if (id > 0 && EditorPlacePicture(editor, id, 0) && EditorSaveRtfEnd(editor, file.c_str())
        && EditorOpenRtf(editor, file.c_str()) != 1)
        __builtin_trap();   // our own output read back as damaged
    EditorDestroyWindow(editor);
    return 0;
}
