#include "platform/win/global_memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>
#include <unordered_set>

namespace ks::win {

struct GlobalBlock {
    unsigned locks = 0;
    std::size_t size = 0;
    unsigned char* bytes = nullptr;
};

namespace {

std::atomic<std::size_t> blockLimit{kDefaultGlobalBlockLimit};

// Every live block by the address of its bytes, so an address leads back to
// its handle without reading around it, and the set of live handles.
std::mutex registryLock;
std::unordered_map<const void*, GlobalBlock*>& registry()
{
    static std::unordered_map<const void*, GlobalBlock*> blocks;
    return blocks;
}

std::unordered_set<const GlobalBlock*>& handles()
{
    static std::unordered_set<const GlobalBlock*> live;
    return live;
}

// Checked without touching the block, so a stale handle is refused safely.
bool live(HGLOBAL block)
{
    std::lock_guard lock(registryLock);
    return handles().count(block) > 0;
}

unsigned char* allocateBytes(std::size_t size, bool zero)
{
    if (size > blockLimit.load())
        return nullptr;
    // Never zero bytes, so every block has an address of its own.
    std::size_t asked = size ? size : 1;
    return static_cast<unsigned char*>(zero ? std::calloc(1, asked) : std::malloc(asked));
}

void enter(GlobalBlock* block)
{
    std::lock_guard lock(registryLock);
    registry()[block->bytes] = block;
    handles().insert(block);
}

void leave(GlobalBlock* block)
{
    std::lock_guard lock(registryLock);
    registry().erase(block->bytes);
    handles().erase(block);
}

}

HGLOBAL GlobalAlloc(unsigned flags, std::size_t size)
{
    auto* block = new (std::nothrow) GlobalBlock;
    if (!block)
        return nullptr;
    block->bytes = allocateBytes(size, flags & GMEM_ZEROINIT);
    if (!block->bytes) {
        delete block;
        return nullptr;
    }
    block->size = size;
    enter(block);
    return block;
}

HGLOBAL GlobalAdopt(void* bytes, std::size_t size)
{
    auto* block = bytes ? new (std::nothrow) GlobalBlock : nullptr;
    if (!block)
        return nullptr;
    block->bytes = static_cast<unsigned char*>(bytes);
    block->size = size;
    enter(block);
    return block;
}

void* GlobalLock(HGLOBAL block)
{
    if (!live(block))
        return nullptr;
    ++block->locks;
    return block->bytes;
}

bool GlobalUnlock(HGLOBAL block)
{
    if (!live(block) || block->locks == 0)
        return false;
    return --block->locks > 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t size, unsigned flags)
{
    if (!live(block))
        return nullptr;
    if (size <= block->size) {
        block->size = size;
        return block;
    }
    if (block->locks > 0)
        return nullptr;   // its bytes are pinned and cannot grow in place
    if (size > blockLimit.load())
        return nullptr;
    // realloc may grow in place or move the pages without copying them.
    leave(block);
    auto* grown = static_cast<unsigned char*>(std::realloc(block->bytes, size));
    if (!grown) {
        enter(block);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT)
        std::memset(grown + block->size, 0, size - block->size);
    block->bytes = grown;
    block->size = size;
    enter(block);
    return block;
}

HGLOBAL GlobalFree(HGLOBAL block)
{
    if (!live(block))
        return block;
    leave(block);
    std::free(block->bytes);
    delete block;
    return nullptr;
}

std::size_t GlobalSize(HGLOBAL block) { return live(block) ? block->size : 0; }

HGLOBAL GlobalHandle(const void* address)
{
    std::lock_guard lock(registryLock);
    auto found = registry().find(address);
    return found == registry().end() ? nullptr : found->second;
}

unsigned GlobalLockCount(HGLOBAL block) { return live(block) ? block->locks : 0; }

void setGlobalBlockLimit(std::size_t bytes) { blockLimit = bytes; }
std::size_t globalBlockLimit() { return blockLimit; }

}
