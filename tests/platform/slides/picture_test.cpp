// Pictures from JPEG files: embedded byte for byte at the position and size given.
#include "platform/slides/picture.h"
#include "tests/platform/slides/deck_fixture.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ks::slides::test {
namespace {

TEST(SlidePictures, EmbeddedWithTheirBytesAtTheGivenBox)
{
    ks::test::TempDir dir;
    std::string file = writeJpeg(dir, "KPI_2.jpg", 480, 320);
    Presentation deck;
    Slide& slide = deck.addSlide(1, Layout::TextAndChart);
    Box chart = slide.placeholder(3).box();
    slide.deletePlaceholder(3);
    Shape& picture = slide.addPicture(file, chart.left, chart.top + 20, chart.width, chart.height);
    EXPECT_EQ(picture.kind(), Shape::Kind::Picture);
    EXPECT_EQ(picture.top(), chart.top + 20);
    EXPECT_EQ(picture.pictureData().pixelWidth, 480);
    EXPECT_EQ(picture.pictureData().pixelHeight, 320);
    EXPECT_EQ(errorOf([&] { picture.setText("no text frame"); }), kErrBadArgument);
    // Picture shapes are not placeholders: the placeholder count stays.
    EXPECT_EQ(slide.placeholderCount(), 2);
    EXPECT_EQ(slide.shapeCount(), 3);
    // Negative sizes take the picture's own, 96 pixels to the inch.
    Shape& natural = slide.addPicture(file, 0, 0, -1, -1);
    EXPECT_DOUBLE_EQ(natural.width(), 360);
    EXPECT_DOUBLE_EQ(natural.height(), 240);

    std::string path = (dir.path() / "pictures.pptx").string();
    deck.saveAs(path);
    Unzipped package = unzip(path);
    auto slideXml = package.xml("ppt/slides/slide1.xml");
    auto pic = slideXml.select_node("//p:pic[1]/p:spPr/a:xfrm").node();
    EXPECT_EQ(pic.child("a:off").attribute("x").as_llong(), std::llround(chart.left * 12700));
    EXPECT_EQ(pic.child("a:off").attribute("y").as_llong(), std::llround((chart.top + 20) * 12700));
    EXPECT_EQ(pic.child("a:ext").attribute("cx").as_llong(), std::llround(chart.width * 12700));
    EXPECT_EQ(pic.child("a:ext").attribute("cy").as_llong(), std::llround(chart.height * 12700));
    std::string original = dir.read("KPI_2.jpg");
    int embedded = 0;
    for (const auto& [name, bytes] : package.parts)
        embedded += name.starts_with("ppt/media/") && bytes == original;
    EXPECT_EQ(embedded, 2);
}

TEST(SlidePictures, BadFilesAndBoxesRaiseAndAddNothing)
{
    ks::test::TempDir dir;
    Presentation deck;
    Slide& slide = deck.addSlide(1, Layout::TextAndChart);
    EXPECT_EQ(errorOf([&] { slide.addPicture((dir.path() / "KPI_0.jpg").string(), 0, 0, 10, 10); }), kErrFileNotFound);
    std::string text = dir.write("KPI_5.jpg", "not a picture").string();
    EXPECT_EQ(errorOf([&] { slide.addPicture(text, 0, 0, 10, 10); }), kErrBadFileFormat);
    writeJpeg(dir, "whole.jpg", 40, 30);
    std::string truncated = dir.write("cut.jpg", dir.read("whole.jpg").substr(0, 6)).string();
    EXPECT_EQ(errorOf([&] { slide.addPicture(truncated, 0, 0, 10, 10); }), kErrBadFileFormat);
    std::string good = writeJpeg(dir, "good.jpg", 40, 30);
    EXPECT_EQ(errorOf([&] { slide.addPicture(good, NAN, 0, 10, 10); }), kErrBadArgument);
    EXPECT_EQ(errorOf([&] { slide.addPicture(good, 0, 0, 1e12, 10); }), kErrBadArgument);
    EXPECT_EQ(slide.shapeCount(), 3);
}

TEST(SlidePictures, JpegSizeComesFromTheFrameHeader)
{
    // SOI, an APP0 segment, then a baseline frame header of 3 x 2 pixels.
    std::string bytes("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x0B\x08\x00\x02\x00\x03\x01\x01\x11\x00", 21);
    int width = 0, height = 0;
    EXPECT_TRUE(readJpegSize(bytes, width, height));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_FALSE(readJpegSize(bytes.substr(0, 12), width, height));
    bytes[5] = '\x7F';  // a segment length past the end
    EXPECT_FALSE(readJpegSize(bytes, width, height));
}

}
}
