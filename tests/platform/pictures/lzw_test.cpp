#include "platform/pictures/lzw.h"
#include "tests/platform/pictures/picture_fixtures.h"

#include <gtest/gtest.h>

#include <tiffio.h>

#include "tests/support/temp_dir.h"

using namespace ks::pictures;
using ks::test::Bytes;

namespace {

// Codes of given widths, packed in either bit order.
struct CodeWriter {
    explicit CodeWriter(bool msb) : msbFirst(msb) {}
    bool msbFirst;
    Bytes bytes;
    std::uint64_t bits = 0;
    int count = 0;
    void put(int code, int width)
    {
        if (msbFirst) {
            bits = bits << width | unsigned(code);
            count += width;
            while (count >= 8) {
                bytes.push_back(std::uint8_t(bits >> (count - 8)));
                count -= 8;
            }
        } else {
            bits |= std::uint64_t(code) << count;
            count += width;
            while (count >= 8) {
                bytes.push_back(std::uint8_t(bits));
                bits >>= 8;
                count -= 8;
            }
        }
    }
    Bytes finish()
    {
        if (count > 0)
            bytes.push_back(std::uint8_t(msbFirst ? bits << (8 - count) : bits));
        return bytes;
    }
};

struct Decoder {
    LzwState state;
    Bytes out;
    static int collect(LzwState* s)
    {
        auto* self = static_cast<Decoder*>(s->owner);
        self->out.insert(self->out.end(), s->output, s->output + s->outputLength);
        return 1;
    }
    Decoder(int rootBits, int order)
    {
        LzwSetup(&state, rootBits, order, this, collect);
        EXPECT_EQ(LzwInit(&state), 1);
    }
    ~Decoder() { LzwFree(&state); }
    // Feeds the data in pieces of the given size.
    int feed(const Bytes& data, std::size_t piece)
    {
        int result = 1;
        for (std::size_t at = 0; at < data.size(); at += piece)
            result &= LzwDecode(&state, data.data() + at, std::min(piece, data.size() - at));
        return result;
    }
};

}

TEST(Lzw, GifCodesGrowAndTheNotYetKnownCodeRepeatsItsPrefix)
{
    // Root size 2: clear 4, end 5, first free 6, three bits growing to four at 8.
    CodeWriter w(false);
    w.put(4, 3);
    w.put(1, 3);
    w.put(1, 3);   // adds 6 = "1 1"
    w.put(6, 3);   // adds 7: the next code is four bits wide
    w.put(8, 4);   // not yet in the table: "1 1" and its own first byte
    w.put(2, 4);
    w.put(5, 4);
    Decoder d(2, kLzwLsbFirst);
    EXPECT_EQ(d.feed(w.finish(), 1), 1);
    EXPECT_EQ(d.out, (Bytes{1, 1, 1, 1, 1, 1, 1, 2}));
    EXPECT_TRUE(d.state.endSeen);
}

TEST(Lzw, TiffCodesChangeWidthOneCodeEarly)
{
    CodeWriter w(true);
    w.put(256, 9);
    w.put('a', 9);
    // Fill the table to 510 so the next entry (511) widens the codes.
    for (int code = 258; code < 511; ++code)
        w.put('a', 9);
    w.put('b', 10);
    w.put(257, 10);
    Decoder d(8, kLzwMsbFirst);
    EXPECT_EQ(d.feed(w.finish(), 3), 1);
    ASSERT_EQ(d.out.size(), 255u);
    EXPECT_EQ(d.out.back(), 'b');
}

TEST(Lzw, ClearThenEndOutputsNothingAndLaterDataIsIgnored)
{
    CodeWriter w(false);
    w.put(256, 9);
    w.put(257, 9);
    w.put('x', 9);
    Decoder d(8, kLzwLsbFirst);
    EXPECT_EQ(d.feed(w.finish(), 100), 1);
    EXPECT_TRUE(d.out.empty());
    EXPECT_EQ(LzwDecode(&d.state, reinterpret_cast<const std::uint8_t*>("zz"), 2), 1);
    EXPECT_TRUE(d.out.empty());
}

TEST(Lzw, CodesBeyondTheTableAreRefused)
{
    CodeWriter w(false);
    w.put(4, 3);
    w.put(1, 3);
    w.put(7, 3);   // next free is 6
    w.put(1, 3);
    Decoder d(2, kLzwLsbFirst);
    EXPECT_EQ(d.feed(w.finish(), 8), 0);
    EXPECT_EQ(d.out, Bytes{1});

    CodeWriter first(false);
    first.put(4, 3);
    first.put(6, 3);   // a first code must be a root
    Decoder e(2, kLzwLsbFirst);
    EXPECT_EQ(e.feed(first.finish(), 8), 0);
    EXPECT_TRUE(e.out.empty());

    LzwState bad;
    bad.highestRoot = 4095;   // roots must be bytes
    bad.callback = Decoder::collect;
    EXPECT_EQ(LzwInit(&bad), 0);
}

namespace {

// A strip of libtiff's encoder: long strings, full tables and clear codes.
Bytes libtiffStrip(const Bytes& rows, int width, int height)
{
    ks::test::TempDir dir;
    ks::test::TiffPicture picture;
    picture.width = width;
    picture.height = height;
    picture.compression = COMPRESSION_LZW;
    picture.rowsPerStrip = height;
    picture.rows = rows;
    std::string path = (dir.path() / "s.tif").string();
    ks::test::makeTiff(picture, path);
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    Bytes raw(std::size_t(TIFFRawStripSize(tif, 0)));
    TIFFReadRawStrip(tif, 0, raw.data(), tmsize_t(raw.size()));
    TIFFClose(tif);
    return raw;
}

// Decodes into a sink of the given size, in pieces; returns what it holds.
Bytes decodeIntoSink(const Bytes& data, int rootBits, int order, std::size_t sinkSize, std::size_t piece,
                     int& result)
{
    Bytes sink(sinkSize + 1);   // never a null sink, even of size 0
    LzwState s;
    LzwSetup(&s, rootBits, order, nullptr, nullptr);
    s.sink = sink.data();
    s.sinkSize = sinkSize;
    EXPECT_EQ(LzwInit(&s), 1);
    result = 1;
    for (std::size_t at = 0; at < data.size(); at += piece)
        result &= LzwDecode(&s, data.data() + at, std::min(piece, data.size() - at));
    sink.resize(s.sinkUsed);
    LzwFree(&s);
    return sink;
}

}

TEST(Lzw, LongStreamsDecodeTheSameInAnyPieces)
{
    Bytes rows = ks::test::patternIndices(300, 200, 256);
    Bytes raw = libtiffStrip(rows, 300, 200);
    for (std::size_t piece : {std::size_t(1), std::size_t(2), std::size_t(5), raw.size()}) {
        Decoder d(8, kLzwMsbFirst);
        EXPECT_EQ(d.feed(raw, piece), 1);
        EXPECT_EQ(d.out, rows) << "pieces of " << piece;
    }
}

TEST(Lzw, ASinkHoldsWhatTheCallbackGetsUpToItsSize)
{
    // Runs give long strings, the pattern short ones.
    Bytes rows = ks::test::patternIndices(300, 100, 256);
    rows.insert(rows.end(), 300 * 100, 7);
    Bytes raw = libtiffStrip(rows, 300, 200);
    for (std::size_t piece : {std::size_t(1), std::size_t(3), raw.size()}) {
        int result = 0;
        EXPECT_EQ(decodeIntoSink(raw, 8, kLzwMsbFirst, rows.size(), piece, result), rows) << piece;
        EXPECT_EQ(result, 1);
    }
    // A smaller sink keeps the beginning; the string that does not fit is cut.
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(1000), std::size_t(59999)}) {
        int result = 0;
        Bytes kept = decodeIntoSink(raw, 8, kLzwMsbFirst, size, 7, result);
        EXPECT_EQ(kept, Bytes(rows.begin(), rows.begin() + std::ptrdiff_t(size))) << size;
        EXPECT_EQ(result, 1);
    }

    // GIF's codes, with the code not yet in the table.
    CodeWriter w(false);
    for (int code : {4, 1, 1, 6, 8, 2, 5})
        w.put(code, code == 8 || code == 2 || code == 5 ? 4 : 3);
    int result = 0;
    EXPECT_EQ(decodeIntoSink(w.finish(), 2, kLzwLsbFirst, 100, 1, result), (Bytes{1, 1, 1, 1, 1, 1, 1, 2}));
    EXPECT_EQ(result, 1);
}

TEST(Lzw, AFullSinkStillChecksTheCodesAndARestartDecodesAgain)
{
    CodeWriter w(false);
    w.put(4, 3);
    for (int i = 0; i < 3; ++i)
        w.put(1, 3);   // the last adds 7: the codes grow to four bits
    w.put(9, 4);       // beyond the table, whose next free code is 8
    int result = 1;
    EXPECT_EQ(decodeIntoSink(w.finish(), 2, kLzwLsbFirst, 1, 8, result), Bytes{1});
    EXPECT_EQ(result, 0);

    Bytes rows = ks::test::patternIndices(200, 50, 256);
    Bytes raw = libtiffStrip(rows, 200, 50);
    Bytes sink(rows.size());
    LzwState s;
    LzwSetup(&s, 8, kLzwMsbFirst, nullptr, nullptr);
    s.sink = sink.data();
    s.sinkSize = sink.size();
    ASSERT_EQ(LzwInit(&s), 1);
    EXPECT_EQ(LzwDecode(&s, raw.data(), raw.size()), 1);
    EXPECT_EQ(sink, rows);
    // The same tables serve the next stream; a broken one is forgotten.
    Bytes broken{0xFF, 0xFF, 0xFF};
    LzwRestart(&s);
    EXPECT_EQ(LzwDecode(&s, broken.data(), broken.size()), 0);
    std::fill(sink.begin(), sink.end(), 0);
    s.sinkUsed = 0;
    LzwRestart(&s);
    EXPECT_EQ(LzwDecode(&s, raw.data(), raw.size()), 1);
    EXPECT_EQ(s.sinkUsed, rows.size());
    EXPECT_EQ(sink, rows);
    LzwFree(&s);
}
