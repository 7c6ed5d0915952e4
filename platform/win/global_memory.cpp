#include "platform/win/global_memory.h"

#include <cstdint>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

// Blocks are capped so a corrupt size cannot exhaust memory.
constexpr std::size_t kMaxBlock = std::size_t(1) << 31;

struct Block {
    std::vector<unsigned char> bytes;
    int locks = 0;
};

struct Blocks {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Block>> blocks;
    std::uintptr_t next = 0x1000;
};

Blocks& blocks()
{
    static Blocks instance;
    return instance;
}

Block* find(HGLOBAL handle)
{
    auto& all = blocks().blocks;
    auto it = all.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == all.end() ? nullptr : it->second.get();
}

}

HGLOBAL GlobalAlloc(unsigned, std::size_t bytes)
{
    if (bytes > kMaxBlock)
        return nullptr;
    auto block = std::make_unique<Block>();
    try {
        block->bytes.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto& b = blocks();
    HGLOBAL handle = reinterpret_cast<HGLOBAL>(b.next);
    b.next += 8;
    b.blocks[reinterpret_cast<std::uintptr_t>(handle)] = std::move(block);
    return handle;
}

void* GlobalLock(HGLOBAL handle)
{
    Block* block = find(handle);
    if (!block)
        return nullptr;
    ++block->locks;
    // A zero-byte block still locks to a valid address.
    return block->bytes.empty() ? static_cast<void*>(block) : block->bytes.data();
}

bool GlobalUnlock(HGLOBAL handle)
{
    Block* block = find(handle);
    if (!block || block->locks == 0)
        return false;
    return --block->locks > 0;
}

std::size_t GlobalSize(HGLOBAL handle)
{
    Block* block = find(handle);
    return block ? block->bytes.size() : 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL handle, std::size_t bytes, unsigned)
{
    Block* block = find(handle);
    if (!block || bytes > kMaxBlock || block->locks > 0)
        return nullptr;
    try {
        block->bytes.resize(bytes, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return handle;
}

HGLOBAL GlobalFree(HGLOBAL handle)
{
    return blocks().blocks.erase(reinterpret_cast<std::uintptr_t>(handle)) ? nullptr : handle;
}
