// Framesets read into frame windows: the layout of rows and columns, each frame's
// window reading its own source, the host told of each, and re-layout on resizing.
#include "read_fixture.h"

#include "addon/core/html_context.h"
#include "platform/editor/vek32.h"

#include <filesystem>
#include <functional>
#include <fstream>
#include <unistd.h>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxReadTest;

namespace {

constexpr unsigned kSizingBorder = 0x40000, kDialogFrame = 0x400000;

class PlxReadFrameTest : public PlxReadTest {
protected:
    void SetUp() override
    {
        PlxReadTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("plx_frames_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override
    {
        PlxReadTest::TearDown();
        std::filesystem::remove_all(dir);
    }
    std::string file(const std::string& name, const std::string& html)
    {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << html;
        return path;
    }
    int readFile(const std::string& path) { return PlxRead(hWnd, 0, path.c_str(), nullptr, 0, nullptr); }
    const FrameRecord& child(int i, const FrameRecord* set = nullptr)
    {
        return (set ? *set : ctx().rootFrame).children[i];
    }
    RECT rect(HWND w)
    {
        RECT r{};
        GetWindowRect(w, &r);
        return r;
    }
    int width(HWND w) { return rect(w).right - rect(w).left; }
    int height(HWND w) { return rect(w).bottom - rect(w).top; }

    std::filesystem::path dir;
};

}

TEST_F(PlxReadFrameTest, ColumnsOfPixelsAndStarsShareTheWidth)
{
    file("a.htm", "<p>frame a");
    file("b.htm", "<p>frame b");
    std::string top = file("top.htm", "<html><frameset cols=\"100,1*,2*\" frameborder=no>"
                                      "<frame name=one src=a.htm><frame name=two src=b.htm noresize>"
                                      "<frame name=three src=missing.htm target=_top></frameset>"
                                      "<noframes>no frames here</noframes></html>");
    ASSERT_EQ(readFile(top), 1);
    const FrameRecord& root = ctx().rootFrame;
    ASSERT_EQ(root.childCount, 3);
    EXPECT_EQ(root.flags & kFrameCols, kFrameCols);
    EXPECT_EQ(root.flags & kFrameBorders, 0u);
    EXPECT_EQ(width(child(0).window), 100);
    EXPECT_EQ(width(child(1).window), 180);
    EXPECT_EQ(width(child(2).window), 360);
    EXPECT_EQ(rect(child(1).window).left, 100);
    EXPECT_EQ(rect(child(2).window).left, 280);
    EXPECT_EQ(height(child(0).window), 480);

    EXPECT_EQ(text(child(0).window), "frame a");
    EXPECT_EQ(text(child(1).window), "frame b");
    EXPECT_EQ(text(child(2).window), "|") << "a source that cannot be opened leaves its frame empty";
    EXPECT_EQ(heard(3284), (std::vector<std::string>{"a.htm", "b.htm", "missing.htm"}));
    EXPECT_EQ(text(), "") << "noframes text is left out";
    EXPECT_EQ(PlxGetActiveWnd(hWnd), child(2).window) << "the last frame made is active";
    EXPECT_EQ(EditorGetReadOnly(hWnd), 1);
    EXPECT_TRUE(IsFrameSet(hWnd));

    char name[301];
    ASSERT_EQ(PlxGetFrameName(child(1).window, name), 1);
    EXPECT_STREQ(name, "two");
    EXPECT_STREQ(GetHtmlCtx(child(2).window)->defaultTarget, "_top");
    EXPECT_EQ(PlxGetTopWin(child(0).window), hWnd);

    EditorMoveWindow(hWnd, 0, 0, 400, 300);
    EXPECT_EQ(width(child(0).window), 100) << "resizing lays the frames out again";
    EXPECT_EQ(width(child(1).window), 100);
    EXPECT_EQ(width(child(2).window), 200);
    EXPECT_EQ(height(child(2).window), 300);
}

TEST_F(PlxReadFrameTest, PercentagesAreStretchedAndBordersAllowedFor)
{
    std::string top = file("top.htm", "<frameset rows=\"25%,25%\" frameborder=0>"
                                      "<frame src=a.htm><frame src=b.htm noresize></frameset>");
    readFile(top);
    const FrameRecord& root = ctx().rootFrame;
    EXPECT_EQ(root.flags & kFrameRows, kFrameRows);
    EXPECT_EQ(root.flags & kFrameBorders, kFrameBorders) << "only \"no\" turns borders off";
    EXPECT_EQ(child(0).height, 240);
    EXPECT_EQ(child(1).top, 240);
    EXPECT_EQ(height(child(0).window), 238) << "less the border allowance";
    auto style = [](HWND w) { return win::findWindow(w)->style(); };
    EXPECT_EQ(style(child(0).window) & (kSizingBorder | kDialogFrame), kSizingBorder);
    EXPECT_EQ(style(child(1).window) & (kSizingBorder | kDialogFrame), kDialogFrame);
}

TEST_F(PlxReadFrameTest, TheLongerListWinsAndNestedFramesetsTakeTheirEntry)
{
    file("c.htm", "deep");
    std::string top = file("top.htm", "<frameset rows=\"50%,50%\" cols=\"200,*,*\">"
                                      "<frame src=c.htm><frameset rows=\"1*,3*\"><frame><frame src=c.htm></frameset>"
                                      "<frame></frameset>");
    readFile(top);
    const FrameRecord& root = ctx().rootFrame;
    EXPECT_EQ(root.flags & kFrameCols, kFrameCols) << "three columns against two rows";
    ASSERT_EQ(root.childCount, 3);
    const FrameRecord& nested = child(1);
    ASSERT_TRUE(nested.frameset);
    EXPECT_EQ(nested.left, 200);
    EXPECT_EQ(nested.width, 220);
    ASSERT_EQ(nested.childCount, 2);
    EXPECT_EQ(child(0, &nested).height, 120);
    EXPECT_EQ(child(1, &nested).top, 120);
    EXPECT_EQ(child(1, &nested).height, 360);
    EXPECT_EQ(text(child(1, &nested).window), "deep");
    EXPECT_EQ(width(child(1, &nested).window), 218);
}

TEST_F(PlxReadFrameTest, ASecondFramesetIsIgnoredAndStrayFramesJoinTheRoot)
{
    readFile(file("stray.htm", "<frame name=stray src=a.htm>"));
    ASSERT_EQ(ctx().rootFrame.childCount, 1);
    EXPECT_STREQ(child(0).name, "stray");
    EXPECT_NE(child(0).window, nullptr);

    EditorDestroyWindow(hWnd);
    hWnd = newEditor();
    ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
    readFile(file("two.htm", "<frameset cols=50,50><frame><frame></frameset><frameset cols=10><frame></frameset>"));
    EXPECT_EQ(PlxGetUsfList(hWnd) & 0x4, 0x4u);
    EXPECT_EQ(ctx().rootFrame.childCount, 3) << "the second set's frame joins the first";
}

TEST_F(PlxReadFrameTest, AFramesetThatShowsItselfStopsNesting)
{
    std::string self = file("self.htm", "<frameset cols=50%,50%><frame src=self.htm><frame src=self.htm></frameset>");
    EXPECT_EQ(readFile(self), 1);
    std::function<int(HWND)> windowsBelow = [&](HWND w) {
        int n = 0;
        for (HWND child : win::childWindows(w))
            n += 1 + windowsBelow(child);
        return n;
    };
    int frames = windowsBelow(hWnd);
    EXPECT_GT(frames, 8);
    EXPECT_LE(frames, 64) << "a bounded number of frame windows";
}

TEST_F(PlxReadFrameTest, DeepOrEmptyFramesetsAreBoundedAndTakenDownWhole)
{
    std::string page;
    for (int i = 0; i < 20; ++i)
        page += "<frameset rows=50%,50%><frame name=f" + std::to_string(i) + ">";
    readFile(file("deep.htm", page));
    int depth = 0;
    for (const FrameRecord* r = &ctx().rootFrame; r->childCount > 1 && r->children[1].frameset; r = &r->children[1])
        ++depth;
    EXPECT_EQ(depth, kMaxFrameDepth - 1) << "framesets deeper than that are left out";
    EXPECT_EQ(ctx().rootFrame.children[0].window != nullptr, true);

    EditorDestroyWindow(hWnd);
    hWnd = newEditor();
    ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
    readFile(file("empty.htm", "<frameset cols=1,2,3></frameset>"));
    EXPECT_EQ(ctx().rootFrame.childCapacity, 3);
    EXPECT_EQ(ctx().rootFrame.childCount, 0) << "a list without frames; its records go with the window";
}

TEST_F(PlxReadFrameTest, ATargetSendsTheReadToItsFrameAndIsClearedAfter)
{
    readFile(file("top.htm", "<frameset cols=50%,50%><frame name=left><frame name=right></frameset>"));
    ASSERT_EQ(PlxSetTarget(hWnd, "LEFT"), 1);
    ASSERT_EQ(read("<p>into the left frame<p>second"), 1);
    EXPECT_EQ(text(child(0).window), "into the left frame|second");
    EXPECT_EQ(lineOf("into", child(1).window), -1);
    char target[301] = "x";
    PlxGetTarget(hWnd, target);
    EXPECT_STREQ(target, "") << "the read's end clears the target";
}
