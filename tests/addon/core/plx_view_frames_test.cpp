// Pages read by the add-on into a window on screen: a frameset's frames show as views side by
// side, each with its own page, and follow the frameset window when it is resized; a real
// documentation page is laid out and drawn.
#include "plx_fixture.h"

#include "platform/editor/model/editor.h"
#include "platform/editor/view/editor_view.h"
#include "platform/files/files.h"
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
