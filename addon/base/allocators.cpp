#include "addon/base/allocators.h"

#include "addon/base/message_sink.h"
#include "platform/win/global_memory.h"

#include <cstdlib>
#include <cstring>

namespace ks::addon {

using namespace ks::win;

namespace {
constexpr std::size_t kLargest = std::size_t(1) << 31;   // far beyond any picture or text

void* outOfMemory(const char* allocator)
{
    showMessage(nullptr, "Ran out of Memory!", allocator);
    return nullptr;
}
}

void* OurAlloc(std::size_t size)
{
    HGLOBAL block = size < kLargest ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1) : nullptr;
    void* address = GlobalLock(block);
    if (!address) {
        GlobalFree(block);
        return outOfMemory("OurAlloc");
    }
    return address;
}

void* OurRealloc(void* pointer, std::size_t size)
{
    if (!pointer)
        return OurAlloc(size);
    HGLOBAL block = GlobalHandle(pointer);
    GlobalUnlock(block);
    HGLOBAL resized = size < kLargest ? GlobalReAlloc(block, size + 1, GMEM_MOVEABLE) : nullptr;
    void* address = GlobalLock(resized);
    return address ? address : outOfMemory("OurRealloc");
}

void OurFree(void* pointer)
{
    if (HGLOBAL block = GlobalHandle(pointer)) {
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

void* MemAlloc(std::size_t size)
{
    void* pointer = size < kLargest ? std::malloc(size + 1) : nullptr;
    return pointer ? pointer : outOfMemory("MemAlloc");
}

void* MeReAlloc(void* pointer, std::size_t size)
{
    void* resized = size < kLargest ? std::realloc(pointer, size + 1) : nullptr;
    return resized ? resized : outOfMemory("MeReAlloc");
}

namespace {

template <class Allocate>
char* copyText(const char* text, Allocate allocate)
{
    std::size_t length = text ? std::strlen(text) : 0;
    auto* copy = static_cast<char*>(allocate(length));
    if (copy)
        std::memcpy(copy, text ? text : "", length + 1);
    return copy;
}

}

char* OurCopyText(const char* text) { return copyText(text, OurAlloc); }
char* MemCopyText(const char* text) { return copyText(text, MemAlloc); }

int MemFree(void* pointer)
{
    std::free(pointer);
    return 1;
}

}
