#pragma once
// The peer decoders, each from a file held in memory, into a plain form that
// can be set beside our DIB: indices or packed rows, or bgr pixels, top-down.
#include <cstdint>
#include <string>
#include <vector>

namespace ks::bench {

using Bytes = std::vector<std::uint8_t>;

struct PeerImage {
    int width = 0, height = 0;
    std::size_t rowBytes = 0;
    Bytes rows;   // indices (GIF), packed rows as stored (TIFF), bgr (JPEG)
};

bool giflibDecode(const Bytes& file, PeerImage& out);
bool libtiffDecode(const Bytes& file, PeerImage& out);
bool turbojpegDecode(const Bytes& file, PeerImage& out);
// stb_image: bgr for JPEG, palette-expanded rgb for GIF (only timed).
bool stbDecode(const Bytes& file, PeerImage& out);

}
