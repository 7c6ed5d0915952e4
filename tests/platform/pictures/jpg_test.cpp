#include "platform/pictures/jpg_colour.h"
#include "platform/pictures/jpg_reader.h"
#include "tests/platform/pictures/picture_fixtures.h"

#include <gtest/gtest.h>

#include <random>

using namespace ks;
using namespace ks::test;
using ks::pictures::Fault;

namespace {

pictures::Decoded readJpg(const Bytes& file) { return pictures::readJpg(file); }

Bytes greyPixels(int w, int h)
{
    Bytes rgb = patternRgb(w, h), grey;
    for (std::size_t i = 0; i < rgb.size(); i += 3)
        grey.push_back(std::uint8_t((rgb[i] + rgb[i + 1] * 2 + rgb[i + 2]) / 4));
    return grey;
}

// Our DIB as bgr rows top-down without padding, beside libjpeg-turbo's.
double psnrAgainstPeer(const Bytes& file, const pictures::PackedDib& ours)
{
    int w, h;
    Bytes peer = peerJpegBgr(file, w, h);
    Dib dib = dibOf(ours.bytes());
    EXPECT_EQ(dib.bits, 24);
    EXPECT_EQ(dib.colorsUsed, 0u);
    EXPECT_EQ(dib.width, w);
    EXPECT_EQ(dib.height, h);
    Bytes mine;
    for (int y = 0; y < h; ++y)
        mine.insert(mine.end(), dib.row(y), dib.row(y) + 3 * w);
    return psnr(mine, peer);
}

JpegPicture colourPicture(int w, int h, int h0, int v0)
{
    JpegPicture s;
    s.width = w;
    s.height = h;
    s.h0 = h0;
    s.v0 = v0;
    s.pixels = patternRgb(w, h);
    return s;
}

}

TEST(ReadJpg, HoldsFortyDecibelsAgainstTheAccurateReferenceDecoder)
{
    struct Case { int w, h, h0, v0, restart; };
    for (Case c : {Case{64, 48, 1, 1, 0}, Case{17, 9, 1, 1, 0}, Case{33, 31, 2, 1, 0}, Case{61, 45, 2, 2, 0},
                   Case{1, 1, 2, 2, 0}, Case{100, 70, 2, 2, 3}, Case{40, 40, 1, 1, 1}, Case{320, 240, 2, 2, 0}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " sampling " << c.h0 << "x" << c.v0
                                        << " restart " << c.restart);
        JpegPicture s = colourPicture(c.w, c.h, c.h0, c.v0);
        s.restartInterval = c.restart;
        Bytes file = makeJpeg(s);
        pictures::Decoded r = readJpg(file);
        ASSERT_TRUE(r.picture) << (r.problems.empty() ? -1 : int(r.problems.back().fault));
        EXPECT_GE(psnrAgainstPeer(file, r.picture), 40.0);
    }
}

TEST(ReadJpg, NoisyPicturesHoldTheirQuality)
{
    // Noise at full quality: long codes, large values and many 0xFF bytes.
    std::mt19937 random(11);
    for (int restart : {0, 7}) {
        SCOPED_TRACE(testing::Message() << "restart " << restart);
        JpegPicture s = colourPicture(400, 300, 2, 2);
        for (std::uint8_t& p : s.pixels)
            p = std::uint8_t(random());
        s.quality = 100;
        s.restartInterval = restart;
        Bytes file = makeJpeg(s);
        ASSERT_GT(file.size(), 3u * 64 * 1024);
        std::size_t stuffed = 0;
        for (std::size_t i = 0; i + 1 < file.size(); ++i)
            stuffed += file[i] == 0xFF && file[i + 1] == 0;
        EXPECT_GT(stuffed, 1000u);

        pictures::Decoded r = readJpg(file);
        ASSERT_TRUE(r.picture);
        EXPECT_GE(psnrAgainstPeer(file, r.picture), 40.0);
    }
}

TEST(ReadJpg, GreyPicturesGiveEqualChannels)
{
    JpegPicture s;
    s.width = 29;
    s.height = 19;
    s.components = 1;
    s.pixels = greyPixels(29, 19);
    Bytes file = makeJpeg(s);
    pictures::Decoded r = readJpg(file);
    ASSERT_TRUE(r.picture);
    Dib dib = dibOf(r.picture.bytes());
    for (int y = 0; y < dib.height; ++y)
        for (int x = 0; x < dib.width; ++x) {
            const std::uint8_t* p = dib.row(y) + 3 * x;
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]);
        }
    pictures::Decoded again = readJpg(file);
    EXPECT_GE(psnrAgainstPeer(file, again.picture), 45.0);
}

TEST(ReadJpg, FlatBlocksKeepTheirLevel)
{
    // A flat picture: every block carries only its DC coefficient.
    JpegPicture s = colourPicture(16, 16, 1, 1);
    for (std::size_t i = 0; i < s.pixels.size(); i += 3) {
        s.pixels[i] = 200;
        s.pixels[i + 1] = 200;
        s.pixels[i + 2] = 200;
    }
    s.quality = 100;
    pictures::Decoded r = readJpg(makeJpeg(s));
    ASSERT_TRUE(r.picture);
    Dib dib = dibOf(r.picture.bytes());
    for (int x = 0; x < 16 * 3; ++x)
        EXPECT_NEAR(dib.row(7)[x], 200, 2);
}

TEST(ReadJpg, RefusesWhatIsNotBaselineAndBrokenFiles)
{
    JpegPicture s = colourPicture(24, 16, 2, 2);
    Bytes good = makeJpeg(s);

    s.progressive = true;
    pictures::Decoded progressive = readJpg(makeJpeg(s));
    EXPECT_FALSE(progressive.picture);
    EXPECT_TRUE(met(progressive.problems, Fault::Malformed));

    Bytes notJpeg = good;
    notJpeg[1] = 0xD9;
    pictures::Decoded wrongStart = readJpg(notJpeg);
    EXPECT_FALSE(wrongStart.picture);
    EXPECT_TRUE(met(wrongStart.problems, Fault::Malformed));

    auto find = [&](std::uint8_t marker) {
        for (std::size_t i = 0; i + 1 < good.size(); ++i)
            if (good[i] == 0xFF && good[i + 1] == marker)
                return i;
        return std::size_t(0);
    };
    std::size_t sof = find(0xC0);
    ASSERT_NE(sof, 0u);
    auto broken = [&](std::size_t at, std::uint8_t value) {
        Bytes b = good;
        b[at] = value;
        if (at == sof + 5 || at == sof + 7)
            b[at + 1] = 0;   // both bytes of a size
        pictures::Decoded r = readJpg(b);
        EXPECT_FALSE(r.picture) << "byte " << at << " = " << int(value);
        return met(r.problems, Fault::Malformed);
    };
    EXPECT_TRUE(broken(sof + 5, 0));          // zero height
    EXPECT_TRUE(broken(sof + 7, 0));          // zero width
    EXPECT_TRUE(broken(sof + 9, 4));          // four components
    EXPECT_TRUE(broken(sof + 11, 0x00));      // zero sampling factors
    EXPECT_TRUE(broken(sof + 11, 0x44));      // 16 + 2 blocks per MCU
    EXPECT_TRUE(broken(sof + 12, 7));         // quantisation table id 7
    EXPECT_TRUE(broken(find(0xDB) + 4, 0x05));  // table id 5
    EXPECT_TRUE(broken(find(0xDB) + 4, 0x10));  // 16-bit table
    EXPECT_TRUE(broken(find(0xC4) + 5, 3));     // three codes of one bit cannot exist

    // A scan that names one component twice and leaves another without tables.
    std::size_t scan = find(0xDA);
    EXPECT_TRUE(broken(scan + 7, good[scan + 5]));

    // A scan before any frame header.
    Bytes scanFirst = good;
    std::size_t sos = find(0xDA);
    scanFirst[sof + 1] = 0xFE;   // the frame header becomes a comment
    pictures::Decoded noFrame = readJpg(scanFirst);
    EXPECT_FALSE(noFrame.picture);
    EXPECT_TRUE(met(noFrame.problems, Fault::Malformed));
    ASSERT_GT(sos, sof);

    // Every truncation and corruption: no crash.
    for (std::size_t cut = 0; cut < good.size(); cut += 5) {
        readJpg(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut)));
        Bytes flipped = good;
        flipped[cut] ^= 0x5A;
        readJpg(flipped);
    }
}

TEST(ReadJpg, RestartMarkersMustComeAtTheirInterval)
{
    JpegPicture s = colourPicture(64, 16, 1, 1);
    s.restartInterval = 2;
    Bytes file = makeJpeg(s);
    EXPECT_TRUE(readJpg(file).picture);

    auto withInterval = [&](std::uint8_t interval) {
        Bytes changed = file;
        for (std::size_t i = 0; i + 5 < changed.size(); ++i)
            if (changed[i] == 0xFF && changed[i + 1] == 0xDD) {
                changed[i + 5] = interval;
                break;
            }
        return changed;
    };
    // Announce an interval of 3 where the file restarts every 2 MCUs.
    pictures::Decoded misplaced = readJpg(withInterval(3));
    EXPECT_FALSE(misplaced.picture);
    EXPECT_TRUE(met(misplaced.problems, Fault::RestartMisplaced));

    pictures::Decoded missing = readJpg(withInterval(1));
    EXPECT_FALSE(missing.picture);
    EXPECT_TRUE(met(missing.problems, Fault::RestartMissing));
}

TEST(JpgColour, FastRowsMatchTheFormulaAtEveryExtreme)
{
    const std::uint32_t n = 53;   // three fast groups and a tail
    Bytes luma(n), cb(n), cr(n);
    for (std::uint32_t x = 0; x < n; ++x) {
        luma[x] = std::uint8_t(x * 97 % 256);
        cb[x] = std::uint8_t(x % 3 == 0 ? 0 : x % 3 == 1 ? 255 : x * 13 % 256);
        cr[x] = std::uint8_t(x % 4 == 0 ? 255 : x % 4 == 1 ? 0 : x * 29 % 256);
    }
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    for (bool half : {false, true}) {
        Bytes out(3 * n);
        pictures::jpgConvertRow(luma.data(), cb.data(), cr.data(), half, out.data(), n);
        for (std::uint32_t x = 0; x < n; ++x) {
            int l = 64 * luma[x], b = cb[half ? x / 2 : x] - 128, r = cr[half ? x / 2 : x] - 128;
            EXPECT_EQ(out[3 * x], clamp((l + 113 * b) >> 6)) << x << " half " << half;
            EXPECT_EQ(out[3 * x + 1], clamp((l - 22 * b - 46 * r) >> 6)) << x << " half " << half;
            EXPECT_EQ(out[3 * x + 2], clamp((l + 90 * r) >> 6)) << x << " half " << half;
        }
    }
    Bytes grey(3 * n);
    pictures::jpgGreyRow(luma.data(), grey.data(), n);
    for (std::uint32_t x = 0; x < 3 * n; ++x)
        EXPECT_EQ(grey[x], luma[x / 3]) << x;
}

// A scan that ends early, or no scan at all: what was decoded is kept, and every other
// byte of the picture (the rest of the rows, the rows' padding) is zero.
TEST(ReadJpg, WhatNoScanReachedIsZero)
{
    JpegPicture s = colourPicture(25, 48, 2, 2);
    Bytes good = makeJpeg(s);
    std::size_t sos = 0;
    for (std::size_t i = 0; i + 1 < good.size(); ++i)
        if (good[i] == 0xFF && good[i + 1] == 0xDA)
            sos = i;
    ASSERT_NE(sos, 0u);
    std::size_t data = sos + 2 + (std::size_t(good[sos + 2]) << 8 | good[sos + 3]);

    auto zeroFrom = [](const Dib& d, int y, std::size_t x) {
        for (std::size_t i = x; i < d.stride; ++i)
            if (d.row(y)[i] != 0)
                return false;
        return true;
    };
    Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(data + (good.size() - data) / 3));
    cut.push_back(0xFF);
    cut.push_back(0xD9);
    pictures::Decoded early = readJpg(cut);
    ASSERT_TRUE(early.picture);
    Dib d = dibOf(early.picture.bytes());
    ASSERT_EQ(d.width, 25);
    ASSERT_GT(d.stride, 75u);
    EXPECT_FALSE(zeroFrom(d, 0, 0)) << "the first rows were decoded";
    for (int y = 0; y < d.height; ++y)
        EXPECT_TRUE(zeroFrom(d, y, 75)) << "padding of row " << y;
    EXPECT_TRUE(zeroFrom(d, d.height - 1, 0)) << "the last MCU row was never reached";

    Bytes noScan(good.begin(), good.begin() + std::ptrdiff_t(sos));
    noScan.push_back(0xFF);
    noScan.push_back(0xD9);
    pictures::Decoded none = readJpg(noScan);
    ASSERT_TRUE(none.picture);
    Dib empty = dibOf(none.picture.bytes());
    for (int y = 0; y < empty.height; ++y)
        ASSERT_TRUE(zeroFrom(empty, y, 0)) << "row " << y;
}
