#pragma once
// The add-on's two allocator families. Each asks for one byte more than the
// caller's size, so a text filled to that size still has room for its zero.
// Failures show "Ran out of Memory!" captioned with the allocator's name.
#include <cstddef>

namespace ks::addon {

// Movable global memory, kept locked; handed to callers as handles.
void* OurAlloc(std::size_t size);
// On failure the old block stays as it was, unlocked.
void* OurRealloc(void* pointer, std::size_t size);
void OurFree(void* pointer);

// The heap.
void* MemAlloc(std::size_t size);
// On failure the old block stays valid.
void* MeReAlloc(void* pointer, std::size_t size);
int MemFree(void* pointer);

// Copies of a zero-terminated text (null: an empty one) from either family; null on failure.
char* OurCopyText(const char* text);
char* MemCopyText(const char* text);

}
