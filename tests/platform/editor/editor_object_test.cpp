#include "editor_fixture.h"
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32_codes.h"
#include "platform/win/window_handle.h"
#include "tests/support/temp_dir.h"

#include <cstring>

using namespace ks::editor;
using ks::test::EditorTest;

namespace {

// A 2x1 24-bit packed DIB: one red, one blue pixel.
std::string packedDib()
{
    std::string d(40 + 8, '\0');
    auto put32 = [&](int at, std::uint32_t v) { std::memcpy(&d[at], &v, 4); };
    put32(0, 40);
    put32(4, 2);
    put32(8, 1);
    d[12] = 1;
    d[14] = 24;
    d[40 + 2] = '\xFF';   // first pixel: B G R = 0 0 255
    d[40 + 3] = '\xFF';   // second pixel: blue
    return d;
}

std::string bmpFile() { return std::string("BM") + std::string(12, '\0') + packedDib(); }

struct Events {
    std::vector<UINT> messages;
    std::vector<WPARAM> wParams;
    std::string hiddenRun;
    LRESULT answer = 0;
};
Events* events = nullptr;

LRESULT recordEvent(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    events->messages.push_back(message);
    events->wParams.push_back(wParam);
    if (message == 0xAA6)
        events->hiddenRun = reinterpret_cast<LinkClickRecord*>(lParam)->hiddenRun;
    return events->answer;
}

}

TEST_F(EditorTest, PicturesAreCreatedUnplacedThenPlacedAndSaved)
{
    ks::test::TempDir dir;
    auto bmp = dir.write("pic.bmp", bmpFile());
    int id = EditorInsertBmpFile(hWnd, bmp.c_str(), 1, 0);
    ASSERT_GT(id, 0);
    EXPECT_EQ(text(), "\x15") << "not placed yet";
    unsigned style;
    RECT r;
    int valign, aux;
    ASSERT_TRUE(EditorGetFontData(hWnd, id, &style, &r, &valign, &aux));
    EXPECT_EQ(style, kObjectStyle);
    EXPECT_EQ(r.right - r.left, 2);
    EXPECT_EQ(r.bottom - r.top, 1);
    EXPECT_EQ(valign, 1);
    EXPECT_EQ(EditorInsertBmpFile(hWnd, dir.write("bad.bmp", "BMnonsense").c_str(), 0, 0), 0);
    EXPECT_EQ(EditorInsertPngFile(hWnd, bmp.c_str(), 0, 0), 0) << "a BMP is no PNG";
    EXPECT_EQ(EditorInsertBmpFile(hWnd, "/no/such/file.bmp", 0, 0), 0);

    ASSERT_TRUE(EditorPlacePicture(hWnd, id, 1));
    EXPECT_EQ(line(0).chars, "\x18\x15");
    EXPECT_EQ(line(0).fonts[0], id);
    EditorSetPictureProps(hWnd, id, 0x4080, 4, 1);
    EditorGetFontData(hWnd, id, &style, nullptr, &valign, &aux);
    EXPECT_EQ(style, 0x4080u);
    EXPECT_EQ(valign, 0) << "codes 3 and 4 count as bottom";
    EXPECT_EQ(aux, 1);
    EditorSetPictureSize(hWnd, id, 40, -1);
    EditorGetFontData(hWnd, id, nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 1);
    EditorSetPictureFloat(hWnd, id, 2, 0);
    EXPECT_EQ(EditorGetPictAlign(hWnd, id), 2);
    char name[260];
    ASSERT_TRUE(EditorPictureFileName(hWnd, id, 1, name));
    EXPECT_EQ(std::string(name), bmp.string());

    auto png = dir.path() / "out.png";
    ASSERT_TRUE(EditorSavePicturePng(hWnd, id, 1, png.c_str(), 0, 0));
    std::string bytes = dir.read("out.png");
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    int again = EditorInsertPngFile(hWnd, png.c_str(), 0, 0);
    ASSERT_GT(again, 0);
    EditorGetFontData(hWnd, again, nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right, 2) << "the PNG written carries the picture's pixels";
    EXPECT_FALSE(EditorSavePictureWmf(hWnd, id, (dir.path() / "x.wmf").c_str())) << "a bitmap is no metafile";

    // A memory block: copied, and a replace refills the same id.
    HGLOBAL block = GlobalAlloc(GHND, packedDib().size());
    std::memcpy(GlobalLock(block), packedDib().data(), packedDib().size());
    GlobalUnlock(block);
    ASSERT_TRUE(EditorPreparePictureReplace(hWnd, id));
    EXPECT_EQ(EditorInsertPictureHandle(hWnd, 8, block, 0, 0, 0), id);
    EXPECT_GT(EditorInsertPictureHandle(hWnd, 8, block, 0, 0, 0), id);
    EXPECT_EQ(EditorInsertPictureHandle(hWnd, 5, block, 0, 0, 0), 0);
    GlobalFree(block);
    EXPECT_EQ(EditorInsertPictureHandle(hWnd, 8, block, 0, 0, 0), 0) << "a freed block is refused";

    int frame = EditorInsertBmpFile(hWnd, bmp.c_str(), 0, 0);
    EXPECT_TRUE(EditorStartAnimation(hWnd, id, 0, 10));
    EXPECT_TRUE(EditorAddAnimationFrame(hWnd, id, frame, 10));
    EXPECT_FALSE(EditorAddAnimationFrame(hWnd, id, id, 10));
    EXPECT_TRUE(EditorSetBkPicture(hWnd, id, 2, 1));
    EXPECT_FALSE(EditorSetBkPicture(hWnd, 999, 2, 1));
}

// A packed DIB's header alone, of a picture of width x height.
HGLOBAL dibHeader(int width, int height)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40);
    auto* d = static_cast<char*>(GlobalLock(block));
    std::memset(d, 0, 40);
    const std::int32_t fields[] = {40, width, height};
    std::memcpy(d, fields, sizeof fields);
    d[12] = 1;
    d[14] = 24;
    GlobalUnlock(block);
    return block;
}

int insertDib(HWND hWnd, int width, int height)
{
    HGLOBAL block = dibHeader(width, height);
    int id = EditorInsertPictureHandle(hWnd, 8, block, 0, 0, 0);
    GlobalFree(block);
    return id;
}

TEST_F(EditorTest, PicturesShareTheirBytesAndTheDocumentsPixelsAreBounded)
{
    int big = insertDib(hWnd, 8000, 8000);
    ASSERT_GT(big, 0) << "64 million pixels fit the budget";
    Editor& e = *findEditor(hWnd);
    EditorSetPictureSize(hWnd, big, 30, 20);
    int again = EditorSharePicture(hWnd, big, 2);
    ASSERT_GT(again, 0) << "a shared picture costs no pixels more";
    EXPECT_EQ(e.object(again)->data.shared(), e.object(big)->data.shared()) << "the bytes are not copied";
    EXPECT_EQ(e.object(again)->rect.right, 8000) << "a shared picture starts at its natural size";
    EXPECT_EQ(e.object(again)->verticalAlign, 2);

    EXPECT_EQ(insertDib(hWnd, 2000, 2000), 0) << "another picture would pass the budget";
    ks::test::TempDir dir;
    auto bmp = dir.write("pic.bmp", bmpFile());
    EXPECT_GT(EditorInsertBmpFile(hWnd, bmp.c_str(), 0, 0), 0) << "a small one still fits";

    // A placeholder has no pixels: it takes its size and keeps the picture's alt text.
    int missing = EditorInsertPicturePlaceholder(hWnd, 40, 0, 0);
    ASSERT_GT(missing, 0);
    EXPECT_EQ(EditorPictureIsPlaceholder(hWnd, missing), 1);
    EXPECT_EQ(EditorPictureIsPlaceholder(hWnd, big), 0);
    EXPECT_EQ(e.object(missing)->rect.right, 40);
    EXPECT_GT(e.object(missing)->rect.bottom, 0) << "a side not given gets a size of its own";
    char alt[301] = "Company logo";
    ASSERT_EQ(EditorPictureAltText(hWnd, missing, 0, alt), 1);
    char back[301]{};
    ASSERT_EQ(EditorPictureAltText(hWnd, missing, 1, back), 1);
    EXPECT_STREQ(back, "Company logo");
    EXPECT_EQ(EditorSharePicture(hWnd, missing, 0), 0) << "nothing to share";
}

TEST_F(EditorTest, ControlsEmbedAndTheirNotificationsReachTheAddOn)
{
    Events ev;
    events = &ev;
    ASSERT_TRUE(EditorSetAddonCallback(hWnd, recordEvent));
    int obj = EditorInsertControl(hWnd, "Edit", 0x800080, 1500, 300, 1, 42, 0);
    ASSERT_GT(obj, 0);
    EXPECT_EQ(EditorGetObjectField(hWnd, obj), 42);
    EXPECT_LT(EditorFindControlPos(hWnd, 42), 0) << "not placed";
    eraseLoneMark();
    EditorAppendText(hWnd, "name: ", 0, 0, 0, -1, 0);
    ASSERT_TRUE(EditorAppendText(hWnd, "\x18", obj, 0, 0, -1, 0));
    EXPECT_FALSE(EditorAppendText(hWnd, "\x18", 0, 0, 0, -1, 0)) << "an object character needs an object";
    EXPECT_FALSE(EditorAppendText(hWnd, "text", obj, 0, 0, -1, 0));
    EXPECT_EQ(EditorFindControlPos(hWnd, 42), 6);
    EditorMoveCaret(hWnd, 6, -1, 0);
    EXPECT_EQ(info().fieldControlId, 42);

    HWND control = EditorGetObjectControl(hWnd, obj);
    ASSERT_TRUE(IsWindow(control));
    EXPECT_EQ(GetParent(control), hWnd);
    RECT r;
    GetWindowRect(control, &r);
    EXPECT_EQ(r.right - r.left, 100);
    ev.messages.clear();
    ev.wParams.clear();
    SendMessage(hWnd, WM_COMMAND, 42 | (1000 << 16), reinterpret_cast<LPARAM>(control));
    ASSERT_EQ(ev.messages, std::vector<UINT>{WM_COMMAND});
    EXPECT_EQ(ev.wParams[0], static_cast<WPARAM>(42 | (1000 << 16)));

    // Loading a new document takes the controls away.
    HGLOBAL block = GlobalAlloc(GHND, 1);
    ASSERT_TRUE(EditorLoadBuffer(hWnd, block, 1, 0, 1));
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(info().fontCount, 1);
    EXPECT_EQ(info().lineCount, 1);
    EditorSetAddonCallback(hWnd, nullptr);
    events = nullptr;
}

TEST_F(EditorTest, EventsGoToTheAddOnOrTheHost)
{
    Events ev;
    events = &ev;
    // Without an add-on, events reach the host callback; edits raise the change event.
    EditorSetHostCallback(hWnd, recordEvent);
    EXPECT_EQ(EditorGetHostCallback(hWnd), recordEvent);
    EditorInsertText(hWnd, "x");
    ASSERT_FALSE(ev.messages.empty());
    EXPECT_EQ(ev.messages.back(), 0xAB0u);
    EXPECT_EQ(info().modified, 1);
    ev.messages.clear();
    EditorSetModeFlags2(hWnd, 1, 0x10000);
    EditorAppendText(hWnd, "bulk", 0, 0, 0, -1, 0);
    EXPECT_TRUE(ev.messages.empty()) << "no change events during a bulk append";
    EditorSetModeFlags2(hWnd, 0, 0x10000);
    VekSetFlags(hWnd, 1, 0x200A200);   // as the container sets up its notes pane
    EditorInsertText(hWnd, "y");
    ASSERT_FALSE(ev.messages.empty()) << "the container's flags leave change events on";
    EXPECT_EQ(ev.messages.back(), 0xAB0u);

    ASSERT_TRUE(EditorAllocAddonData(hWnd, 64));
    auto* data = static_cast<unsigned char*>(EditorGetAddonData(hWnd));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data[63], 0);
    EXPECT_FALSE(EditorAllocAddonData(hWnd, -1));
    EditorSetAddonCallback(hWnd, recordEvent);

    EditorMoveWindow(hWnd, 0, 0, 300, 200);
    EXPECT_EQ(ev.messages.back(), 0xAAEu);
    EXPECT_EQ(info().windowRight, 300);
    EditorNotifyFocus(hWnd, 1, nullptr);
    EXPECT_EQ(ev.messages.back(), 0xAACu);
    EXPECT_EQ(ev.wParams.back(), 12u);
    EditorNotifyFocus(hWnd, 0, nullptr);
    EXPECT_EQ(ev.wParams.back(), 13u);

    // Link clicks: only with links active, and read-only or with ctrl.
    ASSERT_TRUE(EditorLoadBuffer(hWnd, GlobalAlloc(GHND, 1), 1, 0, 1));
    int hidden = font("Arial", 10, kHidden);
    int link = font("Arial", 10, kLinkText);
    eraseLoneMark();
    EditorAppendText(hWnd, "href=x.htm", hidden, 0, 0, -1, 0);
    EditorAppendText(hWnd, "go\x15", link, 0, 0, -1, 0);
    EXPECT_EQ(EditorClickAt(hWnd, 0, 11, 5, 6, 0), -1);
    EditorRunCommand(hWnd, 710);
    EXPECT_EQ(EditorClickAt(hWnd, 0, 11, 5, 6, 0), -1) << "editable: a plain click edits";
    ev.answer = 7;
    EXPECT_EQ(EditorClickAt(hWnd, 0, 11, 5, 6, 1), 7);
    EXPECT_EQ(ev.messages.back(), 0xAA6u);
    EXPECT_EQ(ev.hiddenRun, "href=x.htm");
    EXPECT_EQ(info().mouseX, 5);
    EXPECT_EQ(info().caretColumn, 11);
    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(EditorClickAt(hWnd, 0, 10, 1, 1, 0), 7);
    EXPECT_EQ(EditorClickAt(hWnd, 0, 2, 1, 1, 0), -1) << "hidden text is no link";

    EXPECT_EQ(EditorQueryCommand(hWnd, 717), 1);
    EditorRunCommand(hWnd, 717);
    EXPECT_EQ(EditorQueryCommand(hWnd, 717), 9);
    EXPECT_EQ(EditorQueryCommand(hWnd, 628), 0) << "no page break while read-only";
    EXPECT_EQ(EditorRunCommand(hWnd, 4711), 0);
    EXPECT_TRUE(EditorViewCommand(hWnd, 1));
    EXPECT_EQ(info().viewState, 1);

    // Destroying raises 0xAA4 while the document is still there.
    HWND other = EditorCreateWindow(nullptr, "", 0x54002241, 0, 0, 10, 10);
    EXPECT_TRUE(EditorGetReadOnly(other)) << "+0x200 is read-only from creation";
    EditorSetAddonCallback(other, recordEvent);
    ASSERT_TRUE(EditorCloseDocument(other, 1));
    EXPECT_EQ(ev.messages.back(), 0xAA4u);
    EXPECT_FALSE(IsWindow(other));
    EXPECT_FALSE(EditorGetReadOnly(other));
    EditorSetAddonCallback(hWnd, nullptr);
    EditorSetHostCallback(hWnd, nullptr);
    events = nullptr;
}

TEST_F(EditorTest, ContainerCallsSetFlagsKeysAndTheDefaultFont)
{
    EXPECT_EQ(VekSetFlags(hWnd, 1, 0x200A200), 0x200A200u);
    EXPECT_EQ(VekSetFlags2(hWnd, 1, 0x180A00), 0x180A00u);
    EXPECT_EQ(EditorGetModeFlags(hWnd, 2), 0x180A00u);
    for (int key : {638, 633, 637, 741, 640, 641, 643, 717, 633, 635, 634, 636})
        EXPECT_TRUE(VekEnableSpeedKey(hWnd, key, 0));
    EXPECT_FALSE(VekSpeedKeyEnabled(hWnd, 633));
    EXPECT_TRUE(VekSpeedKeyEnabled(hWnd, 639));
    ASSERT_TRUE(SetVekDefaultFont(hWnd, "Arial", 10, 0, 0, 1));
    char face[32];
    int points;
    EditorGetFontInfo(hWnd, 0, face, &points, nullptr);
    EXPECT_STREQ(face, "Arial");
    EXPECT_EQ(points, 10);
    EXPECT_FALSE(SetVekDefaultFont(hWnd, "", 10, 0, 0, 1));
    EXPECT_EQ(VekPrint(hWnd), 0) << "no print handler without a view";
    EXPECT_STREQ(EditorGetPathDir("C:\\docs\\a.htm"), "C:\\docs\\");
    EXPECT_STREQ(EditorGetPathDir("a.htm"), "");
    EXPECT_STREQ(EditorGetPathDir(nullptr), "");
}
