#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace ks;

namespace {

struct MainVideoTest : ::testing::Test {
    test::TempDir dir;
    test::ScriptedUi ui;
    int scorecardShown = 0, dialogShown = 0;
    int mode = 0, sheet = 1;
    bool report = false;

    MainVideoTest()
    {
        VideoBaseFolder.clear();
        VideoSetupPending = 0;
        AppTitle = "Orvantis";
        ScorecardLink& link = scorecardLink();
        link.showScorecardWindow = [this] { ++scorecardShown; };
        link.showVideoFolderDialog = [this] { ++dialogShown; };
        link.coachMode = [this] { return mode; };
        link.currentSheet = [this] { return sheet; };
        link.reportVisible = [this] { return report; };
    }
    ~MainVideoTest() override
    {
        formSlot<MainVideo>().Unload();
        scorecardLink() = ScorecardLink();
    }
    QStringList topics(MainVideo& v)
    {
        QStringList items;
        for (int i = 0; i < v.Combo1->count(); ++i)
            items << v.Combo1->itemText(i);
        return items;
    }
};

}

TEST_F(MainVideoTest, LoadListsTheTopicsPlaysTheIntroAndShowsTheScorecard)
{
    VideoBaseFolder = QString::fromStdString(dir.str());
    dir.write("videos/Sales.2.wmv", "");
    dir.write("videos/b.wmv", "");
    dir.write("videos/sub/x.wmv", "");
    MainVideo& video = form<MainVideo>();
    QStringList listed = topics(video);
    listed.sort();
    EXPECT_EQ(listed, QStringList({"Sales.2", "b", "sub"}));
    EXPECT_TRUE(video.isVisible());
    EXPECT_EQ(video.windowTitle(), "Orvantis");
    EXPECT_EQ(scorecardShown, 1);
    EXPECT_TRUE(video.MediaPlayer1->URL().endsWith("Templates/intro.wmv"));
    EXPECT_EQ(video.Combo1->currentText(), "What area do you need help...");

    video.Combo1->setCurrentIndex(int(topics(video).indexOf("Sales.2")));
    video.Combo1_Click();
    EXPECT_EQ(video.MediaPlayer1->URL().toStdString(), dir.str() + "/videos/Sales.2.wmv");
}

TEST_F(MainVideoTest, WithoutAVideoFolderOrWhileSetupIsPending)
{
    VideoSetupPending = 1;
    MainVideo& video = form<MainVideo>();
    EXPECT_EQ(video.Combo1->count(), 0);
    EXPECT_TRUE(video.MediaPlayer1->URL().isEmpty()) << "no introduction without a video folder";
    EXPECT_TRUE(video.isVisible());
    EXPECT_TRUE(video.windowTitle().isEmpty());
    EXPECT_EQ(scorecardShown, 0);
}

TEST_F(MainVideoTest, ButtonsClearCountersAndOpenTheDialog)
{
    MainVideo& video = form<MainVideo>();
    CoachCommentCounters = {1, 2, 3, 4, 5, 6, 7};
    video.CommandRes_Click();
    EXPECT_EQ(CoachCommentCounters, (std::array<std::int16_t, 7>{}));

    video.CommandVidOptions_Click();
    EXPECT_EQ(OpenedFromVideoOptions, 1);
    EXPECT_TRUE(video.isLoaded());
    video.Command1_Click();
    EXPECT_EQ(dialogShown, 2);
    EXPECT_FALSE(formSlot<MainVideo>().isLoaded());
    OpenedFromVideoOptions = 0;
}

TEST_F(MainVideoTest, CoachWindowFollowsModeSheetAndReport)
{
    MainVideo& video = form<MainVideo>();
    UpdateCoachWindow();
    EXPECT_TRUE(video.isVisible());
    EXPECT_EQ(video.LabelCoach->text(), kCoachPrompt);
    EXPECT_EQ(video.Combo1->currentText(), kTopicPrompt);
    sheet = 2;
    UpdateCoachWindow();
    EXPECT_FALSE(video.isVisible());
    ShowCoachWindow();   // the sheet does not matter here
    EXPECT_TRUE(video.isVisible());
    sheet = 1;
    report = true;
    UpdateCoachWindow();
    EXPECT_FALSE(video.isVisible()) << "the report sheet always hides the coach";
    report = false;
    mode = 2;
    ShowCoachWindow();
    EXPECT_FALSE(video.isVisible());
    UpdateCoachWindow();
    EXPECT_FALSE(video.isVisible());
}

TEST_F(MainVideoTest, RendersItsControls)
{
    MainVideo& video = form<MainVideo>();
    video.LabelCoach->setText(kCoachPrompt);
    QImage shot = video.grab().toImage();
    if (const char* out = std::getenv("KS_SCREENSHOT_DIR"))
        shot.save(QString(out) + "/main_video.png");
    int distinct = 0;
    QRgb first = shot.pixel(0, 0);
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            distinct += shot.pixel(x, y) != first;
    EXPECT_GT(distinct, 100) << "the window draws its controls";
}
