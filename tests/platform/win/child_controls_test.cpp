// The child controls as a parent drives them by message and as the user drives them
// by typing and clicking: what they keep, and what the parent hears.
#include "platform/win/dialog_controls.h"
#include "platform/win/list_controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks::win;

namespace {

// A parent window that records the WM_COMMAND notifications of its children.
class Parent : public Window {
public:
    Parent() : Window(WindowKind::Host, "Host") {}
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            heard.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return 0;
    }
    struct Notice {
        unsigned id, code;
        HWND from;
    };
    std::vector<Notice> heard;
};

class ChildControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        setControlMaker(makeDialogControl);
        parentWindow = std::make_shared<Parent>();
        parent = registerWindow(parentWindow);
    }
    void TearDown() override
    {
        DestroyWindow(parent);
        setControlMaker({});
    }
    HWND make(const char* cls, unsigned style, int id = 7, const char* text = "")
    {
        return createChildWindow(cls, text, WS_CHILD | WS_VISIBLE | style, RECT{}, parent, id);
    }
    static std::string text(HWND w)
    {
        std::string s(std::size_t(SendMessage(w, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        s.resize(std::size_t(SendMessage(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()))));
        return s;
    }
    static void type(HWND w, const std::string& chars)
    {
        for (unsigned char c : chars)
            SendMessage(w, WM_CHAR, c, 0);
    }
    std::shared_ptr<Parent> parentWindow;
    HWND parent = nullptr;
};

TEST_F(ChildControls, EditTakesTypingAtTheCaretAndTellsTheParent)
{
    HWND edit = make("Edit", 0, 3, "ac");
    SendMessage(edit, EM_SETSEL, 1, 1);
    type(edit, "b");
    EXPECT_EQ(text(edit), "abc");
    ASSERT_EQ(parentWindow->heard.size(), 1u);
    EXPECT_EQ(parentWindow->heard[0].id, 3u);
    EXPECT_EQ(parentWindow->heard[0].code, EN_CHANGE);
    EXPECT_EQ(parentWindow->heard[0].from, edit);

    SendMessage(edit, EM_SETSEL, 0, -1);   // all: typing replaces it
    type(edit, "xy\b");
    EXPECT_EQ(text(edit), "x");
    unsigned start = 9, end = 9;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 1u);
}

TEST_F(ChildControls, EditLinesLimitDigitsAndPasswords)
{
    HWND line = make("Edit", ES_AUTOHSCROLL);
    type(line, "a\rb");
    EXPECT_EQ(text(line), "ab") << "a one-line edit has no line breaks";

    HWND area = make("Edit", ES_MULTILINE);
    type(area, "a\rb\b\b");
    EXPECT_EQ(text(area), "a") << "a backspace takes the whole line break";

    HWND limited = make("Edit", 0, 9);
    SendMessage(limited, EM_LIMITTEXT, 3, 0);
    type(limited, "abcd");
    EXPECT_EQ(text(limited), "abc");
    EXPECT_EQ(parentWindow->heard.back().code, EN_MAXTEXT);
    SendMessage(limited, EM_SETSEL, 1, 1);
    SendMessage(limited, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("zzz"));
    EXPECT_EQ(text(limited), "abc") << "the program's text is cut at the limit too";

    HWND number = make("Edit", ES_NUMBER);
    type(number, "1a2");
    EXPECT_EQ(text(number), "12");

    HWND password = make("Edit", ES_PASSWORD);
    type(password, "secret");
    EXPECT_EQ(text(password), "secret") << "the mask is for the screen, the text is kept";
    EXPECT_EQ(SendMessage(password, EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_EQ(SendMessage(line, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(ChildControls, EditRefusesTypingWhenDisabledOrReadOnly)
{
    HWND locked = make("Edit", ES_READONLY, 1, "keep");
    HWND off = make("Edit", WS_DISABLED, 2, "keep");
    type(locked, "x\b");
    type(off, "x\b");
    EXPECT_EQ(text(locked), "keep");
    EXPECT_EQ(text(off), "keep");
    EXPECT_TRUE(parentWindow->heard.empty());
}

TEST_F(ChildControls, ButtonsCheckAndNotify)
{
    HWND box = make("Button", BS_AUTOCHECKBOX, 4);
    SendMessage(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_EQ(parentWindow->heard.size(), 1u);
    EXPECT_EQ(parentWindow->heard[0].code, BN_CLICKED);
    EXPECT_EQ(parentWindow->heard[0].id, 4u);

    // A plain radio button leaves its mark to the parent.
    HWND radio = make("Button", BS_RADIOBUTTON, 5);
    SendMessage(radio, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessage(radio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(parentWindow->heard.size(), 2u);
}

TEST_F(ChildControls, ListBoxKeepsEntriesDataAndSelectionThroughInsertAndDelete)
{
    HWND list = make("ListBox", LBS_NOTIFY, 6);
    for (const char* s : {"one", "three"})
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("two")), 1);
    SendMessage(list, LB_SETITEMDATA, 2, 33);
    SendMessage(list, LB_SETCURSEL, 2, 0);
    SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zero"));
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3) << "the selection follows its entry";
    EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 3, 0), 33);
    char buffer[8];
    SendMessage(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(buffer, "two");

    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 3, 0), 3);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR) << "deleted with its entry";
    EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 3);

    userSelects(list, 1);
    userDoubleClicks(list, 1);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(list, LB_GETSEL, 1, 0), 1);
    ASSERT_EQ(parentWindow->heard.size(), 2u);
    EXPECT_EQ(parentWindow->heard[0].code, LBN_SELCHANGE);
    EXPECT_EQ(parentWindow->heard[1].code, LBN_DBLCLK);
}

TEST_F(ChildControls, MultipleSelectionListSelectsEachEntry)
{
    HWND list = make("ListBox", LBS_MULTIPLESEL);
    for (const char* s : {"a", "b", "c"})
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessage(list, LB_SETSEL, 1, 0);
    SendMessage(list, LB_SETSEL, 1, 2);
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(list, LB_GETSEL, 1, 0), 0);
    SendMessage(list, LB_SETSEL, 0, -1);
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 0);
    userSelects(list, 1);
    EXPECT_TRUE(parentWindow->heard.empty()) << "no LBS_NOTIFY, no notice";
}

TEST_F(ChildControls, ComboBoxSelectsAndNotifies)
{
    HWND combo = make("ComboBox", 0, 8);
    for (const char* s : {"red", "green"})
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 1, 0), 5);
    userSelects(combo, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
    ASSERT_EQ(parentWindow->heard.size(), 1u);
    EXPECT_EQ(parentWindow->heard[0].code, CBN_SELCHANGE);
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ChildControls, BadIndexesAnswerErrorsAndChangeNothing)
{
    HWND list = make("ListBox", 0);
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("only"));
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 5, reinterpret_cast<LPARAM>("x")), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 5, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 0, 0), LB_ERR) << "no buffer";
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 9, 0), LB_ERR);
    userSelects(list, -1);
    EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 1);
    HWND edit = make("Edit", 0, 1, "abc");
    SendMessage(edit, EM_SETSEL, 7, 99);
    type(edit, "d");
    EXPECT_EQ(text(edit), "abcd") << "a selection past the end is clamped to it";
}

// A subclass sees every message first and hands the rest on to the control's own procedure.
WNDPROC gOriginal = nullptr;
LRESULT upperCaseProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && wParam >= 'a' && wParam <= 'z')
        wParam -= 'a' - 'A';
    return CallWindowProc(gOriginal, w, message, wParam, lParam);
}

TEST_F(ChildControls, SubclassingSeesMessagesFirstAndCanBeUndone)
{
    HWND edit = make("Edit", 0);
    gOriginal = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&upperCaseProc)));
    ASSERT_NE(gOriginal, nullptr);
    EXPECT_EQ(GetWindowLongPtr(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&upperCaseProc));
    type(edit, "ab");
    EXPECT_EQ(text(edit), "AB");
    SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gOriginal));
    type(edit, "c");
    EXPECT_EQ(text(edit), "ABc");
}

TEST_F(ChildControls, KeyStateFollowsTheKeys)
{
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    setKeyDown(VK_SHIFT, true);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    setKeyDown(VK_SHIFT, false);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

}
