#include "container/etched_lines.h"
#include "container/lock_window_update.h"
#include "container/parent_api.h"
#include "container/progress_on_status_bar.h"
#include "container/tab_strip.h"

#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/win/window_handle.h"
#include "tests/container/raised.h"
#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

using namespace ks;
using ks::test::errorOf;

TEST(TabStrip, PositionsKeysCountAndSelection)
{
    QTabBar bar;
    bar.addTab("First");
    clsTabStrip tabs;
    tabs.setTabStrip(&bar);
    EXPECT_EQ(tabs.TabCaption(1), "First");
    const QString key = tabs.TabKey(0);
    EXPECT_EQ(key.size(), 38);
    EXPECT_EQ(tabs.TabKey(0), key) << "a key once given stays";
    EXPECT_EQ(tabs.TheTab(), 0);

    tabs.setTabCount(3);
    ASSERT_EQ(bar.count(), 3);
    EXPECT_EQ(bar.tabText(0), "First") << "tabs are added at the end";
    EXPECT_EQ(tabs.TabCaption(3), QString());
    tabs.setTheTab(2);
    EXPECT_EQ(bar.currentIndex(), 2);
    tabs.setCaption("Third");
    EXPECT_EQ(tabs.TabCaption(3), "Third");
    EXPECT_EQ(tabs.Caption(), "Third");
    EXPECT_NE(tabs.TabKey(1), key);
    EXPECT_EQ(tabs.TabHeight(), qint32(std::lround(pixelsToTwipsY(bar.tabRect(2).height()))));
    EXPECT_GT(tabs.TabHeight(), 0);

    tabs.Move(150, 300, 3000, 600);
    EXPECT_EQ(bar.geometry(), QRect(twipsToPixelsX(150), twipsToPixelsY(300), twipsToPixelsX(3000), twipsToPixelsY(600)));

    EXPECT_EQ(errorOf([&] { tabs.TabCaption(4); }), clsTabStrip::kIndexOutOfBounds);
    EXPECT_EQ(errorOf([&] { tabs.setTheTab(3); }), clsTabStrip::kIndexOutOfBounds);
    EXPECT_EQ(bar.currentIndex(), 2);
    tabs.setTabCount(0);
    EXPECT_EQ(bar.count(), 0);
    EXPECT_EQ(errorOf([&] { tabs.TabHeight(); }), clsTabStrip::kIndexOutOfBounds);
    EXPECT_EQ(errorOf([&] { tabs.Caption(); }), 91);
}

TEST(TabStrip, ClicksOfTheStripAreRaisedByTheWrapper)
{
    QTabBar bar;
    bar.addTab("One");
    bar.addTab("Two");
    bar.show();
    clsTabStrip tabs;
    tabs.setTabStrip(&bar);
    QSignalSpy clicks(&tabs, &clsTabStrip::Click);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(1).center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(tabs.TheTab(), 1);
}

TEST(ProgressOnStatusBar, MovesIntoTheLastPanelKeyedExactlyProgress)
{
    QWidget window, statusBar(&window);
    statusBar.resize(400, 30);
    QProgressBar bar(&window);
    bar.setGeometry(5, 6, 70, 8);
    cProgressOnStatusBar placer;

    placer.SetProgressBar(bar, statusBar, {{"TEXT", 0, 1500}, {"progress", 0, 900}});
    EXPECT_EQ(bar.parentWidget(), &statusBar);
    EXPECT_EQ(bar.geometry(), QRect(5, 6, 70, 8)) << "no exact key: only the parent changes";

    placer.SetProgressBar(bar, statusBar, {{"PROGRESS", 0, 600}, {"TEXT", 0, 1500}, {"PROGRESS", 1500, 3000}});
    const double height = pixelsToTwipsY(30) - 70;
    EXPECT_EQ(bar.geometry(), QRect(twipsToPixelsX(1540), twipsToPixelsY(40), twipsToPixelsX(2930),
                                    twipsToPixelsY(height)));
}

TEST(ParentApi, HandlesAndWidgets)
{
    HWND first = win::registerWindow(std::make_shared<win::Window>(win::WindowKind::Host, "Host"));
    HWND second = win::registerWindow(std::make_shared<win::Window>(win::WindowKind::Host, "Host"));
    HWND child = win::createChildWindow("Edit", "", WS_CHILD, {}, first, 1);
    cParentAPI parents;
    EXPECT_EQ(parents.ParentHwnd(child), first);
    EXPECT_EQ(parents.SetNewParent(child, second), first);
    EXPECT_EQ(parents.ParentHwnd(child), second);
    EXPECT_EQ(parents.SetNewParent(reinterpret_cast<HWND>(std::uintptr_t(0xDEAD)), second), nullptr);
    win::destroyWindow(first);
    win::destroyWindow(second);

    QWidget a, b;
    QWidget shown(&a);
    EXPECT_EQ(parents.SetNewParent(shown, &b), &a);
    EXPECT_EQ(parents.ParentOf(shown), &b);
    EXPECT_FALSE(shown.isHidden()) << "moving a child does not hide it";
}

TEST(LockWindowUpdate, OneWindowAtATimeAndAnyReleaseLifts)
{
    QWidget a, b;
    auto first = std::make_unique<clsLockWindowUpdate>();
    first->setHwnd(&a);
    EXPECT_FALSE(a.updatesEnabled());
    {
        clsLockWindowUpdate second;
        second.setHwnd(&b);
        EXPECT_TRUE(b.updatesEnabled()) << "a second lock fails quietly";
        EXPECT_EQ(clsLockWindowUpdate::lockedWindow(), &a);
    }
    EXPECT_TRUE(a.updatesEnabled()) << "the second object's release lifted the first lock";
    EXPECT_EQ(clsLockWindowUpdate::lockedWindow(), nullptr);
    first.reset();
    EXPECT_TRUE(a.updatesEnabled());
}

TEST(EtchedLines, LaysOutAndStoresItsDirection)
{
    ucEctchedLines rule;
    rule.resize(40, 60);
    rule.show(); // a hidden control lays out when it is first shown
    const int w = int(pixelsToTwipsX(40)), h = int(pixelsToTwipsY(60));
    EXPECT_TRUE(rule.Vertical());
    EXPECT_EQ(rule.lin1(), QLine(0, 0, 0, h));
    EXPECT_EQ(rule.lin2(), QLine(20, 0, 20, h));

    QVariantMap bag;
    rule.ReadProperties(bag);
    EXPECT_TRUE(rule.Vertical()) << "never stored: upright";
    rule.setVertical(false);
    EXPECT_EQ(rule.lin1(), QLine(0, 0, w, 0));
    EXPECT_EQ(rule.lin2(), QLine(0, 20, w, 20));
    rule.WriteProperties(bag);
    EXPECT_EQ(bag.value("Vertical"), QVariant(false));
    ucEctchedLines copy;
    copy.ReadProperties(bag);
    EXPECT_FALSE(copy.Vertical());

    const QImage picture = rule.grab().toImage();
    EXPECT_EQ(picture.pixelColor(10, 0), QColor(128, 128, 128));
    EXPECT_EQ(picture.pixelColor(10, twipsToPixelsY(20)), QColor(255, 255, 255));
}
