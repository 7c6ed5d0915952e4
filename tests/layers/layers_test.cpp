// The include lines of every source folder keep the layering of the architecture.
#include "tests/layers/layer_rules.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace ks::test::layers {
namespace {

// Libraries layered inside: their parts must not include each other either.
const std::vector<std::string> kInnerFolders = {
    "platform/editor/model", "platform/editor/rtf", "platform/editor/view", "platform/workbook/engine",
    "platform/workbook/view",
};

// The folders the build knows (CMake's KS_SOURCE_FOLDERS, comma-separated), and the inner ones.
std::vector<std::string> layoutFolders()
{
    std::vector<std::string> folders = kInnerFolders;
    std::istringstream list(KS_LAYOUT_FOLDERS);
    for (std::string folder; std::getline(list, folder, ',');)
        folders.push_back(folder);
    return folders;
}

// The engines and what they stand on: free of Qt, so they build and run without it.
const std::vector<std::string> kQtFree = {
    "platform/files",  "platform/workbook/engine", "platform/editor/model", "platform/editor/rtf",
    "platform/registry", "platform/slides",        "platform/pictures",     "addon/base",
    "addon/convert",     "common/layout",
};

// The only includes between subsystems: the scorecard program's own wiring. The container
// and the add-on stand on common/ and platform/ alone, and nothing includes main/. The
// hosts under tools/ open a deliverable's window to look at it; nothing includes tools/.
const Edges kNamedEdges = {
    {"main", "scorecard"}, {"main", "coaching"},  {"main", "reports"},    {"scorecard", "coaching"},
    {"scorecard", "reports"}, {"tools", "container"}, {"tools", "addon"},
};

std::string listed(const std::vector<std::string>& findings)
{
    std::string text;
    for (const std::string& finding : findings)
        text += "\n" + finding;
    return text;
}

class OurSources : public testing::Test {
protected:
    static void SetUpTestSuite() { tree_ = readSourceTree(std::getenv("KS_SOURCE_DIR"), layoutFolders()); }
    static SourceTree tree_;
};
SourceTree OurSources::tree_;

TEST_F(OurSources, AreReadWhole)
{
    // A check that read nothing would pass anything.
    EXPECT_GT(tree_.files.size(), 300u);
    EXPECT_EQ(tree_.folderOf("platform/workbook/engine/book.h"), "platform/workbook/engine");
    EXPECT_EQ(tree_.folderOf("platform/editor/vek32.h"), "platform/editor");
    EXPECT_EQ(tree_.folderOf("common/layout/scorecard_layout.h"), "common");
    // The picture decoders are a platform layer: the add-on includes them, never they the add-on.
    EXPECT_EQ(tree_.folderOf("platform/pictures/gif_reader.h"), "platform/pictures");
    EXPECT_EQ(tree_.folderOf("tests/common/settings_test.cpp"), "");
}

TEST_F(OurSources, SharedLayersNeverIncludeASubsystem)
{
    auto findings = sharedLayersReachingUp(tree_);
    EXPECT_TRUE(findings.empty()) << listed(findings);
}

TEST_F(OurSources, SubsystemsIncludeOnlyTheOnesTheDesignNames)
{
    auto findings = unnamedSubsystemEdges(tree_, kNamedEdges);
    EXPECT_TRUE(findings.empty()) << listed(findings);
}

TEST_F(OurSources, EnginesStayFreeOfQt)
{
    auto findings = qtInQtFreeFolders(tree_, kQtFree);
    EXPECT_TRUE(findings.empty()) << listed(findings);
}

TEST_F(OurSources, NoFoldersIncludeEachOther)
{
    auto findings = folderCycles(tree_);
    EXPECT_TRUE(findings.empty()) << listed(findings);
}

// The checks themselves, on small made-up trees with one fault each.
class MadeUpTree : public testing::Test {
protected:
    SourceTree read() { return readSourceTree(dir_.str(), {"platform/ui", "platform/engine", "common", "app", "tool"}); }
    TempDir dir_;
};

TEST_F(MadeUpTree, ASharedLayerIncludingASubsystemIsFound)
{
    dir_.write("app/window.h", "#pragma once\n");
    dir_.write("platform/ui/box.cpp", "#include \"platform/ui/box.h\"\n\n#include \"app/window.h\"\n");
    dir_.write("platform/ui/box.h", "#pragma once\n#include <QString>\n");
    dir_.write("common/paths.cpp", "  #  include \"tool/gen.h\"   // spaced out\n");
    dir_.write("tool/gen.h", "#pragma once\n");
    dir_.write("app/main.cpp", "#include \"platform/ui/box.h\"\n#include \"common/paths.h\"\n");
    auto findings = sharedLayersReachingUp(read());
    ASSERT_EQ(findings.size(), 2u) << listed(findings);
    EXPECT_EQ(findings[0].rfind("common/paths.cpp:1 includes tool/gen.h", 0), 0u) << findings[0];
    EXPECT_EQ(findings[1].rfind("platform/ui/box.cpp:3 includes app/window.h", 0), 0u) << findings[1];
}

TEST_F(MadeUpTree, AnIncludeBetweenSubsystemsThatIsNotNamedIsFound)
{
    dir_.write("tool/gen.h", "#pragma once\n#include \"common/c.h\"\n");
    dir_.write("common/c.h", "#pragma once\n");
    dir_.write("app/a.h", "#include \"tool/gen.h\"\n");   // named
    dir_.write("tool/gen.cpp", "#include \"tool/gen.h\"\n#include \"app/a.h\"\n");
    auto findings = unnamedSubsystemEdges(read(), {{"app", "tool"}});
    ASSERT_EQ(findings.size(), 1u) << listed(findings);
    EXPECT_EQ(findings[0], "tool/gen.cpp:2 includes app/a.h (tool on app)");
}

TEST_F(MadeUpTree, QtReachedThroughAnotherHeaderIsFound)
{
    dir_.write("platform/ui/box.h", "#pragma once\n#include <QWidget>\n");
    dir_.write("platform/engine/core.h", "#pragma once\n#include <queue>\n#include <string>\n");
    dir_.write("platform/engine/sheet.h", "#pragma once\n#include \"core.h\"\n");   // beside the includer
    dir_.write("platform/engine/book.cpp", "#include \"platform/engine/sheet.h\"\n#include \"platform/ui/box.h\"\n");
    dir_.write("platform/engine/clean.cpp", "#include \"platform/engine/sheet.h\"\n#include <vector>\n");
    auto findings = qtInQtFreeFolders(read(), {"platform/engine"});
    ASSERT_EQ(findings.size(), 1u) << listed(findings);
    EXPECT_EQ(findings[0], "platform/engine/book.cpp reaches Qt: platform/ui/box.h -> <QWidget>");
}

TEST_F(MadeUpTree, FoldersIncludingEachOtherRoundACircleAreFound)
{
    dir_.write("app/a.h", "#include \"tool/t.h\"\n");
    dir_.write("tool/t.h", "#include \"common/c.h\"\n");
    dir_.write("common/c.h", "#include \"common/d.h\"\n");
    dir_.write("common/d.h", "#include \"platform/ui/u.h\"\n");
    dir_.write("platform/ui/u.h", "#pragma once\n");
    EXPECT_TRUE(folderCycles(read()).empty()) << "a chain is no circle";

    dir_.write("common/e.h", "#include \"app/a.h\"\n");
    auto findings = folderCycles(read());
    ASSERT_EQ(findings.size(), 1u) << listed(findings);
    for (const char* edge : {"app -> tool: app/a.h:1", "tool -> common: tool/t.h:1", "common -> app: common/e.h:1"})
        EXPECT_NE(findings[0].find(edge), std::string::npos) << findings[0];
    EXPECT_EQ(findings[0].find("platform/ui"), std::string::npos) << "only the circle's folders are named";
}

}
}
