// Links and named anchors through the exports and their two dialogs, and back out
// through the writer.
#include "write_fixture.h"

#include "addon/core/link_dialogs.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/temp_dir.h"

#include <QImage>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxWriteTest;

namespace {

class PlxLinkEditTest : public PlxWriteTest {
protected:
    void SetUp() override
    {
        PlxWriteTest::SetUp();
        type("see ");
    }
    std::string lineText(int line = 0)
    {
        char chars[301]{};
        int n = EditorGetLineChars(hWnd, line, chars, nullptr);
        return std::string(chars, std::size_t(std::max(0, n)));
    }
    int userIdAt(int line, int col)
    {
        int id = -1;
        EditorGetFontData(hWnd, fontAt(line, col), nullptr, nullptr, nullptr, &id);
        return id;
    }
    test::DialogControls controls;
    win::ScriptedDialogs script;
};

}

TEST_F(PlxLinkEditTest, ATextLinkIsItsDataRunThenLinkTextAndIsWrittenAsAnAnchor)
{
    ASSERT_EQ(PlxInsertLink(hWnd, "the page", nullptr, "a b.htm", "top", 0, 1), 1);
    type(" now");
    std::string text = lineText();
    EXPECT_EQ(text.substr(0, 4 + 25), "see href=\"a b.htm\" name=\"top\"");
    EXPECT_EQ(styleAt(0, 4) & 0x40, 0x40u) << "the data run is hidden";
    int firstVisible = 4 + int(std::strlen("href=\"a b.htm\" name=\"top\""));
    EXPECT_EQ(text.substr(std::size_t(firstVisible), 8), "the page");
    EXPECT_EQ(styleAt(0, firstVisible), 0x4001u) << "link text with the link style";
    EXPECT_EQ(userIdAt(0, firstVisible), 20) << "body text's link variant";
    EXPECT_EQ(styleAt(0, firstVisible + 9), 0u) << "the text after the link is plain again";
    EXPECT_EQ(body(), "see <a href=\"a b.htm\" name=\"top\">the page</a> now");

    char href[301] = "", name[301] = "", target[301] = "x";
    EditorMoveCaret(hWnd, 0, firstVisible + 2, 0);
    ASSERT_EQ(PlxGetLinkDataEx(hWnd, href, name, target), 1);
    EXPECT_STREQ(href, "a b.htm");
    EXPECT_STREQ(name, "top");
    EXPECT_STREQ(target, "") << "absent: empty";
}

TEST_F(PlxLinkEditTest, ANamedAnchorIsPlainTextThatTheCaretCanBeSentTo)
{
    ASSERT_EQ(PlxInsertLink(hWnd, "here", nullptr, nullptr, "spot", 0, 0), 1);
    type("\r\nafter \"spot\"");
    int visible = 4 + int(std::strlen("name=\"spot\""));
    EXPECT_EQ(styleAt(0, visible), 0u);
    EXPECT_EQ(userIdAt(0, visible), 40);
    EXPECT_EQ(body(), "<div align=left>see <a name=\"spot\">here</a></div>|<div align=left>after &quot;spot&quot;</div>");
    EditorMoveCaret(hWnd, 1, 3, 0);
    EXPECT_EQ(PlxPositionName(hWnd, "spot"), 1);
    EXPECT_EQ(info().caretLine, 0) << "the anchor's data, not the quoted word in the text";
}

TEST_F(PlxLinkEditTest, NoLinkGoesInsideALinkOrOnARuleAndPlainTextHasNoLinkData)
{
    char href[301] = "kept";
    EXPECT_EQ(PlxGetLinkData(hWnd, href, nullptr), 0);
    EXPECT_STREQ(href, "kept");
    PlxInsertLink(hWnd, "page", nullptr, "p.htm", nullptr, 0, 0);
    std::string before = lineText();
    EditorMoveCaret(hWnd, 0, int(before.size()) - 2, 0);
    EXPECT_EQ(PlxInsertLink(hWnd, "inner", nullptr, "i.htm", nullptr, 0, 0), 0);
    EXPECT_EQ(script.beeps(), 1);
    EXPECT_EQ(lineText(), before);

    EditorMoveCaret(hWnd, 0, 0, 0);
    ASSERT_EQ(PlxInsertRule(hWnd, 0), 1);
    EditorMoveCaret(hWnd, 0, 0, 0);
    EXPECT_EQ(PlxInsertLink(hWnd, "x", nullptr, "x.htm", nullptr, 0, 0), 0) << "a rule line takes no link";
    EXPECT_EQ(PlxInsertLink(nullptr, "x", nullptr, "x.htm", nullptr, 0, 0), 0);
    expectNotInitialized("no window");
}

TEST_F(PlxLinkEditTest, TheLinkDialogAsksUntilTextAndAnAnchorAreGiven)
{
    script.expect("LinkParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Link Parameters");
        EXPECT_TRUE(user.focused(kLinkText));
        for (int id : {kLinkPictureFile, kLinkSelectFile, kLinkIsMap})
            EXPECT_FALSE(user.enabled(id)) << id;
        user.ok();
        EXPECT_TRUE(user.open()) << "no text";
        user.type(kLinkText, "Home");
        user.ok();
        EXPECT_TRUE(user.open()) << "neither href nor name";
        EXPECT_TRUE(user.focused(kLinkHref));
        user.type(kLinkHref, "index.htm");
        user.ok();
    });
    ASSERT_EQ(PlxInsertLink(hWnd, nullptr, nullptr, nullptr, nullptr, 0, 0), 1);
    EXPECT_EQ(script.beeps(), 2);
    EXPECT_EQ(body(), "see <a href=\"index.htm\">Home</a>") << "a link at the document's end is closed";

    std::string before = lineText();
    script.expect("LinkParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.text(kLinkText), "") << "each link starts empty";
        user.type(kLinkText, "Lost");
        user.type(kLinkHref, "lost.htm");
        user.cancel();
    });
    type(" ");
    before = lineText();
    EXPECT_EQ(PlxInsertLink(hWnd, "", "", nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(lineText(), before);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxLinkEditTest, APictureLinkComesBackToTheDialogUntilThePictureLoads)
{
    test::TempDir dir;
    std::string picture = (dir.path() / "logo.png").string();
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(picture)));
    win::UserDialogs files;
    files.fileDialog = [&](bool, const OPENFILENAME&, const std::string& filter) {
        EXPECT_EQ(filter.substr(0, 26), "Bitmap format(*.BMP)|*.BMP");
        return win::FileChoice{picture, 1};
    };
    win::UserDialogs before = win::setUserDialogs(files);
    script.expect("LinkParam", [](win::DialogUser& user) {
        user.click(kLinkPictureCheck);
        EXPECT_FALSE(user.enabled(kLinkText));
        EXPECT_TRUE(user.enabled(kLinkIsMap));
        user.type(kLinkPictureFile, "missing.bmp");
        user.click(kLinkIsMap);
        user.type(kLinkHref, "map.cgi");
        user.ok();
    });
    script.expect("LinkParam", [](win::DialogUser& user) {
        EXPECT_TRUE(user.checked(kLinkPictureCheck)) << "shown again as it was";
        EXPECT_TRUE(user.checked(kLinkIsMap));
        EXPECT_EQ(user.text(kLinkPictureFile), "missing.bmp");
        user.click(kLinkSelectFile);
        user.ok();
    });
    ASSERT_EQ(PlxInsertLink(hWnd, nullptr, nullptr, nullptr, nullptr, 0, 0), 1);
    win::setUserDialogs(before);
    EXPECT_TRUE(script.faults().empty());
    std::string html = body();
    EXPECT_NE(html.find("<a href=\"map.cgi\"><img"), std::string::npos) << html;
    EXPECT_NE(html.find("ismap"), std::string::npos) << html;

    EXPECT_EQ(PlxInsertLink(hWnd, nullptr, "missing.gif", "x.htm", nullptr, 0, 0), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Invalid Picture File"});
    EXPECT_EQ(ctx().lastError, 12);
}

TEST_F(PlxLinkEditTest, UpdatingRewritesOnlyTheDataRun)
{
    PlxInsertLink(hWnd, "the page", nullptr, "a.htm", "top", 0, 0);
    EditorMoveCaret(hWnd, 0, int(lineText().size()) - 1, 0);
    ASSERT_EQ(PlxUpdateLinkEx(hWnd, nullptr, nullptr, "_blank", 0), 1);
    EXPECT_EQ(body(), "see <a target=\"_blank\">the page</a>");
    EXPECT_EQ(lineText(), "see target=\"_blank\"the page");

    EditorMoveCaret(hWnd, 0, int(lineText().size()) - 1, 0);
    script.expect("LinkDataParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Update Link Parameters");
        EXPECT_EQ(user.text(kLinkTarget), "_blank") << "filled from the link";
        EXPECT_EQ(user.text(kLinkHref), "");
        user.type(kLinkTarget, "");
        user.ok();
        EXPECT_TRUE(user.open()) << "a link needs something";
        EXPECT_TRUE(user.focused(kLinkHref));
        user.type(kLinkHref, "b.htm");
        user.type(kLinkName, "n");
        user.ok();
    });
    ASSERT_EQ(PlxUpdateLink(hWnd, nullptr, "", 0), 1);
    EXPECT_EQ(body(), "see <a href=\"b.htm\" name=\"n\">the page</a>");

    std::string kept = lineText();
    script.expect("LinkDataParam", [](win::DialogUser& user) {
        user.type(kLinkHref, "c.htm");
        user.cancel();
    });
    EditorMoveCaret(hWnd, 0, int(lineText().size()) - 1, 0);
    EXPECT_EQ(PlxUpdateLinkEx(hWnd, nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(lineText(), kept);
    EditorMoveCaret(hWnd, 0, 1, 0);
    EXPECT_EQ(PlxUpdateLinkEx(hWnd, "z.htm", nullptr, nullptr, 0), 0) << "no link at the caret";
    EXPECT_EQ(script.beeps(), 1);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxLinkEditTest, AnInsertedAndUpdatedLinkReadsBackFromTheWrittenPage)
{
    PlxInsertLink(hWnd, "the page", nullptr, "a.htm", nullptr, 0, 0);
    EditorMoveCaret(hWnd, 0, int(lineText().size()) - 1, 0);
    ASSERT_EQ(PlxUpdateLinkEx(hWnd, "b c.htm", "n", "_top", 0), 1);
    std::string page = written();
    HWND other = newEditor();
    ASSERT_EQ(PlxInitialize(other, hostWnd), 1);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, page.size() + 1);
    std::memcpy(GlobalLock(block), page.c_str(), page.size() + 1);
    GlobalUnlock(block);
    ASSERT_EQ(PlxRead(other, 1, nullptr, block, std::int32_t(page.size()), nullptr), 1);
    GlobalFree(block);
    char chars[301]{};
    int n = EditorGetLineChars(other, 0, chars, nullptr);
    EditorMoveCaret(other, 0, n - 2, 0);
    char href[301], name[301], target[301];
    ASSERT_EQ(PlxGetLinkDataEx(other, href, name, target), 1);
    EXPECT_STREQ(href, "b c.htm");
    EXPECT_STREQ(name, "n");
    EXPECT_STREQ(target, "_top");
}
