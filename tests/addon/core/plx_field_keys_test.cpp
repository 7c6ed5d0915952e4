// A page's form fields as the window layer's real child controls: their initial values,
// typing into them, and Tab, Shift+Tab and Enter through the procedure every field gets.
#include "read_fixture.h"

#include "addon/core/field_control.h"
#include "addon/core/field_controls.h"
#include "addon/core/html_notify.h"
#include "platform/win/dialog_controls.h"
#include "platform/win/window_handle.h"

#include <string>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxReadTest;

namespace {

constexpr WPARAM kTab = 9, kEnter = 13;

class PlxFieldKeysTest : public PlxReadTest {
protected:
    void SetUp() override
    {
        win::setControlMaker(win::makeDialogControl);
        PlxReadTest::SetUp();
    }
    void TearDown() override
    {
        PlxReadTest::TearDown();
        win::setControlMaker({});
    }
    HWND control(int i) { return FieldControl(ctx(), ctx().fields[i]); }
    std::string textOf(int i) { return FieldControlText(control(i), 300); }
    void typeInto(int i, const std::string& chars)
    {
        for (char c : chars)
            SendMessage(control(i), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    }
    // Tab (with Shift when back) in field i; the field whose control then has the focus.
    int tabFrom(int i, bool back = false)
    {
        win::setKeyDown(VK_SHIFT, back);
        EXPECT_EQ(SendMessage(control(i), WM_CHAR, kTab, 0), 1);
        win::setKeyDown(VK_SHIFT, false);
        for (int f = 0; f < ctx().fieldCount; ++f)
            if (control(f) && control(f) == GetFocus())
                return f;
        return -1;
    }
    int caretPos()
    {
        VekInfo in = info(hWnd);
        return EditorLineColToPos(hWnd, in.caretLine, in.caretColumn);
    }
};

}

TEST_F(PlxFieldKeysTest, ControlsStartWithTheFieldsValuesAndTakeTyping)
{
    read("<form><input name=a value=start maxlength=8><input type=password name=p value=pw>"
         "<input type=checkbox name=c checked><input type=radio name=r><input type=submit>"
         "<textarea name=t rows=2 cols=5>ab</textarea>"
         "<select name=one><option>x<option selected>y<option selected>z</select>"
         "<select name=multi multiple size=3><option>m0<option selected>m1<option selected>m2</select>"
         "<select name=list size=3><option selected>l0<option selected>l1<option>l2</select>"
         "<select name=none size=2><option>n0<option>n1</select></form>");
    ASSERT_EQ(ctx().fieldCount, 10);
    for (int i = 0; i < 10; ++i)
        ASSERT_NE(control(i), nullptr) << i;
    EXPECT_EQ(textOf(0), "start");
    EXPECT_EQ(SendMessage(control(0), EM_GETLIMITTEXT, 0, 0), 8) << "the field's maximum length";
    EXPECT_EQ(textOf(1), "pw");
    EXPECT_EQ(SendMessage(control(2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(control(3), BM_GETCHECK, 0, 0), BST_CHECKED) << "the only button of its name";
    EXPECT_EQ(textOf(4), "Submit");
    EXPECT_EQ(textOf(5), "ab");
    EXPECT_EQ(SendMessage(control(6), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(control(6), CB_GETCURSEL, 0, 0), 1) << "a combo box shows the first selected option";
    EXPECT_EQ(SendMessage(control(6), CB_GETITEMHEIGHT, WPARAM(-1), 0), ctx().charHeight * 6 / 4);
    for (int option = 0; option < 3; ++option)
        EXPECT_EQ(SendMessage(control(7), LB_GETSEL, WPARAM(option), 0), option > 0 ? 1 : 0) << option;
    EXPECT_EQ(SendMessage(control(8), LB_GETCURSEL, 0, 0), 1) << "in a single-selection list the last one wins";
    EXPECT_EQ(SendMessage(control(9), LB_GETCURSEL, 0, 0), 0) << "nothing selected shows the first option";

    typeInto(0, "!ABCDE");
    EXPECT_EQ(textOf(0), "!ABstart") << "typing goes through to the edit, which keeps its limit";
    typeInto(5, "\r");
    EXPECT_EQ(textOf(5), "\r\nab") << "Enter in a text area is a line of its text";

    SendMessage(control(6), CB_SETCURSEL, 2, 0);
    SendMessage(control(2), BM_SETCHECK, BST_UNCHECKED, 0);
    for (int i = 0; i < 10; ++i)
        ResetFieldControl(&ctx(), &ctx().fields[i]);
    EXPECT_EQ(textOf(0), "start");
    EXPECT_EQ(SendMessage(control(6), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(control(2), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(PlxFieldKeysTest, TabAndShiftTabWalkTheFieldsPastHiddenOnesAndWrap)
{
    read("<form><input type=hidden name=h0>first <input name=a><input type=hidden name=h1>"
         "<input type=checkbox name=b></form><p>between<form><select name=s><option>o</select>"
         "<input type=password name=p><input type=hidden name=h2></form>");
    ASSERT_EQ(ctx().fieldCount, 7);
    // Fields: 0 hidden, 1 a, 2 hidden, 3 b, 4 s, 5 p, 6 hidden.
    EXPECT_EQ(tabFrom(1), 3) << "past a hidden field";
    EXPECT_EQ(tabFrom(3), 4) << "on into the next form";
    EXPECT_EQ(tabFrom(5), 1) << "from the last field to the first with a control";
    EXPECT_EQ(tabFrom(1, true), 5) << "Shift+Tab in the first goes to the last";
    EXPECT_EQ(tabFrom(4, true), 3);
    EXPECT_EQ(caretPos(), EditorFindControlPos(hWnd, ctx().fields[3].controlId)) << "the caret goes along";
    EXPECT_EQ(textOf(1), "") << "a Tab is no character of the text";
}

TEST_F(PlxFieldKeysTest, EnterInATextLineSubmitsAFormOfOneField)
{
    read("<form action=/find><input name=q></form><form action=/two><input name=a><input name=b>"
         "<input type=password name=p></form>");
    auto submits = [&] { return heard(kNotifySubmit).size(); };
    EXPECT_EQ(SendMessage(control(0), WM_CHAR, kEnter, 0), 1);
    EXPECT_EQ(submits(), 1u) << "the form's only field";
    EXPECT_EQ(ctx().currentField, 0);
    EXPECT_EQ(SendMessage(control(1), WM_CHAR, kEnter, 0), 1);
    EXPECT_EQ(submits(), 1u) << "a form of three fields is submitted by its button, not by Enter";
    typeInto(3, "x\r");
    EXPECT_EQ(textOf(3), "x") << "Enter in a password field is the edit's own";
    EXPECT_EQ(submits(), 1u);
}

TEST_F(PlxFieldKeysTest, AControlWhoseFieldIsGoneSwallowsItsMessages)
{
    read("<form><input name=a value=v></form>");
    HWND edit = control(0);
    ASSERT_NE(edit, nullptr);
    ctx().fields[0].controlId = 0;
    EXPECT_EQ(SendMessage(edit, WM_CHAR, 'x', 0), 1);
    ctx().fields[0].controlId = GetDlgCtrlID(edit);
    EXPECT_EQ(textOf(0), "v");
}
