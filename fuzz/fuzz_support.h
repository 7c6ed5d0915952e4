#pragma once
// Shared set-up of the picture fuzzers: inputs in a memory block, a smaller
// block limit so large declared sizes stay cheap, silent message boxes.
#include "platform/win/global_memory.h"

#include <cstdint>
#include <cstring>

namespace ks::fuzz {

inline constexpr std::size_t kMaxInput = 1 << 20;

inline win::HGLOBAL blockOf(const std::uint8_t* data, std::size_t size)
{
    win::setGlobalBlockLimit(std::size_t(48) << 20);
    win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, size);
    if (void* p = win::GlobalLock(block)) {
        if (size)
            std::memcpy(p, data, size);
        win::GlobalUnlock(block);
    }
    return block;
}

}
