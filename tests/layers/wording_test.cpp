// Comments and build files say what the code does: they never point the reader to outside
// documents by section numbers ("subsystem N", "Part N.NNN").
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace {

bool isCode(const fs::path& file)
{
    static const std::set<std::string> kinds = {".h", ".cpp", ".c", ".cmake", ".sh", ".py"};
    return kinds.count(file.extension().string()) || file.filename() == "CMakeLists.txt";
}

// Build trees, version control and other hidden folders are not ours to read.
bool skipped(const fs::path& folder)
{
    const std::string name = folder.filename().string();
    return name.rfind("build", 0) == 0 || name.rfind('.', 0) == 0;
}

}

TEST(OurWording, NoFileCitesSectionNumbers)
{
    const fs::path root = std::getenv("KS_SOURCE_DIR");
    const std::regex numbering(R"(\b[Ss]ubsystems? [0-9]|\bParts? [0-9]+\.[0-9]+|\bPart rules?\b)");
    std::string findings;
    int read = 0;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && skipped(it->path())) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || !isCode(it->path()))
            continue;
        ++read;
        std::ifstream in(it->path());
        int number = 0;
        for (std::string line; std::getline(in, line);)
            if (++number, std::regex_search(line, numbering))
                findings += "\n" + fs::relative(it->path(), root).string() + ":" + std::to_string(number) + ": " + line;
    }
    EXPECT_GT(read, 500) << "a check that read nothing would pass anything";
    EXPECT_TRUE(findings.empty()) << findings;
}
