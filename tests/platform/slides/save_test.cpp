// Saving replaces the file whole or not at all.
#include "tests/platform/slides/deck_fixture.h"
#include "tests/support/file_faults.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace ks::slides::test {
namespace {

std::size_t entriesIn(const std::filesystem::path& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(SlideSave, FailedWritesRaiseAndKeepTheOldFile)
{
    ks::test::TempDir dir;
    Presentation deck;
    buildReportDeck(deck, {writeJpeg(dir, "KPI_1.jpg", 800, 600)});
    std::string path = (dir.path() / "Results.pptx").string();
    dir.write("Results.pptx", "the previous export");
    std::size_t before = entriesIn(dir.path());
    {
        ks::test::FullDisk full(2048);
        int number = errorOf([&] { deck.saveAs(path); });
        EXPECT_EQ(number, kErrFileAccess);
    }
    EXPECT_EQ(dir.read("Results.pptx"), "the previous export");
    EXPECT_EQ(entriesIn(dir.path()), before) << "a temporary file was left behind";

    try {
        deck.saveAs((dir.path() / "no such folder" / "Results.pptx").string());
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kErrFileAccess);
        EXPECT_NE(e.description().find("no such folder"), std::string::npos) << e.description();
    }
    std::filesystem::create_directory(dir.path() / "taken.pptx");
    EXPECT_EQ(errorOf([&] { deck.saveAs((dir.path() / "taken.pptx").string()); }), kErrFileAccess);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken.pptx"));

    // A save that works replaces the old file whole.
    deck.saveAs(path);
    EXPECT_TRUE(unzip(path).has("ppt/presentation.xml"));
    deck.slide(1).shape(1).setText("Second save");
    deck.saveAs(path);
    EXPECT_NE(unzip(path).at("ppt/slides/slide1.xml").find("Second save"), std::string::npos);
}

}
}
