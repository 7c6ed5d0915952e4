#include "coaching/coach_state.h"
#include "main/frm_about.h"
#include "main/program_info.h"
#include "platform/runtime/app.h"
#include "tests/support/scripted_ui.h"

#include <QLabel>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace ks;

namespace {

// The small windows on their own: no scorecard window behind them, and any box is a failure.
struct SmallWindowTest : ::testing::Test {
    test::ScriptedUi ui;
    SmallWindowTest() { scorecardLink() = ScorecardLink(); }
    ~SmallWindowTest() override
    {
        formSlot<frmAbout>().Unload();
        formSlot<FormcreatingGraphs>().Unload();
    }
};

using AboutWindow = SmallWindowTest;
using ProgressWindow = SmallWindowTest;

}

TEST_F(AboutWindow, ShowsTitleVersionAndNotices)
{
    App::setTitle("Orvantis");
    App::setVersion(1, 2, 161);
    App::setDescriptions("Scorecard and coach", "(c) the makers", "");
    frmAbout& about = form<frmAbout>();
    EXPECT_EQ(about.windowTitle(), "About Orvantis");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.2.161");
    EXPECT_EQ(about.lblTitle->text(), "Orvantis");
    EXPECT_EQ(about.lblDescription->text(), "Scorecard and coach");
    EXPECT_EQ(about.lblDisclaimer->text(), "(c) the makers");
    about.cmdOK_Click();
    EXPECT_FALSE(formSlot<frmAbout>().isLoaded());

    App::setTitle("");
    EXPECT_EQ(form<frmAbout>().windowTitle(), "About ");
    form<frmAbout>().Unload();
}

TEST_F(AboutWindow, TheProgramGivesItsOwnDescriptionAndLegalNotice)
{
    App::setDescriptions("", "", "");
    SetProgramInfo();
    frmAbout& about = form<frmAbout>();
    EXPECT_EQ(App::exeName(), "kestrune");
    EXPECT_GE(about.lblDescription->text().size(), 20) << about.lblDescription->text().toStdString();
    EXPECT_TRUE(about.lblDisclaimer->text().contains("Copyright")) << about.lblDisclaimer->text().toStdString();
    EXPECT_TRUE(about.lblVersion->text().contains(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")));
    about.Unload();
}

TEST_F(ProgressWindow, KeepsItsTextsBetweenUses)
{
    FormcreatingGraphs& progress = form<FormcreatingGraphs>();
    EXPECT_EQ(progress.windowTitle(), "Updating graphs, please wait....");
    EXPECT_EQ(progress.Label1->text(), "Creating the graph");
    progress.setWindowTitle("Updating data...");
    progress.Label1->setText("Actuals data now being updated...");
    progress.Show();
    progress.Hide();
    progress.Show();
    EXPECT_EQ(progress.windowTitle(), "Updating data...");
    EXPECT_EQ(progress.Label1->text(), "Actuals data now being updated...");
}
