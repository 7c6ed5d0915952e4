// Forms a host builds at the caret: form text, every kind of field through the exports and
// their dialogs, the options of selection lists, and form records; written and read back.
#include "write_fixture.h"

#include "addon/core/field_control.h"
#include "addon/core/form_dialogs.h"
#include "addon/core/picture_edit.h"
#include "addon/base/dialog_fields.h"
#include "platform/win/scripted_dialogs.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/temp_dir.h"

#include <QImage>

#include <cstring>
#include <fstream>
#include <sstream>
#include <tuple>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxWriteTest;

namespace {

constexpr int kInForm = 0x1000;
const char kOutOfRange[] = "Invalid value or value out of range";

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class PlxFormEditTest : public PlxWriteTest {
protected:
    void SetUp() override
    {
        PlxWriteTest::SetUp();
        type("Order: ");
    }
    // The caret paragraph becomes form text.
    void formText() { ASSERT_EQ(PlxSetForm(hWnd, 1, 0), 1); }
    FieldRecord& field(int i) { return ctx().fields[i]; }
    std::string valueOf(const FieldRecord& f) { return f.value ? static_cast<const char*>(f.value) : ""; }
    std::vector<std::string> options(const FieldRecord& f)
    {
        std::vector<std::string> all;
        auto* o = static_cast<const FieldOption*>(f.value);
        for (int i = 0; o && i <= f.checked; ++i)
            all.push_back(std::string(o[i].selected ? "*" : "") + o[i].display + (o[i].value ? "=" + std::string(o[i].value) : ""));
        return all;
    }
    HWND control(const FieldRecord& f) { return FieldControl(ctx(), f); }
    int forms(int count)
    {
        for (int i = ctx().formCount; i < count; ++i)
            EXPECT_EQ(PlxEditFormId(hWnd, 1, 0, i % 2, ("/cgi/" + std::to_string(i)).c_str(), 0), i);
        return ctx().formCount;
    }
    test::DialogControls controls;
    win::ScriptedDialogs script;
};

}

TEST_F(PlxFormEditTest, SelectedParagraphsBecomeFormTextAndPlainAgain)
{
    type("\r\nsecond\r\nthird");
    EditorSelectRange(hWnd, 2, EditorLineColToPos(hWnd, 1, 3));
    ASSERT_EQ(PlxSetForm(hWnd, 1, 1), 1);
    for (int line : {0, 1}) {
        EXPECT_EQ(typeWord(line) & kInForm, kInForm) << line;
        EXPECT_EQ(props(line).rule, 7400) << "form text shows beside its margin";
    }
    EXPECT_EQ(typeWord(2) & kInForm, 0);
    EditorMoveCaret(hWnd, 1, 0, 0);
    ASSERT_EQ(PlxSetForm(hWnd, 0, 0), 1);
    EXPECT_EQ(typeWord(1) & kInForm, 0);
    EXPECT_EQ(props(1).rule, 0);
    EXPECT_EQ(typeWord(0) & kInForm, kInForm);
    EXPECT_EQ(PlxSetForm(nullptr, 1, 0), 0);
    expectNotInitialized("no window");
}

TEST_F(PlxFormEditTest, FieldsGoOnlyIntoFormTextAndTheFirstMakesTheFirstForm)
{
    EXPECT_EQ(PlxInsertTextField(hWnd, "user", 0, 20, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Must be positioned in a Form"});
    EXPECT_EQ(ctx().lastError, 13);
    EXPECT_EQ(ctx().fieldCount, 0);
    formText();
    EXPECT_EQ(PlxInsertTextField(hWnd, "user", 0, 0, 0, 0, nullptr, 0), 0) << "no columns";
    EXPECT_EQ(PlxInsertTextField(hWnd, "notes", 4, 20, 0, 1, nullptr, 0), 0) << "a text area of one row";
    EXPECT_EQ(PlxInsertTextField(hWnd, "user", 9, 20, 0, 0, nullptr, 0), 0) << "not a text kind";
    EXPECT_EQ(PlxInsertButtonField(hWnd, "b", 4, 0, nullptr, 0), 0) << "not a button kind";
    EXPECT_EQ(ctx().fieldCount, 0);
    ASSERT_EQ(ctx().formCount, 1);
    EXPECT_STREQ(ctx().forms[0].action, "empty");
    EXPECT_EQ(ctx().forms[0].method, 0);

    EXPECT_EQ(PlxInsertTextField(hWnd, "user", 0, 20, 30, 0, "anna", 0), 2000);
    EXPECT_EQ(PlxInsertSelectField(hWnd, "one", 1, 1, 0), 2001);
    EXPECT_EQ(field(1).multiple, 0) << "a list of one visible item is a single choice";
    EXPECT_EQ(PlxInsertSelectField(hWnd, "many", 1, 40, 0), 2002);
    EXPECT_EQ(field(2).size, 20);
    EXPECT_EQ(field(2).multiple, 1);
    EXPECT_EQ(info().caretColumn, 10) << "each field an object at the caret";
    EXPECT_EQ(FieldControlText(control(field(0)), 50), "anna");
}

TEST_F(PlxFormEditTest, AFormOfEveryKindOfFieldIsWrittenAndReadBack)
{
    formText();
    ASSERT_EQ(PlxInsertTextField(hWnd, "user", 0, 20, 30, 0, "anna", 0), 2000);
    ASSERT_GT(PlxInsertTextField(hWnd, "pw", 7, 8, 0, 0, nullptr, 0), 0);
    ASSERT_GT(PlxInsertTextField(hWnd, "notes", 4, 30, 0, 3, "hello", 0), 0);
    ASSERT_GT(PlxInsertButtonField(hWnd, "size", 1, 1, "S", 0), 0);
    ASSERT_GT(PlxInsertButtonField(hWnd, "size", 1, 0, "M", 0), 0);
    ASSERT_GT(PlxInsertButtonField(hWnd, "news", 5, 1, "yes", 0), 0);
    int colour = PlxInsertSelectField(hWnd, "colour", 0, 1, 0);
    ASSERT_EQ(PlxAddSelectionItem(hWnd, colour, "red", "r", 0, 0), 1);
    ASSERT_EQ(PlxAddSelectionItem(hWnd, colour, "green", nullptr, 1, 0), 1);
    int days = PlxInsertSelectField(hWnd, "days", 1, 3, 0);
    for (const char* day : {"mon", "tue", "wed"})
        ASSERT_EQ(PlxAddSelectionItem(hWnd, days, day, nullptr, day[0] != 'm', 0), 1);
    ASSERT_GT(PlxInsertButtonField(hWnd, "go", 2, 0, "Send", 0), 0);
    ASSERT_GT(PlxInsertButtonField(hWnd, "clear", 3, 0, nullptr, 0), 0);
    test::TempDir dir;
    std::string png = (dir.path() / "go.png").string();
    ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(QString::fromStdString(png)));
    ASSERT_GT(PlxInsertPicture(hWnd, png.c_str(), 0, 0, 1, 0), 0);
    ASSERT_EQ(PlxEditFormId(hWnd, 0, 0, 1, "/cgi/order", 0), 0);
    ASSERT_EQ(ctx().fieldCount, 11);

    std::string page = (dir.path() / "order.htm").string(), again = (dir.path() / "again.htm").string();
    ASSERT_EQ(PlxWrite(hWnd, 0, page.c_str(), nullptr, nullptr, 0), 1);
    std::string html = fileText(page);
    for (const char* part : {"<form method=post action=/cgi/order>", "Order: <input name=user type=text size=20 maxlength=30 value=anna>",
                             "<textarea name=notes rows=3 cols=30>", "<select name=days multiple size=3>",
                             "<input name=go type=submit value=Send>", "<input type=image"})
        EXPECT_NE(html.find(part), std::string::npos) << part << " in\n" << html;

    HWND other = newEditor();
    ASSERT_EQ(PlxInitialize(other, hostWnd), 1);
    ASSERT_EQ(PlxRead(other, 0, page.c_str(), nullptr, 0, nullptr), 1);
    HtmlCtx& back = ctx(other);
    ASSERT_EQ(back.fieldCount, ctx().fieldCount) << html;
    ASSERT_EQ(back.formCount, 1);
    EXPECT_EQ(back.forms[0].method, 1);
    EXPECT_STREQ(back.forms[0].action, "/cgi/order");
    for (int i = 0; i < ctx().fieldCount; ++i) {
        const FieldRecord &a = field(i), &b = back.fields[i];
        ASSERT_EQ(b.type, a.type) << i;
        EXPECT_STREQ(b.name, a.name) << i;
        EXPECT_EQ(b.form, 0) << i;
        if (a.type == kFieldSelect) {
            EXPECT_EQ(options(b), options(a)) << a.name;
            EXPECT_EQ(b.multiple, a.multiple) << a.name;
        } else if (a.type == kFieldSubmit || a.type == kFieldReset) {
            EXPECT_EQ(FieldControlText(FieldControl(back, b), 50), FieldControlText(control(a), 50)) << "the label";
        } else if (a.type != kFieldImage) {
            EXPECT_EQ(valueOf(b), valueOf(a)) << a.name;
        }
        if (a.type == kFieldRadio || a.type == kFieldCheckBox) {
            EXPECT_EQ(b.checked, a.checked) << a.name;
        }
        if (a.type == kFieldText || a.type == kFieldPassword) {
            EXPECT_EQ(std::make_pair(b.size, b.maxLength), std::make_pair(a.size, a.maxLength)) << a.name;
        }
        if (a.type == kFieldTextArea) {
            EXPECT_EQ(std::make_pair(b.rows, b.columns), std::make_pair(a.rows, a.columns)) << a.name;
        }
    }
    EXPECT_EQ(options(field(6)), (std::vector<std::string>{"red=r", "*green"}));
    ASSERT_EQ(PlxWrite(other, 0, again.c_str(), nullptr, nullptr, 0), 1);
    EXPECT_EQ(fileText(again), html) << "written again the same";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlxFormEditTest, TheTextFieldDialogChecksItsNumbersAndOffersRowsOnlyForATextArea)
{
    formText();
    script.expect("TextFieldParam", [&](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Text Field Parameters");
        EXPECT_TRUE(user.focused(kDlgName));
        EXPECT_TRUE(user.checked(kDlgTextLine));
        EXPECT_EQ(user.text(kDlgColumns), "30");
        EXPECT_EQ(user.text(kDlgMaxColumns), "50");
        EXPECT_FALSE(user.enabled(kDlgRows));
        EXPECT_FALSE(user.enabled(kDlgRowsLabel));
        user.ok();
        EXPECT_TRUE(user.open()) << "no name";
        user.type(kDlgName, "notes");
        user.type(kDlgColumns, "0");
        user.ok();
        EXPECT_TRUE(user.open());
        EXPECT_TRUE(user.focused(kDlgColumns));
        user.type(kDlgColumns, "40");
        user.type(kDlgMaxColumns, "39");
        user.ok();
        EXPECT_TRUE(user.open()) << "fewer than the columns";
        user.type(kDlgMaxColumns, "");
        user.ok();
        EXPECT_TRUE(user.open()) << "an empty maximum is 0";
        user.type(kDlgMaxColumns, "60");
        user.click(kDlgTextArea);
        EXPECT_TRUE(user.enabled(kDlgRows));
        user.type(kDlgRows, "51");
        user.ok();
        EXPECT_TRUE(user.open());
        user.type(kDlgRows, "6");
        user.ok();
    });
    int id = PlxInsertTextField(hWnd, nullptr, 0, 0, 0, 0, "ignored", 0);
    ASSERT_EQ(id, 2000);
    EXPECT_EQ(script.beeps(), 1);
    EXPECT_EQ(boxes, std::vector<std::string>(4, kOutOfRange));
    const FieldRecord& f = field(0);
    EXPECT_EQ(f.type, kFieldTextArea);
    EXPECT_STREQ(f.name, "notes");
    EXPECT_EQ(std::make_tuple(f.columns, f.rows, f.maxLength), std::make_tuple(40, 6, 60));
    EXPECT_EQ(valueOf(f), "") << "a field from the dialog starts empty";

    script.expect("TextFieldParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.text(kDlgName), "") << "each field starts empty";
        user.type(kDlgName, "lost");
        user.cancel();
    });
    std::string before = body();
    EXPECT_EQ(PlxInsertTextField(hWnd, "", 0, 0, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(ctx().fieldCount, 1);
    EXPECT_EQ(body(), before);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFormEditTest, TheButtonDialogOffersCheckedOnlyForRadioButtonsAndCheckBoxes)
{
    formText();
    script.expect("ButtonFieldParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Button Field Parameters");
        EXPECT_TRUE(user.checked(kDlgRadio));
        EXPECT_TRUE(user.checked(kDlgChecked)) << "from the argument";
        EXPECT_TRUE(user.enabled(kDlgChecked));
        user.click(kDlgSubmit);
        EXPECT_FALSE(user.enabled(kDlgChecked));
        user.click(kDlgCheckBox);
        EXPECT_TRUE(user.enabled(kDlgChecked));
        user.click(kDlgSubmit);
        user.type(kDlgButtonText, "Send");
        user.ok();
        EXPECT_TRUE(user.open()) << "no name";
        user.type(kDlgName, "go");
        user.ok();
    });
    ASSERT_EQ(PlxInsertButtonField(hWnd, nullptr, 1, 1, nullptr, 0), 2000);
    EXPECT_EQ(field(0).type, kFieldSubmit);
    EXPECT_EQ(field(0).checked, 0) << "a submit button is never checked";
    EXPECT_EQ(valueOf(field(0)), "Send");
    EXPECT_EQ(FieldControlText(control(field(0)), 50), "Send");

    // An existing field shows its kind, which cannot change.
    PrepareExchange(ctx(), kFieldCheckBox, 1);
    script.expect("ButtonFieldParam", [](win::DialogUser& user) {
        EXPECT_TRUE(user.checked(kDlgCheckBox));
        for (int id : {kDlgRadio, kDlgCheckBox, kDlgSubmit, kDlgReset})
            EXPECT_FALSE(user.enabled(id)) << id;
        EXPECT_TRUE(user.checked(kDlgChecked));
        user.type(kDlgName, "news");
        user.ok();
    });
    EXPECT_EQ(CallDialogBox(&ctx(), "ButtonFieldParam", ButtonFieldParam, 0), 1);
    EXPECT_EQ(ctx().dialog.values[kValueA], kFieldCheckBox);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFormEditTest, SelectionListsTakeOptionsAtTheirSelectionOrEndAndLoseTheSelected)
{
    formText();
    script.expect("SelectFieldParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Select Field Parameters");
        EXPECT_EQ(user.text(kDlgItems), "4");
        EXPECT_FALSE(user.checked(kDlgMultiple));
        user.type(kDlgName, "pick");
        user.type(kDlgItems, "21");
        user.ok();
        EXPECT_TRUE(user.open());
        user.type(kDlgItems, "3");
        user.ok();
    });
    int list = PlxInsertSelectField(hWnd, nullptr, 1, 9, 0);
    ASSERT_EQ(list, 2000);
    EXPECT_EQ(boxes, std::vector<std::string>{kOutOfRange});
    FieldRecord& f = field(0);
    EXPECT_EQ(std::make_pair(f.size, f.multiple), std::make_pair(3, 0));

    script.expect("AddSelectionItem", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Add Selection Item");
        EXPECT_TRUE(user.checked(kDlgItemInsert));
        EXPECT_FALSE(user.checked(kDlgItemSelected));
        user.ok();
        EXPECT_TRUE(user.open()) << "no item";
        EXPECT_TRUE(user.focused(kDlgItemText));
        user.type(kDlgItemText, "one");
        user.type(kDlgItemValue, "1");
        user.ok();
    });
    EditorMoveCaret(hWnd, 0, 7, 0);
    ASSERT_EQ(info().fieldControlId, list) << "the caret stands on the list";
    ASSERT_EQ(PlxAddSelectionItem(hWnd, -1, nullptr, nullptr, 0, 0), 1);
    ASSERT_EQ(PlxAddSelectionItem(hWnd, list, "three", "", 1, 0), 1);
    ASSERT_EQ(PlxAddSelectionItem(hWnd, list, "two", nullptr, 0, 1), 1) << "inserted at the selection";
    EXPECT_EQ(options(f), (std::vector<std::string>{"one=1", "two", "*three="}));
    HWND box = control(f);
    EXPECT_EQ(SendMessage(box, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(box, LB_GETCURSEL, 0, 0), 2) << "the selection stays on its option";
    ASSERT_EQ(PlxDelSelectionItem(hWnd, list), 1);
    EXPECT_EQ(options(f), (std::vector<std::string>{"one=1", "two"}));
    EXPECT_EQ(SendMessage(box, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ctx().fieldCount, 1);

    int many = PlxInsertSelectField(hWnd, "many", 1, 4, 0);
    for (int i = 0; i < 51; ++i)
        ASSERT_EQ(PlxAddSelectionItem(hWnd, many, ("o" + std::to_string(i)).c_str(), nullptr, i % 10 == 0, 0), 1);
    FieldRecord& m = field(1);
    EXPECT_EQ(m.optionCapacity, 100) << "grown by 50 for the 51st";
    EXPECT_EQ(m.checked, 50);
    ASSERT_EQ(PlxDelSelectionItem(hWnd, many), 1);
    EXPECT_EQ(m.checked, 44) << "every selected option of a multiple list goes";
    EXPECT_EQ(SendMessage(control(m), LB_GETCOUNT, 0, 0), 45);
    EXPECT_EQ(options(m)[0], "o1");

    EXPECT_EQ(PlxAddSelectionItem(hWnd, 2999, "x", nullptr, 0, 0), 0) << "no such field";
    int text = PlxInsertTextField(hWnd, "t", 0, 5, 0, 0, nullptr, 0);
    EXPECT_EQ(PlxAddSelectionItem(hWnd, text, "x", nullptr, 0, 0), 0) << "not a list";
    EXPECT_EQ(PlxDelSelectionItem(hWnd, text), 0);
    script.expect("AddSelectionItem", [](win::DialogUser& user) { user.cancel(); });
    EXPECT_EQ(PlxAddSelectionItem(hWnd, list, "", nullptr, 0, 0), 0);
    EXPECT_EQ(options(f).size(), 2u);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFormEditTest, FormRecordsAreMadeAndChangedWithOrWithoutTheirDialogs)
{
    EXPECT_EQ(PlxEditFormId(hWnd, 1, 0, 1, "", 0), -1) << "an empty action";
    EXPECT_EQ(ctx().formCount, 0);
    script.expect("FormListParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Form Id Display");
        EXPECT_FALSE(user.enabled(kDlgFormList));
        EXPECT_FALSE(user.enabled(kDlgFormProperties));
        EXPECT_TRUE(user.focused(kDlgFormNew));
        user.click(kDlgFormNew);
    });
    script.expect("FormEditParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Form Id Parameters");
        EXPECT_EQ(user.text(kDlgFormId), "0");
        EXPECT_TRUE(user.checked(kDlgFormPost)) << "a new form posts";
        user.ok();
        EXPECT_TRUE(user.open()) << "no action";
        user.type(kDlgFormAction, "/cgi/first");
        user.ok();
    });
    ASSERT_EQ(PlxEditFormId(hWnd, 0, 0, 0, nullptr, 1), 0);
    EXPECT_EQ(ctx().forms[0].method, 1);
    EXPECT_STREQ(ctx().forms[0].action, "/cgi/first");

    ASSERT_EQ(forms(12), 12);
    script.expect("FormListParam", [](win::DialogUser& user) {
        auto items = user.listItems(kDlgFormList);
        ASSERT_EQ(items.size(), 12u);
        EXPECT_EQ(items[0], "Id: 0, Method: Post, Action: /cgi/first");
        EXPECT_EQ(items[10], "Id: 10, Method: Get, Action: /cgi/10");
        EXPECT_EQ(user.listSelection(kDlgFormList), 0);
        user.select(kDlgFormList, 10);
        user.click(kDlgFormProperties);
    });
    script.expect("FormEditParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.text(kDlgFormId), "10");
        EXPECT_TRUE(user.checked(kDlgFormGet)) << "as the form has it";
        EXPECT_EQ(user.text(kDlgFormAction), "/cgi/10");
        user.click(kDlgFormPost);
        user.type(kDlgFormAction, "/cgi/ten");
        user.ok();
    });
    EXPECT_EQ(PlxEditFormId(hWnd, 0, 0, 0, nullptr, 1), 10);
    EXPECT_EQ(ctx().forms[10].method, 1);
    EXPECT_STREQ(ctx().forms[10].action, "/cgi/ten");

    script.expect("FormListParam", [](win::DialogUser& user) { user.doubleClick(kDlgFormList, 3); });
    script.expect("FormEditParam", [](win::DialogUser& user) {
        user.type(kDlgFormAction, "/lost");
        user.cancel();
    });
    EXPECT_EQ(PlxEditFormId(hWnd, 0, 0, 0, nullptr, 1), -1);
    script.expect("FormListParam", [](win::DialogUser& user) { user.cancel(); });
    EXPECT_EQ(PlxEditFormId(hWnd, 0, 0, 0, nullptr, 1), -1);
    EXPECT_STREQ(ctx().forms[3].action, "/cgi/3");

    EXPECT_EQ(PlxEditFormId(hWnd, 0, 4, 7, std::string(150, 'a').c_str(), 0), 4);
    EXPECT_EQ(ctx().forms[4].method, 0) << "a method other than 1 is GET";
    EXPECT_EQ(std::strlen(ctx().forms[4].action), 99u);
    EXPECT_EQ(PlxEditFormId(hWnd, 0, 12, 1, "/x", 0), -1) << "no form 12";
    EXPECT_EQ(forms(25), 25);
    EXPECT_EQ(PlxEditFormId(hWnd, 1, 0, 1, "/x", 0), -1) << "the table holds 25 forms";
    script.expect("FormListParam", [](win::DialogUser& user) { user.click(kDlgFormNew); });
    EXPECT_EQ(PlxEditFormId(hWnd, 0, 0, 0, nullptr, 1), -1) << "no form is asked for a full table";
    EXPECT_EQ(ctx().formCount, 25);
    EXPECT_TRUE(script.faults().empty());
}

TEST_F(PlxFormEditTest, ABlockOfFormTextIsGivenToAForm)
{
    formText();
    EXPECT_EQ(PlxSetFormId(hWnd, 0), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Form Table Empty!"});
    boxes.clear();
    forms(3);
    EXPECT_EQ(PlxSetFormId(hWnd, 1), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Current Form Empty! The form must have atleast one field"});
    EXPECT_EQ(ctx().lastError, 13);
    boxes.clear();
    ASSERT_EQ(PlxInsertTextField(hWnd, "user", 0, 10, 0, 0, nullptr, 0), 2000);
    ASSERT_EQ(PlxSetFormId(hWnd, 2), 1);
    EXPECT_EQ(field(0).form, 2);
    EXPECT_EQ(PlxSetFormId(hWnd, 3), 0) << "no form 3";
    EXPECT_EQ(field(0).form, 2);

    script.expect("SetFormParam", [](win::DialogUser& user) {
        EXPECT_EQ(user.title(), "Form Id Selection");
        EXPECT_EQ(user.listSelection(kDlgFormList), 2) << "the block's form";
        user.doubleClick(kDlgFormList, 1);
    });
    ASSERT_EQ(PlxSetFormId(hWnd, -1), 1);
    EXPECT_EQ(field(0).form, 1);
    EXPECT_NE(body().find("<form method=post action=/cgi/1>"), std::string::npos) << body();
    script.expect("SetFormParam", [](win::DialogUser& user) {
        user.select(kDlgFormList, 0);
        user.cancel();
    });
    EXPECT_EQ(PlxSetFormId(hWnd, -1), 0);
    EXPECT_EQ(field(0).form, 1);

    type("\r\nafter");
    ASSERT_EQ(PlxSetForm(hWnd, 0, 0), 1);
    EXPECT_EQ(PlxSetFormId(hWnd, 0), 0) << "the caret is not in form text";
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(script.faults().empty());
}
