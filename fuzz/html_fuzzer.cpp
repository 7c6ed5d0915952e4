// PlxRead from memory on random and mutated pages, into a fresh editor window each time.
// Frame sources and pictures that a page names are looked up from the working folder and
// only ever read; pipes and devices are refused by the reader.
#include "addon/core/plx32.h"
#include "fuzz/fuzz_support.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ks;
    if (size > fuzz::kMaxInput)
        return 0;
    HWND hWnd = EditorCreateWindow(nullptr, "fuzz", 0x54002041, 0, 0, 640, 480);
    if (PlxInitialize(hWnd, nullptr)) {
        win::HGLOBAL block = fuzz::blockOf(data, size);
        // An odd length reads to the block's end or its first zero, as a host without a length does.
        std::int32_t length = size % 2 ? -1 : std::int32_t(size);
        PlxRead(hWnd, 1, nullptr, block, length, size % 3 ? nullptr : "top");
        win::GlobalFree(block);
    }
    EditorDestroyWindow(hWnd);
    DispatchPostedMessages();
    return 0;
}
