#include "platform/editor/model/picture_files.h"

#include <array>
#include <cstdint>

namespace ks::editor {
namespace {

// Pictures above this many pixels a side are refused as corrupt.
constexpr int kMaxSide = 32768;
constexpr int kScreenPpi = 96;

std::uint32_t le32(const std::string& b, std::size_t at)
{
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
std::uint16_t le16(const std::string& b, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t be32(const std::string& b, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) << 24 | static_cast<std::uint8_t>(b[at + 1]) << 16 |
           static_cast<std::uint8_t>(b[at + 2]) << 8 | static_cast<std::uint8_t>(b[at + 3]);
}

bool sane(std::int64_t w, std::int64_t h) { return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide; }

bool dibSize(const std::string& b, std::size_t at, int& w, int& h)
{
    if (b.size() < at + 40 || le32(b, at) < 40)
        return false;
    std::int64_t width = static_cast<std::int32_t>(le32(b, at + 4));
    std::int64_t height = static_cast<std::int32_t>(le32(b, at + 8));
    height = height < 0 ? -height : height;
    if (!sane(width, height))
        return false;
    w = static_cast<int>(width);
    h = static_cast<int>(height);
    return true;
}

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

void putBe32(std::string& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<char>(v >> s));
}

std::uint32_t crc32(const std::string& data, std::size_t from)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ static_cast<std::uint8_t>(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void chunk(std::string& png, const char* type, const std::string& body)
{
    putBe32(png, static_cast<std::uint32_t>(body.size()));
    std::size_t start = png.size();
    png += type;
    png += body;
    putBe32(png, crc32(png, start));
}

}

bool probePicture(ObjectData::Format format, const std::string& b, int& w, int& h)
{
    switch (format) {
    case ObjectData::Format::Png:
        if (b.size() < 24 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || b.compare(12, 4, "IHDR") != 0)
            return false;
        if (!sane(be32(b, 16), be32(b, 20)))
            return false;
        w = static_cast<int>(be32(b, 16));
        h = static_cast<int>(be32(b, 20));
        return true;
    case ObjectData::Format::Bmp:
        return b.size() >= 14 && b[0] == 'B' && b[1] == 'M' && dibSize(b, 14, w, h);
    case ObjectData::Format::Dib:
        return dibSize(b, 0, w, h);
    case ObjectData::Format::Wmf:
        if (b.size() >= 22 + 18 && le32(b, 0) == kPlaceableKey) {
            int inch = le16(b, 14) ? le16(b, 14) : 1440;
            std::int64_t dx = static_cast<std::int16_t>(le16(b, 10)) - static_cast<std::int16_t>(le16(b, 6));
            std::int64_t dy = static_cast<std::int16_t>(le16(b, 12)) - static_cast<std::int16_t>(le16(b, 8));
            if (le16(b, 22 + 2) != 9)
                return false;
            w = static_cast<int>(std::max<std::int64_t>(1, (dx < 0 ? -dx : dx) * kScreenPpi / inch));
            h = static_cast<int>(std::max<std::int64_t>(1, (dy < 0 ? -dy : dy) * kScreenPpi / inch));
            return true;
        }
        // A plain metafile carries no size: it shows an inch square until sized.
        if (b.size() >= 18 && le16(b, 2) == 9) {
            w = h = kScreenPpi;
            return true;
        }
        return false;
    case ObjectData::Format::None:
        return false;
    }
    return false;
}

bool dibToRgb(const std::string& dib, int& w, int& h, std::string& rgb)
{
    if (!dibSize(dib, 0, w, h))
        return false;
    std::uint32_t headerSize = le32(dib, 0);
    bool bottomUp = static_cast<std::int32_t>(le32(dib, 8)) > 0;
    int bits = le16(dib, 14);
    if (le32(dib, 16) != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;
    std::uint32_t colours = bits <= 8 ? (le32(dib, 32) ? le32(dib, 32) : 1u << bits) : 0;
    if (colours > 256)
        return false;
    std::uint64_t stride = (static_cast<std::uint64_t>(w) * bits + 31) / 32 * 4;
    std::uint64_t pixelsAt = headerSize + std::uint64_t(colours) * 4;
    if (dib.size() < pixelsAt + stride * h)
        return false;
    rgb.assign(static_cast<std::size_t>(w) * h * 3, '\0');
    for (int y = 0; y < h; ++y) {
        std::size_t row = static_cast<std::size_t>(pixelsAt + stride * (bottomUp ? h - 1 - y : y));
        for (int x = 0; x < w; ++x) {
            std::size_t out = (static_cast<std::size_t>(y) * w + x) * 3;
            if (bits >= 24) {
                std::size_t p = row + static_cast<std::size_t>(x) * (bits / 8);
                rgb[out] = dib[p + 2];
                rgb[out + 1] = dib[p + 1];
                rgb[out + 2] = dib[p];
                continue;
            }
            std::size_t bitPos = static_cast<std::size_t>(x) * bits;
            auto byte = static_cast<std::uint8_t>(dib[row + bitPos / 8]);
            std::uint32_t index = (byte >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
            if (index >= colours)
                index = 0;
            std::size_t entry = headerSize + index * 4;
            rgb[out] = dib[entry + 2];
            rgb[out + 1] = dib[entry + 1];
            rgb[out + 2] = dib[entry];
        }
    }
    return true;
}

std::string encodePng(int w, int h, const std::string& rgb)
{
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    putBe32(ihdr, static_cast<std::uint32_t>(w));
    putBe32(ihdr, static_cast<std::uint32_t>(h));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    chunk(png, "IHDR", ihdr);
    // Stored (uncompressed) deflate blocks: exact and simple.
    std::string raw;
    std::size_t stride = static_cast<std::size_t>(w) * 3;
    for (int y = 0; y < h; ++y) {
        raw.push_back('\0');
        raw.append(rgb, static_cast<std::size_t>(y) * stride, stride);
    }
    std::string z = "\x78\x01";
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        bool last = at + n >= raw.size();
        z.push_back(last ? '\x01' : '\x00');
        z.push_back(static_cast<char>(n & 0xFF));
        z.push_back(static_cast<char>(n >> 8));
        z.push_back(static_cast<char>(~n & 0xFF));
        z.push_back(static_cast<char>((~n >> 8) & 0xFF));
        z.append(raw, at, n);
        if (last)
            break;
    }
    putBe32(z, (b << 16) | a);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", "");
    return png;
}

std::string pictureAsPng(const ObjectData& o)
{
    using F = ObjectData::Format;
    if (o.format == F::Png)
        return std::string(o.data.begin(), o.data.end());
    std::string bytes(o.data.begin(), o.data.end());
    if (o.format == F::Bmp && bytes.size() > 14)
        bytes.erase(0, 14);
    else if (o.format != F::Dib)
        return {};
    int w, h;
    std::string rgb;
    return dibToRgb(bytes, w, h, rgb) ? encodePng(w, h, rgb) : std::string();
}

std::string pictureAsWmf(const ObjectData& o)
{
    if (o.format != ObjectData::Format::Wmf)
        return {};
    std::string bytes(o.data.begin(), o.data.end());
    if (bytes.size() >= 4 && le32(bytes, 0) == kPlaceableKey)
        return bytes;
    // A plain metafile gets a placeable header for its shown size (1440 units an inch).
    int w = std::max(1, o.rect.right - o.rect.left), h = std::max(1, o.rect.bottom - o.rect.top);
    std::uint16_t words[11] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<std::uint16_t>(w * 1440 / kScreenPpi),
                               static_cast<std::uint16_t>(h * 1440 / kScreenPpi), 1440, 0, 0, 0};
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= words[i];
    words[10] = sum;
    std::string header;
    for (auto v : words) {
        header.push_back(static_cast<char>(v & 0xFF));
        header.push_back(static_cast<char>(v >> 8));
    }
    return header + bytes;
}

}
