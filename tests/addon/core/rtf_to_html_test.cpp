// The paragraph types an RTF document gets before it is rebuilt as HTML.
#include "write_fixture.h"

#include "addon/core/para_type.h"
#include "addon/core/rtf_to_html.h"
#include "addon/core/temp_picture.h"
#include "tests/support/temp_dir.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

class RtfMappingTest : public PlxWriteTest {
protected:
    // An editor font as an RTF document brings it: no element, no HTML size.
    int sized(int points, unsigned style = 0)
    {
        return EditorCreateFont(hWnd, -1, 1, "Times New Roman", points, style, 0, 0xFFFFFF, 0, 100);
    }
    int map(int options = 0) { return MapRtfParagraphs(ctx(), hWnd, base.c_str(), options); }
    int header(int line) { return GetParaHeader(nullptr, typeWord(line)); }
    std::string base = "notes.rtf";
};

}

TEST_F(RtfMappingTest, LargeTextBecomesAHeaderByTheElementSizes)
{
    para("eighteen", {}, sized(18));
    para("thirteen", {}, sized(13));
    para("eleven", {}, sized(11));
    add("mixed ", sized(24));
    add("sizes\x15", sized(12));
    add("hidden data ", sized(36, 0x40));
    add("small\x15", sized(11));
    para("kept", {1 << 6}, sized(18));
    ASSERT_EQ(map(), 1);
    EXPECT_EQ(header(0), 2) << "18 points is not below Header 2's 18";
    EXPECT_EQ(header(1), 4) << "the first element at or below 13 is Header 4";
    EXPECT_EQ(typeWord(2), 0) << "not above the base size";
    EXPECT_EQ(header(3), 2) << "the average of every character: (6 x 24 + 6 x 12) / 12 = 18";
    EXPECT_EQ(typeWord(4), 0) << "hidden characters do not count";
    EXPECT_EQ(header(5), 1) << "a paragraph with a type keeps it";
}

TEST_F(RtfMappingTest, HangingNumberedOrBulletedParagraphsBecomeListItems)
{
    int numbers = EditorMakeListFormat(hWnd, 0, 1, 0, 0);
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 0, 0);
    para("numbered", {0, 8, 0, 0, 0, 1440, -360, numbers}, sized(11));
    para("bulleted", {0, 8, 0, 0, 0, 360, -360, bullets}, sized(11));
    para("deep", {0, 8, 0, 0, 0, 9000, -360, bullets}, sized(11));
    para("not hanging", {0, 8, 0, 0, 0, 720, 0, bullets}, sized(11));
    add("\x15", sized(11), {0, 0x10});
    add("x\x15", sized(11), {0, 0x20});
    add("xy\x15", sized(11), {0, 0x20});
    ASSERT_EQ(map(), 1);
    EXPECT_EQ(typeWord(0), (1 << 3 | 2 | 0x2000)) << "an ol item of level 2";
    EXPECT_EQ(typeWord(1), (2 << 3 | 1 | 0x2000));
    EXPECT_EQ(typeWord(2), (2 << 3 | 7 | 0x2000)) << "the level stops at 7";
    EXPECT_EQ(typeWord(3), 0);
    EXPECT_EQ(GetParaMiscType(nullptr, typeWord(4)), kMiscRule) << "a bordered empty paragraph is a rule";
    EXPECT_EQ(GetParaMiscType(nullptr, typeWord(5)), kMiscRule) << "so is one of a single character";
    EXPECT_EQ(typeWord(6), 0);
}

TEST_F(RtfMappingTest, OptionOneKeepsLargeTextButStillMakesListsAndRules)
{
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 0, 0);
    para("large", {}, sized(24));
    para("item", {0, 8, 0, 0, 0, 360, -360, bullets}, sized(24));
    add("\x15", sized(11), {0, 0x10});
    ASSERT_EQ(map(kRtfNoHeaders), 1);
    EXPECT_EQ(typeWord(0), 0);
    EXPECT_EQ(typeWord(1), (2 << 3 | 1 | 0x2000));
    EXPECT_EQ(GetParaMiscType(nullptr, typeWord(2)), kMiscRule);
}

TEST_F(RtfMappingTest, ABreakAloneOnItsParagraphBecomesALineBreakAndPicturesGetFiles)
{
    ks::test::TempDir temp;
    base = (temp.path() / "report.rtf").string();
    para("text", {}, sized(11));
    add("\x0C\x15", sized(11), {0, 0, 0, 0, 0, 720});
    HGLOBAL dib = GlobalAlloc(GHND, 40 + 4);
    auto* header = static_cast<unsigned char*>(GlobalLock(dib));
    header[0] = 40, header[4] = 1, header[8] = 1, header[12] = 1, header[14] = 24;
    GlobalUnlock(dib);
    int picture = EditorInsertPictureHandle(hWnd, 8, dib, 0, 0, 0);
    GlobalFree(dib);
    EditorSetPictureProps(hWnd, picture, 0x80, 0, 0);
    add("\x18", picture);
    add("\x15", sized(11));
    ASSERT_EQ(map(), 1);
    char chars[8]{};
    ASSERT_GE(EditorGetLineChars(hWnd, 1, chars, nullptr), 1);
    EXPECT_EQ(chars[0], 0x0F);
    EXPECT_EQ(props(1).left, 0) << "the line break takes the default paragraph format";
    char name[kPictureNameSize]{};
    EditorPictureFileName(hWnd, picture, 1, name);
    EXPECT_EQ(std::string(name), (temp.path() / "repo_1.PNG").string());
    EXPECT_EQ(temp.read("repo_1.PNG").substr(1, 3), "PNG");
}

TEST_F(RtfMappingTest, ConversionEndsInAnHtmlDocumentWithoutTheModifiedMark)
{
    int bullets = EditorMakeListFormat(hWnd, 1, 1, 0, 0);
    para("Chapter", {}, sized(18));
    para("item", {0, 8, 0, 0, 0, 360, -360, bullets}, sized(11));
    add("\x15", sized(11), {0, 0x10});
    para("large text kept", {}, sized(14));
    EditorSetModified(hWnd, 1);
    ASSERT_EQ(PlxRtfToHtmlEx(hWnd, base.c_str(), 0), 1);
    EXPECT_EQ(info().modified, 0);
    EXPECT_EQ(ctx().rtfConversion, 0);
    EXPECT_EQ(header(0), 2) << "the header survives the rebuild";
    std::string page = written();
    EXPECT_NE(page.find("<h2><b>Chapter</b></h2>"), std::string::npos) << page;
    EXPECT_NE(page.find("<ul>\r\n<li>item"), std::string::npos) << page;
    EXPECT_NE(page.find("<hr"), std::string::npos) << page;
    EXPECT_NE(page.find("<h3>"), std::string::npos) << "14 points: the first element at or below is Header 3: " << page;
    EXPECT_TRUE(boxes.empty());

    HWND plain = newEditor();
    EXPECT_EQ(PlxRtfToHtml(plain, nullptr), 0);
    expectNotInitialized("PlxRtfToHtml");
}
