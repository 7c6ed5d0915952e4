// A save that fails (no rights, a full disk, a writer that fails, a kill half way) keeps
// the old file whole, leaves no temporary behind and tells the caller.
#include "platform/files/files.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ks::files {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "the old file, which must survive every failed save\n";

class SaveFault : public testing::Test {
protected:
    void SetUp() override { file_ = dir_.write("kept.nml", kOld); }

    void expectOldFileAlone()
    {
        EXPECT_EQ(dir_.read("kept.nml"), kOld);
        EXPECT_EQ(test::folderListing(dir_.path()), "kept.nml\n");
    }

    test::TempDir dir_;
    fs::path file_;
};

TEST_F(SaveFault, ReadOnlyFolder)
{
    ::chmod(dir_.path().c_str(), 0555);
    Outcome saved;
    {
        test::Unprivileged user;
        saved = saveFile(file_, "new");
    }
    ::chmod(dir_.path().c_str(), 0700);
    EXPECT_EQ(saved.error, EACCES);
    EXPECT_FALSE(saved.reason.empty());
    expectOldFileAlone();
}

TEST_F(SaveFault, FullDisk)
{
    Outcome saved;
    {
        test::FullDisk full(kOld.size() / 2);
        saved = saveFile(file_, std::string(4096, 'n'));
    }
    EXPECT_EQ(saved.error, EFBIG);
    expectOldFileAlone();
}

TEST_F(SaveFault, AWriterThatFailsPassesItsErrorOn)
{
    auto failing = [](const std::string& temp) {
        std::ofstream(temp) << "half";
        throw std::runtime_error("the encoder failed");
    };
    EXPECT_THROW((void)saveFileWith(file_, failing), std::runtime_error);
    expectOldFileAlone();

    Outcome nothing = saveFileWith(file_, [](const std::string& temp) { fs::remove(temp); });
    EXPECT_EQ(nothing.error, ENOENT);
    expectOldFileAlone();
}

// Runs body in a child process and returns the signal that ended it (0 if none).
template <class Body>
int signalEnding(Body&& body, const std::function<void(pid_t)>& watch = {})
{
    pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    if (watch)
        watch(child);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST_F(SaveFault, KilledHalfWayThroughTheWriter)
{
    const std::size_t size = 8u << 20;
    int signal = signalEnding([&] {
        (void)saveFileWith(file_, [&](const std::string& temp) {
            std::ofstream out(temp, std::ios::binary);
            out << std::string(size / 2, 'h') << std::flush;
            ::kill(::getpid(), SIGKILL);
        });
    });
    EXPECT_EQ(signal, SIGKILL);
    EXPECT_EQ(dir_.read("kept.nml"), kOld);
}

TEST_F(SaveFault, KilledDuringALargeWriteLeavesTheOldFileOrTheNewOneWhole)
{
    const std::string large(64u << 20, 'L');
    auto killWhenTheTemporaryGrows = [&](pid_t child) {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < until) {
            for (const auto& entry : fs::directory_iterator(dir_.path())) {
                std::error_code ec;
                if (entry.path().filename() != "kept.nml" && fs::file_size(entry.path(), ec) > 0) {
                    ::kill(child, SIGKILL);
                    return;
                }
            }
        }
    };
    signalEnding([&] { (void)saveFile(file_, large); }, killWhenTheTemporaryGrows);
    std::string now = dir_.read("kept.nml");
    EXPECT_TRUE(now == kOld || now == large) << "a file of " << now.size() << " bytes";
}

}
}
