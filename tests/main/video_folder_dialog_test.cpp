#include "coaching/coach_state.h"
#include "common/settings.h"
#include "scorecard/window/spread_form.h"
#include "main/frm_save_as_template.h"
#include "main/main_mod.h"
#include "platform/runtime/app.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace ks;

namespace {

struct VideoFolderDialogTest : ::testing::Test {
    test::TempDir dir;
    test::ScriptedUi ui;

    VideoFolderDialogTest()
    {
        App::setPath(QString::fromStdString(dir.str()));
        dir.write("Vidsettings.nml", "<SETTINGS><TITLE>T</TITLE><PATH></PATH><LASTFILE>" + dir.str()
                                         + "/spreadsheets/Sample.vqa</LASTFILE><COMMENTVIDEO>" + dir.str()
                                         + "</COMMENTVIDEO><SILENTVIDEO>" + dir.str() + "</SILENTVIDEO></SETTINGS>");
        dir.copyProgramFile("spreadsheets/Sample.vqa");
        FirstPassDone = 1;   // later passes: no navigation window
        VideoSetupPending = 1;
        DialogFolder.clear();
        OpenedFromVideoOptions = 0;
    }
    ~VideoFolderDialogTest() override
    {
        UnloadAllForms();
        // The windows are gone: nothing may reach them, and the next test starts afresh.
        scorecardLink() = ScorecardLink();
        FirstPassDone = 0;
        VideoSetupPending = 0;
    }
    QString path(const std::string& relative) const { return QString::fromStdString(dir.str() + "/" + relative); }
    std::string storedPath() const
    {
        const std::string file = dir.read("Vidsettings.nml");
        const auto from = file.find("<PATH>"), to = file.find("</PATH>");
        return from == std::string::npos || to == std::string::npos ? "" : file.substr(from + 6, to - from - 6);
    }
};

}

TEST_F(VideoFolderDialogTest, OkWithoutIntroInsistsAndACancelledBrowseChangesNothing)
{
    frmSaveAsTemplate& dialog = form<frmSaveAsTemplate>();
    dialog.Show();
    ui.answerMessage(ui::OK);
    ui.answerOpen("");
    dialog.cmdOK_Click();
    EXPECT_TRUE(dialog.isLoaded()) << "the dialog stays open";
    EXPECT_TRUE(dialog.lblOutputPath->text().isEmpty());
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("Please select the directory where your video files"));
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Information);
    EXPECT_EQ(ui.records()[1].file.filter, "Coach Files|*.wmv");

    // Another .wmv: shown, and OK browses again; the next choice replaces it.
    dir.write("clips/other.wmv", "");
    dir.write("clips/intro.wmv", "");
    dir.write("clips/videos/a.wmv", "");
    ui.answerOpen(path("clips/other.wmv"));
    dialog.cmdPath_Click();
    EXPECT_EQ(dialog.lblOutputPath->text(), path("clips/other.wmv"));
    ui.answerMessage(ui::OK);
    ui.answerOpen(path("clips/intro.wmv"));
    dialog.cmdOK_Click();
    EXPECT_EQ(storedPath(), dir.str() + "/clips/");
    EXPECT_EQ(VideoBaseFolder, path("clips/"));
    EXPECT_FALSE(formSlot<frmSaveAsTemplate>().isLoaded());
}

TEST_F(VideoFolderDialogTest, TheFirstIntroChosenStaysAndACancelledBrowseKeepsIt)
{
    dir.write("d/intro.wmv", "");
    dir.write("d/videos/x.wmv", "");
    dir.write("e/intro.wmv", "");
    frmSaveAsTemplate& dialog = form<frmSaveAsTemplate>();
    ui.answerOpen(path("d/intro.wmv"));
    dialog.cmdPath_Click();
    ui.answerOpen(path("e/intro.wmv"));
    dialog.cmdPath_Click();
    EXPECT_EQ(dialog.lblOutputPath->text(), path("d/intro.wmv"));
    ui.answerOpen("");   // cancelled: the chosen file is kept
    dialog.cmdPath_Click();
    EXPECT_EQ(DialogFolder, path("e/intro.wmv"));
    dialog.cmdOK_Click();
    EXPECT_EQ(storedPath(), dir.str() + "/d/");
    EXPECT_EQ(VideoSetupPending, 0);
}

TEST_F(VideoFolderDialogTest, NoVideosFolderAsksAndCancelAcceptsAllTheSame)
{
    dir.write("v/intro.wmv", "");
    frmSaveAsTemplate& dialog = form<frmSaveAsTemplate>();
    ui.answerOpen(path("v/intro.wmv"));
    dialog.cmdPath_Click();
    ui.answerMessage(ui::OK);   // try again
    dialog.cmdOK_Click();
    EXPECT_TRUE(dialog.isLoaded());
    EXPECT_EQ(storedPath(), "");
    EXPECT_TRUE(dialog.cmdOK->isEnabled());
    ui.answerMessage(ui::Cancel);   // accept anyway
    ui.answerMessage(ui::No);       // the next pass of Main misses the videos folder too
    dialog.cmdOK_Click();
    EXPECT_EQ(storedPath(), dir.str() + "/v/");
    const auto boxes = ui.messageBoxes();
    EXPECT_TRUE(boxes[boxes.size() - 2].text.startsWith("There appears to be no videos in this directory."));
}

TEST_F(VideoFolderDialogTest, CancelExplainsUnloadsAndRunsMain)
{
    frmSaveAsTemplate& dialog = form<frmSaveAsTemplate>();
    dialog.Show();
    ui.answerMessage(ui::OK);
    dialog.cmdCancel_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "You will not be able to view the coaching videos until you configure "
                                         "this.\r\n We will startup the scorecard and basic coaching comments");
    EXPECT_FALSE(formSlot<frmSaveAsTemplate>().isLoaded());
    EXPECT_EQ(VideoSetupPending, 0) << "Main ran a pass that skipped the check";
    EXPECT_EQ(storedPath(), "");
}

TEST_F(VideoFolderDialogTest, TheSettingsCheckOpensAFreshDialogWithItsExplanation)
{
    VideoSetupPending = 0;
    dir.write("Vidsettings.nml", "<SETTINGS><TITLE>T</TITLE><PATH>/gone/</PATH></SETTINGS>");
    Main();
    ASSERT_TRUE(formSlot<frmSaveAsTemplate>().isLoaded());
    frmSaveAsTemplate& dialog = form<frmSaveAsTemplate>();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Label1->text().startsWith("We can't seem to locate your video clips."));
    EXPECT_EQ(VideoSetupPending, 1);
    EXPECT_FALSE(formSlot<SpreadForm>().isLoaded()) << "the scorecard waits for a settled video folder";
    EXPECT_EQ(frmSaveAsTemplate::designedExplanation().count('"'), 4);
}

TEST(OpticalDrive, TheFirstDiscInTheMountTableIsFoundWithBlanksInItsName)
{
    const QByteArray table = "proc /proc proc rw 0 0\n"
                             "/dev/sda1 / ext4 rw 0 0\n"
                             "/dev/sr0 /media/My\\040Disc iso9660 ro 0 0\n"
                             "/dev/sr1 /media/second udf ro 0 0\n";
    EXPECT_EQ(firstOpticalMount(table), "/media/My Disc");
    EXPECT_EQ(firstOpticalMount("/dev/sda1 / ext4 rw 0 0\n"), "");
    EXPECT_EQ(firstOpticalMount(""), "");
}
