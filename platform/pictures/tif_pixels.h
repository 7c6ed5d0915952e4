#pragma once
// The TIFF reader's pixel writer: decoded strip bytes, row after row (each row
// starting on a byte boundary), into the rows of the packed DIB. The DIB may
// start unset: the writer clears each row's padding, and clearRest() the rows
// (or the rest of a row) that the data never reached.
#include "platform/pictures/lzw.h"
#include "platform/pictures/packed_dib.h"

#include <cstdint>
#include <vector>

namespace ks::pictures {

class TifPixelWriter {
public:
    // samplesPerPixel counts the samples of one RGB pixel in the data (3 or more;
    // those after blue are skipped); ignored below 24 bits.
    TifPixelWriter(PackedDib& dib, unsigned samplesPerPixel);

    void put(const std::uint8_t* bytes, std::size_t count);
    // Where the next bytes of the current row go, and how many more it takes
    // (for decoders that write in place); advance(count) once they are there.
    std::uint8_t* rowSpace(std::size_t& room);
    void advance(std::size_t count);
    bool done() const { return row_ >= height_; }
    // Once the strips are read: what no data filled becomes zero.
    void clearRest();
    // A whole row of the data's layout (for the CCITT decoder).
    std::size_t rowBytes() const { return rowBytes_; }
    // The data bytes the rest of the picture takes.
    std::size_t bytesLeft() const
    {
        return done() ? 0 : std::size_t(height_ - row_) * rowBytes_ - fill_;
    }

private:
    void writeRgbRow(const std::uint8_t* source, std::uint8_t* out);
    void finishRow();
    void clearPadding(std::uint8_t* row) const;

    PackedDib& dib_;
    std::uint32_t width_, height_;
    unsigned bits_;
    unsigned samples_;
    std::size_t rowBytes_;
    std::size_t dibRowBytes_;             // the bytes of a DIB row before its padding
    std::vector<std::uint8_t> pending_;   // an RGB row that arrives in pieces
    std::vector<std::uint8_t> swapped_;   // an RGB row in the picture's order
    std::size_t fill_ = 0;                // bytes of the current row so far
    std::uint32_t row_ = 0;
};

// The LZW output callback of the TIFF reader: its owner is a TifPixelWriter.
int placeTifBytes(LzwState* state);

}
