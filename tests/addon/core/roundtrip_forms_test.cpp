// Forms written as HTML and read back: where each form begins and ends, and what it keeps
// (its method and action), the same at every save.
#include "roundtrip_fixture.h"

#include <string>

using namespace ks;
using ks::test::PlxRoundTripTest;

// Forms that show no field, one after another or after a form of fields: each is a block
// of its own and is written with its own method and action.
TEST_F(PlxRoundTripTest, FormsShowingNoFieldKeepTheirOwnActions)
{
    for (const char* page : {"<form action=a method=get>one</form><form action=b>two</form>",
                             "<form action=a>one <input name=q></form><form action=b method=get>two</form>",
                             "<form action=a method=get>one</form><form action=b>two <input name=q></form>"}) {
        SCOPED_TRACE(page);
        roundTrip(page);
        std::string first = written();
        std::size_t a = first.find("action=a"), b = first.find("action=b");
        ASSERT_NE(a, std::string::npos) << first;
        ASSERT_NE(b, std::string::npos) << first;
        EXPECT_LT(first.find("</form>", a), b) << first;
        EXPECT_LT(first.find("one"), b) << first;
        EXPECT_GT(first.find("two"), b) << first;
        PlxSetActiveWnd(hWnd);
        EXPECT_EQ(PlxClearWindow(hWnd), 1);
    }
}

// A field put into a form that showed none goes into that form, not into the form of the
// fields before it.
TEST_F(PlxRoundTripTest, AFieldPutIntoAFormShowingNoneIsWrittenInThatForm)
{
    ASSERT_EQ(read("<form action=a><input name=q></form><form action=b method=get>two</form>"), 1);
    EditorMoveCaret(hWnd, lineOf("two"), 3, 0);
    EXPECT_EQ(PlxGetCurForm(hWnd, nullptr), 1);
    ASSERT_EQ(PlxInsertTextField(hWnd, "added", 0, 10, 0, 0, nullptr, 0), 2001);
    std::string first = documentWrittenAgainTheSame();
    std::size_t b = first.find("action=b");
    ASSERT_NE(b, std::string::npos) << first;
    EXPECT_GT(first.find("name=added"), b) << first;
    EXPECT_LT(first.find("name=q"), first.find("</form>")) << first;
}

// A form that ends inside "pre" or an address, the next form beginning there: the block is
// ended before the form's end and begun again in the next form, so the next form's text
// stays in it when read back (the form's end tag ends a block begun inside the form).
TEST_F(PlxRoundTripTest, ABlockAFormEndsInsideGoesOnInTheNextForm)
{
    for (const std::string& first : eachRoundTripped({"<form action=a>.<pre>d<form action=b>t</pre></form>",
                                                      "<form action=a>.<address>d<form action=b>t</address></form>"})) {
        std::size_t b = first.find("action=b");
        ASSERT_NE(b, std::string::npos) << first;
        EXPECT_LT(first.find("d<"), first.find("</form>")) << first;
        EXPECT_GT(first.find(">t<"), b) << first;
    }
}

// A form begun in the first cell of a table, after a form before the table: the form before
// ends before the table, so the two stay two forms. Written as one around the table, its two
// checked radio buttons of one name read back with one of them unchecked.
TEST_F(PlxRoundTripTest, AFormBegunInATablesFirstCellStaysAFormOfItsOwn)
{
    for (const std::string& first :
         eachRoundTripped({"<form><input type=radio name=r checked></form><table><tr><td><form><input type=radio name=r "
                           "checked></form></table>",
                           "<form action=a>x</form><table><tr><td><form action=b><input name=q></form></table>"})) {
        EXPECT_LT(first.find("</form>"), first.find("<table")) << first;
        EXPECT_GT(first.rfind("<form"), first.find("<td")) << first;
    }
}

// A header's tags inside a selection list are none, as a browser ignores them there: the
// list's text stays its options', and the text before the list keeps its paragraph. Taken,
// the header gave the paragraph its type, not its font, and read back the text took it.
TEST_F(PlxRoundTripTest, AHeaderInsideASelectionListIsNone)
{
    for (const std::string& first : eachRoundTripped({"<form>a<select name=s><h2>x<input name=i></form>",
                                                      "<form>a<select name=s><option>x<h2>y</h2><option>z</select>b</form>"})) {
        EXPECT_EQ(first.find("<h2"), std::string::npos) << first;
        EXPECT_LT(first.find('a'), first.find("<select")) << first;
    }
}

// List items and paragraph tags inside a selection list or a text area are none, as a browser
// passes them over. Taken, a term gave the paragraph before the field its type, and a
// paragraph's tag took a definition's marker: read back, its text had the term's bold.
TEST_F(PlxRoundTripTest, ItemsAndParagraphsInsideAFieldAreNone)
{
    for (const std::string& first :
         eachWrittenAgainTheSame({"<form>a<textarea name=t><dt>x<form>", "<form><dt>t<dd>d<select name=s><p><a name=e>"})) {
        EXPECT_EQ(first.find("<b>d"), std::string::npos) << first;
        EXPECT_EQ(first.find("<b>a"), std::string::npos) << first;
    }
}

// A paragraph tag in a text area is a line end of its value and ends no paragraph of the
// document: the list item around keeps its marker, and the marker its colour.
TEST_F(PlxRoundTripTest, AParagraphTagInATextAreaEndsNoParagraphOfTheDocument)
{
    std::string first = writtenAgainTheSame("<form><a href=x><li><textarea name=t><p>\n</textarea></form>");
    EXPECT_NE(first.find("<font color=#0000ff"), std::string::npos) << first;
}

// A form begun in a cell or a list item after fields of a form begun before the table or
// the list ends that one, as it is read; its end tag would end the blocks around. Written
// as one form, its two checked radio buttons of one name read back with the first
// unchecked. The form left without its end keeps its hidden field.
TEST_F(PlxRoundTripTest, AFormBegunInsideABlockAfterAnOpenFormStaysAFormOfItsOwn)
{
    for (const std::string& first : eachWrittenAgainTheSame(
             {"<form><input type=radio name=r checked><input type=hidden name=h value=1>"
              "<table><tr><td>a<form><input type=radio name=r checked></table>",
              "<form><input type=radio name=r checked><input type=hidden name=h value=1>"
              "<li><form><input type=radio name=r checked>"})) {
        EXPECT_EQ(first.find("<input name=r type=radio>"), std::string::npos) << first;
        EXPECT_GT(first.rfind("<form"), first.find("<input name=r")) << first;
        EXPECT_NE(first.find("name=h"), std::string::npos) << first;
    }
}

// A cell's first paragraph, without spacing, before a form begun in the cell while the
// form around the table is open: only a "div" ends it without spacing, as a form's tag
// ends a paragraph with it; loose, it read back as a "p".
TEST_F(PlxRoundTripTest, ACellsFirstParagraphBeforeAFormBegunInTheCellKeepsItsSpacing)
{
    std::string first = writtenAgainTheSame("<form>a<table><td>x<div id=u><form");
    EXPECT_NE(first.find("<div>x</div>"), std::string::npos) << first;
}

// A form in a list item begun in a row before its cell: the row's end, which has the
// item's type, is no further item, and the form stays inside the item. Placed around the
// list, it read back inside the item, its paragraph ended before the cell's end.
TEST_F(PlxRoundTripTest, ARowsEndWithAnItemsTypeKeepsTheFormInsideTheItem)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><tr><dd><form>a", "<dt><table><td><form>d"}))
        EXPECT_LT(first.find("<dd>"), first.find("<form")) << first;
}

// A form begun in a later cell of a table and ended after the table begins inside that
// cell: its tag between the cells read back inside the cell before, and ended its text's
// paragraph with spacing.
TEST_F(PlxRoundTripTest, AFormBegunInALaterCellAndEndedAfterTheTableBeginsInsideTheCell)
{
    for (const std::string& first : eachRoundTripped({"<table><td>w<td><form>l<tr><td>d</table></form>"})) {
        EXPECT_GT(first.find("<form"), first.rfind("<td", first.find("l</td>"))) << first;
        EXPECT_GT(first.find("</form>"), first.find("</table>")) << first;
    }
}

// A form begun inside "pre" that goes on past it (here around a table) begins outside it:
// begun inside, it ended with the "pre", and its further fields were read in a form of
// their own, where the first radio button of a name is checked.
TEST_F(PlxRoundTripTest, AFormBegunInPreThatGoesOnPastItBeginsOutsideIt)
{
    std::string first = writtenAgainTheSame("<pre>l<form><input type=radio name=r><table><td></table><input type=radio name=r></form>");
    EXPECT_EQ(first.find("<form"), first.rfind("<form")) << first;
    EXPECT_LT(first.find("</pre>"), first.find("<form")) << first;
}

// Where only the ends of the cells around follow it, it stays inside, as it reads back.
TEST_F(PlxRoundTripTest, AFormBegunInPreThatEndsWithItsCellStaysInsideIt)
{
    std::string first = writtenAgainTheSame("<table><table><tr><pre>1<form>2");
    EXPECT_LT(first.find("<form"), first.find("</pre>")) << first;
}

// A list's tags inside a text area or a selection list are none, as a header's: taken,
// the list gave the paragraph holding the field its type after the text before it, which
// kept the body's font and took the list's when read back.
TEST_F(PlxRoundTripTest, AListInsideAFieldIsNone)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<form>x<textarea><dir><form", "<form>x<select><option>a<ul><option>b</ul></select>"})) {
        EXPECT_EQ(first.find("<dir>"), std::string::npos) << first;
        EXPECT_EQ(first.find("<ul>"), std::string::npos) << first;
    }
}

// A form's last paragraph in a cell, after a table nested there: the form's end tag gives it
// its spacing when read back, and a "p" written for that spacing changed the next save.
TEST_F(PlxRoundTripTest, AFormsLastFieldAfterANestedTableGetsNoParagraphTag)
{
    std::string first = writtenAgainTheSame("<table><tr><td><form><table><tr><td>q</table><input type=radio name=r> ");
    EXPECT_EQ(first.find("<p>"), std::string::npos) << first;
}

// A field in a caption below its table, or one left open where an unclosed title swallowed
// the rest of the page: it went into no cell and stood before its form's begin, a field of
// no form when read back, and was lost. The caption's text stays below.
TEST_F(PlxRoundTripTest, AFieldInACaptionBelowItsTableStaysInItsForm)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><caption align=bottom>e<form><select>",
                                                             "<table><caption align=bottom>e<form><input name=a>f</form>g</table>",
                                                             "<table><caption align=bottom>e<form><select><option>a<title>"})) {
        std::size_t field = std::min(first.find("<select"), first.find("<input"));
        EXPECT_LT(first.find("<form"), field) << first;
        EXPECT_GT(first.find("<b>e</b>"), first.find("</table>")) << first;
    }
    // An input of no form shows nothing: its id stays in the caption, as text there does.
    std::string first = writtenAgainTheSame("<table><tr><td>a</td></tr><caption align=bottom>c<input id=box></table>");
    EXPECT_NE(first.find("<b>c</b><a id=\"box\"></a></p>"), std::string::npos) << first;
}

// Paragraphs in a form the form table holds no record of (here the outer form's, after
// the inner one ended) are written in a form of the reader's defaults: a bare "form" read
// back got its record, and the next save wrote its method.
TEST_F(PlxRoundTripTest, AFormWithoutItsRecordIsWrittenAsItReadsBack)
{
    std::string first = writtenAgainTheSame("<form><blockquote>><form>></form><table><tr>g ");
    EXPECT_EQ(first.find("<form>"), std::string::npos) << first;
}

// A form begun inside "pre" in a cell, both ending with the cell, ends inside "pre": after
// the end tag of "pre" its end tag ended a paragraph of its own when read back.
TEST_F(PlxRoundTripTest, AFormBegunInPreEndsInsideItWithTheCell)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<table><tr><td><p>a<pre>b<form action=go> ", "<table><tr><pre p>><form>\n"}))
        EXPECT_NE(first.find("</form></pre>"), std::string::npos) << first;
}

// Text after a form's end is in no form, also where the group of the form that the inner
// form's begin ended is still open around it: it was in the form's paragraphs, though in
// no form that makes fields, and written inside the form it was read in one.
TEST_F(PlxRoundTripTest, TextAfterAnInnerFormsEndIsInNoForm)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<form><blockquote>><form>r</blockquote></form>z",
                                                             "<form>><table><tr>><form><</form></form>z"}))
        EXPECT_LT(first.rfind("</form>"), first.find("z")) << first;
}

// A field after a caption's end (of a caption above or below) and before the table's first
// row stands above the table, in its form, as before the caption: it went into a cell made
// for it after its form had ended, and was written outside the form, lost with its text
// when read back.
TEST_F(PlxRoundTripTest, AFieldAfterACaptionBeforeTheFirstRowStaysInItsForm)
{
    std::vector<std::string> firsts = eachWrittenAgainTheSame(
        {"<table><caption>c</caption><form><textarea>abc</textarea></form></table>", "<table><caption></caption><form><textarea></form",
         "<table><caption align=bottom>c</caption><form><textarea>d</textarea></form></table>"});
    for (const std::string& first : firsts) {
        EXPECT_LT(first.find("<form"), first.find("<textarea")) << first;
        EXPECT_LT(first.find("</textarea>"), first.find("</form>")) << first;
    }
    EXPECT_NE(firsts[0].find("abc"), std::string::npos) << firsts[0];
}

// A field after the end of a row that had no cell goes into a cell of its own, in its form,
// as after any row's end: it went into the empty cell made for the row, where the form's
// end could end no paragraph, and was written outside its form, lost when read back.
TEST_F(PlxRoundTripTest, AFieldAfterAnEmptyRowsEndStaysInItsForm)
{
    std::string first = writtenAgainTheSame("<table><tr><td>b<tr></tr><form><input name=i><textarea>c</textarea></form></table>");
    EXPECT_LT(first.find("<form"), first.find("<input")) << first;
    EXPECT_LT(first.find("</textarea>"), first.find("</form>")) << first;
    EXPECT_NE(first.find("c\r\n"), std::string::npos) << first;
}

// A form whose lines go on from a list into a definition list (or the other way round), or
// past the lists, is written around them: the writer ends the other lists before a
// definition list, and a form placed inside them was split in two at the save, the second
// half a form of its own.
TEST_F(PlxRoundTripTest, AFormGoingOnFromAListIntoADefinitionListStaysOneForm)
{
    for (const std::string& first : eachWrittenAgainTheSame({"<ul><ul>x<form>y</ul><dl><dt>z</dl></form>", "<ul><ul>><form>></ul><dl><dt><",
                                                             "<menu><menu>d<form>><dl>n</dl><li>t",
                                                             "<h2><li>t<blockquote>d<form>><p><select></h2"}))
        EXPECT_EQ(first.find("<form"), first.rfind("<form")) << first;
}

// A field after a cell's end in a table nested past the levels the reader keeps stays in
// its form: the form's end there was dropped as a paragraph's end between cells, and the
// field, written outside its form, was lost when read back.
TEST_F(PlxRoundTripTest, AFieldInATableNestedPastTheLevelsKeptStaysInItsForm)
{
    std::string first = writtenAgainTheSame("<table><table><table><table><table><table></td><form><select></form");
    EXPECT_LT(first.find("<form"), first.find("<select")) << first;
}
