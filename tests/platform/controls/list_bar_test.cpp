#include "platform/controls/control_errors.h"
#include "platform/controls/image_list.h"
#include "platform/controls/list_bar.h"

#include <QAbstractButton>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::controls;

namespace {

int raisedNumber(const std::function<void()>& work)
{
    try {
        work();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

QPoint centreOfRow(QListView& view, int row)
{
    return view.visualRect(view.model()->index(row, 0)).center();
}

}

TEST(ImageList, KeysNumberPicturesFromOneAndASecondAddKeepsTheNumber)
{
    ImageList images;
    QPixmap red(8, 8), blue(8, 8);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    EXPECT_EQ(images.Add("/a/clip.wmv", QIcon(red)), 1);
    EXPECT_EQ(images.Add("/a/notes.txt", QIcon(red)), 2);
    EXPECT_EQ(images.Add("/a/clip.wmv", QIcon(blue)), 1) << "the same key again is harmless";
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.Picture(1).pixmap(8, 8).toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(images.IndexOf("/a/CLIP.wmv"), 0) << "keys are exact";
    EXPECT_FALSE(images.Exists("missing"));
    EXPECT_TRUE(images.Picture(0).isNull());
    EXPECT_TRUE(images.Picture(3).isNull());
}

TEST(ListBar, GroupsAndItemsByKeyAndPosition)
{
    ListBar bar;
    ListBarGroup& first = bar.AddGroup("/p/Templates/", "Templates");
    ListBarGroup& second = bar.AddGroup("/p/Templates/Guides", "Guides");
    EXPECT_EQ(bar.GroupCount(), 2);
    EXPECT_EQ(&bar.Group(2), &second);
    EXPECT_EQ(bar.FindGroup("/p/Templates/Guides"), &second);
    EXPECT_EQ(bar.FindGroup("/p/templates/guides"), nullptr);
    EXPECT_EQ(raisedNumber([&] { bar.Group(3); }), kIndexOutOfBounds);
    EXPECT_EQ(raisedNumber([&] { bar.AddGroup("/p/Templates/", "again"); }), kKeyNotUnique);
    EXPECT_EQ(bar.GroupCount(), 2) << "a refused group is not added";

    ListBarItems& items = first.ListItems();
    items.Add("/p/Templates/a.pdf", "a").setTag("EXTERNAL");
    items.Add("/p/Templates/A.pdf", "A");
    items.Add("/p/Templates/b.txt", "b");
    EXPECT_EQ(items.Count(), 3) << "keys differing only in case are different files";
    EXPECT_EQ(raisedNumber([&] { items.Add("/p/Templates/b.txt", "b"); }), kKeyNotUnique);
    EXPECT_EQ(items.Item(1).Tag(), "EXTERNAL");
    EXPECT_EQ(raisedNumber([&] { items.Item(0); }), kIndexOutOfBounds);

    EXPECT_TRUE(items.Remove("/p/Templates/A.pdf"));
    EXPECT_FALSE(items.Remove("/p/Templates/A.pdf")) << "removing what is gone does nothing";
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(2).Text(), "b");
    EXPECT_EQ(items.Find("/p/Templates/missing"), nullptr);
    EXPECT_EQ(items.Find("/p/Templates/A.pdf"), nullptr);
    EXPECT_EQ(items.Add("/p/Templates/A.pdf", "again").Text(), "again") << "a removed key may come back";
    EXPECT_EQ(items.Find("/p/Templates/A.pdf"), &items.Item(3));

    bar.ClearGroups();
    EXPECT_EQ(bar.GroupCount(), 0);
    EXPECT_EQ(bar.CurrentGroup(), nullptr);
}

TEST(ListBar, OpeningAGroupAndClickingAnItemRaiseTheirEvents)
{
    ListBar bar;
    bar.resize(220, 400);
    ImageList images;
    QPixmap green(16, 16);
    green.fill(Qt::green);
    bar.setImages(&images);
    ListBarGroup& first = bar.AddGroup("g1", "Templates");
    ListBarGroup& second = bar.AddGroup("g2", "Guides");
    std::vector<QString> opened;
    QObject::connect(&bar, &ListBar::BarClick, [&](ListBarGroup& g) { opened.push_back(g.Key()); });
    std::vector<QString> clicked;
    QObject::connect(&bar, &ListBar::ItemClick, [&](ListBarItem& item, ListBarGroup& g) {
        clicked.push_back(g.Key() + "|" + item.Key());
        g.ListItems().Remove(item.Key());   // a listener may remove what was clicked
    });
    bar.show();

    bar.setCurrentGroup(first);
    bar.setCurrentGroup(first);
    EXPECT_EQ(opened, std::vector<QString>{"g1"}) << "only a change of the open group is an event";
    QTest::mouseClick(bar.header(2), Qt::LeftButton);
    EXPECT_EQ(bar.CurrentGroup(), &second);
    EXPECT_EQ(opened.back(), "g2");

    // Items added to the open group show at once, with their icons.
    ListBarItem& clip = second.ListItems().Add("g2/clip.wmv", "clip");
    clip.setIcon(images.Add("g2/clip.wmv", QIcon(green)));
    second.ListItems().Add("g2/notes.txt", "notes");
    QListView& view = *bar.itemView();
    ASSERT_EQ(view.model()->rowCount(), 2);
    EXPECT_EQ(view.model()->index(0, 0).data().toString(), "clip");
    EXPECT_FALSE(view.model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(view.model()->index(0, 0).data(Qt::ToolTipRole).toString(), "g2/clip.wmv");

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOfRow(view, 1));
    EXPECT_EQ(clicked, std::vector<QString>{"g2|g2/notes.txt"});
    EXPECT_EQ(view.model()->rowCount(), 1);

    view.setCurrentIndex(view.model()->index(0, 0));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(clicked.back(), "g2|g2/clip.wmv") << "Enter clicks the current item";

    // Items of a group that is not open wait for it, and are there when it opens.
    first.ListItems().Add("g1/a", "a");
    EXPECT_EQ(view.model()->rowCount(), 0);
    bar.setCurrentGroup(first);
    EXPECT_EQ(view.model()->rowCount(), 1);
}

TEST(ListBar, ABatchShowsItsItemsOnceAtTheEnd)
{
    ListBar bar;
    ListBarGroup& group = bar.AddGroup("g", "Group");
    bar.setCurrentGroup(group);
    QAbstractItemModel& model = *bar.itemView()->model();
    int resets = 0, inserts = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });

    bar.beginBatch();
    for (int i = 0; i < 50; ++i)
        group.ListItems().Add(QString("g/%1").arg(i), QString::number(i)).setIcon(0);
    group.ListItems().Remove("g/7");
    bar.endBatch();
    bar.endBatch();   // one end too many does nothing
    EXPECT_EQ(inserts, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), 49);
    EXPECT_EQ(model.index(7, 0).data().toString(), "8");

    group.ListItems().Add("g/late", "late");
    EXPECT_EQ(inserts, 1) << "outside a batch every change shows at once";
}
