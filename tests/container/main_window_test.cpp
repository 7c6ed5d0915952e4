// The main window's menus, toolbar and layout, and the small windows around it.
#include "common/c_registry.h"
#include "container/frm_about.h"
#include "container/main_mod.h"
#include "container/tab_strip.h"
#include "container/video_folder_dialog.h"
#include "platform/controls/keyed_menu.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/controls/list_bar.h"
#include "platform/controls/splitter.h"
#include "platform/controls/status_bar.h"
#include "platform/media/media_player.h"
#include "platform/runtime/events.h"
#include "tests/container/program_fixture.h"
#include "tests/support/clips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;

namespace {

class MainWindow : public test::ContainerTest {};

// What a user sees of a menu: the captions of its visible items.
QStringList shown(const QList<QAction*>& actions)
{
    QStringList captions;
    for (QAction* a : actions)
        if (a->isVisible())
            captions << (a->isSeparator() ? "-" : a->text());
    return captions;
}

}

TEST_F(MainWindow, ANewWindowShowsFileViewAndHelpOnly)
{
    frmMain& w = mainWindow();
    EXPECT_EQ(w.windowTitle(), "Resources Test");
    EXPECT_EQ(shown(w.menuBar->actions()), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(shown(w.PopMenu1->submenu("mnuFile")->actions()),
              (QStringList{"&Open...", "&Save", "Save As...", "-", "&Print...", "-", "E&xit"}));
    EXPECT_EQ(shown(w.PopMenu1->submenu("mnuView")->actions()), QStringList{"Toolbar"});
    EXPECT_EQ(shown(w.PopMenu1->submenu("mnuHelp")->actions()), (QStringList{"&Help", "Visit Website", "&About..."}));
    EXPECT_EQ(w.PopMenu1->Find("mnuFileMRU(3)") - w.PopMenu1->Find("mnuFileMRU(0)"), 3);
    EXPECT_EQ(w.SmartMenuXP1a->Count(), 0) << "the second keyed menu has no items unless BuildMenus runs";
    w.BuildMenus();
    EXPECT_EQ(w.SmartMenuXP1a->Key(w.SmartMenuXP1a->Find("mnuHelpWeb")), "mnuHelpWeb");
}

TEST_F(MainWindow, ShortcutsAndToolbarButtonsRunTheirCommands)
{
    file("help.pdf");
    frmMain& w = mainWindow();
    w.Show();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents();

    ui.answerOpen("");
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(ui.records().size(), 1u) << "Ctrl+O runs File > Open";
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_EQ(sh.opened(), QStringList{path("help.pdf")}) << "F1 runs Help > Help";
    ui.answerSave("");
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui.records().back().kind, ui::ScriptedBackend::Kind::SaveFile)
        << "Ctrl+S saves; notes with no file yet are offered Save As";
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui.records().size(), 2u) << "the hidden Edit menu takes no keys";

    ui.answerOpen("");
    w.Toolbar2->Button("Open")->trigger();
    EXPECT_EQ(ui.records().size(), 3u);
    w.Toolbar2_ButtonClick("Bold");
    w.Toolbar2_ButtonClick("New Scorecard");
    EXPECT_EQ(ui.records().size(), 3u) << "buttons without a command do nothing";
}

TEST_F(MainWindow, ViewToolbarShowsAndHidesTheNotesToolbarInTurn)
{
    frmMain& w = mainWindow();
    w.PopMenu1->action("MnuToolbar")->trigger();
    EXPECT_TRUE(w.Toc1->toolbarShown());
    EXPECT_TRUE(w.Toc1->ToolbarFlag());
    w.Toolbar2->Button("Toolbar")->trigger();
    EXPECT_FALSE(w.Toc1->toolbarShown());
}

TEST_F(MainWindow, SaveAsNamesTheNotesAndReloadsTheBar)
{
    frmMain& w = mainWindow();
    file("Templates/First.wmv");
    click(w, openGroup(w, "Templates"), "First");
    const QString before = videoNotes().notesPath;

    ui.answerSave("");
    w.mnuFileSaveAs_Click();
    EXPECT_EQ(videoNotes().notesPath, before) << "a cancelled Save As keeps the notes' file";
    EXPECT_EQ(ui.records().back().file.filter, "RTF Files|*.rtf");
    EXPECT_EQ(ui.records().back().file.startFolder, path("Templates/Your Notes"));

    std::filesystem::create_directories(root + "/Templates/Kept");
    ui.answerSave(path("Templates/Kept/Copy.rtf"));
    w.mnuFileSaveAs_Click();
    EXPECT_EQ(videoNotes().notesPath, path("Templates/Kept/Copy.rtf"));
    EXPECT_TRUE(QFileInfo::exists(path("Templates/Kept/Copy.rtf")));
    ASSERT_NE(w.RB->FindGroup(path("Templates/Kept")), nullptr) << "the bar is read again";
}

TEST_F(MainWindow, TheHiddenCheckItemsOnlyMoveTheirCheckMarks)
{
    frmMain& w = mainWindow();
    w.PopMenu1_Click(w.PopMenu1->Find("mnuViewGrid"));
    EXPECT_FALSE(w.PopMenu1->Checked("mnuViewGrid")) << "nothing before a submenu opened";
    emit w.PopMenu1->submenu("mnuView")->aboutToShow();
    w.PopMenu1_Click(w.PopMenu1->Find("mnuViewGrid"));
    EXPECT_TRUE(w.PopMenu1->Checked("mnuViewGrid"));
    w.PopMenu1_Click(w.PopMenu1->Find("mnuViewRBPrompt"));
    EXPECT_TRUE(w.PopMenu1->Checked("mnuViewRBPrompt"));
    EXPECT_TRUE(w.RHSPrompt());
    w.mnuEditCommand_Click("mnuEditCopy");
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(MainWindow, TheLayoutKeepsTheTabRowAndPlacesTheProgressBarAfterTheLastResize)
{
    frmMain& w = mainWindow();
    w.resize(800, 600);
    w.show();
    QCoreApplication::processEvents();
    const int tabRow = w.SSTab_ctl->height();
    EXPECT_GT(tabRow, 0);
    EXPECT_NEAR(w.Toc1->height() + tabRow, w.picRHS->height(), 1) << "the notes fill the pane above the tab row";
    EXPECT_NEAR(w.SSTab_ctl->y(), w.Toc1->height(), 1);

    for (int i = 0; i < 3; ++i) {
        w.resize(820 + i * 10, 600);
        QCoreApplication::processEvents();
        EXPECT_FALSE(w.prg1->isVisible()) << "hidden while resizes follow one another";
    }
    EXPECT_TRUE(test::waitFor([&] { return w.prg1->isVisible(); }, 3000));
    const controls::PanelPlace progress = w.staMain->PanelPlaces().back();
    EXPECT_NEAR(w.prg1->x(), twipsToPixelsX(progress.left + 40), 1) << "inside the PROGRESS panel";

    const QRect splitter = w.SSSplitter1->geometry();
    w.resize(800, 40);   // lower than the splitter's top: it stays as it was
    QCoreApplication::processEvents();
    EXPECT_EQ(w.SSSplitter1->geometry(), splitter);
    EXPECT_EQ(w.Frame1->width(), 800);
}

TEST_F(MainWindow, WithoutTabsThePaneResizeReportsTheFailure)
{
    frmMain& w = mainWindow();
    w.tabStrip().setTabCount(0);
    ui.answerMessage(ui::OK);
    w.picRHS_Resize();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].caption, "Error in frmMain: Sub picRHS_Resize");
}

TEST_F(MainWindow, APlacementOffEveryScreenOrIncompleteIsPassedOver)
{
    auto store = [](const QString& name, qint32 value) {
        cRegistry reg;
        reg.setClassKey(qint32(0x80000001));
        reg.setSectionKey("SOFTWARE\\Resources Test");
        reg.setValueKey(name);
        reg.setValueType(4);
        reg.setValue(value);
    };
    store("WindowState", 0);
    store("Left", 1440);
    store("Top", 1440);
    store("Width", 9000);
    store("Height", 6000);
    EXPECT_EQ(mainWindow().geometry(), QRect(twipsToPixelsX(1440), twipsToPixelsY(1440), twipsToPixelsX(9000),
                                             twipsToPixelsY(6000)));
    closeEverything();

    store("Left", 10'000'000);
    EXPECT_TRUE(mainWindow().windowState() & Qt::WindowMaximized) << "off every screen";
    closeEverything();

    cRegistry height;
    height.setClassKey(qint32(0x80000001));
    height.setSectionKey("SOFTWARE\\Resources Test");
    height.setValueKey("Height");
    height.DeleteValue();
    store("Left", 1440);
    EXPECT_TRUE(mainWindow().windowState() & Qt::WindowMaximized) << "incomplete";
}

TEST_F(MainWindow, AboutShowsTheProgramAndSystemInformationWhenItIsThere)
{
    App::setVersion(2, 1, 37);
    frmMain& w = mainWindow();
    w.mnuHelpAbout_Click();
    frmAbout& about = form<frmAbout>();
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.windowTitle(), "About - Resources Test");
    EXPECT_EQ(about.lblVersion->text(), "Version 2.1.37");
    EXPECT_EQ(about.lblDescription->text(), "Videos and notes");
    EXPECT_FALSE(about.picIcon->pixmap().isNull());

    ui.answerMessage(ui::OK);
    about.cmdSysInfo_Click();
    EXPECT_EQ(ui.messageBoxes().back().text, "System Information Is Unavailable At This Time");

    registry::configureStore(registry::StoreSetup{registry::defaultUserFolder(), temp.str() + "/machine",
                                                  temp.str() + "/Documents", false});
    cRegistry folder;
    folder.setClassKey(qint32(0x80000002));
    folder.setSectionKey("SOFTWARE\\Microsoft\\Shared Tools Location");
    folder.setValueKey("MSINFO");
    folder.setValueType(1);
    folder.setValue(path("tools"));
    ui.answerMessage(ui::OK);
    about.cmdSysInfo_Click();
    EXPECT_EQ(ui.messageBoxes().size(), 2u) << "a folder without the program gives the same message";
    file("tools/MSINFO32.EXE");
    about.cmdSysInfo_Click();
    EXPECT_EQ(sh.started(), QStringList{path("tools/MSINFO32.EXE")});
    reopenStore();   // the machine scope is read-only again; reading still works
    about.cmdSysInfo_Click();
    EXPECT_EQ(sh.started().size(), 2) << "keys the user may only read are read";
    about.cmdOK_Click();
    EXPECT_FALSE(formSlot<frmAbout>().isLoaded());
}

TEST_F(MainWindow, TheVideoWindowAndItsFolderDialogAreTheContainersOwn)
{
    MainVideo& video = form<MainVideo>();
    EXPECT_EQ(video.windowTitle(), "Resources Test");
    EXPECT_EQ(video.Combo1->currentText(), "What area do you need help...");
    EXPECT_EQ(video.Combo1->count(), 0) << "no topic list";
    EXPECT_FALSE(video.Command2->isVisible());
    EXPECT_FALSE(video.CommandRes->isVisible());

    video.CommandVidOptions_Click();
    frmSaveAsTemplate& dialog = form<frmSaveAsTemplate>();
    EXPECT_TRUE(dialog.isVisible());
    ui.answerMessage(ui::OK);
    dialog.cmdOK_Click();
    EXPECT_TRUE(dialog.isLoaded()) << "OK without intro.wmv keeps the dialog";
    EXPECT_TRUE(ui.messageBoxes().back().text.startsWith("Please select the directory"));

    // Cancel starts the container again: its main window comes up.
    ui.answerMessage(ui::OK);
    dialog.cmdCancel_Click();
    EXPECT_FALSE(formSlot<frmSaveAsTemplate>().isLoaded());
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_TRUE(ui.messageBoxes().back().text.startsWith("You will not be able to view the coaching videos"));

    video.MediaPlayer1->setURL(file("clip.wmv"));
    formSlot<MainVideo>().Unload();
    EXPECT_EQ(video.MediaPlayer1->URL(), "") << "closing the window closes the player";
}
