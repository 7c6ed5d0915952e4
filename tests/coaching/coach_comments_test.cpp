#include "coaching/coach_comments.h"
#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "tests/support/scripted_ui.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace ks;

namespace {

// A workbook of a few cells, a coach mode and a recording of what plays.
struct CoachTest : ::testing::Test {
    test::ScriptedUi ui;
    std::map<std::tuple<int, int, int>, double> cells;
    int mode = ActiveCoach, sheet = 1, recalcs = 0;
    std::vector<int> modesSet;
    std::optional<RuntimeError> failure;

    CoachTest()
    {
        CommentVideoFolder = "/videos/comment";
        SilentVideoFolder = "/videos/silent";
        CurrentVideoFolder = CommentVideoFolder;
        ClearCoachCommentCounters();
        NewScorecardPending = 0;
        App::setPath("/prog");
        ScorecardLink& link = scorecardLink();
        link.coachMode = [this] { return mode; };
        link.currentSheet = [this] { return sheet; };
        link.recalculate = [this] { ++recalcs; };
        link.setCoachMode = [this](int m) { modesSet.push_back(m); };
        link.bookNumber = [this](int s, int r, int c) {
            if (failure)
                throw *failure;
            auto it = cells.find({s, r, c});
            return it == cells.end() ? 0.0 : it->second;
        };
    }
    ~CoachTest() override
    {
        formSlot<MainVideo>().Unload();
        scorecardLink() = ScorecardLink();
    }
    QString playing() { return form<MainVideo>().MediaPlayer1->URL(); }
    QString notice() { return form<MainVideo>().LabelCoach->text(); }
    void stop() { form<MainVideo>().MediaPlayer1->close(); }
};

}

TEST_F(CoachTest, CommentOnAnEditByModeAndRatings)
{
    const int row = 10;   // KPI 7
    cells[{1, row + 45, 22}] = 5;
    cells[{1, row + 45, 19}] = 1;
    cells[{2, row + 50, 22}] = 1;
    cells[{1, row, 3}] = 100;
    cells[{1, row, 2}] = 130;
    coachcomment(row);
    EXPECT_EQ(playing(), "/videos/comment/wellupbudget_upytd.wmv");
    EXPECT_EQ(recalcs, 2);

    mode = SilentCoach;
    cells[{2, row + 50, 22}] = 2;
    coachcomment(row);
    EXPECT_EQ(playing(), "/videos/silent/expense/Expense_upbudget.wmv");

    mode = CoachOff;
    stop();
    recalcs = 0;
    coachcomment(row);
    EXPECT_TRUE(playing().isEmpty());
    EXPECT_EQ(recalcs, 1) << "Coach Off: one recalculation and nothing else";

    mode = ActiveCoach;
    cells[{1, row, 3}] = 0;   // an actual without a target
    coachcomment(row);
    EXPECT_EQ(playing(), "/videos/comment/Actualbut_NoBudget.wmv");
}

TEST_F(CoachTest, SectionClicksGoSilentAfterTheFirstUntilRes)
{
    cells[{1, 10, 7}] = 1.2;   // above target
    Videogeneralinformation(10, 5);
    EXPECT_EQ(playing(), "/videos/comment/KPIcomments_abovebudget.wmv");
    EXPECT_EQ(notice(), kCoachPrompt);
    Videogeneralinformation(10, 5);
    EXPECT_EQ(playing(), "/videos/silent/KPIcomments_abovebudget.wmv");
    EXPECT_TRUE(notice().startsWith("Switched to silent mode for the Comments section"));

    Videogeneralinformation(25, 6);   // Major Obstacles: its own first time
    EXPECT_EQ(playing(), "/videos/comment/obstacles_comments.wmv");
    EXPECT_EQ(CoachCommentCounters[1], 0) << "Major Success untouched";
    Videogeneralinformation(26, 6);
    EXPECT_EQ(playing(), "/videos/silent/obstacles_comments.wmv");
    EXPECT_TRUE(notice().startsWith("Switched to silent mode for the Major Obstacles section"));

    form<MainVideo>().CommandRes_Click();
    Videogeneralinformation(26, 6);
    EXPECT_EQ(playing(), "/videos/comment/obstacles_comments.wmv");

    // Silent Coach keeps the counters and shows no notice.
    mode = SilentCoach;
    form<MainVideo>().LabelCoach->setText("kept");
    Videogeneralinformation(30, 6);
    EXPECT_EQ(playing(), "/videos/silent/Financial_comments.wmv");
    Videogeneralinformation(31, 6);
    EXPECT_EQ(notice(), "kept");
    EXPECT_EQ(CoachCommentCounters[4], 2);
}

TEST_F(CoachTest, ClicksOutsideTheSectionsAndTheCounterCeiling)
{
    stop();
    sheet = 2;
    Videogeneralinformation(10, 5);
    EXPECT_TRUE(playing().isEmpty());
    EXPECT_EQ(CoachCommentCounters[0], 1) << "an empty KPI counter is raised to 1 all the same";
    sheet = 1;
    Videogeneralinformation(10, 4);
    Videogeneralinformation(24, 5);
    Videogeneralinformation(46, 5);
    EXPECT_TRUE(playing().isEmpty());

    cells[{2, 3 + 50, 22}] = 2;   // row 3 counts as a KPI comment; its kind row follows it
    cells[{1, 3, 7}] = 1;
    Videogeneralinformation(3, 6);
    EXPECT_EQ(playing(), "/videos/comment/expense/Expense_metbudget_comment_silent.wmv")
        << "the first KPI comment after a reset plays from the mode's folder";

    CoachCommentCounters[6] = INT16_MAX;
    Videogeneralinformation(45, 6);
    EXPECT_EQ(CoachCommentCounters[6], INT16_MAX) << "the counter stays at its ceiling";
    EXPECT_EQ(playing(), "/videos/silent/Systems_comments.wmv");
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(CoachTest, WelcomeByLatenessAndTheNewScorecardHelp)
{
    cells[{2, 18, 29}] = 1;
    cells[{2, 20, 29}] = 3;
    cells[{2, 21, 29}] = 1;
    NewScorecardPending = 1;
    startupcomments();
    EXPECT_EQ(playing(), "/prog/help/datmodule_help.wmv");
    EXPECT_EQ(NewScorecardPending, 0);
    startupcomments();
    EXPECT_EQ(playing(), "/videos/comment/Welcome_3monthslate.wmv");
    cells[{2, 21, 29}] = 0;
    startupcomments();
    EXPECT_EQ(playing(), "/videos/comment/Welcome_ontime.wmv");

    mode = CoachOff;
    stop();
    NewScorecardPending = 1;
    startupcomments();
    EXPECT_TRUE(playing().isEmpty());
    EXPECT_EQ(NewScorecardPending, 1);
}

TEST_F(CoachTest, WelcomeFailuresAreRoutedByNumberAndText)
{
    App::setTitle("Orvantis");
    failure = RuntimeError(339, "Component 'wmp.dll' not correctly registered");
    ui.answerMessage(ui::OK);
    startupcomments();
    EXPECT_EQ(ui.messageBoxes().back().caption, "Error : startupcoments_err");
    EXPECT_TRUE(modesSet.empty()) << "339 is reported and nothing more";

    failure = RuntimeError(429, "cannot create wmp.dll object");
    ui.answerMessage(ui::OK);
    startupcomments();
    EXPECT_EQ(ui.messageBoxes().back().icon, ui::Critical);
    EXPECT_EQ(ui.messageBoxes().back().caption, "Orvantis");
    EXPECT_TRUE(ui.messageBoxes().back().text.startsWith("We have a problem loading this program."));
    EXPECT_EQ(modesSet, std::vector<int>{CoachOff});

    failure = RuntimeError(6, "Overflow");
    ui.answerMessage(ui::OK);
    startupcomments();
    EXPECT_EQ(ui.messageBoxes().back().text, "Overflow\r\r(Error #6)");
    EXPECT_EQ(modesSet, (std::vector<int>{CoachOff, CoachOff}));
}
