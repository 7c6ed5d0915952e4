#include "common/c_open_file.h"

#include "platform/runtime/app.h"
#include "platform/shell/scripted_shell.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

struct OpenFileTest : ::testing::Test {
    test::ScriptedUi ui;
    shell::ScriptedShell sh;
    OpenFileTest()
    {
        App::setTitle("Orvantis");
        shell::setShell(&sh);
    }
    ~OpenFileTest() override { shell::setShell(nullptr); }
};

}

TEST_F(OpenFileTest, LaunchFileHasThreeOutcomes)
{
    qintptr hwnd = 0;
    EXPECT_TRUE(cOpenFile().LaunchFile("/docs/a.pdf", hwnd));
    EXPECT_EQ(hwnd, kDesktopWindow);
    EXPECT_TRUE(sh.openedWith().isEmpty());

    sh.answerOpen(shell::OpenResult::NoAssociation);
    EXPECT_TRUE(cOpenFile().LaunchFile("/docs/b.xyz"));
    EXPECT_EQ(sh.openedWith(), QStringList{"/docs/b.xyz"});

    sh.answerOpen(shell::OpenResult::NoAssociation);
    sh.answerOpenWith(shell::OpenWithResult::Unavailable);
    EXPECT_FALSE(cOpenFile().LaunchFile("/docs/c.xyz"));

    sh.answerOpen(shell::OpenResult::Failed);
    ui.answerMessage(ui::OK);
    EXPECT_FALSE(cOpenFile().LaunchFile("/docs/missing.doc"));
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    const auto box = ui.messageBoxes()[0];
    EXPECT_EQ(box.text, "Cannot Launch Program! \r\nCan not find the following file\r\n'/docs/missing.doc'");
    EXPECT_EQ(box.caption, "Orvantis");
    EXPECT_EQ(box.icon, ui::Exclamation);
    EXPECT_EQ(box.buttons, ui::OKOnly);
    EXPECT_EQ(sh.opened().size(), 4);
}

// A file no program opened (an export made in a temporary folder) is not lost from sight.
TEST_F(OpenFileTest, AChooserLeftWithoutAProgramSaysWhereTheFileIs)
{
    sh.answerOpen(shell::OpenResult::NoAssociation);
    sh.answerOpenWith(shell::OpenWithResult::Cancelled);
    ui.answerMessage(ui::OK);
    EXPECT_TRUE(cOpenFile().LaunchFile("/tmp/export-1/Scorecard.odp"));
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "No program was chosen to open the file. It is kept at:\r\n'/tmp/export-1/Scorecard.odp'");
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Information);

    // A chosen program that cannot start is the launch failure.
    sh.answerOpen(shell::OpenResult::NoAssociation);
    sh.answerOpenWith(shell::OpenWithResult::Failed);
    ui.answerMessage(ui::OK);
    EXPECT_FALSE(cOpenFile().LaunchFile("/docs/d.xyz"));
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_TRUE(ui.messageBoxes()[1].text.startsWith("Cannot Launch Program!"));
}

TEST_F(OpenFileTest, OpenEmailEncodesItsPartsAndReportsFailure)
{
    EXPECT_TRUE(cOpenFile().OpenEmail("help@example.com", "Scorecard & you", ""));
    EXPECT_EQ(sh.opened().back(), "mailto:help@example.com?Subject=Scorecard%20%26%20you");
    EXPECT_TRUE(cOpenFile().OpenEmail("a@b.org", "Q?", "c d@e.org"));
    EXPECT_EQ(sh.opened().back(), "mailto:a@b.org?Subject=Q%3F&CC=c%20d@e.org");

    sh.answerOpen(shell::OpenResult::NoAssociation);
    ui.answerMessage(ui::OK);
    EXPECT_FALSE(cOpenFile().OpenEmail("a@b.org", "x"));
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text,
              "Cannot launch mail program! \r\nPlease ensure that a program that is capable of using the mailto "
              "extension is installed.");
}
