#include "common/dialogs.h"

#include "tests/support/scripted_ui.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace ks;

TEST(Dialogs, OpenAndSaveReturnThePathAndTheFilterInUse)
{
    test::ScriptedUi ui;
    int index = 2;
    ui.answerOpen("");   // cancelled
    EXPECT_EQ(ShowOpenDialog("Coach Files|*.wmv|All|*.*", "", "/start", 4100, nullptr, index), "");
    EXPECT_EQ(index, 2) << "a cancelled dialog leaves the filter index as it was";

    ui.answerOpen("/start/intro.wmv", 1);
    EXPECT_EQ(ShowOpenDialog("Coach Files|*.wmv|All|*.*", "", "/start", 4100, nullptr, index), "/start/intro.wmv");
    EXPECT_EQ(index, 1);

    ui.answerSave("/start/new.vqa");
    EXPECT_EQ(ShowSaveDialog("Scorecards|*.vqa", "", "/start", 4102, nullptr, index), "/start/new.vqa");

    const auto& records = ui.records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].file.flags, 4100u | 0x80000u) << "the open dialog adds the explorer style";
    EXPECT_EQ(records[0].file.filterIndex, 2);
    EXPECT_EQ(records[0].file.startFolder, "/start");
    EXPECT_FALSE(records[0].file.save);
    EXPECT_EQ(records[2].file.flags, 4102u) << "the save dialog adds nothing";
    EXPECT_TRUE(records[2].file.save);
}

TEST(Dialogs, FormontopSitsNearTheLowerRightCorner)
{
    // 96 % of the free width and 90 % of the free height, halves to even.
    ScreenPoint p = formontopPosition(1920, 1080, 320, 240);
    EXPECT_EQ(p.x, 1536);   // (1920 - 320) * 0.96
    EXPECT_EQ(p.y, 756);    // (1080 - 240) * 0.9
    p = formontopPosition(1000, 1000, 375, 375);
    EXPECT_EQ(p.x, 600);    // 625 * 0.96 = 600
    EXPECT_EQ(p.y, 562);    // 625 * 0.9 = 562.5, to the even neighbour

    QWidget window;
    window.resize(200, 150);
    window.show();
    formontop(window);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
}

TEST(Dialogs, HourglassGoesThroughTheUi)
{
    test::ScriptedUi ui;
    HourglassOn();
    HourglassOn();
    HourglassOff();
    EXPECT_EQ(ui.hourglassChanges(), (std::vector<bool>{true, false}));
}
