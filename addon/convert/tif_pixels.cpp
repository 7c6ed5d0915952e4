#include "addon/convert/tif_pixels.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace ks::addon {

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
const bool kHasSsse3 = __builtin_cpu_supports("ssse3");
#endif

std::uint32_t swapRedBlue(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width)
{
#if defined(__x86_64__)
    if (kHasSsse3)
        return swapSsse3(in, out, width);
#endif
    return 0;
}

}

TifPixelWriter::TifPixelWriter(PackedDib& dib, unsigned samplesPerPixel)
    : dib_(dib), width_(std::uint32_t(dib.info().width)), height_(std::uint32_t(dib.info().height)),
      bits_(dib.info().bitsPerPixel), samples_(samplesPerPixel < 3 ? 3 : samplesPerPixel),
      rowBytes_(bits_ == 24 ? std::size_t(width_) * samples_ : (std::size_t(width_) * bits_ + 7) / 8)
{
    if (bits_ == 24)
        pending_.resize(rowBytes_);
}

void TifPixelWriter::finishRow(std::uint8_t* out)
{
    // Bits beyond the last pixel of the row stay clear.
    unsigned used = unsigned(std::size_t(width_) * bits_ % 8);
    if (used)
        out[rowBytes_ - 1] &= std::uint8_t(0xFF << (8 - used));
    ++row_;
}

void TifPixelWriter::writeRgbRow(const std::uint8_t* source)
{
    std::uint8_t* out = dib_.row(row_++);
    std::uint32_t x = samples_ == 3 ? swapRedBlue(source, out, width_) : 0;
    source += std::size_t(x) * samples_;
    out += std::size_t(x) * 3;
    for (; x < width_; ++x, source += samples_, out += 3) {
        out[0] = source[2];
        out[1] = source[1];
        out[2] = source[0];
    }
}

void TifPixelWriter::put(const std::uint8_t* bytes, std::size_t count)
{
    while (count > 0 && !done()) {
        std::size_t take = std::min(count, rowBytes_ - fill_);
        if (bits_ == 24 && fill_ == 0 && take == rowBytes_) {
            writeRgbRow(bytes);
        } else {
            // Rows of 1 to 8 bits are laid out in the DIB as in the data.
            std::uint8_t* to = bits_ == 24 ? pending_.data() : dib_.row(row_);
            std::memcpy(to + fill_, bytes, take);
            fill_ += take;
            if (fill_ == rowBytes_) {
                fill_ = 0;
                if (bits_ == 24)
                    writeRgbRow(pending_.data());
                else
                    finishRow(to);
            }
        }
        bytes += take;
        count -= take;
    }
}

int TifData(LzwState* state)
{
    static_cast<TifPixelWriter*>(state->owner)->put(state->output, state->outputLength);
    return 1;
}

}
