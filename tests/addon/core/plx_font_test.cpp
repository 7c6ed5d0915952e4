// Font elements, link appearance and HTML font sizes through the exports and
// their dialogs, and what the written page shows of them.
#include "write_fixture.h"

#include "addon/core/font_dialogs.h"
#include "addon/core/plx_module.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"

using namespace ks;
using namespace ks::addon;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

class PlxFontTest : public PlxWriteTest {
protected:
    void SetUp() override
    {
        PlxWriteTest::SetUp();
        sizes = plxModule().fontSizes;
        before = win::setUserDialogs({});
        win::setUserDialogs(before);
    }
    // The user dialogs in force (the script's beep counter among them) with one change.
    template <class Change>
    void answer(Change change)
    {
        win::UserDialogs dialogs = win::setUserDialogs({});
        change(dialogs);
        win::setUserDialogs(dialogs);
    }
    void TearDown() override
    {
        plxModule().fontSizes = sizes;
        win::setUserDialogs(before);
        PlxWriteTest::TearDown();
    }
    unsigned colourAt(int line, int col)
    {
        unsigned colour = 0;
        EditorGetFontColors(hWnd, fontAt(line, col), &colour, nullptr);
        return colour;
    }
    void selectColumns(int line, int from, int to)
    {
        EditorSelectRange(hWnd, EditorLineColToPos(hWnd, line, from), EditorLineColToPos(hWnd, line, to));
    }
    std::array<int, 7> sizes;
    win::UserDialogs before;
    test::DialogControls controls;
    win::ScriptedDialogs script;
};

}

TEST_F(PlxFontTest, AnElementCanBeReadAndOnlyTwentyExist)
{
    char face[31];
    int points = 0;
    std::uint32_t style = 0, colour = 1, colour2 = 0;
    ASSERT_EQ(PlxGetFont(hWnd, 2, face, &points, &style, &colour, &colour2), 1);
    EXPECT_STREQ(face, "Times New Roman");
    EXPECT_EQ(points, 18);
    EXPECT_EQ(style, 2u);
    EXPECT_EQ(colour, 0u);
    EXPECT_EQ(colour2, 0xFFFFFFu);
    EXPECT_EQ(PlxGetFont(hWnd, 20, face, &points, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(PlxSetFont(hWnd, -1, "Arial", 12, 0, 0, 0, 0), 0);
    EXPECT_EQ(PlxGetFont(nullptr, 0, face, nullptr, nullptr, nullptr, nullptr), 0);
    expectNotInitialized("no window");
}

TEST_F(PlxFontTest, ChangingAnElementRefontsItsTextItsVariantsButNotItsLinkColour)
{
    add("plain ", font(0));
    add("bigger ", font(0, 0, 0, 1, 105));
    add("link", font(0, 0x4001, 0xFF0000));
    add(" quote\x15", font(9));
    ASSERT_EQ(PlxSetFont(hWnd, 0, "Arial", 14, 4, 0x0000FF, 0xFFFFFF, 1), 1);
    EXPECT_EQ(faceAt(0, 0), "Arial");
    EXPECT_EQ(pointsAt(0, 0), 14);
    EXPECT_EQ(styleAt(0, 0), 4u);
    EXPECT_EQ(colourAt(0, 0), 0x0000FFu);
    EXPECT_EQ(pointsAt(0, 6), 17) << "a sized variant keeps its HTML size";
    EXPECT_EQ(faceAt(0, 6), "Arial");
    EXPECT_EQ(colourAt(0, 13), 0xFF0000u) << "link text keeps the link colour";
    EXPECT_EQ(styleAt(0, 13), 0x4001u);
    EXPECT_EQ(faceAt(0, 17), "Times New Roman") << "another element's text is left alone";
    char face[31];
    PlxGetFont(hWnd, 0, face, nullptr, nullptr, nullptr, nullptr);
    EXPECT_STREQ(face, "Arial");
    add("new text\x15", font(0));
    EXPECT_EQ(faceAt(1, 0), "Arial") << "text added later takes the element as it is now";
}

TEST_F(PlxFontTest, ElementChangesShowInTheWrittenPage)
{
    add("big words\x15", font(kElemTypewriter));
    std::string old = body();
    ASSERT_EQ(PlxSetFont(hWnd, kElemTypewriter, "Courier New", 9, 2, 0x0000FF, 0xFFFFFF, 0), 1);
    std::string now = body();
    EXPECT_NE(now, old);
    EXPECT_NE(now.find("<b>"), std::string::npos) << now;
    EXPECT_NE(now.find("color=#ff0000"), std::string::npos) << now;
}

TEST_F(PlxFontTest, LinkAppearanceChangesEveryLinkFont)
{
    add("see ", font(0));
    add("href=a", font(0, 0x40));
    add("the page", font(0, 0x4001, 0xFF0000));
    add(" and ", font(0));
    add("href=b", font(0, 0x40));
    add("more\x15", font(3, 0x4001, 0xFF0000));
    ASSERT_EQ(PlxSetLinkInfo(hWnd, 2, 0x008000), 1);
    for (int col : {10, 29}) {
        EXPECT_EQ(styleAt(0, col), 0x4002u) << col;
        EXPECT_EQ(colourAt(0, col), 0x008000u) << col;
    }
    EXPECT_EQ(styleAt(0, 4), 0x40u) << "the link data stays as it is";
    std::uint32_t style = 0, colour = 0;
    PlxGetLinkInfo(hWnd, &style, &colour);
    EXPECT_EQ(style, 2u);
    EXPECT_EQ(colour, 0x008000u);
}

TEST_F(PlxFontTest, TheSizeTableMustRiseAndServesFontsMadeAfterIt)
{
    EXPECT_EQ(PlxSetFontSizeTbl(8, 10, 10, 14, 17, 24, 36), 0);
    EXPECT_EQ(PlxSetFontSizeTbl(0, 10, 11, 14, 17, 24, 36), 0);
    EXPECT_EQ(plxModule().fontSizes, sizes);
    add("sized\x15", font(0, 0, 0, 1, 105));
    ASSERT_EQ(PlxSetFontSizeTbl(9, 12, 13, 16, 20, 28, 40), 1);
    EXPECT_EQ(pointsAt(0, 0), 17) << "a font made before keeps its points";
    add("later\x15", font(0, 0, 0, 1, 105));
    EXPECT_EQ(pointsAt(1, 0), 20);
}

TEST_F(PlxFontTest, SelectedTextTakesAnHtmlSizeAbsoluteOrRelative)
{
    add("one two three\x15", font(0));
    add("head\x15", font(3), Para{3 << 6});
    int relative = -1;
    EditorMoveCaret(hWnd, 0, 1, 0);
    EXPECT_EQ(PlxGetFontSize(hWnd, &relative), 3);
    EXPECT_EQ(relative, 0);
    selectColumns(0, 4, 7);
    ASSERT_EQ(PlxSetFontSize(hWnd, 5, 0, 1), 1);
    EXPECT_EQ(pointsAt(0, 4), 17);
    EXPECT_EQ(pointsAt(0, 3), 11);
    EXPECT_EQ(pointsAt(0, 8), 11);
    std::string page = body();
    EXPECT_NE(page.find("one <font size=5>two</font> three"), std::string::npos) << page;
    EditorMoveCaret(hWnd, 0, 5, 0);
    EXPECT_EQ(PlxGetFontSize(hWnd, &relative), 5);

    selectColumns(1, 0, 4);
    ASSERT_EQ(PlxSetFontSize(hWnd, 1, 1, 0), 1);
    EXPECT_EQ(pointsAt(1, 0), 14 + 14 - 11) << "a header keeps its proportion: size 4 adds 3 points";
    EditorMoveCaret(hWnd, 1, 1, 0);
    EXPECT_EQ(PlxGetFontSize(hWnd, &relative), 4);
    EXPECT_EQ(relative, 1);
}

TEST_F(PlxFontTest, TheSizeDialogStartsFromTheCaretAndRefusesSizesOutOfRange)
{
    add("some text\x15", font(0, 0, 0, 1, 102));
    EditorMoveCaret(hWnd, 0, 2, 0);
    selectColumns(0, 0, 4);
    script.expect("FontSizeParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Font Size Selection");
        EXPECT_EQ(user.text(kFontSizeEdit), "2");
        EXPECT_FALSE(user.checked(kFontSizeRelativeCheck));
        user.type(kFontSizeEdit, "0");
        user.ok();
        EXPECT_TRUE(user.open()) << "absolute sizes start at 1";
        user.type(kFontSizeEdit, "-2");
        user.ok();
        EXPECT_TRUE(user.open());
        user.click(kFontSizeRelativeCheck);
        user.ok();
    });
    ASSERT_EQ(PlxSetFontSize(hWnd, 0, 1, 0), 1) << "size 0 given directly asks";
    EXPECT_EQ(script.beeps(), 2);
    EXPECT_EQ(pointsAt(0, 0), 8) << "relative -2 from the base size 3: size 1";

    script.expect("FontSizeParam", [](win::DialogUser& user) {
        user.click(kFontSizeRelativeCheck);
        user.type(kFontSizeEdit, "0");
        user.ok();
    });
    selectColumns(0, 0, 4);
    EXPECT_EQ(PlxSetFontSize(hWnd, 9, 0, 0), 1) << "a relative 0 changes nothing";
    EXPECT_EQ(pointsAt(0, 0), 8);
    script.expect("FontSizeParam", [](win::DialogUser& user) {
        user.type(kFontSizeEdit, "7");
        user.cancel();
    });
    EXPECT_EQ(PlxSetFontSize(hWnd, -8, 0, 0), 0);
    EXPECT_EQ(pointsAt(0, 0), 8);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFontTest, TheFontDialogChangesTheElementChosenInTheElementDialog)
{
    add("title\x15", font(2), Para{2 << 6});
    answer([](win::UserDialogs& dialogs) {
        dialogs.fontDialog = [](HWND, win::FontPick& pick) {
            EXPECT_EQ(pick.face, "Times New Roman");
            EXPECT_EQ(pick.tenthsOfPoint, 180);
            EXPECT_TRUE(pick.bold);
            EXPECT_TRUE(pick.effects);
            pick.face = "Arial";
            pick.tenthsOfPoint = 200;
            pick.bold = false;
            pick.italic = true;
            pick.colour = 0x00FF00;
            return true;
        };
    });
    script.expect("SelectFontElement", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Select Font Element");
        std::vector<std::string> names = user.listItems(kElementList);
        ASSERT_EQ(names.size(), 20u);
        EXPECT_EQ(names[0], "Body Text");
        EXPECT_EQ(names[19], "Typewriter Style");
        EXPECT_EQ(user.listSelection(kElementList), 0);
        user.doubleClick(kElementList, 2);
    });
    ASSERT_EQ(PlxSetFontDlg(hWnd, -1), 1);
    EXPECT_EQ(faceAt(0, 0), "Arial");
    EXPECT_EQ(pointsAt(0, 0), 20);
    EXPECT_EQ(styleAt(0, 0), 4u);
    EXPECT_EQ(colourAt(0, 0), 0x00FF00u);

    script.expect("SelectFontElement", [](win::DialogUser& user) { user.cancel(); });
    EXPECT_EQ(PlxSetFontDlg(hWnd, 99), 1) << "no element chosen: nothing to do";
    answer([](win::UserDialogs& dialogs) { dialogs.fontDialog = [](HWND, win::FontPick&) { return false; }; });
    EXPECT_EQ(PlxSetFontDlg(hWnd, 2), 0) << "the font dialog cancelled";
    EXPECT_EQ(faceAt(0, 0), "Arial");
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFontTest, TheLinkDialogStartsFromTheLinkStyleAndOffersGreys)
{
    add("href=a", font(0, 0x40));
    add("page\x15", font(0, 0x4001, 0xFF0000));
    std::vector<COLORREF> custom;
    COLORREF shownColour = 0;
    answer([&](win::UserDialogs& dialogs) {
        dialogs.colourDialog = [&](HWND, win::ColourPick& pick) {
            custom.assign(pick.custom, pick.custom + 16);
            shownColour = pick.colour;
            pick.colour = 0x800080;
            return true;
        };
    });
    script.expect("SelectLinkAttrib", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Select Link Attributes");
        EXPECT_TRUE(user.checked(kLinkUnderline));
        EXPECT_FALSE(user.checked(kLinkBold));
        user.click(kLinkBold);
        user.click(kLinkUnderline);
        user.click(kLinkColourButton);
        user.ok();
    });
    ASSERT_EQ(PlxSetLinkInfoDlg(hWnd), 1);
    EXPECT_EQ(shownColour, 0xFF0000u);
    ASSERT_EQ(custom.size(), 16u);
    EXPECT_EQ(custom[0], 0x0F0F0Fu);
    EXPECT_EQ(custom[1], 0x1F1F1Fu);
    EXPECT_EQ(custom[15], 0xFFFFFFu);
    EXPECT_EQ(styleAt(0, 6), 0x4002u);
    EXPECT_EQ(colourAt(0, 6), 0x800080u);

    script.expect("SelectLinkAttrib", [](win::DialogUser& user) {
        user.click(kLinkItalic);
        user.cancel();
    });
    EXPECT_EQ(PlxSetLinkInfoDlg(hWnd), 1);
    EXPECT_EQ(styleAt(0, 6), 0x4002u) << "Cancel changes nothing";
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFontTest, WithoutASelectionTheSizeGoesToTheTextTypedNext)
{
    add("before\x15", font(0));
    EditorMoveCaret(hWnd, 0, 6, 0);
    ASSERT_EQ(PlxSetFontSize(hWnd, 6, 0, 0), 1);
    EXPECT_EQ(pointsAt(0, 0), 11) << "the text there stays as it was";
    type(" big");
    EXPECT_EQ(pointsAt(0, 7), 24);
    int relative = -1;
    EXPECT_EQ(PlxGetFontSize(hWnd, &relative), 6);
    EXPECT_EQ(relative, 0);
    EXPECT_EQ(PlxGetFontSize(nullptr, &relative), 0);
    expectNotInitialized("no window");
}
