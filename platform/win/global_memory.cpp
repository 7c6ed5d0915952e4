#include "platform/win/global_memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace ks::win {

// The bytes are preceded by a pointer back to their block, so that an address
// returned by a lock leads back to its handle.
struct GlobalBlock {
    static constexpr std::uint32_t kLive = 0x474d454d;
    std::uint32_t magic = kLive;
    unsigned locks = 0;
    std::size_t size = 0;
    unsigned char* storage = nullptr;   // back pointer, then the bytes
};

namespace {

constexpr std::size_t kHeader = alignof(std::max_align_t);
std::atomic<std::size_t> blockLimit{kDefaultGlobalBlockLimit};

bool live(HGLOBAL block) { return block && block->magic == GlobalBlock::kLive; }

unsigned char* bytesOf(HGLOBAL block) { return block->storage + kHeader; }

unsigned char* allocateStorage(GlobalBlock* owner, std::size_t size, bool zero)
{
    if (size > blockLimit.load() || size > SIZE_MAX - kHeader)
        return nullptr;
    auto* storage = static_cast<unsigned char*>(zero ? std::calloc(1, kHeader + size)
                                                     : std::malloc(kHeader + size));
    if (storage)
        std::memcpy(storage, &owner, sizeof owner);
    return storage;
}

}

HGLOBAL GlobalAlloc(unsigned flags, std::size_t size)
{
    auto* block = new (std::nothrow) GlobalBlock;
    if (!block)
        return nullptr;
    block->storage = allocateStorage(block, size, flags & GMEM_ZEROINIT);
    if (!block->storage) {
        delete block;
        return nullptr;
    }
    block->size = size;
    return block;
}

void* GlobalLock(HGLOBAL block)
{
    if (!live(block))
        return nullptr;
    ++block->locks;
    return bytesOf(block);
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
    unsigned char* grown = allocateStorage(block, size, false);
    if (!grown)
        return nullptr;
    std::memcpy(grown + kHeader, bytesOf(block), block->size);
    if (flags & GMEM_ZEROINIT)
        std::memset(grown + kHeader + block->size, 0, size - block->size);
    std::free(block->storage);
    block->storage = grown;
    block->size = size;
    return block;
}

HGLOBAL GlobalFree(HGLOBAL block)
{
    if (!live(block))
        return block;
    block->magic = 0;
    std::free(block->storage);
    delete block;
    return nullptr;
}

std::size_t GlobalSize(HGLOBAL block) { return live(block) ? block->size : 0; }

HGLOBAL GlobalHandle(const void* address)
{
    if (!address)
        return nullptr;
    GlobalBlock* owner;
    std::memcpy(&owner, static_cast<const unsigned char*>(address) - kHeader, sizeof owner);
    return live(owner) && bytesOf(owner) == address ? owner : nullptr;
}

unsigned GlobalLockCount(HGLOBAL block) { return live(block) ? block->locks : 0; }

void setGlobalBlockLimit(std::size_t bytes) { blockLimit = bytes; }
std::size_t globalBlockLimit() { return blockLimit; }

}
