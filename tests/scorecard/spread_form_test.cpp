#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/settings.h"
#include "main/main_mod.h"
#include "platform/chart/chart_control.h"
#include "platform/runtime/app.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard/window/spread_form.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/scorecard/scorecard_window_fixture.h"
#include "main/frm_about.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QToolBar>
#include <QPixmap>
#include <QPointer>
#include <cstdlib>
#include <limits>
#include <gtest/gtest.h>

using namespace ks;

using test::SpreadFormTest;

TEST_F(SpreadFormTest, MainOpensTheSampleWithTheCoachBeside)
{
    Main();
    ASSERT_TRUE(formSlot<SpreadForm>().isLoaded());
    SpreadForm& w = form<SpreadForm>();
    const QString sample = QString::fromStdString(dir.str()) + "/spreadsheets/Sample.vqa";
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QFileInfo(ScorecardPath).canonicalFilePath(), QFileInfo(sample).canonicalFilePath());
    EXPECT_EQ(w.windowTitle(), "T   :  " + ScorecardPath);
    EXPECT_EQ(w.ComboCoachMode->count(), 3);
    EXPECT_EQ(w.ComboCoachMode->currentText(), "Active Coach");
    EXPECT_EQ(w.ComboBulkData->itemText(2), "Display actual & targets");
    EXPECT_EQ(w.F1BookMain->CurrentSheet(), 1);
    EXPECT_TRUE(w.F1BookMain->HostTag().empty());
    EXPECT_TRUE(w.F1BookMain->HostVisible());
    EXPECT_FALSE(w.reportspread->HostVisible());
    EXPECT_FALSE(w.MnuImportData->isVisible());
    EXPECT_EQ(w.ScorecardLoading, 0);
    EXPECT_TRUE(videoShown());
    EXPECT_EQ(scorecardLink().coachMode(), 0);

    // The toolbar row: the workbook fills everything below it.
    EXPECT_EQ(w.F1BookMain->y(), w.Toolbar2->y() + w.Toolbar2->height());
    EXPECT_EQ(w.F1BookMain->width(), w.width());
    EXPECT_GT(w.ComboCoachMode->x(), w.LabelCoachMode->x());
    EXPECT_GT(w.LabelCoachMode->x(), w.Toolbar2->x());

    // KS_SCREENSHOT=<file.png> keeps a picture of the window for the README.
    if (const char* shot = std::getenv("KS_SCREENSHOT"))
        EXPECT_TRUE(w.grab().save(QString::fromLocal8Bit(shot)));
}

TEST_F(SpreadFormTest, TheLastFileAndTheStoredCoachModeAreUsed)
{
    const std::string mine = dir.str() + "/spreadsheets/Mine.vqa";
    std::filesystem::copy_file(dir.path() / "spreadsheets/Sample.vqa", mine);
    settings(mine, "2");
    setCommandLine("\\IMPORT");
    Main();
    SpreadForm& w = form<SpreadForm>();
    EXPECT_EQ(ScorecardPath.toStdString(), mine);
    EXPECT_EQ(w.ComboCoachMode->currentText(), "Coach Off");
    EXPECT_FALSE(videoShown()) << "Coach Off keeps the video window hidden";
    EXPECT_TRUE(w.MnuImportData->isVisible());

    // A user's pick stores the mode and brings the coach back.
    w.ComboCoachMode->setCurrentIndex(1);
    w.ComboCoachMode_Click();
    EXPECT_EQ(stored("COACHMODE"), "1");
    EXPECT_TRUE(videoShown());
}

TEST_F(SpreadFormTest, SilentCoachShowsTheVideoWindowWithoutClearingCounters)
{
    settings(dir.str() + "/spreadsheets/Sample.vqa", "1");
    CoachCommentCounters[2] = 5;
    Main();
    EXPECT_EQ(form<SpreadForm>().ComboCoachMode->currentText(), "Silent Coach");
    EXPECT_TRUE(videoShown());
    EXPECT_EQ(CoachCommentCounters[2], 5);
    ClearCoachCommentCounters();
}

TEST_F(SpreadFormTest, VideoOnlyStartShowsOnlyTheVideoWindow)
{
    setCommandLine("\\VM");
    Main();
    EXPECT_TRUE(videoShown());
    EXPECT_EQ(VideoOnlyStart, 1);
}

TEST_F(SpreadFormTest, ClosingAsksOnlyWithUnsavedChanges)
{
    Main();
    EXPECT_TRUE(formSlot<SpreadForm>().Unload()) << "nothing changed: nothing asked";

    Main();
    SpreadForm& again = form<SpreadForm>();
    again.F1BookMain->setHostTag("dirty");
    ui.answerMessage(ui::Cancel);
    EXPECT_FALSE(formSlot<SpreadForm>().Unload(FormControlMenu));
    EXPECT_TRUE(again.isLoaded());
    EXPECT_TRUE(videoShown()) << "Cancel brings the coach back";
    EXPECT_EQ(ui.messageBoxes().back().text, "Save Changes?");

    ui.answerMessage(ui::No);
    EXPECT_TRUE(formSlot<SpreadForm>().Unload(FormControlMenu));
}

TEST_F(SpreadFormTest, TheCoachsLinkGoesWithTheWindow)
{
    Main();
    QPointer<SpreadForm> w = &form<SpreadForm>();
    ASSERT_TRUE(scorecardLink().coachMode);
    ASSERT_TRUE(formSlot<SpreadForm>().Unload());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(w.isNull());
    EXPECT_FALSE(scorecardLink().coachMode) << "nothing may reach into a window that is gone";
    EXPECT_FALSE(scorecardLink().bookNumber);
}

TEST_F(SpreadFormTest, AFailedSaveOnCloseKeepsTheWindowAndTheMarker)
{
    Main();
    SpreadForm& w = form<SpreadForm>();
    w.F1BookMain->setHostTag("dirty");
    ScorecardPath = QString::fromStdString(dir.str()) + "/no/such/folder/x.vqa";
    ui.answerMessage(ui::Yes);
    ui.answerMessage(ui::OK);
    EXPECT_FALSE(formSlot<SpreadForm>().Unload(FormControlMenu));
    EXPECT_EQ(w.F1BookMain->HostTag(), "dirty");
    EXPECT_EQ(ui.messageBoxes().back().caption, "save spreadsheet_err");
    w.F1BookMain->setHostTag("");
}

TEST(CoachModeText, LeadingNumberRoundedHalfToEven)
{
    EXPECT_EQ(CoachModeFromText(""), 0);
    EXPECT_EQ(CoachModeFromText("1"), 1);
    EXPECT_EQ(CoachModeFromText("2"), 2);
    EXPECT_EQ(CoachModeFromText("abc"), 0);
    EXPECT_EQ(CoachModeFromText("0.5"), 0);
    EXPECT_EQ(CoachModeFromText("1.5"), 2);
    EXPECT_EQ(CoachModeFromText("1x"), 1);
    // Numbers past the whole-number range are held at its ends, never converted beyond them.
    const std::string digits(400, '9');
    EXPECT_EQ(CoachModeFromText("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(CoachModeFromText(QString::fromStdString(digits)), std::numeric_limits<int>::max());
    EXPECT_EQ(CoachModeFromText(QString::fromStdString("-" + digits)), -std::numeric_limits<int>::max());
}

TEST_F(SpreadFormTest, ACoachModeFarOutOfRangeIsReportedAndTheWindowStillOpens)
{
    settings(dir.str() + "/spreadsheets/Sample.vqa", "99999999999999999999");
    ui.answerMessage(ui::OK);
    Main();
    ASSERT_FALSE(ui.messageBoxes().empty());
    EXPECT_EQ(ui.messageBoxes()[0].caption, "spreadformLoad_err");
    EXPECT_TRUE(ui.messageBoxes()[0].text.endsWith("(Error #380)")) << ui.messageBoxes()[0].text.toStdString();
    EXPECT_TRUE(form<SpreadForm>().isLoaded());
    EXPECT_EQ(ScorecardPath.toStdString(), dir.str() + "/spreadsheets/Sample.vqa");
}

TEST_F(SpreadFormTest, ExitUnloadsTheOtherWindowsBeforeTheScorecard)
{
    Main();
    SpreadForm& w = form<SpreadForm>();
    form<frmAbout>().Show();
    form<FormcreatingGraphs>().Show();
    w.F1BookMain->setHostTag("dirty");
    ui.answerMessage(ui::Cancel);
    w.MnuExit_Click();
    EXPECT_FALSE(formSlot<frmAbout>().isLoaded());
    EXPECT_FALSE(formSlot<FormcreatingGraphs>().isLoaded());
    EXPECT_TRUE(w.isLoaded()) << "Cancel keeps the scorecard window";
    EXPECT_TRUE(videoShown()) << "and brings the coach back";

    // Set-up after a load: sheet 1, cursor home, unchanged.
    w.F1BookMain->setCurrentSheet(2);
    w.SetupScorecard();
    EXPECT_EQ(w.F1BookMain->CurrentSheet(), 1);
    EXPECT_TRUE(w.F1BookMain->HostTag().empty());
    EXPECT_TRUE(w.F1BookMain->EditBarShown());
    const auto block = w.F1BookMain->GetSelectedBlock();
    EXPECT_EQ(block.row1, 1);
    EXPECT_EQ(block.col1, 1);
    EXPECT_EQ(block.row2, 1);
}

// The report chart waits hidden at half the report sheet's size until a report draws on it.
TEST_F(SpreadFormTest, TheReportChartIsHiddenAtHalfTheReportSheet)
{
    Main();
    SpreadForm& w = form<SpreadForm>();
    ASSERT_NE(w.Reports->VtChart1, nullptr);
    EXPECT_FALSE(w.Reports->VtChart1->isVisible());
    EXPECT_EQ(w.Reports->VtChart1->width(), w.reportspread->width() / 2);
    EXPECT_EQ(w.Reports->VtChart1->height(), w.reportspread->height() / 2);
    w.Reports->VtChart1->setChartType(chart::kLine);
    EXPECT_EQ(w.Reports->VtChart1->ChartType(), chart::kLine);
}
