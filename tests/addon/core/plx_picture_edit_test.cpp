// Pictures a host puts into a document: inserted from a file name or through their dialog,
// refilled from another file, given a map; and what the writer makes of them.
#include "write_fixture.h"

#include "addon/core/picture_edit.h"
#include "addon/core/tag_data.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/platform/pictures/picture_fixtures.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/temp_dir.h"

#include <QImage>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxWriteTest;

namespace {

// A 2 x 2 GIF of two images: an animated picture.
std::string twoFrameGif()
{
    test::GifFrameShape frame{0, 0, 2, 2, false, -1, 10, {}, {0, 1, 1, 0}};
    test::Bytes bytes = test::makeGif(2, 2, {0, 0, 0, 255, 255, 255}, {frame, frame}, 0);
    return std::string(bytes.begin(), bytes.end());
}

class PlxPictureEditTest : public PlxWriteTest {
protected:
    void SetUp() override
    {
        PlxWriteTest::SetUp();
        png = (dir.path() / "logo.png").string();
        ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(QString::fromStdString(png)));
        gif = dir.write("dot.gif", twoFrameGif()).string();
        type("see ");
    }
    // The body with the writer's line breaks taken out.
    std::string unwrapped()
    {
        std::string html = body();
        std::erase(html, '|');
        return html;
    }
    RECT rectOf(int picture)
    {
        RECT r{};
        EditorGetFontData(hWnd, picture, nullptr, &r, nullptr, nullptr);
        return r;
    }
    int auxOf(int picture)
    {
        int aux = -1;
        EditorGetFontData(hWnd, picture, nullptr, nullptr, nullptr, &aux);
        return aux;
    }
    // Answers the file dialog with path while the test runs.
    void chooseFile(const std::string& path)
    {
        userDialogsBefore = win::setUserDialogs({});
        win::UserDialogs files = userDialogsBefore;   // the script still hears the beeps
        files.fileDialog = [path](bool save, const OPENFILENAME&, const std::string& filter) {
            EXPECT_FALSE(save);
            EXPECT_NE(filter.find("JPEG Format(*.JPG)|*.JPG"), std::string::npos) << filter;
            return win::FileChoice{path, 1};
        };
        win::setUserDialogs(files);
        chosen = true;
    }
    void TearDown() override
    {
        if (chosen)
            win::setUserDialogs(userDialogsBefore);
        PlxWriteTest::TearDown();
    }
    test::TempDir dir;
    std::string png, gif;
    test::DialogControls controls;
    win::ScriptedDialogs script;
    win::UserDialogs userDialogsBefore;
    bool chosen = false;
};

}

TEST_F(PlxPictureEditTest, APictureFromAFileSitsAtTheCaretWithItsAlignment)
{
    int top = PlxInsertPicture(hWnd, png.c_str(), 2, 0, 0, 0);
    ASSERT_GT(top, 0);
    EXPECT_EQ(info().caretColumn, 5) << "the caret passes the picture";
    int right = PlxInsertPicture(hWnd, png.c_str(), 4, 0, 0, 0);
    ASSERT_GT(right, 0);
    EXPECT_EQ(EditorGetPictAlign(hWnd, right), 2) << "float right";
    int plain = PlxInsertPicture(hWnd, gif.c_str(), 9, 1, 0, 0);
    ASSERT_GT(plain, 0);
    EXPECT_EQ(auxOf(plain), 1) << "a server-side map";
    std::string html = unwrapped();
    EXPECT_NE(html.find("see <img src=" + png + " align=top width=4 height=3>"), std::string::npos) << html;
    EXPECT_NE(html.find("<img src=" + png + " align=right width=4 height=3>"), std::string::npos) << html;
    EXPECT_NE(html.find("<img src=" + gif + " ismap width=2 height=2>"), std::string::npos)
        << "an alignment outside 1-4 is the bottom: " << html;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxPictureEditTest, AFileThatWillNotLoadIsReportedAndChangesNothing)
{
    std::string before = body();
    for (std::string name : {dir.str() + "/missing.gif", dir.str() + "/notes.txt"}) {
        EXPECT_EQ(PlxInsertPicture(hWnd, name.c_str(), 0, 0, 0, 1), 0) << name;
        EXPECT_EQ(boxes, std::vector<std::string>{"Invalid Picture File"}) << name;
        EXPECT_EQ(ctx().lastError, 12);
        boxes.clear();
    }
    EXPECT_EQ(body(), before);
    EXPECT_EQ(PlxInsertPicture(nullptr, png.c_str(), 0, 0, 0, 0), 0);
    expectNotInitialized("no window");
}

TEST_F(PlxPictureEditTest, NoPictureGoesOnARuleLineOrIntoLinkData)
{
    ASSERT_EQ(PlxInsertRule(hWnd, 0), 1);
    int rule = 0;
    while (rule < 3 && !EditorTestLineFlag(hWnd, rule, 0x100))
        ++rule;
    ASSERT_LT(rule, 3);
    EditorMoveCaret(hWnd, rule, 0, 0);
    EXPECT_EQ(PlxInsertPicture(hWnd, png.c_str(), 0, 0, 0, 0), 0);

    EditorSetLineChars(hWnd, 0, "", nullptr);
    ASSERT_EQ(PlxInsertLink(hWnd, "page", nullptr, "p.htm", nullptr, 0, 0), 1);
    EditorMoveCaret(hWnd, 0, 3, 0);
    std::string before = body();
    EXPECT_EQ(PlxInsertPicture(hWnd, png.c_str(), 0, 0, 0, 0), 0);
    EXPECT_EQ(script.beeps(), 1);
    EXPECT_EQ(body(), before);
}

TEST_F(PlxPictureEditTest, ThePictureInALinkIsMarkedAsLinked)
{
    ASSERT_EQ(PlxInsertLink(hWnd, "page", nullptr, "p.htm", nullptr, 0, 0), 1);
    char line[301]{};
    int n = EditorGetLineChars(hWnd, 0, line, nullptr);
    EditorMoveCaret(hWnd, 0, n - 2, 0);
    int picture = PlxInsertPicture(hWnd, png.c_str(), 0, 0, 0, 0);
    ASSERT_GT(picture, 0);
    unsigned style = 0;
    EditorGetFontData(hWnd, picture, &style, nullptr, nullptr, nullptr);
    EXPECT_EQ(style & 0x4000, 0x4000u);
    EXPECT_NE(body().find("<a href=\"p.htm\">pa<img src="), std::string::npos) << body();
}

TEST_F(PlxPictureEditTest, TheDialogAsksForAFileAndComesBackUntilItLoads)
{
    chooseFile(gif);
    script.expect("PictureParam", [&](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Picture Parameters");
        EXPECT_TRUE(user.focused(kPictSelectFile));
        EXPECT_TRUE(user.checked(kPictBottom));
        EXPECT_FALSE(user.enabled(kPictIsMap)) << "only an image field can be a map";
        EXPECT_EQ(user.text(kPictFileName), "");
        user.ok();
        EXPECT_TRUE(user.open()) << "no file";
        EXPECT_TRUE(user.focused(kPictFileName));
        user.type(kPictFileName, dir.str() + "/gone.bmp");
        user.click(kPictMiddle);
        user.ok();
    });
    script.expect("PictureParam", [&](win::DialogUser& user) {
        EXPECT_EQ(user.text(kPictFileName), dir.str() + "/gone.bmp") << "shown again as it was";
        EXPECT_TRUE(user.checked(kPictMiddle));
        user.click(kPictSelectFile);
        EXPECT_EQ(user.text(kPictFileName), gif);
        user.ok();
    });
    int picture = PlxInsertPicture(hWnd, nullptr, 0, 1, 0, 0);
    ASSERT_GT(picture, 0);
    EXPECT_EQ(script.beeps(), 1);
    EXPECT_TRUE(boxes.empty()) << "a file chosen in the dialog is not reported";
    EXPECT_EQ(body(), "see <img src=" + gif + " align=middle width=2 height=2>");

    std::string before = body();
    script.expect("PictureParam", [&](win::DialogUser& user) {
        EXPECT_EQ(user.text(kPictFileName), "") << "each picture starts empty";
        user.type(kPictFileName, png);
        user.cancel();
    });
    EXPECT_EQ(PlxInsertPicture(hWnd, "", 0, 0, 0, 0), 0);
    EXPECT_EQ(body(), before);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxPictureEditTest, AnImageFieldNeedsAFormAndBecomesAnImageInput)
{
    EXPECT_EQ(PlxInsertPicture(hWnd, png.c_str(), 0, 0, 1, 0), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Must be positioned in a Form"});
    EXPECT_EQ(ctx().lastError, 13);
    EXPECT_EQ(ctx().fieldCount, 0);

    EditorSetParaType(hWnd, 0, 0x1000);
    script.expect("PictureParam", [&](win::DialogUser& user) {
        EXPECT_TRUE(user.enabled(kPictIsMap));
        user.type(kPictFileName, png);
        user.click(kPictIsMap);
        user.ok();
    });
    int picture = PlxInsertPicture(hWnd, nullptr, 0, 0, 1, 0);
    ASSERT_GT(picture, 0);
    ASSERT_EQ(ctx().fieldCount, 1);
    EXPECT_EQ(ctx().fields[0].type, kFieldImage);
    EXPECT_EQ(ctx().fields[0].controlId, 2000);
    EXPECT_EQ(auxOf(picture), 2) << "the field's index + 2";
    EXPECT_EQ(ctx().dialog.values[kPictValueIsMap], 1);
    EXPECT_EQ(body(), "<form method=get action=empty>|see <input type=image src=" + png + " width=4 height=3>|</form>")
        << "in the first form, made for it";
    ASSERT_EQ(PlxEditFormId(hWnd, 0, 0, 1, "/cgi/map", 0), 0);
    EXPECT_EQ(PlxGetCurForm(hWnd, nullptr), 0) << "the image field alone makes the block a form's";
    EXPECT_NE(body().find("<form method=post action=/cgi/map>"), std::string::npos) << body();
}

TEST_F(PlxPictureEditTest, ARefilledPictureKeepsItsPlaceAlignmentAndThePageSize)
{
    int picture = PlxInsertPicture(hWnd, png.c_str(), 2, 1, 0, 0);
    ASSERT_GT(picture, 0);
    int entry = AddTagData(ctx(), kTagPictureSize, picture, "");
    ASSERT_GE(entry, 0);
    ctx().tagTable[entry].value1 = -50;   // a percentage: the old width in pixels stays
    ctx().tagTable[entry].value2 = 20;
    ASSERT_EQ(PlxSetPicture(hWnd, picture, 2, gif.c_str()), 1);
    RECT r = rectOf(picture);
    EXPECT_EQ(r.right - r.left, 4);
    EXPECT_EQ(r.bottom - r.top, 20);
    EXPECT_EQ(auxOf(picture), 1);
    int vertical = -1;
    EditorGetFontData(hWnd, picture, nullptr, nullptr, &vertical, nullptr);
    EXPECT_EQ(vertical, 2);

    ctx().tagTable[entry].value1 = 0;   // a side the page left open is the picture's own
    ASSERT_EQ(PlxSetPicture(hWnd, picture, 1, nullptr), 0);
    EXPECT_EQ(PlxSetPicture(hWnd, picture, 6, png.c_str()), 0) << "PNG is not a type it takes";
    EXPECT_EQ(PlxSetPicture(hWnd, 0, 2, gif.c_str()), 0) << "font 0 is text";
    EXPECT_EQ(PlxSetPicture(hWnd, picture, 1, (dir.str() + "/gone.bmp").c_str()), 0);
    int next = PlxInsertPicture(hWnd, png.c_str(), 0, 0, 0, 0);
    ASSERT_GT(next, 0);
    EXPECT_NE(next, picture) << "a refill that failed does not take the next picture";
    EXPECT_EQ(rectOf(picture).bottom - rectOf(picture).top, 20);
}

TEST_F(PlxPictureEditTest, AMapNameReplacesTheOldOneAndAnEmptyNameRemovesIt)
{
    int picture = PlxInsertPicture(hWnd, png.c_str(), 0, 0, 0, 0);
    ASSERT_EQ(PlxSetPictUseMap(hWnd, picture, "#nav"), 1);
    ASSERT_EQ(PlxSetPictUseMap(hWnd, picture, "#menu"), 1);
    EXPECT_EQ(body(), "see <img src=" + png + " width=4 height=3 usemap=#menu>");
    ASSERT_EQ(PlxSetPictUseMap(hWnd, picture, ""), 1);
    EXPECT_EQ(body(), "see <img src=" + png + " width=4 height=3>");
    EXPECT_EQ(PlxSetPictUseMap(nullptr, picture, "#x"), 0);
    expectNotInitialized("no window");
}
