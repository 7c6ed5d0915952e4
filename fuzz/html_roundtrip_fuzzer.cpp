// A random or mutated page read by PlxRead, written back to memory by PlxWrite, and that
// page read again into a second window: what the writer makes of any document the reader
// can build must be safe to write and to read. Its seeds are the pages of fuzz/corpus/html.
#include "addon/core/plx32.h"
#include "fuzz/fuzz_support.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

namespace {

using namespace ks;

HWND newWindow()
{
    HWND hWnd = EditorCreateWindow(nullptr, "fuzz", 0x54002041, 0, 0, 640, 480);
    return PlxInitialize(hWnd, nullptr) ? hWnd : (EditorDestroyWindow(hWnd), nullptr);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::kMaxInput)
        return 0;
    HWND first = newWindow(), second = newWindow();
    if (first && second) {
        win::HGLOBAL page = fuzz::blockOf(data, size);
        HGLOBAL written = nullptr;
        std::int32_t length = 0;
        if (PlxRead(first, 1, nullptr, page, std::int32_t(size), nullptr) &&
            PlxWrite(first, 1, nullptr, &written, &length, size % 5 == 0) == 1) {
            PlxRead(second, 1, nullptr, written, length, nullptr);
            win::GlobalFree(written);
        }
        win::GlobalFree(page);
    }
    for (HWND w : {first, second})
        if (w)
            EditorDestroyWindow(w);
    DispatchPostedMessages();
    return 0;
}
