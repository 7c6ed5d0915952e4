#pragma once
// Pictures for the decoder tests, written by the peer libraries' encoders,
// and the peers' decodings to compare with ours.
#include "platform/pictures/picture_problems.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ks::test {

using Bytes = std::vector<std::uint8_t>;

// The DIB in a plain form: header fields, palette (b, g, r, 0) and the rows
// top-down, each stride bytes.
struct Dib {
    int width = 0, height = 0, bits = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t stride = 0;
    Bytes palette;
    Bytes rowsTopDown;
    const std::uint8_t* row(int y) const { return rowsTopDown.data() + std::size_t(y) * stride; }
};
// Reads a packed DIB's bytes.
Dib dibOf(std::span<const std::uint8_t> bytes);

// Whether the decoder met the fault.
bool met(const pictures::Problems& problems, pictures::Fault fault);

// Deterministic test content.
Bytes patternIndices(int width, int height, int colors, int seed = 0);
Bytes patternRgb(int width, int height, int seed = 0);

// ---- GIF (giflib)
struct GifFrameShape {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    int transparentIndex = -1;
    int delay = 0;
    std::vector<std::uint8_t> localPalette;   // rgb triples; empty = global
    Bytes indices;
};
Bytes makeGif(int screenWidth, int screenHeight, const std::vector<std::uint8_t>& globalPalette,
              const std::vector<GifFrameShape>& frames, int loopCount = -1, int background = 0);
// The first frame as giflib decodes it: its indices (image size) and the palette in use.
struct PeerIndexed {
    int width = 0, height = 0;
    Bytes indices;
    std::vector<std::uint8_t> paletteRgb;
};
PeerIndexed peerGif(const Bytes& file);

// ---- TIFF (libtiff)
struct TiffPicture {
    int width = 0, height = 0;
    int bitsPerSample = 8, samplesPerPixel = 1;
    int photometric = 1;
    int compression = 1;
    bool bigEndian = false;
    int rowsPerStrip = 0;   // 0: libtiff's default
    Bytes rows;             // packed rows as the file holds them
    std::vector<std::uint16_t> colorMap;   // 3 * 2^bits for photometric 3
};
Bytes makeTiff(const TiffPicture& picture, const std::string& path);
// Rows as libtiff decodes them (packed, byte aligned) and the colour map.
TiffPicture peerTiff(const std::string& path);

// ---- JPEG (libjpeg)
struct JpegPicture {
    int width = 0, height = 0;
    int components = 3;   // 1 grey, 3 colour
    int h0 = 1, v0 = 1;   // first component's sampling; others 1 x 1
    int quality = 90;
    int restartInterval = 0;   // in MCUs
    bool progressive = false;
    Bytes pixels;   // rgb or grey, top-down
};
Bytes makeJpeg(const JpegPicture& picture);
// libjpeg-turbo's accurate decoder, fast (replicating) upsampling: bgr, top-down.
Bytes peerJpegBgr(const Bytes& file, int& width, int& height);
double psnr(const Bytes& a, const Bytes& b);

}
