// The add-on's dialog routine and field checks, on a small dialog of their own.
#include "addon/base/dialog_fields.h"
#include "addon/base/message_sink.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace ks;
using namespace ks::addon;

namespace {

constexpr int kField = 300, kList = 301;

const win::DialogTemplate& fieldsTemplate()
{
    static const win::DialogTemplate& t = win::registerDialogTemplate(
        {"FieldsParam", "Fields", 120, 60,
         {{win::ControlKind::Edit, kField, "", 5, 5, 60, 12},
          {win::ControlKind::ListBox, kList, "", 5, 20, 60, 30},
          {win::ControlKind::DefaultButton, IDOK, "OK", 70, 5, 40, 14},
          {win::ControlKind::PushButton, IDCANCEL, "Cancel", 70, 22, 40, 14}}});
    return t;
}

// The step the test runs inside the open dialog, with the dialog and the context it received.
std::function<void(HWND, HtmlCtx*, LPARAM)> inside;

LRESULT fieldsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const DialogParam& p = acceptDialogParam(dialog, lParam);
        inside(dialog, p.ctx, p.value);
        EndDialog(dialog, 5);
    }
    return 0;
}

struct DialogFieldsTest : ::testing::Test {
    DialogFieldsTest()
    {
        fieldsTemplate();
        setMessageSink([this](const AddonMessage& m) { boxes.push_back(m.caption + ": " + m.text); });
        ctx.editorWindow = editor;
    }
    ~DialogFieldsTest() override
    {
        setMessageSink({});
        DestroyWindow(editor);
    }
    void run(std::function<void(HWND)> step)
    {
        inside = [&](HWND dialog, HtmlCtx*, LPARAM) { step(dialog); };
        CallDialogBox(&ctx, "FieldsParam", fieldsProc, 0);
    }
    test::DialogControls controls;
    HWND editor = win::createChildWindow("Static", "", 0, {}, nullptr, 0);
    HtmlCtx ctx;
    std::vector<std::string> boxes;
};

}

TEST_F(DialogFieldsTest, TheDialogGetsTheContextAndValueAndTheEditorGetsTheFocusBack)
{
    HtmlCtx* seen = nullptr;
    LPARAM value = 0;
    HWND owner = nullptr;
    inside = [&](HWND dialog, HtmlCtx* c, LPARAM v) {
        seen = c;
        value = v;
        owner = GetParent(dialog);
        EXPECT_EQ(dialogContext(dialog), &ctx);
        SetFocus(GetDlgItem(dialog, kField));
    };
    EXPECT_EQ(CallDialogBox(&ctx, "FieldsParam", fieldsProc, 42), 5);
    EXPECT_EQ(seen, &ctx);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(owner, editor);
    EXPECT_EQ(GetFocus(), editor);
    EXPECT_EQ(CallDialogBox(&ctx, "NoSuchDialog", fieldsProc, 0), -1);
}

TEST_F(DialogFieldsTest, WholeNumbersPassAndAnythingElseIsRefusedOverTheDialog)
{
    run([&](HWND dialog) {
        unsigned n = 9;
        SetDlgItemText(dialog, kField, "   ");
        EXPECT_EQ(CheckDlgInt(dialog, kField, &n), 1);
        EXPECT_EQ(n, 0u) << "blank is 0";
        SetDlgItemNumber(dialog, kField, 1234);
        EXPECT_EQ(CheckDlgInt(dialog, kField, &n), 1);
        EXPECT_EQ(n, 1234u);
        EXPECT_TRUE(boxes.empty());
        SetDlgItemText(dialog, kField, "12 apples");
        EXPECT_EQ(CheckDlgInt(dialog, kField, &n), 0);
        EXPECT_EQ(n, 1234u) << "a refused number leaves the old value";
        SetDlgItemText(dialog, kField, "-3");
        EXPECT_EQ(CheckDlgInt(dialog, kField, &n), 0) << "unsigned";
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kField));
        SetDlgItemNumber(dialog, kField, -7);
        EXPECT_EQ(GetDlgItemInt(dialog, kField, nullptr, true), unsigned(-7));
    });
    EXPECT_EQ(boxes, (std::vector<std::string>(2, "Please reenter: Invalid value")));
}

TEST_F(DialogFieldsTest, RangeChecksOfIntegersAndRealNumbers)
{
    struct Case {
        char kind;
        const char* text;
        double minimum, maximum;
        int passes;
    };
    const Case cases[] = {
        {'I', "", 0, 10, 1},        {'I', "", 1, 10, 0},       {'I', "10", 1, 10, 1},  {'I', "11", 1, 10, 0},
        {'I', "5x", 0, 10, 0},      {'R', "2.5cm", 2.5, 3, 1}, {'R', "2.49", 2.5, 3, 0}, {'R', "abc", 0, 1, 1},
        {'R', "-1.5", -2, -1, 1},   {'R', " .5", 0.4, 0.6, 1},
    };
    run([&](HWND dialog) {
        for (const Case& c : cases) {
            SetDlgItemText(dialog, kField, c.text);
            EXPECT_EQ(CheckDlgValue(dialog, c.kind, kField, c.minimum, c.maximum), c.passes)
                << c.kind << " \"" << c.text << "\"";
        }
    });
    EXPECT_EQ(boxes, (std::vector<std::string>(4, ": Invalid value or value out of range")));
}

TEST_F(DialogFieldsTest, ListEntriesKeepTheirDataAndAMissingListIsReported)
{
    run([&](HWND dialog) {
        EXPECT_EQ(AddListItem(dialog, kList, "Body Text", 0), 1);
        EXPECT_EQ(AddListItem(dialog, kList, "Header 1", 1), 1);
        EXPECT_EQ(SendDlgItemMessage(dialog, kList, LB_GETITEMDATA, 1, 0), 1);
        EXPECT_EQ(SendDlgItemMessage(dialog, kList, LB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(AddListItem(dialog, 999, "lost", 3), 0);
    });
    EXPECT_EQ(boxes, (std::vector<std::string>{": Error adding string to listbox"}));
}
