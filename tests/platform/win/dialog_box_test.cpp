// Dialog boxes from templates: what the procedure hears, the controls by id, the
// number fields, check and radio buttons, disabled controls, and the scripted driver.
#include "platform/win/dialog_box.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace ks::win;

namespace {

constexpr int kName = 101, kCount = 102, kBold = 103, kLeft = 104, kCentre = 105, kRight = 106, kPick = 107,
              kList = 108, kNested = 109;

// A dialog that validates like the add-on's: a name is required, the count must be 1-9.
const DialogTemplate& sampleTemplate()
{
    static const DialogTemplate& t = registerDialogTemplate({
        "Sample", "Sample Parameters", 200, 120,
        {{ControlKind::Label, -1, "Name", 5, 5, 40, 10},
         {ControlKind::Edit, kName, "", 50, 5, 100, 12},
         {ControlKind::NumberEdit, kCount, "", 50, 20, 40, 12},
         {ControlKind::CheckBox, kBold, "Bold", 5, 35, 60, 10},
         {ControlKind::GroupBox, -1, "Alignment", 5, 50, 120, 30},
         {ControlKind::RadioButton, kLeft, "Left", 10, 60, 30, 10, true},
         {ControlKind::RadioButton, kCentre, "Center", 45, 60, 35, 10},
         {ControlKind::RadioButton, kRight, "Right", 85, 60, 30, 10},
         {ControlKind::PushButton, kPick, "Pick...", 130, 5, 50, 14, true},
         {ControlKind::ListBox, kList, "", 130, 25, 60, 40},
         {ControlKind::PushButton, kNested, "More...", 130, 70, 50, 14},
         {ControlKind::DefaultButton, IDOK, "OK", 40, 100, 50, 14},
         {ControlKind::PushButton, IDCANCEL, "Cancel", 100, 100, 50, 14}}});
    return t;
}

struct Values {
    std::string name;
    unsigned count = 1;
    bool bold = false;
    int alignment = kLeft;
    std::vector<std::string> heard;   // what the procedure was told, in order
    LPARAM initParam = 0;
    HWND initFocus = nullptr;
    bool ignoreCancel = false;
};

Values* valuesOf(HWND dialog) { return reinterpret_cast<Values*>(GetWindowLongPtr(dialog, DWLP_USER)); }

LRESULT sampleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT nestedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        EndDialog(dialog, LOWORD(wParam) == IDOK ? 7 : 0);
    return message == WM_INITDIALOG;
}

bool store(HWND dialog, Values& v)
{
    char name[64];
    GetDlgItemText(dialog, kName, name, sizeof name);
    bool number = false;
    unsigned count = GetDlgItemInt(dialog, kCount, &number, false);
    if (!*name || !number || count < 1 || count > 9) {
        MessageBeep(0);
        SetFocus(GetDlgItem(dialog, *name ? kCount : kName));
        return false;
    }
    v.name = name;
    v.count = count;
    v.bold = IsDlgButtonChecked(dialog, kBold) == BST_CHECKED;
    for (int id : {kLeft, kCentre, kRight})
        if (IsDlgButtonChecked(dialog, id))
            v.alignment = id;
    return true;
}

void command(HWND dialog, Values& v, int id, unsigned code)
{
    v.heard.push_back(std::to_string(id) + ":" + std::to_string(code));
    if (id == IDOK && store(dialog, v))
        EndDialog(dialog, 1);
    else if (id == IDCANCEL && !v.ignoreCancel)
        EndDialog(dialog, 0);
    else if (id == kPick)
        SetDlgItemText(dialog, kName, "picked");
    else if (id == kNested)
        SetDlgItemInt(dialog, kCount, unsigned(DialogBoxParam("Nested", dialog, nestedProc, 0)), false);
    else if (id == kList && code == LBN_DBLCLK)
        EndDialog(dialog, 100 + SendDlgItemMessage(dialog, kList, LB_GETITEMDATA,
                                                   WPARAM(SendDlgItemMessage(dialog, kList, LB_GETCURSEL, 0, 0)), 0));
}

LRESULT sampleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* v = reinterpret_cast<Values*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        v->initParam = lParam;
        v->initFocus = reinterpret_cast<HWND>(wParam);
        SetDlgItemText(dialog, kName, v->name.c_str());
        SetDlgItemInt(dialog, kCount, v->count, false);
        CheckDlgButton(dialog, kBold, v->bold ? BST_CHECKED : BST_UNCHECKED);
        CheckRadioButton(dialog, kLeft, kRight, v->alignment);
        for (const char* entry : {"one", "two", "three"}) {
            auto at = WPARAM(SendDlgItemMessage(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry)));
            SendDlgItemMessage(dialog, kList, LB_SETITEMDATA, at, LPARAM(at + 1));
        }
        EnableWindow(GetDlgItem(dialog, kBold), !v->name.empty());
        return 1;
    }
    if (message == WM_COMMAND)
        command(dialog, *valuesOf(dialog), int(LOWORD(wParam)), HIWORD(wParam));
    return 0;
}

struct DialogBoxTest : ::testing::Test {
    DialogBoxTest()
    {
        sampleTemplate();
        registerDialogTemplate({"Nested", "Nested", 100, 50,
                                {{ControlKind::DefaultButton, IDOK, "OK", 5, 30, 40, 14},
                                 {ControlKind::PushButton, IDCANCEL, "Cancel", 50, 30, 40, 14}}});
    }
    ks::test::DialogControls controls;
    Values values;
    LRESULT runSample() { return DialogBoxParam("sample", owner, sampleProc, reinterpret_cast<LPARAM>(&values)); }
    HWND owner = createChildWindow("Static", "", 0, {}, nullptr, 0);
};

}

TEST_F(DialogBoxTest, TheTemplateBecomesADialogWithItsControlsById)
{
    ScriptedDialogs script;
    values.name = "Ann";
    script.expect("Sample", [&](DialogUser& user) {
        EXPECT_EQ(user.title(), "Sample Parameters");
        EXPECT_EQ(GetParent(user.dialog()), owner);
        HWND name = user.item(kName);
        ASSERT_TRUE(name);
        EXPECT_EQ(findWindow(name)->className(), "Edit");
        EXPECT_EQ(findWindow(user.item(kBold))->className(), "Button");
        EXPECT_EQ(findWindow(user.item(kList))->className(), "ListBox");
        RECT place;
        ASSERT_TRUE(GetWindowRect(user.item(kCount), &place));
        EXPECT_EQ(place.left, 50);
        EXPECT_EQ(place.bottom, 32);
        EXPECT_EQ(user.text(kName), "Ann");
        EXPECT_EQ(user.text(kCount), "1");
        EXPECT_TRUE(user.checked(kLeft));
        EXPECT_FALSE(user.checked(kRight));
        EXPECT_EQ(user.listItems(kList), (std::vector<std::string>{"one", "two", "three"}));
        // The procedure returned TRUE: the first control that takes the keyboard has the focus.
        EXPECT_TRUE(user.focused(kName));
        EXPECT_EQ(values.initFocus, user.item(kName));
        EXPECT_TRUE(user.cancel());
    });
    EXPECT_EQ(runSample(), 0);
    EXPECT_EQ(values.initParam, reinterpret_cast<LPARAM>(&values));
    EXPECT_TRUE(script.faults().empty());
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].title, "Sample Parameters");
}

TEST_F(DialogBoxTest, OkStoresWhatTheUserEnteredAndTheDialogGoesAway)
{
    ScriptedDialogs script;
    HWND dialog = nullptr;
    script.expect("Sample", [&](DialogUser& user) {
        dialog = user.dialog();
        EXPECT_TRUE(user.type(kName, "Bob"));
        EXPECT_TRUE(user.type(kCount, "  7 "));
        EXPECT_TRUE(user.click(kRight));
        EXPECT_TRUE(user.checked(kRight));
        EXPECT_FALSE(user.checked(kLeft));
        EXPECT_TRUE(user.ok());
        EXPECT_FALSE(user.open());
    });
    SetFocus(owner);
    EXPECT_EQ(runSample(), 1);
    EXPECT_EQ(values.name, "Bob");
    EXPECT_EQ(values.count, 7u);
    EXPECT_EQ(values.alignment, kRight);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(GetFocus(), owner);
    // Typing reached the procedure as the edit's change notification, clicks as BN_CLICKED.
    EXPECT_NE(std::find(values.heard.begin(), values.heard.end(), std::to_string(kName) + ":768"), values.heard.end());
    EXPECT_NE(std::find(values.heard.begin(), values.heard.end(), std::to_string(kRight) + ":0"), values.heard.end());
}

TEST_F(DialogBoxTest, BadInputBeepsKeepsTheDialogAndCancelChangesNothing)
{
    ScriptedDialogs script;
    values.name = "Ann";
    values.count = 3;
    script.expect("Sample", [&](DialogUser& user) {
        user.type(kCount, "12");
        EXPECT_TRUE(user.ok());
        EXPECT_TRUE(user.open());
        EXPECT_TRUE(user.focused(kCount));
        user.type(kCount, "4x");
        user.ok();
        user.type(kName, "");
        user.type(kCount, "4");
        user.ok();
        EXPECT_TRUE(user.focused(kName));
        EXPECT_TRUE(user.open());
        user.click(kBold);
        EXPECT_TRUE(user.cancel());
    });
    EXPECT_EQ(runSample(), 0);
    EXPECT_EQ(script.beeps(), 3);
    EXPECT_EQ(values.name, "Ann");
    EXPECT_EQ(values.count, 3u);
    EXPECT_FALSE(values.bold);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(DialogBoxTest, ADisabledControlCannotBeUsedAndItsProcedureHearsNothing)
{
    ScriptedDialogs script;
    script.expect("Sample", [&](DialogUser& user) {
        EXPECT_FALSE(user.enabled(kBold));
        std::size_t heard = values.heard.size();
        EXPECT_FALSE(user.click(kBold));
        EXPECT_FALSE(user.checked(kBold));
        EXPECT_EQ(values.heard.size(), heard);
        EnableWindow(user.item(kBold), true);
        EXPECT_TRUE(user.click(kBold));
        EXPECT_FALSE(user.type(kBold, "x"));   // a button takes no typing
        EXPECT_FALSE(user.click(999));         // nor is there such a control
        user.type(kName, "Cy");
        user.ok();
    });
    EXPECT_EQ(runSample(), 1);
    EXPECT_TRUE(values.bold);
}

TEST_F(DialogBoxTest, ListEntriesCarryTheirDataAndADoubleClickReachesTheProcedure)
{
    ScriptedDialogs script;
    script.expect("Sample", [](DialogUser& user) {
        EXPECT_FALSE(user.select(kList, 3));
        EXPECT_TRUE(user.doubleClick(kList, 1));
    });
    EXPECT_EQ(runSample(), 102);
}

TEST_F(DialogBoxTest, ADialogOpenedFromADialogIsScriptedInTurn)
{
    ScriptedDialogs script;
    script.expect("Sample", [](DialogUser& user) {
        user.click(kPick);
        EXPECT_EQ(user.text(kName), "picked");
        user.click(kNested);
        EXPECT_EQ(user.text(kCount), "7");
        user.ok();
    });
    script.expect("Nested", [](DialogUser& user) { user.ok(); });
    EXPECT_EQ(runSample(), 1);
    EXPECT_EQ(values.name, "picked");
    ASSERT_EQ(script.shown().size(), 2u);
    EXPECT_EQ(script.shown()[1].result, 7);
}

TEST_F(DialogBoxTest, TheDriverReportsDialogsNobodyExpectedLeftOpenOrNeverShown)
{
    values.ignoreCancel = true;
    {
        ScriptedDialogs script;
        script.expect("Sample", [](DialogUser&) {});
        script.expect("Nested", [](DialogUser&) {});
        EXPECT_EQ(runSample(), -1);   // left open: the dialog could not end
        EXPECT_EQ(runSample(), -1);   // not expected
        std::vector<std::string> faults = script.faults();
        ASSERT_EQ(faults.size(), 3u);
        EXPECT_NE(faults[0].find("left open"), std::string::npos);
        EXPECT_NE(faults[1].find("not expected"), std::string::npos);
        EXPECT_NE(faults[2].find("never shown"), std::string::npos);
    }
    // Without a runner a dialog is cancelled at once, as Esc would.
    values.ignoreCancel = false;
    EXPECT_EQ(runSample(), 0);
    EXPECT_EQ(values.heard.back(), "2:0");
}

TEST_F(DialogBoxTest, MissingTemplatesAndProceduresGiveMinusOne)
{
    EXPECT_EQ(DialogBoxParam("NoSuchDialog", owner, sampleProc, 0), -1);
    EXPECT_EQ(DialogBoxParam(nullptr, owner, sampleProc, 0), -1);
    EXPECT_EQ(DialogBoxParam("Sample", owner, nullptr, 0), -1);
    EXPECT_FALSE(EndDialog(owner, 1));   // not a dialog
    EXPECT_EQ(GetDlgItem(owner, kName), nullptr);
    char text[8] = "kept";
    EXPECT_EQ(GetDlgItemText(owner, kName, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");
}

TEST_F(DialogBoxTest, NumbersAreReadWholeOrNotAtAll)
{
    struct Case {
        const char* text;
        bool isSigned;
        bool translated;
        unsigned value;
    };
    const Case cases[] = {
        {" 42 ", false, true, 42},      {"-5", true, true, unsigned(-5)}, {"-5", false, false, 0},
        {"+5", true, true, 5},          {"4x", false, false, 0},          {"", false, false, 0},
        {" ", true, false, 0},          {"4294967295", false, true, 4294967295u},
        {"4294967296", false, false, 0}, {"2147483648", true, false, 0},  {"-2147483648", true, true, 0x80000000u},
        {"99999999999999999999999", false, false, 0},
    };
    ScriptedDialogs script;
    script.expect("Sample", [&](DialogUser& user) {
        for (const Case& c : cases) {
            SetDlgItemText(user.dialog(), kCount, c.text);
            bool translated = !c.translated;
            EXPECT_EQ(GetDlgItemInt(user.dialog(), kCount, &translated, c.isSigned), c.value) << c.text;
            EXPECT_EQ(translated, c.translated) << c.text;
        }
        SetDlgItemInt(user.dialog(), kCount, unsigned(-12), true);
        EXPECT_EQ(user.text(kCount), "-12");
        SetDlgItemInt(user.dialog(), kCount, unsigned(-12), false);
        EXPECT_EQ(user.text(kCount), "4294967284");
        user.cancel();
    });
    runSample();
}

TEST_F(DialogBoxTest, DialogDataBelongsToEachDialog)
{
    ScriptedDialogs script;
    script.expect("Sample", [&](DialogUser& user) {
        EXPECT_EQ(valuesOf(user.dialog()), &values);
        EXPECT_EQ(SetWindowLongPtr(user.dialog(), GWLP_USERDATA, 5), 0);
        EXPECT_EQ(GetWindowLongPtr(user.dialog(), GWLP_USERDATA), 5);
        EXPECT_EQ(GetWindowLongPtr(user.dialog(), DWLP_USER), reinterpret_cast<LONG_PTR>(&values));
        EXPECT_EQ(GetWindowLongPtr(owner, DWLP_USER), 0);
        user.cancel();
    });
    runSample();
}
