// The notes of each video: made from the template the first time, saved
// before the next item is handled, loaded again when the video comes back.
#include "platform/controls/list_bar.h"
#include "platform/editor/view/editor_view.h"
#include "platform/editor/view/notes_control.h"
#include "platform/media/media_player.h"
#include "tests/container/program_fixture.h"
#include "tests/container/raised.h"
#include "tests/support/file_faults.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

using namespace ks;
using namespace ks::container;

namespace {

class NotesCycle : public test::ContainerTest {
protected:
    void SetUp() override
    {
        ContainerTest::SetUp();
        file("Templates/Training/First.wmv");
        file("Templates/Training/Second.wmv");
        file("Templates/Other/First.wmv");
        file("Templates/Training/Guide.txt");
    }
    QString notes(const QString& video) const { return path("Templates/Your Notes/" + video.toStdString() + ".rtf"); }
    bool has(const QString& file, const std::string& text) const { return read(file).find(text) != std::string::npos; }
};

}

TEST_F(NotesCycle, AFirstPlayMakesTheNotesFromTheTemplateWithItsFieldsFilled)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");
    EXPECT_FALSE(std::filesystem::exists(root + "/Templates/Your Notes")) << "not there before";
    click(w, training, "First");

    const QString made = notes("First");
    ASSERT_TRUE(QFileInfo::exists(made)) << "the notes folder is made and the file saved at once";
    EXPECT_TRUE(has(made, "First")) << "Videoname";
    EXPECT_TRUE(has(made, QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString()));
    EXPECT_TRUE(has(made, made.toStdString())) << "Name of file";
    EXPECT_FALSE(has(made, "\\'abVideoname")) << "no field keeps its placeholder";
    EXPECT_EQ(videoNotes().notesPath, made);
    EXPECT_EQ(w.notesFile(), made);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(NotesCycle, ANoteTypedForOneVideoIsSavedAndComesBackWithIt)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");
    click(w, training, "First");
    typeNote(w, "Call the bank on Monday. ");
    click(w, training, "Second");
    EXPECT_TRUE(has(notes("First"), "Call the bank on Monday.")) << "saved before the next item";
    EXPECT_FALSE(has(notes("Second"), "Call the bank")) << "never into the next video's notes";

    typeNote(w, "Second thoughts. ");
    click(w, training, "First");
    EXPECT_TRUE(has(notes("Second"), "Second thoughts."));
    const std::string before = read(notes("First"));
    click(w, training, "First");   // the same video again: saved, then loaded from its file
    EXPECT_EQ(read(notes("First")), before) << "the template is not used again";
    std::vector<char> line(301, 0);
    const int n = EditorGetLineText(w.Toc1->hWnd(), 0, line.data(), nullptr);
    EXPECT_EQ(std::string(line.data(), size_t(std::max(n, 0))).rfind("Call the bank on Monday.", 0), 0u)
        << "the pane shows the first video's note again";

    // Opening an outside file saves the notes too, and keeps them in the pane.
    typeNote(w, "More. ");
    click(w, training, "Guide");
    EXPECT_TRUE(has(notes("First"), "More."));
    EXPECT_EQ(w.notesFile(), notes("First"));
}

TEST_F(NotesCycle, FileSaveReplacesTheNotesFileOnce)
{
    frmMain& w = mainWindow();
    click(w, openGroup(w, "Training"), "First");
    typeNote(w, "Saved once. ");
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    // The temporary files' moves keep the kernel from folding two renames over one name into one event.
    const uint32_t moves = IN_MOVED_FROM | IN_MOVED_TO;
    ASSERT_GE(inotify_add_watch(watch, path("Templates/Your Notes").toStdString().c_str(), moves), 0);
    w.mnuFileSave_Click();
    int replaced = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;)
        for (char* at = events; at < events + n; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
            replaced += std::string(reinterpret_cast<inotify_event*>(at)->name) == "First.rtf";
    ::close(watch);
    EXPECT_EQ(replaced, 1);
    EXPECT_TRUE(has(notes("First"), "Saved once."));
}

TEST_F(NotesCycle, TwoVideosOfOneNameShareTheirNotes)
{
    frmMain& w = mainWindow();
    click(w, openGroup(w, "Training"), "First");
    typeNote(w, "Shared. ");
    click(w, openGroup(w, "Other"), "First");
    EXPECT_TRUE(has(notes("First"), "Shared."));
    EXPECT_EQ(form<MainVideo>().MediaPlayer1->URL(), path("Templates/Other/First.wmv"));
}

TEST_F(NotesCycle, AFailedSaveIsReportedAndAskedAboutAndTheNotesStayInThePane)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");
    click(w, training, "First");
    typeNote(w, "Do not lose me. ");
    ui.answerMessage(ui::OK);
    ui.answerMessage(ui::Cancel);
    {
        test::FullDisk full(0);
        click(w, training, "Second");
    }
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.messageBoxes()[0].caption, "Error in frmMain: Sub RB_ItemClick");
    EXPECT_TRUE(ui.messageBoxes()[0].text.endsWith("(Error #75)"));
    EXPECT_EQ(ui.messageBoxes()[1].text, "Save Changes?") << "the notes no file took are asked about";
    EXPECT_EQ(form<MainVideo>().MediaPlayer1->URL(), path("Templates/Training/First.wmv")) << "cancel stops the click";
    EXPECT_EQ(w.notesFile(), notes("First")) << "the unsaved notes keep their file";
    EXPECT_EQ(videoNotes().notesPath, notes("First"));
    EXPECT_FALSE(QFileInfo::exists(notes("Second")));

    // Once the disk has room again the next click saves them where they belong.
    click(w, training, "Second");
    EXPECT_TRUE(has(notes("First"), "Do not lose me."));
    EXPECT_FALSE(has(notes("Second"), "Do not lose me."));
}

TEST_F(NotesCycle, NotesOfOneWindowAreNeverSavedIntoTheVideoAnotherWindowLoaded)
{
    frmMain& a = mainWindow();
    click(a, openGroup(a, "Training"), "First");
    typeNote(a, "From window A. ");
    frmMain& b = newForm<frmMain>();
    b.Load();
    click(b, *b.RB->FindGroup(path("Templates/Training")), "Second");
    EXPECT_TRUE(has(notes("First"), "From window A.")) << "the next click saves the pane that holds them";
    EXPECT_EQ(videoNotes().holder, &b);

    // Window A's close saves its pane to its own notes, not to the second video's.
    typeNote(a, "Late words. ");
    ui.answerMessage(ui::Yes);
    EXPECT_TRUE(a.Unload());
    EXPECT_TRUE(has(notes("First"), "Late words."));
    EXPECT_FALSE(has(notes("Second"), "Late words."));
    EXPECT_FALSE(has(notes("Second"), "From window A."));
}

TEST_F(NotesCycle, AVideoChosenWithFileOpenUsesTheNotesNamedAfterTheProgram)
{
    frmMain& w = mainWindow();
    ui.answerOpen(path("Templates/Training/Second.wmv"));
    EXPECT_EQ(w.FileOpen2(), 0);
    EXPECT_TRUE(QFileInfo::exists(notes("Resources Test")));
    EXPECT_TRUE(has(notes("Resources Test"), "Resources Test")) << "the template's Videoname is the title";
    EXPECT_EQ(form<MainVideo>().MediaPlayer1->URL(), path("Templates/Training/Second.wmv"));
    ASSERT_GE(ui.records().size(), 1u);
    EXPECT_EQ(ui.records()[0].file.startFolder, path("Templates"));
    EXPECT_EQ(ui.records()[0].file.filter, "All Files (*.*)|*.*");

    ui.answerOpen(path("Templates/Training/Guide.txt"));
    w.FileOpen2();
    EXPECT_EQ(sh.opened(), QStringList{path("Templates/Training/Guide.txt")});
    ui.answerOpen("");
    w.FileOpen2();
    EXPECT_EQ(sh.opened().size(), 1) << "a cancelled choice does nothing";
}

TEST_F(NotesCycle, AMissingTemplateIsReportedAndTheVideoStillPlays)
{
    std::filesystem::remove(root + "/docs/TrainingDocumentation.rtf");
    frmMain& w = mainWindow();
    ui.answerMessage(ui::OK);
    click(w, openGroup(w, "Training"), "First");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.endsWith("(Error #53)"));
    EXPECT_EQ(form<MainVideo>().MediaPlayer1->URL(), path("Templates/Training/First.wmv"));
    EXPECT_TRUE(videoNotes().notesPath.isEmpty()) << "no notes file is taken for a video whose notes did not load";
}

TEST_F(NotesCycle, ThePaneOnScreenTakesTheUsersTypingAndOnlyThatIsAChange)
{
    frmMain& w = mainWindow();
    w.resize(900, 600);
    w.Show();
    controls::ListBarGroup& training = openGroup(w, "Training");
    click(w, training, "First");
    EXPECT_FALSE(w.isWindowModified()) << "loading the template and filling its fields is the program's doing";
    click(w, training, "First");
    EXPECT_FALSE(w.isWindowModified()) << "nor is loading the notes file";

    QWidget* view = w.Toc1->control()->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_GT(view->height(), 100) << "the notes fill the right-hand pane";
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    view->setFocus();
    QTest::keyClicks(view, "Typed by hand ");
    EXPECT_TRUE(w.isWindowModified());
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(has(notes("First"), "Typed by hand")) << "Ctrl+S in the notes saves them";

    click(w, training, "Second");
    EXPECT_TRUE(has(notes("First"), "Typed by hand")) << "saved before the next video";
    EXPECT_FALSE(has(notes("Second"), "Typed by hand"));
    click(w, training, "First");
    std::vector<char> line(301, 0);
    const int n = EditorGetLineText(w.Toc1->hWnd(), 0, line.data(), nullptr);
    EXPECT_EQ(std::string(line.data(), size_t(std::max(n, 0))).rfind("Typed by hand", 0), 0u) << "and shown again";
}
