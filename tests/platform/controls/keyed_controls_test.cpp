#include "platform/controls/control_errors.h"
#include "platform/controls/keyed_menu.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/controls/splitter.h"
#include "platform/controls/status_bar.h"
#include "platform/runtime/events.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::controls;

namespace {

// A window with a menu bar, shown and active, so that shortcuts reach it.
struct MenuWindow {
    QWidget window;
    QMenuBar* bar = new QMenuBar(&window);
    KeyedMenu menu{bar};
    std::vector<QString> clicks;

    MenuWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setMenuBar(bar);
        QObject::connect(&menu, &KeyedMenu::Click, [this](int n) { clicks.push_back(menu.Key(n)); });
    }
    void show()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }
};

const std::vector<MenuEntry> kTree = {
    {"mnuFile", "", "&File"},
    {"mnuFileOpen", "mnuFile", "&Open...", QKeySequence("Ctrl+O")},
    {"mnuFileMRU(0)", "mnuFile", "one", {}, false},
    {"mnuFileMRU(1)", "mnuFile", "two", {}, false},
    {"mnuEdit", "", "&Edit", {}, false},
    {"mnuEditCopy", "mnuEdit", "&Copy", QKeySequence("Ctrl+C")},
    {"mnuView", "", "&View"},
    {"mnuViewGrid", "mnuView", "&Grid Lines", {}, true, true},
};

}

TEST(KeyedMenu, ItemsByKeyAndNumberAndMissingKeysAreHarmless)
{
    MenuWindow w;
    w.menu.Build(kTree);
    EXPECT_EQ(w.menu.Count(), int(kTree.size()));
    EXPECT_EQ(w.menu.Find("mnuFileMRU(1)"), 4) << "numbers follow the table, indexed names are keys";
    EXPECT_EQ(w.menu.Key(4), "mnuFileMRU(1)");
    EXPECT_EQ(w.menu.Caption(2), "&Open...");
    EXPECT_EQ(w.menu.Find("mnuFileMRU"), 0);
    EXPECT_EQ(w.menu.Key(99), "");
    EXPECT_EQ(w.menu.Key(0), "");
    w.menu.setChecked("nothing", true);
    w.menu.setVisible("nothing", true);
    w.menu.setEnabled("nothing", false);
    EXPECT_FALSE(w.menu.Checked("nothing"));
    EXPECT_EQ(w.menu.action("nothing"), nullptr);

    EXPECT_EQ(w.bar->actions().size(), 3) << "top-level items go into the menu bar";
    EXPECT_FALSE(w.bar->actions()[1]->isVisible());
    ASSERT_NE(w.menu.submenu("mnuFile"), nullptr);
    EXPECT_EQ(w.menu.submenu("mnuFile")->actions().size(), 3);

    try {
        w.menu.Add({"mnuFileOpen", "mnuFile", "again"});
        ADD_FAILURE() << "a key that is there is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kKeyNotUnique);
    }
    try {
        w.menu.Add({"orphan", "mnuNothing", "x"});
        ADD_FAILURE() << "a missing parent is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kElementNotFound);
    }
    EXPECT_EQ(w.menu.Count(), int(kTree.size()));
}

TEST(KeyedMenu, AClickLeavesTheCheckMarkToTheHandler)
{
    MenuWindow w;
    w.menu.Build(kTree);
    w.menu.action("mnuViewGrid")->trigger();
    EXPECT_EQ(w.clicks, std::vector<QString>{"mnuViewGrid"});
    EXPECT_FALSE(w.menu.Checked("mnuViewGrid")) << "nothing ticks the item unless the handler does";
    EXPECT_FALSE(w.menu.action("mnuViewGrid")->isChecked());
    w.menu.setChecked("mnuViewGrid", true);
    w.menu.action("mnuViewGrid")->trigger();
    EXPECT_TRUE(w.menu.action("mnuViewGrid")->isChecked());

    std::vector<int> opened;
    QObject::connect(&w.menu, &KeyedMenu::InitPopupMenu, [&](int n) { opened.push_back(n); });
    emit w.menu.submenu("mnuView")->aboutToShow();
    EXPECT_EQ(opened, std::vector<int>{w.menu.Find("mnuView")});
}

TEST(KeyedMenu, ShortcutsWorkOnlyThroughVisibleMenus)
{
    MenuWindow w;
    w.menu.Build(kTree);
    w.show();
    QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&w.window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w.clicks, std::vector<QString>{"mnuFileOpen"}) << "the hidden Edit menu takes no keys";

    w.menu.setVisible("mnuEdit", true);
    QTest::keyClick(&w.window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w.clicks.back(), "mnuEditCopy");
    w.menu.setVisible("mnuFileOpen", false);
    w.clicks.clear();
    QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(w.clicks.empty());
}

TEST(KeyedMenu, APopupMenuShowsWhereAskedAndReportsItsItems)
{
    QMenu root;
    KeyedMenu popup(&root);
    popup.Build({{"Cut", "", "Cu&t"}, {"More", "", "More"}, {"Deep", "More", "Deep item"}});
    std::vector<QString> clicks;
    QObject::connect(&popup, &KeyedMenu::Click, [&](int n) { clicks.push_back(popup.Key(n)); });
    EXPECT_TRUE(popup.Popup(QPoint(40, 40)));
    EXPECT_TRUE(root.isVisible());
    popup.action("Deep")->trigger();
    EXPECT_EQ(clicks, std::vector<QString>{"Deep"});
    root.hide();

    QMenuBar bar;
    KeyedMenu barMenu(&bar);
    EXPECT_FALSE(barMenu.Popup(QPoint(0, 0))) << "a menu bar does not pop up";
}

TEST(KeyedToolBar, ButtonsAndDropDownItemsReportTheirKeys)
{
    KeyedToolBar bar;
    bar.Build({{"Open", "Open"}, {"Sep", "", "", {}, ButtonKind::Separator}, {"Bold", "Bold", "", {}, ButtonKind::Check},
               {"Print", "Print", "", {}, ButtonKind::DropDown}, {"Hidden", "Hidden", "", {}, ButtonKind::Button, false}});
    std::vector<QString> clicks;
    QObject::connect(&bar, &KeyedToolBar::ButtonClick, [&](const QString& key) { clicks.push_back(key); });
    QObject::connect(&bar, &KeyedToolBar::ButtonMenuClick,
                     [&](const QString& button, const QString& item) { clicks.push_back(button + ">" + item); });
    bar.ButtonMenu("Print")->Add({"PrintAll", "", "All pages"});
    // Whoever else listens to the drop-down's menu does not take it from the toolbar.
    int menuClicks = 0;
    QObject::connect(bar.ButtonMenu("Print"), &KeyedMenu::Click, [&](int) { ++menuClicks; });

    bar.Button("Open")->trigger();
    bar.Button("Print")->trigger();
    bar.ButtonMenu("Print")->action("PrintAll")->trigger();
    EXPECT_EQ(clicks, (std::vector<QString>{"Open", "Print", "Print>PrintAll"}));
    EXPECT_EQ(menuClicks, 1);
    EXPECT_FALSE(bar.Button("Hidden")->isVisible());
    EXPECT_EQ(bar.ButtonMenu("Open"), nullptr);

    bar.setChecked("Bold", true);
    EXPECT_TRUE(bar.Checked("Bold"));
    bar.setChecked("Missing", true);
    bar.setEnabled("Missing", false);
    EXPECT_EQ(bar.Button("Missing"), nullptr);
    EXPECT_FALSE(bar.Checked("Missing"));
}

TEST(Splitter, NamedPanesAndANegativeSizeLeavesItAsItWas)
{
    QWidget window;
    Splitter splitter(Qt::Horizontal, &window);
    QWidget left, right;
    splitter.setPaneContent("Pane A", &left);
    splitter.setPaneContent("Pane B", &right);
    splitter.setPaneContent("Pane C", nullptr);
    EXPECT_EQ(left.parentWidget(), splitter.Pane("Pane A"));
    EXPECT_EQ(right.parentWidget(), splitter.Pane("Pane B"));
    EXPECT_EQ(splitter.Pane("Pane C"), nullptr);

    splitter.Move(0, 300, 6000, 4500);
    const QRect placed = splitter.geometry();
    EXPECT_EQ(placed, QRect(0, twipsToPixelsY(300), twipsToPixelsX(6000), twipsToPixelsY(4500)));
    try {
        splitter.Move(0, 300, 6000, -15);
        ADD_FAILURE() << "a negative height is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kInvalidPropertyValue);
    }
    EXPECT_EQ(splitter.geometry(), placed);
}

TEST(StatusBar, PanelsByKeyWithTheirPlacesInTwips)
{
    StatusBar bar;
    bar.resize(600, 24);
    bar.AddPanel("DOING", "Ready", 1440, true);
    bar.AddPanel("PROGRESS", "", 2880);
    bar.setPanelText("DOING", "Loading");
    bar.setPanelText("MISSING", "x");
    EXPECT_EQ(bar.PanelText("DOING"), "Loading");
    EXPECT_EQ(bar.PanelText("MISSING"), "");

    const std::vector<PanelPlace> places = bar.PanelPlaces();
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[1].key, "PROGRESS");
    EXPECT_NEAR(places[1].width, 2880, pixelsToTwipsX(1));
    EXPECT_LT(places[0].left, places[1].left);
    EXPECT_NEAR(places[1].left + places[1].width, pixelsToTwipsX(600), pixelsToTwipsX(3))
        << "the spring panel takes the room so the fixed one ends at the right edge";
    EXPECT_GT(places[0].width, 1440) << "the spring panel grows";
}
