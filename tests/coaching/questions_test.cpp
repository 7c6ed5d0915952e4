#include "coaching/coach_state.h"
#include "coaching/help_videos.h"
#include "coaching/main_video.h"
#include "coaching/questions.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/shell/scripted_shell.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace ks;

namespace {

struct QuestionsTest : ::testing::Test {
    test::ScriptedUi ui;
    int scorecardShown = 0;
    QuestionsTest()
    {
        CoachQuestionId.clear();
        scorecardLink().showScorecardWindow = [this] { ++scorecardShown; };
    }
    ~QuestionsTest() override
    {
        formSlot<MainVideo>().Unload();
        scorecardLink() = ScorecardLink();
    }
};

int visibleOptions(MainVideo& v)
{
    int n = 0;
    for (auto* o : v.Optionyesno)
        n += o->isVisibleTo(&v);
    return n;
}

}

TEST_F(QuestionsTest, AnswersExtendTheIdAndTheDispatcherRunsWhatItNames)
{
    MainVideo& video = form<MainVideo>();
    const int shownByLoad = scorecardShown;
    video.Command2->click();
    EXPECT_EQ(CoachQuestionId, "_1");
    EXPECT_EQ(scorecardShown, shownByLoad + 1);
    EXPECT_TRUE(video.LabelQid->text().isEmpty());
    video.Command2->click();
    EXPECT_EQ(video.LabelQid->text(), "_1_1");

    CoachQuestionId = "genquest1_2";
    video.Optionyesno[2]->setChecked(true);
    Command2_Click(video);
    EXPECT_EQ(CoachQuestionId, "genquest1_2_3");
    EXPECT_EQ(video.LabelQid->text(), "genquest1_2_3");
    EXPECT_EQ(video.LabelCoach->text(), "Let's see if we can pinpoint the reasons!\r\rWe need to improve!");
    EXPECT_EQ(visibleOptions(video), 5);
    EXPECT_EQ(video.Optionyesno[4]->text(), "Economic");

    ShowGenquest1_2_2(video);   // four answers: the fifth option stays hidden
    EXPECT_EQ(visibleOptions(video), 4);
    EXPECT_FALSE(video.Optionyesno[4]->isVisibleTo(&video));
    EXPECT_EQ(video.Optionyesno[3]->text(), "Culture");

    video.Optionyesno[3]->setChecked(true);
    Command2_Click(video);
    EXPECT_EQ(video.LabelQid->text(), "genquest1_2_2_4") << "an answer to a step is only shown";
}

TEST_F(QuestionsTest, HelpVideosPlayFromTheHelpFolderAndManualsOpen)
{
    test::TempDir dir;
    App::setPath(QString::fromStdString(dir.str()));
    dir.write("help/SETUP_HELP.wmv", "");
    scorecardLink().coachMode = [] { return int(CoachOff); };
    PlayHelpVideo("SETUP_HELP.wmv", "Error MnuVideoKPISetup_err");
    MainVideo& video = form<MainVideo>();
    EXPECT_TRUE(video.isVisible()) << "shown whatever the coach mode";
    EXPECT_EQ(video.MediaPlayer1->URL().toStdString(), dir.str() + "/help/SETUP_HELP.wmv");
    EXPECT_EQ(video.LabelCoach->text(), kCoachPrompt);

    shell::ScriptedShell sh;
    shell::setShell(&sh);
    OpenManual(kHelpManual);
    EXPECT_EQ(sh.opened(), QStringList{QString::fromStdString(dir.str()) + "/help/Orvantis_manual.pdf"});
    shell::setShell(nullptr);
}
