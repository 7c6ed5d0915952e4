#include "plx_fixture.h"

#include "addon/core/html_notify.h"
#include "addon/core/vek_callback.h"

#include <cstring>

using namespace ks;
using namespace ks::addon;
using ks::test::HeardMessage;
using ks::test::PlxTest;

namespace {

std::vector<HeardMessage>* callbackHeard = nullptr;
HWND callbackWindow = nullptr;

LRESULT hostCallback(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    callbackWindow = hWnd;
    callbackHeard->push_back({message, wParam, lParam, {}});
    return 77;
}

class PlxLinkTest : public PlxTest {
protected:
    // "see " then a link whose hidden data is data and whose text is "go".
    void link(const char* data)
    {
        int hidden = EditorCreateFont(hWnd, -1, 1, "Arial", 10, 0x40, 0, 0xFFFFFF, 0, 0);
        int text = EditorCreateFont(hWnd, -1, 1, "Arial", 10, 0x4001, 0xFF0000, 0xFFFFFF, 0, 20);
        EditorSetLineChars(hWnd, 0, "", nullptr);
        EditorAppendText(hWnd, "see ", 0, 0, 0, -1, 0);
        EditorAppendText(hWnd, data, hidden, 0, 0, -1, 0);
        EditorAppendText(hWnd, "go\x15", text, 0, 0, -1, 0);
        linkColumn = 4 + static_cast<int>(std::strlen(data));
        host->heard.clear();
    }
    long click(int ctrl = 0) { return EditorClickAt(hWnd, 0, linkColumn, 5, 5, ctrl); }
    int linkColumn = 0;
};

}

TEST_F(PlxTest, NotificationsAreSentOrPostedAsTheirCodeSays)
{
    host->answer = 5;
    for (UINT code = 3274; code <= 3284; ++code) {
        host->heard.clear();
        LRESULT result = HtmlNotify(&ctx(), code, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>("text"));
        bool posted = code == 3275 || code == 3281;
        EXPECT_EQ(isPostedNotify(code), posted) << code;
        EXPECT_EQ(host->heard.size(), posted ? 0u : 1u) << code;
        EXPECT_EQ(result, posted ? 0 : 5) << code;
        DispatchPostedMessages();
        ASSERT_EQ(host->heard.size(), 1u) << code;
        EXPECT_EQ(host->heard[0].message, code);
        EXPECT_EQ(host->heard[0].wParam, reinterpret_cast<WPARAM>(hWnd));
    }
    EXPECT_EQ(SubmitForm(&ctx(), 3), 1);
    EXPECT_EQ(host->heard.back().message, 3277u);
    EXPECT_EQ(host->heard.back().lParam, 3);
    EXPECT_EQ(SendHtmlNotify(nullptr, 3274, 0, 0, false), 0);
}

TEST_F(PlxTest, AHostCallbackTakesTheNotificationsOfItsWindowAndItsFrames)
{
    std::vector<HeardMessage> heard;
    callbackHeard = &heard;
    HWND top = newEditor();
    EditorSetHostCallback(top, hostCallback);
    ASSERT_EQ(PlxInitialize(top, hostWnd), 1);
    HWND frame = newEditor();
    ASSERT_EQ(PlxInitialize(frame, nullptr), 1);
    SetTopWin(frame, top);
    SetFrameParent(frame, &ctx(top));
    host->heard.clear();
    heard.clear();

    EXPECT_EQ(SendHtmlNotify(&ctx(frame), 3281, 1, 2, true), 77);
    EXPECT_EQ(SendHtmlNotify(&ctx(frame), 3284, 1, 2, false), 77);
    DispatchPostedMessages();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(callbackWindow, top);
    EXPECT_EQ(heard[0].message, 3281u);
    EXPECT_EQ(heard[1].message, 3284u);
    EXPECT_TRUE(host->heard.empty());
    callbackHeard = nullptr;
}

TEST_F(PlxLinkTest, AViewModeClickPostsTheLinkAndKeepsItsTarget)
{
    link("href=next.htm target=_top");
    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(click(), 1);
    EXPECT_TRUE(host->heard.empty()) << "posted, not sent";
    char target[301];
    PlxGetTarget(hWnd, target);
    EXPECT_STREQ(target, "_top");
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 3275u);
    EXPECT_EQ(host->heard[0].wParam, reinterpret_cast<WPARAM>(hWnd));
    EXPECT_EQ(host->heard[0].text, "next.htm");
}

TEST_F(PlxLinkTest, AnEditingClickPostsTheLinkWithoutStoringATarget)
{
    link("href=\"a b.htm\" target=right");
    PlxSetDefaultTarget(hWnd, "dflt");
    EXPECT_EQ(click(0), -1) << "a plain click while editing edits";
    EXPECT_EQ(click(1), 1);
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 3281u);
    EXPECT_EQ(host->heard[0].text, "a b.htm");
    EXPECT_STREQ(ctx().targetName, "");

    // Link data without an HREF goes on as a link with an empty one; no target takes the default.
    link("name=here");
    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(click(), 1);
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 3275u);
    EXPECT_EQ(host->heard[0].text, "");
    EXPECT_STREQ(ctx().targetName, "dflt");
}

TEST_F(PlxLinkTest, ALinkToANamedAnchorMovesTheCaretInViewMode)
{
    link("href=#spot");
    // An anchor further on: its hidden data names it.
    int hidden = EditorCreateFont(hWnd, -1, 1, "Arial", 10, 0x40, 0, 0xFFFFFF, 0, 0);
    EditorAppendText(hWnd, "text ", 0, 0, 0, -1, 0);
    EditorAppendText(hWnd, "name=spot", hidden, 0, 0, -1, 0);
    EditorAppendText(hWnd, "anchor\x15", 0, 0, 0, -1, 0);
    host->heard.clear();

    EditorSetReadOnly(hWnd, 1);
    EXPECT_EQ(click(), 1);
    ASSERT_EQ(host->heard.size(), 1u) << "sent at once";
    EXPECT_EQ(host->heard[0].message, 3283u);
    EXPECT_EQ(host->heard[0].text, "#spot");
    EXPECT_EQ(info().caretLine, 1);

    EditorSetReadOnly(hWnd, 0);
    host->heard.clear();
    EXPECT_EQ(click(1), 0);
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 3281u);
    EXPECT_EQ(host->heard[0].wParam, reinterpret_cast<WPARAM>(hWnd));
    EXPECT_EQ(host->heard[0].text, "#spot");
}

TEST_F(PlxTest, TheCallbackAnswersPicturesFocusAndOtherEvents)
{
    EXPECT_EQ(vekCallback(hWnd, kVekPictureNeeded, 0, reinterpret_cast<LPARAM>("/tmp/pic.JPG")), 0)
        << "only GIF and TIFF come this way";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(vekCallback(hWnd, kVekPictureNeeded, 0, reinterpret_cast<LPARAM>("/nonexistent/x.gif")), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "GIF file not found or file open error!");
    EXPECT_EQ(ctx().lastError, 6);
    EXPECT_NE(ctx().pictureFrames, nullptr);
    EXPECT_EQ(vekCallback(hWnd, kVekPictureMade, 0, 7), 0);
    EXPECT_EQ(ctx().pictureFrames, nullptr);

    host->heard.clear();
    EditorNotifyFocus(hWnd, 1, nullptr);
    EXPECT_EQ(ctx().activeFrameWindow, hWnd);
    ASSERT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0].message, 0xAACu);

    EditorMoveWindow(hWnd, 0, 0, 300, 200);
    EXPECT_EQ(ctx().rootFrame.width, 300);
    EXPECT_EQ(ctx().rootFrame.height, 200);

    host->heard.clear();
    EXPECT_EQ(vekCallback(hWnd, 0xAB0, 4, 5), 0);
    ASSERT_EQ(host->heard.size(), 1u) << "unlisted events go on to the host";
    EXPECT_EQ(host->heard[0].message, 0xAB0u);
    EXPECT_EQ(vekCallback(hWnd, 0x135, 0, 0), kLightGreyBrush);
    EXPECT_EQ(vekCallback(hWnd, 0x133, 0, 0), 0);
}

TEST_F(PlxTest, FieldCommandsCheckRadiosAndSubmitForms)
{
    HtmlCtx& c = ctx();
    auto field = [&](int i, FieldType type, const char* name, int form, int checked) {
        c.fields[i] = FieldRecord{};
        c.fields[i].type = type;
        std::strcpy(c.fields[i].name, name);
        c.fields[i].form = form;
        c.fields[i].checked = checked;
        c.fields[i].controlId = 2000 + i;
    };
    field(0, kFieldText, "q", 0, 0);
    field(1, kFieldRadio, "r", 0, 0);
    field(2, kFieldRadio, "R", 0, 1);
    field(3, kFieldRadio, "r", 1, 1);
    field(4, kFieldSubmit, "go", 0, 0);
    field(5, kFieldText, "only", 1, 0);
    c.fieldCount = 6;
    c.formCount = 2;
    auto command = [&](int id, int code = 0) {
        return vekCallback(hWnd, WM_COMMAND, static_cast<WPARAM>(id | code << 16), 0);
    };
    auto submits = [&] {
        int n = 0;
        for (auto& m : host->heard)
            n += m.message == 3277;
        return n;
    };
    host->heard.clear();

    EXPECT_EQ(command(2000, 1000), 0);
    EXPECT_EQ(submits(), 0) << "Enter in a form of several fields does not submit";
    EXPECT_EQ(c.currentField, 0);
    command(2001);
    EXPECT_EQ(c.fields[1].checked, 1);
    EXPECT_EQ(c.fields[2].checked, 0) << "same form, same name ignoring case";
    EXPECT_EQ(c.fields[3].checked, 1) << "another form";
    command(2001);
    EXPECT_EQ(c.fields[1].checked, 1) << "an already checked radio changes nothing";
    EXPECT_EQ(command(2999), 0) << "no such field";
    EXPECT_EQ(c.currentField, 1);

    command(2004);
    EXPECT_EQ(submits(), 1);
    EXPECT_EQ(host->heard.back().lParam, 0);
    field(3, kFieldCheckBox, "c", 2, 0);
    command(2005, 1000);
    EXPECT_EQ(submits(), 2) << "Enter in the only field of its form submits";
    EXPECT_EQ(host->heard.back().lParam, 1);
}

TEST_F(PlxLinkTest, APostedLinkKeepsItsTextWhenTheNextClickComesFirst)
{
    EditorSetReadOnly(hWnd, 1);
    link("href=first.htm");
    EXPECT_EQ(click(), 1);
    link("href=second.htm");
    EXPECT_EQ(click(), 1);
    DispatchPostedMessages();
    ASSERT_EQ(host->heard.size(), 2u);
    EXPECT_EQ(host->heard[0].text, "first.htm");
    EXPECT_EQ(host->heard[1].text, "second.htm");
}
