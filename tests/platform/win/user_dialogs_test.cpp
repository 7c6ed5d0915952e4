// The window layer's questions and file dialogs: headless answers, and what a program's
// user interface is handed.
#include "platform/win/user_dialogs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct UserDialogsTest : ::testing::Test {
    ~UserDialogsTest() override { ks::win::setUserDialogs({}); }
};

}

TEST_F(UserDialogsTest, WithoutAUserInterfaceQuestionsAreCancelledAndDialogsToo)
{
    EXPECT_EQ(MessageBox(nullptr, "Save?", "", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "Sure?", "", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Done", "", MB_OK), IDOK);
    char name[16] = "kept";
    OPENFILENAME request;
    request.lpstrFile = name;
    request.nMaxFile = sizeof name;
    EXPECT_FALSE(GetOpenFileName(&request));
    EXPECT_FALSE(GetSaveFileName(&request));
    EXPECT_STREQ(name, "kept");
    EXPECT_FALSE(ks::win::setWaitCursor(true));
    EXPECT_TRUE(ks::win::waitCursor());
    EXPECT_TRUE(ks::win::setWaitCursor(false));
}

TEST_F(UserDialogsTest, TheUserInterfaceGetsTheFilterAsTextAndAnswersPathAndFilter)
{
    std::string filter;
    bool saving = false;
    std::vector<bool> cursor;
    ks::win::UserDialogs dialogs;
    dialogs.fileDialog = [&](bool save, const OPENFILENAME& r, const std::string& f) {
        saving = save;
        filter = f;
        return ks::win::FileChoice{"/home/user/a rather long name.htm", r.nFilterIndex + 1};
    };
    dialogs.messageBox = [](HWND, const std::string& text, const std::string&, UINT type) {
        return text == "Save?" && (type & 0xF) == MB_YESNOCANCEL ? IDYES : IDNO;
    };
    dialogs.waitCursor = [&](bool on) { cursor.push_back(on); };
    ks::win::setUserDialogs(std::move(dialogs));

    const char pairs[] = "HTML Format(*.HTM)\0*.HTM\0Rich Text Format(*.RTF)\0*.RTF\0";
    char name[128] = "";
    OPENFILENAME request;
    request.lpstrFilter = pairs;
    request.lpstrFile = name;
    request.nMaxFile = sizeof name;
    ASSERT_TRUE(GetSaveFileName(&request));
    EXPECT_TRUE(saving);
    EXPECT_EQ(filter, "HTML Format(*.HTM)|*.HTM|Rich Text Format(*.RTF)|*.RTF");
    EXPECT_STREQ(name, "/home/user/a rather long name.htm");
    EXPECT_EQ(request.nFilterIndex, 2);

    char small[8] = "old";
    request.lpstrFile = small;
    request.nMaxFile = sizeof small;
    EXPECT_FALSE(GetOpenFileName(&request)) << "a path that does not fit the buffer is refused";
    EXPECT_STREQ(small, "old");

    EXPECT_EQ(MessageBox(nullptr, "Save?", "caption", MB_YESNOCANCEL), IDYES);
    ks::win::setWaitCursor(true);
    ks::win::setWaitCursor(true);
    ks::win::setWaitCursor(false);
    EXPECT_EQ(cursor, (std::vector<bool>{true, false})) << "one screen-wide state, not a stack";
}
