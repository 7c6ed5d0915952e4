// The scorecard window's start without a last file or with an unreadable one, and its toolbars.
#include "coaching/main_video.h"
#include "common/layout/scorecard_layout.h"
#include "platform/media/media_player.h"
#include "platform/runtime/program_end.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard_window_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QToolBar>

using namespace ks;
using namespace ks::scorecard::layout;

namespace {

struct StartTest : test::SpreadFormTest {
    int ends = 0;
    std::function<void()> kept = setProgramEnding([this] { ++ends; });
    ~StartTest() override
    {
        setProgramEnding(kept);
        if (formSlot<SpreadForm>().isLoaded())
            form<SpreadForm>().F1BookMain->setHostTag({});
    }
    QString file(const std::string& name) const { return QString::fromStdString(dir.str() + "/spreadsheets/" + name); }
    static std::vector<int> visibleButtons(QToolBar* bar)
    {
        std::vector<int> shown;
        for (int i = 0; i < bar->actions().size(); ++i)
            if (bar->actions()[i]->isVisible())
                shown.push_back(i + 1);
        return shown;
    }
};

}

TEST_F(StartTest, AFirstStartCreatesANamedScorecardFromTheTemplate)
{
    dir.copyProgramFile("newxx2.tem");
    settings("", "2");
    ui.answerMessage(ui::OK);          // no scorecard yet: one is created
    ui.answerSave(QString());          // the name cannot be refused...
    ui.answerMessage(ui::OK);
    ui.answerSave(file("Sample.vqa")); // ...nor be the sample's
    ui.answerMessage(ui::Yes);         // (the dialog's "already exists" question)
    ui.answerMessage(ui::OK);
    ui.answerSave(file("Ours.vqa"));
    NewScorecardPending = 0;
    Main();
    const auto boxes = ui.messageBoxes();
    ASSERT_GE(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "You do not appear to have set up a scorecard. \r\nWe will create a new scorecard now?");
    EXPECT_EQ(boxes[1].text, "You must select a name for the new file");
    EXPECT_EQ(boxes[3].text, "You can not overwrite your sample file.");
    EXPECT_EQ(ScorecardPath, file("Ours.vqa"));
    EXPECT_TRUE(QFileInfo::exists(file("Ours.vqa")));
    EXPECT_EQ(stored("LASTFILE"), file("Ours.vqa").toStdString());
    EXPECT_EQ(ends, 0);
}

TEST_F(StartTest, AnUnreadableLastScorecardAsksAndAFailedOpenEndsTheProgram)
{
    dir.write("spreadsheets/Broken.vqa", "not a workbook");
    settings(file("Broken.vqa").toStdString(), "2");
    ui.answerMessage(ui::OK);
    ui.answerOpen(file("Broken.vqa"));
    ui.answerMessage(ui::OK);
    Main();
    const auto boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "We can't seem to locate your scorecard. Please let us know where it is saved");
    EXPECT_EQ(boxes[1].caption, "Error Fileopen2");
    EXPECT_EQ(ends, 1);

    // The same failure once the window is up only ends the open.
    ui.answerOpen(file("Broken.vqa"));
    ui.answerMessage(ui::OK);
    form<SpreadForm>().FileOpen2();
    EXPECT_EQ(ends, 1);
}

TEST_F(StartTest, ToolbarsShowTheirButtonsAndRouteTheHelpButton)
{
    Main();
    SpreadForm& w = form<SpreadForm>();
    EXPECT_EQ(w.Toolbar1->actions().size(), 11);
    EXPECT_EQ(visibleButtons(w.Toolbar1), (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(w.Toolbar2->actions().size(), 47);
    const std::vector<int> all{1, 2, 3, 4, 7, 8, 31, 32, 33, 36, 38, 39, 41, 47};
    EXPECT_EQ(visibleButtons(w.Toolbar2), all);
    w.HideToolbar2();
    EXPECT_EQ(visibleButtons(w.Toolbar2), std::vector<int>{47});
    w.ShowToolbar2();
    EXPECT_EQ(visibleButtons(w.Toolbar2), all);
    EXPECT_EQ(w.toolbarButton(w.Toolbar2, 31)->data().toString(), "Dollar");

    // Number formats belong to the set-up sheet.
    const std::string before = w.F1BookMain->SelectionNumberFormat();
    ui.answerMessage(ui::OK);
    w.Toolbar2_ButtonClick("Dollar");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("If you would like to change the format of a number"));
    EXPECT_EQ(w.F1BookMain->SelectionNumberFormat(), before);

    // Help plays in every coach mode, by the sheet shown.
    w.setCoachModeIndex(CoachOff);
    MediaPlayer& player = *form<MainVideo>().MediaPlayer1;
    w.Toolbar2_ButtonClick("HelpButton");
    EXPECT_TRUE(player.URL().endsWith("Help/datmodule_help.wmv"));
    EXPECT_FALSE(form<MainVideo>().isHidden());
    w.F1BookMain->setCurrentSheet(kHistory);
    w.Toolbar2_ButtonClick("HelpButton");
    EXPECT_TRUE(player.URL().endsWith("Help/BulkEntryModule_help.wmv"));
    w.F1BookMain->setCurrentSheet(kKpiComments);
    player.close();
    w.Toolbar2_ButtonClick("HelpButton");
    EXPECT_TRUE(player.URL().isEmpty()) << "no help for the text histories";

    // The set-up screen, and back to the month view on sheet 1.
    w.Toolbar1_ButtonClick("KPI Setup");
    EXPECT_EQ(w.F1BookMain->CurrentSheet(), kSetup);
    EXPECT_EQ(w.F1BookMain->ViewNumberF(), 76);
    w.Toolbar1_ButtonClick("MonthData");
    EXPECT_EQ(w.F1BookMain->CurrentSheet(), kMonthView);
    EXPECT_TRUE(w.Toolbar1->isEnabled());
    EXPECT_EQ(w.MnuEditBar->text(), "Hide Edit Bar");
}
