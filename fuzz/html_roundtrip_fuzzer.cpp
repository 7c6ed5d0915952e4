// A random or mutated page read by PlxRead, written back to memory by PlxWrite, and that
// page read again into a second window: what the writer makes of any document the reader
// can build must be safe to write and to read, and a page the writer made is one it
// writes again byte for byte once read. Its seeds are the pages of fuzz/corpus/html.
#include "addon/core/plx32.h"
#include "fuzz/fuzz_support.h"
#include "platform/editor/vek32.h"
#include "platform/win/window_handle.h"

#include <cstdio>
#include <string>

namespace {

using namespace ks;

HWND newWindow()
{
    HWND hWnd = EditorCreateWindow(nullptr, "fuzz", 0x54002041, 0, 0, 640, 480);
    return PlxInitialize(hWnd, nullptr) ? hWnd : (EditorDestroyWindow(hWnd), nullptr);
}

// The page written of the window's document (or of its selection); empty when the write fails.
std::string written(HWND hWnd, int selection)
{
    HGLOBAL block = nullptr;
    std::int32_t length = 0;
    if (PlxWrite(hWnd, 1, nullptr, &block, &length, selection) != 1)
        return {};
    std::string page(static_cast<const char*>(win::GlobalLock(block)), std::size_t(length));
    win::GlobalUnlock(block);
    win::GlobalFree(block);
    return page;
}

int read(HWND hWnd, const void* data, std::size_t size)
{
    win::HGLOBAL page = fuzz::blockOf(static_cast<const std::uint8_t*>(data), size);
    int done = PlxRead(hWnd, 1, nullptr, page, std::int32_t(size), nullptr);
    win::GlobalFree(page);
    return done;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::kMaxInput)
        return 0;
    HWND first = newWindow(), second = newWindow();
    int selection = size % 5 == 0;
    if (first && second && read(first, data, size)) {
        std::string page = written(first, selection);
        if (!page.empty() && read(second, page.data(), page.size()) && !selection) {
            std::string again = written(second, 0);
            if (again != page) {
                std::fprintf(stderr, "written:\n%s\nread and written again:\n%s\n", page.c_str(), again.c_str());
                __builtin_trap();
            }
        }
    }
    for (HWND w : {first, second})
        if (w)
            EditorDestroyWindow(w);
    DispatchPostedMessages();
    return 0;
}
