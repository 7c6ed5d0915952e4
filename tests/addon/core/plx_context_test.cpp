#include "plx_fixture.h"

#include "addon/core/font_elements.h"
#include "addon/core/plx_module.h"
#include "addon/core/vek_callback.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxTest;

TEST_F(PlxTest, InitialisingAWindowSetsItsContextAndTheEditor)
{
    HtmlCtx& c = ctx();
    EXPECT_EQ(c.editorWindow, hWnd);
    EXPECT_EQ(c.hostWindow, hostWnd);
    EXPECT_EQ(c.topWindow, hWnd);
    EXPECT_EQ(c.parentWindow, hWnd);
    EXPECT_EQ(c.topCtx, &c);
    EXPECT_EQ(c.bkColor, 0xC0C0C0u);
    EXPECT_EQ(c.linkColor, 0xFF0000u);
    EXPECT_EQ(c.linkStyle, 1u);
    EXPECT_EQ(c.nextFieldId, 2000);
    EXPECT_EQ(c.baseFontSize, 3);
    EXPECT_EQ(c.rootFrame.frameset, 1);
    EXPECT_EQ(c.rootFrame.width, 640);
    EXPECT_EQ(c.rootFrame.height, 480);
    EXPECT_EQ(c.rootFrame.window, hWnd);
    EXPECT_TRUE(windowEntered(hWnd));

    VekInfo i = info();
    EXPECT_EQ(i.background, 0xC0C0C0u);
    EXPECT_EQ(i.option692, 0x4080);
    EXPECT_EQ(i.option704, 1);
    EXPECT_EQ(i.modified, 0);
    EXPECT_TRUE(EditorGetModeFlags(hWnd, 1) & 0x4000000);
    EXPECT_TRUE(EditorGetModeFlags(hWnd, 1) & 0x8000) << "the set-up command turns link clicks on";
    EXPECT_TRUE(EditorGetModeFlags(hWnd, 2) & 0x2000);

    // Element i owns editor font i, with the element's defaults.
    char face[32];
    int points = 0;
    unsigned style = 0;
    for (int e = 0; e < kFontElementCount; ++e)
        EXPECT_EQ(c.fonts[e].fontId, e);
    EditorGetFontInfo(hWnd, 1, face, &points, &style);
    EXPECT_STREQ(face, "Times New Roman");
    EXPECT_EQ(points, 24);
    EXPECT_EQ(style, 2u);
    EditorGetFontInfo(hWnd, kElemPre, face, &points, &style);
    EXPECT_STREQ(face, "Courier New");
    EXPECT_EQ(points, 10);
    EditorGetFontInfo(hWnd, kElemDirectory, face, &points, nullptr);
    EXPECT_STREQ(face, "Century Gothic");
    EXPECT_EQ(points, 14);
    EditorGetFontInfo(hWnd, kElemHelvetica, face, nullptr, nullptr);
    EXPECT_STREQ(face, "Arial");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxTest, InitialisingTwiceStartsAfreshInTheSameSlot)
{
    PlxSetFrameName(hWnd, "left");
    PlxSetFlags(hWnd, 1, 0x21);
    int count = plxModule().windowCount;
    ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
    char name[301] = "x";
    PlxGetFrameName(hWnd, name);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(PlxSetFlags(hWnd, 1, 0), 0u);
    EXPECT_EQ(plxModule().windowCount, count);
    int slots = 0;
    for (int i = 0; i < plxModule().windowCount; ++i)
        slots += plxModule().windows[i] == hWnd;
    EXPECT_EQ(slots, 1);
}

TEST_F(PlxTest, TheWindowGoingAwayTellsTheHostAndFreesItsSlot)
{
    HWND other = newEditor();
    ASSERT_EQ(PlxInitialize(other, hostWnd), 1);
    ASSERT_TRUE(windowEntered(other));
    host->heard.clear();
    EditorDestroyWindow(other);
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 0xAA4u);
    EXPECT_FALSE(windowEntered(other));
    EXPECT_TRUE(windowEntered(hWnd));

    // A later window takes the freed slot again.
    int count = plxModule().windowCount;
    HWND next = newEditor();
    ASSERT_EQ(PlxInitialize(next, hostWnd), 1);
    EXPECT_EQ(plxModule().windowCount, count);
}

TEST_F(PlxTest, WindowsThatCannotBeInitialisedAreRefused)
{
    EXPECT_EQ(PlxInitialize(nullptr, hostWnd), 0);
    EXPECT_EQ(PlxInitialize(hostWnd, hostWnd), 0) << "a window that is no editor window";
    HWND gone = newEditor();
    EditorDestroyWindow(gone);
    EXPECT_EQ(PlxInitialize(gone, hostWnd), 0);
    ASSERT_EQ(boxes.size(), 3u);
    for (auto& b : boxes)
        EXPECT_EQ(b, "Error allocating HTML memory!");
    boxes.clear();

    // The callback of a window without a context reports and answers 0.
    EXPECT_EQ(vekCallback(gone, 0xAB0, 0, 0), 0);
    expectNotInitialized("callback");
    EXPECT_TRUE(windowEntered(hWnd));
}

TEST_F(PlxTest, TheDefaultBackgroundReachesWindowsInitialisedLater)
{
    PlxSetBkColor(0x112233);
    HWND later = newEditor();
    ASSERT_EQ(PlxInitialize(later, hostWnd), 1);
    PlxSetBkColor(0);
    EXPECT_EQ(ctx(later).defaultBkColor, 0x112233u);
    EXPECT_EQ(info(later).background, 0x112233u);
    EXPECT_EQ(ctx().defaultBkColor, 0xC0C0C0u);
    EXPECT_EQ(PlxLoadControl(), 1);
}

TEST_F(PlxTest, WepUnhooksEveryEnteredWindowButNotOneBeyondTheTable)
{
    // Fill the table; the window after it works but has no slot.
    std::vector<HWND> many;
    HWND beyond = nullptr;
    for (int i = 0; i <= kWindowTableSize && !beyond; ++i) {
        HWND w = newEditor();
        ASSERT_EQ(PlxInitialize(w, hostWnd), 1);
        if (!windowEntered(w))
            beyond = w;
        many.push_back(w);
    }
    ASSERT_NE(beyond, nullptr);
    EXPECT_EQ(plxModule().windowCount, kWindowTableSize);
    EXPECT_EQ(PlxSetHeader(beyond, 1, 0), 1) << "a window without a slot works";

    EXPECT_EQ(WEP(0), 1);
    EXPECT_EQ(plxModule().windowCount, kWindowTableSize);
    EXPECT_FALSE(windowEntered(hWnd));
    // Focus events reach the add-on only through its callback: it then records the active frame.
    EditorNotifyFocus(hWnd, 1, nullptr);
    EXPECT_EQ(ctx().activeFrameWindow, nullptr) << "unhooked";
    EditorNotifyFocus(beyond, 1, nullptr);
    EXPECT_EQ(ctx(beyond).activeFrameWindow, beyond) << "never entered, so still hooked";
}

TEST_F(PlxTest, EveryExportWithoutAContextReportsAndReturnsZero)
{
    HWND plain = newEditor();
    HWND gone = newEditor();
    EditorDestroyWindow(gone);
    char buffer[301] = "keep";
    int header = 9;
    std::uint32_t word = 9;
    for (HWND w : {plain, gone, static_cast<HWND>(nullptr)}) {
        EXPECT_EQ(PlxSetFlags(w, 1, 1), 0u); expectNotInitialized("PlxSetFlags");
        EXPECT_EQ(PlxGetTopWin(w), nullptr); expectNotInitialized("PlxGetTopWin");
        EXPECT_EQ(PlxGetUsfList(w), 0u); expectNotInitialized("PlxGetUsfList");
        EXPECT_EQ(PlxSetDocTitle(w, "t"), 0); expectNotInitialized("PlxSetDocTitle");
        EXPECT_EQ(PlxSetTarget(w, "t"), 0); expectNotInitialized("PlxSetTarget");
        EXPECT_EQ(PlxGetTarget(w, buffer), 0); expectNotInitialized("PlxGetTarget");
        EXPECT_EQ(PlxSetActiveWnd(w), 0); expectNotInitialized("PlxSetActiveWnd");
        EXPECT_EQ(PlxGetActiveWnd(w), nullptr); expectNotInitialized("PlxGetActiveWnd");
        EXPECT_EQ(PlxInViewMode(w), 0); expectNotInitialized("PlxInViewMode");
        EXPECT_EQ(PlxSetFrameName(w, "f"), 0); expectNotInitialized("PlxSetFrameName");
        EXPECT_EQ(PlxGetFrameName(w, buffer), 0); expectNotInitialized("PlxGetFrameName");
        EXPECT_EQ(PlxSetDefaultTarget(w, "f"), 0); expectNotInitialized("PlxSetDefaultTarget");
        EXPECT_EQ(PlxModified(w), 0); expectNotInitialized("PlxModified");
        EXPECT_EQ(PlxSetReadOnly(w, 1), 0); expectNotInitialized("PlxSetReadOnly");
        EXPECT_EQ(PlxSetHeader(w, 1, 0), 0); expectNotInitialized("PlxSetHeader");
        EXPECT_EQ(PlxSetHeader(w, 9, 0), 0); expectNotInitialized("PlxSetHeader, bad level");
        EXPECT_EQ(PlxSetMiscParaType(w, 1, 0), 0); expectNotInitialized("PlxSetMiscParaType");
        EXPECT_EQ(PlxParaNormal(w, 0), 0); expectNotInitialized("PlxParaNormal");
        EXPECT_EQ(PlxSetList(w, 1, 1, 0, 0), 0); expectNotInitialized("PlxSetList");
        EXPECT_EQ(PlxSetListEx(w, 1, 1, 0, 1, 0), 0); expectNotInitialized("PlxSetListEx");
        EXPECT_EQ(PlxSetMiscCharType(w, 13, 0), 0); expectNotInitialized("PlxSetMiscCharType");
        EXPECT_EQ(PlxSetParaSpace(w, 1, 0), 0); expectNotInitialized("PlxSetParaSpace");
        EXPECT_EQ(PlxSetTableWidth(w, 100, 1), 0); expectNotInitialized("PlxSetTableWidth");
        EXPECT_EQ(PlxInsertRule(w, 0), 0); expectNotInitialized("PlxInsertRule");
        EXPECT_EQ(PlxEditRule(w, 50, 2, 2, 0), 0); expectNotInitialized("PlxEditRule");
        EXPECT_EQ(PlxGetParaAttrib(w, &header, nullptr, nullptr, &word, nullptr), 0);
        expectNotInitialized("PlxGetParaAttrib");
        EXPECT_EQ(PlxSetNewBkColor(w, 1, 1), 0); expectNotInitialized("PlxSetNewBkColor");
        EXPECT_EQ(PlxSetNewTextColor(w, 1), 0); expectNotInitialized("PlxSetNewTextColor");
        EXPECT_EQ(PlxSetBkPict(w, ""), 0); expectNotInitialized("PlxSetBkPict");
    }
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(header, 9);
    EXPECT_EQ(word, 9u);
    EXPECT_EQ(typeWord(0, plain), 0) << "nothing changed in the plain window";
}

TEST_F(PlxTest, StateExportsKeepTheirTexts)
{
    char buffer[301];
    EXPECT_EQ(PlxSetTarget(hWnd, "Main"), 1);
    PlxGetTarget(hWnd, buffer);
    EXPECT_STREQ(buffer, "Main");
    EXPECT_EQ(PlxSetTarget(hWnd, nullptr), 1);
    PlxGetTarget(hWnd, buffer);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(PlxGetTarget(hWnd, nullptr), 0) << "no buffer to copy into";

    std::string longName(400, 'n');
    EXPECT_EQ(PlxSetFrameName(hWnd, longName.c_str()), 1);
    PlxGetFrameName(hWnd, buffer);
    EXPECT_EQ(std::strlen(buffer), 300u) << "cut to the context's text size";

    EXPECT_EQ(PlxSetDocTitle(hWnd, "Title"), 1);
    EXPECT_STREQ(ctx().docTitle, "Title");
    EXPECT_EQ(PlxSetDefaultTarget(hWnd, "_blank"), 1);
    EXPECT_STREQ(ctx().defaultTarget, "_blank");
    EXPECT_EQ(PlxSetFlags(hWnd, 1, 0x21), 0x21u);
    EXPECT_EQ(PlxSetFlags(hWnd, 0, 0x1), 0x20u);
    EXPECT_EQ(PlxGetTopWin(hWnd), hWnd);
    EXPECT_EQ(PlxInViewMode(hWnd), 0);
    ctx().unsupported = 0x12;
    EXPECT_EQ(PlxGetUsfList(hWnd), 0x12u);

    EditorSetModified(hWnd, 1);
    EXPECT_EQ(PlxModified(hWnd), 1);
    EXPECT_EQ(PlxSetReadOnly(hWnd, 1), 1);
    EXPECT_EQ(EditorGetReadOnly(hWnd), 1);
    EXPECT_TRUE(boxes.empty());
}
