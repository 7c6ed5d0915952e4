#include "container/document_state.h"

#include "tests/container/raised.h"
#include "tests/support/qt_print.h"

#include <QStringList>
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ks;
using ks::test::errorOf;

namespace {

struct Named {
    QString name;
};

}

TEST(KeyedList, OrderPositionsAndKeysWithoutCase)
{
    KeyedList<Named> list;
    list.add(std::make_shared<Named>(Named{"first"}), "Alpha");
    list.add(std::make_shared<Named>(Named{"second"}), "beta");
    list.add(std::make_shared<Named>(Named{"third"}), "Gamma");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(1)->name, "first");
    EXPECT_EQ(list.item(3)->name, "third");
    EXPECT_EQ(list.item("ALPHA"), list.item(1));
    EXPECT_EQ(list.item("BeTa")->name, "second");

    QStringList order;
    for (const auto& member : list)
        order << member->name;
    EXPECT_EQ(order, QStringList({"first", "second", "third"}));

    list.remove("gamma");
    list.remove(1);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(1)->name, "second");
}

TEST(KeyedList, FailuresNameTheirErrorAndChangeNothing)
{
    KeyedList<Named> list;
    list.add(std::make_shared<Named>(Named{"kept"}), "Key");
    EXPECT_EQ(errorOf([&] { list.add(std::make_shared<Named>(Named{"new"}), "KEY"); }), kErrDuplicateKey);
    EXPECT_EQ(errorOf([&] { list.item("missing"); }), kErrInvalidArgument);
    EXPECT_EQ(errorOf([&] { list.remove("missing"); }), kErrInvalidArgument);
    for (qint32 position : {0, 2, -1})
        EXPECT_EQ(errorOf([&] { list.item(position); }), kErrSubscript) << position;
    EXPECT_EQ(errorOf([&] { list.remove(2); }), kErrSubscript);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item("key")->name, "kept");
}

TEST(DocumentState, FreshDocumentAndItsPath)
{
    clsfrmMain doc;
    EXPECT_EQ(doc.Levels().count() + doc.Groups().count() + doc.Attachments().count() + doc.Hyperlinks().count(), 0);
    EXPECT_FALSE(doc.Dirty());
    EXPECT_EQ(doc.Database(), QString());

    test::TempDir temp;
    const QString file = QString::fromStdString(temp.write("Plan.flw", "x").string());
    doc.setDatabase(file);
    EXPECT_EQ(doc.Database(), file);
    doc.setDatabase(file + ".missing");
    EXPECT_EQ(doc.Database(), QString()) << "a path that does not resolve is kept as empty text";
}

TEST(DocumentState, LevelsAndGroupsCreateAndSwallowFailedLookups)
{
    cLevels levels;
    auto level = levels.Create("Top", true, 0xFF00);
    ASSERT_EQ(levels.count(), 1);
    EXPECT_EQ(level->Key.size(), 38);
    EXPECT_EQ(level->LevelName, "Top");
    EXPECT_TRUE(level->Selected);
    EXPECT_EQ(level->color, 0xFF00);
    EXPECT_EQ(levels.Item(1), level);
    EXPECT_EQ(levels.Item(level->Key.toLower()), level);
    EXPECT_EQ(levels.Item("missing"), nullptr);
    EXPECT_EQ(levels.Item(2), nullptr);
    EXPECT_EQ(errorOf([&] { levels.Remove("missing"); }), kErrInvalidArgument);
    EXPECT_EQ(errorOf([&] { levels.Remove(5); }), kErrSubscript);

    cGroups groups;
    auto plain = groups.Create("A", false);
    auto chosen = groups.Create("B", true);
    EXPECT_EQ(groups.Item(plain->Key), plain);
    EXPECT_EQ(groups.Item(0), nullptr);
    EXPECT_EQ(groups.FirstSelectedGroup(), chosen);
    chosen->Selected = false;
    EXPECT_EQ(groups.FirstSelectedGroup(), nullptr);
    EXPECT_EQ(levels.FirstSelectedLevel(), level);
}

TEST(DocumentState, NamesAndKeysTranslateExactly)
{
    cGroups groups;
    auto a = groups.Create("A", false);
    auto b = groups.Create("B", false);
    EXPECT_EQ(groups.GroupNameForKey("{NOT-THERE}," + b->Key), "B");
    EXPECT_EQ(groups.GroupNameForKey(a->Key + "," + b->Key), "A,B");
    EXPECT_EQ(groups.GroupNameForKey(a->Key + "," + a->Key), "A,A");
    EXPECT_EQ(groups.GroupNameForKey(a->Key.toLower()), QString()) << "keys compare exactly here";
    EXPECT_EQ(groups.GroupNameForKey(QString()), QString());
    EXPECT_EQ(groups.KeyForGroupName("B,A"), b->Key + "," + a->Key);
    EXPECT_EQ(groups.KeyForGroupName("a"), QString());
    EXPECT_EQ(groups.KeyForGroupName(QString()), QString());

    cLevels levels;
    auto top = levels.Create("Top", false, 0);
    EXPECT_EQ(levels.LevelNameForKey(top->Key), "Top");
    EXPECT_EQ(levels.LevelNameForKey(QString()), QString());
    EXPECT_EQ(levels.KeyForLevelName("Top"), top->Key);
    EXPECT_EQ(levels.KeyForLevelName("top"), QString());
    EXPECT_EQ(levels.KeyForLevelName("Top," + top->Key), QString()) << "no list splitting for levels";
}

TEST(DocumentState, AttachmentsAndHyperlinksTakeTheKeyTheyAreGiven)
{
    cHyperlinks links;
    QString key;
    auto made = links.add(key);
    EXPECT_EQ(key.size(), 38) << "the generated key is handed back";
    EXPECT_EQ(made->Key, key);
    EXPECT_EQ(links.Item(key), made);

    QString own = "node-1";
    auto named = links.add(own);
    EXPECT_EQ(own, "node-1");
    EXPECT_EQ(links.Item(2), named);

    QString taken = "NODE-1";
    EXPECT_EQ(errorOf([&] { links.add(taken); }), kErrDuplicateKey);
    EXPECT_EQ(links.count(), 2) << "a failed add leaves no member behind";
    EXPECT_EQ(errorOf([&] { links.Item("missing"); }), kErrInvalidArgument);
    EXPECT_EQ(errorOf([&] { links.Item(3); }), kErrSubscript);

    named->Key = "changed";
    EXPECT_EQ(links.Item("node-1"), named) << "the list keeps the key it stored under";

    cAttachments attachments;
    auto first = attachments.add();
    first->Filename = "/tmp/a.doc";
    attachments.Clear();
    EXPECT_EQ(attachments.count(), 0);
    EXPECT_EQ(first->Filename, "/tmp/a.doc") << "members handed out stay usable";
}

TEST(DocumentState, RecordsStartEmpty)
{
    cSlice slice;
    EXPECT_TRUE(slice.Key.isEmpty() && slice.iIndex == 0 && !slice.bDeleted && !slice.bNew);
    cfrmAttachment dialog;
    dialog.ShowDialog();
    EXPECT_TRUE(dialog.Cancel);
    EXPECT_FALSE(dialog.bEmbed);
    cAttachment attachment;
    EXPECT_TRUE(attachment.Key.isEmpty());
}
