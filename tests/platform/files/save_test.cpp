// Saving whole files: what a good save leaves, links, permissions.
#include "platform/files/files.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace ks::files {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(SaveFile, WritesANewFileWithTheUmasksPermissionsAndLeavesNothingElse)
{
    test::TempDir dir;
    mode_t old = ::umask(027);
    Outcome saved = saveFile(dir.str() + "/new.txt", "first");
    ::umask(old);
    ASSERT_TRUE(saved) << saved.reason;
    EXPECT_EQ(dir.read("new.txt"), "first");
    EXPECT_EQ(modeOf(dir.path() / "new.txt"), 0640u);
    EXPECT_EQ(test::folderListing(dir.path()), "new.txt\n");
}

TEST(SaveFile, ReplacesAFileKeepingItsPermissions)
{
    test::TempDir dir;
    fs::path file = dir.write("notes.rtf", "old contents, longer than the new");
    ::chmod(file.c_str(), 0604);
    ASSERT_TRUE(saveFile(file, "new"));
    EXPECT_EQ(dir.read("notes.rtf"), "new");
    EXPECT_EQ(modeOf(file), 0604u);
    ASSERT_TRUE(saveFile(file, ""));
    EXPECT_EQ(dir.read("notes.rtf"), "");
    EXPECT_EQ(test::folderListing(dir.path()), "notes.rtf\n");
}

TEST(SaveFile, SavesThroughSymbolicLinksWhichStayLinks)
{
    test::TempDir dir;
    dir.write("data/real.vqa", "old");
    fs::create_symlink("data/real.vqa", dir.path() / "relative");   // resolved from the link's folder
    fs::create_symlink(dir.path() / "relative", dir.path() / "chained");
    ASSERT_TRUE(saveFile(dir.str() + "/chained", "through two links"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "chained"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "relative"));
    EXPECT_EQ(dir.read("data/real.vqa"), "through two links");

    fs::create_symlink("missing.txt", dir.path() / "dangling");
    ASSERT_TRUE(saveFile(dir.str() + "/dangling", "made"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
    EXPECT_EQ(dir.read("missing.txt"), "made");

    fs::create_symlink("loop", dir.path() / "loop");
    EXPECT_EQ(saveFile(dir.str() + "/loop", "x").error, ELOOP);
}

TEST(SaveFile, RefusesWhatIsNoFileToReplace)
{
    test::TempDir dir;
    fs::create_directory(dir.path() / "folder");
    Outcome folder = saveFile(dir.str() + "/folder", "x");
    EXPECT_EQ(folder.error, EISDIR);
    EXPECT_FALSE(folder.reason.empty());
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
    EXPECT_EQ(saveFile("", "x").error, EINVAL);
    EXPECT_EQ(saveFile(dir.str() + "/no/such/folder.txt", "x").error, ENOENT);
    ::mkfifo((dir.path() / "pipe").c_str(), 0600);
    EXPECT_EQ(saveFile(dir.str() + "/pipe", "x").error, EINVAL);
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe"));
    EXPECT_EQ(test::folderListing(dir.path()), "folder\npipe\n");
}

TEST(SaveFile, LeavesAReadOnlyFileAsItIs)
{
    test::TempDir dir;
    fs::path file = dir.write("locked.txt", "kept");
    ::chmod(file.c_str(), 0444);
    ::chmod(dir.path().c_str(), 0777);
    {
        test::Unprivileged user;
        EXPECT_EQ(saveFile(file, "lost").error, EACCES);
    }
    EXPECT_EQ(dir.read("locked.txt"), "kept");
    EXPECT_EQ(test::folderListing(dir.path()), "locked.txt\n");
}

TEST(SaveFileWith, TheWriterFillsTheTemporaryBesideTheTarget)
{
    test::TempDir dir;
    fs::path file = dir.write("chart.png", "old");
    ::chmod(file.c_str(), 0600);
    std::string seen;
    Outcome saved = saveFileWith(file, [&](const std::string& temp) {
        seen = temp;
        // A writer that makes a new file of its own, as zip libraries do.
        fs::remove(temp);
        std::ofstream(temp, std::ios::binary) << "written by name";
        ::chmod(temp.c_str(), 0666);
    });
    ASSERT_TRUE(saved) << saved.reason;
    EXPECT_EQ(fs::path(seen).parent_path(), dir.path());
    EXPECT_NE(fs::path(seen).filename(), "chart.png");
    EXPECT_EQ(dir.read("chart.png"), "written by name");
    EXPECT_EQ(modeOf(file), 0600u);
    EXPECT_EQ(test::folderListing(dir.path()), "chart.png\n");
}

}
}
