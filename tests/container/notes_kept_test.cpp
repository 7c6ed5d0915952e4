// Notes no file takes (typed before any video, after a failed first save) are never
// dropped without a question, and a damaged notes file is kept until the user's changes
// replace its repaired text.
#include "platform/controls/list_bar.h"
#include "platform/editor/view/notes_control.h"
#include "platform/media/media_player.h"
#include "tests/container/program_fixture.h"
#include "tests/support/file_faults.h"

#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;

namespace {

class NotesKept : public test::ContainerTest {
protected:
    void SetUp() override
    {
        ContainerTest::SetUp();
        file("Templates/Training/First.wmv");
        file("Templates/Training/Second.wmv");
    }
    QString notes(const std::string& video) const { return path("Templates/Your Notes/" + video + ".rtf"); }
    bool has(const QString& file, const std::string& text) const { return read(file).find(text) != std::string::npos; }
    static std::string firstLine(frmMain& w)
    {
        std::vector<char> line(301, 0);
        const int n = EditorGetLineText(w.Toc1->hWnd(), 0, line.data(), nullptr);
        return std::string(line.data(), size_t(std::max(n, 0)));
    }
    static QString playing() { return form<MainVideo>().MediaPlayer1->URL(); }
};

}

TEST_F(NotesKept, NotesTypedBeforeAnyVideoAreAskedAboutWhenAVideoIsClicked)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");
    typeNote(w, "Before any video. ");

    ui.answerMessage(ui::Cancel);
    click(w, training, "First");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Save Changes?");
    EXPECT_EQ(ui.messageBoxes()[0].buttons, ui::YesNoCancel);
    EXPECT_EQ(firstLine(w).rfind("Before any video.", 0), 0u) << "cancel keeps the pane as it is";
    EXPECT_TRUE(playing().isEmpty()) << "and plays nothing";
    EXPECT_FALSE(QFileInfo::exists(notes("First")));

    // Yes: saved where the user says, then the video plays with its own notes.
    ui.answerMessage(ui::Yes);
    ui.answerSave(path("My notes.rtf"));
    click(w, training, "First");
    EXPECT_TRUE(has(path("My notes.rtf"), "Before any video."));
    EXPECT_EQ(playing(), path("Templates/Training/First.wmv"));
    EXPECT_FALSE(has(notes("First"), "Before any video."));
}

TEST_F(NotesKept, NotesTypedBeforeAnyVideoCanBeDiscardedOnPurpose)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");
    typeNote(w, "Throw me away. ");
    ui.answerMessage(ui::No);
    click(w, training, "First");
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(playing(), path("Templates/Training/First.wmv"));
    EXPECT_FALSE(has(notes("First"), "Throw me away."));

    // A pane left as it was needs no question.
    click(w, training, "Second");
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
}

TEST_F(NotesKept, ARepairedNotesFileIsToldOfAndKeptUntilTheUserChangesTheNotes)
{
    // A stray unclosed group before the user's paragraph: the reader repairs the file and
    // what follows the group is lost from the repaired text.
    const std::string damaged = "{\\rtf1\\ansi My heading\\par {\\*\\oops My own paragraph.\\par Another one.\\par}";
    file("Templates/Your Notes/First.rtf", damaged);
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");

    ui.answerMessage(ui::OK);
    click(w, training, "First");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.contains("was damaged")) << ui.messageBoxes()[0].text.toStdString();
    EXPECT_TRUE(ui.messageBoxes()[0].text.contains(notes("First") + ".damaged"));
    EXPECT_EQ(playing(), path("Templates/Training/First.wmv")) << "the video plays all the same";

    click(w, training, "Second");
    EXPECT_EQ(read(notes("First")), damaged) << "unchanged notes never replace the damaged file";
    EXPECT_FALSE(QFileInfo::exists(notes("First") + ".damaged"));

    ui.answerMessage(ui::OK);
    click(w, training, "First");
    typeNote(w, "Added after the repair. ");
    click(w, training, "Second");
    EXPECT_TRUE(has(notes("First"), "Added after the repair.")) << "the user's change is saved";
    EXPECT_EQ(read(notes("First") + ".damaged"), damaged) << "the damaged original is kept beside it";

    // Once saved, the file is sound: no further copy is made.
    click(w, training, "First");
    typeNote(w, "Again. ");
    click(w, training, "Second");
    EXPECT_FALSE(QFileInfo::exists(notes("First") + ".damaged.2"));
    EXPECT_EQ(ui.messageBoxes().size(), 2u);
}

TEST_F(NotesKept, AFailedFirstSaveKeepsTheNotesFileAndTypingIsNotDroppedUnasked)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& training = openGroup(w, "Training");
    ui.answerMessage(ui::OK);
    {
        test::FullDisk full(0);
        click(w, training, "First");
    }
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.endsWith("(Error #75)"));
    EXPECT_FALSE(QFileInfo::exists(notes("First")));
    EXPECT_EQ(w.notesFile(), notes("First")) << "the pane keeps the file its notes belong to";

    typeNote(w, "Typed after the failure. ");
    ui.answerMessage(ui::OK);       // the save fails again...
    ui.answerMessage(ui::Cancel);   // ...and the user keeps the notes
    {
        test::FullDisk full(0);
        click(w, training, "Second");
    }
    ASSERT_EQ(ui.messageBoxes().size(), 3u);
    EXPECT_EQ(ui.messageBoxes()[2].text, "Save Changes?");
    EXPECT_EQ(playing(), path("Templates/Training/First.wmv")) << "nothing else plays";
    EXPECT_EQ(firstLine(w).rfind("Typed after the failure.", 0), 0u);

    click(w, training, "Second");
    EXPECT_TRUE(has(notes("First"), "Typed after the failure.")) << "saved where they belong once the disk has room";
    EXPECT_EQ(playing(), path("Templates/Training/Second.wmv"));
}
