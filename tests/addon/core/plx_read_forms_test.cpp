// Forms read from a page: form and field records, each visible field's control in the
// text, and the limits of the tables.
#include "read_fixture.h"

#include "addon/core/field_control.h"
#include "addon/core/field_records.h"
#include "addon/core/vek_callback.h"
#include "platform/win/window_handle.h"
#include "tests/support/temp_dir.h"

#include <string>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxReadTest;

namespace {

class PlxReadFormTest : public PlxReadTest {
protected:
    FieldRecord& field(int i) { return ctx().fields[i]; }
    std::shared_ptr<win::Window> control(int i) { return win::findWindow(FieldControl(ctx(), field(i))); }
    std::string value(int i) { return field(i).value ? static_cast<const char*>(field(i).value) : ""; }
    FieldOption& option(int f, int i) { return static_cast<FieldOption*>(field(f).value)[i]; }
    int width(int i) { return control(i)->rect().right - control(i)->rect().left; }
    int height(int i) { return control(i)->rect().bottom - control(i)->rect().top; }
};

}

TEST_F(PlxReadFormTest, FieldsBecomeRecordsAndControlsInTheText)
{
    read("<form method=get action=\"/cgi-bin/find\">Name <input name=who size=20 maxlength=30 value=\"Ann Lee\">"
         "<input type=password name=pw><input type=checkbox name=c value=yes checked>"
         "<input type=radio name=r value=a><input type=radio name=r value=b checked>"
         "<input type=hidden name=h value=42><input type=submit><input type=reset value=Again></form>"
         "<form action=two><textarea name=msg rows=2 cols=10>line one\r\nline &lt;two&gt;</textarea>"
         "<select name=s><option value=1>first<option selected>second</select>"
         "<select name=m multiple><option>x<option selected>y</select></form>after");
    HtmlCtx& c = ctx();
    ASSERT_EQ(c.formCount, 2);
    EXPECT_EQ(c.forms[0].method, 0);
    EXPECT_STREQ(c.forms[0].action, "/cgi-bin/find");
    EXPECT_EQ(c.forms[1].method, 1) << "anything but GET posts";
    ASSERT_EQ(c.fieldCount, 11);
    const int types[] = {kFieldText, kFieldPassword, kFieldCheckBox, kFieldRadio, kFieldRadio, kFieldHidden,
                         kFieldSubmit, kFieldReset, kFieldTextArea, kFieldSelect, kFieldSelect};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(field(i).type, types[i]) << i;
        EXPECT_EQ(field(i).controlId, kFirstFieldId + i) << "ids in the order of the page";
        EXPECT_EQ(field(i).form, i < 8 ? 0 : 1);
    }
    EXPECT_STREQ(field(0).name, "who");
    EXPECT_EQ(value(0), "Ann Lee");
    EXPECT_EQ(field(0).size, 20);
    EXPECT_EQ(field(0).maxLength, 30);
    EXPECT_EQ(field(1).size, 40) << "the default size";
    EXPECT_EQ(field(2).checked, 1);
    EXPECT_EQ(field(3).checked, 0);
    EXPECT_EQ(field(4).checked, 1);
    EXPECT_EQ(value(5), "42");
    EXPECT_EQ(field(8).rows, 2);
    EXPECT_EQ(field(8).columns, 10);
    EXPECT_EQ(value(8), "line one line <two>") << "a text area's text is its value";
    EXPECT_EQ(field(9).checked, 1) << "two options";
    EXPECT_STREQ(option(9, 0).display, "first");
    EXPECT_STREQ(option(9, 0).value, "1");
    EXPECT_EQ(option(9, 1).selected, 1);
    EXPECT_EQ(option(9, 1).value, nullptr);
    EXPECT_EQ(field(10).multiple, 1);
    EXPECT_EQ(field(10).size, 5);

    EXPECT_EQ(text(), "Name #######|###|after") << "every field but the hidden one stands in the text";
    EXPECT_EQ(props(lineOf("Name")).word & 0x1000, 0x1000) << "form text";
    EXPECT_EQ(props(lineOf("after")).word & 0x1000, 0);

    EXPECT_EQ(control(5), nullptr);
    const char* classes[] = {"Edit", "Edit", "Button", "Button", "Button", nullptr, "Button", "Button", "Edit",
                             "ComboBox", "ListBox"};
    const unsigned styles[] = {0x800080, 0x8000A0, 3, 4, 4, 0, 0, 0, 0xA00004, 0xA00043, 0xA00009};
    for (int i = 0; i < 11; ++i) {
        if (!classes[i])
            continue;
        ASSERT_NE(control(i), nullptr) << i;
        EXPECT_EQ(control(i)->className(), classes[i]) << i;
        EXPECT_EQ(control(i)->style() & ~0x40000000u, styles[i]) << i;
    }
    EXPECT_EQ(control(0)->text(), "Ann Lee");
    EXPECT_EQ(control(6)->text(), "Submit");
    EXPECT_EQ(control(7)->text(), "Again");
    EXPECT_EQ(control(8)->text(), "line one line <two>");
}

TEST_F(PlxReadFormTest, ControlsAreSizedFromTheCharacterCell)
{
    read("<form><input size=20><input type=submit><input type=radio name=r>"
         "<select><option>a much longer option<option>b</select><select></select>"
         "<select size=3><option>x</select><textarea rows=4 cols=30></textarea></form>");
    const int w = ctx().charWidth, h = ctx().charHeight;
    EXPECT_EQ(width(0), w * 23) << "a text line of size 20";
    EXPECT_EQ(height(0), h * 7 / 4);
    EXPECT_EQ(width(1), w * 9) << "a submit button without a value";
    EXPECT_EQ(width(2), h);
    EXPECT_EQ(width(3), w * (20 + 3)) << "the longest option";
    EXPECT_EQ(width(4), w * 18) << "a list without options";
    EXPECT_EQ(height(5), h * 5);
    EXPECT_EQ(width(6), w * 33);
    EXPECT_EQ(height(6), h * 5);
}

TEST_F(PlxReadFormTest, RadioButtonsOfANameSettleOnOneChecked)
{
    read("<form><input type=radio name=a checked><input type=radio name=A checked>"
         "<input type=radio name=lone><input type=radio name=b><input type=radio name=b></form>");
    EXPECT_EQ(field(0).checked, 0) << "a later checked button of the name unchecks it";
    EXPECT_EQ(field(1).checked, 1);
    EXPECT_EQ(field(2).checked, 1) << "the only button of a name is checked";
    EXPECT_EQ(field(3).checked, 1);
    EXPECT_EQ(field(4).checked, 0);
}

TEST_F(PlxReadFormTest, FieldsOutsideFormsAreNotMade)
{
    read("<input name=x><select><option>o</select>text<textarea>t</textarea>");
    EXPECT_EQ(ctx().fieldCount, 0);
    EXPECT_EQ(text(), "otextt");
}

// What "noframes" holds is thrown away, its fields and pictures with its text: a field kept
// there had no paragraph end and no form, and read back outside any form it was lost.
TEST_F(PlxReadFormTest, FieldsAndPicturesInNoFramesAreThrownAwayWithItsText)
{
    ASSERT_EQ(read("<form><noframes>t<select name=s><option>o</select><input name=i><img src=x.gif></noframes></form>P"), 1);
    EXPECT_EQ(text().find_first_of("#ot"), std::string::npos) << text();
    const std::string saved = written();
    for (const char* tag : {"<select", "<input", "<img"})
        EXPECT_EQ(saved.find(tag), std::string::npos) << saved;
}

TEST_F(PlxReadFormTest, TheTablesLimitsAreKeptAndTheRestOfThePageRead)
{
    std::string page;
    for (int f = 0; f < 30; ++f)
        page += "<form action=f" + std::to_string(f) + "><input name=i" + std::to_string(f) + "></form>";
    page += "<form>";
    for (int i = 0; i < 250; ++i)
        page += "<input type=hidden name=h" + std::to_string(i) + ">";
    page += "</form>last words";
    EXPECT_EQ(read(page), 1);
    EXPECT_EQ(ctx().formCount, kFormCount);
    EXPECT_STREQ(ctx().forms[24].action, "f24");
    EXPECT_EQ(ctx().fieldCount, 25) << "a form past the 25th gets no fields";
    EXPECT_NE(lineOf("last words"), -1);

    EditorDestroyWindow(hWnd);
    hWnd = newEditor();
    ASSERT_EQ(PlxInitialize(hWnd, hostWnd), 1);
    page = "<form>";
    for (int i = 0; i < 250; ++i)
        page += "<input type=hidden name=h" + std::to_string(i) + ">";
    read(page + "</form>end");
    EXPECT_EQ(ctx().fieldCount, kFieldCount);
    EXPECT_STREQ(field(kFieldCount - 1).name, "h199");
    EXPECT_NE(lineOf("end"), -1);
}

TEST_F(PlxReadFormTest, LongNamesAreCutAndHugeTextAreasBounded)
{
    std::string name(100, 'n'), action(150, 'a');
    read("<form action=" + action + "><input name=" + name + "><textarea rows=99999999 cols=99999999>" +
         std::string(200, 'x') + "</textarea></form>");
    EXPECT_EQ(std::string(ctx().forms[0].action), std::string(99, 'a'));
    EXPECT_EQ(std::string(field(0).name), std::string(59, 'n'));
    EXPECT_LE(field(1).rows, 500);
    EXPECT_LE(field(1).columns, 500);
    EXPECT_EQ(value(1), std::string(200, 'x'));

    read("<form><textarea rows=1 cols=3>abcdefghij</textarea></form>");
    EXPECT_EQ(value(2), "abcd") << "at most rows x columns + 1 characters";
}

TEST_F(PlxReadFormTest, OptionListsGrowByFifty)
{
    std::string page = "<form><select name=big>";
    for (int i = 0; i < 51; ++i)
        page += "<option>o" + std::to_string(i);
    read(page + "</select></form>");
    EXPECT_EQ(field(0).checked, 50);
    EXPECT_EQ(field(0).optionCapacity, 100);
    EXPECT_STREQ(option(0, 50).display, "o50");
}

// A block tag inside a list left open is passed over, in a form as outside one: its
// paragraph end went into the list and was lost, and the text before the list took the
// block's type (a header's, written as a header and read back bold). A field begun in the
// list ends it, and the list keeps its control.
TEST_F(PlxReadFormTest, ABlockBegunInAnOpenListOfAFormIsPassedOver)
{
    ASSERT_EQ(read("<form>a<select name=s><option>o<h2><input name=i></form>"), 1);
    EXPECT_EQ(ctx().fieldCount, 2);
    const std::string saved = written();
    EXPECT_EQ(saved.find("<h2"), std::string::npos) << saved;
    EXPECT_NE(saved.find("a<select name=s"), std::string::npos) << saved;
    // Each passed over takes no place among the reader's open elements: many of them leave
    // the rest of the page read.
    std::string many = "<form><select name=s><option>o";
    for (int i = 0; i < 150; ++i)
        many += "<h2>";
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read(many + "</select>after</form>"), 1);
    EXPECT_NE(text().find("after"), std::string::npos) << text();
}

TEST_F(PlxReadFormTest, AnImageFieldIsAPictureThatSubmits)
{
    test::TempDir dir;
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF,
                                 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    std::string path = dir.write("go.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif)).string();
    read("<form><input name=t><input type=image name=go src=" + path + "></form>");
    ASSERT_EQ(ctx().fieldCount, 2);
    EXPECT_EQ(field(1).type, kFieldImage);
    EXPECT_EQ(text(), "##|");
    char chars[301];
    std::uint16_t fonts[301];
    ASSERT_EQ(EditorGetLineChars(hWnd, 0, chars, fonts), 3);
    unsigned style = 0;
    int aux = 0;
    EditorGetFontData(hWnd, fonts[1], &style, nullptr, nullptr, &aux);
    EXPECT_EQ(style & 0x4080, 0x4080u) << "a picture that clicks like a link";
    EXPECT_EQ(aux, 1 + 2) << "field 1's picture";
}

TEST_F(PlxReadFormTest, AResetButtonPutsBackItsFormsInitialValues)
{
    read("<form><input name=a value=first><textarea name=t>area</textarea><input type=reset></form>"
         "<form><input name=b value=second></form>");
    SendMessage(FieldControl(ctx(), field(0)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    SendMessage(FieldControl(ctx(), field(1)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed too"));
    SendMessage(FieldControl(ctx(), field(3)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other form"));
    EXPECT_EQ(vekCallback(hWnd, WM_COMMAND, WPARAM(field(2).controlId), 0), 0);
    EXPECT_EQ(control(0)->text(), "first");
    EXPECT_EQ(control(1)->text(), "area");
    EXPECT_EQ(control(2)->text(), "Reset") << "the button keeps its label";
    EXPECT_EQ(control(3)->text(), "other form") << "another form's field is left alone";
    EXPECT_EQ(ctx().currentField, 2);
}

TEST_F(PlxReadFormTest, FieldsInsertedAtTheCaretTakeTheCaretsForm)
{
    EXPECT_EQ(GetCaretForm(&ctx(), true), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Must be positioned in a Form");
    EXPECT_EQ(ctx().lastError, 13);
    EXPECT_EQ(ctx().formCount, 1) << "the first form is made on demand";
    EXPECT_STREQ(ctx().forms[0].action, "empty");
    EXPECT_EQ(ctx().forms[0].method, 0);
    boxes.clear();

    read("<form action=a><input name=x></form><p>plain<form action=b>in <input name=y> form</form>");
    EditorMoveCaret(hWnd, lineOf("in "), 1, 0);
    EXPECT_EQ(GetCaretForm(&ctx(), true), 1);
    HtmlReader* state = nullptr;
    HtmlGroup* group = nullptr;
    FieldRecord* record = nullptr;
    ASSERT_EQ(NewFieldRecord(&ctx(), &state, &group, &record), 1);
    EXPECT_EQ(record, &field(2));
    EXPECT_EQ(record->form, 2) << "the form of the caret's form block (form 0 was made on demand)";
    EXPECT_EQ(record->controlId, kFirstFieldId + 2);
    EXPECT_EQ(group->reader, state);
    EXPECT_EQ(state->currentField, 2);
    FreeFieldState(state, group);

    EditorMoveCaret(hWnd, lineOf("plain"), 1, 0);
    EXPECT_EQ(GetCaretForm(&ctx(), false), 0);
    EXPECT_TRUE(boxes.empty()) << "no report when none is asked for";

    ctx().fieldCount = kFieldCount;
    EXPECT_EQ(NewFieldRecord(&ctx(), &state, &group, &record), 0) << "the 201st field is refused";
}
