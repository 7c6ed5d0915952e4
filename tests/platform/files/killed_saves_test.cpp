// Saves of each kind (a plain file, a spreadsheet export, a zip package) killed at random
// points: what they leave is readable by the owner alone, and the next save that works
// leaves nothing but the target in its folder.
#include "platform/files/files.h"
#include "platform/slides/zip_archive.h"
#include "platform/workbook/engine/book.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ks::files {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 30;
constexpr auto kLongestRun = std::chrono::milliseconds(25);
// Orphans are taken away once they are older than the save that finds them by this margin.
constexpr auto kOrphanAge = std::chrono::milliseconds(1100);

using Save = std::function<void(const std::string& target)>;

void plainSave(const std::string& target)
{
    static const std::string bytes(4u << 20, 'p');
    ASSERT_TRUE(saveFile(target, bytes));
}

void spreadsheetExport(const std::string& target)
{
    workbook::Book book;
    for (int row = 1; row <= 2000; ++row)
        for (int col = 1; col <= 8; ++col)
            book.setSheetNumber(row, col, row * 10.0 + col);
    book.WriteBookFile(target, workbook::kFileXlsx);
}

void packageSave(const std::string& target)
{
    static const std::string slide(2u << 20, 's');
    static const std::string picture(2u << 20, 'j');
    slides::writeZipFile(target, {{"ppt/slides/slide1.xml", &slide}, {"ppt/media/image1.jpeg", &picture, true}});
}

// Forks a child that saves over and over and kills it after a random time.
void killWhileSaving(const Save& save, const std::string& target, std::mt19937& random)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (;;)
            save(target);
    }
    std::uniform_int_distribution<int> after(0, int(std::chrono::microseconds(kLongestRun).count()));
    std::this_thread::sleep_for(std::chrono::microseconds(after(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the child saves until it is killed";
}

mode_t modeOf(const fs::path& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void expectKillsLeaveNothing(const Save& save, const std::string& name)
{
    test::TempDir dir;
    const std::string target = dir.str() + "/" + name;
    save(target);
    ::chmod(target.c_str(), 0600);   // a private file: no copy of it may be readable by others
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    for (int kill = 0; kill < kKills; ++kill)
        killWhileSaving(save, target, random);
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(modeOf(entry.path()) & 077, 0u) << entry.path() << " (seed " << seed << ")";

    std::this_thread::sleep_for(kOrphanAge);
    save(target);
    EXPECT_EQ(test::folderListing(dir.path()), name + "\n") << "seed " << seed;
    EXPECT_EQ(modeOf(target), 0600u);
}

TEST(KilledSaves, APlainSaveLeavesNothingBehind) { expectKillsLeaveNothing(plainSave, "card.vqa"); }

TEST(KilledSaves, ASpreadsheetExportLeavesNothingBehind) { expectKillsLeaveNothing(spreadsheetExport, "report.xlsx"); }

TEST(KilledSaves, APackageSaveLeavesNothingBehind) { expectKillsLeaveNothing(packageSave, "deck.pptx"); }

// A temporary of the same naming pattern that is not ours to judge stays: a newer one may
// belong to a save still running, and other files never match.
TEST(KilledSaves, OnlyOldTemporariesOfTheTargetAreTakenAway)
{
    test::TempDir dir;
    const std::string target = dir.str() + "/card.vqa";
    const fs::path old = dir.write(".card.vqa.123456.tmp", "orphan");
    const fs::path other = dir.write(".card.vqa.backup.tmp", "someone else's");
    const fs::path otherTarget = dir.write(".card.vqa.old.77.tmp", "another target's");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    fs::last_write_time(other, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    fs::last_write_time(otherTarget, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    const fs::path running = dir.write(".card.vqa.654321.tmp", "a save still running");
    ASSERT_TRUE(saveFile(target, "new"));
    EXPECT_EQ(test::folderListing(dir.path()),
              ".card.vqa.654321.tmp\n.card.vqa.backup.tmp\n.card.vqa.old.77.tmp\ncard.vqa\n");
}

}
}
