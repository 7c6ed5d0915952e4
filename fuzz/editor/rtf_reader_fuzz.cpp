// Feeds arbitrary bytes to the RTF reader, then saves and reads the result again:
// neither may crash, and the second read of our own output must not report damage.
// Seeds: fuzz/corpus/rtf (each input follows "{\rtf1 ").
#include "fuzz/fuzz_support.h"
#include "platform/editor/vek32.h"

#include <cstring>
#include <string>

namespace {

int loadBytes(HWND h, const char* data, std::size_t size)
{
    HGLOBAL block = GlobalAlloc(GHND, size + 1);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return EditorLoadBuffer(h, block, 1, 0, 1);
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    static HWND h = EditorCreateWindow(nullptr, "fuzz", 0x54002041, 0, 0, 640, 480);
    std::string input = "{\\rtf1 " + std::string(reinterpret_cast<const char*>(data), size);
    loadBytes(h, input.data(), input.size());
    const std::string& file = ks::fuzz::processFile();
    if (EditorSaveRtfEnd(h, file.c_str()) && EditorOpenRtf(h, file.c_str()) != 1)
        __builtin_trap();
    return 0;
}
