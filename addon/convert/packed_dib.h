#pragma once
// The decoders' result: a packed device-independent bitmap in one movable
// block: a 40-byte information header, the palette (blue, green, red, 0),
// then the rows bottom-up, each padded to four bytes.
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace ks::addon {

// Pictures beyond these are refused before anything is allocated.
inline constexpr std::uint32_t kMaxDibSide = 32768;
inline constexpr std::uint64_t kMaxDibBytes = std::uint64_t(256) << 20;
inline constexpr std::size_t kDibHeaderSize = 40;

struct DibInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t stride = 0;
};

inline std::uint64_t dibStride(std::uint64_t width, unsigned bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// An allocated, locked DIB whose palette and pixels the decoder fills.
class PackedDib {
public:
    // Pixels start zero, or unset for a decoder that writes every byte of
    // every row itself (and so spares a pass over the whole picture).
    enum class Pixels { Zero, Unset };

    // Null when the size is out of bounds or memory runs out.
    static PackedDib create(std::uint64_t width, std::uint64_t height, unsigned bitsPerPixel,
                            std::uint32_t colorsUsed, Pixels pixels = Pixels::Zero);
    PackedDib() = default;
    PackedDib(PackedDib&& other) noexcept { *this = std::move(other); }
    PackedDib& operator=(PackedDib&& other) noexcept;
    ~PackedDib();

    explicit operator bool() const { return handle_ != nullptr; }
    const DibInfo& info() const { return info_; }
    std::uint8_t* palette() const { return base_ + kDibHeaderSize; }
    std::uint8_t* pixels() const { return pixels_; }
    // Row y counted from the top of the picture.
    std::uint8_t* row(std::int64_t y) const
    {
        return pixels_ + std::size_t(info_.height - 1 - y) * info_.stride;
    }
    std::size_t pixelBytes() const { return std::size_t(info_.stride) * std::size_t(info_.height); }
    void setPaletteEntry(std::uint32_t index, COLORREF color);

    // Hands the block to the caller, unlocked.
    win::HGLOBAL release();

private:
    win::HGLOBAL handle_ = nullptr;
    std::uint8_t* base_ = nullptr;
    std::uint8_t* pixels_ = nullptr;
    DibInfo info_;
};

// Reads a DIB block's header (for callers and tests); false when it is not one.
bool readDibInfo(win::HGLOBAL dib, DibInfo& info);

}
