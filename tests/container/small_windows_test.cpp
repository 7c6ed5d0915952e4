// The container's window that holds only a media player.
#include "container/form1.h"
#include "platform/media/media_player.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;

TEST(Form1, HoldsAPlayerThatFillsItAndGoesWithIt)
{
    Form1& window = form<Form1>();
    window.resize(320, 240);
    window.Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.WindowsMediaPlayer1->geometry(), window.rect());
    QPointer<MediaPlayer> player = window.WindowsMediaPlayer1;
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(formSlot<Form1>().isLoaded());
    EXPECT_TRUE(player.isNull());
}
