#include "main/form_navigation.h"
#include "main/image_button.h"
#include "main/main_mod.h"
#include "platform/runtime/app.h"
#include "platform/shell/scripted_shell.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ks;

namespace {

// The start-up flags are set once in a real run and never set back: every test starts
// from a first start and leaves one behind.
void resetStartFlags()
{
    VideoOnlyStart = 0;
    ImportMenuOn = 0;
    FirstPassDone = 0;
    QuitAfterResources = 0;
    setCommandLine("");
}

// A program folder of its own, with the navigation pictures, the sample scorecard and its settings.
struct NavigationTest : ::testing::Test {
    test::TempDir dir;
    test::ScriptedUi ui;
    shell::ScriptedShell sh;
    NavigationTest()
    {
        for (const char* file : {"images/Scorecard.bmp", "images/Scorecard_down.bmp", "images/Resources.bmp",
                                 "images/Resources_down.bmp", "spreadsheets/Sample.vqa", "Templates/intro.wmv"})
            dir.copyProgramFile(file);
        dir.write("Templates/videos/Sales.wmv", "");
        dir.write("Vidsettings.nml", "<SETTINGS><TITLE>T</TITLE><PATH></PATH><LASTFILE>spreadsheets/Sample.vqa</LASTFILE>"
                                     "<COMMENTVIDEO></COMMENTVIDEO><SILENTVIDEO></SILENTVIDEO><COACHMODE>2</COACHMODE>"
                                     "</SETTINGS>");
        App::setPath(QString::fromStdString(dir.str()));
        shell::setShell(&sh);
        resetStartFlags();
    }
    ~NavigationTest() override
    {
        UnloadAllForms();
        formSlot<FormNavigation>().Unload();
        shell::setShell(nullptr);
        resetStartFlags();
    }
};

}

TEST_F(NavigationTest, ResourcesStartsTheContainerAndEndsTheFirstPass)
{
    QTimer::singleShot(0, [] {
        FormNavigation& nav = form<FormNavigation>();
        QTest::mouseClick(nav.ImageResources, Qt::LeftButton);
    });
    Main();
    ASSERT_EQ(sh.started().size(), 1);
    EXPECT_TRUE(sh.started()[0].endsWith("/container"));
    EXPECT_EQ(QuitAfterResources, 1);
    EXPECT_EQ(FirstPassDone, 0) << "the program ends without reading its settings";
    EXPECT_FALSE(formSlot<FormNavigation>().isLoaded());
}

TEST_F(NavigationTest, AContainerThatCannotStartKeepsTheWindow)
{
    sh.answerStart(false);
    ui.answerMessage(ui::OK);
    FormNavigation& nav = form<FormNavigation>();
    nav.Show();
    QTest::mouseClick(nav.ImageResources, Qt::LeftButton);
    EXPECT_TRUE(nav.isLoaded());
    EXPECT_EQ(QuitAfterResources, 0);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("The resources program could not be started"));

    // SCORECARD closes the navigation window and the pass goes on.
    QTimer::singleShot(0, [&] { QTest::mouseClick(form<FormNavigation>().ImageScorecard, Qt::LeftButton); });
    nav.Hide();
    Main();
    EXPECT_EQ(FirstPassDone, 1);
    EXPECT_EQ(QuitAfterResources, 0);
}

TEST_F(NavigationTest, OnlyTheExactWholeCommandLineSetsAFlag)
{
    FirstPassDone = 1;   // skip the navigation window
    for (const char* line : {"\\vm", "\\VM ", "\\VM \\IMPORT", "/VM"}) {
        setCommandLine(line);
        Main();
    }
    EXPECT_EQ(VideoOnlyStart, 0);
    EXPECT_EQ(ImportMenuOn, 0);
    setCommandLine("\\IMPORT");
    Main();
    EXPECT_EQ(ImportMenuOn, 1);
    EXPECT_EQ(VideoOnlyStart, 0);
}
