#pragma once
// The decoders' result: a packed device-independent bitmap in one allocation:
// a 40-byte information header, the palette (blue, green, red, 0), then the
// rows bottom-up, each padded to four bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace ks::pictures {

using Colour = std::uint32_t;   // red in the low byte, then green, blue

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

    // Null when the size is out of bounds (maxBytes for the whole) or memory runs out.
    static PackedDib create(std::uint64_t width, std::uint64_t height, unsigned bitsPerPixel,
                            std::uint32_t colorsUsed, Pixels pixels = Pixels::Zero,
                            std::uint64_t maxBytes = kMaxDibBytes);
    PackedDib() = default;
    PackedDib(PackedDib&& other) noexcept { *this = std::move(other); }
    PackedDib& operator=(PackedDib&& other) noexcept;
    ~PackedDib();

    explicit operator bool() const { return base_ != nullptr; }
    const DibInfo& info() const { return info_; }
    std::uint8_t* palette() const { return base_ + kDibHeaderSize; }
    std::uint8_t* pixels() const { return pixels_; }
    // Row y counted from the top of the picture.
    std::uint8_t* row(std::int64_t y) const
    {
        return pixels_ + std::size_t(info_.height - 1 - y) * info_.stride;
    }
    std::size_t pixelBytes() const { return std::size_t(info_.stride) * std::size_t(info_.height); }
    void setPaletteEntry(std::uint32_t index, Colour color);
    // The whole bitmap, header first, and one spare zero byte after it.
    std::span<const std::uint8_t> bytes() const { return {base_, size_}; }

    // Hands the bytes to the caller, who frees them with std::free.
    std::uint8_t* release();

private:
    std::uint8_t* base_ = nullptr;
    std::size_t size_ = 0;
    std::uint8_t* pixels_ = nullptr;
    DibInfo info_;
};

// Reads a DIB's header (for callers and tests); false when it is not one.
bool readDibInfo(std::span<const std::uint8_t> dib, DibInfo& info);

}
