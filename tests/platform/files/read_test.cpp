// Reading whole files under a size cap.
#include "platform/files/files.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace ks::files {
namespace {

namespace fs = std::filesystem;

TEST(ReadFile, ReadsEveryByteUpToTheCap)
{
    test::TempDir dir;
    std::string binary("a\0b\r\n\xff", 6);
    fs::path file = dir.write("bytes.bin", binary);
    std::string bytes = "stale";
    ASSERT_TRUE(readFile(file, bytes));
    EXPECT_EQ(bytes, binary);
    ASSERT_TRUE(readFile(file, bytes, binary.size()));
    EXPECT_EQ(bytes, binary);

    Outcome tooLarge = readFile(file, bytes, binary.size() - 1);
    EXPECT_EQ(tooLarge.error, EFBIG);
    EXPECT_TRUE(bytes.empty());

    ASSERT_TRUE(readFile(dir.write("empty", ""), bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadFile, ReadsFilesWhoseSizeTheSystemDoesNotKnow)
{
    std::string bytes;
    ASSERT_TRUE(readFile("/proc/self/status", bytes));
    EXPECT_NE(bytes.find("Pid:"), std::string::npos);
    EXPECT_EQ(readFile("/proc/self/status", bytes, 8).error, EFBIG);
}

TEST(ReadFile, NamesWhyNothingWasRead)
{
    test::TempDir dir;
    std::string bytes;
    Outcome missing = readFile(dir.str() + "/missing", bytes);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(readFile("", bytes).error, ENOENT);
    EXPECT_EQ(readFile(dir.str(), bytes).error, EISDIR);
    // A pipe with no writer would block a plain open for ever.
    ::mkfifo((dir.path() / "pipe").c_str(), 0600);
    EXPECT_EQ(readFile(dir.str() + "/pipe", bytes).error, EINVAL);
}

}
}
