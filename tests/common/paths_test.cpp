#include "common/paths.h"

#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "tests/support/temp_dir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ks;

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}

TEST(Paths, AddBackslash)
{
    EXPECT_EQ(AddBackslash("C:\\Data", "\\"), "C:\\Data\\");
    EXPECT_EQ(AddBackslash("C:\\Data\\", "\\"), "C:\\Data\\");
    EXPECT_EQ(AddBackslash("", "\\"), "\\");
    EXPECT_EQ(AddBackslash("/home/u"), "/home/u/");
    EXPECT_EQ(AddBackslash("/"), "/");
}

TEST(Paths, FileAndFolderExistence)
{
    test::TempDir dir;
    dir.write("a/file.txt", "x");
    EXPECT_TRUE(FileExists(q(dir.str() + "/a/file.txt")));
    EXPECT_FALSE(FileExists(q(dir.str() + "/a")));
    EXPECT_TRUE(FolderExists(q(dir.str() + "/a")));
    EXPECT_FALSE(FolderExists(q(dir.str() + "/a/file.txt")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FileExists(q(dir.str() + "/a/file.txt/below")));
    EXPECT_FALSE(FolderExists(QString::fromUtf8("bad\0name", 8)));
}

TEST(Paths, MakeDirPathCreatesEachMissingLevel)
{
    test::TempDir dir;
    const QString deep = q(dir.str() + "/one/two/three");
    MakeDirPath(deep);
    EXPECT_TRUE(FolderExists(deep));
    MakeDirPath(deep + "/");   // all there: nothing to do, no failure
    EXPECT_TRUE(FolderExists(deep));
    dir.write("blocker", "file");
    EXPECT_THROW(MakeDirPath(q(dir.str() + "/blocker/sub")), RuntimeError);
    try {
        MakeDirPath(q(dir.str() + "/blocker/sub"));
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(QString::fromStdString(e.source()).endsWith("\r\nMakeDirPath"));
    }
}

TEST(Paths, ListFilesFollowsTheListingRules)
{
    test::TempDir dir;
    QDir().mkpath(q(dir.str() + "/empty"));
    QStringList dots = ListFiles(q(dir.str() + "/empty/*.*"), ListWithFolders);
    dots.sort();
    EXPECT_EQ(dots, QStringList({".", ".."}));
    EXPECT_TRUE(ListFiles(q(dir.str() + "/empty/*.*"), ListFilesOnly).isEmpty());

    dir.write("v/intro.WMV", "");
    dir.write("v/b.wmv", "");
    dir.write("v/notes.txt", "");
    dir.write("v/README", "");
    dir.write("v/.hidden.wmv", "");
    dir.write("v/sub/x.wmv", "");
    QStringList wmv = ListFiles(q(dir.str() + "/v/*.wmv"), ListFilesOnly);
    wmv.sort();
    EXPECT_EQ(wmv, QStringList({"b.wmv", "intro.WMV"}));
    QStringList all = ListFiles(q(dir.str() + "/v/*.*"), ListWithFolders);
    all.sort();
    EXPECT_EQ(all, QStringList({".", "..", "README", "b.wmv", "intro.WMV", "notes.txt", "sub"}));
    EXPECT_TRUE(ListFiles(q(dir.str() + "/missing/*.*"), ListWithFolders).isEmpty());
}

TEST(Paths, ProgramFolderNamesResolveWithoutRegardToCase)
{
    test::TempDir dir;
    App::setPath(q(dir.str()));
    dir.write("help/Manual.pdf", "x");
    EXPECT_TRUE(FileExists(ProgramFile("Help/manual.pdf")));
    EXPECT_TRUE(FolderExists(q(dir.str() + "/HELP")));
    EXPECT_EQ(ProgramFile("HELP/MANUAL.PDF"), q(dir.str() + "/help/Manual.pdf"));
    EXPECT_EQ(ProgramFile("help/new.pdf"), q(dir.str() + "/help/new.pdf"));
    // Outside the program folder a path is used as given.
    test::TempDir other;
    other.write("Case.txt", "x");
    EXPECT_FALSE(FileExists(q(other.str() + "/case.txt")));
}
