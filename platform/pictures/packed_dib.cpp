#include "platform/pictures/packed_dib.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace ks::pictures {

namespace {
void put16(std::uint8_t* at, std::uint32_t v) { at[0] = std::uint8_t(v); at[1] = std::uint8_t(v >> 8); }
void put32(std::uint8_t* at, std::uint32_t v) { put16(at, v); put16(at + 2, v >> 16); }
std::uint32_t get32(const std::uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | std::uint32_t(at[3]) << 24;
}

// A photograph's pixels span thousands of pages, each faulted in on its first write:
// large pages where the system offers them take a fraction of those faults. Only advice.
void preferLargePages([[maybe_unused]] std::uint8_t* bytes, [[maybe_unused]] std::uint64_t size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLarge = std::uintptr_t(2) << 20;
    if (size < 2 * kLarge)
        return;
    std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(bytes) + kLarge - 1) & ~(kLarge - 1);
    std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(bytes) + size) & ~(kLarge - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}
}

PackedDib PackedDib::create(std::uint64_t width, std::uint64_t height, unsigned bitsPerPixel,
                            std::uint32_t colorsUsed, Pixels pixels, std::uint64_t maxBytes)
{
    PackedDib dib;
    if (width == 0 || height == 0 || width > kMaxDibSide || height > kMaxDibSide || colorsUsed > 256)
        return dib;
    std::uint64_t stride = dibStride(width, bitsPerPixel);
    std::uint64_t imageSize = stride * height;
    std::uint64_t total = kDibHeaderSize + 4ull * colorsUsed + imageSize;
    if (total > std::min(maxBytes, kMaxDibBytes))
        return dib;
    // One spare byte beyond the bitmap, as every block of the add-on has.
    bool zero = pixels == Pixels::Zero;
    std::size_t size = std::size_t(total) + 1;
    dib.base_ = static_cast<std::uint8_t*>(zero ? std::calloc(1, size) : std::malloc(size));
    if (!dib.base_)
        return dib;
    dib.size_ = size;
    std::uint8_t* h = dib.base_;
    preferLargePages(h, total);
    if (!zero) {
        std::memset(h, 0, kDibHeaderSize + 4 * colorsUsed);
        h[total] = 0;
    }
    put32(h, kDibHeaderSize);
    put32(h + 4, std::uint32_t(width));
    put32(h + 8, std::uint32_t(height));
    put16(h + 12, 1);
    put16(h + 14, bitsPerPixel);
    put32(h + 20, std::uint32_t(imageSize));
    put32(h + 32, colorsUsed);
    dib.pixels_ = h + kDibHeaderSize + 4 * colorsUsed;
    dib.info_ = {std::int32_t(width), std::int32_t(height), std::uint16_t(bitsPerPixel), colorsUsed,
                 std::uint32_t(stride)};
    return dib;
}

PackedDib& PackedDib::operator=(PackedDib&& other) noexcept
{
    std::swap(base_, other.base_);
    std::swap(size_, other.size_);
    std::swap(pixels_, other.pixels_);
    std::swap(info_, other.info_);
    return *this;
}

PackedDib::~PackedDib() { std::free(base_); }

void PackedDib::setPaletteEntry(std::uint32_t index, Colour color)
{
    if (index >= info_.colorsUsed)
        return;
    std::uint8_t* entry = palette() + 4 * index;
    entry[0] = std::uint8_t(color >> 16);
    entry[1] = std::uint8_t(color >> 8);
    entry[2] = std::uint8_t(color);
    entry[3] = 0;
}

std::uint8_t* PackedDib::release()
{
    pixels_ = nullptr;
    size_ = 0;
    return std::exchange(base_, nullptr);
}

bool readDibInfo(std::span<const std::uint8_t> dib, DibInfo& info)
{
    const std::uint8_t* h = dib.data();
    bool ok = dib.size() >= kDibHeaderSize && get32(h) == kDibHeaderSize;
    if (ok) {
        info.width = std::int32_t(get32(h + 4));
        info.height = std::int32_t(get32(h + 8));
        info.bitsPerPixel = std::uint16_t(h[14] | h[15] << 8);
        info.colorsUsed = get32(h + 32);
        info.stride = std::uint32_t(dibStride(std::uint32_t(info.width), info.bitsPerPixel));
    }
    return ok;
}

}
