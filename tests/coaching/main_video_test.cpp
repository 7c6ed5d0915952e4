#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/dialogs.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "tests/support/clips.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
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

// The pixels that differ between two shots of the same window: how many, and the box round them.
struct Change {
    int pixels = 0;
    QRect area;
};

Change changeBetween(const QImage& before, const QImage& after)
{
    Change change;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) {
                ++change.pixels;
                change.area |= QRect(x, y, 1, 1);
            }
    return change;
}

TEST_F(MainVideoTest, EveryControlDrawsInItsOwnPlace)
{
    MainVideo& video = form<MainVideo>();
    video.LabelCoach->setText(kCoachPrompt);
    if (const char* out = std::getenv("KS_SCREENSHOT_DIR"))
        video.grab().save(QString(out) + "/main_video.png");
    const std::pair<const char*, QWidget*> controls[] = {
        {"player", video.MediaPlayer1}, {"topic list", video.Combo1},     {"coach label", video.LabelCoach},
        {"folder button", video.Command1}, {"answer button", video.Command2}, {"RES button", video.CommandRes},
        {"options button", video.CommandVidOptions}};
    for (const auto& [name, control] : controls) {
        ASSERT_TRUE(video.rect().contains(control->geometry())) << name << " lies outside the window";
        control->hide();
        const QImage without = video.grab().toImage();
        control->show();
        const Change drawn = changeBetween(without, video.grab().toImage());
        // A 25th of its place at least: a control under another shows no more than its corners.
        EXPECT_GE(drawn.pixels * 25, control->width() * control->height()) << name << " is not seen: " << drawn.pixels << " of " << control->width() * control->height();
        EXPECT_TRUE(control->geometry().contains(drawn.area)) << name << " draws outside its place";
    }
    // The coach's message is written, in blue.
    const QImage label = video.LabelCoach->grab().toImage();
    int blue = 0;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x) {
            const QColor c = label.pixelColor(x, y);
            blue += c.blue() > 150 && c.red() < 100 && c.green() < 100;
        }
    EXPECT_GT(blue, 50) << "the coach's prompt shows in blue";
}

namespace {

// The colour at the middle of the player's picture, as the window draws it.
QColor pictureColour(MainVideo& video)
{
    QWidget* area = video.MediaPlayer1->pictureArea();
    const QImage shot = video.grab().toImage();
    return shot.pixelColor(area->mapTo(&video, area->rect().center()));
}

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24
        && std::abs(a.blue() - b.blue()) < 24;
}

}

TEST_F(MainVideoTest, TheCoachIsSeenWhileAClipPlays)
{
    const QColor clipColour(0x20, 0x80, 0xc0);
    const std::string clip = test::makeClip(dir, "coach.wmv", 4, "color=c=0x2080c0");
    ASSERT_FALSE(clip.empty());
    MainVideo& video = form<MainVideo>();   // its load makes it a topmost window
    ASSERT_TRUE(video.isVisible());
    video.MediaPlayer1->setURL(QString::fromStdString(clip));
    ASSERT_TRUE(test::waitFor([&] { return near(pictureColour(video), clipColour); }, 8000))
        << "the picture stays " << pictureColour(video).name().toStdString();

    // The window placed again (its flags change, which re-creates it) keeps showing the clip.
    video.setWindowFlag(Qt::WindowStaysOnTopHint, false);
    video.Show();
    formontop(video);
    EXPECT_TRUE(test::waitFor([&] { return near(pictureColour(video), clipColour); }, 3000))
        << "after placing: " << pictureColour(video).name().toStdString();
    if (const char* out = std::getenv("KS_SCREENSHOT_DIR"))
        video.grab().save(QString(out) + "/coach-window.png");

    video.MediaPlayer1->close();
    EXPECT_FALSE(near(pictureColour(video), clipColour)) << "a closed player shows no picture";
}
