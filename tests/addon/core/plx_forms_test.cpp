// Forms in a page: every kind of field written from what its control shows, and the
// read-outs a host takes the user's entries from.
#include "write_fixture.h"

#include "addon/base/allocators.h"
#include "platform/win/window_handle.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace ks;
using namespace ks::addon;
using ks::test::Para;
using ks::test::PlxWriteTest;

namespace {

constexpr int kInForm = 0x1000;
const Para kPlain{0, 0, 120, 120};

// A control as the window layer's buttons, combo boxes and list boxes answer the writer:
// its text, its check mark, its current selection and the selection of each item.
class StandInControl : public win::Window {
public:
    using Window::Window;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case 0x00F0: return checked;                                        // BM_GETCHECK
        case 0x0147: return current;                                        // CB_GETCURSEL
        case 0x0187: return selected.count(int(wParam)) ? 1 : 0;            // LB_GETSEL
        default: return Window::handleMessage(message, wParam, lParam);
        }
    }
    int checked = 0, current = -1;
    std::map<int, bool> selected;
};

char* copyText(const std::string& text)
{
    auto* p = static_cast<char*>(OurAlloc(text.size()));
    std::memcpy(p, text.c_str(), text.size() + 1);
    return p;
}

class PlxFormsTest : public PlxWriteTest {
protected:
    void SetUp() override
    {
        win::setControlMaker([this](const std::string& cls) {
            auto control = std::make_shared<StandInControl>(win::WindowKind::Control, cls);
            made.push_back(control.get());
            return control;
        });
        PlxWriteTest::SetUp();
        ctx().formCount = 2;
        ctx().forms[0] = {1, "/cgi/go"};
        ctx().forms[1] = {0, ""};
    }
    void TearDown() override
    {
        PlxWriteTest::TearDown();
        win::setControlMaker({});
    }
    // A field of form with its control placed in the text; returns the control.
    StandInControl* field(int type, const char* name, int form = 0, const char* cls = "Edit")
    {
        FieldRecord& f = newField(type, name, form);
        int object = EditorInsertControl(hWnd, cls, 0, 600, 300, 1, f.controlId, 0);
        EXPECT_GT(object, 0);
        add("\x18", object);
        return made.back();
    }
    FieldRecord& newField(int type, const char* name, int form)
    {
        FieldRecord& f = ctx().fields[ctx().fieldCount++];
        f = FieldRecord{};
        f.type = type;
        std::snprintf(f.name, sizeof f.name, "%s", name);
        f.form = form;
        f.controlId = ctx().nextFieldId++;
        return f;
    }
    FieldRecord& last() { return ctx().fields[ctx().fieldCount - 1]; }
    void options(FieldRecord& f, std::vector<std::pair<const char*, const char*>> items)
    {
        auto* list = static_cast<FieldOption*>(OurAlloc(sizeof(FieldOption) * (f.optionCapacity + 1)));
        for (std::size_t i = 0; i < items.size(); ++i) {
            list[i].display = copyText(items[i].first);
            list[i].value = items[i].second ? copyText(items[i].second) : nullptr;
        }
        f.value = list;
        f.checked = static_cast<int>(items.size()) - 1;
    }
    void endFormPara() { add("\x15", font(0), {kInForm, 0, 120, 120}); }

    std::vector<StandInControl*> made;
};

}

TEST_F(PlxFormsTest, EveryKindOfFieldIsWrittenAsItsControlShowsIt)
{
    add("Name ", font(0));
    field(kFieldText, "who")->setText("Ann Lee");
    last().size = 20;
    last().maxLength = 30;
    field(kFieldPassword, "");
    last().size = 8;
    endFormPara();
    field(kFieldRadio, "r", 0, "Button")->checked = 1;
    last().value = copyText("a");
    field(kFieldCheckBox, "c", 0, "Button");
    last().value = copyText("yes");
    endFormPara();
    field(kFieldTextArea, "msg")->setText("line 1\r\n<two>");
    last().rows = 3;
    last().columns = 20;
    StandInControl* drop = field(kFieldSelect, "s", 0, "ComboBox");
    last().size = 1;
    options(last(), {{"first", "1"}, {"second", nullptr}});
    drop->current = 1;
    StandInControl* box = field(kFieldSelect, "m", 0, "ListBox");
    last().size = 3;
    last().multiple = 1;
    options(last(), {{"x", nullptr}, {"y", "2"}, {"z", nullptr}});
    box->selected = {{0, true}, {2, true}};
    endFormPara();
    field(kFieldSubmit, "go", 0, "Button")->setText("Send it");
    field(kFieldReset, "", 0, "Button");
    endFormPara();
    newField(kFieldHidden, "h", 0).value = copyText("42");
    newField(kFieldHidden, "other", 1).value = copyText("x");
    para("after", kPlain);

    EXPECT_EQ(body(), "<form method=post action=/cgi/go>"
                      "|Name <input name=who type=text size=20 maxlength=30 value=\"Ann Lee\">"
                      "|<input type=password size=8>"
                      "|<p><input name=r type=radio value=a checked>"
                      "|<input name=c type=checkbox value=yes>"
                      "|</p>"
                      "|<p><textarea name=msg rows=3 cols=20>"
                      "|line 1<p>"
                      "|&lt;two&gt;"
                      "|</textarea><select name=s size=1>"
                      "|<option value=1>first"
                      "|<option selected>second"
                      "|</select><select name=m multiple size=3>"
                      "|<option selected>x"
                      "|<option value=2>y"
                      "|<option selected>z"
                      "|</select></p>"
                      "|<p><input name=go type=submit value=\"Send it\">"
                      "|<input type=reset>"
                      "|</p>"
                      "|<input name=h type=hidden value=42>"
                      "|</form>"
                      "|<p>after</p>")
        << "a drop-down list marks exactly one option; a form's hidden fields come at its end; no line ends after "
           "a list's or a text area's end, where it would read back as a blank";
}

TEST_F(PlxFormsTest, ReadOutsGiveTheFormAtTheCaretAndWhatTheUserEntered)
{
    para("before", kPlain);
    field(kFieldText, "who", 1)->setText("typed");
    field(kFieldCheckBox, "c", 1, "Button")->checked = 1;
    last().value = copyText("on");
    StandInControl* box = field(kFieldSelect, "m", 1, "ListBox");
    last().size = 3;
    options(last(), {{"a", "1"}, {"b", nullptr}, {"c", nullptr}});
    box->selected = {{0, true}, {1, true}};
    endFormPara();
    newField(kFieldHidden, "h", 1).value = copyText("42");
    FieldRecord& image = newField(kFieldImage, "map", 0);
    image.clickX = 12;
    image.clickY = 34;

    int forms = -1;
    EditorMoveCaret(hWnd, 0, 1, 0);
    EXPECT_EQ(PlxGetCurForm(hWnd, &forms), -1) << "the caret is not in a form";
    EXPECT_EQ(forms, 2);
    EditorMoveCaret(hWnd, 1, 0, 0);
    EXPECT_EQ(PlxGetCurForm(hWnd, nullptr), 1);

    char action[100], method[5];
    EXPECT_EQ(PlxGetFormInfo(hWnd, 0, action, method), 1);
    EXPECT_STREQ(action, "/cgi/go");
    EXPECT_STREQ(method, "POST");
    EXPECT_EQ(PlxGetFormInfo(hWnd, 1, action, method), 4);
    EXPECT_STREQ(method, "GET");
    EXPECT_EQ(PlxGetFormInfo(hWnd, 2, action, method), -1);

    char name[60], value[64];
    int checked = -1;
    EXPECT_EQ(PlxGetFieldData(hWnd, 1, 0, name, &checked, value, sizeof value), kFieldText);
    EXPECT_STREQ(name, "who");
    EXPECT_STREQ(value, "typed");
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(PlxGetFieldData(hWnd, 1, 1, name, &checked, value, sizeof value), kFieldCheckBox);
    EXPECT_EQ(checked, 1);
    EXPECT_STREQ(value, "on");
    EXPECT_EQ(PlxGetFieldData(hWnd, 1, 2, name, &checked, value, sizeof value), kFieldSelect);
    EXPECT_STREQ(value, "1|b") << "values, or the display text of an option without one";
    EXPECT_EQ(PlxGetFieldData(hWnd, 1, 3, name, &checked, value, sizeof value), kFieldHidden);
    EXPECT_STREQ(value, "42");
    EXPECT_EQ(PlxGetFieldData(hWnd, 1, 4, name, &checked, value, sizeof value), -1) << "form 1 has four fields";
    EXPECT_EQ(PlxGetFieldData(hWnd, 0, 0, name, &checked, value, sizeof value), kFieldImage);
    EXPECT_STREQ(value, "12,34");
    ctx().currentField = 0;
    EXPECT_EQ(PlxGetFieldData(hWnd, -1, 0, name, &checked, value, 4), kFieldText) << "the field last activated";
    EXPECT_STREQ(value, "typ") << "cut to the value size, its zero included";
    EXPECT_EQ(PlxGetFieldData(hWnd, 5, 0, name, &checked, value, sizeof value), -1);
    EXPECT_TRUE(boxes.empty());

    HWND plain = newEditor();
    EXPECT_EQ(PlxGetCurForm(plain, &forms), -1);
    expectNotInitialized("PlxGetCurForm");
    EXPECT_EQ(PlxGetFieldData(plain, 0, 0, name, &checked, value, sizeof value), -1);
    expectNotInitialized("PlxGetFieldData");
}
