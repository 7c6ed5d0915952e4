// Form fields written as HTML and read back: their text, choices and sources are kept, and
// the page is written again the same.
#include "roundtrip_fixture.h"

#include <string>

using namespace ks;
using ks::test::PlxRoundTripTest;

namespace {

class FieldsRoundTripTest : public PlxRoundTripTest {
protected:
    // The value of the document's first text area.
    std::string textAreaValue()
    {
        for (int f = 0; f < ctx().fieldCount; ++f)
            if (ctx().fields[f].type == addon::kFieldTextArea && ctx().fields[f].value)
                return static_cast<const char*>(ctx().fields[f].value);
        return "(no text area)";
    }
    // Reads the page, whose first text area holds value; written and read back it holds the
    // same, and the page is written again the same. Then clears the window.
    void keepsTextArea(const char* page, const std::string& value)
    {
        SCOPED_TRACE(page);
        ASSERT_EQ(read(page), 1);
        EXPECT_EQ(textAreaValue(), value);
        std::string first = written();
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
        ASSERT_EQ(read(first), 1);
        EXPECT_EQ(textAreaValue(), value) << first;
        EXPECT_EQ(written(), first);
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
};

}

// The writer writes a text area's lines each on an output line of its own, indented in a
// table. Each line of the value starts as a paragraph does, so that line end and indent are
// no blank of it; a blank the user typed there is written as "&nbsp;" and kept. Read as a
// blank, every line of the text grew one at every save.
TEST_F(FieldsRoundTripTest, ATextAreasLinesInATableGainNoBlank)
{
    keepsTextArea("<table><td><form>x<textarea>a<p>&nbsp;b<p>c  d</textarea></form></table>", "a\r\n b\r\nc d");
    keepsTextArea("<form><table><tr>><textarea>y", "y");
    keepsTextArea("<table><td id=m><form><textarea>L", "L");
    keepsTextArea("<table><td><form>x<textarea>&nbsp;y</textarea></form></table>", " y");
    // In "pre" blanks are text: they stay.
    keepsTextArea("<form><pre><textarea>a\n  b</textarea></pre></form>", "a\r\n  b");
}

// The writer writes each line end of a text area's value as "<p>": one at the value's start
// is a line end too, where the document's paragraph starts (the "p" ended no paragraph
// there, and the line end was lost at the next save).
TEST_F(FieldsRoundTripTest, ATextAreasValueMayBeginWithALineEnd)
{
    keepsTextArea("<form><textarea >\n<hr", "\r\n");
    keepsTextArea("<form><pre><textarea>\n", "\r\n");
    keepsTextArea("<form><textarea><p>x<p><p>y</textarea></form>", "\r\nx\r\n\r\ny");
    keepsTextArea("x<br><form><textarea><p>y</textarea></form>", "\r\ny");
}

// A browser shows an image field without a source as a button of its form. It keeps its
// place as a placeholder and is saved there with its name and alt text; it made no place
// of its own, was not saved, and its form, seeming to show no field, lost its method.
TEST_F(FieldsRoundTripTest, AnImageFieldWithoutASourceIsKept)
{
    for (const char* page : {"<form method=get action=go><input type=image name=b alt=Send>l</form>",
                             "<form><input type=image >l"}) {
        SCOPED_TRACE(page);
        std::string first = writtenAgainTheSame(page);
        EXPECT_EQ(text().substr(0, 2), "#l") << text();
        EXPECT_NE(first.find("<input type=image"), std::string::npos) << first;
        PlxSetActiveWnd(hWnd);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
    }
    std::string first = writtenAgainTheSame("<form method=get action=go><input type=image name=b alt=Send>l</form>");
    EXPECT_NE(first.find("<form method=get action=go>"), std::string::npos) << first;
    EXPECT_NE(first.find("<input type=image name=b alt=Send>"), std::string::npos) << first;
}

// A list or a text area left open ends where the next form begins, as it ends with its own
// form: its control is made there. Left open, the list was lost, and the paragraph end before
// the next form read as none; the two forms' fields, written in one paragraph, became one
// form, where only the last checked radio button of a name stays checked.
TEST_F(FieldsRoundTripTest, AFieldLeftOpenEndsWhereTheNextFormBegins)
{
    readsAsAndIsWrittenAgainTheSame("<form ><input type=radio><select><form><input type=radio", "##|#");
    readsAsAndIsWrittenAgainTheSame("<form><textarea>a<form><input type=radio name=r checked>", "#|#");
    std::string first = writtenAgainTheSame("<form ><input type=radio><select><option>o<form><input type=radio");
    EXPECT_NE(first.find("<option selected>o\r\n</select>\r\n</form>\r\n<form method=post>\r\n<input type=radio checked>"),
              std::string::npos)
        << first;
    EXPECT_EQ(first.find("<input type=radio>"), std::string::npos) << first;
}

// A text area's value holds at most its rows times its columns and one: a kept reference
// the limit would cut goes not at all, as the half of one was a reference to another
// character ("&#9660;" cut to "&#96;", read back as a grave accent) or text.
TEST_F(FieldsRoundTripTest, AKeptReferenceATextAreaHasNoRoomForIsLeftOutWhole)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<form><textarea rows=1 cols=4>ab&rarr;</textarea>",
                                                             "<form><textarea rows=3 cols=1>&#9660;</textarea>"})) {
        EXPECT_EQ(first.find("&amp;"), std::string::npos) << first;
        EXPECT_EQ(first.find("&#96;"), std::string::npos) << first;
    }
}

// A number's reference written without ";" is written so again: with the ";" the value
// grew by one, and the second read cut its last character at the text area's length.
TEST_F(FieldsRoundTripTest, ATextAreaNumberWithoutItsSemicolonKeepsTheValuesLength)
{
    std::string first = writtenAgainTheSame("<form><textarea rows=2 cols=4>&#9731xyz</textarea>");
    EXPECT_NE(first.find(">\r\n&#9731xyz\r\n</textarea>"), std::string::npos) << first;
}

// An anchor's tag inside a selection list or a text area is passed over, as a browser does:
// its data went into the option's text or the value, with a line end that read back as a
// blank.
TEST_F(FieldsRoundTripTest, AnAnchorInsideAFieldIsPassedOver)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<form><select name=s><option><a f=\"\">i</select>",
                                                             "<form><textarea name=t><a href=\"x.htm\">i</a></textarea>"})) {
        EXPECT_EQ(first.find("f="), std::string::npos) << first;
        EXPECT_EQ(first.find("href"), std::string::npos) << first;
    }
}

// A list option's text that begins with a no-break space keeps it: written as a blank right
// after the option's tag, it was dropped when read back.
TEST_F(FieldsRoundTripTest, AnOptionsTextKeepsTheBlankItBeginsWith)
{
    ASSERT_EQ(read("<form><select><option>&nbsp;a &nbsp;b<option>c</select></form>"), 1);
    auto display = [&] {
        const addon::FieldRecord& f = ctx().fields[0];
        return std::string(f.type == addon::kFieldSelect && f.value ? static_cast<const addon::FieldOption*>(f.value)[0].display : "");
    };
    EXPECT_EQ(display(), " a  b");
    documentWrittenAgainTheSame();
    EXPECT_EQ(display(), " a  b");
}
