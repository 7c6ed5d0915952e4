#pragma once
// Movable memory blocks, the way the C-style libraries pass pictures and texts:
// a handle that is locked to reach the bytes. Handles are checked, so a stale or
// foreign handle fails instead of touching memory.
#include <cstddef>

using HGLOBAL = void*;

constexpr unsigned GMEM_MOVEABLE = 0x0002;
constexpr unsigned GMEM_ZEROINIT = 0x0040;
constexpr unsigned GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of bytes (zeroed when GMEM_ZEROINIT); null when bytes is out of reach.
HGLOBAL GlobalAlloc(unsigned flags, std::size_t bytes);
void* GlobalLock(HGLOBAL block);
bool GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t bytes, unsigned flags);
// Null on success, the block itself when it is unknown.
HGLOBAL GlobalFree(HGLOBAL block);
