#include "addon/convert/tif_pixels.h"

#include <cstring>

namespace ks::addon {

TifPixelWriter::TifPixelWriter(PackedDib& dib, unsigned samplesPerPixel)
    : dib_(dib), width_(std::uint32_t(dib.info().width)), height_(std::uint32_t(dib.info().height)),
      bits_(dib.info().bitsPerPixel), samples_(samplesPerPixel < 3 ? 3 : samplesPerPixel),
      rowBytes_(bits_ == 24 ? std::size_t(width_) * samples_ : (std::size_t(width_) * bits_ + 7) / 8)
{
    pending_.reserve(rowBytes_);
}

void TifPixelWriter::writeRow(const std::uint8_t* source)
{
    std::uint8_t* out = dib_.row(row_++);
    if (bits_ == 24) {
        for (std::uint32_t x = 0; x < width_; ++x, source += samples_, out += 3) {
            out[0] = source[2];
            out[1] = source[1];
            out[2] = source[0];
        }
        return;
    }
    std::memcpy(out, source, rowBytes_);
    // Bits beyond the last pixel of the row stay clear.
    unsigned used = unsigned(std::size_t(width_) * bits_ % 8);
    if (used)
        out[rowBytes_ - 1] &= std::uint8_t(0xFF << (8 - used));
}

void TifPixelWriter::put(const std::uint8_t* bytes, std::size_t count)
{
    while (count > 0 && !done()) {
        if (pending_.empty() && count >= rowBytes_) {
            writeRow(bytes);
            bytes += rowBytes_;
            count -= rowBytes_;
            continue;
        }
        std::size_t have = pending_.size();
        std::size_t take = std::min(count, rowBytes_ - have);
        pending_.resize(have + take);
        std::memcpy(pending_.data() + have, bytes, take);
        bytes += take;
        count -= take;
        if (pending_.size() == rowBytes_) {
            writeRow(pending_.data());
            pending_.clear();
        }
    }
}

int TifData(LzwState* state)
{
    static_cast<TifPixelWriter*>(state->owner)->put(state->output, state->outputLength);
    return 1;
}

}
