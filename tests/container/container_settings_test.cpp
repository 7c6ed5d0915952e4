#include "container/container_settings.h"
#include "container/exception_filter.h"
#include "container/frm_main.h"
#include "container/module_procedures.h"
#include "container/registry_settings.h"
#include "common/c_registry.h"
#include "platform/controls/keyed_menu.h"
#include "platform/runtime/fatal_signal.h"
#include "tests/container/program_fixture.h"
#include "tests/container/raised.h"

#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;

namespace {

class SettingsFile : public test::ContainerTest {};

constexpr qint32 kMachine = qint32(0x80000002);

void writeMachineValue(const QString& name, const QString& value)
{
    cRegistry reg;
    reg.setClassKey(kMachine);
    reg.setSectionKey(kOwnKey);
    reg.setValueKey(name);
    reg.setValueType(1);
    reg.setValue(value);
}

}

TEST_F(SettingsFile, EveryKeyIsReadIncludingNestedOnesAndConvertedAsItsTypeSays)
{
    writeSettings("<TITLE>My Resources</TITLE><SLICE>Part</SLICE><APPDESCRIPTION>About text</APPDESCRIPTION>"
                  "<MAP>Map</MAP><EXT>orm</EXT><TEMPLATE>TEM</TEMPLATE><NODE>n</NODE><LINK>l</LINK><FLAT>f</FLAT>"
                  "<FLATEXT>txt</FLATEXT><AUTHOR>2 authors</AUTHOR><MEMORYTEXT>Low on memory./nClose something./n"
                  "</MEMORYTEXT><MEMORY>75.9%</MEMORY>"
                  "<EXPORT><BOLD>1</BOLD><ITALIC>0</ITALIC><UNDERLINE>-1</UNDERLINE><SIZE>9.5pt</SIZE><FONT>Arial</FONT>"
                  "<HEADER><BOLD>true</BOLD><ITALIC>x</ITALIC><SIZE>1e1</SIZE><FONT>Times</FONT></HEADER>"
                  "<DATA><BOLD>0</BOLD><UNDERLINE>3</UNDERLINE><SIZE>.5</SIZE></DATA></EXPORT>");
    LoadSettings();
    const ContainerSettings& s = settings();
    EXPECT_EQ(App::title(), "My Resources");
    EXPECT_EQ(s.appDescription, "About text");
    EXPECT_EQ(s.ext, "orm");
    EXPECT_EQ(s.templateEnding, "TEM");
    EXPECT_EQ(s.flatExt, "txt");
    EXPECT_TRUE(s.author) << "a number at the start counts";
    EXPECT_EQ(s.memoryText, "Low on memory.\r\nClose something.\r\n");
    EXPECT_EQ(s.memory, 75);
    EXPECT_TRUE(s.exportFont.bold);
    EXPECT_FALSE(s.exportFont.italic);
    EXPECT_TRUE(s.exportFont.underline);
    EXPECT_DOUBLE_EQ(s.exportFont.size, 9.5);
    EXPECT_EQ(s.exportFont.font, "Arial");
    EXPECT_TRUE(s.header.bold) << "the header's bold is a word";
    EXPECT_FALSE(s.header.italic) << "text without a number is 0";
    EXPECT_DOUBLE_EQ(s.header.size, 10);
    EXPECT_EQ(s.header.font, "Times");
    EXPECT_TRUE(s.data.underline);
    EXPECT_DOUBLE_EQ(s.data.size, 0.5);
}

TEST_F(SettingsFile, AnOddOrMissingHeaderFlagReadsFalseAndTheStartGoesOn)
{
    for (const std::string bold : {std::string("<HEADER><BOLD>maybe</BOLD></HEADER>"), std::string(),
                                   std::string("<HEADER><BOLD>False</BOLD></HEADER>")}) {
        writeSettings("<TITLE>Still Titled</TITLE><EXPORT>" + bold + "<DATA><FONT>Courier</FONT></DATA></EXPORT>");
        settings() = {};
        EXPECT_NO_THROW(LoadSettings()) << bold;
        EXPECT_FALSE(settings().header.bold) << bold;
        EXPECT_EQ(settings().data.font, "Courier") << "the keys after it are read";
        EXPECT_EQ(App::title(), "Still Titled");
    }
    EXPECT_TRUE(flagText("-1"));
    EXPECT_TRUE(flagText(" TRUE "));
    EXPECT_FALSE(flagText("0"));
    EXPECT_FALSE(flagText("yes"));
}

TEST_F(SettingsFile, WithoutAReadableFileNothingIsSetAndNoDocumentIsOffered)
{
    settings() = {};
    App::setTitle("Built-in");
    for (const std::string& content : {std::string("<SETTINGS><TITLE>half"), std::string("not xml at all")}) {
        temp.write("program/Settings.nml", content);
        EXPECT_NO_THROW(LoadSettings());
        EXPECT_EQ(App::title(), "Built-in");
        EXPECT_EQ(settings().title, "");
    }
    std::filesystem::remove(root + "/Settings.nml");
    EXPECT_NO_THROW(LoadSettings());
    // The document dialog then offers an unnamed type.
    ui.answerOpen("");
    EXPECT_EQ(GetMapFile(false), "");
    ASSERT_EQ(ui.records().size(), 1u);
    EXPECT_EQ(ui.records()[0].file.filter, " Files|*.|All Files|*.*");
}

TEST_F(SettingsFile, TheStartupOfferFallsBackFromTheUserToTheMachineAndIsStoredPerUser)
{
    EXPECT_TRUE(GetStartupOffer()) << "absent: the offer is on";
    reopenStore();
    registry::configureStore(registry::StoreSetup{registry::defaultUserFolder(), temp.str() + "/machine",
                                                  temp.str() + "/Documents", false});
    writeMachineValue("DontStartup", "1");
    EXPECT_FALSE(GetStartupOffer()) << "the machine's value stands in for the user's";
    SaveSet("DontStartup", "0");
    EXPECT_TRUE(GetStartupOffer()) << "the user's value wins";
    EXPECT_EQ(GetSet("Header", "none"), "none") << "the caller's default comes last";

    SetStartupOffer(false);
    EXPECT_EQ(GetSet("DontStartup"), "1");
    SetStartupOffer(true);
    EXPECT_EQ(GetSet("DontStartup"), "0");
}

TEST_F(SettingsFile, TheStartupOfferTicksTheMenuOfEveryMainWindow)
{
    frmMain& first = mainWindow();
    frmMain& second = newForm<frmMain>();
    second.Load();
    SetStartupOffer(true);
    EXPECT_TRUE(first.PopMenu1->Checked("mnuViewStartup"));
    EXPECT_TRUE(second.PopMenu1->Checked("mnuViewStartup"));
    SetStartupOffer(false);
    EXPECT_FALSE(first.PopMenu1->Checked("mnuViewStartup"));
    EXPECT_FALSE(second.PopMenu1->Checked("mnuViewStartup"));
}

TEST_F(SettingsFile, TheListBarPromptIsKeptUnderTheTitle)
{
    clsRB prompt;
    EXPECT_TRUE(prompt.GetDisplayPrompt());
    prompt.setChoice(2);
    EXPECT_EQ(prompt.DisplayPrompt(), 2);
    EXPECT_TRUE(prompt.GetDisplayPrompt()) << "without SaveValue nothing is stored";
    prompt.setSaveValue(true);
    prompt.DisplayPrompt(true);
    EXPECT_FALSE(prompt.GetDisplayPrompt());

    clsRB fresh;
    EXPECT_EQ(fresh.DisplayPrompt(), 2) << "a stored choice is taken";
    fresh.ResetPrompt();
    EXPECT_TRUE(clsRB().GetDisplayPrompt());
}

TEST_F(SettingsFile, FileNamesTemporaryFilesAndListIndexes)
{
    EXPECT_EQ(GetFileTitle("/a/b/Notes.v2.rtf", true), "Notes.v2.rtf");
    EXPECT_EQ(GetFileTitle("/a/b/Notes.v2.rtf", false), "Notes.v2");
    EXPECT_EQ(GetFileTitle("/a/b/README", false), "README") << "a name without a point is its own title";
    EXPECT_EQ(GetFileTitle("plain.txt", false), "plain");

    QString prefix;
    const QString made = GetTempFile(prefix);
    EXPECT_EQ(prefix, "ABC") << "the caller's prefix is filled in";
    EXPECT_TRUE(QFileInfo(made).isFile());
    EXPECT_TRUE(QFileInfo(made).fileName().startsWith("ABC"));
    QString mine = "NTS";
    const QString second = GetTempFile(mine);
    EXPECT_NE(second, made);
    QFile::remove(made);
    QFile::remove(second);

    QComboBox combo;
    combo.addItem("a", 7);
    combo.addItem("b", 9);
    EXPECT_EQ(DoFindIndex(combo, 9), 1);
    EXPECT_EQ(DoFindIndex(combo, 8), -1);
    DoSetIndex(combo, 7);
    EXPECT_EQ(combo.currentIndex(), 0);
    DoSetIndex(combo, 8);
    EXPECT_EQ(combo.currentIndex(), -1);
    QListWidget list;
    list.addItem("x");
    list.item(0)->setData(Qt::UserRole, 3);
    DoSetIndex(list, 3);
    EXPECT_EQ(list.currentRow(), 0);
}

TEST_F(SettingsFile, TheDocumentDialogStartsWhereTheLastChoiceWas)
{
    ui.answerOpen("");
    ui.answerOpen("/work/maps/First.orm");
    ui.answerSave("");
    EXPECT_EQ(GetMapFile(false), "");
    EXPECT_EQ(GetMapFile(false), "/work/maps/First.orm");
    EXPECT_EQ(GetMapFile(true), "");
    const auto& r = ui.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].file.startFolder, DefaultDocumentFolder());
    EXPECT_EQ(r[0].file.filter, "Map Files|*.orm|All Files|*.*");
    EXPECT_EQ(r[0].file.defaultExt, "orm");
    EXPECT_EQ(r[1].file.startFolder, r[0].file.startFolder) << "a cancelled dialog changes nothing";
    EXPECT_EQ(r[2].file.startFolder, "/work/maps/");
    EXPECT_TRUE(r[2].file.save);
    EXPECT_EQ(r[2].file.flags, 0x80806u);
}

TEST(ExceptionNames, KnownCodesByNameAndOthersInHex)
{
    EXPECT_EQ(GetExceptionText(0xC0000005), "Access Violation");
    EXPECT_EQ(GetExceptionText(0xC00000FD), "Stack Overflow");
    EXPECT_EQ(GetExceptionText(0x80000001), "Guard Page Violation");
    EXPECT_EQ(GetExceptionText(0xE06D7363), "Unknown (&HE06D7363)");
    EXPECT_EQ(GetExceptionText(0x1F), "Unknown (&H0000001F)") << "always eight digits";
    // Every code the fault hook gives has a name.
    for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP})
        for (int code = -6; code <= 8; ++code)
            EXPECT_FALSE(GetExceptionText(exceptionCodeOf(signal, code)).startsWith("Unknown")) << signal << " " << code;
}

TEST_F(SettingsFile, AStartedReporterNamesTheFaultUnderTheTitle)
{
    unsetenv(kFaultCodeVariable);
    EXPECT_FALSE(ReportFaultIfAsked());
    setenv(kFaultCodeVariable, "C0000094", 1);
    ui.answerMessage(ui::OK);
    EXPECT_TRUE(ReportFaultIfAsked());
    unsetenv(kFaultCodeVariable);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Error Integer Divide By Zero");
    EXPECT_EQ(ui.messageBoxes()[0].buttons, ui::OKOnly);
    EXPECT_EQ(App::title(), "Resources Test");
}
