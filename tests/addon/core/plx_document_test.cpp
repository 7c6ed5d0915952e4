// The document as a whole: the tag-data table that goes with it, and emptying a window.
#include "write_fixture.h"

#include "addon/base/allocators.h"
#include "addon/core/tag_data.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

char* copyText(const char* text)
{
    auto* p = static_cast<char*>(MemAlloc(std::strlen(text)));
    std::strcpy(p, text);
    return p;
}

}

TEST_F(PlxWriteTest, TagDataFillsHolesAndGrowsByFifty)
{
    int first = AddTagData(ctx(), kTagUser, 1, "one");
    int second = AddTagData(ctx(), kTagMeta, 2, "two");
    EXPECT_EQ(ctx().tagCapacity, kTagTableStep);
    ASSERT_EQ(DeleteTagData(ctx(), first), 1);
    EXPECT_EQ(FindTagData(ctx(), kTagUser, 1), nullptr);
    EXPECT_EQ(AddTagData(ctx(), kTagCellAttribute, 9, "nine"), first) << "the hole is filled";
    EXPECT_STREQ(FindTagData(ctx(), kTagMeta, 2)->text1, "two") << "the other entries keep their places";
    EXPECT_EQ(FindTagData(ctx(), kTagMeta, 2), &ctx().tagTable[second]);
    for (int i = 0; i < kTagTableStep; ++i)
        ASSERT_GE(AddTagData(ctx(), kTagPictureSize, 100 + i, nullptr), 0);
    EXPECT_EQ(ctx().tagCount, kTagTableStep + 2);
    EXPECT_EQ(ctx().tagCapacity, 2 * kTagTableStep);
    EXPECT_STREQ(FindTagData(ctx(), kTagPictureSize, 149)->text1, "") << "a null text is stored empty";
    EXPECT_EQ(DeleteTagData(ctx(), 10000), 1);
    EXPECT_EQ(FreeTagData(ctx()), 1);
    EXPECT_EQ(ctx().tagTable, nullptr);
    EXPECT_EQ(ctx().tagCount, 0);
}

TEST_F(PlxWriteTest, ClearingAWindowEmptiesItAndWhatTheAddOnKeepsButNotItsNames)
{
    para("some text", {1 << 6}, font(1));
    AddTagData(ctx(), kTagUser, 5, "tag");
    ctx().fieldCount = 1;
    ctx().fields[0].type = kFieldText;
    ctx().fields[0].value = OurAlloc(8);
    std::strcpy(ctx().fileName, "page.htm");
    PlxSetDocTitle(hWnd, "Title");
    std::strcpy(ctx().bkPictureName, "tile.gif");
    ctx().unsupported = 0x10;
    EditorSetReadOnly(hWnd, 1);
    ctx().fonts[1].points = 30;

    EXPECT_EQ(PlxClearWindow(hWnd), 1);
    EXPECT_EQ(info().lineCount, 1);
    EXPECT_EQ(EditorGetLineChars(hWnd, 0, nullptr, nullptr), 1) << "one empty paragraph";
    EXPECT_EQ(ctx().tagTable, nullptr);
    EXPECT_EQ(ctx().fieldCount, 0);
    EXPECT_STREQ(ctx().bkPictureName, "");
    EXPECT_EQ(ctx().unsupported, 0u);
    EXPECT_EQ(EditorGetReadOnly(hWnd), 0) << "outside view mode the window becomes editable";
    EXPECT_STREQ(ctx().fileName, "page.htm");
    EXPECT_STREQ(ctx().docTitle, "Title");
    int points = 0;
    EditorGetFontInfo(hWnd, ctx().fonts[1].fontId, nullptr, &points, nullptr);
    EXPECT_EQ(points, 30) << "the element fonts are made anew";
    EXPECT_EQ(written(), "<head>\r\n<title>Title</title>\r\n</head>\r\n<body>\r\n</body>\r\n");

    ctx().viewMode = 1;
    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(PlxClearWindow(hWnd), 1);
    EXPECT_EQ(EditorGetReadOnly(hWnd), 1) << "in view mode it stays read-only";

    HWND plain = newEditor();
    EXPECT_EQ(PlxClearWindow(plain), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Html Not initialized(PlxClearWindow)!");
}

TEST_F(PlxWriteTest, ClearingAFramesetTakesDownEveryNestedFrameWindow)
{
    auto frame = [&](FrameRecord& record, const char* name) {
        record = FrameRecord{};
        record.name = copyText(name);
        record.window = newEditor();
        EXPECT_EQ(PlxInitialize(record.window, hostWnd), 1);
        SetTopWin(record.window, hWnd);
        SetFrameParent(record.window, &ctx());
        return record.window;
    };
    HtmlCtx& top = ctx();
    top.rootFrame.children = static_cast<FrameRecord*>(MemAlloc(2 * sizeof(FrameRecord)));
    top.rootFrame.childCount = top.rootFrame.childCapacity = 2;
    HWND left = frame(top.rootFrame.children[0], "left");
    FrameRecord& nested = top.rootFrame.children[1];
    nested = FrameRecord{};
    nested.frameset = 1;
    nested.children = static_cast<FrameRecord*>(MemAlloc(2 * sizeof(FrameRecord)));
    nested.childCount = nested.childCapacity = 2;
    HWND upper = frame(nested.children[0], "upper");
    HWND lower = frame(nested.children[1], "lower");
    EditorInsertText(upper, "frame text");
    AddTagData(ctx(upper), kTagUser, 1, "kept by the frame");
    PlxSetTarget(hWnd, "upper");
    EXPECT_EQ(PlxClearWindow(hWnd), 1) << "a target name sends the clearing to that frame";
    EXPECT_EQ(EditorGetLineChars(upper, 0, nullptr, nullptr), 1);
    EXPECT_EQ(ctx(upper).tagTable, nullptr);
    EXPECT_TRUE(IsWindow(upper));

    PlxSetTarget(hWnd, "nowhere");
    PlxSetActiveWnd(hWnd);
    EXPECT_EQ(PlxClearWindow(hWnd), 1);
    EXPECT_FALSE(IsWindow(left));
    EXPECT_FALSE(IsWindow(upper));
    EXPECT_FALSE(IsWindow(lower));
    EXPECT_EQ(top.rootFrame.childCount, 0);
    EXPECT_EQ(top.rootFrame.children, nullptr);
    EXPECT_EQ(PlxGetActiveWnd(hWnd), hWnd) << "the top window is the active frame again";
    char target[301];
    PlxGetTarget(hWnd, target);
    EXPECT_STREQ(target, "nowhere") << "the target name is put back";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxWriteTest, ReformatRebuildsTheDocumentKeepingItsNameAndModifiedMark)
{
    para("Title", {1 << 6}, font(1));
    para("some bold", {0, 0, 120, 120}, font(0, 1));
    std::strcpy(ctx().fileName, "kept.htm");
    std::string before = written();
    EditorSetModified(hWnd, 1);
    EXPECT_EQ(PlxReformat(hWnd), 1);
    EXPECT_EQ(info().modified, 1) << "a modified document stays modified";
    EXPECT_EQ(written(), before) << "(writing clears the mark)";
    EXPECT_STREQ(ctx().fileName, "kept.htm");

    EditorSetModified(hWnd, 0);
    EXPECT_EQ(PlxReformat(hWnd), 1);
    EXPECT_EQ(info().modified, 0) << "one without changes stays without the mark";
    EXPECT_EQ(ctx().noRedirect, 0);
    EXPECT_TRUE(boxes.empty());

    HWND plain = newEditor();
    EXPECT_EQ(PlxReformat(plain), 0) << "a window without the add-on";
}

TEST_F(PlxWriteTest, ReformattingAFrameKeepsToThatFrameWhateverTheTarget)
{
    HtmlCtx& top = ctx();
    top.rootFrame.children = static_cast<FrameRecord*>(MemAlloc(2 * sizeof(FrameRecord)));
    top.rootFrame.childCount = top.rootFrame.childCapacity = 2;
    HWND frames[2];
    const char* names[2] = {"left", "right"};
    for (int i = 0; i < 2; ++i) {
        FrameRecord& record = top.rootFrame.children[i];
        record = FrameRecord{};
        record.name = copyText(names[i]);
        record.window = frames[i] = newEditor();
        ASSERT_EQ(PlxInitialize(record.window, hostWnd), 1);
        SetTopWin(record.window, hWnd);
        SetFrameParent(record.window, &ctx());
        EditorInsertText(record.window, names[i]);
    }
    PlxSetTarget(hWnd, "right");
    EXPECT_EQ(PlxReformat(frames[0]), 1);
    char chars[16]{};
    EXPECT_EQ(EditorGetLineChars(frames[0], 0, chars, nullptr), 5);
    EXPECT_EQ(std::string(chars, 4), "left");
    EXPECT_EQ(EditorGetLineChars(frames[1], 0, chars, nullptr), 6);
    EXPECT_EQ(std::string(chars, 5), "right") << "the frame the target names is left alone";
    EXPECT_EQ(top.noRedirect, 0);
    EXPECT_EQ(ctx(frames[0]).noRedirect, 0);
}
