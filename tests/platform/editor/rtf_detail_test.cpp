#include "editor_fixture.h"
#include "platform/editor/vek32_codes.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <cstring>
#include <filesystem>

using namespace ks::editor;
using ks::test::EditorTest;

namespace {

std::string dib1x1()
{
    std::string d(44, '\0');
    std::uint32_t v40 = 40, one = 1;
    std::memcpy(&d[0], &v40, 4);
    std::memcpy(&d[4], &one, 4);
    std::memcpy(&d[8], &one, 4);
    d[12] = 1;
    d[14] = 24;
    return d;
}

std::vector<std::string> asked;
LRESULT answerPictures(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == 0xAAD) {
        asked.push_back(reinterpret_cast<const char*>(lParam));
        HGLOBAL b = GlobalAlloc(GHND, dib1x1().size());
        std::memcpy(GlobalLock(b), dib1x1().data(), dib1x1().size());
        GlobalUnlock(b);
        return reinterpret_cast<LRESULT>(b);
    }
    if (message == 0xAAF)
        asked.push_back("made " + std::to_string(lParam));
    return 0;
}

}

TEST_F(EditorTest, RtfUnicodeSymbolsAndSkippedDestinations)
{
    ks::test::TempDir dir;
    std::string rtf =
        "{\\rtf1\\ansi\\uc2 a\\u8220\\'93\\'93b\\uc0\\u233 c\\u-4064 \\emdash\\lquote\\~\\_"
        "{\\*\\bkmkstart x}{\\footnote hidden}{\\header no}\\tab{\\info{\\title t}}d\\\r\ne}";
    ASSERT_EQ(EditorOpenRtf(hWnd, dir.write("u.rtf", rtf).c_str()), 1);
    EXPECT_EQ(text(), "a\x93" "b\xE9" "c?\x97\x91\x0E-\td\x15" "e");
}

TEST_F(EditorTest, LinkedPicturesLoadDirectlyOrThroughTheAddOn)
{
    ks::test::TempDir dir;
    std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x04\0\0\0\x02\x08\x02\0\0\0", 29);
    dir.write("pics/a.png", png);
    asked.clear();
    EditorSetAddonCallback(hWnd, answerPictures);
    std::string rtf =
        "{\\rtf1 {\\field{\\*\\fldinst INCLUDEPICTURE \"pics/a.png\" \\\\d}{\\fldrslt old}}"
        "{\\field{\\*\\fldinst INCLUDEPICTURE \"anim.gif\"}{\\fldrslt {\\pict\\jpegblip ffd8}}}"
        "{\\field{\\*\\fldinst INCLUDEPICTURE \"missing.png\"}{\\fldrslt kept}}\\par}";
    ASSERT_EQ(EditorOpenRtf(hWnd, dir.write("doc.rtf", rtf).c_str()), 1);
    auto l = line(0);
    ASSERT_EQ(l.chars, "\x18\x18kept\x15");
    RECT r;
    EditorGetFontData(hWnd, l.fonts[0], nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right, 4);
    char name[260];
    EditorPictureFileName(hWnd, l.fonts[1], 1, name);
    EXPECT_STREQ(name, "anim.gif");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], dir.str() + "/anim.gif");
    EXPECT_EQ(asked[1], "made " + std::to_string(l.fonts[1]));
    EditorSetAddonCallback(hWnd, nullptr);
}

TEST_F(EditorTest, MetafilePicturesRoundTripAndSavesNeverLeaveHalfFiles)
{
    ks::test::TempDir dir;
    std::string wmf(18, '\0');
    wmf[0] = 1;
    wmf[2] = 9;
    HGLOBAL b = GlobalAlloc(GHND, wmf.size());
    std::memcpy(GlobalLock(b), wmf.data(), wmf.size());
    GlobalUnlock(b);
    int id = EditorInsertPictureHandle(hWnd, 3, b, 0, 0, 0);
    GlobalFree(b);
    ASSERT_GT(id, 0);
    EditorSetPictureSize(hWnd, id, 64, 32);
    EditorPlacePicture(hWnd, id, 0);
    auto out = dir.path() / "pic.wmf";
    ASSERT_TRUE(EditorSavePictureWmf(hWnd, id, out.c_str()));
    std::string placeable = dir.read("pic.wmf");
    EXPECT_EQ(placeable.size(), 22u + 18u);
    EXPECT_EQ(placeable.substr(22), wmf);
    int again = EditorInsertWmfFile(hWnd, out.c_str(), 0, 0);
    RECT r;
    EditorGetFontData(hWnd, again, nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right, 64) << "the placeable header carries the size";

    auto doc = dir.path() / "m.rtf";
    ASSERT_TRUE(EditorSaveRtfEnd(hWnd, doc.c_str()));
    std::string first = dir.read("m.rtf");
    EXPECT_NE(first.find("\\wmetafile8"), std::string::npos);
    ASSERT_EQ(EditorOpenRtf(hWnd, doc.c_str()), 1);
    EditorGetFontData(hWnd, line(0).fonts[0], nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right, 64);
    ASSERT_TRUE(EditorSaveRtfEnd(hWnd, doc.c_str()));
    EXPECT_EQ(dir.read("m.rtf"), first);

    // A save that cannot replace its target leaves the target and no temporary file.
    std::filesystem::create_directories(dir.path() / "busy" / "inside");
    EditorSetModified(hWnd, 1);
    EXPECT_EQ(EditorSaveRtfEnd(hWnd, (dir.path() / "busy").c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "busy" / "inside"));
    EXPECT_EQ(info().modified, 1) << "a failed save keeps the document marked changed";
    {
        ks::test::FullDisk full(first.size() / 2);
        EXPECT_EQ(EditorSaveRtfEnd(hWnd, doc.c_str()), 0);
    }
    EXPECT_EQ(dir.read("m.rtf"), first) << "notes saved on a full disk are not emptied";
    EXPECT_EQ(info().modified, 1);
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.path()))
        files += entry.path().filename().string().find(".tmp") != std::string::npos;
    EXPECT_EQ(files, 0);
}

TEST_F(EditorTest, NamesWithRtfCharactersStillSaveAsSoundRtf)
{
    ks::test::TempDir dir;
    int odd = EditorCreateFont(hWnd, -1, 1, "A{b;c}\\d", 10, 0, 0, 0xFFFFFF, 0, 0);
    EditorSetCurFont(hWnd, odd);
    EditorInsertText(hWnd, "text");
    EditorInsertControl(hWnd, "Com bo{x}", 0, 150, 150, 1, 3, 0);
    EditorPlacePicture(hWnd, 1 + odd, 0);
    auto path = dir.path() / "odd.rtf";
    ASSERT_TRUE(EditorSaveRtfEnd(hWnd, path.c_str()));
    ASSERT_EQ(EditorOpenRtf(hWnd, path.c_str()), 1) << "our own output is never damaged";
    char face[32];
    EditorGetFontInfo(hWnd, line(0).fonts[0], face, nullptr, nullptr);
    EXPECT_STREQ(face, "Abcd");
    std::string fields = "{\\rtf1 {\\field{\\*\\fldinst MERGEFIELD \"Name \\{x\\}\"}{\\fldrslt v}}\\par}";
    ASSERT_EQ(EditorOpenRtf(hWnd, dir.write("f.rtf", fields).c_str()), 1);
    EXPECT_EQ(EditorFillMergeField(hWnd, "Name {x}", "w"), 1);
    ASSERT_TRUE(EditorSaveRtfEnd(hWnd, path.c_str()));
    ASSERT_EQ(EditorOpenRtf(hWnd, path.c_str()), 1);
    EXPECT_EQ(EditorFillMergeField(hWnd, "Name {x}", "z"), 1);
    EXPECT_EQ(text(), "z\x15");
}
