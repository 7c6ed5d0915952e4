// Character references and character sets through a read and a save: a reference with
// no Windows-1252 character, or with a name no one knows, is shown as written and saved
// as it was read; a UTF-8 page reads as the characters it means, and the saved page says
// in what character set it is.
#include "libxml2_page.h"
#include "read_fixture.h"

#include "addon/convert/html_entities.h"
#include "addon/core/field_control.h"
#include "addon/core/html_notify.h"

#include <string>
#include <vector>

using namespace ks;
using ks::test::PlxReadTest;

namespace {

class PlxCharsetTest : public PlxReadTest {
protected:
    // The document's characters in kept-reference fonts.
    std::string kept()
    {
        std::string out;
        eachCharacter(hWnd, [&](char c, unsigned style) {
            if (style & addon::kStyleKeptReference)
                out += c;
        });
        return out;
    }
};

// The text of a page's body as libxml2 reads it, in UTF-8, with each run of blanks one blank.
std::string libxml2Text(const std::string& page)
{
    htmlDocPtr doc = test::ParseWithLibxml2(page);
    xmlNode* body = doc ? test::FindBody(xmlDocGetRootElement(doc)) : nullptr;
    xmlChar* text = body ? xmlNodeGetContent(body) : nullptr;
    std::string out;
    for (const char* c = text ? reinterpret_cast<const char*>(text) : ""; *c; ++c) {
        bool blank = *c == ' ' || *c == '\r' || *c == '\n' || *c == '\t';
        if (!blank)
            out += *c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    xmlFree(text);
    xmlFreeDoc(doc);
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string collapsed(const char* text)
{
    std::string out;
    for (const char* c = text ? text : ""; *c; ++c) {
        bool blank = *c == ' ' || *c == '\r' || *c == '\n' || *c == '\t';
        if (!blank)
            out += *c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// What libxml2 reads, in UTF-8, as the texts of a page's title, text areas and options and
// as its alt, title and value attributes, in order ("title: x", "alt=y").
void collectValues(xmlNode* node, std::vector<std::string>& values)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        for (const char* element : {"title", "textarea", "option"})
            if (xmlStrEqual(n->name, BAD_CAST element)) {
                xmlChar* text = xmlNodeGetContent(n);
                values.push_back(std::string(element) + ": " + collapsed(reinterpret_cast<const char*>(text)));
                xmlFree(text);
            }
        for (const char* attribute : {"alt", "title", "value"})
            if (xmlChar* value = xmlGetProp(n, BAD_CAST attribute)) {
                values.push_back(std::string(attribute) + "=" + collapsed(reinterpret_cast<const char*>(value)));
                xmlFree(value);
            }
        collectValues(n->children, values);
    }
}

std::vector<std::string> libxml2Values(const std::string& page)
{
    std::vector<std::string> values;
    htmlDocPtr doc = test::ParseWithLibxml2(page);
    if (doc)
        collectValues(xmlDocGetRootElement(doc), values);
    xmlFreeDoc(doc);
    return values;
}

std::string joined(const std::vector<std::string>& values)
{
    std::string all;
    for (const std::string& v : values)
        all += v + "\n";
    return all;
}

}

TEST_F(PlxCharsetTest, ReferencesWithoutAWindows1252CharacterAreShownAndSavedAsWritten)
{
    ASSERT_EQ(read("<p>a &rarr; b &foo; c &#8594; d &mdash; e &euro; f &#x2603; g &amp;rarr; h & i</p>"), 1);
    EXPECT_EQ(text(), "a &rarr; b &foo; c &#8594; d \x97 e \x80 f &#x2603; g &rarr; h & i|");
    EXPECT_EQ(kept(), "&rarr;&foo;&#8594;&#x2603;") << "only the references read are kept";
    std::string page = written();
    for (const char* same : {"&rarr;", "&foo;", "&#8594;", "&#x2603;"})
        EXPECT_TRUE(contains(page, same)) << same << " in\n" << page;
    EXPECT_TRUE(contains(page, "&#8212;")) << "Windows-1252's dash by its Unicode number";
    EXPECT_TRUE(contains(page, "&#8364;"));
    EXPECT_TRUE(contains(page, "g &amp;rarr; h &amp; i")) << "the text \"&rarr;\" stays text";
    EXPECT_EQ(libxml2Text(page), "a \xE2\x86\x92 b &foo; c \xE2\x86\x92 d \xE2\x80\x94 e \xE2\x82\xAC f \xE2\x98\x83 g &rarr; h & i");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(PlxCharsetTest, TextTypedAfterAKeptReferenceIsEscapedAndTypedReferencesStayText)
{
    ASSERT_EQ(read("<p>x&rarr;</p>"), 1);
    // The caret after the arrow types in the arrow's font.
    EditorMoveCaret(hWnd, 0, 7, 0);
    ASSERT_EQ(EditorInsertText(hWnd, "<&lt;&"), 1);
    EditorMoveCaret(hWnd, 0, 0, 0);
    ASSERT_EQ(EditorInsertText(hWnd, "&rarr; "), 1);
    EXPECT_EQ(text(), "&rarr; x&rarr;<&lt;&|");
    std::string page = written();
    EXPECT_TRUE(contains(page, "&amp;rarr; x&rarr;&lt;&amp;lt;&amp;")) << page;
}

TEST_F(PlxCharsetTest, AUtf8PageReadsAsItsCharactersAndIsSavedInTheCharacterSetItDeclares)
{
    const std::string page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                             "<title>Caf\xC3\xA9</title></head><body>"
                             "<p>\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x93 caf\xC3\xA9\xC2\xA0x \xE2\x86\x92 \xE2\x98\x83"
                             "<a href=\"x.html\" title=\"na\xC3\xAFve\">link</a></p></body></html>";
    ASSERT_EQ(read(page), 1);
    EXPECT_EQ(text().substr(text().find("\x93")), "\x93quoted\x94 \x96 caf\xE9\xA0x &rarr; &#9731;{href=\"x.html\" title=\"na\xEFve\"}link|");
    std::string saved = written();
    EXPECT_FALSE(contains(saved, "UTF-8")) << saved;
    EXPECT_TRUE(contains(saved, "charset=windows-1252")) << saved;
    std::string theirs = libxml2Text(page), ours = libxml2Text(saved);
    EXPECT_EQ(ours, theirs) << saved;

    // Declared by nothing but its bytes, and without a head: the save says it.
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<p>\xE2\x80\x9C<a href=x title=\"\xC3\xA9t\xC3\xA9\">q</a>\xE2\x80\x9D</p>"), 1);
    saved = written();
    EXPECT_TRUE(saved.starts_with("<head>\r\n")) << saved;
    EXPECT_LT(saved.find("<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">"), saved.find("</head>"))
        << saved;
    EXPECT_TRUE(contains(libxml2Text(saved), "\xE2\x80\x9Cq\xE2\x80\x9D")) << saved;

    // A page in another character set stays as it is.
    ASSERT_EQ(PlxClearWindow(hWnd), 1);
    ASSERT_EQ(read("<meta charset=iso-8859-1><p>caf\xE9 \xC3\xA9</p>"), 1);
    EXPECT_EQ(text(), "caf\xE9 \xC3\xA9|");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(PlxCharsetTest, KeptReferencesOfTitlesFieldsAndAttributeValuesAreShownAndSavedAsWritten)
{
    const std::string pages[] = {
        "<html><head><title>a &rarr; b &foo; &amp;rarr;</title></head><body><form>"
        "<textarea name=t>c &rarr; d &amp;rarr; e</textarea>"
        "<select name=s><option value=\"v &rarr; &amp;rarr;\">o &hellip; &#x2603; p</option><option>q</option></select>"
        "<input name=i value=\"f &rarr; g &amp;rarr; &bogus; &quot;h&quot;\"><input type=hidden name=n value=\"&#8594;\">"
        "</form><p><img src=missing.png alt=\"x &rarr; y &amp;rarr;\" width=20 height=20></p></body></html>",
        // The same characters in a UTF-8 page.
        "<meta charset=utf-8><title>a \xE2\x86\x92 b</title><form><textarea name=t>c \xE2\x86\x92 d</textarea>"
        "<select name=s><option value=\"v \xE2\x86\x92\">o \xE2\x80\xA6 \xE2\x98\x83 p</option></select>"
        "<input name=i value=\"f \xE2\x86\x92 g\"></form><p><img src=missing.png alt=\"x \xE2\x86\x92 y\"></p>",
    };
    for (const std::string& page : pages) {
        SCOPED_TRACE(page);
        ASSERT_EQ(PlxClearWindow(hWnd), 1);
        ASSERT_EQ(read(page), 1);
        std::string saved = written();
        EXPECT_EQ(joined(libxml2Values(saved)), joined(libxml2Values(page))) << saved;
        EXPECT_FALSE(contains(saved, "\x1A")) << "no mark is written";
    }
    // What a user sees: the references as written, in the title the host hears and in the controls.
    EXPECT_EQ(heard(addon::kNotifyTitle).back(), "a &rarr; b");
    EXPECT_EQ(addon::FieldControlText(addon::FieldControl(ctx(), ctx().fields[0]), 300), "c &rarr; d");
    int picture = 0;   // the last object: the fields' controls come before it
    for (int line = 0; line < info().lineCount; ++line) {
        char chars[301];
        std::uint16_t fonts[301];
        for (int i = 0, n = EditorGetLineChars(hWnd, line, chars, fonts); i < n; ++i)
            if (chars[i] == 0x18)
                picture = fonts[i];
    }
    char alt[301] = "";
    ASSERT_EQ(EditorPictureAltText(hWnd, picture, 1, alt), 1);
    EXPECT_STREQ(alt, "x &rarr; y");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(PlxCharsetTest, TextTypedIntoFieldsAndTitlesStaysTextAndUneditedReferencesStayKept)
{
    ASSERT_EQ(read("<title>t &rarr;</title><form><input name=a value=\"a &rarr; b\"><input name=b value=\"c &rarr;\">"
                   "<textarea name=t>x &rarr; y</textarea></form>"),
              1);
    auto setText = [&](int field, const char* text) {
        SendMessage(addon::FieldControl(ctx(), ctx().fields[field]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    };
    setText(0, "a &rarr; b &rarr; new");   // typed after the kept one
    setText(1, "&rarr; d");                // all typed anew
    setText(2, "x &rar; y");               // typed into the reference
    ASSERT_EQ(PlxSetDocTitle(hWnd, "&rarr; t &rarr;"), 1);
    std::string saved = written();
    EXPECT_TRUE(contains(saved, "value=\"a &rarr; b &amp;rarr; new\"")) << saved;
    EXPECT_TRUE(contains(saved, "value=\"&amp;rarr; d\"")) << saved;
    EXPECT_TRUE(contains(saved, "x &amp;rar; y")) << saved;
    EXPECT_TRUE(contains(saved, "<title>&amp;rarr; t &rarr;</title>")) << saved;
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(PlxCharsetTest, KeptReferencesInLinksAndTargetsStayAsWritten)
{
    ASSERT_EQ(read("<h2 id=\"a&rarr;b\">T</h2><p><a href=\"x.cgi?a=1&foo;b=2\">go</a> <a href=\"#a&rarr;b\">back</a></p>"), 1);
    EXPECT_EQ(heard(addon::kNotifyAnchor), (std::vector<std::string>{"x.cgi?a=1&foo;b=2", "#a&rarr;b"}));
    std::string saved = written();
    EXPECT_FALSE(contains(saved, "\x1A")) << "no mark is written";
    EXPECT_TRUE(contains(saved, "id=\"a&rarr;b\"")) << saved;
    EXPECT_EQ(PlxPositionName(hWnd, "a&rarr;b"), 1);
}

// A kept reference in a long word that the editor's line length splits is written whole, as
// it was read: its first part was written with a ";" of its own, and the page grew a ";" at
// every save.
TEST_F(PlxCharsetTest, AKeptReferenceSplitBetweenEditorLinesIsWrittenAsRead)
{
    for (std::size_t before = 200; before <= 310; ++before) {
        for (const char* after : {"", "5", " end"}) {
            std::string page = "<p>" + std::string(before, 'x') + "&#9660;" + after + "</p>";
            SCOPED_TRACE(page);
            ASSERT_EQ(read(page), 1);
            std::string first = written();
            EXPECT_TRUE(contains(first, after[0] == '5' ? "&#9660;5" : "&#9660;")) << first;
            EXPECT_FALSE(contains(first, ";;")) << first;
            ASSERT_EQ(PlxClearWindow(hWnd), 1);
            ASSERT_EQ(read(first), 1);
            EXPECT_EQ(written(), first);
            ASSERT_EQ(PlxClearWindow(hWnd), 1);
        }
    }
}
