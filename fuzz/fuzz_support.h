#pragma once
// Shared set-up of the fuzzers: inputs in a memory block, smaller block and picture
// limits so large declared sizes stay cheap, silent message boxes, and a file of the
// process's own for readers that take a file name.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>

namespace ks::fuzz {

inline constexpr std::size_t kMaxInput = 1 << 20;
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t(48) << 20;

// "<temp>/ks_fuzz.<pid>", removed when the process ends: parallel fuzzing jobs never share it.
inline const std::string& processFile()
{
    static const std::string file =
        (std::filesystem::temp_directory_path() / "ks_fuzz.").string() + std::to_string(::getpid());
    // Registered after the name exists, so it runs before the name is destroyed.
    static const bool removedAtExit = std::atexit([] { std::filesystem::remove(processFile()); }) == 0;
    (void)removedAtExit;
    return file;
}

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

// Runs one picture decoder of the form read(bytes, maxBytes) on the input.
template <class Decoder>
int decode(Decoder read, const std::uint8_t* data, std::size_t size)
{
    if (size <= kMaxInput)
        read(std::span<const std::uint8_t>(data, size), kMaxPictureBytes);
    return 0;
}

}
