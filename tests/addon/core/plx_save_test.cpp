// Saving and closing as a host's user meets them: the save dialog, the question before
// closing a modified document, and the wait cursor, answered by the scripted ui.
#include "write_fixture.h"

#include "platform/win/qt_user_dialogs.h"
#include "platform/win/user_dialogs.h"
#include "tests/support/file_faults.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <filesystem>

using namespace ks;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

const char kQuestion[] = "File Modified. Do You Wish to Save the Modifications?";

class PlxSaveTest : public PlxWriteTest {
protected:
    void SetUp() override
    {
        PlxWriteTest::SetUp();
        win::useUiDialogs();
        para("saved text", {0, 0, 120, 120});
        EditorSetModified(hWnd, 1);
    }
    void TearDown() override
    {
        win::setUserDialogs({});
        PlxWriteTest::TearDown();
    }
    bool alive() { return IsWindow(hWnd); }

    test::ScriptedUi ui;
    test::TempDir temp;
};

}

TEST_F(PlxSaveTest, WritingWithADialogTakesTheChosenFileAndFormat)
{
    std::string page = (temp.path() / "chosen.htm").string();
    ui.answerSave(QString::fromStdString(page), 1);
    EXPECT_EQ(PlxWrite(hWnd, 2, nullptr, nullptr, nullptr, 0), 1);
    ASSERT_EQ(ui.records().size(), 1u);
    const auto& request = ui.records()[0].file;
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filter, "HTML Format(*.HTM)|*.HTM;*.htm|Rich Text Format(*.RTF)|*.RTF;*.rtf");
    EXPECT_EQ(request.defaultExt, "htm");
    EXPECT_TRUE(request.flags & ui::OverwritePrompt);
    EXPECT_EQ(temp.read("chosen.htm"), "<body>\r\n<p>saved text</p>\r\n</body>\r\n");
    EXPECT_EQ(info().modified, 0);

    EditorSetModified(hWnd, 1);
    ui.answerSave(QString::fromStdString((temp.path() / "as.rtf").string()), 2);
    EXPECT_EQ(PlxWrite(hWnd, 2, nullptr, nullptr, nullptr, 0), 1);
    EXPECT_EQ(temp.read("as.rtf").rfind("{\\rtf1", 0), 0u) << "the second filter writes RTF through the editor";

    ui.answerSave(QString(), 1);
    EXPECT_EQ(PlxWrite(hWnd, 2, nullptr, nullptr, nullptr, 0), 0) << "cancelled";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxSaveTest, TheWaitCursorShowsWhileTheTopWindowIsWritten)
{
    ui.clear();
    HGLOBAL block = nullptr;
    std::int32_t length = 0;
    ASSERT_EQ(PlxWrite(hWnd, 1, nullptr, &block, &length, 0), 1);
    GlobalFree(block);
    EXPECT_EQ(ui.hourglassChanges(), (std::vector<bool>{true, false}));
    EXPECT_FALSE(win::waitCursor());
}

TEST_F(PlxSaveTest, SaveWritesHtmlOrRtfByTheDocumentFormat)
{
    std::string page = (temp.path() / "page.htm").string();
    EXPECT_EQ(PlxSave(hWnd, 0, page.c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(temp.read("page.htm"), "<body>\r\n<p>saved text</p>\r\n</body>\r\n");
    EXPECT_EQ(info().modified, 0);

    HGLOBAL block = nullptr;
    std::int32_t length = 0;
    EXPECT_EQ(PlxSave(hWnd, 1, nullptr, &block, &length), 1);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(block)), std::size_t(length)),
              "<body>\r\n<p>saved text</p>\r\n</body>\r\n");
    GlobalUnlock(block);
    GlobalFree(block);

    ctx().docFormat = 0;
    std::string rtf = (temp.path() / "notes.rtf").string();
    EXPECT_EQ(PlxSave(hWnd, 0, rtf.c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(temp.read("notes.rtf").rfind("{\\rtf1", 0), 0u);

    ui.answerSave(QString::fromStdString((temp.path() / "asked.htm").string()), 1);
    EXPECT_EQ(PlxSave(hWnd, 0, nullptr, nullptr, nullptr), 1) << "no name: the dialog asks";
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "asked.htm"));
}

TEST_F(PlxSaveTest, InViewModeSaveWritesNothingAndSucceeds)
{
    ctx().viewMode = 1;
    std::string page = (temp.path() / "view.htm").string();
    EXPECT_EQ(PlxSave(hWnd, 0, page.c_str(), nullptr, nullptr), 1);
    EXPECT_FALSE(std::filesystem::exists(page));
    EXPECT_EQ(info().modified, 1);
}

TEST_F(PlxSaveTest, CloseAsksBeforeAModifiedDocumentGoes)
{
    std::snprintf(ctx().fileName, sizeof ctx().fileName, "%s", (temp.path() / "mine.htm").c_str());
    std::string page = ctx().fileName;

    ui.answerMessage(ui::Cancel);
    EXPECT_EQ(PlxClose(hWnd, 0, page.c_str(), nullptr, nullptr), 0);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, kQuestion);
    EXPECT_EQ(ui.messageBoxes()[0].caption.toStdString(), page) << "captioned with the file name";
    EXPECT_EQ(ui.messageBoxes()[0].buttons, ui::YesNoCancel);
    EXPECT_TRUE(alive()) << "Cancel keeps the document";

    {
        ks::test::FullDisk full(10);
        ui.answerMessage(ui::Yes);
        EXPECT_EQ(PlxClose(hWnd, 0, page.c_str(), nullptr, nullptr), 0);
    }
    EXPECT_TRUE(alive()) << "a save that fails keeps the document";
    boxes.clear();

    ui.answerMessage(ui::Yes);
    EXPECT_EQ(PlxClose(hWnd, 0, page.c_str(), nullptr, nullptr), 1);
    EXPECT_FALSE(alive());
    EXPECT_EQ(temp.read("mine.htm"), "<body>\r\n<p>saved text</p>\r\n</body>\r\n");
}

TEST_F(PlxSaveTest, CloseWithoutChangesOrWithNoAsksNothingMoreAndCloses)
{
    ui.answerMessage(ui::No);
    EXPECT_EQ(PlxClose(hWnd, 0, nullptr, nullptr, nullptr), 1);
    EXPECT_FALSE(alive());
    EXPECT_EQ(ui.messageBoxes().size(), 1u);

    hWnd = newEditor();
    ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
    EXPECT_EQ(PlxClose(hWnd, 0, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(ui.messageBoxes().size(), 1u) << "an unmodified document closes without a question";
    EXPECT_FALSE(alive());
}

TEST_F(PlxSaveTest, ANewFileOffersToSaveAModifiedDocumentFirst)
{
    std::string page = (temp.path() / "old.htm").string();
    std::snprintf(ctx().fileName, sizeof ctx().fileName, "%s", page.c_str());

    ui.answerMessage(ui::Cancel);
    EXPECT_EQ(PlxNewFile(hWnd), 0);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, kQuestion);
    EXPECT_EQ(ui.messageBoxes()[0].buttons, ui::YesNoCancel);
    EXPECT_EQ(written(), "<body>\r\n<p>saved text</p>\r\n</body>\r\n") << "Cancel keeps the document";
    EditorSetModified(hWnd, 1);

    {
        ks::test::FullDisk full(10);
        ui.answerMessage(ui::Yes);
        EXPECT_EQ(PlxNewFile(hWnd), 0) << "a failed save keeps the old document";
    }
    EXPECT_STREQ(ctx().fileName, page.c_str());
    boxes.clear();

    ui.answerMessage(ui::Yes);
    EXPECT_EQ(PlxNewFile(hWnd), 1);
    EXPECT_EQ(temp.read("old.htm"), "<body>\r\n<p>saved text</p>\r\n</body>\r\n");
    EXPECT_STREQ(ctx().fileName, "");
    EXPECT_EQ(written(), "<body>\r\n</body>\r\n");

    EXPECT_EQ(PlxNewFile(hWnd), 1) << "without changes nothing is asked";
    EditorInsertText(hWnd, "typed");
    ctx().viewMode = 1;
    EXPECT_EQ(PlxNewFile(hWnd), 1) << "in view mode nothing is asked";
    EXPECT_EQ(ui.messageBoxes().size(), 3u);
}

TEST_F(PlxSaveTest, OpeningAFileOffersToSaveFirstThenReadsHtmlOrLoadsRtf)
{
    std::string page = temp.write("page.htm", "<h1>Opened</h1><p>page text").string();
    std::string rtf = temp.write("notes.rtf", "{\\rtf1\\ansi {\\b Loaded} as RTF\\par}").string();

    ui.answerOpen(QString());
    EXPECT_EQ(PlxOpenFile(hWnd), 0) << "cancelled";
    ASSERT_EQ(ui.records().size(), 1u);
    const auto& request = ui.records()[0].file;
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filter, "HTML Format(*.HTM)|*.HTM;*.htm|Rich Text Format(*.RTF)|*.RTF;*.rtf");
    EXPECT_EQ(request.defaultExt, "htm");
    EXPECT_EQ(info().modified, 1) << "nothing asked, nothing changed";

    ui.answerOpen(QString::fromStdString(page), 1);
    ui.answerMessage(ui::Cancel);
    EXPECT_EQ(PlxOpenFile(hWnd), 0) << "the user keeps the modified document";
    EXPECT_EQ(written(), "<body>\r\n<p>saved text</p>\r\n</body>\r\n");

    ui.answerOpen(QString::fromStdString(page), 1);
    EXPECT_EQ(PlxOpenFile(hWnd), 1) << "written just now: nothing to ask";
    EXPECT_STREQ(ctx().fileName, page.c_str());
    EXPECT_EQ(ctx().docFormat, 1);
    EXPECT_EQ(written(), "<body>\r\n<h1><b>Opened</b></h1>\r\n<div align=left>page text</div>\r\n</body>\r\n");

    ui.answerOpen(QString::fromStdString(rtf), 2);
    EXPECT_NE(PlxOpenFile(hWnd), 0);
    EXPECT_STREQ(ctx().fileName, rtf.c_str());
    EXPECT_EQ(ctx().docFormat, 0) << "an RTF document stays RTF";
    char chars[64]{};
    int n = EditorGetLineChars(hWnd, 0, chars, nullptr);
    EXPECT_EQ(std::string(chars, std::size_t(n)), "Loaded as RTF\x15") << "the editor's RTF reader, not the HTML one";
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(boxes.empty());
}
