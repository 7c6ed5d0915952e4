// The list bar built from the program folder's Templates tree, and what a
// click on an item does: play a video beside its notes or hand the file to
// its program.
#include "platform/controls/image_list.h"
#include "platform/controls/list_bar.h"
#include "platform/media/media_player.h"
#include "tests/container/program_fixture.h"
#include "tests/support/file_faults.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;

namespace {

class ListBarBuild : public test::ContainerTest {
protected:
    void SetUp() override
    {
        ContainerTest::SetUp();
        file("Templates/intro.wmv");
        file("Templates/Read me");                      // no ending
        file("Templates/Guides/Checklist.txt");
        file("Templates/Guides/Budget.TEM");
        file("Templates/Guides/Plan.tem");
        file("Templates/Guides/App.ico");
        file("Templates/Guides/Old.bu");
        file("Templates/Guides/.hidden");
        file("Templates/Videos/Welcome.wmv");
        file("Templates/Videos/Loud.WMV");
        std::filesystem::create_directories(root + "/Templates/Guides/Sub");
    }
    QStringList captions(frmMain& w)
    {
        QStringList all;
        for (int g = 1; g <= w.RB->GroupCount(); ++g)
            all << w.RB->Group(g).Caption();
        return all;
    }
    QStringList texts(controls::ListBarGroup& g)
    {
        QStringList all;
        for (int i = 1; i <= g.ListItems().Count(); ++i)
            all << g.ListItems().Item(i).Text() + "|" + g.ListItems().Item(i).Tag();
        return all;
    }
};

class ItemLaunch : public ListBarBuild {
protected:
    MediaPlayer& player() { return *form<MainVideo>().MediaPlayer1; }
};

}

TEST_F(ListBarBuild, AGroupForTemplatesAndEachSubFolderAndItemsOnFirstOpening)
{
    frmMain& w = mainWindow();
    EXPECT_EQ(captions(w), (QStringList{"Templates", "Guides", "Videos"}));
    EXPECT_EQ(w.RB->Group(1).Key(), path("Templates/"));
    EXPECT_EQ(w.RB->Group(2).Key(), path("Templates/Guides")) << "sub-folder keys have no trailing separator";
    EXPECT_EQ(w.RB->Group(2).Colour(), 0xE0E0E0u);
    ASSERT_EQ(w.RB->CurrentGroup(), &w.RB->Group(1)) << "group 1 is open after the load";
    EXPECT_EQ(w.RB->Group(2).ListItems().Count(), 0) << "only group headers are built at start";

    // The timer may already have run on a slow machine while the window loaded.
    EXPECT_TRUE(w.tmrBar.enabled() || w.RB->Group(1).ListItems().Count() > 0)
        << "the open group's items come on the timer";
    buildOpenGroup(w);
    EXPECT_EQ(texts(w.RB->Group(1)), (QStringList{"intro|EXTERNAL", "Read me|EXTERNAL"}))
        << "plain files are items of the first group; a name without an ending is listed";

    controls::ListBarGroup& guides = openGroup(w, "Guides");
    EXPECT_EQ(texts(guides), (QStringList{"Budget|", "Checklist|EXTERNAL", "Plan|"}))
        << "template endings in either case have no tag; icons, .bu, hidden files and folders are not listed";
    EXPECT_EQ(guides.ListItems().Item(2).Key(), path("Templates/Guides/Checklist.txt"));
    const controls::ImageList& icons = form<frmPics>().MilRB;
    EXPECT_GT(guides.ListItems().Item(2).Icon(), 0) << "an outside file shows its associated icon";
    EXPECT_EQ(guides.ListItems().Item(2).Icon(), icons.IndexOf(guides.ListItems().Item(2).Key()));
    EXPECT_EQ(guides.ListItems().Item(1).Icon(), 0) << "no icon is made for a template";

    // Opened again later, a group is not read again.
    file("Templates/Guides/Later.txt");
    w.RB->setCurrentGroup(w.RB->Group(1));
    w.RB->setCurrentGroup(guides);
    EXPECT_FALSE(w.tmrBar.enabled());
    EXPECT_EQ(guides.ListItems().Count(), 3);
}

TEST_F(ListBarBuild, ASecondWindowCopiesTheBuiltBarWithoutReadingTheFolders)
{
    frmMain& first = mainWindow();
    buildOpenGroup(first);
    openGroup(first, "Videos");
    std::filesystem::remove_all(root + "/Templates/Videos");   // a second window must not look again

    frmMain& second = newForm<frmMain>();
    second.Load();
    EXPECT_EQ(captions(second), captions(first));
    controls::ListBarGroup& videos = *second.RB->FindGroup(path("Templates/Videos"));
    EXPECT_EQ(texts(videos), (QStringList{"Loud|", "Welcome|"})) << "items come without their tags";
    EXPECT_EQ(videos.ListItems().Item(2).Icon(), first.RB->FindGroup(path("Templates/Videos"))->ListItems().Item(2).Icon());
    EXPECT_EQ(second.RB->Images(), first.RB->Images()) << "one image list serves every bar";
}

TEST_F(ListBarBuild, WithoutATemplatesFolderThereIsOneEmptyGroup)
{
    std::filesystem::remove_all(root + "/Templates");
    frmMain& w = mainWindow();
    EXPECT_EQ(captions(w), QStringList{"Templates"});
    buildOpenGroup(w);
    EXPECT_EQ(w.RB->Group(1).ListItems().Count(), 0);
}

TEST_F(ItemLaunch, TheTagAndTheExactEndingDecide)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& videos = openGroup(w, "Videos");
    click(w, videos, "Welcome");
    EXPECT_EQ(player().URL(), path("Templates/Videos/Welcome.wmv"));
    EXPECT_TRUE(form<MainVideo>().isVisible());
    EXPECT_EQ(form<MainVideo>().LabelCoach->text(), "This video reviews the following subject\r\n\r\n'Welcome '");
    EXPECT_TRUE(sh.opened().isEmpty());

    click(w, videos, "Loud");
    EXPECT_EQ(sh.opened(), QStringList{path("Templates/Videos/Loud.WMV")}) << "an upper-case ending is not played";
    EXPECT_EQ(player().URL(), path("Templates/Videos/Welcome.wmv"));

    controls::ListBarGroup& guides = openGroup(w, "Guides");
    click(w, guides, "Budget");
    EXPECT_EQ(sh.opened().size(), 1) << "an item ending in TEM does nothing";
    click(w, guides, "Plan");
    EXPECT_EQ(sh.opened().last(), path("Templates/Guides/Plan.tem")) << "one ending in tem is an outside file";
    EXPECT_EQ(guides.ListItems().Find(path("Templates/Guides/Plan.tem"))->Tag(), "EXTERNAL");
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ItemLaunch, ItemsCopiedWithoutTagsBehaveAsTheirOriginals)
{
    buildOpenGroup(mainWindow());
    openGroup(mainWindow(), "Videos");
    frmMain& second = newForm<frmMain>();
    second.Load();
    controls::ListBarGroup& videos = *second.RB->FindGroup(path("Templates/Videos"));
    click(second, videos, "Welcome");
    EXPECT_EQ(player().URL(), path("Templates/Videos/Welcome.wmv"));
    EXPECT_EQ(videos.ListItems().Item(2).Tag(), "EXTERNAL");
}

TEST_F(ItemLaunch, AMissingFileIsReportedAndRemovedWithoutSavingAnything)
{
    frmMain& w = mainWindow();
    controls::ListBarGroup& guides = openGroup(w, "Guides");
    std::filesystem::remove(root + "/Templates/Guides/Checklist.txt");
    ui.answerMessage(ui::OK);
    click(w, guides, "Checklist");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "The file '" + path("Templates/Guides/Checklist.txt")
                                             + "' was not found!\r\rIt will be removed from the list.");
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Information);
    EXPECT_EQ(guides.ListItems().Find(path("Templates/Guides/Checklist.txt")), nullptr);
    EXPECT_TRUE(sh.opened().isEmpty());
}

TEST_F(ItemLaunch, AFileWithoutAProgramGetsTheOpenWithChoice)
{
    frmMain& w = mainWindow();
    buildOpenGroup(w);
    sh.answerOpen(shell::OpenResult::NoAssociation);
    click(w, w.RB->Group(1), "Read me");
    EXPECT_EQ(sh.openedWith(), QStringList{path("Templates/Read me")});
}
