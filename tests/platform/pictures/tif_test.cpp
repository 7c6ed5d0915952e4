#include "platform/pictures/tif_reader.h"
#include "tests/platform/pictures/picture_fixtures.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <fstream>
#include <tiffio.h>

using namespace ks;
using namespace ks::test;
using ks::pictures::Fault;

namespace {

pictures::Decoded readTif(const Bytes& file) { return pictures::readTif(file); }

std::vector<std::uint16_t> colorMap(int bits)
{
    std::vector<std::uint16_t> map;
    int n = 1 << bits;
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < n; ++i)
            map.push_back(std::uint16_t((i * 4099 + c * 17000) & 0xFFFF));
    return map;
}

struct Layout { int photometric, bits, samples; };

// A picture of the layout whose rows are a pattern (a seed apart from others).
TiffPicture layoutPicture(Layout l, int compression, int width, int height, int rowsPerStrip, int seed)
{
    TiffPicture s;
    s.width = width;
    s.height = height;
    s.photometric = l.photometric;
    s.bitsPerSample = l.bits;
    s.samplesPerPixel = l.samples;
    s.compression = compression;
    s.rowsPerStrip = rowsPerStrip;
    std::size_t rowBytes = (std::size_t(width) * l.bits * l.samples + 7) / 8;
    s.rows = patternIndices(int(rowBytes), height, 256, seed);
    if (l.photometric == 3)
        s.colorMap = colorMap(l.bits);
    return s;
}

// Our DIB against libtiff's rows and colour map, pixel for pixel.
void expectSameAsLibtiff(const std::string& path, const pictures::PackedDib& ours)
{
    TiffPicture peer = peerTiff(path);
    Dib dib = dibOf(ours.bytes());
    ASSERT_EQ(dib.width, peer.width);
    ASSERT_EQ(dib.height, peer.height);
    std::size_t rowBytes = peer.rows.size() / std::size_t(peer.height);
    for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* theirs = &peer.rows[std::size_t(y) * rowBytes];
        if (peer.photometric == PHOTOMETRIC_RGB) {
            ASSERT_EQ(dib.bits, 24);
            for (int x = 0; x < dib.width; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(dib.row(y)[3 * x + c], theirs[std::size_t(x) * peer.samplesPerPixel + 2 - c]);
            continue;
        }
        ASSERT_EQ(dib.bits, peer.bitsPerSample);
        std::size_t whole = std::size_t(dib.width) * std::size_t(dib.bits) / 8;
        ASSERT_EQ(0, std::memcmp(dib.row(y), theirs, whole)) << "row " << y;
        if (unsigned rest = unsigned(dib.width * dib.bits % 8)) {
            std::uint8_t mask = std::uint8_t(0xFF << (8 - rest));
            EXPECT_EQ(dib.row(y)[whole], theirs[whole] & mask);
        }
    }
    if (peer.photometric == PHOTOMETRIC_PALETTE) {
        std::size_t n = std::size_t(1) << peer.bitsPerSample;
        ASSERT_EQ(dib.colorsUsed, n);
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(dib.palette[4 * i + 2], peer.colorMap[i] >> 8);
            EXPECT_EQ(dib.palette[4 * i + 1], peer.colorMap[n + i] >> 8);
            EXPECT_EQ(dib.palette[4 * i], peer.colorMap[2 * n + i] >> 8);
        }
    } else if (peer.photometric <= 1) {
        std::size_t n = std::size_t(1) << peer.bitsPerSample;
        ASSERT_EQ(dib.colorsUsed, n);
        std::uint8_t firstGrey = peer.photometric == 0 ? 255 : 0;
        EXPECT_EQ(dib.palette[0], firstGrey);
        EXPECT_EQ(dib.palette[4 * (n - 1)], 255 - firstGrey);
    }
}

}

TEST(ReadTif, MatchesLibtiffForEveryLayoutAndCompression)
{
    TempDir dir;
    int compressions[] = {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_PACKBITS};
    int n = 0;
    for (Layout l : {Layout{0, 1, 1}, Layout{1, 1, 1}, Layout{0, 4, 1}, Layout{1, 4, 1}, Layout{0, 8, 1},
                     Layout{1, 8, 1}, Layout{3, 1, 1}, Layout{3, 4, 1}, Layout{3, 8, 1}, Layout{2, 8, 3},
                     Layout{2, 8, 4}})
        for (int compression : compressions)
            for (bool bigEndian : {false, true})
                for (int width : {3, 37}) {
                    SCOPED_TRACE(testing::Message() << "photometric " << l.photometric << " bits " << l.bits
                                 << " samples " << l.samples << " compression " << compression
                                 << (bigEndian ? " MM" : " II") << " width " << width);
                    TiffPicture s = layoutPicture(l, compression, width, 23, 5, n);
                    s.bigEndian = bigEndian;
                    std::string path = (dir.path() / ("t" + std::to_string(n++) + ".tif")).string();
                    pictures::Decoded r = readTif(makeTiff(s, path));
                    ASSERT_TRUE(r.picture);
                    expectSameAsLibtiff(path, r.picture);
                }
}

TEST(ReadTif, DecodesOneDimensionalCcittStrips)
{
    TempDir dir;
    for (int photometric : {0, 1})
        for (int width : {1, 17, 300, 2600}) {
            SCOPED_TRACE(testing::Message() << "photometric " << photometric << " width " << width);
            TiffPicture s;
            s.width = width;
            s.height = 9;
            s.photometric = photometric;
            s.bitsPerSample = 1;
            s.compression = COMPRESSION_CCITTRLE;
            s.rowsPerStrip = 4;
            std::size_t rowBytes = (std::size_t(width) + 7) / 8;
            // Long runs and short ones, in both colours.
            s.rows.assign(rowBytes * 9, 0);
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < width; ++x)
                    if ((x / (1 + y * 3)) % 2 == (y % 2) || x > width * 2 / 3)
                        s.rows[std::size_t(y) * rowBytes + std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
            std::string path = (dir.path() / ("f" + std::to_string(photometric) + "_" + std::to_string(width) + ".tif")).string();
            pictures::Decoded r = readTif(makeTiff(s, path));
            ASSERT_TRUE(r.picture);
            expectSameAsLibtiff(path, r.picture);
        }
}

TEST(ReadTif, RefusesWhatItDoesNotRead)
{
    TempDir dir;
    auto tryLayout = [&](int photometric, int bits, int compression) {
        TiffPicture s;
        s.width = 4;
        s.height = 4;
        s.photometric = photometric;
        s.bitsPerSample = bits;
        s.compression = compression;
        s.rows.assign(std::size_t(4 * bits / 8 + 1) * 4, 0x5A);
        pictures::Decoded r = readTif(makeTiff(s, (dir.path() / "r.tif").string()));
        EXPECT_FALSE(r.picture);
        return r.problems.size() == 1 ? r.problems[0].fault : Fault::NoPicture;
    };
    EXPECT_EQ(tryLayout(1, 16, COMPRESSION_NONE), Fault::UnsupportedDepth);
    EXPECT_EQ(tryLayout(1, 2, COMPRESSION_NONE), Fault::UnsupportedDepth);
    EXPECT_EQ(tryLayout(5, 8, COMPRESSION_NONE), Fault::UnsupportedColourModel);   // CMYK
    EXPECT_EQ(tryLayout(1, 8, COMPRESSION_DEFLATE), Fault::UnsupportedCompression);
}

TEST(ReadTif, LongStripsAreReadWhateverTheirCompression)
{
    TempDir dir;
    // One strip of 200 rows of noise: every compression leaves it well over 32000 bytes.
    for (int compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_CCITTRLE}) {
        SCOPED_TRACE(compression);
        bool fax = compression == COMPRESSION_CCITTRLE;
        TiffPicture s = layoutPicture(fax ? Layout{0, 1, 1} : Layout{1, 8, 1}, compression, fax ? 1600 : 200, 200,
                                      200, 7);
        std::string path = (dir.path() / "l.tif").string();
        Bytes file = makeTiff(s, path);
        ASSERT_GT(file.size(), 32000u);
        pictures::Decoded r = readTif(file);
        EXPECT_TRUE(r.problems.empty());
        ASSERT_TRUE(r.picture);
        expectSameAsLibtiff(path, r.picture);
    }
}

TEST(ReadTif, BrokenFilesFailCleanly)
{
    TempDir dir;
    TiffPicture s;
    s.width = 16;
    s.height = 16;
    s.compression = COMPRESSION_PACKBITS;
    s.rows = patternIndices(16, 16, 256);
    Bytes good = makeTiff(s, (dir.path() / "g.tif").string());

    Bytes format = good;
    format[0] = format[1] = 'X';
    EXPECT_TRUE(met(readTif(format).problems, Fault::NotThisFormat));
    Bytes version = good;
    version[2] = 43;
    EXPECT_TRUE(met(readTif(version).problems, Fault::UnsupportedVersion));

    // Every truncation: no crash.
    for (std::size_t cut = 0; cut < good.size(); cut += 7)
        readTif(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut)));

    // A directory whose next offset points back at itself ends the chain.
    Bytes cyclic = good;
    std::uint32_t ifd = cyclic[4] | cyclic[5] << 8 | cyclic[6] << 16 | std::uint32_t(cyclic[7]) << 24;
    std::size_t entries = cyclic[ifd] | cyclic[ifd + 1] << 8;
    std::size_t next = ifd + 2 + 12 * entries;
    std::memcpy(&cyclic[next], &cyclic[4], 4);
    pictures::Decoded looped = readTif(cyclic);
    ASSERT_TRUE(looped.picture);
    Dib dib = dibOf(looped.picture.bytes());
    EXPECT_EQ(0, std::memcmp(dib.row(3), &s.rows[3 * 16], 16));

    // Strip offsets and counts far beyond the file are bounded by it.
    Bytes wild = good;
    for (std::size_t e = 0; e < entries; ++e) {
        std::uint8_t* entry = &wild[ifd + 2 + 12 * e];
        int tag = entry[0] | entry[1] << 8;
        if (tag == 273 || tag == 279)
            entry[8] = entry[9] = entry[10] = entry[11] = 0xF0;
    }
    readTif(wild);
}

TEST(ReadTif, WidePicturesInManyStripsMatchLibtiff)
{
    // Rows long enough for the block-wise paths, strips of one and of several rows.
    TempDir dir;
    int n = 0;
    for (Layout l : {Layout{1, 8, 1}, Layout{3, 4, 1}, Layout{2, 8, 3}, Layout{2, 8, 4}})
        for (int compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_PACKBITS})
            for (int rowsPerStrip : {1, 7}) {
                SCOPED_TRACE(testing::Message() << "photometric " << l.photometric << " samples " << l.samples
                             << " compression " << compression << " rows per strip " << rowsPerStrip);
                TiffPicture s = layoutPicture(l, compression, 509, 30, rowsPerStrip, n);
                // Runs on the left of each row, the pattern on the right.
                std::size_t rowBytes = s.rows.size() / 30;
                for (int y = 0; y < s.height; ++y)
                    std::fill_n(&s.rows[std::size_t(y) * rowBytes], rowBytes / 3, std::uint8_t(y * 9));
                std::string path = (dir.path() / ("w" + std::to_string(n++) + ".tif")).string();
                pictures::Decoded r = readTif(makeTiff(s, path));
                ASSERT_TRUE(r.picture);
                expectSameAsLibtiff(path, r.picture);
            }
}

namespace {

struct RawLayout {
    int bits = 8, samples = 1, photometric = PHOTOMETRIC_MINISBLACK, compression = COMPRESSION_PACKBITS;
};

// A picture of the given strips, written raw by libtiff (grey PackBits unless told).
Bytes rawStripTiff(const std::string& path, int width, int height, int rowsPerStrip,
                   const std::vector<Bytes>& strips, RawLayout l = {})
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, l.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, l.samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, l.photometric);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, l.compression);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    for (std::size_t i = 0; i < strips.size(); ++i)
        TIFFWriteRawStrip(tif, std::uint32_t(i), const_cast<std::uint8_t*>(strips[i].data()),
                          tmsize_t(strips[i].size()));
    TIFFClose(tif);
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), {});
}

}

TEST(ReadTif, PackBitsRunsMayCrossRowsButNeverTheirStrip)
{
    TempDir dir;
    // Rows of 5: a run of 7, a literal of 6 and a run of 6 cross row ends; the
    // last literal is beyond the picture.
    Bytes crossing{0xFA, 0x11, 5, 1, 2, 3, 4, 5, 6, 0xFB, 0x22, 0x00, 0x33, 0x00, 0x44};
    pictures::Decoded r = readTif(rawStripTiff((dir.path() / "c.tif").string(), 5, 4, 4, {crossing}));
    ASSERT_TRUE(r.picture);
    Dib dib = dibOf(r.picture.bytes());
    Bytes expected{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 1, 2, 3, 4, 5, 6, 0x22, 0x22,
                   0x22, 0x22, 0x22, 0x22, 0x22};
    expected.back() = 0x33;
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(0, std::memcmp(dib.row(y), &expected[std::size_t(y) * 5], 5)) << "row " << y;

    // A strip that unpacks to more than its two rows loses the rest; the next
    // strip still starts at its own row.
    Bytes overlong{0xF5, 0x55};   // a run of 12 for 8 bytes
    Bytes next{0xFD, 0x66, 0xFD, 0x77};
    pictures::Decoded o = readTif(rawStripTiff((dir.path() / "o.tif").string(), 4, 4, 2, {overlong, next}));
    ASSERT_TRUE(o.picture);
    Dib bounded = dibOf(o.picture.bytes());
    EXPECT_EQ(bounded.row(1)[3], 0x55);
    EXPECT_EQ(bounded.row(2)[0], 0x66);
    EXPECT_EQ(bounded.row(3)[3], 0x77);

    // Rows that no strip fills, and the padding of every row, are zero.
    pictures::Decoded m = readTif(rawStripTiff((dir.path() / "m.tif").string(), 5, 4, 2, {Bytes{0xF7, 0x55}}));
    ASSERT_TRUE(m.picture);
    Dib missing = dibOf(m.picture.bytes());
    ASSERT_EQ(missing.stride, 8u);
    Bytes filled{0x55, 0x55, 0x55, 0x55, 0x55, 0, 0, 0}, empty(8, 0);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(Bytes(missing.row(y), missing.row(y) + 8), y < 2 ? filled : empty) << "row " << y;
}

namespace {

// Leaves freed blocks of the given size full of 0xAA, where the next block of
// that size is likely to be placed.
void dirtyFreedBlocks(std::size_t size)
{
    std::vector<void*> blocks;
    for (int i = 0; i < 4; ++i) {
        blocks.push_back(std::malloc(size));
        std::memset(blocks.back(), 0xAA, size);
    }
    for (void* block : blocks)
        std::free(block);
}

// Reads the file twice, the second time into memory left dirty.
Dib readIntoDirtyMemory(const Bytes& file)
{
    std::size_t size = readTif(file).picture.bytes().size();
    EXPECT_GT(size, 0u);
    dirtyFreedBlocks(size);
    pictures::Decoded again = readTif(file);
    if (!again.picture) {
        ADD_FAILURE() << "no picture";
        return {};
    }
    const std::uint8_t* header = again.picture.bytes().data();
    // Header fields the reader does not set (compression, resolution, colours important) are zero.
    for (int at : {16, 24, 28, 36})
        EXPECT_EQ(std::count(header + at, header + at + 4, 0), 4) << "header byte " << at;
    return dibOf(again.picture.bytes());
}

}

TEST(ReadTif, WhatNoDataReachesIsZeroEvenInReusedMemory)
{
    TempDir dir;
    auto row = [](const Dib& dib, int y) { return Bytes(dib.row(y), dib.row(y) + dib.stride); };

    // RGB of 5 pixels (15 bytes in rows of 16), data for a row and a half:
    // the first row swapped and padded, the cut row and those after zero.
    Bytes rgb(23);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = std::uint8_t(i + 1);
    Dib colour = readIntoDirtyMemory(rawStripTiff((dir.path() / "rgb.tif").string(), 5, 4, 4, {rgb},
                                                  {8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE}));
    ASSERT_EQ(colour.stride, 16u);
    EXPECT_EQ(row(colour, 0), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 0}));
    for (int y = 1; y < 4; ++y)
        EXPECT_EQ(row(colour, y), Bytes(16, 0)) << "row " << y;

    // Grey rows of 5 in rows of 8, cut two bytes into the second row, which
    // keeps them; the second strip is missing.
    Dib grey = readIntoDirtyMemory(rawStripTiff((dir.path() / "grey.tif").string(), 5, 4, 2,
                                                {Bytes{1, 2, 3, 4, 5, 6, 7}}, {8, 1, PHOTOMETRIC_MINISBLACK,
                                                                               COMPRESSION_NONE}));
    EXPECT_EQ(row(grey, 0), (Bytes{1, 2, 3, 4, 5, 0, 0, 0}));
    EXPECT_EQ(row(grey, 1), (Bytes{6, 7, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row(grey, 2), Bytes(8, 0));
    EXPECT_EQ(row(grey, 3), Bytes(8, 0));

    // One bit of 10 pixels: the bits after the last pixel and the padding clear.
    Dib bits = readIntoDirtyMemory(rawStripTiff((dir.path() / "bits.tif").string(), 10, 2, 2,
                                                {Bytes{0xFF, 0xFF, 0xFF, 0xFF}}, {1, 1, PHOTOMETRIC_MINISBLACK,
                                                                                  COMPRESSION_NONE}));
    EXPECT_EQ(row(bits, 0), (Bytes{0xFF, 0xC0, 0, 0}));
    EXPECT_EQ(row(bits, 1), (Bytes{0xFF, 0xC0, 0, 0}));
}

TEST(ReadTif, RgbOfTooManySamplesIsRefusedBeforeAnythingIsHeld)
{
    TempDir dir;
    // A wide picture whose pixels claim 300 samples: a row of them would be
    // 9 MB before a byte of data is read.
    pictures::Decoded r = readTif(rawStripTiff((dir.path() / "many.tif").string(), 30000, 2, 2, {Bytes(64, 1)},
                                               {8, 300, PHOTOMETRIC_RGB, COMPRESSION_NONE}));
    EXPECT_FALSE(r.picture);
    EXPECT_TRUE(met(r.problems, Fault::UnsupportedDepth));

    // Sixteen samples (RGB and extra channels) are still read.
    Bytes pixels(std::size_t(2) * 2 * 16, 7);
    pictures::Decoded wide = readTif(rawStripTiff((dir.path() / "sixteen.tif").string(), 2, 2, 2, {pixels},
                                                  {8, 16, PHOTOMETRIC_RGB, COMPRESSION_NONE}));
    EXPECT_TRUE(wide.picture);
}
