// The notes control: loads and fills made by the program are no user's change, typing is;
// files are written whole; the toolbar follows VekShowToolbar and formats the text.
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "platform/editor/view/notes_control.h"
#include "platform/files/files.h"
#include "tests/support/file_faults.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace ks::editor;
using ks::editor::view::NotesControl;

namespace {

const char* kNotes = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Video: {\\field{\\*\\fldinst { MERGEFIELD Videoname }}"
                     "{\\fldrslt Videoname}}\\par Notes\\par}";

class NotesControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        notes.resize(400, 300);
        notes.show();
        QObject::connect(&notes, &NotesControl::changed, [this] { ++changes; });
        file = in("notes.rtf");
        ASSERT_TRUE(ks::files::saveFile(file.toStdString(), kNotes));
    }
    QString in(const char* name) { return QString::fromStdString((dir.path() / name).string()); }
    std::string text()
    {
        std::string all;
        for (const Paragraph& p : findEditor(notes.hWnd())->doc.paragraphs())
            all += p.chars;
        return all;
    }
    std::string fileBytes(const QString& path)
    {
        std::string bytes;
        EXPECT_TRUE(ks::files::readFile(path.toStdString(), bytes));
        return bytes;
    }

    ks::test::ScriptedUi ui;
    ks::test::TempDir dir;
    QString file;
    NotesControl notes;
    int changes = 0;
};

TEST_F(NotesControlTest, LoadAndFillAreTheProgramsTypingIsTheUsers)
{
    ASSERT_EQ(notes.loadFile(file), 1);
    EXPECT_EQ(notes.fillMergeField("Videoname", QString::fromUtf8("Planning \xE2\x80\x94 part 1")), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(findEditor(notes.hWnd())->modified);
    EXPECT_NE(text().find("Planning \x97 part 1"), std::string::npos);   // the dash in Windows-1252
    notes.view()->setFocus();
    QTest::keyClicks(notes.view(), "ok");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(findEditor(notes.hWnd())->modified);
}

TEST_F(NotesControlTest, AFileThatIsMissingOrNoRtfLeavesTheDocumentAsItWas)
{
    ASSERT_EQ(notes.loadFile(file), 1);
    std::string before = text();
    EXPECT_EQ(notes.loadFile(in("none.rtf")), 0);
    QString plain = in("plain.rtf");
    ASSERT_TRUE(ks::files::saveFile(plain.toStdString(), "just text"));
    EXPECT_EQ(notes.loadFile(plain), 0);
    EXPECT_EQ(text(), before);
    EXPECT_EQ(changes, 0);
}

TEST_F(NotesControlTest, SavedNotesReadBackAndAFailedSaveKeepsTheOldFile)
{
    ASSERT_EQ(notes.loadFile(file), 1);
    notes.view()->setFocus();
    QTest::keyClick(notes.view(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(notes.view(), " added");
    QString out = in("out.rtf");
    ASSERT_EQ(notes.saveFile(out), 1);
    NotesControl again;
    ASSERT_EQ(again.loadFile(out), 1);
    std::string back;
    for (const Paragraph& p : findEditor(again.hWnd())->doc.paragraphs())
        back += p.chars;
    EXPECT_EQ(back, text());
    {
        ks::test::FullDisk full(10);
        EXPECT_EQ(notes.saveFile(out), 0);
    }
    EXPECT_EQ(fileBytes(out).find("added") != std::string::npos, true);
}

TEST_F(NotesControlTest, ToolbarFollowsShowToolbarAndFormatsTheSelection)
{
    auto* bar = notes.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());
    VekShowToolbar(notes.hWnd(), 1);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(notes.toolbarVisible());
    notes.showToolbar(false);
    EXPECT_FALSE(bar->isVisible());
    notes.showToolbar(true);
    ASSERT_EQ(notes.loadFile(file), 1);
    EditorSelectRange(notes.hWnd(), 0, 5);
    bar->actions().at(0)->trigger();   // bold
    EXPECT_NE(findEditor(notes.hWnd())->styleAt(1) & kBold, 0u);
    EXPECT_TRUE(bar->actions().at(0)->isChecked());
    bar->actions().last()->trigger();   // bullets
    EXPECT_NE(findEditor(notes.hWnd())->formatOf(0).listFormat, 0);
    EXPECT_FALSE(notes.view()->layout()->box(0).marker.isEmpty());
    EXPECT_EQ(changes, 2);   // formatting is the user's change too
}

}
