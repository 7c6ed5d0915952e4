// Picture bytes: recognised sizes, and PNGs we write decode to the same pixels in Qt.
#include "platform/editor/model/picture_files.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstring>

using namespace ks::editor;

namespace {

void put32(std::string& s, std::size_t at, std::uint32_t v) { std::memcpy(&s[at], &v, 4); }
void put16(std::string& s, std::size_t at, std::uint16_t v) { std::memcpy(&s[at], &v, 2); }

// A 3x2 4-bit DIB with a two-colour palette, bottom-up rows.
std::string paletteDib()
{
    std::string d(40 + 8 + 2 * 4, '\0');
    put32(d, 0, 40);
    put32(d, 4, 3);
    put32(d, 8, 2);
    put16(d, 12, 1);
    put16(d, 14, 4);
    put32(d, 32, 2);
    d[40 + 4 + 2] = '\xFF';              // entry 1: red (B G R 0)
    d[48] = '\x10';                       // bottom row: 1 0 1 -> red black red
    d[49] = '\x10';
    d[52] = '\x01';                       // top row: 0 1 0
    return d;
}

}

TEST(PictureFiles, SizesAreReadAndBadBytesRefused)
{
    int w = 0, h = 0;
    EXPECT_TRUE(probePicture(ObjectData::Format::Dib, paletteDib(), w, h));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    std::string wmf(22 + 18, '\0');
    put32(wmf, 0, 0x9AC6CDD7);
    put16(wmf, 10, 1440);   // right
    put16(wmf, 12, 720);    // bottom
    put16(wmf, 14, 1440);   // units an inch
    put16(wmf, 24, 9);
    ASSERT_TRUE(probePicture(ObjectData::Format::Wmf, wmf, w, h));
    EXPECT_EQ(w, 96);
    EXPECT_EQ(h, 48);
    put16(wmf, 24, 8);
    EXPECT_FALSE(probePicture(ObjectData::Format::Wmf, wmf, w, h)) << "the metafile header must say 9 words";
    std::string huge = paletteDib();
    put32(huge, 4, 1 << 30);
    EXPECT_FALSE(probePicture(ObjectData::Format::Dib, huge, w, h));
    std::string rgb;
    EXPECT_FALSE(dibToRgb(huge, w, h, rgb));
    std::string cut = paletteDib().substr(0, 50);
    EXPECT_FALSE(dibToRgb(cut, w, h, rgb)) << "rows past the end are refused";
    EXPECT_FALSE(probePicture(ObjectData::Format::Png, "\x89PNG", w, h));
}

TEST(PictureFiles, WrittenPngDecodesToTheDibPixels)
{
    ObjectData o;
    o.format = ObjectData::Format::Dib;
    o.data = paletteDib();
    std::string png = pictureAsPng(o);
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG");
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));

    // Larger than one stored deflate block.
    std::string rgb(300 * 300 * 3, '\0');
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<char>(i * 7);
    std::string big = encodePng(300, 300, rgb);
    QImage decoded = QImage::fromData(reinterpret_cast<const uchar*>(big.data()), static_cast<int>(big.size()), "PNG");
    ASSERT_EQ(decoded.width(), 300);
    QRgb p = decoded.pixel(299, 299);
    std::size_t at = (299 * 300 + 299) * 3;
    EXPECT_EQ(qRed(p), static_cast<unsigned char>(rgb[at]));
    EXPECT_EQ(qBlue(p), static_cast<unsigned char>(rgb[at + 2]));
}
