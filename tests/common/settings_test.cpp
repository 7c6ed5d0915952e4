#include "common/settings.h"

#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "tests/support/file_faults.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ks;

namespace {

const std::string kFile =
    "<?xml version=\"1.0\"?>\r\n<SETTINGS>\r\n  <TITLE>Orvantis</TITLE>\r\n  <PATH>%PATH%</PATH>\r\n"
    "  <LASTFILE>/x/last.vqa</LASTFILE>\r\n  <GRAPHDIR></GRAPHDIR>\r\n  <COMMENTVIDEO>%COMMENT%</COMMENTVIDEO>\r\n"
    "  <COACHMODE>1</COACHMODE>\r\n</SETTINGS>\r\n";

std::string settingsWith(const std::string& path, const std::string& comment)
{
    std::string text = kFile;
    text.replace(text.find("%PATH%"), 6, path);
    text.replace(text.find("%COMMENT%"), 9, comment);
    return text;
}

struct SettingsTest : ::testing::Test {
    test::TempDir dir;
    test::ScriptedUi ui;
    int dialogShown = 0;
    QString explanation;

    SettingsTest()
    {
        App::setPath(QString::fromStdString(dir.str()));
        VideoSetupPending = 0;
        VideoPath.clear();
        VideoBaseFolder.clear();
        setVideoFolderDialogSeam({[this](const QString& t) { explanation = t; }, [this] { ++dialogShown; }});
    }
    std::string program(const std::string& name) const { return dir.str() + "/" + name; }
};

}

TEST_F(SettingsTest, StoreChangesOnlyAnExistingElementAndNeverCreatesOne)
{
    const std::string original = settingsWith("", "");
    dir.write("Vidsettings.nml", original);

    StoreSetting("NOSUCHKEY", "value");
    EXPECT_EQ(dir.read("Vidsettings.nml"), original) << "an unknown key must leave the file byte-identical";

    StoreSetting("SILENTVIDEO", "value");   // not in this file
    EXPECT_EQ(dir.read("Vidsettings.nml"), original);

    StoreSetting("LASTFILE", "/home/u/Acme & Co.vqa");
    std::string expected = original;
    expected.replace(expected.find("/x/last.vqa"), 11, "/home/u/Acme &amp; Co.vqa");
    EXPECT_EQ(dir.read("Vidsettings.nml"), expected);

    SettingsDocument doc;
    ASSERT_TRUE(LoadSettingsDocument(QString::fromStdString(program("Vidsettings.nml")), doc));
    EXPECT_EQ(GetXMLNodeText("LASTFILE", doc), "/home/u/Acme & Co.vqa");
    EXPECT_EQ(GetXMLNodeText("SILENTVIDEO", doc), "");
    EXPECT_EQ(GetXMLNodeText("", doc), "");
}

TEST_F(SettingsTest, AStoreOnAFullDiskFailsAndKeepsEverySetting)
{
    // Every start stores COACHMODE: a full disk must not cost LASTFILE, PATH and TITLE.
    const std::string original = settingsWith("/videos", "/comments");
    dir.write("Vidsettings.nml", original);
    {
        test::FullDisk full(original.size() / 2);
        try {
            StoreSetting("COACHMODE", "0");
            ADD_FAILURE() << "a store that could not be written reported success";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 75);
        }
    }
    EXPECT_EQ(dir.read("Vidsettings.nml"), original);
    EXPECT_EQ(test::folderListing(dir.path()), "Vidsettings.nml\n");
}

TEST_F(SettingsTest, MissingOrDamagedFileChangesNothing)
{
    AppTitle = "before";
    LastFilePath = "kept";
    LoadSettings();   // no file at all
    EXPECT_EQ(AppTitle, "before");
    dir.write("Vidsettings.nml", "<SETTINGS><TITLE>x</TITLE>");   // not well-formed
    LoadSettings();
    EXPECT_EQ(AppTitle, "before");
    EXPECT_EQ(LastFilePath, "kept");
    StoreSetting("TITLE", "y");
    EXPECT_EQ(dir.read("Vidsettings.nml"), "<SETTINGS><TITLE>x</TITLE>");
    EXPECT_EQ(dialogShown, 0);
}

TEST_F(SettingsTest, EmptyPathUsesTheTemplatesFolderAndDefaultsTheVideoFolders)
{
    QDir().mkpath(QString::fromStdString(program("Templates/videos")));
    QDir().mkpath(QString::fromStdString(program("Commentvideo")));
    dir.write("Vidsettings.nml", settingsWith("", ""));

    LoadSettings();

    EXPECT_EQ(dialogShown, 0);
    EXPECT_EQ(VideoPath.toStdString(), program("Templates"));
    EXPECT_EQ(VideoBaseFolder, VideoPath);
    EXPECT_EQ(AppTitle, "Orvantis");
    EXPECT_EQ(App::title(), "Orvantis");
    EXPECT_EQ(LastFilePath, "/x/last.vqa");
    EXPECT_EQ(CoachModeText, "1");
    EXPECT_EQ(CurrentVideoFolder.toStdString(), program("Commentvideo"));
    EXPECT_EQ(CommentVideoFolder, CurrentVideoFolder);
    // No SILENTVIDEO element: the default is used and the file is not given one.
    EXPECT_EQ(SilentVideoFolder.toStdString(), program("SilentVideo"));
    const std::string file = dir.read("Vidsettings.nml");
    EXPECT_NE(file.find("<PATH></PATH>"), std::string::npos) << "the Templates default is not stored";
    EXPECT_NE(file.find("<COMMENTVIDEO>" + program("Commentvideo") + "</COMMENTVIDEO>"), std::string::npos);
    EXPECT_EQ(file.find("SILENTVIDEO"), std::string::npos);
}

TEST_F(SettingsTest, ARemovedCommentFolderIsReplacedByTheDefault)
{
    QDir().mkpath(QString::fromStdString(program("Templates/videos")));
    dir.write("Vidsettings.nml", settingsWith("", "/no/such/folder"));
    LoadSettings();
    EXPECT_EQ(CurrentVideoFolder.toStdString(), program("Commentvideo"));
    EXPECT_NE(dir.read("Vidsettings.nml").find("<COMMENTVIDEO>" + program("Commentvideo")), std::string::npos);
}

TEST_F(SettingsTest, VideoFolderCheckOpensTheDialogAndStopsThePass)
{
    // A saved path without intro.wmv: the dialog with its explanation; nothing else is read.
    dir.write("Vidsettings.nml", settingsWith("/no/videos/", ""));
    LastFilePath.clear();
    LoadSettings();
    EXPECT_EQ(dialogShown, 1);
    EXPECT_EQ(VideoSetupPending, 1);
    EXPECT_TRUE(explanation.startsWith("We can't seem to locate your video clips."));
    EXPECT_TRUE(LastFilePath.isEmpty());

    // The next pass (after the dialog's Cancel) skips the check and reads the rest.
    LoadSettings();
    EXPECT_EQ(dialogShown, 1);
    EXPECT_EQ(VideoSetupPending, 0);
    EXPECT_EQ(LastFilePath, "/x/last.vqa");
}

TEST_F(SettingsTest, IntroWithoutVideosFolderAsksAndNoGoesOn)
{
    dir.write("clips/intro.wmv", "x");
    dir.write("Vidsettings.nml", settingsWith(program("clips/"), ""));
    ui.answerMessage(ui::No);
    LoadSettings();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "We can't seem to locate the 'Video' folder. Do you want to locate it now?");
    EXPECT_EQ(ui.messageBoxes()[0].buttons, ui::YesNoCancel);
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Question);
    EXPECT_EQ(dialogShown, 0);
    EXPECT_EQ(VideoBaseFolder.toStdString(), program("clips/"));
    EXPECT_EQ(LastFilePath, "/x/last.vqa");

    ui.answerMessage(ui::Yes);
    LoadSettings();
    EXPECT_EQ(dialogShown, 1);
    EXPECT_EQ(VideoSetupPending, 1);
}

TEST_F(SettingsTest, EmptyPathWithoutTemplatesVideosOpensTheDialogWithItsOwnText)
{
    dir.write("Vidsettings.nml", settingsWith("", ""));
    LoadSettings();
    EXPECT_EQ(dialogShown, 1);
    EXPECT_TRUE(explanation.isEmpty());
}

TEST_F(SettingsTest, TheBundledSettingsServeWhicheverFolderTheProgramIsCopiedTo)
{
    const std::string bundled = std::string(std::getenv("KS_SOURCE_DIR")) + "/dist/Vidsettings.nml";
    auto layOut = [&](const test::TempDir& folder) {
        std::filesystem::copy_file(bundled, folder.path() / "Vidsettings.nml");
        folder.write("spreadsheets/Sample.vqa", "");
        folder.write("Templates/intro.wmv", "");
        folder.write("Templates/videos/a.wmv", "");
        folder.write("Commentvideo/a.wmv", "");
        folder.write("SilentVideo/a.wmv", "");
    };
    test::TempDir copy;
    for (const test::TempDir* folder : {&dir, &copy}) {
        layOut(*folder);
        App::setPath(QString::fromStdString(folder->str()));
        LoadSettings();
        const QString root = QString::fromStdString(folder->str());
        EXPECT_EQ(LastFilePath, root + "/spreadsheets/Sample.vqa");
        EXPECT_EQ(CommentVideoFolder, root + "/Commentvideo");
        EXPECT_EQ(SilentVideoFolder, root + "/SilentVideo");
        EXPECT_EQ(VideoBaseFolder, root + "/Templates");
        EXPECT_EQ(folder->read("Vidsettings.nml"), dir.read("Vidsettings.nml")) << "nothing stored on the way";
    }
    EXPECT_EQ(dir.read("Vidsettings.nml").find(dir.str()), std::string::npos);

    // Any relative setting is taken inside the program folder, in whatever case it is written;
    // absolute ones are used as written.
    dir.write("Vidsettings.nml", "<SETTINGS><TITLE>T</TITLE><PATH>templates</PATH><LASTFILE>/elsewhere/x.vqa</LASTFILE>"
                                 "<GRAPHDIR>charts/</GRAPHDIR><COMMENTVIDEO>commentvideo</COMMENTVIDEO>"
                                 "<SILENTVIDEO></SILENTVIDEO><COACHMODE>0</COACHMODE></SETTINGS>");
    App::setPath(QString::fromStdString(dir.str()));
    LoadSettings();
    const QString root = QString::fromStdString(dir.str());
    EXPECT_EQ(VideoBaseFolder, root + "/Templates");
    EXPECT_EQ(LastFilePath, "/elsewhere/x.vqa");
    EXPECT_EQ(GraphFolder, root + "/charts/") << "the chart folder is a prefix: its separator stays";
    EXPECT_EQ(CommentVideoFolder, root + "/Commentvideo");
    EXPECT_EQ(SilentVideoFolder, root + "/SilentVideo") << "an empty setting still gets the stored default";
    EXPECT_NE(dir.read("Vidsettings.nml").find("<SILENTVIDEO>" + dir.str() + "/SilentVideo</SILENTVIDEO>"),
              std::string::npos);
}

TEST_F(SettingsTest, NestedKeysReadTheElementsTheyName)
{
    dir.write("nested.nml",
              "<SETTINGS><TITLE>T</TITLE><EXPORT><BOLD>1</BOLD><HEADER><BOLD>True</BOLD><FONT>Arial</FONT></HEADER>"
              "<DATA><SIZE>9.5</SIZE></DATA></EXPORT><BOLD>top</BOLD></SETTINGS>");
    SettingsDocument doc;
    ASSERT_TRUE(LoadSettingsDocument(QString::fromStdString(program("nested.nml")), doc));
    EXPECT_EQ(GetXMLNodeText("EXPORT/BOLD", doc), "1");
    EXPECT_EQ(GetXMLNodeText("EXPORT/HEADER/BOLD", doc), "True");
    EXPECT_EQ(GetXMLNodeText("EXPORT/HEADER/FONT", doc), "Arial");
    EXPECT_EQ(GetXMLNodeText("EXPORT/DATA/SIZE", doc), "9.5");
    EXPECT_EQ(GetXMLNodeText("BOLD", doc), "top") << "a plain key stays at the top level";
    // A missing level anywhere along the path, or a malformed path, reads empty.
    EXPECT_EQ(GetXMLNodeText("EXPORT/DATA/BOLD", doc), "");
    EXPECT_EQ(GetXMLNodeText("IMPORT/HEADER/BOLD", doc), "");
    EXPECT_EQ(GetXMLNodeText("EXPORT//BOLD", doc), "");
    EXPECT_EQ(GetXMLNodeText("EXPORT/", doc), "");
    EXPECT_EQ(GetXMLNodeText("/TITLE", doc), "");
    EXPECT_EQ(GetXMLNodeText("EXPORT/HEADER", doc), "") << "an element holding only elements has no text";
}
