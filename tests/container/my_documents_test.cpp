#include "container/cls_paths.h"

#include "common/c_registry.h"
#include "tests/container/mru_fixture.h"
#include "tests/support/qt_print.h"

using namespace ks;

namespace {

class MyDocumentsTest : public test::ConfigHomeTest {
protected:
    static cRegistry personal()
    {
        cRegistry reg;
        reg.setClassKey(qint32(0x80000001));
        reg.setSectionKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
        reg.setValueKey("Personal");
        reg.setValueType(1);
        return reg;
    }
};

}

TEST_F(MyDocumentsTest, DocumentsFolderFromTheRegistryElseTheProgramFolder)
{
    EXPECT_EQ(clsPaths().GetMyDocsPath(), QString::fromStdString(temp.str() + "/Documents/"));

    const QString program = QString::fromStdString(temp.str() + "/program");
    std::filesystem::create_directories(program.toStdString());
    const QString before = App::path();
    App::setPath(program);
    personal().DeleteValue();
    EXPECT_EQ(clsPaths().GetMyDocsPath(), program + "/");

    personal().setValue(QString::fromStdString(temp.str() + "/no such folder"));
    EXPECT_EQ(clsPaths().GetMyDocsPath(), "/") << "a folder that does not resolve";
    App::setPath(before);
}
