// Pictures, temporary picture files and framesets as the writer puts them into a page.
#include "write_fixture.h"

#include "addon/base/allocators.h"
#include "addon/core/html_context.h"
#include "addon/core/tag_data.h"
#include "addon/core/temp_picture.h"
#include "platform/win/user_dialogs.h"
#include "tests/support/temp_dir.h"

#include <cstring>
#include <filesystem>
#include <vector>

using namespace ks;
using namespace ks::addon;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

const Para kPlain{0, 0, 120, 120};

// A 3 x 2 24-bit packed DIB in a movable block.
HGLOBAL smallDib()
{
    const int stride = 12, size = 40 + stride * 2;
    HGLOBAL block = GlobalAlloc(GHND, size);
    auto* p = static_cast<unsigned char*>(GlobalLock(block));
    auto put32 = [&](int at, std::uint32_t v) { std::memcpy(p + at, &v, 4); };
    put32(0, 40);
    put32(4, 3);
    put32(8, 2);
    p[12] = 1;
    p[14] = 24;
    put32(20, stride * 2);
    GlobalUnlock(block);
    return block;
}

char* copyText(const char* text)
{
    auto* p = static_cast<char*>(MemAlloc(std::strlen(text)));
    std::strcpy(p, text);
    return p;
}

class PlxWriteObjectsTest : public PlxWriteTest {
protected:
    int picture(const char* fileName = nullptr, int aux = 0, int vertical = 0)
    {
        HGLOBAL dib = smallDib();
        int id = EditorInsertPictureHandle(hWnd, 8, dib, 0, 0, 0);
        GlobalFree(dib);
        EXPECT_GT(id, 0);
        EditorSetPictureProps(hWnd, id, 0x80, vertical, aux);
        if (fileName) {
            char name[kPictureNameSize];
            std::snprintf(name, sizeof name, "%s", fileName);
            EditorPictureFileName(hWnd, id, 0, name);
        }
        return id;
    }
    // A metafile picture of one end record.
    int metafile()
    {
        const unsigned char bytes[] = {1, 0, 9, 0, 0, 3, 12, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0};
        HGLOBAL block = GlobalAlloc(GHND, sizeof bytes);
        std::memcpy(GlobalLock(block), bytes, sizeof bytes);
        GlobalUnlock(block);
        int id = EditorInsertPictureHandle(hWnd, 3, block, 0, 0, 0);
        GlobalFree(block);
        EXPECT_GT(id, 0);
        return id;
    }
    void place(int id) { add("\x18", id); }
    std::string fileNameOf(int id)
    {
        char name[kPictureNameSize]{};
        EditorPictureFileName(hWnd, id, 1, name);
        return name;
    }
};

}

TEST_F(PlxWriteObjectsTest, PicturesWriteTheirNameSizeAlignmentAndMap)
{
    int plain = picture("pics/logo.gif");
    int middle = picture("c:\\art\\mid.jpg", 0, 1);
    int map = picture("map.gif", 1, 2);
    int left = picture("float.png");
    EditorSetPictureFloat(hWnd, left, 1, 0);
    EditorSetPictureSize(hWnd, plain, 40, 20);
    AddTagData(ctx(), kTagPictureMap, map, "#places");
    add("a ", font(0, 2));
    place(plain);
    add(" b", font(0, 2));
    place(middle);
    place(map);
    place(left);
    add("\x15", font(0), kPlain);
    EXPECT_EQ(body(), "<p><b>a </b><img src=pics/logo.gif width=40 height=20><b> b</b>"
                      "<img src=c:\\art\\mid.jpg align=middle |width=3 height=2>"
                      "<img src=map.gif ismap align=top width=3 height=2 usemap=#places><img src=float.png "
                      "|align=left width=3 height=2></p>")
        << "formatting closes before a picture and opens again after it; attributes may go to the next line";
    PlxSetFlags(hWnd, 1, 4);
    EXPECT_NE(body().find("<img src=mid.jpg align=middle"), std::string::npos) << "flag 4: the file part only";
}

TEST_F(PlxWriteObjectsTest, APictureWithoutAFileGetsATemporaryOneBesideThePage)
{
    ks::test::TempDir temp;
    std::string page = (temp.path() / "annual.htm").string();
    int first = picture(), second = picture();
    place(first);
    place(second);
    add("\x15", font(0), kPlain);
    ASSERT_EQ(PlxWrite(hWnd, 0, page.c_str(), nullptr, nullptr, 0), 1);
    std::string written = temp.read("annual.htm");
    std::string firstName = (temp.path() / "annu_1.PNG").string(), secondName = (temp.path() / "annu_2.PNG").string();
    EXPECT_NE(written.find("<img src=" + firstName + " width=3 height=2><img src=" + secondName), std::string::npos)
        << written;
    EXPECT_EQ(temp.read("annu_1.PNG").substr(1, 3), "PNG");
    EXPECT_EQ(fileNameOf(first), firstName) << "the picture keeps its new name";
    EXPECT_EQ(ctx().tempPictureCount, 2);

    int third = metafile();
    ctx().flags |= 0x200;
    ctx().tempPictureCount = 0;
    EXPECT_EQ(MakeTempPictName(ctx(), third, page.c_str()), 1);
    EXPECT_EQ(fileNameOf(third), (temp.path() / "annu_1.WMF").string()) << "flag 0x200: metafiles";
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "annu_1.WMF"));
    EXPECT_EQ(MakeTempPictName(ctx(), third, page.c_str()), 1);
    EXPECT_EQ(ctx().tempPictureCount, 1) << "a picture with a name keeps it";

    int unsaved = picture();
    EXPECT_EQ(MakeTempPictName(ctx(), unsaved, (temp.path() / "missing" / "x.htm").c_str()), 0);
    EXPECT_EQ(fileNameOf(unsaved), "") << "no name that points nowhere";
}

TEST_F(PlxWriteObjectsTest, ImageFieldsAreInputsWithTheirFieldName)
{
    ctx().fieldCount = 1;
    ctx().fields[0].type = kFieldImage;
    std::snprintf(ctx().fields[0].name, sizeof ctx().fields[0].name, "go");
    int button = picture("go.gif", 2);
    place(button);
    add("\x15", font(0), kPlain);
    EXPECT_EQ(body(), "<p><input type=image name=go src=go.gif width=3 height=2></p>");
    ctx().fieldCount = 0;
}

TEST_F(PlxWriteObjectsTest, AFramesetWritesNoBodyAndSavesAModifiedFrameWhenTheUserSaysSo)
{
    ks::test::TempDir temp;
    HtmlCtx& top = ctx();
    top.rootFrame.flags = kFrameCols | kFrameBorders;
    top.rootFrame.children = static_cast<FrameRecord*>(MemAlloc(3 * sizeof(FrameRecord)));
    top.rootFrame.childCapacity = 3;
    FrameRecord* c = top.rootFrame.children;
    c[0] = FrameRecord{};
    c[0].size = 30;
    c[0].flags = kFramePercent | kFrameNoResize;
    c[0].name = copyText("menu");
    c[0].source = copyText("menu.htm");
    c[1] = FrameRecord{};
    c[1].size = 1;
    c[1].flags = kFrameRelative;
    c[1].name = copyText("main");
    c[1].source = copyText("main.htm");
    c[1].target = copyText("_top");
    c[2] = FrameRecord{};
    c[2].frameset = 1;
    c[2].size = 2;
    c[2].flags = kFrameRows | kFrameRelative;
    c[2].children = static_cast<FrameRecord*>(MemAlloc(1 * sizeof(FrameRecord)));
    c[2].childCapacity = c[2].childCount = 1;
    c[2].children[0] = FrameRecord{};
    c[2].children[0].size = 120;
    c[2].children[0].source = copyText("foot.htm");
    top.rootFrame.childCount = 3;

    HWND changed = newEditor(), unchanged = newEditor();
    for (HWND w : {changed, unchanged}) {
        ASSERT_EQ(PlxInitialize(w, hostWnd), 1);
        SetTopWin(w, hWnd);
        SetFrameParent(w, &top);
    }
    c[0].window = unchanged;
    c[1].window = changed;
    std::string mainFile = (temp.path() / "main.htm").string(), menuFile = (temp.path() / "menu.htm").string();
    std::snprintf(ctx(changed).fileName, sizeof ctx(changed).fileName, "%s", mainFile.c_str());
    std::snprintf(ctx(unchanged).fileName, sizeof ctx(unchanged).fileName, "%s", menuFile.c_str());
    EditorInsertText(changed, "edited frame");
    EditorSetModified(unchanged, 0);
    PlxSetDocTitle(hWnd, "Frames");
    std::vector<std::string> asked;
    int answer = IDNO;
    win::UserDialogs dialogs;
    dialogs.messageBox = [&](HWND, const std::string& text, const std::string&, UINT) {
        asked.push_back(text);
        return answer;
    };
    win::setUserDialogs(dialogs);

    // Written to memory (a rebuild), No: the frame's file is not touched.
    const std::string frameset = written();
    EXPECT_EQ(asked, std::vector<std::string>{"File Modified. Do You Wish to Save the Modifications?"})
        << "only the modified frame is asked for";
    EXPECT_FALSE(std::filesystem::exists(mainFile)) << "No writes nothing";
    EXPECT_EQ(info(changed).modified, 1);

    answer = IDYES;
    EXPECT_EQ(written(), frameset);
    win::setUserDialogs({});
    EXPECT_EQ(frameset, "<head>\r\n<title>Frames</title>\r\n</head>\r\n"
                         "<frameset cols=\"30%, *, 2*\" frameborder=yes>\r\n"
                         "<frame name=menu src=menu.htm noresize>\r\n"
                         "<frame name=main src=main.htm target=_top>\r\n"
                         "<frameset rows=120 frameborder=no>\r\n"
                         "<frame src=foot.htm>\r\n"
                         "</frameset>\r\n"
                         "</frameset>\r\n");
    EXPECT_NE(temp.read("main.htm").find("edited frame"), std::string::npos) << "Yes saves the modified frame";
    EXPECT_FALSE(std::filesystem::exists(menuFile)) << "an unmodified frame is not";
    EXPECT_EQ(info(changed).modified, 0);
    // The frameset window's teardown frees the records and takes down the frame windows.
}
