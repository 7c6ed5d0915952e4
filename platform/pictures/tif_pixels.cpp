#include "platform/pictures/tif_pixels.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace ks::pictures {

namespace {

#if defined(__x86_64__)
// Five pixels at a time; returns the pixels done. Loads and stores stay
// within the row's 3 * width bytes.
__attribute__((target("ssse3"))) std::uint32_t swapSsse3(const std::uint8_t* in, std::uint8_t* out,
                                                        std::uint32_t width)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    std::uint32_t x = 0;
    for (; x + 6 <= width; x += 5) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), _mm_shuffle_epi8(v, order));
    }
    return x;
}

// Where each byte of 21 pixels comes from: blue, green, red from red, green, blue.
alignas(64) constexpr std::array<std::uint8_t, 64> kOrder21 = [] {
    std::array<std::uint8_t, 64> order{};
    for (int i = 0; i < 63; ++i)
        order[std::size_t(i)] = std::uint8_t(i - i % 3 + 2 - i % 3);
    order[63] = 63;
    return order;
}();

// The same with 21 pixels in each 64-byte block, where the processor can
// move any byte of a block anywhere in it.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) std::uint32_t swapAvx512(const std::uint8_t* in,
                                                                            std::uint8_t* out,
                                                                            std::uint32_t width)
{
    const __m512i permutation = _mm512_load_si512(kOrder21.data());
    std::uint32_t x = 0;
    for (; x + 22 <= width; x += 21) {
        __m512i v = _mm512_loadu_si512(in + 3 * x);
        _mm512_storeu_si512(out + 3 * x, _mm512_maskz_permutexvar_epi8(~__mmask64(0), permutation, v));
    }
    return x;
}

const bool kHasSsse3 = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
const bool kHasAvx512 = __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
#endif

std::uint32_t swapRedBlue(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width)
{
#if defined(__x86_64__)
    if (kHasAvx512)
        return swapAvx512(in, out, width);
    if (kHasSsse3)
        return swapSsse3(in, out, width);
#endif
    return 0;
}

}

TifPixelWriter::TifPixelWriter(PackedDib& dib, unsigned samplesPerPixel)
    : dib_(dib), width_(std::uint32_t(dib.info().width)), height_(std::uint32_t(dib.info().height)),
      bits_(dib.info().bitsPerPixel), samples_(samplesPerPixel < 3 ? 3 : samplesPerPixel),
      rowBytes_(bits_ == 24 ? std::size_t(width_) * samples_ : (std::size_t(width_) * bits_ + 7) / 8),
      dibRowBytes_(bits_ == 24 ? std::size_t(width_) * 3 : rowBytes_)
{
    // Rows of 1 to 8 bits are laid out in the DIB as in the data, and so are
    // RGB rows of three samples until their red and blue change places.
    if (bits_ == 24) {
        pending_.resize(rowBytes_);
        swapped_.resize(dibRowBytes_);
    }
}

void TifPixelWriter::writeRgbRow(const std::uint8_t* source, std::uint8_t* picture)
{
    // Pixels change order in a row held in the cache, and the row goes to the picture in
    // one copy: the picture is far larger than the cache, and the copy writes it fastest.
    std::uint8_t* out = swapped_.data();
    std::uint32_t x = samples_ == 3 ? swapRedBlue(source, out, width_) : 0;
    source += std::size_t(x) * samples_;
    out += std::size_t(x) * 3;
    for (; x < width_; ++x, source += samples_, out += 3) {
        out[0] = source[2];
        out[1] = source[1];
        out[2] = source[0];
    }
    std::memcpy(picture, swapped_.data(), dibRowBytes_);
}

void TifPixelWriter::clearPadding(std::uint8_t* row) const
{
    std::memset(row + dibRowBytes_, 0, dib_.info().stride - dibRowBytes_);
}

void TifPixelWriter::finishRow()
{
    std::uint8_t* out = dib_.row(row_++);
    clearPadding(out);
    if (bits_ == 24) {
        writeRgbRow(pending_.data(), out);
        return;
    }
    // Bits beyond the last pixel of the row stay clear.
    unsigned used = unsigned(std::size_t(width_) * bits_ % 8);
    if (used)
        out[rowBytes_ - 1] &= std::uint8_t(0xFF << (8 - used));
}

std::uint8_t* TifPixelWriter::rowSpace(std::size_t& room)
{
    room = done() ? 0 : rowBytes_ - fill_;
    if (room == 0)
        return nullptr;
    return (bits_ == 24 ? pending_.data() : dib_.row(row_)) + fill_;
}

void TifPixelWriter::advance(std::size_t count)
{
    fill_ += count;
    if (fill_ == rowBytes_) {
        fill_ = 0;
        finishRow();
    }
}

void TifPixelWriter::put(const std::uint8_t* bytes, std::size_t count)
{
    while (count > 0 && !done()) {
        if (bits_ == 24 && fill_ == 0 && count >= rowBytes_) {
            // A whole RGB row converts straight from the data.
            clearPadding(dib_.row(row_));
            writeRgbRow(bytes, dib_.row(row_++));
            bytes += rowBytes_;
            count -= rowBytes_;
            continue;
        }
        std::size_t room;
        std::uint8_t* to = rowSpace(room);
        std::size_t take = std::min(count, room);
        std::memcpy(to, bytes, take);
        advance(take);
        bytes += take;
        count -= take;
    }
}

void TifPixelWriter::clearRest()
{
    if (done())
        return;
    // A row the data left part way is kept as far as it went (1 to 8 bits) or
    // dropped (RGB, whose pixels change order only once the row is whole).
    std::size_t kept = bits_ == 24 ? 0 : fill_;
    std::memset(dib_.row(row_) + kept, 0, dib_.info().stride - kept);
    for (std::uint32_t y = row_ + 1; y < height_; ++y)
        std::memset(dib_.row(y), 0, dib_.info().stride);
    fill_ = 0;
    row_ = height_;
}

int placeTifBytes(LzwState* state)
{
    static_cast<TifPixelWriter*>(state->owner)->put(state->output, state->outputLength);
    return 1;
}

}
