#include "addon/convert/lzw.h"
#include "tests/addon/convert/picture_fixtures.h"

#include <gtest/gtest.h>

#include <tiffio.h>

#include "tests/support/temp_dir.h"

using namespace ks::addon;
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

TEST(Lzw, LongStreamsDecodeTheSameInAnyPieces)
{
    // libtiff's encoder gives a strip with full tables and clear codes.
    ks::test::TempDir dir;
    ks::test::TiffPicture picture;
    picture.width = 300;
    picture.height = 200;
    picture.compression = COMPRESSION_LZW;
    picture.rowsPerStrip = 200;
    picture.rows = ks::test::patternIndices(300, 200, 256);
    std::string path = (dir.path() / "a.tif").string();
    ks::test::makeTiff(picture, path);
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    Bytes raw(std::size_t(TIFFRawStripSize(tif, 0)));
    TIFFReadRawStrip(tif, 0, raw.data(), tmsize_t(raw.size()));
    TIFFClose(tif);

    for (std::size_t piece : {std::size_t(1), std::size_t(2), std::size_t(5), raw.size()}) {
        Decoder d(8, kLzwMsbFirst);
        EXPECT_EQ(d.feed(raw, piece), 1);
        EXPECT_EQ(d.out, picture.rows) << "pieces of " << piece;
    }
}
