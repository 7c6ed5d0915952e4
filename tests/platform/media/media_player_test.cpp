#include "platform/media/media_player.h"

#include "tests/support/clips.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(MediaPlayer, EndsOnlyOnANaturalEnd)
{
    test::TempDir dir;
    const std::string shortClip = test::makeClip(dir, "short.wmv", 0.6);
    const std::string longClip = test::makeClip(dir, "long.wmv", 5);
    ASSERT_FALSE(shortClip.empty());
    ASSERT_FALSE(longClip.empty());

    MediaPlayer player;
    player.resize(320, 240);
    player.show();
    std::vector<int> states;
    QObject::connect(&player, &MediaPlayer::PlayStateChange, [&](int s) { states.push_back(s); });

    // A new path while one plays, then close: neither reads as an end.
    player.setURL(QString::fromStdString(longClip));
    ASSERT_TRUE(test::waitFor([&] { return player.playState() == PlayStatePlaying; }, 5000));
    player.setURL(QString::fromStdString(longClip));
    ASSERT_TRUE(test::waitFor([&] { return player.playState() == PlayStatePlaying; }, 5000));
    player.close();
    EXPECT_EQ(player.playState(), PlayStateStopped);
    EXPECT_TRUE(player.URL().isEmpty());
    EXPECT_EQ(std::count(states.begin(), states.end(), int(PlayStateMediaEnded)), 0);

    states.clear();
    player.setURL(QString::fromStdString(shortClip));
    ASSERT_TRUE(test::waitFor([&] { return player.playState() == PlayStateMediaEnded; }, 10000));
    EXPECT_EQ(std::count(states.begin(), states.end(), int(PlayStateMediaEnded)), 1);
    EXPECT_EQ(player.URL().toStdString(), shortClip);
}

TEST(MediaPlayer, AMissingFileIsShownNotRaised)
{
    MediaPlayer player;
    player.setURL("/no/such/clip.wmv");
    EXPECT_TRUE(player.errorText().contains("/no/such/clip.wmv"));
    EXPECT_NE(player.playState(), PlayStatePlaying);
    EXPECT_NE(player.playState(), PlayStateMediaEnded);
}
