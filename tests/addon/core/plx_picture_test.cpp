#include "plx_fixture.h"

#include "addon/core/vek_callback.h"
#include "tests/support/temp_dir.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxTest;

namespace {

// The smallest GIF: one white pixel.
const unsigned char kOnePixelGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00,
                                      0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00,
                                      0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02,
                                      0x44, 0x01, 0x00, 0x3B};

std::string gifBytes() { return std::string(reinterpret_cast<const char*>(kOnePixelGif), sizeof kOnePixelGif); }

// A 4 x 4 24-bit packed DIB in a movable block.
HGLOBAL smallDib()
{
    const int stride = 12, size = 40 + stride * 4;
    HGLOBAL block = GlobalAlloc(GHND, size);
    auto* p = static_cast<unsigned char*>(GlobalLock(block));
    auto put32 = [&](int at, std::uint32_t v) { std::memcpy(p + at, &v, 4); };
    put32(0, 40);
    put32(4, 4);
    put32(8, 4);
    p[12] = 1;
    p[14] = 24;
    put32(20, stride * 4);
    GlobalUnlock(block);
    return block;
}

class PlxPictureTest : public PlxTest {
protected:
    // "see " then a linked picture with this aux value (1 image map, n + 2 image field n).
    void linkedPicture(int aux)
    {
        HGLOBAL dib = smallDib();
        int picture = EditorInsertPictureHandle(hWnd, 8, dib, 0, 0, 0);
        GlobalFree(dib);
        ASSERT_GT(picture, 0);
        EditorSetPictureProps(hWnd, picture, 0x4000, 0, aux);
        int hidden = EditorCreateFont(hWnd, -1, 1, "Arial", 10, 0x40, 0, 0xFFFFFF, 0, 0);
        EditorSetLineChars(hWnd, 0, "", nullptr);
        EditorAppendText(hWnd, "see ", 0, 0, 0, -1, 0);
        EditorAppendText(hWnd, "href=map.htm", hidden, 0, 0, -1, 0);
        ASSERT_TRUE(EditorAppendText(hWnd, "\x18", picture, 0, 0, -1, 0));
        EditorAppendText(hWnd, "\x15", 0, 0, 0, -1, 0);
        EditorSetReadOnly(hWnd, 1);
        host->heard.clear();
    }
    long clickPicture() { return EditorClickAt(hWnd, 0, 16, 7, 9, 0); }
};

}

TEST_F(PlxPictureTest, AClickOnAnImageMapAddsThePoint)
{
    linkedPicture(1);
    EXPECT_EQ(clickPicture(), 1);
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 3275u);
    EXPECT_EQ(host->heard[0].text, "map.htm?7,9");
}

TEST_F(PlxPictureTest, AClickOnAnImageFieldSubmitsItsForm)
{
    HtmlCtx& c = ctx();
    c.fields[0] = FieldRecord{};
    c.fields[0].type = kFieldText;
    c.fields[1] = FieldRecord{};
    c.fields[1].type = kFieldImage;
    c.fields[1].form = 4;
    c.fieldCount = 2;
    linkedPicture(3);
    EXPECT_EQ(clickPicture(), 1);
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 1u) << "the form is submitted, no link is followed";
    EXPECT_EQ(host->heard[0].message, 3277u);
    EXPECT_EQ(host->heard[0].lParam, 4);
    EXPECT_EQ(c.currentField, 1);
    EXPECT_EQ(c.fields[1].clickX, 7);
    EXPECT_EQ(c.fields[1].clickY, 9);

    // A field number beyond the table submits nothing.
    linkedPicture(40);
    EXPECT_EQ(clickPicture(), 1);
    DispatchPostedMessages();
    EXPECT_TRUE(host->heard.empty());
}

TEST_F(PlxTest, PicturesByNameAndTheBackgroundPictureReadGifFiles)
{
    test::TempDir dir;
    std::string gif = dir.write("Pics/dot.gif", gifBytes()).string();
    auto dib = reinterpret_cast<HGLOBAL>(vekCallback(hWnd, kVekPictureNeeded, 0, reinterpret_cast<LPARAM>(gif.c_str())));
    ASSERT_NE(dib, nullptr) << "the name is read with its own letter case";
    EXPECT_GE(GlobalSize(dib), 40u);
    GlobalFree(dib);
    EXPECT_NE(ctx().pictureFrames, nullptr);
    vekCallback(hWnd, kVekPictureMade, 0, 0);
    EXPECT_EQ(ctx().pictureFrames, nullptr);

    EXPECT_EQ(PlxSetBkPict(hWnd, gif.c_str()), 1);
    EXPECT_EQ(ctx().bkPictureName, gif);
    EXPECT_TRUE(boxes.empty());
}
