#pragma once
// Movable memory blocks: the type in which the C-style libraries hand pictures
// and texts to their callers. A handle names a block whose bytes may move while
// it is unlocked; locking pins them and gives their address. Free of Qt.
#include <cstddef>
#include <cstdint>

namespace ks::win {

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

inline constexpr unsigned GMEM_FIXED = 0x0000;
inline constexpr unsigned GMEM_MOVEABLE = 0x0002;
inline constexpr unsigned GMEM_ZEROINIT = 0x0040;
inline constexpr unsigned GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null when the size is refused (above the limit) or memory runs out.
HGLOBAL GlobalAlloc(unsigned flags, std::size_t size);
// A block made of size bytes from std::malloc, which it takes over (no copy);
// null when the handle cannot be made, the bytes then still the caller's.
HGLOBAL GlobalAdopt(void* bytes, std::size_t size);
// The block's address, pinned until the matching unlock; null for a bad handle.
void* GlobalLock(HGLOBAL block);
// True while the block stays locked by an earlier lock.
bool GlobalUnlock(HGLOBAL block);
// Resizes an unlocked block (its bytes may move) or a locked one in place only;
// null on failure, the block then unchanged. GMEM_ZEROINIT clears any growth.
HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t size, unsigned flags);
// Null on success, the handle itself when it names no live block.
HGLOBAL GlobalFree(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// The handle of the block whose bytes start at address (as a lock returned).
HGLOBAL GlobalHandle(const void* address);
unsigned GlobalLockCount(HGLOBAL block);

// Largest size one block may have; requests above it fail like an exhausted
// heap. Tests lower it to provoke allocation failures.
inline constexpr std::size_t kDefaultGlobalBlockLimit = std::size_t(1) << 31;
void setGlobalBlockLimit(std::size_t bytes);
std::size_t globalBlockLimit();

}

// The C-style libraries' API names these without a namespace.
using ks::win::GHND;
using ks::win::GMEM_FIXED;
using ks::win::GMEM_MOVEABLE;
using ks::win::GMEM_ZEROINIT;
using ks::win::GlobalAlloc;
using ks::win::GlobalFree;
using ks::win::GlobalHandle;
using ks::win::GlobalLock;
using ks::win::GlobalReAlloc;
using ks::win::GlobalSize;
using ks::win::GlobalUnlock;
using ks::win::HGLOBAL;
