#include "plx_fixture.h"

#include "addon/base/allocators.h"
#include "addon/core/plx_module.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;

namespace {

char* copyText(const char* text)
{
    auto* p = static_cast<char*>(MemAlloc(std::strlen(text)));
    std::strcpy(p, text);
    return p;
}

// The fixture's window shows a frameset of two frames, "left" and "Main", as the reader builds it.
class PlxFrameTest : public ks::test::PlxTest {
protected:
    void SetUp() override
    {
        PlxTest::SetUp();
        left = frame("left", 0);
        main = frame("Main", 1);
        boxes.clear();
    }
    HWND frame(const char* name, int index)
    {
        HtmlCtx& top = ctx();
        if (!top.rootFrame.children) {
            top.rootFrame.children = static_cast<FrameRecord*>(MemAlloc(2 * sizeof(FrameRecord)));
            top.rootFrame.childCapacity = 2;
        }
        HWND w = newEditor();
        EXPECT_EQ(PlxInitialize(w, hostWnd), 1);
        SetTopWin(w, hWnd);
        SetParentWin(w, hWnd);
        SetFrameParent(w, &top);
        FrameRecord& r = top.rootFrame.children[index];
        r = FrameRecord{};
        r.window = w;
        r.name = copyText(name);
        r.parent = &top.rootFrame;
        top.rootFrame.childCount = index + 1;
        return w;
    }
    // The header level an export on the top window gave each window.
    std::vector<int> headersAfterSetHeader(int level)
    {
        EXPECT_EQ(PlxSetHeader(hWnd, level, 0), 1);
        return {(typeWord(0) >> 6) & 7, (typeWord(0, left) >> 6) & 7, (typeWord(0, main) >> 6) & 7};
    }

    HWND left = nullptr, main = nullptr;
};

}

TEST_F(PlxFrameTest, ATargetNameRedirectsEditingExportsToItsFrame)
{
    EXPECT_TRUE(IsFrameSet(hWnd));
    EXPECT_FALSE(IsFrameSet(left));
    EXPECT_EQ(FindFrameByName(&ctx(), &ctx().rootFrame, "MAIN"), main);
    EXPECT_EQ(FindFrameByName(&ctx(), &ctx().rootFrame, "none"), nullptr);
    EXPECT_EQ(PlxGetTopWin(left), hWnd);

    EXPECT_EQ(PlxSetTarget(left, "main"), 1) << "stored in the top context";
    char target[301];
    PlxGetTarget(hWnd, target);
    EXPECT_STREQ(target, "main");
    EXPECT_STREQ(ctx(left).targetName, "");
    EXPECT_EQ(headersAfterSetHeader(1), (std::vector<int>{0, 0, 1}));

    PlxSetTarget(hWnd, "_self");
    EXPECT_EQ(headersAfterSetHeader(2), (std::vector<int>{2, 0, 1}));
    HWND probe = left;
    PlxSetTarget(hWnd, "_top");
    GetHtmlCtx(&probe, true);
    EXPECT_EQ(probe, hWnd) << "_top from a frame selects the top window";
    probe = left;
    PlxSetTarget(hWnd, "_parent");
    GetHtmlCtx(&probe, true);
    EXPECT_EQ(probe, hWnd);

    // A name that matches no frame falls back to the active frame, and with none to the window.
    PlxSetTarget(hWnd, "nowhere");
    EXPECT_EQ(headersAfterSetHeader(3), (std::vector<int>{3, 0, 1}));
    EXPECT_EQ(PlxSetActiveWnd(left), 1);
    EXPECT_EQ(PlxGetActiveWnd(hWnd), left);
    EXPECT_EQ(headersAfterSetHeader(4), (std::vector<int>{3, 4, 1}));

    // While the no-redirect flag is set the window itself is meant.
    ctx().noRedirect = 1;
    EXPECT_EQ(headersAfterSetHeader(5), (std::vector<int>{5, 4, 1}));
    ctx().noRedirect = 0;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxFrameTest, FrameNamesStayWithTheFrameTargetsWithTheTop)
{
    EXPECT_EQ(PlxSetFrameName(main, "Main"), 1);
    EXPECT_STREQ(ctx(main).frameName, "Main");
    EXPECT_STREQ(ctx().frameName, "");
    EXPECT_EQ(PlxSetDocTitle(main, "Doc"), 1);
    EXPECT_STREQ(ctx().docTitle, "Doc");
    EXPECT_EQ(PlxSetActiveWnd(main), 1);
    EXPECT_EQ(ctx().activeFrameWindow, main);
}

TEST_F(PlxFrameTest, ModifiedAndReadOnlyGoThroughTheFrames)
{
    EditorSetModified(hWnd, 1);
    EXPECT_EQ(PlxModified(hWnd), 0) << "only the frames count";
    EditorSetModified(main, 1);
    EXPECT_EQ(PlxModified(hWnd), 1);

    EXPECT_EQ(PlxSetReadOnly(hWnd, 0), 1);
    EXPECT_EQ(EditorGetReadOnly(left), 0);
    EXPECT_EQ(EditorGetReadOnly(main), 0);
    EXPECT_EQ(EditorGetReadOnly(hWnd), 1) << "the frameset window itself stays read-only";
    PlxSetReadOnly(hWnd, 1);
    EXPECT_EQ(EditorGetReadOnly(left), 1);
}

TEST_F(PlxFrameTest, TheFramesetGoingAwayTakesItsFramesDown)
{
    EditorDestroyWindow(hWnd);
    EXPECT_FALSE(IsWindow(left));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(windowEntered(left));
    EXPECT_FALSE(windowEntered(main));
    int destroyed = 0;
    for (auto& m : host->heard)
        destroyed += m.message == 0xAA4;
    EXPECT_EQ(destroyed, 3);
}
