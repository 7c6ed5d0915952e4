#include "platform/workbook/view/workbook_control.h"
#include "tests/scorecard/scorecard_window_fixture.h"
#include "tests/support/file_faults.h"

#include <QDir>
#include <QFileInfo>

using namespace ks;
using test::SpreadFormTest;

namespace {

struct ScorecardFilesTest : SpreadFormTest {
    SpreadForm* w = nullptr;
    ScorecardFilesTest()
    {
        Main();
        w = &form<SpreadForm>();
    }
    QString file(const std::string& relative) const { return QString::fromStdString(dir.str() + "/" + relative); }
};

}

TEST(SamplePath, OnlyTheExactLastTenCharactersCount)
{
    EXPECT_TRUE(IsSamplePath("/a/Sample.vqa"));
    EXPECT_TRUE(IsSamplePath("/a/MySample.vqa"));
    EXPECT_FALSE(IsSamplePath("/a/sample.vqa"));
    EXPECT_FALSE(IsSamplePath("/a/Sample.vqa.bak"));
}

TEST_F(ScorecardFilesTest, SaveOnTheSampleAsksForANewNameAndRemembersIt)
{
    const QString sample = ScorecardPath;
    const std::string before = dir.read("spreadsheets/Sample.vqa");
    w->F1BookMain->setBookText(1, 1, 1, "Changed Co.");
    w->F1BookMain->setHostTag("dirty");

    // Refused, and the save-as dialog cancelled: nothing written, the marker kept.
    ui.answerMessage(ui::OK);
    ui.answerSave("");
    EXPECT_FALSE(w->MnuFilesave_Click());
    EXPECT_EQ(ui.messageBoxes().back().text, "You can not overwrite your sample file. Please save as a different name");
    EXPECT_EQ(dir.read("spreadsheets/Sample.vqa"), before);
    EXPECT_EQ(w->F1BookMain->HostTag(), "dirty") << "unsaved changes stay marked";
    EXPECT_EQ(ScorecardPath, sample);

    // A sample name in the dialog is refused too.
    ui.answerMessage(ui::OK);
    ui.answerSave(file("spreadsheets/MySample.vqa"));
    ui.answerMessage(ui::OK);
    EXPECT_FALSE(w->MnuFilesave_Click());
    EXPECT_FALSE(QFileInfo::exists(file("spreadsheets/MySample.vqa")));

    ui.answerMessage(ui::OK);
    ui.answerSave(file("spreadsheets/Mine.vqa"));
    EXPECT_TRUE(w->MnuFilesave_Click());
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Mine.vqa"));
    EXPECT_EQ(w->windowTitle(), "T   :  " + ScorecardPath);
    EXPECT_EQ(stored("LASTFILE"), ScorecardPath.toStdString());
    EXPECT_TRUE(w->F1BookMain->HostTag().empty());

    // Save now writes the named file, and LASTFILE stays.
    w->F1BookMain->setBookText(1, 1, 1, "Again Co.");
    EXPECT_TRUE(w->MnuFilesave_Click());
    workbook::view::WorkbookControl reread;
    int type = 0;
    reread.ReadBookFile(ScorecardPath.toStdString(), type);
    EXPECT_EQ(reread.BookText(1, 1, 1), "Again Co.");
}

TEST_F(ScorecardFilesTest, ANameTypedWithoutExtensionBecomesAScorecardTheOpenDialogLists)
{
    const auto listedByOpen = [](const QString& path) {
        for (const QString& pattern : ui::patternsOf("Scorecard Files (*.vqa)|*.vqa", 1))
            if (QDir::match(pattern, QFileInfo(path).fileName()))
                return true;
        return false;
    };
    ui.answerSave(file("spreadsheets/Mycard"));
    EXPECT_TRUE(w->MnuFilesaveas_Click());
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Mycard.vqa"));
    EXPECT_TRUE(QFileInfo(ScorecardPath).isFile());
    EXPECT_FALSE(QFileInfo::exists(file("spreadsheets/Mycard")));
    EXPECT_TRUE(listedByOpen(ScorecardPath));
    EXPECT_EQ(stored("LASTFILE"), ScorecardPath.toStdString()) << "the next start opens it";
    EXPECT_EQ(w->windowTitle(), "T   :  " + ScorecardPath);

    // New names its file the same way.
    dir.copyProgramFile("newxx2.tem");
    ui.answerSave(file("spreadsheets/Second"));
    w->MnuFileNew_Click();
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Second.vqa"));
    EXPECT_EQ(stored("LASTFILE"), ScorecardPath.toStdString());

    // A name with an extension of its own is written as typed and not remembered.
    ui.answerSave(file("spreadsheets/copy.bak"));
    EXPECT_TRUE(w->MnuFilesaveas_Click());
    EXPECT_TRUE(QFileInfo::exists(file("spreadsheets/copy.bak")));
    EXPECT_EQ(stored("LASTFILE"), file("spreadsheets/Second.vqa").toStdString());
}

TEST_F(ScorecardFilesTest, SaveAsAsksBeforeReplacingAScorecard)
{
    std::filesystem::copy_file(dir.path() / "spreadsheets/Sample.vqa", dir.path() / "spreadsheets/Other.vqa");
    const std::string other = dir.read("spreadsheets/Other.vqa");
    w->F1BookMain->setBookText(1, 1, 1, "Replacing Co.");

    // No goes back to the dialog; cancelling it writes nothing.
    ui.answerSave(file("spreadsheets/Other"));
    ui.answerMessage(ui::No);
    ui.answerSave("");
    EXPECT_FALSE(w->MnuFilesaveas_Click());
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.contains("Other.vqa already exists"));
    EXPECT_EQ(dir.read("spreadsheets/Other.vqa"), other);

    // Yes replaces it.
    ui.answerSave(file("spreadsheets/Other.vqa"));
    ui.answerMessage(ui::Yes);
    EXPECT_TRUE(w->MnuFilesaveas_Click());
    workbook::view::WorkbookControl reread;
    int type = 0;
    reread.ReadBookFile(file("spreadsheets/Other.vqa").toStdString(), type);
    EXPECT_EQ(reread.BookText(1, 1, 1), "Replacing Co.");
}

TEST_F(ScorecardFilesTest, AFailedSaveKeepsTheMarkerAndStopsOpen)
{
    ScorecardPath = file("no/such/folder/x.vqa");
    w->F1BookMain->setHostTag("dirty");
    ui.answerMessage(ui::OK);
    EXPECT_FALSE(w->MnuFilesave_Click());
    EXPECT_EQ(ui.messageBoxes().back().caption, "save spreadsheet_err");
    EXPECT_EQ(w->F1BookMain->HostTag(), "dirty");

    // Yes to "Save Changes?" with a save that fails: the open does not go on.
    ui.answerMessage(ui::Yes);
    ui.answerMessage(ui::OK);
    w->MnuFileOpen_Click();
    EXPECT_EQ(ScorecardPath, file("no/such/folder/x.vqa"));
    EXPECT_EQ(w->F1BookMain->HostTag(), "dirty");
    w->F1BookMain->setHostTag("");
}

TEST_F(ScorecardFilesTest, OpenReadsTheFileAndRemembersIt)
{
    std::filesystem::copy_file(dir.path() / "spreadsheets/Sample.vqa", dir.path() / "spreadsheets/Other.vqa");
    w->F1BookMain->setHostTag("dirty");
    ui.answerMessage(ui::No);
    ui.answerOpen(file("spreadsheets/Other.vqa"));
    w->MnuFileOpen_Click();
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Other.vqa"));
    EXPECT_EQ(stored("LASTFILE"), ScorecardPath.toStdString());
    EXPECT_TRUE(w->F1BookMain->HostTag().empty());
    EXPECT_EQ(w->F1BookMain->CurrentSheet(), 1);

    // A cancelled dialog changes nothing.
    ui.answerOpen("");
    w->MnuFileOpen_Click();
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Other.vqa"));

    // A file that cannot be read: the message, and the shown scorecard stays.
    dir.write("spreadsheets/Broken.vqa", "not a workbook");
    ui.answerOpen(file("spreadsheets/Broken.vqa"));
    ui.answerMessage(ui::OK);
    w->MnuFileOpen_Click();
    EXPECT_EQ(ui.messageBoxes().back().caption, "Error Fileopen2");
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Other.vqa"));
}

TEST_F(ScorecardFilesTest, CompanyNameMarksTheScorecardChanged)
{
    ui.answerInput(std::nullopt);
    w->MnuCompanyName_Click();
    EXPECT_TRUE(w->F1BookMain->HostTag().empty()) << "Cancel changes nothing";
    ui.answerInput(QString("Kite Works"));
    w->MnuCompanyName_Click();
    EXPECT_EQ(w->F1BookMain->BookText(1, 1, 1), "Kite Works");
    EXPECT_EQ(w->F1BookMain->HostTag(), "dirty");
    EXPECT_EQ(ui.records().back().text, "Please enter the Company name for the scorecard.");
    w->F1BookMain->setHostTag("");
}

TEST_F(ScorecardFilesTest, AMissingLastFileAsksWhereItIs)
{
    UnloadAllForms();
    settings(dir.str() + "/gone.vqa", "0");
    ui.answerMessage(ui::OK);
    ui.answerOpen("");
    Main();
    ASSERT_EQ(ui.messageBoxes().size(), 1u) << "no coach greeting without a scorecard";
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("We can't seem to locate your scorecard."));
    EXPECT_EQ(ScorecardPath, file("gone.vqa"));
}

TEST_F(ScorecardFilesTest, NewInsistsOnAName)
{
    dir.copyProgramFile("newxx2.tem");
    ui.answerSave("");
    ui.answerMessage(ui::OK);
    ui.answerSave(file("spreadsheets/Sample.vqa"));
    ui.answerMessage(ui::Yes);   // the dialog's "already exists" question
    ui.answerMessage(ui::OK);
    ui.answerSave(file("no/such/folder/n.vqa"));
    ui.answerMessage(ui::OK);
    ui.answerMessage(ui::OK);
    ui.answerSave(file("spreadsheets/Fresh.vqa"));
    w->MnuFileNew_Click();
    const auto& boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].text, "You must select a name for the new file");
    EXPECT_EQ(boxes[2].text, "You can not overwrite your sample file.");
    EXPECT_EQ(boxes[3].caption, "Error FileNewRename2");
    EXPECT_EQ(boxes[4].text, "You must select a name for the new file");
    EXPECT_TRUE(QFileInfo::exists(file("spreadsheets/Fresh.vqa")));
    EXPECT_EQ(ScorecardPath, file("spreadsheets/Fresh.vqa"));
    EXPECT_EQ(stored("LASTFILE"), ScorecardPath.toStdString());
    EXPECT_EQ(w->windowTitle(), "T   :  " + ScorecardPath);

    // The new scorecard holds the template: the sample's company is gone.
    workbook::view::WorkbookControl reread;
    int type = 0;
    reread.ReadBookFile(ScorecardPath.toStdString(), type);
    EXPECT_NE(reread.BookText(1, 1, 1), "Harbourview Trading Co.");
}

TEST_F(ScorecardFilesTest, ADamagedOrUnreadableLastScorecardIsNeverSavedOver)
{
    // A damaged file, and one the user may not read.
    const std::string damaged = "<?xml version=\"1.0\"?><WORKBOOK>" + std::string(300000, 'x');
    dir.write("spreadsheets/Damaged.vqa", damaged);
    dir.write("spreadsheets/Locked.vqa", dir.read("spreadsheets/Sample.vqa"));
    // The program folder is open to the ordinary user the program runs as, all but the one file.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::all);
    std::filesystem::permissions(dir.path() / "spreadsheets/Locked.vqa", std::filesystem::perms::none);
    const std::string locked = dir.read("spreadsheets/Locked.vqa");

    for (const char* name : {"Damaged.vqa", "Locked.vqa"}) {
        SCOPED_TRACE(name);
        UnloadAllForms();
        ui.clear();
        settings(dir.str() + "/spreadsheets/" + name, "2");
        {
            test::Unprivileged user;
            ui.answerMessage(ui::OK);   // "We can't seem to locate your scorecard..."
            ui.answerOpen("");          // the user does not choose another
            Main();
        }
        SpreadForm& window = form<SpreadForm>();
        EXPECT_TRUE(ScorecardPath.isEmpty()) << ScorecardPath.toStdString();

        // Save asks for a name; cancelled, nothing is written.
        window.F1BookMain->setHostTag("dirty");
        ui.answerSave("");
        EXPECT_FALSE(window.MnuFilesave_Click());
        EXPECT_TRUE(ui.failures().isEmpty()) << ui.failures().join("; ").toStdString();
        window.F1BookMain->setHostTag("");
    }
    EXPECT_TRUE(dir.read("spreadsheets/Damaged.vqa") == damaged) << "the damaged file was replaced";
    EXPECT_TRUE(dir.read("spreadsheets/Locked.vqa") == locked) << "the unreadable file was replaced";
}
