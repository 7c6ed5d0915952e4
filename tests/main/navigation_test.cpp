#include "main/form_navigation.h"
#include "main/image_button.h"
#include "main/main_mod.h"
#include "platform/shell/scripted_shell.h"
#include "tests/support/scripted_ui.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ks;

namespace {

struct NavigationTest : ::testing::Test {
    test::ScriptedUi ui;
    shell::ScriptedShell sh;
    NavigationTest() { shell::setShell(&sh); }
    ~NavigationTest() override { shell::setShell(nullptr); }
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
