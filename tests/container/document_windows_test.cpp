// One main window per document path, start-up's hand-over of a document, and
// the end of the program when its last main window closes.
#include "container/document_state.h"
#include "container/frm_about.h"
#include "container/frm_prompt.h"
#include "container/main_mod.h"
#include "container/registry_settings.h"
#include "platform/controls/keyed_menu.h"
#include "tests/container/program_fixture.h"
#include "tests/support/clips.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;

namespace {

class DocumentWindows : public test::ContainerTest {
protected:
    QString doc(const std::string& name) { return file("maps/" + name); }
};

class ProgramEnd : public test::ContainerTest {};

class StartUp : public test::ContainerTest {
protected:
    // Answers the start-up prompt once it is shown.
    void whenPromptShows(std::function<void(frmPrompt&)> answer)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, answer] {
            if (!formSlot<frmPrompt>().isLoaded() || !formSlot<frmPrompt>().existing()->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            answer(static_cast<frmPrompt&>(*formSlot<frmPrompt>().existing()));
        });
        poll->start(10);
    }

    void TearDown() override
    {
        setCommandLine(QString());
        ContainerTest::TearDown();
    }
};

}

TEST_F(DocumentWindows, APathDifferingOnlyInCaseFindsTheWindowThatShowsIt)
{
    frmMain& w = mainWindow();
    const QString map = doc("Budget.orm");
    EXPECT_EQ(w.DoOpen(map), &w);
    EXPECT_EQ(w.clsSettings->Database(), map);
    EXPECT_EQ(w.DoOpen(map.toUpper(), true), &w) << "no second window for the same document";
    EXPECT_EQ(frmMain::loadedWindows().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes().empty()) << "a clean document is brought forward without a question";

    frmMain* second = w.DoOpen(doc("Sales.orm"), true);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, &w);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(frmMain::loadedWindows().size(), 2u);
    EXPECT_EQ(form<frmPics>().usage(), 2);
    EXPECT_EQ(second->DoOpen(map.toLower()), &w) << "found from any window";
}

TEST_F(DocumentWindows, QuestionsForChangedDocumentsAndACancelLeavesEverythingAsItWas)
{
    frmMain& w = mainWindow();
    const QString first = doc("First.orm");
    w.DoOpen(first);
    w.clsSettings->setDirty(true);
    ui.answerMessage(ui::Yes);
    EXPECT_EQ(w.DoOpen(first), &w);
    EXPECT_EQ(ui.messageBoxes().back().text, "Revert to saved?");
    EXPECT_EQ(ui.messageBoxes().back().buttons, ui::YesNo);

    ui.answerMessage(ui::Cancel);
    EXPECT_EQ(w.DoOpen(doc("Other.orm")), nullptr);
    EXPECT_EQ(ui.messageBoxes().back().text, "Save Changes");
    EXPECT_EQ(w.clsSettings->Database(), first) << "the window keeps its document";
}

TEST_F(DocumentWindows, NoNameAndNoChoiceOpensNothingAndLowMemoryRefuses)
{
    frmMain& w = mainWindow();
    ui.answerOpen("");
    EXPECT_EQ(w.DoOpen(), nullptr);
    EXPECT_EQ(ui.records().size(), 1u) << "only the dialog";

    setMemoryLoadSource([] { return 80; });
    EXPECT_EQ(w.DoOpen(doc("A.orm")), &w) << "80 % passes";
    setMemoryLoadSource([] { return 81; });
    ui.answerMessage(ui::OK);
    EXPECT_EQ(w.DoOpen(doc("B.orm"), true), nullptr);
    EXPECT_EQ(ui.messageBoxes().back().text, "Too little memory.\r\nClose a program.");
    EXPECT_EQ(w.clsSettings->Database(), doc("A.orm"));
    EXPECT_EQ(frmMain::loadedWindows().size(), 1u);
}

TEST_F(ProgramEnd, ClosingTheOnlyWindowEndsTheProgram)
{
    frmMain& w = mainWindow();
    w.Show();
    Form::setEntryReturned();
    QTimer::singleShot(0, [&] { w.close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });   // safety net
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(Form::loadedCount(), 0) << "no hidden window is left behind";
}

TEST_F(ProgramEnd, AWindowClosedWhileAGroupFillsEndsTheProgramAndTheFillStops)
{
    for (int i = 0; i < 5; ++i)
        file("Templates/Guides/Guide " + std::to_string(i) + ".txt");
    frmMain& w = mainWindow();
    w.Show();
    QCoreApplication::processEvents();
    w.tmrBar.setEnabled(false);
    w.RB->setCurrentGroup(*w.RB->FindGroup(path("Templates/Guides")));
    ASSERT_TRUE(w.tmrBar.enabled());
    QThread::msleep(80);   // the fill is due before the close is asked
    Form::setEntryReturned();
    QTimer::singleShot(0, [&] { w.close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(Form::loadedCount(), 0);
}

// A close that arrives while a click lets events run (the notes' first load, an outside launch).
TEST_F(ProgramEnd, AWindowClosedWhileAnItemIsHandledEndsTheProgram)
{
    file("Templates/Training/First.wmv");
    file("Templates/Training/Guide.txt");
    for (const QString item : {"First", "Guide"}) {
        SCOPED_TRACE(item.toStdString());
        frmMain& w = mainWindow();
        w.Show();
        controls::ListBarGroup& training = openGroup(w, "Training");
        Form::setEntryReturned();
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] { w.close(); });
            click(w, training, item);
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        EXPECT_EQ(QCoreApplication::exec(), 0);
        EXPECT_EQ(Form::loadedCount(), 0) << "no video window is left behind";
        closeEverything();
        Form::setEntryReturned(false);
    }
    EXPECT_FALSE(QFileInfo::exists(path("Templates/Your Notes/First.rtf"))) << "no notes were made for a closed window";
    EXPECT_EQ(sh.opened(), QStringList{path("Templates/Training/Guide.txt")}) << "the file asked for still opens";
}

TEST_F(ProgramEnd, ClosingOneOfTwoWindowsKeepsTheOtherAndTheLastEndsIt)
{
    frmMain& first = mainWindow();
    frmMain* second = first.DoOpen(file("maps/Two.orm"), true);
    ASSERT_NE(second, nullptr);
    form<frmSplash>();   // an auxiliary window loaded along the way
    EXPECT_TRUE(first.Unload());
    EXPECT_EQ(form<frmPics>().usage(), 1);
    EXPECT_TRUE(form<frmPics>().tmrEnd.enabled());
    EXPECT_TRUE(test::waitFor([] { return !form<frmPics>().tmrEnd.enabled(); }, 3000));
    EXPECT_FALSE(formSlot<frmSplash>().isLoaded());
    EXPECT_TRUE(formSlot<frmPics>().isLoaded()) << "the other main window is still there";

    Form::setEntryReturned();
    QTimer::singleShot(0, [&] { second->close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(Form::loadedCount(), 0);
}

TEST_F(ProgramEnd, ChangedNotesAreAskedAboutAndAFailedSaveKeepsTheWindow)
{
    frmMain& w = mainWindow();
    w.Toc1_Change();
    ui.answerMessage(ui::Cancel);
    EXPECT_FALSE(w.Unload());
    EXPECT_EQ(ui.messageBoxes().back().text, "Save Changes?");
    EXPECT_EQ(form<frmPics>().usage(), 1) << "a cancelled close keeps its count";

    // Notes typed before any video have no file: Save As is offered; cancelling it keeps the window.
    ui.answerMessage(ui::Yes);
    ui.answerSave("");
    EXPECT_FALSE(w.Unload());
    EXPECT_TRUE(w.isLoaded());

    ui.answerMessage(ui::Yes);
    ui.answerSave(path("kept.rtf"));
    EXPECT_TRUE(w.Unload());
    EXPECT_TRUE(QFileInfo::exists(path("kept.rtf")));
    EXPECT_EQ(Form::loadedCount(), 0) << "the completed close gave its count back and everything went";
}

TEST_F(ProgramEnd, AnAboutWindowStillOpenOutlivesTheLastMainWindow)
{
    frmMain& w = mainWindow();
    w.mnuHelpAbout_Click();
    EXPECT_TRUE(w.Unload());
    EXPECT_TRUE(formSlot<frmAbout>().isLoaded());
    EXPECT_EQ(Form::loadedCount(), 1);
    formSlot<frmAbout>().Unload();
    EXPECT_EQ(Form::loadedCount(), 0);
}

TEST_F(StartUp, TheCommandLinePathIsOpenedAndNoDocumentIsOffered)
{
    const QString map = file("maps/Quoted Name.orm");
    file("Startup/Welcome.orm");
    setCommandLine('"' + map + '"');
    Main();
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_FALSE(formSlot<frmSplash>().isLoaded());
    EXPECT_EQ(mainWindow().clsSettings->Database(), map);
    EXPECT_FALSE(formSlot<frmPrompt>().isLoaded());
    EXPECT_FALSE(mainWindow().PopMenu1->Checked("mnuViewStartup")) << "not touched with a command line";

    for (const QString& half : {'"' + map, map + '"'}) {
        mainWindow().clsSettings->setDatabase(QString());
        setCommandLine(half);
        ProcessCommand();
        EXPECT_EQ(mainWindow().clsSettings->Database(), map) << "a lone quote is dropped as well";
    }
    setCommandLine(path("maps/missing.orm"));
    mainWindow().clsSettings->setDatabase(QString());
    ProcessCommand();
    EXPECT_EQ(mainWindow().clsSettings->Database(), "") << "a missing file is passed over silently";
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(StartUp, TheSplashStaysASecondAndTheFirstStartupDocumentIsOffered)
{
    file("Startup/B second.orm");
    file("Startup/A first.orm");
    file("Startup/notes.txt");
    QElapsedTimer clock;
    clock.start();
    bool asked = false;
    whenPromptShows([&](frmPrompt& prompt) {
        asked = prompt.lbl->text() == "Would you like to open A first.orm?";
        prompt.cmdYes_Click();
    });
    Main();
    EXPECT_GE(clock.elapsed(), kSplashMs) << "the splash stays at least its second";
    EXPECT_TRUE(asked) << "only the first document listed is offered";
    EXPECT_EQ(mainWindow().clsSettings->Database(), path("Startup/A first.orm"));
    EXPECT_TRUE(mainWindow().PopMenu1->Checked("mnuViewStartup"));
    EXPECT_TRUE(mainWindow().PopMenu1->Checked("mnuViewRBPrompt")) << "the list-bar prompt's state is mirrored";
}

TEST_F(StartUp, DontShowMeAgainWithNoStoresTheOfferAsOff)
{
    file("Startup/Welcome.orm");
    whenPromptShows([](frmPrompt& prompt) {
        prompt.chkNotAgain->setChecked(true);
        prompt.cmdNo_Click();
    });
    Main();
    EXPECT_EQ(mainWindow().clsSettings->Database(), "");
    EXPECT_FALSE(GetStartupOffer());
    EXPECT_FALSE(mainWindow().PopMenu1->Checked("mnuViewStartup"));
    EXPECT_FALSE(frmPrompt::ClickYes());

    // The next start makes no offer.
    closeEverything();
    Main();
    EXPECT_FALSE(formSlot<frmPrompt>().isLoaded());
}
