// Pages read by the add-on into a window on screen: a frameset's frames show as views side by
// side, each with its own page, and follow the frameset window when it is resized; a real
// documentation page is laid out and drawn. The view mode rebuilds a frameset from
// another folder with its frames, and a frame's edits reach its file only when the user
// answers Yes.
#include "plx_fixture.h"

#include "platform/editor/model/editor.h"
#include "platform/editor/view/editor_view.h"
#include "platform/files/files.h"
#include "platform/win/qt_user_dialogs.h"
#include "platform/win/user_dialogs.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QImage>

#include <filesystem>

using ks::editor::view::EditorView;

namespace {

class PlxViewFramesTest : public ks::test::PlxTest {
protected:
    std::string file(const char* name, const std::string& html)
    {
        std::string path = (dir.path() / name).string();
        EXPECT_TRUE(ks::files::saveFile(path, html));
        return path;
    }
    ks::test::TempDir dir;
};

TEST_F(PlxViewFramesTest, TwoColumnsShowSideBySideWithTheirPagesAndFollowAResize)
{
    EditorView view(hWnd);
    view.resize(640, 480);
    view.show();
    file("a.htm", "<p>left page");
    file("b.htm", "<p>right page");
    std::string top = file("top.htm", "<frameset cols=\"50%,50%\"><frame src=a.htm><frame src=b.htm></frameset>");
    ASSERT_EQ(PlxRead(hWnd, 0, top.c_str(), nullptr, 0, nullptr), 1);
    auto frames = view.viewport()->findChildren<EditorView*>();
    ASSERT_EQ(frames.size(), 2);
    std::sort(frames.begin(), frames.end(), [](EditorView* a, EditorView* b) { return a->x() < b->x(); });
    EXPECT_EQ(frames[0]->x(), 0);
    EXPECT_GE(frames[1]->x(), frames[0]->x() + frames[0]->width());
    EXPECT_NEAR(frames[0]->width(), 320, 4);
    auto textOf = [](EditorView* v) {
        std::string all;
        for (const auto& p : ks::editor::findEditor(v->handle())->doc.paragraphs())
            all += p.chars;
        return all;
    };
    EXPECT_NE(textOf(frames[0]).find("left page"), std::string::npos);
    EXPECT_NE(textOf(frames[1]).find("right page"), std::string::npos);
    EXPECT_GT(frames[1]->layout()->height(), 0);
    view.resize(800, 480);   // the add-on lays the frames out again
    EXPECT_NEAR(frames[1]->x(), 400, 4);
    QCoreApplication::processEvents();
}

std::string textOf(HWND window)
{
    std::string all;
    for (const auto& p : ks::editor::findEditor(window)->doc.paragraphs())
        all += p.chars;
    return all;
}

TEST_F(PlxViewFramesTest, TheViewModeKeepsTheFramesAndAFramesEditsAreSavedOnlyWhenTheUserSaysSo)
{
    // The frameset lives in a folder of its own; the process's folder is elsewhere.
    std::filesystem::create_directories(dir.path() / "site");
    file("site/a.htm", "<p>left page");
    const std::string right = file("site/b.htm", "<p>right page");
    const std::string top = file("site/top.htm", "<frameset cols=\"50%,50%\"><frame src=a.htm><frame src=b.htm></frameset>");
    ASSERT_NE(std::filesystem::current_path(), dir.path() / "site");
    ks::test::ScriptedUi ui;
    ks::win::useUiDialogs();
    EditorView view(hWnd);
    view.resize(640, 480);
    ASSERT_EQ(PlxRead(hWnd, 0, top.c_str(), nullptr, 0, nullptr), 1);
    auto frames = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);   // the views of frames taken down
        auto found = view.viewport()->findChildren<EditorView*>();
        std::sort(found.begin(), found.end(), [](EditorView* a, EditorView* b) { return a->x() < b->x(); });
        return found;
    };
    auto showsBothPages = [&] {
        auto shown = frames();
        return shown.size() == 2 && textOf(shown[0]->handle()).find("left page") != std::string::npos &&
               textOf(shown[1]->handle()).find("right page") != std::string::npos;
    };
    ASSERT_TRUE(showsBothPages());

    ASSERT_EQ(PlxCommand(hWnd, 12105), 1);   // into the view mode
    EXPECT_EQ(PlxInViewMode(hWnd), 1);
    EXPECT_TRUE(showsBothPages()) << "the frames are found beside the frameset, not in the process's folder";
    ASSERT_EQ(PlxCommand(hWnd, 12104), 1);   // and out again
    EXPECT_TRUE(showsBothPages());
    EXPECT_STREQ(ctx().fileName, top.c_str()) << "the frameset keeps its name";

    // An edit in a frame, then into the view mode: Yes to the switch, No to saving the frame.
    HWND edited = frames()[1]->handle();
    EditorInsertText(edited, "changed ");
    ASSERT_EQ(info(edited).modified, 1);
    ui.answerMessage(ks::ui::Yes);
    ui.answerMessage(ks::ui::No);
    ASSERT_EQ(PlxCommand(hWnd, 12105), 1);
    EXPECT_EQ(PlxInViewMode(hWnd), 1);
    ASSERT_EQ(ui.messageBoxes().size(), 2u) << "the switch's question, then the edited frame's";
    EXPECT_EQ(ui.messageBoxes()[1].text.toStdString(), "File Modified. Do You Wish to Save the Modifications?");
    std::string kept;
    ASSERT_TRUE(ks::files::readFile(right, kept));
    EXPECT_EQ(kept, "<p>right page") << "No leaves the frame's file as it was";
    EXPECT_TRUE(showsBothPages());

    // Out of the view mode, edited again: Yes writes the frame's file.
    ASSERT_EQ(PlxCommand(hWnd, 12104), 1);
    EditorInsertText(frames()[1]->handle(), "changed ");
    ui.answerMessage(ks::ui::Yes);
    ui.answerMessage(ks::ui::Yes);
    ASSERT_EQ(PlxCommand(hWnd, 12105), 1);
    ASSERT_TRUE(ks::files::readFile(right, kept));
    EXPECT_NE(kept.find("changed"), std::string::npos) << kept;
    EXPECT_NE(textOf(frames()[1]->handle()).find("changed"), std::string::npos);
    ks::win::setUserDialogs({});
}

}

namespace {

// A documentation page as the user sees it: read into an editor window on screen, laid out
// over many screens with its headings larger than its text. KS_PAGE_SHOT=<png> keeps the
// first screen (the README's picture).
TEST_F(PlxViewFramesTest, ARealDocumentationPageIsLaidOutAndDrawn)
{
    const char* page = "/usr/share/doc/debian/FAQ/ftparchives.en.html";
    if (!std::filesystem::exists(page))
        GTEST_SKIP() << "no documentation pages: run setup.sh";
    EditorView view(hWnd);
    view.setWindowTitle("ftparchives.en.html");
    view.resize(760, 560);
    view.show();
    ASSERT_EQ(PlxRead(hWnd, 0, page, nullptr, 0, nullptr), 1);
    QCoreApplication::processEvents();
    EXPECT_GT(view.layout()->height(), 4 * view.viewport()->height()) << "a long page";
    QImage shot = view.grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            dark += shot.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 1000) << "text is drawn";
    QString file = qEnvironmentVariable("KS_PAGE_SHOT");
    if (!file.isEmpty()) {
        EXPECT_TRUE(shot.save(file));
    }
}

}
