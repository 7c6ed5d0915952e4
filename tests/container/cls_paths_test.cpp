#include "container/cls_paths.h"

#include "platform/runtime/runtime_error.h"

#include "tests/container/raised.h"
#include "tests/support/qt_print.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <functional>

using namespace ks;
using ks::test::raised;

namespace {

class PathsTest : public ::testing::Test {
protected:
    QString at(const std::string& relative) const { return QString::fromStdString((temp.path() / relative).string()); }
    QString make(const std::string& relative) const { return QString::fromStdString(temp.write(relative, "x").string()); }

    test::TempDir temp;
    clsPaths paths;
};

// Runs in folder and goes back to where it was.
class InFolder {
public:
    explicit InFolder(const QString& folder) : before_(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~InFolder() { QDir::setCurrent(before_); }

private:
    QString before_;
};

}

TEST_F(PathsTest, FileTitleKeepsTheExtensionAndFailsWithoutAName)
{
    const QString file = make("docs/report.txt");
    EXPECT_EQ(paths.DoGetFileTitle(file), "report.txt");
    EXPECT_EQ(paths.DoGetFileTitle(at("v1.2/notes")), "notes") << "a dot in a folder name is no extension";
    EXPECT_EQ(paths.DoGetFileTitle("plain"), "plain");
    for (const QString& none : {QString(), at("docs/")}) {
        auto e = raised([&] { paths.DoGetFileTitle(none); });
        EXPECT_EQ(e.number(), 5) << none.toStdString();
        EXPECT_EQ(e.description(), "Invalid procedure call or argument");
    }
}

TEST_F(PathsTest, FilePathWithAndWithoutTheSeparator)
{
    const QString file = make("docs/report.txt");
    EXPECT_EQ(paths.DoGetFilePath(file), at("docs"));
    EXPECT_EQ(paths.DoGetFilePath(file, true), at("docs") + "/");
    EXPECT_EQ(paths.DoGetFilePath(QString()), QString());
    EXPECT_EQ(paths.DoGetFilePath("/report.txt"), "/") << "the root keeps its one character";

    {
        InFolder inDocs(at("docs"));
        EXPECT_EQ(paths.DoGetFilePath("report.txt"), at("docs"));
        EXPECT_EQ(paths.DoGetFilePath("report.txt", true), at("docs") + "/");
        EXPECT_EQ(paths.DoGetFilePath("absent.txt", true), QString());
    }

    auto e = raised([&] { paths.DoGetFilePath(at("docs/")); });
    EXPECT_EQ(e.number(), 5);
    EXPECT_EQ(e.source(), "\r\nDoGetFilePath") << "the title's failure is passed on";
}

TEST_F(PathsTest, ShortAndLongFormsOfExistingAndMissingPaths)
{
    const QString file = make("Long Folder Name/Some Document.docx");
    EXPECT_EQ(paths.shortName(file), file);
    EXPECT_EQ(paths.LongName(file), file);
    EXPECT_EQ(paths.LongName(at("Long Folder Name")), at("Long Folder Name"));
    EXPECT_EQ(paths.shortName(at("missing.txt")), QString());
    EXPECT_EQ(paths.LongName(at("missing.txt")), QString());
    EXPECT_EQ(paths.LongName(QString()), QString());
}

TEST_F(PathsTest, LongFormPartByPartTakesTheCaseOnDisk)
{
    make("MixedCase/Report.TXT");
    EXPECT_EQ(paths.LongName2(at("mixedcase/report.txt")), at("MixedCase/Report.TXT"));
    EXPECT_EQ(paths.LongName2(at("MixedCase/Report.TXT")), at("MixedCase/Report.TXT"));
    EXPECT_EQ(paths.LongName2(at("MixedCase/")), at("MixedCase"));
    EXPECT_EQ(paths.LongName2(at("mixedcase/gone.txt")), QString());
    EXPECT_EQ(paths.LongName2("MixedCase/Report.TXT"), QString()) << "not rooted";
    EXPECT_EQ(paths.LongName2("/"), "/");
}

TEST_F(PathsTest, SystemFolders)
{
    const QString windows = paths.GetWinDir();
    EXPECT_TRUE(windows.endsWith('/'));
    EXPECT_GT(windows.size(), 1);
    const QString system = paths.GetSysDir();
    EXPECT_FALSE(system.endsWith('/'));
    EXPECT_TRUE(QFileInfo(system).isDir()) << system.toStdString();
}
