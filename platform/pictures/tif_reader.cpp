#include "platform/pictures/tif_reader.h"

#include "platform/pictures/ccitt_tables.h"
#include "platform/pictures/lzw.h"
#include "platform/pictures/packbits.h"
#include "platform/pictures/packed_dib.h"
#include "platform/pictures/picture_input.h"
#include "platform/pictures/tif_format.h"
#include "platform/pictures/tif_pixels.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace ks::pictures {

namespace {

// Directory chains longer than this are taken as broken.
constexpr std::size_t kMaxDirectories = 256;
// RGB pixels of more samples than this (channels after blue) are refused.
constexpr unsigned kMaxRgbSamples = 16;

struct TifField {
    bool present = false;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::uint8_t raw[4] = {};
};

struct TifReadState {
    TifReadState(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes) : in(bytes), maxBytes(maxBytes) {}
    ~TifReadState()
    {
        if (lzw.tables)
            LzwFree(&lzw);
    }
    TifReadState(const TifReadState&) = delete;
    TifReadState& operator=(const TifReadState&) = delete;
    PictInput in;
    std::uint64_t maxBytes;
    bool motorola = false;
    std::uint16_t bitsPerSample = 1;
    std::uint16_t samplesPerPixel = 1;
    std::uint32_t rowsPerStrip = 0;
    std::uint16_t photometric = 0;
    std::uint16_t compression = tif::kUncompressed;
    std::uint32_t width = 0, height = 0;
    std::uint32_t colorMapOffset = 0;
    TifField stripOffsets, stripByteCounts;
    std::vector<std::uint8_t> stripBuffer;   // an LZW strip's output
    LzwState lzw;   // its tables made for the first LZW strip serve the rest
};

std::uint16_t get16(const TifReadState& t, const std::uint8_t* p)
{
    return t.motorola ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[1] << 8 | p[0]);
}

std::uint32_t get32(const TifReadState& t, const std::uint8_t* p)
{
    return t.motorola ? std::uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]
                      : std::uint32_t(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
}

unsigned typeSize(std::uint16_t type)
{
    using namespace tif;
    switch (type) {
    case kByte: case kAscii: case kSignedByte: case kUndefined: return 1;
    case kShort: case kSignedShort: return 2;
    case kLong: case kSignedLong: case kFloat: return 4;
    case kRational: case kSignedRational: case kDouble: return 8;
    default: return 0;
    }
}

std::uint32_t scalar(const TifReadState& t, std::uint16_t type, const std::uint8_t* p)
{
    switch (typeSize(type)) {
    case 1: return p[0];
    case 2: return get16(t, p);
    default: return get32(t, p);
    }
}

// The values of an array field, at most limit of them: inside the value field
// when they fit there, else at the offset it holds.
bool readArray(TifReadState& t, const TifField& field, std::size_t limit, std::vector<std::uint32_t>& out)
{
    unsigned size = typeSize(field.type);
    if (size == 0 || size > 4)
        return false;
    std::size_t count = std::min<std::size_t>(field.count, limit);
    if (std::uint64_t(field.count) * size <= 4) {
        for (std::size_t i = 0; i < count; ++i)
            out.push_back(scalar(t, field.type, field.raw + i * size));
        return true;
    }
    std::vector<std::uint8_t> bytes(count * size);
    if (!t.in.readAt(get32(t, field.raw), bytes.data(), bytes.size()))
        return false;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(scalar(t, field.type, bytes.data() + i * size));
    return true;
}

bool readEntry(TifReadState& t, const std::uint8_t* e)
{
    std::uint16_t tag = get16(t, e);
    TifField f{true, get16(t, e + 2), get32(t, e + 4), {e[8], e[9], e[10], e[11]}};
    std::uint32_t value = scalar(t, f.type, f.raw);
    switch (tag) {
    case tif::kImageWidth: t.width = value; break;
    case tif::kImageLength: t.height = value; break;
    case tif::kBitsPerSample: {
        // Quirk: the first sample's bits stand for all (one value per sample, at the offset
        // when they do not fit in the entry).
        std::vector<std::uint32_t> first;
        if (readArray(t, f, 1, first) && !first.empty())
            t.bitsPerSample = std::uint16_t(first[0]);
        break;
    }
    case tif::kCompression: t.compression = std::uint16_t(value); break;
    case tif::kPhotometric: t.photometric = std::uint16_t(value); break;
    case tif::kSamplesPerPixel: t.samplesPerPixel = std::uint16_t(value); break;
    case tif::kStripOffsets: t.stripOffsets = f; break;
    case tif::kStripByteCounts: t.stripByteCounts = f; break;
    case tif::kRowsPerStrip: t.rowsPerStrip = value; break;
    case tif::kColorMap: t.colorMapOffset = get32(t, f.raw); break;
    default: break;
    }
    return true;
}

// Quirk: a byte-order mark passes when either of its bytes is 'I' or 'M', and the
// first byte alone sets the order; marks damaged in one byte still read.
bool isByteOrderMark(const std::uint8_t* h)
{
    auto mark = [](std::uint8_t c) { return c == tif::kIntelOrder || c == tif::kMotorolaOrder; };
    return mark(h[0]) || mark(h[1]);
}

bool TifReadHeader(TifReadState& t, std::uint32_t& firstDirectory)
{
    std::uint8_t h[tif::kHeaderSize];
    if (!t.in.readBytes(h, sizeof h))
        return t.in.report(Fault::NoHeader);
    if (!isByteOrderMark(h))
        return t.in.report(Fault::NotThisFormat);
    t.motorola = h[0] == tif::kMotorolaOrder;
    if (get16(t, h + 2) != tif::kVersion)
        return t.in.report(Fault::UnsupportedVersion);
    firstDirectory = get32(t, h + 4);
    return firstDirectory != 0 || t.in.report(Fault::NoPicture);
}

// Notes why the picture is refused; 0 for the depth.
unsigned refuse(TifReadState& t, Fault fault)
{
    t.in.report(fault);
    return 0;
}

// Palette and depth; 0 after refusing the picture.
unsigned choosePalette(TifReadState& t, std::vector<Colour>& palette)
{
    unsigned bits;
    if (t.photometric == tif::kRgb) {
        // Quirk: samples after blue (the alpha of RGBA files) are dropped; a row of them
        // is held, so their count is bounded.
        if (t.bitsPerSample != 8 || t.samplesPerPixel < 3 || t.samplesPerPixel > kMaxRgbSamples)
            return refuse(t, Fault::UnsupportedDepth);
        bits = 24;
    } else if (t.photometric <= tif::kPalette) {
        bits = t.bitsPerSample;
        if (bits != 1 && bits != 4 && bits != 8)
            return refuse(t, Fault::UnsupportedDepth);
        if (t.samplesPerPixel != 1)
            return refuse(t, Fault::UnsupportedDepth);
    } else {
        return refuse(t, Fault::UnsupportedColourModel);
    }
    bool known = t.compression == tif::kUncompressed || t.compression == tif::kLzw ||
                 t.compression == tif::kPackBits || (t.compression == tif::kCcittModifiedHuffman && bits == 1);
    if (!known)
        return refuse(t, Fault::UnsupportedCompression);
    if (bits == 24)
        return bits;
    unsigned n = 1u << bits;
    if (t.photometric == tif::kPalette) {
        // Three tables of 16-bit intensities, of which the high byte is kept.
        std::vector<std::uint8_t> map(n * 6);
        if (!t.in.readAt(t.colorMapOffset, map.data(), map.size()))
            return refuse(t, Fault::ColourMapMissing);
        for (unsigned i = 0; i < n; ++i) {
            unsigned r = get16(t, &map[2 * i]) >> 8, g = get16(t, &map[2 * (n + i)]) >> 8,
                     b = get16(t, &map[2 * (2 * n + i)]) >> 8;
            palette.push_back(r | g << 8 | Colour(b) << 16);
        }
        return bits;
    }
    unsigned step = 255 / (n - 1);
    for (unsigned i = 0; i < n; ++i) {
        unsigned g = std::min(255u, i * step);
        if (t.photometric == tif::kWhiteIsZero)
            g = 255 - g;
        palette.push_back(g | g << 8 | Colour(g) << 16);
    }
    return bits;
}

int TifHufDecompress(TifReadState& t, TifPixelWriter& writer, const std::uint8_t* data, std::size_t length)
{
    const std::uint64_t totalBits = std::uint64_t(length) * 8;
    std::uint64_t pos = 0;
    std::vector<std::uint8_t> row(writer.rowBytes());
    const bool whiteIsOne = t.photometric != tif::kWhiteIsZero;
    std::uint32_t rows = std::min(t.rowsPerStrip ? t.rowsPerStrip : t.height, t.height);
    for (std::uint32_t r = 0; r < rows; ++r) {
        pos = (pos + 7) & ~std::uint64_t(7);
        if (pos >= totalBits || writer.done())
            return 1;
        std::fill(row.begin(), row.end(), whiteIsOne ? 0xFF : 0x00);
        bool black = false, terminated = false;
        std::uint32_t column = 0;
        while (!(column >= t.width && terminated)) {
            std::uint64_t left = totalBits - pos;
            if (left < 1)
                return t.in.report(Fault::RunDataEnds);
            std::uint32_t window = 0;
            for (int b = 0; b < 3; ++b) {
                std::size_t at = std::size_t(pos / 8) + std::size_t(b);
                window = window << 8 | (at < length ? data[at] : 0);
            }
            unsigned look = unsigned((window >> (11 - pos % 8)) & 0x1FFF);
            const TifHufLookup::Entry& e = tifHufLookup(black).entries[look];
            if (e.length == 0 || e.length > left || e.run > t.width - column)
                return t.in.report(Fault::RunCodeUnknown);
            if (black != whiteIsOne) {
                // This run's bits take the value opposite to the row's fill.
                for (std::uint32_t x = column; x < column + e.run; ++x)
                    row[x / 8] ^= std::uint8_t(0x80 >> (x % 8));
            }
            column += e.run;
            pos += e.length;
            terminated = e.run < 64;
            if (terminated)
                black = !black;
        }
        writer.put(row.data(), row.size());
    }
    return 1;
}

// The bytes a compressed strip may give: no more than its rows, nor than the
// picture's rest. Quirk: what a strip unpacks to beyond that is ignored.
std::size_t stripOutputSize(const TifReadState& t, const TifPixelWriter& writer)
{
    std::uint32_t rows = t.rowsPerStrip ? std::min(t.rowsPerStrip, t.height) : t.height;
    return std::min(writer.bytesLeft(), std::size_t(rows) * writer.rowBytes());
}

// Unpacked row by row into the picture.
void decodePackBitsStrip(TifReadState& t, TifPixelWriter& writer, const std::uint8_t* data, std::size_t length)
{
    PackBitsReader reader(data, length);
    for (std::size_t left = stripOutputSize(t, writer), room; left > 0; left -= room) {
        std::uint8_t* out = writer.rowSpace(room);
        room = std::min(room, left);
        std::size_t got = reader.read(out, room);
        writer.advance(got);
        if (got < room)
            break;
    }
}

// The strip is decoded whole into the strip buffer.
bool decodeLzwStrip(TifReadState& t, TifPixelWriter& writer, const std::uint8_t* data, std::size_t length)
{
    LzwState& lzw = t.lzw;
    lzw.sinkSize = stripOutputSize(t, writer);
    if (t.stripBuffer.size() < lzw.sinkSize)
        t.stripBuffer.resize(lzw.sinkSize);
    lzw.sink = t.stripBuffer.data();
    lzw.sinkUsed = 0;
    if (lzw.tables) {
        LzwRestart(&lzw);
    } else {
        LzwSetup(&lzw, tif::kLzwRootBits, kLzwMsbFirst, &writer, placeTifBytes);
        if (!LzwInit(&lzw))
            return t.in.report(Fault::OutOfMemory);
    }
    LzwDecode(&lzw, data, length);
    writer.put(lzw.sink, lzw.sinkUsed);
    return true;
}

// Decodes one strip; false stops the build.
bool decodeStrip(TifReadState& t, TifPixelWriter& writer, std::uint64_t offset, std::uint64_t count)
{
    // Quirk: a strip that reaches beyond the data is cut at its end. Its decoder never
    // goes beyond the rows the strip may fill, so a strip of any length is safe to decode
    // where it lies.
    std::span<const std::uint8_t> strip = t.in.at(offset, count);
    switch (t.compression) {
    case tif::kUncompressed: writer.put(strip.data(), strip.size()); break;
    case tif::kCcittModifiedHuffman: TifHufDecompress(t, writer, strip.data(), strip.size()); break;
    case tif::kLzw: return decodeLzwStrip(t, writer, strip.data(), strip.size());
    case tif::kPackBits: decodePackBitsStrip(t, writer, strip.data(), strip.size()); break;
    }
    return true;
}

// Decodes the strips in order until the picture is full or the data fails.
void decodeStrips(TifReadState& t, TifPixelWriter& writer, unsigned bits)
{
    std::uint32_t rows = t.rowsPerStrip == 0 ? t.height : std::min(t.rowsPerStrip, t.height);
    std::size_t strips = (t.height + rows - 1) / rows;
    std::vector<std::uint32_t> offsets, counts;
    if (!readArray(t, t.stripOffsets, strips, offsets))
        return;
    if (t.stripByteCounts.present && !readArray(t, t.stripByteCounts, strips, counts))
        return;
    // Quirk: without strip byte counts (early writers left the field out) each strip
    // may take as many bytes as the whole picture; its decoder stops at its rows.
    std::uint64_t whole = (std::uint64_t(bits) * t.width * t.height + 7) / 8;
    for (std::size_t i = 0; i < offsets.size() && !writer.done(); ++i) {
        if (t.stripByteCounts.present && i >= counts.size())
            break;
        std::uint64_t count = t.stripByteCounts.present ? counts[i] : whole;
        if (!decodeStrip(t, writer, offsets[i], count))
            break;
    }
}

PackedDib TifReadImageGroup(TifReadState& t)
{
    std::vector<Colour> palette;
    unsigned bits = choosePalette(t, palette);
    if (bits == 0)
        return {};
    PackedDib dib = PackedDib::create(t.width, t.height, bits, std::uint32_t(palette.size()),
                                      PackedDib::Pixels::Unset, t.maxBytes);
    if (!dib) {
        t.in.report(Fault::TooLarge);
        return dib;
    }
    for (std::size_t i = 0; i < palette.size(); ++i)
        dib.setPaletteEntry(std::uint32_t(i), palette[i]);
    TifPixelWriter writer(dib, t.samplesPerPixel);
    decodeStrips(t, writer, bits);
    writer.clearRest();
    return dib;
}

// Reads the directory chain; false after an abort.
// Quirk: every directory is read and a later one's fields replace an earlier one's, so
// a multi-page file shows its last page; a chain that loops back ends where it does.
bool readDirectories(TifReadState& t, std::uint32_t offset)
{
    std::set<std::uint32_t> visited;
    std::vector<std::uint8_t> entries;
    while (offset != 0) {
        if (!visited.insert(offset).second || visited.size() > kMaxDirectories)
            return true;   // a chain that loops back: end it here
        std::uint8_t b[4];
        if (!t.in.readAt(offset, b, 2))
            return t.in.report(Fault::Broken);
        entries.resize(std::size_t(get16(t, b)) * tif::kEntrySize);
        if (!t.in.readBytes(entries.data(), entries.size()) || !t.in.readBytes(b, 4))
            return t.in.report(Fault::Broken);
        offset = get32(t, b);
        for (std::size_t e = 0; e < entries.size(); e += tif::kEntrySize)
            readEntry(t, &entries[e]);
    }
    return true;
}

}

Decoded readTif(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes)
{
    Decoded result;
    TifReadState t(bytes, maxBytes);
    std::uint32_t first = 0;
    if (TifReadHeader(t, first) && readDirectories(t, first)) {
        if (t.stripOffsets.present)
            result.picture = TifReadImageGroup(t);
        else
            t.in.report(Fault::NoPicture);
    }
    result.problems = t.in.takeProblems();
    return result;
}

}
